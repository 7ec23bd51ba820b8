#include "shell/AboutDlg.h"

#include "framework/ErrorReport.h"
#include "resource.h"
#include "uikit/PanelBackground.h"
#include "uikit/UiResources.h"

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
        if (const CUiResources* resources = UiResources()) {
            if (HFONT font = resources->UiFont(false))
                m_thanks.SetFont(font);
        }
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
