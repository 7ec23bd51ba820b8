#pragma once
// CDiscChoiceDlg: asks which disc of a double CD a new object belongs to. It
// opens with the disc proposed by the caller (the disc the object was dropped
// on), else with the disc chosen last (the main frame remembers it while the
// program runs).
//
//     CDiscChoiceDlg dialog("Which disc do you want this object attached to?", parent, proposedDisc);
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

    // `proposedDisc`: 1 or 2 to open with that disc chosen; 0 for the disc chosen last.
    CDiscChoiceDlg(const CString& prompt, CWnd* parent = nullptr, int proposedDisc = 0);
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
    int m_nProposedDisc;
    CPaintStatic m_prompt;
    CIconStatic m_icon;
    CTransparentButton m_disc1;
    CTransparentButton m_disc2;
    CBevelButton m_ok;
    CBevelButton m_cancel;
    CDialogWindowIcon m_windowIcon;
};
