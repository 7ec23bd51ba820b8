#pragma once
// CPrintInfo: what a view's print hooks are told about a print job.

#include <windows.h>

#include <commdlg.h>

struct CPrintInfo {
    PRINTDLGA m_printDialog{};     // the print dialog's settings (the DC after it ran)
    bool m_bPreview = false;       // print preview rather than the printer
    bool m_bDirect = false;        // print without asking (command line /p)
    bool m_bContinuePrinting = true;
    UINT m_nCurPage = 1;
    UINT m_nNumPreviewPages = 1;
    RECT m_rectDraw{};             // the page's printable area in logical units
    LPVOID m_lpUserData = nullptr;

    UINT GetMinPage() const { return m_printDialog.nMinPage; }
    UINT GetMaxPage() const { return m_printDialog.nMaxPage; }
    void SetMinPage(UINT page) { m_printDialog.nMinPage = static_cast<WORD>(page); }
    void SetMaxPage(UINT page) { m_printDialog.nMaxPage = static_cast<WORD>(page); }
};
