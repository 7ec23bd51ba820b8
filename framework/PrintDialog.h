#pragma once
// CPrintDialog: the system's print dialog (or its Print Setup form) around a
// PRINTDLGA. A derived class may give the dialog a template of its own
// (PD_ENABLEPRINTTEMPLATE with m_pd.hInstance and lpPrintTemplateName) and
// handle its controls: the dialog window is routed through the object from
// WM_INITDIALOG on, which arrives as OnInitDialog.
//
// The object owns the device-mode and device-names blocks and the printer DC
// the dialog returns, until they are taken with TakeDC.

#include "framework/Gdi.h"
#include "framework/String.h"
#include "framework/Wnd.h"

#include <windows.h>

#include <commdlg.h>

class CPrintDialog : public CWnd {
    DECLARE_DYNAMIC(CPrintDialog)

public:
    CPrintDialog(BOOL printSetupOnly, DWORD flags, CWnd* parent = nullptr);
    ~CPrintDialog() override;
    CPrintDialog(const CPrintDialog&) = delete;
    CPrintDialog& operator=(const CPrintDialog&) = delete;

    // Runs the dialog: IDOK or IDCANCEL. The printer the application chose
    // (Print Setup) is offered first.
    virtual INT_PTR DoModal();
    // The default printer without showing anything, with a DC when
    // PD_RETURNDC is set; FALSE when there is none.
    BOOL GetDefaults();

    // Runs once the dialog's controls exist; TRUE lets the system set the focus.
    virtual BOOL OnInitDialog();
    // Ends the dialog as its Cancel button does.
    virtual void OnCancel();

    int GetFromPage() const;
    int GetToPage() const;
    // Copies asked for, from the device mode when the driver keeps them there.
    int GetCopies() const;
    BOOL PrintAll() const { return (m_pd.Flags & (PD_PAGENUMS | PD_SELECTION)) == 0; }
    BOOL PrintRange() const { return (m_pd.Flags & PD_PAGENUMS) != 0; }
    BOOL PrintCollate() const { return (m_pd.Flags & PD_COLLATE) != 0; }
    CString GetDeviceName() const;
    // The device mode, locked for the caller's use until UnlockDevMode; null without one.
    DEVMODEA* LockDevMode() const;
    void UnlockDevMode() const;

    // A DC for the chosen printer: the dialog's own, else made from the device
    // names and mode. The caller owns it; null when there is no printer.
    HDC TakeDC();

    PRINTDLGA m_pd{};

private:
    static UINT_PTR CALLBACK HookProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
    void FreeBlocks();
};
