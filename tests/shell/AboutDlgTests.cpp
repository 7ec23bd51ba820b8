// The About box, opened by the application's About command: its texts, the
// link button with the program's icon, address, tooltip and cursor, the
// thanks shown in the user-interface font, and the ways it closes.
#include "shell/AboutDlg.h"

#include "SmallDialogTestSupport.h"
#include "resource.h"

namespace {

constexpr char kCaption[] = " About Sleevory";

class AboutDlgTest : public SmallDialogTest {
protected:
    AboutDlgTest() { app.m_fontUI.CreatePointFont(85, "Tahoma"); }

    void RunCommand(std::vector<ModalDriver::Step> steps)
    {
        ModalDriver driver(kCaption, std::move(steps));
        driver.Run([&] { return app.ExecuteCommand(ID_APP_ABOUT); });
        EXPECT_TRUE(driver.AllStepsRun()) << "the command showed the About box";
        EXPECT_FALSE(driver.ClosedByDriver());
    }
};

}  // namespace

TEST_F(AboutDlgTest, ShowsTheVersionAndTheThanksInTheInterfaceFont)
{
    std::string version;
    HFONT thanksFont = nullptr;
    int displayMode = -1;
    bool versionIsPicture = false;
    RunCommand({[&](HWND dialog) {
        version = TextOf(Item(dialog, IDC_ABOUT_VERSION));
        versionIsPicture = dynamic_cast<CPictureStatic*>(CWnd::FromHandlePermanent(Item(dialog, IDC_ABOUT_VERSION)));
        HWND thanks = Item(dialog, IDC_ABOUT_THANKS);
        thanksFont = reinterpret_cast<HFONT>(::SendMessageA(thanks, WM_GETFONT, 0, 0));
        if (auto* edit = dynamic_cast<CDisplayEdit*>(CWnd::FromHandlePermanent(thanks)))
            displayMode = edit->m_nDisplayMode;
        Click(dialog, IDOK);
    }});
    EXPECT_EQ(version, "Sleevory \x99 -  Version 2.20");
    EXPECT_TRUE(versionIsPicture);
    EXPECT_EQ(thanksFont, app.m_fontUI.Get());
    EXPECT_EQ(displayMode, 0);
}

TEST_F(AboutDlgTest, LinkButtonOpensTheProgramsAddress)
{
    std::vector<std::string> opened;
    const auto previous = CHoverButton::SetAddressOpener([&](LPCSTR address) { opened.push_back(address); });
    std::string url;
    std::string tooltip;
    RunCommand({[&](HWND dialog) {
        HWND button = Item(dialog, IDC_ABOUT_LINK);
        auto* link = dynamic_cast<CBevelButton*>(CWnd::FromHandlePermanent(button));
        ASSERT_NE(link, nullptr);
        url = link->GetURL();
        // The tooltip comes with the mouse.
        ::SendMessageA(button, WM_MOUSEMOVE, 0, MAKELPARAM(2, 2));
        if (HWND tip = link->GetTooltipWindow()) {
            char text[260] = {};
            TOOLINFOA tool{};
            tool.cbSize = TTTOOLINFOA_V2_SIZE;
            tool.hwnd = button;
            tool.uId = 1;
            tool.lpszText = text;
            ::SendMessageA(tip, TTM_GETTEXTA, sizeof text, reinterpret_cast<LPARAM>(&tool));
            tooltip = text;
        }
        Click(dialog, IDC_ABOUT_LINK);
        Click(dialog, IDOK);
    }});
    CHoverButton::SetAddressOpener(previous);
    EXPECT_EQ(url, CAboutDlg::kWebAddress);
    EXPECT_EQ(tooltip, CAboutDlg::kWebAddress);
    EXPECT_EQ(opened, std::vector<std::string>{CAboutDlg::kWebAddress});
}

TEST_F(AboutDlgTest, ClosesWithOkEscapeOrTheCloseBox)
{
    const std::vector<std::pair<const char*, ModalDriver::Step>> ways = {
        {"OK", [](HWND dialog) { Click(dialog, IDOK); }},
        {"Escape", [](HWND dialog) { PressEscape(dialog); }},
        {"close", [](HWND dialog) { ::PostMessageA(dialog, WM_CLOSE, 0, 0); }},
    };
    for (const auto& [name, way] : ways) {
        SCOPED_TRACE(name);
        RunCommand({way});
    }
}

TEST_F(AboutDlgTest, WindowIconIsTheDialogImageAndGoesWithTheBox)
{
    LoadAppImages();
    HICON icon = nullptr;
    RunCommand({[&](HWND dialog) {
        icon = reinterpret_cast<HICON>(::SendMessageA(dialog, WM_GETICON, ICON_SMALL, 0));
        Click(dialog, IDOK);
    }});
    EXPECT_NE(icon, nullptr);
    ICONINFO info{};
    EXPECT_FALSE(::GetIconInfo(icon, &info)) << "the icon was destroyed with the box";
}
