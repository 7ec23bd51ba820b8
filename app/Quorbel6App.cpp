#include "app/Quorbel6App.h"

#include "document/Quorbel6Doc.h"
#include "framework/CommandLineInfo.h"
#include "framework/DocTemplate.h"
#include "framework/Dialog.h"
#include "framework/ErrorReport.h"
#include "framework/FrameWnd.h"
#include "resource.h"
#include "shell/AboutDlg.h"
#include "shell/AppMessageDlg.h"
#include "shell/MainFrame.h"
#include "uikit/NewMenu.h"
#include "view/Quorbel6View.h"

#include <commctrl.h>

namespace {

constexpr int kUserInterfaceFontSize = 85;  // tenths of a point
constexpr int kMenuImageCount = 25;
constexpr COLORREF kMenuImageMask = RGB(255, 0, 255);

}  // namespace

BEGIN_COMMAND_MAP(CQuorbel6App, CWinApp)
    ON_CMD(ID_APP_ABOUT, OnAppAbout)
    ON_CMD(ID_FILE_PRINT_SETUP, OnFilePrintSetup)
END_COMMAND_MAP()

CQuorbel6App::CQuorbel6App() : CWinApp("Sleevory") {}

CQuorbel6App::~CQuorbel6App() = default;

CQuorbel6App& App()
{
    return static_cast<CQuorbel6App&>(*GetApp());
}

int CALLBACK FontExistsProc(const LOGFONTA*, const TEXTMETRICA*, DWORD, LPARAM found)
{
    *reinterpret_cast<bool*>(found) = true;
    return 0;
}

void CQuorbel6App::ChooseUserInterfaceFonts()
{
    bool sansSerifExists = false;
    {
        CMemoryDC screen(nullptr);
        EnumFontFamiliesA(screen.m_hDC, "Microsoft Sans Serif", reinterpret_cast<FONTENUMPROCA>(FontExistsProc),
                          reinterpret_cast<LPARAM>(&sansSerifExists));
    }
    m_strFontFace = sansSerifExists ? "Tahoma" : "Arial";
    m_fontUI.CreatePointFont(kUserInterfaceFontSize, m_strFontFace);
    m_nFontSize = kUserInterfaceFontSize;

    int dotsPerInch = 96;
    {
        COwnedDC display;
        if (display.CreateIC("DISPLAY"))
            dotsPerInch = GetDeviceCaps(display.m_hDC, LOGPIXELSX);
    }
    if (dotsPerInch != 96 && dotsPerInch > 0) {
        m_fScreenScale = 96.0f / static_cast<float>(dotsPerInch);
        m_nFontSize = static_cast<int>(m_fScreenScale * kUserInterfaceFontSize);
    } else {
        m_fScreenScale = 0.0f;
    }
    m_fontUIScaled.CreatePointFont(m_nFontSize, m_strFontFace);
}

void CQuorbel6App::NoteSystemVersion()
{
    OSVERSIONINFOA version{};
    version.dwOSVersionInfoSize = sizeof version;
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wdeprecated-declarations"
    if (!GetVersionExA(&version))
        return;
#pragma GCC diagnostic pop
    if (version.dwPlatformId == VER_PLATFORM_WIN32_WINDOWS) {
        m_bWindows95 = version.dwMinorVersion == 0;
        m_bWindows98 = version.dwMinorVersion == 10 || version.dwMinorVersion == 90;
    }
}

void CQuorbel6App::CreateMenuImageList()
{
    CBitmap strip;
    if (m_bWindows95)
        strip.LoadBitmap(IDB_MENU_IMAGES);
    else
        strip.LoadDIBSection(IDB_MENU_IMAGES);
    m_imageList.Create(16, 16, ILC_COLOR24 | ILC_MASK, kMenuImageCount, 0);
    if (strip.IsValid())
        m_imageList.Add(strip, kMenuImageMask);
}

BOOL CQuorbel6App::InitInstance()
{
    return Guarded(279, ErrorSink::App(), FALSE, [&]() -> BOOL {
        OSVERSIONINFOW wideVersion{};
        wideVersion.dwOSVersionInfoSize = sizeof wideVersion;
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wdeprecated-declarations"
        m_bUnicodeCalls = GetVersionExW(&wideVersion) ? 1 : 0;
#pragma GCC diagnostic pop

        ChooseUserInterfaceFonts();

        if (m_splash.Create()) {
            m_splash.ShowWindow(SW_SHOW);
            m_splash.UpdateWindow();
        }

        // The program's controls use the common controls of the system.
        INITCOMMONCONTROLSEX controls{sizeof controls, ICC_WIN95_CLASSES | ICC_BAR_CLASSES | ICC_TAB_CLASSES};
        InitCommonControlsEx(&controls);
        SetRegistryKey("Vennick");
        LoadStdProfileSettings(4);

        NoteSystemVersion();
        CreateMenuImageList();

        CNewMenu::SetMenuDrawMode(2);
        AddDocTemplate(std::make_unique<CSingleDocTemplate>(IDR_MAINFRAME, RUNTIME_CLASS(CQuorbel6Doc),
                                                            RUNTIME_CLASS(CMainFrame), RUNTIME_CLASS(CQuorbel6View)));

        // The document named on the command line is opened by the view's
        // first-time set-up; the framework itself always starts with File New.
        CCommandLineInfo commandLine;
        commandLine.m_bShowSplash = FALSE;
        ParseCommandLine(commandLine);
        m_strCmdLinePath = commandLine.m_strFileName;
        commandLine.m_nShellCommand = CCommandLineInfo::FileNew;
        if (!ProcessShellCommand(commandLine))
            return FALSE;

        if (CQuorbel6View* view = GetActiveView())
            view->InitView();
        return TRUE;
    });
}

CQuorbel6View* CQuorbel6App::GetActiveView() const
{
    auto* frame = dynamic_cast<CFrameWnd*>(m_pMainWnd);
    return frame ? dynamic_cast<CQuorbel6View*>(frame->GetActiveView()) : nullptr;
}

BOOL CQuorbel6App::OnIdle(LONG count)
{
    return Guarded(280, ErrorSink::App(), FALSE, [&]() -> BOOL {
        // A list cell edited a text: lay its objects out again before idling.
        if (!m_strPendingRefresh.IsEmpty()) {
            const CString name = m_strPendingRefresh;
            if (CQuorbel6View* view = GetActiveView())
                view->UpdateTextObjects(name);
            m_strPendingRefresh.Empty();
            return TRUE;
        }
        return CWinApp::OnIdle(count);
    });
}

CDocument* CQuorbel6App::OpenDocumentFile(LPCSTR path)
{
    return Guarded(281, ErrorSink::App(), nullptr, [&]() -> CDocument* {
        CQuorbel6View* view = GetActiveView();
        auto* doc = view ? dynamic_cast<CQuorbel6Doc*>(view->GetDocument()) : nullptr;
        if (doc)
            doc->OpenRecentDocument(path);
        return doc;
    });
}

HFONT CQuorbel6App::UiFont(bool scaled) const
{
    const CFont& font = scaled ? m_fontUIScaled : m_fontUI;
    return font.Get();
}

void CQuorbel6App::WriteCellText(const CString& objectName, int fieldIndex, const CString& value)
{
    if (CQuorbel6View* view = GetActiveView()) {
        // Through the text setter, like every text that enters the label.
        CLabelModel& model = view->Model();
        if (const int row = model.FindTextRow(objectName); row >= 0) {
            CString text = model.Texts()[static_cast<size_t>(row)].m_strValue;
            ReplaceBacktickField(text, fieldIndex, value);
            model.SetTextRowValue(row, text);
        }
    }
    m_strPendingRefresh = objectName;
}

void CQuorbel6App::OnAppAbout()
{
    CAboutDlg about;
    about.DoModal();
}

CString CQuorbel6App::TakeCommandLinePath()
{
    CString path = m_strCmdLinePath;
    m_strCmdLinePath.Empty();
    return path;
}

int CQuorbel6App::ShowUserMessage(LPCSTR text, Icon icon, LPCSTR buttons)
{
    return CAppMessageDlg::Show(text, icon == kStop ? CAppMessageDlg::kIconStop : CAppMessageDlg::kIconExclamation,
                                buttons);
}
