#pragma once
// CPrintInfo: what a view's print hooks are told about a print job. The print
// dialog is replaceable: a view's OnPreparePrinting may put its own in m_pPD
// before DoPreparePrinting runs it.

#include "framework/PrintDialog.h"
#include "framework/String.h"

#include <windows.h>

#include <memory>

struct CPrintInfo {
    CPrintInfo();

    std::unique_ptr<CPrintDialog> m_pPD;  // the dialog of the job (its DC once it ran)
    bool m_bPreview = false;       // print preview rather than the printer
    bool m_bDirect = false;        // print without asking (command line /p)
    bool m_bContinuePrinting = true;  // cleared to end the job after the current page
    UINT m_nCurPage = 1;
    UINT m_nNumPreviewPages = 1;
    RECT m_rectDraw{};             // the page's printable area in logical units
    CString m_strOutputFile;       // print into this file instead of the printer's port
    LPVOID m_lpUserData = nullptr;

    UINT GetMinPage() const { return m_pPD->m_pd.nMinPage; }
    UINT GetMaxPage() const { return m_pPD->m_pd.nMaxPage; }
    void SetMinPage(UINT page) { m_pPD->m_pd.nMinPage = static_cast<WORD>(page); }
    void SetMaxPage(UINT page) { m_pPD->m_pd.nMaxPage = static_cast<WORD>(page); }
    UINT GetFromPage() const { return static_cast<UINT>(m_pPD->GetFromPage()); }
    UINT GetToPage() const { return static_cast<UINT>(m_pPD->GetToPage()); }
};

// How a print job ended, for the view's and the tests' sake.
enum class PrintJobResult { NotStarted, Printed, Cancelled, Failed };
