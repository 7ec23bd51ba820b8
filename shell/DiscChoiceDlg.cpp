#include "shell/DiscChoiceDlg.h"

#include "framework/ErrorReport.h"
#include "framework/WinApp.h"
#include "resource.h"
#include "shell/MainFrame.h"
#include "uikit/PanelBackground.h"

IMPLEMENT_DYNAMIC(CDiscChoiceDlg, CNewDialog)

BEGIN_COMMAND_MAP(CDiscChoiceDlg, CNewDialog)
    ON_CMD(IDC_DISC_CHOICE_DISC1, OnDisc1)
    ON_CMD(IDC_DISC_CHOICE_DISC2, OnDisc2)
END_COMMAND_MAP()

namespace {

CMainFrame* ProgramMainFrame()
{
    return dynamic_cast<CMainFrame*>(GetAppMainWnd());
}

void RememberDisc(int disc)
{
    if (CMainFrame* frame = ProgramMainFrame())
        frame->m_nLastDiscChoice = disc;
}

}  // namespace

CDiscChoiceDlg::CDiscChoiceDlg(const CString& prompt, CWnd* parent, int proposedDisc)
    : CNewDialog(IDD_DISC_CHOICE, parent), m_strPrompt(prompt), m_nProposedDisc(proposedDisc)
{
}

CDiscChoiceDlg::~CDiscChoiceDlg() = default;

BOOL CDiscChoiceDlg::OnInitDialog()
{
    CNewDialog::OnInitDialog();
    return Guarded(393, ErrorSink::App(), FALSE, [&]() -> BOOL {
        m_windowIcon.Apply(*this);

        m_ok.SubclassDlgItem(IDOK, this);
        m_ok.BuildFaces(CBevelButton::kSoftBump, 8, 10, 0, 0);
        m_cancel.SubclassDlgItem(IDCANCEL, this);
        m_cancel.BuildFaces(CBevelButton::kSoftBump, 8, 10, 0, 0);
        m_prompt.SubclassDlgItem(IDC_DISC_CHOICE_PROMPT, this);
        m_icon.SubclassDlgItem(IDC_DISC_CHOICE_ICON, this);
        m_disc1.SubclassDlgItem(IDC_DISC_CHOICE_DISC1, this);
        m_disc2.SubclassDlgItem(IDC_DISC_CHOICE_DISC2, this);

        m_prompt.SetWindowText(m_strPrompt);
        // A shared system icon: not destroyed.
        m_icon.SetIcon(::LoadIconA(nullptr, IDI_ASTERISK));

        // An object dropped on a disc belongs to that disc unless the user says otherwise.
        const CMainFrame* frame = ProgramMainFrame();
        const int lastDisc = frame ? frame->m_nLastDiscChoice : 1;
        const int disc = m_nProposedDisc == 1 || m_nProposedDisc == 2 ? m_nProposedDisc : lastDisc;
        m_disc1.SetCheck(disc == 1 ? BST_CHECKED : BST_UNCHECKED);
        m_disc2.SetCheck(disc == 1 ? BST_UNCHECKED : BST_CHECKED);
        return TRUE;
    });
}

void CDiscChoiceDlg::OnDisc1()
{
    RememberDisc(1);
}

void CDiscChoiceDlg::OnDisc2()
{
    RememberDisc(2);
}

void CDiscChoiceDlg::OnOK()
{
    Guarded(392, ErrorSink::App(), [&] { EndDialog(m_disc1.GetCheck() == BST_CHECKED ? 1 : 2); });
}

void CDiscChoiceDlg::OnCancel()
{
    EndDialog(kCancelled);
}

BOOL CDiscChoiceDlg::OnEraseBkgnd(HDC dc)
{
    return Guarded(394, ErrorSink::App(), FALSE, [&]() -> BOOL {
        RECT client{};
        GetClientRect(&client);
        TileAppBackground(dc, client);
        return TRUE;
    });
}

void CDiscChoiceDlg::OnDestroy()
{
    m_windowIcon.Release(*this);
    CNewDialog::OnDestroy();
}
