#pragma once
// CAppMessageDlg: the program's own message box, used for every message a
// user is meant to read. The request (CMessageBoxRequest) lies in the
// application object: the caller fills the text, icon kind, button list and,
// where wanted, the "Do not show this message again." offer and the caption,
// then runs the box:
//
//     app.m_strMessageText = "Save changes to label.slv?";
//     app.m_nMessageIcon = CAppMessageDlg::kIconExclamation;
//     app.m_strMessageButtons = "Yes`No`Cancel`";
//     CAppMessageDlg box;
//     switch (box.DoModal()) { ... }   // 1..3 the button, 4..6 with the box ticked
//
// or in one call: CAppMessageDlg::Show("Invalid image format.", 1, "OK`").
//
// Closing the box or pressing Escape answers the number of its "Cancel"
// button when it has one, else 2.

#include "framework/ImageList.h"
#include "framework/UserHandles.h"
#include "uikit/BevelButton.h"
#include "uikit/DisplayEdit.h"
#include "uikit/IconStatic.h"
#include "uikit/NewDialog.h"
#include "uikit/TransparentButton.h"

#include <vector>

class CAppMessageDlg : public CNewDialog
{
    DECLARE_DYNAMIC(CAppMessageDlg)
    DECLARE_COMMAND_MAP()

public:
    enum IconKind { kNoIcon = 0, kIconStop = 1, kIconExclamation = 2, kIconInformation = 3, kIconProgram = 4 };
    static constexpr int kMaxButtons = 3;

    explicit CAppMessageDlg(CWnd* parent = nullptr);
    ~CAppMessageDlg() override;

    // Fills the application's request and runs the box modally.
    static int Show(LPCSTR text, int iconKind, LPCSTR buttons, LPCSTR caption = nullptr, bool offerCheckBox = false,
                    CWnd* parent = nullptr);

    // The text a caller left in the request for whoever shows it later (the
    // property setter's limits), emptied so that it is shown once.
    static CString TakePendingText();

    // The captions of a button list: the text before each backtick, at most
    // three; text after the last backtick is no button.
    static std::vector<CString> SplitButtonList(const CString& list);

    BOOL OnInitDialog() override;

protected:
    void OnButton1();
    void OnButton2();
    void OnButton3();
    void OnOK() override;
    void OnCancel() override;
    void OnClose() override;
    BOOL OnEraseBkgnd(HDC dc) override;
    void OnDestroy() override;

private:
    void EndWithButton(int number, int errorNumber);
    // Ends the box as a cancel: the "Cancel" button's number, else 2.
    void EndAsCancel();
    void LayOut(bool hasIcon, bool showCheckBox);

    CBevelButton m_buttons[kMaxButtons];
    CDisplayEdit m_text;
    CTransparentButton m_checkBox;
    CIconStatic m_icon;
    OwnedIcon m_windowIcon;
    int m_buttonCount = 0;
    int m_cancelButton = 0;  // number of the button captioned "Cancel", 0 when none
};
