#pragma once
// CDiscChoiceDlg: asks which disc of a double CD a new object belongs to. It
// opens with the disc chosen last (the main frame remembers it while the
// program runs).
//
//     CDiscChoiceDlg dialog("Which disc do you want this object attached to?", parent);
//     const INT_PTR disc = dialog.DoModal();   // 1, 2, or -1 when cancelled

#include "framework/String.h"
#include "shell/DialogWindowIcon.h"
#include "uikit/BevelButton.h"
#include "uikit/IconStatic.h"
#include "uikit/NewDialog.h"
#include "uikit/PaintStatic.h"
#include "uikit/TransparentButton.h"

class CDiscChoiceDlg : public CNewDialog
{
    DECLARE_DYNAMIC(CDiscChoiceDlg)
    DECLARE_COMMAND_MAP()

public:
    static constexpr int kCancelled = -1;

    CDiscChoiceDlg(const CString& prompt, CWnd* parent = nullptr);
    ~CDiscChoiceDlg() override;

    BOOL OnInitDialog() override;

protected:
    void OnDisc1();
    void OnDisc2();
    void OnOK() override;
    void OnCancel() override;
    BOOL OnEraseBkgnd(HDC dc) override;
    void OnDestroy() override;

private:
    CString m_strPrompt;
    CPaintStatic m_prompt;
    CIconStatic m_icon;
    CTransparentButton m_disc1;
    CTransparentButton m_disc2;
    CBevelButton m_ok;
    CBevelButton m_cancel;
    CDialogWindowIcon m_windowIcon;
};
