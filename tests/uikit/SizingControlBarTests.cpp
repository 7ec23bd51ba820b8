// The sizing bars: their sizes per dock state, the sharing of a dock row,
// edge dragging with the mouse, the sizes kept in the profile, the floating
// frame that gives up its caption, and the gripper and caption bars' close
// button and caption band.
#include "uikit/BackgroundDockBar.h"
#include "uikit/PaneCommands.h"
#include "uikit/SCBMiniDockFrameWnd.h"
#include "uikit/SizingControlBarCF.h"

#include "framework/DockBar.h"
#include "framework/Gdi.h"
#include "framework/WinApp.h"
#include "support/DockTestFrame.h"
#include "OwnerDrawnTestSupport.h"

#include <gtest/gtest.h>

#include <memory>
#include <numeric>
#include <string>
#include <vector>

using namespace dock_test;

namespace {

constexpr char kRegistryKey[] = "SleevorySizingBarTests";
constexpr char kProfileName[] = "P";

// A frame of the program's kind: sizing-bar floating frames, background dock
// bars, and the three pane commands counted.
class CPaneFrame : public CTestDockFrame, public CPaneCommands {
public:
    void OnViewProperties() override { ++properties; }
    void OnViewTextEditor() override { ++text; }
    void OnShowImages() override { ++images; }
    int properties = 0, text = 0, images = 0;
};

// Exposes the drawing of the bar's frame for probing.
class CProbedPane : public CSizingControlBarCF {
public:
    using CSizingControlBarCF::PaintNcDecoration;
};

RECT ClientInScreen(HWND window)
{
    RECT rect;
    ::GetClientRect(window, &rect);
    ::MapWindowPoints(window, nullptr, reinterpret_cast<POINT*>(&rect), 2);
    return rect;
}

class SizingBars : public ::testing::Test {
protected:
    SizingBars() : m_app("SizingBarTest")
    {
        ::RegDeleteTreeA(HKEY_CURRENT_USER, "Software\\SleevorySizingBarTests");
        m_app.SetRegistryKey(kRegistryKey);
        m_frame = std::make_unique<CPaneFrame>();
        EXPECT_TRUE(m_frame->Make(RUNTIME_CLASS(CSCBMiniDockFrameWnd), RUNTIME_CLASS(CBackgroundDockBar)));
        m_app.m_pMainWnd = m_frame.get();
    }
    ~SizingBars() override
    {
        m_app.m_pMainWnd = nullptr;
        if (m_frame->m_hWnd)
            m_frame->DestroyWindow();
        m_panes.clear();
        m_frame.reset();
        ::RegDeleteTreeA(HKEY_CURRENT_USER, "Software\\SleevorySizingBarTests");
    }

    CProbedPane& AddPane(const char* title, UINT id, UINT dockBarId, SIZE size = SIZE{200, 200})
    {
        m_panes.push_back(std::make_unique<CProbedPane>());
        CProbedPane& pane = *m_panes.back();
        EXPECT_TRUE(pane.CreateWithSize(title, m_frame.get(), size, id, WS_CHILD | WS_VISIBLE | CBRS_TOP));
        pane.EnableDocking(CBRS_ALIGN_ANY);
        pane.dragShowContent = false;
        if (dockBarId) {
            // Each pane goes below the last one of the same dock bar: one row.
            const CDockBar* dock = m_frame->GetDockBar(dockBarId);
            CControlBar* last = nullptr;
            for (CControlBar* bar : dock->m_arrBars)
                last = bar ? bar : last;
            if (last) {
                m_frame->RecalcLayout();
                RECT after = CTestDockFrame::WindowRectOf(*last);
                if (dockBarId == FWID_DOCKBAR_LEFT || dockBarId == FWID_DOCKBAR_RIGHT)
                    ::OffsetRect(&after, 0, Height(after) - 4);
                else
                    ::OffsetRect(&after, Width(after) - 4, 0);
                m_frame->DockControlBar(&pane, dockBarId, &after);
            } else {
                m_frame->DockControlBar(&pane, dockBarId);
            }
        }
        return pane;
    }
    void Layout()
    {
        m_frame->RecalcLayout();
        m_frame->Settle();
    }

    CWinApp m_app;
    std::unique_ptr<CPaneFrame> m_frame;
    std::vector<std::unique_ptr<CProbedPane>> m_panes;
};

TEST(SizingBar, StartsWithItsSizesAndMinimums)
{
    const CSizingControlBar bar;
    EXPECT_EQ(bar.sizeHorz.cx, 200);
    EXPECT_EQ(bar.sizeHorz.cy, 200);
    EXPECT_EQ(bar.sizeVert.cx, 200);
    EXPECT_EQ(bar.sizeVert.cy, 200);
    EXPECT_EQ(bar.sizeFloat.cx, 180);
    EXPECT_EQ(bar.sizeFloat.cy, 230);
    for (const SIZE& minimum : {bar.minHorz, bar.minVert})
        EXPECT_TRUE(minimum.cx == 33 && minimum.cy == 32);
    EXPECT_TRUE(bar.minFloat.cx == 37 && bar.minFloat.cy == 32);
    EXPECT_EQ(bar.edgeWidth, 5);
    EXPECT_FALSE(bar.tracking || bar.keepSize || bar.parentSizing);
    EXPECT_STREQ(bar.GetRuntimeClass()->m_lpszClassName, "CSizingControlBar");
    EXPECT_STREQ(CSizingControlBarCF().GetRuntimeClass()->m_lpszClassName, "CSizingControlBarCF");
    EXPECT_STREQ(RUNTIME_CLASS(CSCBMiniDockFrameWnd)->m_lpszClassName, "CSCBMiniDockFrameWnd");
    EXPECT_EQ(CSizingControlBarG().gripperSize, 17);
}

TEST(SizingBar, StateSizesChangeOnlyByTheirExactNames)
{
    struct Case {
        const char* state;
        SIZE CSizingControlBar::*changed;
    };
    const Case cases[] = {{"Float", &CSizingControlBar::sizeFloat},
                          {"Horz", &CSizingControlBar::sizeHorz},
                          {"Vert", &CSizingControlBar::sizeVert},
                          {"float", nullptr},
                          {"", nullptr}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.state);
        CSizingControlBar bar;
        bar.SetStateWidth(150, c.state);
        bar.SetStateHeight(160, c.state);
        for (SIZE CSizingControlBar::*size :
             {&CSizingControlBar::sizeFloat, &CSizingControlBar::sizeHorz, &CSizingControlBar::sizeVert}) {
            const SIZE& now = bar.*size;
            const bool changed = size == c.changed;
            EXPECT_EQ(now.cx, changed ? 150 : (size == &CSizingControlBar::sizeFloat ? 180 : 200));
            EXPECT_EQ(now.cy, changed ? 160 : (size == &CSizingControlBar::sizeFloat ? 230 : 200));
        }
    }
}

TEST(SizingBar, FloatingLayoutKeepsTheLengthGivenAboveTheMinimum)
{
    struct Case {
        int length;
        DWORD mode;
        SIZE expected;
    };
    const Case cases[] = {{250, 0, {250, 230}},       {300, LM_LENGTHY, {180, 300}}, {10, 0, {37, 230}},
                          {5, LM_LENGTHY, {180, 32}}, {999, LM_MRUWIDTH, {180, 230}}, {999, LM_COMMIT, {180, 230}}};
    for (const Case& c : cases) {
        CSizingControlBar bar;
        const SIZE size = bar.CalcDynamicLayout(c.length, c.mode);
        EXPECT_EQ(size.cx, c.expected.cx) << c.length << " mode " << c.mode;
        EXPECT_EQ(size.cy, c.expected.cy) << c.length << " mode " << c.mode;
        EXPECT_TRUE(bar.sizeFloat.cx == size.cx && bar.sizeFloat.cy == size.cy);
    }
}

TEST_F(SizingBars, SizesRoundTripThroughTheProfileAndSmallOnesLoadAsMinimums)
{
    CProbedPane& pane = AddPane("Properties", 1049, FWID_DOCKBAR_LEFT);
    pane.sizeHorz = SIZE{310, 90};
    pane.sizeVert = SIZE{140, 420};
    pane.sizeFloat = SIZE{260, 330};
    CSizingControlBar::SaveAllStates(m_frame.get(), kProfileName);
    EXPECT_EQ(m_app.GetProfileInt("P-SCBar-1049", "sizeVertCY", 0), 420u);

    m_app.WriteProfileInt("P-SCBar-1049", "sizeHorzCX", 10);
    m_app.WriteProfileInt("P-SCBar-1049", "sizeFloatCY", 1);
    m_app.WriteProfileInt("P-SCBar-1049", "sizeVertCX", 5000000);  // damage, not a size
    pane.sizeHorz = pane.sizeVert = pane.sizeFloat = SIZE{100, 100};
    CSizingControlBar::LoadAllStates(m_frame.get(), kProfileName);
    EXPECT_EQ(pane.sizeHorz.cx, 33);
    EXPECT_EQ(pane.sizeHorz.cy, 90);
    EXPECT_EQ(pane.sizeVert.cx, 100) << "an impossible size leaves the current one";
    EXPECT_EQ(pane.sizeVert.cy, 420);
    EXPECT_EQ(pane.sizeFloat.cx, 260);
    EXPECT_EQ(pane.sizeFloat.cy, 32);
}

TEST_F(SizingBars, ARowSharesItsLengthAndABarAtAnEqualShareStopsShrinking)
{
    CProbedPane& first = AddPane("A", 2001, FWID_DOCKBAR_LEFT, SIZE{120, 300});
    CProbedPane& second = AddPane("B", 2002, FWID_DOCKBAR_LEFT, SIZE{150, 170});
    CProbedPane& third = AddPane("C", 2003, FWID_DOCKBAR_LEFT, SIZE{90, 170});
    RECT client;
    m_frame->GetClientRect(&client);
    const int total = Height(client) - 2;
    for (CProbedPane* pane : {&first, &second, &third})
        pane->keepSize = false;
    Layout();

    const std::vector<CProbedPane*> row{&first, &second, &third};
    const int share = total / 3;
    int sum = 0;
    for (CProbedPane* pane : row) {
        sum += pane->sizeVert.cy - 2;
        EXPECT_EQ(pane->sizeVert.cx, 150) << "every bar of the row takes the greatest width";
    }
    EXPECT_EQ(sum, total);
    // The two short ones stop at the share; the long one gives up the rest.
    ASSERT_GT(300 - 2 + 2 * (170 - 2), total) << "the frame must be too short for the row";
    ASSERT_LT(share, 170);
    EXPECT_EQ(second.sizeVert.cy, share);
    EXPECT_EQ(third.sizeVert.cy, share);
    EXPECT_EQ(first.sizeVert.cy, total - 2 * (share - 2) + 2);
    // On screen: stacked with a 2-pixel overlap, the same width.
    const RECT a = CTestDockFrame::WindowRectOf(first), b = CTestDockFrame::WindowRectOf(second);
    EXPECT_EQ(b.top, a.bottom - 2);
    EXPECT_EQ(Width(a), Width(b));
    EXPECT_EQ(Height(a), first.sizeVert.cy);
}

TEST_F(SizingBars, ARowWhoseMinimumsDoNotFitIsBrokenInTwo)
{
    CFixedBar tall(SIZE{4000, 40});
    ASSERT_TRUE(tall.Make(*m_frame, 2100));
    m_frame->DockControlBar(&tall, FWID_DOCKBAR_LEFT);
    Layout();
    CProbedPane& pane = AddPane("A", 2101, FWID_DOCKBAR_LEFT);
    auto& bars = m_frame->GetDockBar(FWID_DOCKBAR_LEFT)->m_arrBars;
    // Put the pane in the tall bar's row, then let the layout sort it out.
    bars = {nullptr, &tall, &pane, nullptr};
    Layout();
    EXPECT_EQ(bars, (std::vector<CControlBar*>{nullptr, &tall, nullptr, &pane, nullptr}));
    m_frame->DestroyWindow();
}

TEST_F(SizingBars, ARowAlongTheTopOverlapsItsNeighboursAndRisesOverTheDockBarsEdge)
{
    CProbedPane& first = AddPane("A", 2201, FWID_DOCKBAR_TOP, SIZE{200, 120});
    CProbedPane& second = AddPane("B", 2202, FWID_DOCKBAR_TOP, SIZE{200, 120});
    CProbedPane& left = AddPane("C", 2203, FWID_DOCKBAR_LEFT, SIZE{120, 200});
    CProbedPane& below = AddPane("D", 2204, FWID_DOCKBAR_LEFT, SIZE{120, 200});
    Layout();

    auto placeIn = [](const CControlBar& bar) {
        RECT rect = CTestDockFrame::WindowRectOf(bar.m_hWnd);
        ::MapWindowPoints(nullptr, ::GetParent(bar.m_hWnd), reinterpret_cast<POINT*>(&rect), 2);
        return rect;
    };
    // Along the top: 2 pixels past the dock bar's start and its upper edge,
    // neighbours overlapping by 2.
    const RECT a = placeIn(first), b = placeIn(second);
    EXPECT_EQ(a.left, -2);
    EXPECT_EQ(b.left, a.right - 2);
    EXPECT_EQ(a.top, -2);
    EXPECT_EQ(b.top, -2);
    // Down the left side the bars keep their column; only their tops move.
    const RECT c = placeIn(left), d = placeIn(below);
    EXPECT_EQ(c.top, -2);
    EXPECT_EQ(d.top, c.bottom - 2);
    EXPECT_EQ(c.left, d.left);
}

TEST_F(SizingBars, DraggingTheInnerEdgeOfATopRowSetsEveryBarsHeightWithinLimits)
{
    struct Case {
        const char* name;
        int drag;             // pixels the bottom edge moves
        bool showContent;     // the system's full-window dragging
    };
    const Case cases[] = {{"down a little", 40, false}, {"up a little", -30, false}, {"far down", 2000, false},
                          {"far up", -2000, false},     {"live", 25, true}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        m_panes.clear();
        CProbedPane& left = AddPane("L", 2201, FWID_DOCKBAR_TOP, SIZE{200, 120});
        CProbedPane& right = AddPane("R", 2202, FWID_DOCKBAR_TOP, SIZE{200, 120});
        right.minHorz.cy = 70;
        Layout();
        const int height = left.sizeHorz.cy;
        const RECT freeBefore = m_frame->GetFreeClientRect();
        for (CProbedPane* pane : {&left, &right})
            pane->dragShowContent = c.showContent;

        const RECT bar = CTestDockFrame::WindowRectOf(left);
        const POINT grab{(bar.left + bar.right) / 2, bar.bottom - 2};
        EXPECT_EQ(left.SendMessage(WM_NCHITTEST, 0, MAKELPARAM(grab.x, grab.y)), HTBOTTOM);
        left.SendMessage(WM_NCLBUTTONDOWN, HTBOTTOM, MAKELPARAM(grab.x, grab.y));
        ASSERT_TRUE(left.tracking);
        EXPECT_EQ(::GetCapture(), left.m_hWnd);
        const POINT to{grab.x, grab.y + c.drag};
        left.SendMessage(WM_MOUSEMOVE, MK_LBUTTON, ClientPoint(left, to));
        const int expected = std::clamp(height + c.drag, 70, height + Height(freeBefore) - 2);
        EXPECT_EQ(left.sizeHorz.cy, expected);
        if (c.showContent) {
            m_frame->Settle();
            EXPECT_EQ(Height(CTestDockFrame::WindowRectOf(left)), expected) << "the bars follow the mouse";
        }
        left.SendMessage(WM_LBUTTONUP, 0, ClientPoint(left, to));
        EXPECT_FALSE(left.tracking);
        EXPECT_EQ(::GetCapture(), nullptr);
        m_frame->Settle();
        EXPECT_EQ(right.sizeHorz.cy, expected) << "the whole row takes the height";
        EXPECT_EQ(Height(CTestDockFrame::WindowRectOf(right)), expected);
    }
}

TEST_F(SizingBars, DraggingTheEdgeBetweenTwoBarsMovesLengthFromOneToTheOther)
{
    CProbedPane& upper = AddPane("U", 2301, FWID_DOCKBAR_LEFT);
    CProbedPane& lower = AddPane("D", 2302, FWID_DOCKBAR_LEFT);
    Layout();
    const int upperBefore = upper.sizeVert.cy, lowerBefore = lower.sizeVert.cy;
    EXPECT_TRUE(upper.edgeFlags & CSizingControlBar::kEdgeBottom);
    EXPECT_TRUE(lower.edgeFlags & CSizingControlBar::kEdgeTop);
    EXPECT_FALSE(upper.edgeFlags & CSizingControlBar::kEdgeTop) << "the first bar has no leading edge";

    const RECT bar = CTestDockFrame::WindowRectOf(upper);
    const POINT grab{(bar.left + bar.right) / 2, bar.bottom - 2};
    upper.SendMessage(WM_NCLBUTTONDOWN, HTBOTTOM, MAKELPARAM(grab.x, grab.y));
    upper.SendMessage(WM_MOUSEMOVE, MK_LBUTTON, ClientPoint(upper, POINT{grab.x, grab.y + 30}));
    upper.SendMessage(WM_LBUTTONUP, 0, ClientPoint(upper, POINT{grab.x, grab.y + 30}));
    EXPECT_EQ(upper.sizeVert.cy, upperBefore + 30);
    EXPECT_EQ(lower.sizeVert.cy, lowerBefore - 30);

    // As far as the other bar's minimum, no further.
    const RECT moved = CTestDockFrame::WindowRectOf(upper);
    const POINT again{grab.x, moved.bottom - 2};
    upper.SendMessage(WM_NCLBUTTONDOWN, HTBOTTOM, MAKELPARAM(again.x, again.y));
    upper.SendMessage(WM_MOUSEMOVE, MK_LBUTTON, ClientPoint(upper, POINT{again.x, again.y + 5000}));
    // A right click ends the drag as well.
    upper.SendMessage(WM_RBUTTONDOWN, 0, 0);
    EXPECT_FALSE(upper.tracking);
    EXPECT_EQ(lower.sizeVert.cy, lower.minVert.cy);
    EXPECT_EQ(upper.sizeVert.cy + lower.sizeVert.cy, upperBefore + lowerBefore);
}

TEST_F(SizingBars, CloseMessageLeavesTheBarAlone)
{
    CProbedPane& pane = AddPane("Text", 2401, FWID_DOCKBAR_LEFT);
    Layout();
    pane.SendMessage(WM_CLOSE);
    EXPECT_TRUE(pane.IsWindow());
    EXPECT_TRUE(pane.IsVisible());
}

TEST_F(SizingBars, DoubleClickFloatsInAFrameThatGivesUpItsCaption)
{
    CProbedPane& pane = AddPane("Images", 2501, FWID_DOCKBAR_RIGHT);
    pane.sizeFloat = SIZE{220, 260};
    Layout();
    DoubleClick(pane, Center(ClientInScreen(pane)));
    m_frame->Settle();
    ASSERT_TRUE(pane.IsFloating());
    auto* frame = dynamic_cast<CSCBMiniDockFrameWnd*>(CWnd::FromHandlePermanent(::GetParent(::GetParent(pane))));
    ASSERT_NE(frame, nullptr);
    EXPECT_EQ(frame->GetSizingControlBar(), &pane);
    EXPECT_FALSE(frame->GetStyle() & (WS_CAPTION | MFS_4THICKFRAME));
    RECT client;
    frame->GetClientRect(&client);
    EXPECT_EQ(Width(client) + 4, 220);
    EXPECT_EQ(Height(client) + 4, 260);
    EXPECT_EQ(pane.GetWindowTextLength(), 6);

    // Sizing the frame sets the bar's floating size; never below its minimum.
    const RECT outer = CTestDockFrame::WindowRectOf(*frame);
    frame->SetWindowPos(nullptr, 0, 0, Width(outer) + 30, Height(outer) + 10, SWP_NOMOVE | SWP_NOZORDER);
    EXPECT_EQ(pane.sizeFloat.cx, 250);
    EXPECT_EQ(pane.sizeFloat.cy, 270);
    MINMAXINFO info{};
    frame->SendMessage(WM_GETMINMAXINFO, 0, reinterpret_cast<LPARAM>(&info));
    RECT smallest{0, 0, pane.minFloat.cx - 4, pane.minFloat.cy - 4};
    ::AdjustWindowRectEx(&smallest, WS_POPUP | WS_THICKFRAME, FALSE, WS_EX_TOOLWINDOW);
    EXPECT_EQ(info.ptMinTrackSize.x, Width(smallest));
    EXPECT_EQ(info.ptMinTrackSize.y, Height(smallest));

    // Double-clicking the bar docks it back on the right.
    DoubleClick(pane, Center(ClientInScreen(pane)));
    m_frame->Settle();
    EXPECT_TRUE(pane.IsVertDocked());
    EXPECT_EQ(pane.GetDockBar(), m_frame->GetDockBar(FWID_DOCKBAR_RIGHT));
}

TEST_F(SizingBars, ThePaneDraggedByItsBodyDocksOnTheOtherSide)
{
    CProbedPane& pane = AddPane("Properties", 2601, FWID_DOCKBAR_LEFT);
    Layout();
    const RECT client = ClientInScreen(*m_frame);
    const RECT body = ClientInScreen(pane);
    DragWithMouse(pane, POINT{body.left + 5, body.top + 5}, POINT{client.left + Width(client) / 2 + 20, client.top + 3});
    m_frame->Settle();
    EXPECT_TRUE(pane.IsHorzDocked()) << "dropped on the top edge";
    // In a top dock bar the caption runs up the bar's left strip.
    const RECT button = pane.CloseButtonRect();
    RECT clientInWindow;
    pane.GetClientRect(&clientInWindow);
    EXPECT_LT(button.right, Width(CTestDockFrame::WindowRectOf(pane)) / 2);
}

TEST_F(SizingBars, TheCloseButtonHidesThePaneAndCallsItsCommandByTitle)
{
    struct Case {
        const char* title;
        int properties, text, images;
        bool hides;
    };
    const Case cases[] = {{"Properties - Disc 1", 1, 0, 0, true}, {"Text", 0, 1, 0, true},
                          {"Images in folder", 0, 0, 1, true},    {"Other", 0, 0, 0, true},
                          {"Propertie", 0, 0, 0, true},           {"View", 0, 0, 0, false}};
    UINT id = 2700;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.title);
        m_frame->properties = m_frame->text = m_frame->images = 0;
        CProbedPane& pane = AddPane(c.title, ++id, FWID_DOCKBAR_LEFT);
        Layout();
        RECT window = CTestDockFrame::WindowRectOf(pane);
        const RECT button = pane.CloseButtonRect();
        const POINT centre{window.left + (button.left + button.right) / 2, window.top + (button.top + button.bottom) / 2};
        EXPECT_EQ(pane.SendMessage(WM_NCHITTEST, 0, MAKELPARAM(centre.x, centre.y)), HTCLOSE);
        EXPECT_EQ(pane.SendMessage(WM_NCHITTEST, 0, MAKELPARAM(centre.x - 30, centre.y)), HTCLIENT);
        pane.SendMessage(WM_NCLBUTTONUP, HTCLOSE, MAKELPARAM(centre.x, centre.y));
        EXPECT_EQ(pane.IsVisible(), !c.hides);
        EXPECT_EQ(m_frame->properties, c.properties);
        EXPECT_EQ(m_frame->text, c.text);
        EXPECT_EQ(m_frame->images, c.images);
    }
}

TEST_F(SizingBars, TheCloseButtonRisesUnderTheCursorAndFlattensAwayFromIt)
{
    CProbedPane& pane = AddPane("Text", 2801, FWID_DOCKBAR_LEFT);
    Layout();
    const RECT window = CTestDockFrame::WindowRectOf(pane);
    const RECT button = pane.CloseButtonRect();
    ::SetCursorPos(window.left + button.left + 5, window.top + button.top + 5);
    pane.OnUpdateCmdUI(m_frame.get(), TRUE);
    EXPECT_TRUE(pane.closeButton.raised);
    EXPECT_FALSE(pane.closeButton.pushed);
    ::SetCursorPos(window.left + button.left - 40, window.top + button.top + 40);
    pane.OnUpdateCmdUI(m_frame.get(), TRUE);
    EXPECT_FALSE(pane.closeButton.raised || pane.closeButton.pushed);
}

TEST(SizingBarCaption, BandsRunFromTheStartColourToTheEndColour)
{
    const COLORREF start = RGB(10, 20, 200), end = RGB(166, 202, 240);
    EXPECT_EQ(CSizingControlBarCF::BandColor(start, end, 0), start);
    int previousRed = -1;
    for (int i = 0; i < 64; ++i) {
        const COLORREF color = CSizingControlBarCF::BandColor(start, end, i);
        EXPECT_GE(GetRValue(color), previousRed);
        previousRed = GetRValue(color);
    }
    const COLORREF last = CSizingControlBarCF::BandColor(start, end, 63);
    EXPECT_LE(GetRValue(end) - GetRValue(last), (GetRValue(end) - GetRValue(start)) / 64 + 1);
}

TEST_F(SizingBars, TheCaptionBandIsPaintedAlongTheTopOrUpTheLeft)
{
    for (UINT dockBarId : {FWID_DOCKBAR_LEFT, FWID_DOCKBAR_TOP}) {
        SCOPED_TRACE(dockBarId);
        m_panes.clear();
        CProbedPane& pane = AddPane("Properties", 2901, dockBarId);
        Layout();
        RECT window = CTestDockFrame::WindowRectOf(pane);
        RECT client = ClientInScreen(pane);
        ::OffsetRect(&client, -window.left, -window.top);
        CMemoryDC memory(nullptr);
        CBitmap bitmap(::CreateBitmap(Width(window), Height(window), 1, 32, nullptr));
        CSelectGuard selected(memory, bitmap);
        pane.PaintNcDecoration(memory, client);
        const RECT caption = pane.CaptionRect(client);
        const COLORREF start = ::GetSysColor(COLOR_ACTIVECAPTION) & 0xFFFFFF;
        const COLORREF end = CSizingControlBarCF::GradientEndColor() & 0xFFFFFF;
        const COLORREF nearEnd = CSizingControlBarCF::BandColor(start, end, 63);
        if (dockBarId == FWID_DOCKBAR_TOP) {
            EXPECT_EQ(Width(caption), 20);
            EXPECT_EQ(::GetPixel(memory, caption.right - 2, caption.top + 1) & 0xFFFFFF, nearEnd) << "the end at the top";
        } else {
            EXPECT_EQ(Height(caption), 18);
            EXPECT_EQ(::GetPixel(memory, caption.right - 1, caption.bottom - 2) & 0xFFFFFF, nearEnd) << "the end at the right";
        }
        // The close button sits beside the caption, not on it.
        const RECT button = pane.CloseButtonRect();
        RECT overlap;
        EXPECT_FALSE(::IntersectRect(&overlap, &button, &caption));
    }
}

TEST_F(SizingBars, SavedLayoutAndSizesBuildTheSameFrameAgain)
{
    CProbedPane& properties = AddPane("Properties", 3001, FWID_DOCKBAR_LEFT, SIZE{180, 200});
    CProbedPane& text = AddPane("Text", 3002, FWID_DOCKBAR_LEFT, SIZE{180, 200});
    CProbedPane& images = AddPane("Images", 3003, FWID_DOCKBAR_RIGHT, SIZE{160, 300});
    Layout();
    m_frame->FloatControlBar(&images, POINT{320, 240});
    m_frame->ShowControlBar(&text, FALSE, FALSE);
    Layout();
    const RECT before[] = {CTestDockFrame::WindowRectOf(properties), CTestDockFrame::WindowRectOf(images)};
    m_frame->SaveBarState(kProfileName);
    CSizingControlBar::SaveAllStates(m_frame.get(), kProfileName);
    m_app.m_pMainWnd = nullptr;
    m_frame->DestroyWindow();
    m_panes.clear();
    m_frame = std::make_unique<CPaneFrame>();
    ASSERT_TRUE(m_frame->Make(RUNTIME_CLASS(CSCBMiniDockFrameWnd), RUNTIME_CLASS(CBackgroundDockBar)));

    // The default layout first, then what was saved.
    CProbedPane& properties2 = AddPane("Properties", 3001, FWID_DOCKBAR_LEFT);
    CProbedPane& text2 = AddPane("Text", 3002, FWID_DOCKBAR_LEFT);
    CProbedPane& images2 = AddPane("Images", 3003, FWID_DOCKBAR_RIGHT);
    CSizingControlBar::LoadAllStates(m_frame.get(), kProfileName);
    ASSERT_TRUE(m_frame->LoadBarState(kProfileName));
    Layout();
    EXPECT_FALSE(text2.IsVisible());
    EXPECT_TRUE(images2.IsFloating());
    EXPECT_TRUE(SameRect(before[0], CTestDockFrame::WindowRectOf(properties2)));
    EXPECT_TRUE(SameRect(before[1], CTestDockFrame::WindowRectOf(images2)));
}

TEST_F(SizingBars, TheCaptionFollowsTheFocusAndTheFloatingFrameTheTitle)
{
    CProbedPane& pane = AddPane("Text", 3101, FWID_DOCKBAR_LEFT);
    Layout();
    CWnd edit;
    ASSERT_TRUE(edit.CreateEx(0, "EDIT", "", WS_CHILD | WS_VISIBLE, 0, 0, 40, 20, pane.m_hWnd, nullptr));
    ::SetFocus(edit.m_hWnd);
    ASSERT_EQ(::GetFocus(), edit.m_hWnd);
    pane.OnUpdateCmdUI(m_frame.get(), TRUE);
    EXPECT_TRUE(pane.active);
    ::SetFocus(m_frame->m_view.m_hWnd);
    pane.OnUpdateCmdUI(m_frame.get(), TRUE);
    EXPECT_FALSE(pane.active);

    m_frame->FloatControlBar(&pane, POINT{200, 200});
    pane.SetWindowText("Text - Track List");
    char caption[64] = {};
    ::GetWindowTextA(::GetParent(::GetParent(pane)), caption, sizeof(caption));
    EXPECT_STREQ(caption, "Text - Track List");
}

TEST(BackgroundDockBar, ShowsThePanelBackgroundOnlyBehindALabelView)
{
    for (const bool withProgram : {false, true}) {
        SCOPED_TRACE(withProgram);
        std::unique_ptr<uikit_test::ProgramWithView> program;
        if (withProgram)
            program = std::make_unique<uikit_test::ProgramWithView>();
        CTestDockFrame frame;
        ASSERT_TRUE(frame.Make(nullptr, RUNTIME_CLASS(CBackgroundDockBar)));
        CFixedBar bar(SIZE{100, 40});
        ASSERT_TRUE(bar.Make(frame, 3201));
        frame.DockControlBar(&bar, FWID_DOCKBAR_TOP);
        frame.RecalcLayout();
        CDockBar* dock = frame.GetDockBar(FWID_DOCKBAR_TOP);
        ASSERT_NE(dynamic_cast<CBackgroundDockBar*>(dock), nullptr);

        constexpr COLORREF kUntouched = RGB(1, 2, 3);
        CMemoryDC memory(nullptr);
        CBitmap bitmap(::CreateBitmap(64, 32, 1, 32, nullptr));
        CSelectGuard selected(memory, bitmap);
        memory.FillSolidRect(RECT{0, 0, 64, 32}, kUntouched);
        dock->SendMessage(WM_ERASEBKGND, reinterpret_cast<WPARAM>(memory.m_hDC));
        EXPECT_EQ(::GetPixel(memory, 10, 10) & 0xFFFFFF, withProgram ? uikit_test::kPanelGreyColor : kUntouched);
        frame.DestroyWindow();
    }
}

}  // namespace
