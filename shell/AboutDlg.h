#pragma once
// CAboutDlg: the About box, with the program's version, a link button to the
// program's web site and the thanks.

#include "shell/DialogWindowIcon.h"
#include "uikit/BevelButton.h"
#include "uikit/DisplayEdit.h"
#include "uikit/NewDialog.h"
#include "uikit/PictureStatic.h"

class CAboutDlg : public CNewDialog
{
    DECLARE_DYNAMIC(CAboutDlg)

public:
    // Where the link button leads.
    static constexpr char kWebAddress[] = "https://www.sleevory.example/";

    CAboutDlg();
    ~CAboutDlg() override;

    BOOL OnInitDialog() override;

protected:
    BOOL OnEraseBkgnd(HDC dc) override;
    void OnDestroy() override;

private:
    CBevelButton m_ok;
    CBevelButton m_link;
    CPictureStatic m_version;
    CPictureStatic m_subtitle;
    CDisplayEdit m_thanks;
    CDialogWindowIcon m_windowIcon;
};
