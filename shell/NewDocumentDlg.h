#pragma once

#include "document/NewLabelKind.h"
// CNewDocumentDlg: asks which layout a new label gets (a single or a double
// CD) and whether it starts from that layout's default template. While it is
// open the main frame's New and Open are off.
//
//     CNewDocumentDlg dialog(parent);
//     switch (dialog.DoModal()) { case CNewDocumentDlg::kSingleFromTemplate: ... }

#include "shell/DialogWindowIcon.h"
#include "uikit/BevelButton.h"
#include "uikit/IconListBox.h"
#include "uikit/NewDialog.h"
#include "uikit/TransparentButton.h"

class CNewDocumentDlg : public CNewDialog
{
    DECLARE_DYNAMIC(CNewDocumentDlg)
    DECLARE_COMMAND_MAP()

public:
    // Results of DoModal.
    enum Result {
        kSingleFromTemplate = kNewSingleFromTemplate,
        kSingleEmpty = kNewSingleEmpty,
        kDoubleFromTemplate = kNewDoubleFromTemplate,
        kDoubleEmpty = kNewDoubleEmpty,
        kCancelled = kNewLabelCancelled,
    };

    explicit CNewDocumentDlg(CWnd* parent = nullptr);
    ~CNewDocumentDlg() override;

    BOOL OnInitDialog() override;

protected:
    void OnSelChangeList();
    void OnDblClkList();
    void OnOK() override;
    void OnCancel() override;
    BOOL OnEraseBkgnd(HDC dc) override;
    void OnDestroy() override;

private:
    // The check box names the layout selected in the list.
    void ShowTemplateCaption(int selected);

    CIconListBox m_list;
    CTransparentButton m_useTemplate;
    CBevelButton m_ok;
    CBevelButton m_cancel;
    CDialogWindowIcon m_windowIcon;
};
