// The whole start-up of the program, run in the test process: the application
// object's initialisation, the framework's File New that makes the main window
// and the view, the view's first-time set-up and its start-up timer.
#include "app/Quorbel6App.h"
#include "document/DocumentNames.h"
#include "framework/ProgramFolder.h"
#include "framework/FrameWnd.h"
#include "framework/SettingsKey.h"
#include "shell/MainFrame.h"
#include "view/Quorbel6View.h"

#include "support/MessagePump.h"
#include "RunningApp.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>

namespace {

using test_support::PumpUntil;

constexpr char kSettingsPath[] = "SOFTWARE\\Sleevory";

bool ReadDword(const char* name, DWORD& value)
{
    DWORD size = sizeof value;
    return RegGetValueA(HKEY_LOCAL_MACHINE, kSettingsPath, name, RRF_RT_REG_DWORD, nullptr, &value, &size) ==
           ERROR_SUCCESS;
}

bool ReadString(const char* name, std::string& value)
{
    char buffer[2048] = {};
    DWORD size = sizeof buffer;
    if (RegGetValueA(HKEY_LOCAL_MACHINE, kSettingsPath, name, RRF_RT_REG_SZ, nullptr, buffer, &size) != ERROR_SUCCESS)
        return false;
    value = buffer;
    return true;
}

}  // namespace

TEST(StartUp, FirstStartWritesItsSettingsAndTheSecondReadsThemBack)
{
    RegDeleteTreeA(HKEY_LOCAL_MACHINE, kSettingsPath);
    RegDeleteKeyA(HKEY_LOCAL_MACHINE, kSettingsPath);
    // As on a fresh machine: no default template yet, so the first start
    // makes one anew and reads no document.
    for (const char* name : {kSingleTemplateName, kDoubleTemplateName})
        DeleteFileA((std::string(ProgramFolder().c_str()) + name).c_str());

    {
        RunningApp first;
        ASSERT_TRUE(first.Started());
        CQuorbel6View* view = first.View();
        ASSERT_NE(view, nullptr);
        EXPECT_EQ(first.App().GetProfileKeyPath(), CString("Software\\Vennick\\Sleevory"));

        // A first run: no label paper chosen yet, so the label waits disabled
        // (the main window stays usable for New, Open and Exit) and the help
        // is still to be opened.
        EXPECT_FALSE(view->m_bLabelPaperChosen);
        EXPECT_TRUE(view->m_bHelpScreen);
        EXPECT_FALSE(IsWindowEnabled(view->m_hWnd));
        EXPECT_TRUE(IsWindowEnabled(first.MainWindow()));

        ASSERT_TRUE(first.FinishStartUp());
        EXPECT_TRUE(RunningApp::SawLabelPaperDialog()) << "the first start asks for the label paper";
        EXPECT_TRUE(IsWindowEnabled(first.MainWindow()));
        EXPECT_TRUE(IsWindowEnabled(view->m_hWnd));
        EXPECT_TRUE(IsZoomed(first.MainWindow())) << "the main window is shown maximised";
        EXPECT_FALSE(view->m_bHelpScreen);
        EXPECT_EQ(first.HelpCallsMade(), HelpCalls{HelpFileAt(kHelpGettingStarted)})
            << "the first start opens the help file at its getting-started page";

        // Restored position: the work area less 100 pixels on every side.
        RECT workArea{};
        SystemParametersInfoA(SPI_GETWORKAREA, 0, &workArea, 0);
        WINDOWPLACEMENT placement{};
        placement.length = sizeof placement;
        GetWindowPlacement(first.MainWindow(), &placement);
        EXPECT_EQ(placement.rcNormalPosition.left, workArea.left + 100);
        EXPECT_EQ(placement.rcNormalPosition.bottom, workArea.bottom - 100);
    }

    DWORD helpScreen = 99;
    ASSERT_TRUE(ReadDword("HelpScreen", helpScreen)) << "the key was created and the help marked as shown";
    EXPECT_EQ(helpScreen, 0u);
    std::string freedbOptions;
    ASSERT_TRUE(ReadString("FreedbOptions", freedbOptions));
    EXPECT_FALSE(freedbOptions.empty());

    {
        RunningApp second;
        ASSERT_TRUE(second.Started());
        ASSERT_NE(second.View(), nullptr);
        EXPECT_FALSE(second.View()->m_bHelpScreen) << "the help opens on the first start only";
        EXPECT_EQ(CString(freedbOptions.c_str()), second.App().m_settings.m_strFreedbOptions);
        ASSERT_TRUE(second.FinishStartUp());
        EXPECT_FALSE(RunningApp::SawLabelPaperDialog()) << "only the first start asks";
        EXPECT_TRUE(second.HelpCallsMade().empty()) << "nor opens the help";
    }
    std::string afterSecond;
    ASSERT_TRUE(ReadString("FreedbOptions", afterSecond));
    EXPECT_EQ(afterSecond, freedbOptions);
}

TEST(StartUp, ApplicationResources)
{
    RunningApp app;
    ASSERT_TRUE(app.Started());
    CQuorbel6App& theApp = app.App();

    // Both user-interface fonts exist in the chosen face; at 96 dots per inch
    // there is no scaling.
    EXPECT_TRUE(theApp.m_strFontFace == "Tahoma" || theApp.m_strFontFace == "Arial");
    LOGFONTA font{};
    ASSERT_TRUE(theApp.m_fontUI.GetLogFont(&font));
    EXPECT_STREQ(font.lfFaceName, theApp.m_strFontFace.c_str());
    ASSERT_TRUE(theApp.m_fontUIScaled.GetLogFont(&font));
    EXPECT_STREQ(font.lfFaceName, theApp.m_strFontFace.c_str());
    const int dotsPerInch = CClientDC(nullptr).GetDeviceCaps(LOGPIXELSX);
    if (dotsPerInch == 96) {
        EXPECT_EQ(theApp.m_nFontSize, 85);
        EXPECT_EQ(theApp.m_fScreenScale, 0.0f);
    } else {
        EXPECT_EQ(theApp.m_nFontSize, static_cast<int>(96.0f / dotsPerInch * 85));
    }

    // The menu images: 25 of 16 x 16.
    EXPECT_EQ(theApp.m_imageList.GetImageCount(), 25);
    EXPECT_EQ(theApp.m_imageList.GetImageSize().cx, 16);
    EXPECT_EQ(theApp.m_imageList.GetImageSize().cy, 16);

    // The main window is a CMainFrame holding the label view, titled from the
    // document-type string.
    ASSERT_NE(dynamic_cast<CMainFrame*>(theApp.m_pMainWnd), nullptr);
    char title[256] = {};
    GetWindowTextA(app.MainWindow(), title, sizeof title);
    EXPECT_NE(std::string(title).find("Sleevory"), std::string::npos) << title;
    ASSERT_TRUE(app.FinishStartUp());
}

namespace {

// Presses a dialog's OK button while the dialog with the given caption is up:
// the timer keeps ticking until the test stops it, so a press the dialog was
// not ready for is simply made again.
struct DialogPresser {
    static inline std::string caption;
    static inline bool seen = false;
    static void CALLBACK Tick(HWND, UINT, UINT_PTR, DWORD)
    {
        HWND dialog = FindWindowA(MAKEINTATOM(32770), caption.c_str());
        if (!dialog || !IsWindowVisible(dialog))
            return;
        seen = true;
        SendMessageA(GetDlgItem(dialog, IDOK), BM_CLICK, 0, 0);
    }
};

}  // namespace

TEST(StartUp, AboutCommandShowsTheAboutBox)
{
    RunningApp app;
    ASSERT_TRUE(app.Started());
    ASSERT_TRUE(app.FinishStartUp());

    DialogPresser::caption = " About Sleevory";
    DialogPresser::seen = false;
    const UINT_PTR timer = SetTimer(nullptr, 0, 20, &DialogPresser::Tick);
    // The command goes through the main window's routing to the application.
    SendMessageA(app.MainWindow(), WM_COMMAND, MAKEWPARAM(57664, 0), 0);
    KillTimer(nullptr, timer);
    EXPECT_TRUE(DialogPresser::seen);
}

namespace {

// Reads the context menu while the view tracks it, then closes it.
struct ContextMenuReader {
    static inline int itemCount = -1;
    static inline int ownerDrawnItems = 0;
    static inline UINT snapToGridState = 0;
    static void CALLBACK Tick(HWND, UINT, UINT_PTR timer, DWORD)
    {
        HWND menuWindow = FindWindowA(MAKEINTATOM(32768), nullptr);
        if (!menuWindow || !IsWindowVisible(menuWindow))
            return;
        KillTimer(nullptr, timer);
        HMENU menu = reinterpret_cast<HMENU>(SendMessageA(menuWindow, 0x01E1 /* MN_GETHMENU */, 0, 0));
        itemCount = menu ? GetMenuItemCount(menu) : -1;
        for (int i = 0; i < itemCount; ++i) {
            MENUITEMINFOA info{};
            info.cbSize = sizeof info;
            info.fMask = MIIM_FTYPE;
            if (GetMenuItemInfoA(menu, i, TRUE, &info) && (info.fType & MFT_OWNERDRAW))
                ++ownerDrawnItems;
        }
        snapToGridState = GetMenuState(menu, 32861, MF_BYCOMMAND);
        EndMenu();
    }
};

}  // namespace

TEST(ViewContextMenu, RightClickShowsTheOwnerDrawnMenuWithTheGridCheck)
{
    RunningApp app;
    ASSERT_TRUE(app.Started());
    ASSERT_TRUE(app.FinishStartUp());
    CQuorbel6View* view = app.View();
    ASSERT_NE(view, nullptr);
    view->m_bSnapToGrid = 1;

    ContextMenuReader::itemCount = -1;
    ContextMenuReader::ownerDrawnItems = 0;
    const UINT_PTR timer = SetTimer(nullptr, 0, 20, &ContextMenuReader::Tick);
    SendMessageA(view->m_hWnd, WM_CONTEXTMENU, reinterpret_cast<WPARAM>(view->m_hWnd), MAKELPARAM(200, 200));
    KillTimer(nullptr, timer);

    ASSERT_GT(ContextMenuReader::itemCount, 5) << "the menu was shown and read";
    EXPECT_EQ(ContextMenuReader::ownerDrawnItems, ContextMenuReader::itemCount);
    EXPECT_TRUE(ContextMenuReader::snapToGridState & MF_CHECKED);
    EXPECT_FALSE(view->m_bContextMenuOpen);
}
