// Control bars in a frame's dock bars: the frame's layout around them, rows,
// hiding, floating and docking by double click and by the drag loop driven
// with mouse messages, and the bar layout saved to and loaded from the profile.
#include "framework/ControlBar.h"
#include "framework/DockBar.h"
#include "framework/DockContext.h"
#include "framework/DockState.h"
#include "framework/MiniDockFrameWnd.h"
#include "framework/WinApp.h"
#include "support/DockTestFrame.h"

#include <gtest/gtest.h>

#include <functional>
#include <map>
#include <string>

using namespace dock_test;

namespace {

constexpr char kRegistryKey[] = "SleevoryDockingTests";
constexpr char kProfileName[] = "Layout";
constexpr UINT kToolBarId = 1101;
constexpr UINT kPaletteId = 1102;
constexpr UINT kStripId = 1103;

class Docking : public ::testing::Test {
protected:
    Docking() : m_app("DockingTest")
    {
        RemoveScratchKey();
        m_app.SetRegistryKey(kRegistryKey);
    }
    ~Docking() override
    {
        DestroyFrame();
        RemoveScratchKey();
    }
    static void RemoveScratchKey() { ::RegDeleteTreeA(HKEY_CURRENT_USER, "Software\\SleevoryDockingTests"); }

    // A frame with three bars in the caller's default layout: tool bar and
    // strip in one row at the top, the palette on the left.
    void BuildFrame(bool withStrip = true)
    {
        m_frame = std::make_unique<CTestDockFrame>();
        ASSERT_TRUE(m_frame->Make());
        m_toolBar = std::make_unique<CFixedBar>(SIZE{160, 30});
        m_palette = std::make_unique<CFixedBar>(SIZE{120, 40});
        ASSERT_TRUE(m_toolBar->Make(*m_frame, kToolBarId));
        ASSERT_TRUE(m_palette->Make(*m_frame, kPaletteId));
        m_frame->DockControlBar(m_toolBar.get(), FWID_DOCKBAR_TOP);
        m_frame->DockControlBar(m_palette.get(), FWID_DOCKBAR_LEFT);
        if (withStrip) {
            m_strip = std::make_unique<CFixedBar>(SIZE{90, 24});
            ASSERT_TRUE(m_strip->Make(*m_frame, kStripId));
            m_frame->RecalcLayout();
            RECT beside = CTestDockFrame::WindowRectOf(*m_toolBar);
            ::OffsetRect(&beside, Width(beside), 0);
            m_frame->DockControlBar(m_strip.get(), FWID_DOCKBAR_TOP, &beside);
        }
        m_frame->RecalcLayout();
        m_frame->Settle();
    }
    void DestroyFrame()
    {
        if (m_frame && m_frame->m_hWnd)
            m_frame->DestroyWindow();
        m_strip.reset();
        m_palette.reset();
        m_toolBar.reset();
        m_frame.reset();
    }
    CDockBar& Dock(UINT id) { return *m_frame->GetDockBar(id); }
    RECT DockRect(UINT id) { return CTestDockFrame::WindowRectOf(Dock(id)); }
    // Every bar's place and visibility, by id.
    std::map<UINT, std::pair<RECT, bool>> Snapshot() const
    {
        std::map<UINT, std::pair<RECT, bool>> places;
        for (CControlBar* bar : m_frame->GetControlBars()) {
            if (!bar->IsDockBar())
                places[bar->GetDlgCtrlID()] = {CTestDockFrame::WindowRectOf(*bar), bar->IsVisible()};
        }
        return places;
    }

    CWinApp m_app;
    std::unique_ptr<CTestDockFrame> m_frame;
    std::unique_ptr<CFixedBar> m_toolBar, m_palette, m_strip;
};

TEST_F(Docking, DockBarsTakeTheirRoomAtTheEdgesAndTheViewGetsTheRest)
{
    BuildFrame();
    const RECT top = DockRect(FWID_DOCKBAR_TOP);
    const RECT left = DockRect(FWID_DOCKBAR_LEFT);
    const RECT view = m_frame->ViewRect();
    EXPECT_EQ(view.top, top.bottom);
    EXPECT_EQ(view.left, left.right);
    EXPECT_EQ(left.top, top.bottom) << "the top dock bar spans the whole width";
    // Bars overlap the dock bar's ends by 2 pixels.
    EXPECT_EQ(Height(top), 30 - 4);
    EXPECT_EQ(Width(left), 40 - 4);
    EXPECT_EQ(Height(DockRect(FWID_DOCKBAR_BOTTOM)), 0);

    // Tool bar and strip share the first row, side by side, overlapping by 2.
    const RECT tool = CTestDockFrame::WindowRectOf(*m_toolBar);
    const RECT strip = CTestDockFrame::WindowRectOf(*m_strip);
    EXPECT_EQ(strip.left, tool.right - 2);
    EXPECT_EQ(strip.top, tool.top);
    EXPECT_EQ(Width(tool), 160);
    EXPECT_TRUE(m_palette->GetDockBar() == &Dock(FWID_DOCKBAR_LEFT));
    EXPECT_FALSE(m_palette->IsHorz()) << "a bar on the left lies vertically";
    EXPECT_EQ(Height(CTestDockFrame::WindowRectOf(*m_palette)), 120);
}

TEST_F(Docking, ABarDroppedBelowARowOpensANewRow)
{
    BuildFrame();
    const int oneRow = Height(DockRect(FWID_DOCKBAR_TOP));
    RECT below = CTestDockFrame::WindowRectOf(*m_strip);
    ::OffsetRect(&below, 0, Height(below) + 10);
    m_frame->DockControlBar(m_strip.get(), FWID_DOCKBAR_TOP, &below);
    m_frame->RecalcLayout();
    // Rows overlap by 2 like neighbours in a row.
    EXPECT_EQ(Height(DockRect(FWID_DOCKBAR_TOP)), oneRow + 24 - 2);
    EXPECT_EQ(CTestDockFrame::WindowRectOf(*m_strip).left, CTestDockFrame::WindowRectOf(*m_toolBar).left);
    const auto& bars = Dock(FWID_DOCKBAR_TOP).m_arrBars;
    EXPECT_EQ(bars, (std::vector<CControlBar*>{nullptr, m_toolBar.get(), nullptr, m_strip.get(), nullptr}));
}

TEST_F(Docking, HidingABarGivesItsRoomBackAndShowingTakesItAgain)
{
    BuildFrame(false);
    const RECT viewBefore = m_frame->ViewRect();
    m_frame->ShowControlBar(m_palette.get(), FALSE, FALSE);
    EXPECT_FALSE(m_palette->IsVisible());
    EXPECT_EQ(Width(DockRect(FWID_DOCKBAR_LEFT)), 0);
    EXPECT_EQ(m_frame->ViewRect().left, viewBefore.left - (40 - 4));
    EXPECT_EQ(m_palette->GetDockBar(), &Dock(FWID_DOCKBAR_LEFT)) << "a hidden bar keeps its place";

    m_frame->ShowControlBar(m_palette.get(), TRUE, TRUE);
    m_frame->Settle();
    EXPECT_TRUE(SameRect(viewBefore, m_frame->ViewRect()));
}

TEST_F(Docking, DoubleClickFloatsADockedBarAndDocksItBackWhereItWas)
{
    BuildFrame(false);
    const RECT docked = CTestDockFrame::WindowRectOf(*m_toolBar);
    DoubleClick(*m_toolBar, Center(docked));
    m_frame->Settle();
    ASSERT_TRUE(m_toolBar->IsFloating());
    HWND floating = ::GetParent(::GetParent(*m_toolBar));
    EXPECT_TRUE(dynamic_cast<CMiniDockFrameWnd*>(CWnd::FromHandlePermanent(floating)) != nullptr);
    EXPECT_TRUE(::IsWindowVisible(floating));
    EXPECT_EQ(::GetWindow(floating, GW_OWNER), m_frame->m_hWnd);
    EXPECT_EQ(Height(DockRect(FWID_DOCKBAR_TOP)), 0);
    EXPECT_EQ(m_frame->ViewRect().top, DockRect(FWID_DOCKBAR_TOP).bottom);
    // The floating frame fits the bar: its client area is the bar less its 2-pixel rim.
    RECT client;
    ::GetClientRect(floating, &client);
    EXPECT_EQ(Width(client), 160 - 4);
    EXPECT_EQ(Height(client), 30 - 4);

    // Double-clicking the floating frame's caption docks it at the top again.
    RECT frameRect = CTestDockFrame::WindowRectOf(floating);
    ::SendMessageA(floating, WM_NCLBUTTONDBLCLK, HTCAPTION, MAKELPARAM(frameRect.left + 5, frameRect.top + 3));
    m_frame->Settle();
    EXPECT_FALSE(m_toolBar->IsFloating());
    EXPECT_EQ(m_toolBar->GetDockBar(), &Dock(FWID_DOCKBAR_TOP));
    EXPECT_TRUE(SameRect(docked, CTestDockFrame::WindowRectOf(*m_toolBar)));
    EXPECT_FALSE(::IsWindowVisible(floating)) << "the empty floating frame goes out of sight";
}

TEST_F(Docking, EachBarOfARowFloatsAndDocksBackToItsPlaceInTheRow)
{
    // The first bar is taller than the other: put back, it must find the
    // row the other one now holds alone, and its place before the bar that
    // moved up into its gap.
    BuildFrame();
    const auto before = Snapshot();
    for (CFixedBar* bar : {m_toolBar.get(), m_strip.get()}) {
        SCOPED_TRACE(bar->GetDlgCtrlID());
        DoubleClick(*bar, Center(CTestDockFrame::WindowRectOf(*bar)));
        m_frame->Settle();
        ASSERT_TRUE(bar->IsFloating());
        DoubleClick(*bar, Center(CTestDockFrame::WindowRectOf(*bar)));
        m_frame->Settle();
        EXPECT_EQ(Dock(FWID_DOCKBAR_TOP).m_arrBars,
                  (std::vector<CControlBar*>{nullptr, m_toolBar.get(), m_strip.get(), nullptr}));
        const auto after = Snapshot();
        for (const auto& [id, place] : before) {
            SCOPED_TRACE(id);
            EXPECT_TRUE(SameRect(place.first, after.at(id).first));
        }
    }
}

TEST_F(Docking, TheDragLoopFloatsDocksAndCancelsByTheMouse)
{
    BuildFrame(false);
    const RECT frameClient = [&] {
        RECT r;
        ::GetClientRect(*m_frame, &r);
        ::MapWindowPoints(*m_frame, nullptr, reinterpret_cast<POINT*>(&r), 2);
        return r;
    }();
    const RECT docked = CTestDockFrame::WindowRectOf(*m_toolBar);
    const POINT grab{docked.left + 10, docked.top + 10};

    // Escape ends the drag with nothing changed.
    DragWithMouse(*m_toolBar, grab, Center(frameClient), true);
    m_frame->Settle();
    EXPECT_FALSE(m_toolBar->IsFloating());
    EXPECT_EQ(::GetCapture(), nullptr);

    // Dropped in the middle of the frame, away from every dock bar: it floats there.
    const POINT middle = Center(frameClient);
    DragWithMouse(*m_toolBar, grab, middle);
    m_frame->Settle();
    ASSERT_TRUE(m_toolBar->IsFloating());
    HWND floating = ::GetParent(::GetParent(*m_toolBar));
    const RECT floatRect = CTestDockFrame::WindowRectOf(floating);
    EXPECT_TRUE(::PtInRect(&floatRect, middle)) << "the frame lies under the drop point";
    EXPECT_EQ(::GetCapture(), nullptr);

    // Dragged from the floating frame onto the right edge: docked there, upright.
    const RECT barNow = CTestDockFrame::WindowRectOf(*m_toolBar);
    const POINT grabFloating{barNow.left + 10, barNow.top + 10};
    const POINT rightEdge{frameClient.right - 3, middle.y};
    DragWithMouse(*m_toolBar, grabFloating, rightEdge);
    m_frame->Settle();
    EXPECT_FALSE(m_toolBar->IsFloating());
    EXPECT_EQ(m_toolBar->GetDockBar(), &Dock(FWID_DOCKBAR_RIGHT));
    EXPECT_FALSE(m_toolBar->IsHorz());
    const RECT right = DockRect(FWID_DOCKBAR_RIGHT);
    EXPECT_EQ(Width(right), 30 - 4);
    EXPECT_EQ(right.right, frameClient.right);
    EXPECT_EQ(m_frame->ViewRect().right, right.left);
}

TEST_F(Docking, ABarLimitedToOneSideDoesNotDockElsewhere)
{
    BuildFrame(false);
    m_palette->EnableDocking(CBRS_ALIGN_LEFT);
    RECT client;
    ::GetClientRect(*m_frame, &client);
    ::MapWindowPoints(*m_frame, nullptr, reinterpret_cast<POINT*>(&client), 2);
    const RECT palette = CTestDockFrame::WindowRectOf(*m_palette);
    DragWithMouse(*m_palette, POINT{palette.left + 5, palette.top + 5}, POINT{client.right - 3, Center(client).y});
    m_frame->Settle();
    EXPECT_TRUE(m_palette->IsFloating()) << "the right edge does not take it";
}

TEST_F(Docking, SavedLayoutComesBackInANewFrame)
{
    BuildFrame();
    // Move things away from the defaults: strip on the bottom, palette
    // floating, tool bar hidden.
    m_frame->DockControlBar(m_strip.get(), FWID_DOCKBAR_BOTTOM);
    m_frame->FloatControlBar(m_palette.get(), POINT{300, 260});
    m_frame->ShowControlBar(m_toolBar.get(), FALSE, FALSE);
    m_frame->RecalcLayout();
    m_frame->Settle();
    const auto before = Snapshot();
    const RECT viewBefore = m_frame->ViewRect();
    m_frame->SaveBarState(kProfileName);
    DestroyFrame();

    BuildFrame();
    ASSERT_TRUE(m_frame->LoadBarState(kProfileName));
    m_frame->Settle();
    const auto after = Snapshot();
    ASSERT_EQ(after.size(), before.size());
    for (const auto& [id, place] : before) {
        SCOPED_TRACE(id);
        EXPECT_TRUE(SameRect(place.first, after.at(id).first));
        EXPECT_EQ(place.second, after.at(id).second);
    }
    EXPECT_TRUE(m_palette->IsFloating());
    EXPECT_TRUE(SameRect(viewBefore, m_frame->ViewRect()));
}

// Each case damages a good saved state; loading refuses it as a whole and the
// frame keeps the default layout it was built with.
struct Damage {
    const char* name;
    std::function<void(CWinApp&)> apply;
};

TEST_F(Docking, ADamagedSavedLayoutIsRefusedAndTheDefaultStays)
{
    const auto section = [](int index) { return std::string(kProfileName) + "-Bar" + std::to_string(index); };
    const std::string summary = std::string(kProfileName) + "-Summary";
    const Damage damages[] = {
        {"more entries counted than stored",
         [&](CWinApp& app) {
             app.WriteProfileInt(summary.c_str(), "Bars", app.GetProfileInt(summary.c_str(), "Bars", 0) + 1);
         }},
        {"fewer entries counted: a bar goes undescribed",
         [&](CWinApp& app) {
             app.WriteProfileInt(summary.c_str(), "Bars", app.GetProfileInt(summary.c_str(), "Bars", 0) - 1);
         }},
        {"an entry lost a value", [&](CWinApp& app) { app.WriteProfileString(section(5).c_str(), "YPos", nullptr); }},
        {"a bar id the frame has no bar for",
         [&](CWinApp& app) { app.WriteProfileInt(section(5).c_str(), "BarID", 4242); }},
        {"a dock bar lists an unknown bar",
         [&](CWinApp& app) { app.WriteProfileInt(section(0).c_str(), "Bar#0", 4243); }},
        {"a dock bar id that is not one",
         [&](CWinApp& app) { app.WriteProfileInt(section(0).c_str(), "BarID", 77); }},
        {"a bar listed twice",
         [&](CWinApp& app) {
             app.WriteProfileInt(section(0).c_str(), "Bar#1", app.GetProfileInt(section(0).c_str(), "Bar#0", 0));
         }},
        {"a floating frame off the screen",
         [&](CWinApp& app) {
             for (int i = 0; i < 6; ++i) {
                 if (app.GetProfileInt(section(i).c_str(), "Floating", 0) &&
                     app.GetProfileInt(section(i).c_str(), "DockBar", 0))
                     app.WriteProfileInt(section(i).c_str(), "XPos", 100000);
             }
         }},
        {"a bar position beyond the screen",
         [&](CWinApp& app) { app.WriteProfileInt(section(5).c_str(), "YPos", 90000); }},
        {"a screen size of nothing", [&](CWinApp& app) { app.WriteProfileInt(summary.c_str(), "ScreenCX", 0); }},
        {"no state at all", [&](CWinApp& app) { app.WriteProfileString(summary.c_str(), nullptr, nullptr); }},
    };
    for (const Damage& damage : damages) {
        SCOPED_TRACE(damage.name);
        BuildFrame();
        m_frame->FloatControlBar(m_palette.get(), POINT{300, 260});
        m_frame->Settle();
        m_frame->SaveBarState(kProfileName);
        DestroyFrame();
        damage.apply(m_app);

        BuildFrame();
        const auto defaults = Snapshot();
        EXPECT_FALSE(m_frame->LoadBarState(kProfileName));
        m_frame->Settle();
        EXPECT_FALSE(m_palette->IsFloating());
        const auto after = Snapshot();
        for (const auto& [id, place] : defaults)
            EXPECT_TRUE(SameRect(place.first, after.at(id).first)) << id;
        DestroyFrame();
    }
}

TEST_F(Docking, AStateSavedWithoutABarTheFrameNowHasIsRefused)
{
    BuildFrame(false);
    m_frame->SaveBarState(kProfileName);
    DestroyFrame();
    BuildFrame(true);
    EXPECT_FALSE(m_frame->LoadBarState(kProfileName));
}

TEST_F(Docking, OneEntryCanBeWrittenBackUnderItsIndex)
{
    BuildFrame();
    m_frame->FloatControlBar(m_palette.get(), POINT{300, 260});
    m_frame->SaveBarState(kProfileName);
    CDockState state;
    ASSERT_TRUE(state.LoadState(kProfileName));
    EXPECT_TRUE(state.IsUsableBy(*m_frame));
    int floatingIndex = -1;
    for (size_t i = 0; i < state.m_arrBarInfo.size(); ++i) {
        if (state.m_arrBarInfo[i].m_bDockBar && state.m_arrBarInfo[i].m_bFloating)
            floatingIndex = static_cast<int>(i);
    }
    ASSERT_GE(floatingIndex, 0);
    EXPECT_EQ(state.m_arrBarInfo[floatingIndex].m_arrBarID, (std::vector<UINT>{kPaletteId, 0}));
    state.m_arrBarInfo[floatingIndex].m_pointPos.x += 7;
    ASSERT_TRUE(state.SaveBarInfo(kProfileName, floatingIndex));
    CDockState reread;
    ASSERT_TRUE(reread.LoadState(kProfileName));
    EXPECT_EQ(reread.m_arrBarInfo[floatingIndex].m_pointPos.x, state.m_arrBarInfo[floatingIndex].m_pointPos.x);
}

}  // namespace
