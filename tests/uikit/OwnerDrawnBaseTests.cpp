// The owner-drawn dialog and frame bases: their menus and system menus become
// CNewMenus, pop-ups of a dialog's menu are enabled through its command table,
// menu messages reach the menu library, and the menu bar is hot-tracked by
// hand on the systems that need it.
#include "OwnerDrawnTestIds.h"
#include "OwnerDrawnTestSupport.h"

#include "framework/ErrorReport.h"
#include "uikit/NewDialog.h"
#include "uikit/NewFrameWnd.h"
#include "uikit/MenuLibrary.h"
#include "uikit/NewMenu.h"
#include "uikit/OsVersion.h"

#include <gtest/gtest.h>

#include <vector>

using namespace uikit_test;

namespace {

bool IsOwnerDrawn(HMENU menu, UINT position)
{
    MENUITEMINFOA info{};
    info.cbSize = sizeof info;
    info.fMask = MIIM_FTYPE;
    return ::GetMenuItemInfoA(menu, position, TRUE, &info) && (info.fType & MFT_OWNERDRAW) != 0;
}

// The item id a bar item that opens a pop-up is drawn with: the pop-up's handle.
UINT BarItemId(HMENU bar, int position)
{
    return static_cast<UINT>(reinterpret_cast<UINT_PTR>(::GetSubMenu(bar, position)));
}

UINT StateOf(HMENU menu, UINT id)
{
    return ::GetMenuState(menu, id, MF_BYCOMMAND);
}

class CMenuTestDialog : public CNewDialog {
    DECLARE_COMMAND_MAP()

public:
    explicit CMenuTestDialog(UINT templateId) : CNewDialog(templateId) {}
    int m_nHandled = 0;

private:
    void OnHandled() { ++m_nHandled; }
};

BEGIN_COMMAND_MAP(CMenuTestDialog, CNewDialog)
    ON_CMD(IDM_UIKIT_HANDLED, OnHandled)
END_COMMAND_MAP()

// ---- dialog base ----------------------------------------------------------------------

TEST(NewDialog, TheTemplateIdIsAlsoTheHelpId)
{
    CNewDialog dialog(IDD_UIKIT_PLAIN_DIALOG);
    EXPECT_EQ(dialog.m_nIDTemplate, static_cast<UINT>(IDD_UIKIT_PLAIN_DIALOG));
    EXPECT_EQ(dialog.m_nIDHelp, static_cast<UINT>(IDD_UIKIT_PLAIN_DIALOG));
    EXPECT_EQ(dialog.GetMenuGlue().m_hotItem, -1);
    EXPECT_EQ(dialog.GetMenuGlue().m_inMenuLoop, 0u);
    EXPECT_EQ(dialog.GetMenuGlue().m_hotTimer, 0u);
}

TEST(NewDialog, ADialogWithoutMenuStillOwnsItsSystemMenu)
{
    CMenuTestDialog dialog(IDD_UIKIT_PLAIN_DIALOG);
    ASSERT_TRUE(dialog.Create(IDD_UIKIT_PLAIN_DIALOG));
    EXPECT_EQ(dialog.GetNewSystemMenu().m_hMenu, ::GetSystemMenu(dialog, FALSE));
    EXPECT_EQ(dialog.GetNewMenu().m_hMenu, nullptr);

    // Opening it makes its items owner-drawn.
    HMENU system = ::GetSystemMenu(dialog, FALSE);
    dialog.SendMessage(WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(system), MAKELPARAM(0, TRUE));
    EXPECT_TRUE(IsOwnerDrawn(system, 0));
    dialog.DestroyWindow();
}

TEST(NewDialog, TheDialogsMenuBecomesOwnerDrawn)
{
    CMenuTestDialog dialog(IDD_UIKIT_MENU_DIALOG);
    ASSERT_TRUE(dialog.Create(IDD_UIKIT_MENU_DIALOG));
    HMENU menu = ::GetMenu(dialog);
    ASSERT_NE(menu, nullptr);
    EXPECT_EQ(dialog.GetNewMenu().m_hMenu, menu);
    EXPECT_TRUE(IsOwnerDrawn(menu, 0));
    HMENU popup = ::GetSubMenu(menu, 0);
    ASSERT_NE(popup, nullptr);
    for (UINT position = 0; position < 3; ++position)
        EXPECT_TRUE(IsOwnerDrawn(popup, position)) << position;
    dialog.DestroyWindow();
}

TEST(NewDialog, APopUpIsEnabledThroughTheDialogsCommandTable)
{
    CMenuTestDialog dialog(IDD_UIKIT_MENU_DIALOG);
    ASSERT_TRUE(dialog.Create(IDD_UIKIT_MENU_DIALOG));
    HMENU popup = ::GetSubMenu(::GetMenu(dialog), 0);
    ASSERT_NE(popup, nullptr);
    dialog.SendMessage(WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(popup), MAKELPARAM(0, FALSE));

    const struct {
        UINT id;
        bool grayed;
    } cases[] = {
        {IDM_UIKIT_HANDLED, false},
        {IDM_UIKIT_UNHANDLED, true},
    };
    for (const auto& c : cases)
        EXPECT_EQ((StateOf(popup, c.id) & MF_GRAYED) != 0, c.grayed) << c.id;
    // The item that opens a sub-menu is never disabled for want of a handler.
    EXPECT_EQ(::GetMenuState(popup, 2, MF_BYPOSITION) & MF_GRAYED, 0u);

    // The command itself reaches the table.
    dialog.SendMessage(WM_COMMAND, MAKEWPARAM(IDM_UIKIT_HANDLED, 0), 0);
    EXPECT_EQ(dialog.m_nHandled, 1);
    dialog.DestroyWindow();
}

TEST(NewDialog, MenuMessagesReachTheMenuLibrary)
{
    CMenuTestDialog dialog(IDD_UIKIT_MENU_DIALOG);
    ASSERT_TRUE(dialog.Create(IDD_UIKIT_MENU_DIALOG));
    HMENU popup = ::GetSubMenu(::GetMenu(dialog), 0);
    ASSERT_NE(popup, nullptr);

    // WM_MENUCHAR: the mnemonic of the second item.
    const LRESULT answer = dialog.SendMessage(WM_MENUCHAR, MAKEWPARAM('u', MF_POPUP), reinterpret_cast<LPARAM>(popup));
    EXPECT_EQ(HIWORD(answer), MNC_EXECUTE);
    EXPECT_EQ(LOWORD(answer), 1);

    // WM_MEASUREITEM of an owner-drawn item.
    MENUITEMINFOA info{};
    info.cbSize = sizeof info;
    info.fMask = MIIM_DATA;
    ASSERT_TRUE(::GetMenuItemInfoA(popup, IDM_UIKIT_HANDLED, FALSE, &info));
    MEASUREITEMSTRUCT measure{};
    measure.CtlType = ODT_MENU;
    measure.itemID = IDM_UIKIT_HANDLED;
    measure.itemData = info.dwItemData;
    EXPECT_TRUE(dialog.SendMessage(WM_MEASUREITEM, 0, reinterpret_cast<LPARAM>(&measure)));
    EXPECT_GT(measure.itemWidth, 0u);
    EXPECT_GT(measure.itemHeight, 0u);
    dialog.DestroyWindow();
}

// ---- frame base -------------------------------------------------------------------------

// A frame that notes which menu-bar items were drawn, and how.
class CBarTestFrame : public CNewFrameWnd {
public:
    CBarTestFrame() { m_bAutoDelete = false; }
    ~CBarTestFrame() override
    {
        if (m_hWnd)
            ::DestroyWindow(m_hWnd);
    }

    struct Drawn {
        UINT itemId;
        UINT state;
    };
    std::vector<Drawn> m_drawn;

    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        if (message == WM_DRAWITEM) {
            const auto* item = reinterpret_cast<const DRAWITEMSTRUCT*>(lParam);
            if (item->CtlType == ODT_MENU)
                m_drawn.push_back({item->itemID, item->itemState});
        }
        return CNewFrameWnd::WindowProc(message, wParam, lParam);
    }
};

TEST(NewFrameWnd, CreateLoadsTheMenuAsANewMenuOrFails)
{
    {
        CBarTestFrame frame;
        ASSERT_TRUE(frame.Create(nullptr, "frame", WS_OVERLAPPEDWINDOW, RECT{0, 0, 300, 200}, nullptr,
                                 MAKEINTRESOURCEA(IDR_UIKIT_DIALOG_MENU), 0, nullptr));
        EXPECT_EQ(::GetMenu(frame), frame.GetNewMenu().m_hMenu);
        EXPECT_TRUE(IsOwnerDrawn(::GetMenu(frame), 0));
        EXPECT_EQ(frame.GetNewSystemMenu().m_hMenu, ::GetSystemMenu(frame, FALSE));
    }
    CBarTestFrame missing;
    EXPECT_FALSE(missing.Create(nullptr, "frame", WS_OVERLAPPEDWINDOW, RECT{0, 0, 300, 200}, nullptr,
                                MAKEINTRESOURCEA(9199), 0, nullptr));
    EXPECT_EQ(missing.m_hWnd, nullptr);
}

TEST(NewFrameWnd, LoadFrameKeepsTheMenuAndTheHelpId)
{
    CBarTestFrame frame;
    ASSERT_TRUE(frame.LoadFrame(IDR_UIKIT_DIALOG_MENU, WS_OVERLAPPEDWINDOW));
    EXPECT_EQ(frame.m_nIDHelp, static_cast<UINT>(IDR_UIKIT_DIALOG_MENU));
    EXPECT_EQ(frame.m_hMenuDefault, ::GetMenu(frame));
    EXPECT_EQ(frame.GetNewMenu().m_hMenu, ::GetMenu(frame));
}

class HotTrackingTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_frame.Create(nullptr, "frame", WS_OVERLAPPEDWINDOW | WS_VISIBLE, RECT{0, 0, 400, 300},
                                   nullptr, MAKEINTRESOURCEA(IDR_UIKIT_DIALOG_MENU), 0, nullptr));
        PumpPending();
    }

    POINT CentreOfBarItem(int position)
    {
        RECT rect{};
        ::GetMenuItemRect(m_frame, ::GetMenu(m_frame), position, &rect);
        return POINT{(rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2};
    }
    LRESULT HitTest(POINT screen) { return m_frame.SendMessage(WM_NCHITTEST, 0, MAKELPARAM(screen.x, screen.y)); }

    CBarTestFrame m_frame;
};

TEST_F(HotTrackingTest, MovingAcrossTheBarRedrawsTheOldItemBeforeTheNewOneIsHot)
{
    if (OSVersionCode() >= 6)
        GTEST_SKIP() << "this system tracks the menu bar itself";
    const CMenuWindowGlue& glue = m_frame.GetMenuGlue();
    HMENU bar = ::GetMenu(m_frame);

    EXPECT_EQ(HitTest(CentreOfBarItem(0)), HTMENU);
    EXPECT_EQ(glue.m_hotItem, 0);
    EXPECT_NE(glue.m_hotTimer, 0u);
    ASSERT_FALSE(m_frame.m_drawn.empty());
    EXPECT_NE(m_frame.m_drawn.back().state & ODS_HOTLIGHT, 0u);

    m_frame.m_drawn.clear();
    EXPECT_EQ(HitTest(CentreOfBarItem(1)), HTMENU);
    EXPECT_EQ(glue.m_hotItem, 1);
    ASSERT_EQ(m_frame.m_drawn.size(), 2u);
    EXPECT_EQ(m_frame.m_drawn[0].itemId, BarItemId(bar, 0));
    EXPECT_EQ(m_frame.m_drawn[0].state & ODS_HOTLIGHT, 0u);
    EXPECT_EQ(m_frame.m_drawn[1].itemId, BarItemId(bar, 1));
    EXPECT_NE(m_frame.m_drawn[1].state & ODS_HOTLIGHT, 0u);

    // Off the bar: the hot item is drawn normal and forgotten, the timer stops.
    m_frame.m_drawn.clear();
    POINT client{150, 150};
    m_frame.ClientToScreen(&client);
    EXPECT_EQ(HitTest(client), HTCLIENT);
    EXPECT_EQ(glue.m_hotItem, -1);
    EXPECT_EQ(glue.m_hotTimer, 0u);
    ASSERT_EQ(m_frame.m_drawn.size(), 1u);
    EXPECT_EQ(m_frame.m_drawn[0].state & ODS_HOTLIGHT, 0u);
}

TEST_F(HotTrackingTest, TheMenuLoopEndsHotTracking)
{
    if (OSVersionCode() >= 6)
        GTEST_SKIP() << "this system tracks the menu bar itself";
    const CMenuWindowGlue& glue = m_frame.GetMenuGlue();
    HitTest(CentreOfBarItem(0));
    ASSERT_EQ(glue.m_hotItem, 0);

    m_frame.m_drawn.clear();
    m_frame.SendMessage(WM_ENTERMENULOOP, FALSE, 0);
    EXPECT_EQ(glue.m_inMenuLoop, 1u);
    EXPECT_EQ(glue.m_hotItem, -1);
    EXPECT_EQ(glue.m_hotTimer, 0u);
    ASSERT_EQ(m_frame.m_drawn.size(), 1u);
    EXPECT_EQ(m_frame.m_drawn[0].state, 0u);

    // Inside the loop the bar is left to the menu.
    EXPECT_EQ(HitTest(CentreOfBarItem(1)), HTMENU);
    EXPECT_EQ(glue.m_hotItem, -1);

    m_frame.SendMessage(WM_EXITMENULOOP, FALSE, 0);
    EXPECT_EQ(glue.m_inMenuLoop, 0u);
    HitTest(CentreOfBarItem(1));
    EXPECT_EQ(glue.m_hotItem, 1);
}

TEST_F(HotTrackingTest, AnItemTheSystemRepaintedNormalIsDrawnHotAgain)
{
    if (OSVersionCode() >= 6)
        GTEST_SKIP() << "this system tracks the menu bar itself";
    const CMenuWindowGlue& glue = m_frame.GetMenuGlue();
    const POINT item = CentreOfBarItem(0);
    HitTest(item);
    ASSERT_EQ(glue.m_hotItem, 0);
    ASSERT_NE(MenuLibrary().hotBarItem, nullptr);

    // Still hot: the same item is not drawn again.
    m_frame.m_drawn.clear();
    EXPECT_EQ(HitTest(item), HTMENU);
    EXPECT_TRUE(m_frame.m_drawn.empty());

    // The system paints the bar over, without the hot mark.
    ::RedrawWindow(m_frame, nullptr, nullptr, RDW_FRAME | RDW_INVALIDATE | RDW_UPDATENOW);
    PumpPending();
    ASSERT_EQ(MenuLibrary().hotBarItem, nullptr);

    m_frame.m_drawn.clear();
    EXPECT_EQ(HitTest(item), HTMENU);
    ASSERT_EQ(m_frame.m_drawn.size(), 1u);
    EXPECT_EQ(m_frame.m_drawn[0].itemId, BarItemId(::GetMenu(m_frame), 0));
    EXPECT_NE(m_frame.m_drawn[0].state & ODS_HOTLIGHT, 0u);
    EXPECT_NE(MenuLibrary().hotBarItem, nullptr);
    EXPECT_EQ(glue.m_hotItem, 0);
    EXPECT_NE(glue.m_hotTimer, 0u);
}

TEST_F(HotTrackingTest, TheTimerReChecksTheCursor)
{
    if (OSVersionCode() >= 6)
        GTEST_SKIP() << "this system tracks the menu bar itself";
    const CMenuWindowGlue& glue = m_frame.GetMenuGlue();
    const POINT item = CentreOfBarItem(0);
    ASSERT_TRUE(::SetCursorPos(item.x, item.y));
    HitTest(item);
    ASSERT_NE(glue.m_hotTimer, 0u);

    // The cursor leaves; the next tick notices.
    POINT away{150, 150};
    m_frame.ClientToScreen(&away);
    ASSERT_TRUE(::SetCursorPos(away.x, away.y));
    m_frame.SendMessage(WM_TIMER, glue.m_hotTimer, 0);
    EXPECT_EQ(glue.m_hotItem, -1);
    EXPECT_EQ(glue.m_hotTimer, 0u);
}

}  // namespace
