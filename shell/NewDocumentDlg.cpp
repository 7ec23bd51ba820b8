#include "shell/NewDocumentDlg.h"

#include "framework/ErrorReport.h"
#include "framework/WinApp.h"
#include "resource.h"
#include "shell/MainFrame.h"
#include "uikit/PanelBackground.h"

IMPLEMENT_DYNAMIC(CNewDocumentDlg, CNewDialog)

BEGIN_COMMAND_MAP(CNewDocumentDlg, CNewDialog)
    ON_CTL(LBN_SELCHANGE, IDC_NEW_DOCUMENT_LIST, OnSelChangeList)
    ON_CTL(LBN_DBLCLK, IDC_NEW_DOCUMENT_LIST, OnDblClkList)
END_COMMAND_MAP()

namespace {

constexpr int kSingleCdIcon = 0;
constexpr int kDoubleCdIcon = 1;

CMainFrame* ProgramMainFrame()
{
    return dynamic_cast<CMainFrame*>(GetAppMainWnd());
}

void SetNewOpenEnabled(bool enabled)
{
    if (CMainFrame* frame = ProgramMainFrame())
        frame->SetNewOpenEnabled(enabled);
}

}  // namespace

CNewDocumentDlg::CNewDocumentDlg(CWnd* parent) : CNewDialog(IDD_NEW_DOCUMENT, parent) {}

CNewDocumentDlg::~CNewDocumentDlg() = default;

BOOL CNewDocumentDlg::OnInitDialog()
{
    CNewDialog::OnInitDialog();
    return Guarded(314, ErrorSink::App(), FALSE, [&]() -> BOOL {
        SetNewOpenEnabled(false);
        m_windowIcon.Apply(*this);

        m_ok.SubclassDlgItem(IDOK, this);
        m_ok.BuildFaces(CBevelButton::kSoftBump, 8, 10, 0, 0);
        m_cancel.SubclassDlgItem(IDCANCEL, this);
        m_cancel.BuildFaces(CBevelButton::kSoftBump, 8, 10, 0, 0);
        m_useTemplate.SubclassDlgItem(IDC_NEW_DOCUMENT_DEFAULT, this);

        m_list.SubclassDlgItem(IDC_NEW_DOCUMENT_LIST, this);
        // The icons first: the list measures each item as it is added.
        if (CMainFrame* frame = ProgramMainFrame())
            m_list.SetImageList(&frame->DocumentIcons());
        m_list.AddItem("Single CD", kSingleCdIcon);
        m_list.AddItem("Double CD", kDoubleCdIcon);
        m_list.SetCurSel(0);

        ShowTemplateCaption(0);
        m_useTemplate.SetCheck(BST_CHECKED);
        return TRUE;
    });
}

void CNewDocumentDlg::ShowTemplateCaption(int selected)
{
    m_useTemplate.SetWindowText(selected == 0 ? "Use Default Template. (Single CD)"
                                              : "Use Default Template. (Double CD)");
}

void CNewDocumentDlg::OnSelChangeList()
{
    Guarded(315, ErrorSink::App(), [&] {
        ShowTemplateCaption(m_list.GetCurSel());
        // The check box draws no background of its own: the panel goes back under the new text.
        RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
    });
}

void CNewDocumentDlg::OnDblClkList()
{
    OnOK();
}

void CNewDocumentDlg::OnOK()
{
    Guarded(316, ErrorSink::App(), [&] {
        const int selected = m_list.GetCurSel();
        if (selected < 0)
            return;
        SetNewOpenEnabled(true);
        const bool fromTemplate = m_useTemplate.GetCheck() == BST_CHECKED;
        if (selected == 0)
            EndDialog(fromTemplate ? kSingleFromTemplate : kSingleEmpty);
        else
            EndDialog(fromTemplate ? kDoubleFromTemplate : kDoubleEmpty);
    });
}

void CNewDocumentDlg::OnCancel()
{
    Guarded(317, ErrorSink::App(), [&] {
        SetNewOpenEnabled(true);
        EndDialog(kCancelled);
    });
}

BOOL CNewDocumentDlg::OnEraseBkgnd(HDC dc)
{
    return Guarded(318, ErrorSink::App(), FALSE, [&]() -> BOOL {
        RECT client{};
        GetClientRect(&client);
        TileAppBackground(dc, client);
        return TRUE;
    });
}

void CNewDocumentDlg::OnDestroy()
{
    Guarded(507, ErrorSink::Window(this), [&] {
        // However the dialog goes (the program ending in its loop, too), New and Open come back.
        SetNewOpenEnabled(true);
        m_windowIcon.Release(*this);
    });
    CNewDialog::OnDestroy();
}
