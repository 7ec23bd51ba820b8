#include "shell/AboutDlg.h"

#include "app/Quorbel6App.h"
#include "framework/ErrorReport.h"
#include "resource.h"
#include "uikit/PanelBackground.h"

IMPLEMENT_DYNAMIC(CAboutDlg, CNewDialog)

CAboutDlg::CAboutDlg() : CNewDialog(IDD_ABOUTBOX) {}

CAboutDlg::~CAboutDlg() = default;

BOOL CAboutDlg::OnInitDialog()
{
    CNewDialog::OnInitDialog();
    return Guarded(197, ErrorSink::Window(this), FALSE, [&]() -> BOOL {
        m_windowIcon.Apply(*this);
        m_ok.SubclassDlgItem(IDOK, this);
        m_ok.BuildFaces(CBevelButton::kSoftBump, 8, 10, 0, 0);

        m_link.SubclassDlgItem(IDC_ABOUT_LINK, this);
        m_link.BuildFaces(CBevelButton::kSoftBump, 8, 10, 0, 0);
        m_link.SetIcon(IDR_MAINFRAME, 0);
        m_link.SetURL(kWebAddress);
        m_link.SetTooltipText(kWebAddress);
        m_link.SetBtnCursor(IDC_LINK_CURSOR);

        m_version.SubclassDlgItem(IDC_ABOUT_VERSION, this);
        m_subtitle.SubclassDlgItem(IDC_ABOUT_SUBTITLE, this);

        m_thanks.SubclassDlgItem(IDC_ABOUT_THANKS, this);
        m_thanks.m_nDisplayMode = 0;
        if (auto* app = dynamic_cast<CQuorbel6App*>(GetApp()); app && app->m_fontUI.IsValid())
            m_thanks.SetFont(app->m_fontUI);
        return TRUE;
    });
}

BOOL CAboutDlg::OnEraseBkgnd(HDC dc)
{
    return Guarded(196, ErrorSink::Window(this), FALSE, [&]() -> BOOL {
        RECT client{};
        GetClientRect(&client);
        TileAppBackground(dc, client);
        return TRUE;
    });
}

void CAboutDlg::OnDestroy()
{
    Guarded(503, ErrorSink::Window(this), [&] { m_windowIcon.Release(*this); });
    CNewDialog::OnDestroy();
}
