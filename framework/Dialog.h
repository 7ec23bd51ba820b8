#pragma once
// CDialog: a dialog box from a dialog template resource (numeric id), modal
// (DoModal) or modeless (Create). The object gets every message from the
// window's creation on, WM_INITDIALOG as OnInitDialog; OK and Cancel buttons
// (and Enter / Escape) reach OnOK / OnCancel through the command table, where
// derived dialogs add their own controls' handlers.
//
//     CMyDialog dialog(parentWindow);      // constructed with its template id
//     if (dialog.DoModal() == IDOK) ...
//
// The modal loop is the framework's own, so PreTranslateMessage of the
// dialog and its controls runs for modal dialogs too.

#include "framework/Wnd.h"

class CDialog : public CWnd {
    DECLARE_DYNAMIC(CDialog)
    DECLARE_COMMAND_MAP()

public:
    CDialog() = default;
    explicit CDialog(UINT templateId, CWnd* parent = nullptr);
    ~CDialog() override;

    // Runs the dialog and returns what EndDialog was given (-1 when the
    // dialog could not be created). The owner is the parent's top-level window,
    // or the application's main window; it is disabled meanwhile.
    virtual INT_PTR DoModal();
    // A modeless dialog; destroyed with the object unless destroyed before.
    BOOL Create(UINT templateId, CWnd* parent = nullptr);
    // Ends a modal dialog with a result; hides a modeless one.
    void EndDialog(int result);

    // Runs while the dialog is being created, controls in place; TRUE lets the
    // system put the focus on the first control.
    virtual BOOL OnInitDialog();
    virtual void OnOK();
    virtual void OnCancel();

    // Dialog keys (Tab, Enter, Escape, mnemonics) for the dialog's controls.
    BOOL PreTranslateMessage(MSG* msg) override;
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

    void NextDlgCtrl() const { ::SendMessageA(m_hWnd, WM_NEXTDLGCTL, 0, FALSE); }
    void PrevDlgCtrl() const { ::SendMessageA(m_hWnd, WM_NEXTDLGCTL, 1, FALSE); }
    void GotoDlgCtrl(HWND control) const
    {
        ::SendMessageA(m_hWnd, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(control), TRUE);
    }
    void SetDefID(UINT id) { ::SendMessageA(m_hWnd, DM_SETDEFID, id, 0); }
    bool IsModal() const { return m_inModalLoop; }

    UINT m_nIDTemplate = 0;
    UINT m_nIDHelp = 0;
    CWnd* m_pParentWnd = nullptr;

private:
    // Creates the window from the template, bound to this object from its first message.
    BOOL CreateFromTemplate(HWND owner);
    void RunModalLoop();

    bool m_inModalLoop = false;
    bool m_endModal = false;
    INT_PTR m_nModalResult = -1;
};
