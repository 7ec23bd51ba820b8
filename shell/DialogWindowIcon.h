#pragma once
// The small caption icon every dialog of the program shows: image 18 of the
// application's image list. The dialog holds it while its window is up.
//
//     BOOL CMyDlg::OnInitDialog() { ...; m_windowIcon.Apply(*this); ... }
//     void CMyDlg::OnDestroy()    { m_windowIcon.Release(*this); CNewDialog::OnDestroy(); }

#include "framework/UserHandles.h"

class CWnd;

class CDialogWindowIcon {
public:
    // Sets the icon on the dialog; nothing when the program's application
    // object or its image list is not there (a dialog in a test, say).
    void Apply(CWnd& dialog);
    // Takes the icon off the window and destroys it.
    void Release(CWnd& dialog);

    bool IsSet() const { return m_icon.IsValid(); }

private:
    OwnedIcon m_icon;
};
