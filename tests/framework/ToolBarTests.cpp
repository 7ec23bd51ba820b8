// The tool bar: its resource read with every size checked, buttons set in
// code, the idle update enabling and checking buttons through the frame's
// command route, clicks reaching the frame as commands, and the bar lying
// along its dock bar, standing upright at the sides, floating and docking
// back by a double click on its gripper.
#include "framework/CmdUI.h"
#include "framework/ToolBar.h"
#include "framework/ToolBarResource.h"
#include "framework/WinApp.h"
#include "support/DockTestFrame.h"

#include "WindowTestIds.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

using namespace dock_test;

namespace {

constexpr UINT kBarId = 1201;

// A frame that runs two of the bar's commands and checks one of them.
class CToolBarTestFrame : public CTestDockFrame {
    DECLARE_COMMAND_MAP()

public:
    int routed = 0;
    bool checked = true;

private:
    void OnRouted() { ++routed; }
    void OnChecked() {}
    void OnUpdateChecked(CCmdUI* ui) { ui->SetCheck(checked ? 1 : 0); }
};

BEGIN_COMMAND_MAP(CToolBarTestFrame, CFrameWnd)
    ON_CMD(IDM_TEST_ROUTED, OnRouted)
    ON_CMD(IDM_TEST_CHECKED, OnChecked)
    ON_CMD_UI(IDM_TEST_CHECKED, OnUpdateChecked)
END_COMMAND_MAP()

class ToolBars : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_frame.Make());
        ASSERT_TRUE(m_bar.CreateEx(&m_frame, TBSTYLE_FLAT, WS_CHILD | WS_VISIBLE | CBRS_TOP | CBRS_GRIPPER, RECT{},
                                   kBarId));
        m_bar.EnableDocking(CBRS_ALIGN_ANY);
    }
    void TearDown() override
    {
        if (m_frame.m_hWnd)
            m_frame.DestroyWindow();
    }
    RECT BarRect() const { return CTestDockFrame::WindowRectOf(m_bar.m_hWnd); }
    // A point on the gripper, in screen coordinates.
    POINT GripperPoint() const
    {
        const RECT bar = BarRect();
        const CDockBar* dockBar = m_bar.GetDockBar();
        const UINT side = dockBar ? static_cast<UINT>(dockBar->GetDlgCtrlID()) : 0u;
        const bool upright = side == FWID_DOCKBAR_LEFT || side == FWID_DOCKBAR_RIGHT;
        return upright ? POINT{Center(bar).x, bar.top + 3} : POINT{bar.left + 3, Center(bar).y};
    }

    CToolBarTestFrame m_frame;
    CToolBar m_bar;
};

}  // namespace

TEST(ToolBarResource, EverySizeIsChecked)
{
    struct Case {
        const char* name;
        std::vector<uint16_t> words;
        size_t truncateBytes;  // bytes taken off the end
        bool accepted;
        size_t buttons;
    };
    const Case cases[] = {
        {"good", {1, 16, 15, 3, 100, 0, 101}, 0, true, 3},
        {"no buttons", {1, 16, 15, 0}, 0, true, 0},
        {"extra data is ignored", {1, 16, 15, 1, 100, 7, 7}, 0, true, 1},
        {"wrong version", {2, 16, 15, 1, 100}, 0, false, 0},
        {"count beyond the data", {1, 16, 15, 4, 100, 101}, 0, false, 0},
        {"last id cut in half", {1, 16, 15, 2, 100, 101}, 1, false, 0},
        {"no image width", {1, 0, 15, 1, 100}, 0, false, 0},
        {"no image height", {1, 16, 0, 1, 100}, 0, false, 0},
        {"huge image", {1, 60000, 15, 1, 100}, 0, false, 0},
        {"header cut short", {1, 16, 15}, 0, false, 0},
    };
    for (const Case& test : cases) {
        SCOPED_TRACE(test.name);
        ToolBarResource resource;
        resource.commands = {9, 9};
        const DWORD size = static_cast<DWORD>(test.words.size() * sizeof(uint16_t) - test.truncateBytes);
        EXPECT_EQ(ParseToolBarResource(test.words.data(), size, resource), test.accepted);
        EXPECT_EQ(resource.commands.size(), test.buttons) << "a refused resource leaves nothing behind";
        if (test.accepted) {
            EXPECT_EQ(resource.imageWidth, 16);
            EXPECT_EQ(resource.imageHeight, 15);
        }
    }
    ToolBarResource resource;
    EXPECT_FALSE(ParseToolBarResource(nullptr, 100, resource));
}

TEST_F(ToolBars, LoadsTheResourceButtonsAndImages)
{
    ASSERT_TRUE(m_bar.LoadToolBar(IDR_TEST_TOOLBAR));
    ASSERT_EQ(m_bar.GetCount(), 5);
    const UINT ids[] = {IDM_TEST_ROUTED, IDM_TEST_CHECKED, 0, IDM_TEST_HANDLED_ONLY, IDM_TEST_UNHANDLED};
    const int images[] = {0, 1, -1, 2, 3};
    for (int index = 0; index < 5; ++index) {
        UINT command = 0, style = 0;
        int image = 0;
        m_bar.GetButtonInfo(index, command, style, image);
        EXPECT_EQ(command, ids[index]) << index;
        EXPECT_EQ((style & TBSTYLE_SEP) != 0, ids[index] == 0) << index;
        EXPECT_EQ(image, images[index]) << index;
    }
    EXPECT_EQ(m_bar.CommandToIndex(IDM_TEST_HANDLED_ONLY), 3);
    EXPECT_EQ(m_bar.CommandToIndex(12345), -1);
    // The classic margins around a 16 x 16 image.
    EXPECT_EQ(m_bar.GetButtonSize().cx, 23);
    EXPECT_EQ(m_bar.GetButtonSize().cy, 22);
    const RECT first = m_bar.GetItemRect(0);
    EXPECT_EQ(Width(first), 23);
    EXPECT_EQ(Height(first), 22);

    // Damaged resources load nothing and leave the buttons as they were.
    for (UINT damaged : {UINT{IDR_TEST_TOOLBAR_WRONG_VERSION}, UINT{IDR_TEST_TOOLBAR_SHORT}, UINT{IDR_TEST_TOOLBAR_NO_IMAGE_SIZE},
                         UINT{IDR_TEST_TOOLBAR_HEADER_ONLY}, 64199u}) {
        EXPECT_FALSE(m_bar.LoadToolBar(damaged)) << damaged;
        EXPECT_EQ(m_bar.GetCount(), 5) << damaged;
    }
    // Buttons smaller than their images make no bar.
    EXPECT_FALSE(m_bar.SetSizes(SIZE{16, 16}, SIZE{16, 16}));
}

TEST_F(ToolBars, ButtonsSetInCodeTakeTheirImagesAndStyles)
{
    ASSERT_TRUE(m_bar.SetSizes(SIZE{30, 28}, SIZE{20, 20}));
    ASSERT_TRUE(m_bar.SetButtons({IDM_TEST_ROUTED, 0, IDM_TEST_CHECKED}));
    EXPECT_EQ(m_bar.GetCount(), 3);
    m_bar.SetButtonInfo(2, IDM_TEST_UNHANDLED, TBSTYLE_BUTTON, 7);
    UINT command = 0, style = 0;
    int image = 0;
    m_bar.GetButtonInfo(2, command, style, image);
    EXPECT_EQ(command, static_cast<UINT>(IDM_TEST_UNHANDLED));
    EXPECT_EQ(image, 7);
    m_bar.SetButtonInfo(9, IDM_TEST_ROUTED, TBSTYLE_BUTTON, 1);  // no such button: nothing happens
    EXPECT_EQ(m_bar.GetCount(), 3);
    // Along a dock bar: two buttons and a separator, the gripper before them.
    const SIZE horz = m_bar.CalcFixedLayout(FALSE, TRUE);
    EXPECT_GT(horz.cx, 2 * 30 + CToolBar::kGripperRoom);
    EXPECT_LT(horz.cx, 3 * 30 + CToolBar::kGripperRoom);
    EXPECT_EQ(horz.cy, 28);
    // Upright: one button a row, no separator, the gripper on top.
    const SIZE vert = m_bar.CalcFixedLayout(FALSE, FALSE);
    EXPECT_EQ(vert.cx, 30);
    EXPECT_EQ(vert.cy, 2 * 28 + CToolBar::kGripperRoom);
    ASSERT_TRUE(m_bar.SetButtons({}));
    EXPECT_EQ(m_bar.GetCount(), 0);
}

TEST_F(ToolBars, IdleUpdateEnablesAndChecksThroughTheFrame)
{
    ASSERT_TRUE(m_bar.LoadToolBar(IDR_TEST_TOOLBAR));
    m_frame.DockControlBar(&m_bar, FWID_DOCKBAR_TOP);
    m_frame.Settle();
    struct Case {
        bool checked;
    };
    for (const Case test : {Case{true}, Case{false}}) {
        m_frame.checked = test.checked;
        m_frame.SendMessage(FrameworkIdleUpdateMessage(), TRUE, 0);
        EXPECT_TRUE(m_bar.IsButtonEnabled(0)) << "handled";
        EXPECT_TRUE(m_bar.IsButtonEnabled(1)) << "handled, with an update handler";
        EXPECT_EQ(m_bar.IsButtonChecked(1), test.checked);
        EXPECT_FALSE(m_bar.IsButtonEnabled(4)) << "no handler anywhere";
    }
    // Without disabling the unhandled, a button keeps its state.
    m_bar.SendMessage(TB_ENABLEBUTTON, IDM_TEST_UNHANDLED, MAKELPARAM(TRUE, 0));
    m_frame.SendMessage(FrameworkIdleUpdateMessage(), FALSE, 0);
    EXPECT_TRUE(m_bar.IsButtonEnabled(4));
}

TEST_F(ToolBars, AClickReachesTheFrameAsACommand)
{
    ASSERT_TRUE(m_bar.LoadToolBar(IDR_TEST_TOOLBAR));
    m_frame.DockControlBar(&m_bar, FWID_DOCKBAR_TOP);
    m_frame.Settle();
    const RECT button = m_bar.GetItemRect(0);
    const LPARAM at = MAKELPARAM((button.left + button.right) / 2, (button.top + button.bottom) / 2);
    m_bar.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, at);
    m_bar.SendMessage(WM_LBUTTONUP, 0, at);
    m_frame.Settle();
    EXPECT_EQ(m_frame.routed, 1);
    EXPECT_FALSE(m_bar.IsFloating()) << "a click on a button never drags the bar";
}

TEST_F(ToolBars, DocksAlongEachSideFloatsAndDocksBack)
{
    ASSERT_TRUE(m_bar.LoadToolBar(IDR_TEST_TOOLBAR));
    const SIZE horz = m_bar.CalcFixedLayout(FALSE, TRUE);
    const SIZE vert = m_bar.CalcFixedLayout(FALSE, FALSE);
    struct Case {
        UINT dockBar;
        SIZE size;
    };
    for (const Case test : {Case{FWID_DOCKBAR_TOP, horz}, Case{FWID_DOCKBAR_LEFT, vert},
                            Case{FWID_DOCKBAR_BOTTOM, horz}, Case{FWID_DOCKBAR_RIGHT, vert}}) {
        SCOPED_TRACE(test.dockBar);
        m_frame.DockControlBar(&m_bar, test.dockBar);
        m_frame.RecalcLayout();
        m_frame.Settle();
        EXPECT_EQ(m_bar.GetDockBar(), m_frame.GetDockBar(test.dockBar));
        EXPECT_EQ(Width(BarRect()), test.size.cx);
        EXPECT_EQ(Height(BarRect()), test.size.cy);
        // Every button lies inside the bar's client area.
        RECT client;
        m_bar.GetClientRect(&client);
        const RECT last = m_bar.GetItemRect(m_bar.GetCount() - 1);
        EXPECT_LE(last.right, client.right);
        EXPECT_LE(last.bottom, client.bottom);
    }

    // A double click on the gripper floats the bar lying along its length ...
    m_frame.DockControlBar(&m_bar, FWID_DOCKBAR_TOP);
    m_frame.RecalcLayout();
    m_frame.Settle();
    DoubleClick(m_bar.m_hWnd, GripperPoint());
    m_frame.Settle();
    ASSERT_TRUE(m_bar.IsFloating());
    EXPECT_EQ(Width(BarRect()), horz.cx);
    EXPECT_FALSE(::IsWindowVisible(m_frame.GetDockBar(FWID_DOCKBAR_TOP)->m_hWnd) &&
                 m_frame.GetDockBar(FWID_DOCKBAR_TOP)->GetVisibleBarCount() > 0);
    // ... and another docks it where it was.
    DoubleClick(m_bar.m_hWnd, GripperPoint());
    m_frame.Settle();
    EXPECT_FALSE(m_bar.IsFloating());
    EXPECT_EQ(m_bar.GetDockBar(), m_frame.GetDockBar(FWID_DOCKBAR_TOP));
}

TEST_F(ToolBars, TipsAreThePromptsPartAfterTheLineBreak)
{
    ASSERT_TRUE(m_bar.LoadToolBar(IDR_TEST_TOOLBAR));
    struct Case {
        UINT command;
        int room;
        const char* tip;
    };
    const Case cases[] = {
        {IDM_TEST_ROUTED, 80, "Routed"},
        {IDM_TEST_ROUTED, 4, "Rou"},  // cut to the room the tip has
        {IDM_TEST_CHECKED, 80, "A prompt without a tip"},
        {IDM_TEST_UNHANDLED, 80, ""},  // no prompt at all
    };
    for (const Case& test : cases) {
        SCOPED_TRACE(test.tip);
        char text[80] = {};
        NMTBGETINFOTIPA tip{};
        tip.hdr.hwndFrom = m_bar.m_hWnd;
        tip.hdr.idFrom = kBarId;
        tip.hdr.code = TBN_GETINFOTIPA;
        tip.pszText = text;
        tip.cchTextMax = test.room;
        tip.iItem = static_cast<int>(test.command);
        // The control asks the frame, which hands the question to the bar.
        m_frame.SendMessage(WM_NOTIFY, kBarId, reinterpret_cast<LPARAM>(&tip));
        EXPECT_STREQ(text, test.tip);
    }
}
