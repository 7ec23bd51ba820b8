#pragma once
// CNewDialog: the base of every dialog of the program. Its menu and system
// menu are owner-drawn CNewMenus, and pop-ups of its menu are enabled through
// the dialog's command table before they open, as a frame's are.
//
//     class CMyDialog : public CNewDialog {
//     public:
//         explicit CMyDialog(CWnd* parent = nullptr) : CNewDialog(IDD_MY_DIALOG, parent) {}
//         BOOL OnInitDialog() override
//         {
//             CNewDialog::OnInitDialog();
//             ...
//             return TRUE;
//         }
//     };

#include "framework/Dialog.h"
#include "uikit/MenuWindowGlue.h"

class CNewMenu;

class CNewDialog : public CDialog {
    DECLARE_DYNAMIC(CNewDialog)

public:
    // The template id is also the help id.
    explicit CNewDialog(UINT templateId, CWnd* parent = nullptr);
    ~CNewDialog() override;

    // Takes over the dialog's current system menu and its menu (converted to
    // owner-drawn). Derived dialogs call it from their own.
    BOOL OnInitDialog() override;

    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

    CNewMenu& GetNewMenu() { return m_menuGlue.Menu(); }
    CNewMenu& GetNewSystemMenu() { return m_menuGlue.SystemMenu(); }
    const CMenuWindowGlue& GetMenuGlue() const { return m_menuGlue; }

private:
    // The update pass of a pop-up about to open, then the menu library's set-up.
    void OnInitMenuPopupMessage(HMENU popup, UINT index, BOOL systemMenu);

    CMenuWindowGlue m_menuGlue;
};
