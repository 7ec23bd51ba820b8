// The owner-drawn tab controls: draw modes and styles, the colour and text
// helpers they draw with, the panel around the tab row, the tabs' pixels in
// each way of painting, and the switching tab control's pages and focus.
#include "ButtonTestSupport.h"
#include "OwnerDrawnTestSupport.h"

#include "framework/ImageList.h"
#include "uikit/ColorHelpers.h"
#include "uikit/ControlText.h"
#include "uikit/OwnerDrawTabCtrl.h"
#include "uikit/PageTabCtrl.h"
#include "uikit/SwitchTabCtrl.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using button_test::CCanvas;
using uikit_test::CHostWindow;
using uikit_test::kPanelGreyColor;
using uikit_test::NoErrorBoxes;
using uikit_test::ProgramWithView;

namespace {

constexpr UINT kTabId = 1201;
constexpr COLORREF kMarker = RGB(0, 128, 255);
constexpr COLORREF kImageColor = RGB(220, 30, 40);
constexpr COLORREF kBlack = RGB(0, 0, 0);

COLORREF Sys(int index)
{
    return ::GetSysColor(index) & 0xFFFFFF;
}

DWORD StyleOf(HWND window)
{
    return static_cast<DWORD>(::GetWindowLongPtrA(window, GWL_STYLE));
}

RECT ItemRect(const CTabCtrl& tabs, int index)
{
    RECT rect{};
    tabs.GetItemRect(index, &rect);
    return rect;
}

// What the tab control paints into a DC of the caller's (owner-drawn tabs
// come back through the host's WM_DRAWITEM, as on screen).
void PrintInto(const CTabCtrl& tabs, const CCanvas& canvas)
{
    tabs.SendMessage(WM_PRINTCLIENT, reinterpret_cast<WPARAM>(canvas.dc()), PRF_CLIENT);
}

}  // namespace

// ---- colour and text helpers ------------------------------------------------------

TEST(TabColorHelpers, FactorsAreClampedAndChannelsTruncated)
{
    struct Case {
        const char* what;
        COLORREF result;
        COLORREF expected;
    };
    const Case cases[] = {
        {"white lightened stays white", LightenColor(RGB(255, 255, 255), 1.5), RGB(255, 255, 255)},
        {"lightening caps each channel", LightenColor(RGB(100, 200, 10), 1.5), RGB(150, 255, 15)},
        {"a lightening factor below 1 keeps the colour", LightenColor(RGB(100, 200, 10), 0.5), RGB(100, 200, 10)},
        {"a darkening factor above 1 keeps the colour", DarkenColor(RGB(100, 200, 10), 1.7), RGB(100, 200, 10)},
        {"darkening halves", DarkenColor(RGB(200, 100, 51), 0.5), RGB(100, 50, 25)},
        {"a negative factor gives black", DarkenColor(RGB(200, 100, 51), -2.0), RGB(0, 0, 0)},
        {"truncated, not rounded", DarkenColor(RGB(255, 255, 255), 0.75), RGB(191, 191, 191)},
    };
    for (const Case& c : cases)
        EXPECT_EQ(c.result, c.expected) << c.what;
}

TEST(FitTextWithEllipsis, ShortensToTheLongestHeadThatFits)
{
    CMemoryDC dc(nullptr);
    CSelectGuard font(dc, ::GetStockObject(DEFAULT_GUI_FONT));
    const auto extent = [&](const CString& text) {
        SIZE size{};
        ::GetTextExtentPoint32A(dc, text, text.GetLength(), &size);
        return static_cast<int>(size.cx);
    };
    const CString caption = "Jewel case inserts, second sheet";
    const int full = extent(caption);

    CString untouched = caption;
    const SIZE fitting = FitTextWithEllipsis(untouched, dc, full);
    EXPECT_EQ(untouched, caption) << "a text that fits stays as it is";
    EXPECT_EQ(fitting.cx, full);

    for (int width : {full - 1, full / 2, extent("J...") + 1, extent("...")}) {
        SCOPED_TRACE(width);
        CString text = caption;
        const SIZE size = FitTextWithEllipsis(text, dc, width);
        ASSERT_GE(text.GetLength(), 3);
        EXPECT_EQ(text.Mid(text.GetLength() - 3), CString("..."));
        const CString head = text.Left(text.GetLength() - 3);
        EXPECT_EQ(caption.Left(head.GetLength()), head) << "the head of the caption";
        EXPECT_LE(size.cx, width);
        EXPECT_EQ(size.cx, extent(text));
        EXPECT_GT(extent(caption.Left(head.GetLength() + 1) + "..."), width) << "one more letter would not fit";
    }

    CString tooNarrow = caption;
    const SIZE nothing = FitTextWithEllipsis(tooNarrow, dc, extent("...") - 1);
    EXPECT_TRUE(tooNarrow.IsEmpty()) << "not even the ellipsis fits";
    EXPECT_EQ(nothing.cx, 0);
}

// ---- owner-drawn tab control -------------------------------------------------------

TEST(OwnerDrawTabCtrl, DrawModeSetsTheOwnerDrawStyleAndRefusesUnknownModes)
{
    NoErrorBoxes errors;
    CHostWindow host;

    COwnerDrawTabCtrl fromStart(COwnerDrawTabCtrl::kOwnerDrawnItems);
    ASSERT_TRUE(fromStart.Create(WS_VISIBLE, RECT{10, 10, 200, 100}, &host, kTabId));
    EXPECT_TRUE(StyleOf(fromStart) & TCS_OWNERDRAWFIXED) << "a mode other than 0 at creation";

    COwnerDrawTabCtrl tabs;
    ASSERT_TRUE(tabs.Create(WS_VISIBLE, RECT{10, 110, 200, 200}, &host, kTabId + 1));
    EXPECT_EQ(tabs.GetDrawMode(), 0);
    EXPECT_FALSE(StyleOf(tabs) & TCS_OWNERDRAWFIXED);
    EXPECT_EQ(tabs.m_crBackground, static_cast<COLORREF>(-1));

    struct Step {
        int mode;
        BOOL accepted;
        int modeAfter;
        bool ownerDrawn;
    };
    const Step steps[] = {{2, TRUE, 2, true}, {3, FALSE, 2, true}, {0, TRUE, 0, false},
                          {-1, FALSE, 0, false}, {1, TRUE, 1, true}, {7, FALSE, 1, true}};
    for (const Step& step : steps) {
        SCOPED_TRACE(step.mode);
        EXPECT_EQ(tabs.SetDrawMode(step.mode), step.accepted);
        EXPECT_EQ(tabs.GetDrawMode(), step.modeAfter);
        EXPECT_EQ((StyleOf(tabs) & TCS_OWNERDRAWFIXED) != 0, step.ownerDrawn);
    }
    EXPECT_EQ(tabs.GetTabColor(TRUE), Sys(COLOR_BTNFACE));
    EXPECT_EQ(tabs.GetTabTextColor(FALSE), Sys(COLOR_WINDOWTEXT));
    EXPECT_TRUE(errors.Reports().empty());
}

TEST(OwnerDrawTabCtrl, ErasingPaintsThePanelAroundTheTabRowOnly)
{
    NoErrorBoxes errors;
    ProgramWithView program;
    CHostWindow host;
    COwnerDrawTabCtrl tabs;
    ASSERT_TRUE(tabs.Create(WS_VISIBLE, RECT{10, 10, 310, 160}, &host, kTabId));
    tabs.SetFont(static_cast<HFONT>(::GetStockObject(DEFAULT_GUI_FONT)), FALSE);
    tabs.InsertItem(0, "Disc");
    tabs.InsertItem(1, "Cover");
    RECT row{};
    for (int index = 0; index < 2; ++index) {
        const RECT tab = ItemRect(tabs, index);
        ::UnionRect(&row, &row, &tab);
    }
    ASSERT_LT(row.right, 250) << "room right of the tabs";

    CCanvas canvas(300, 150, kMarker);
    // The erase of the tab class may fill the client first; the panel is painted over it.
    EXPECT_TRUE(tabs.SendMessage(WM_ERASEBKGND, reinterpret_cast<WPARAM>(canvas.dc())));
    const int middle = (row.top + row.bottom) / 2;
    EXPECT_EQ(canvas.Pixel(row.right + 3, middle), kPanelGreyColor) << "right of the row";
    EXPECT_EQ(canvas.Pixel(299, row.bottom + 4), kPanelGreyColor) << "as high as the row and 2 more";
    EXPECT_EQ(canvas.Pixel(0, middle), kPanelGreyColor) << "the strip at the left";
    EXPECT_EQ(canvas.Pixel(1, row.bottom + 4), kPanelGreyColor);
    EXPECT_NE(canvas.Pixel(2, middle), kPanelGreyColor) << "the strip is 2 pixels wide";
    EXPECT_NE(canvas.Pixel(150, 120), kPanelGreyColor) << "the display area is left alone";
    EXPECT_NE(canvas.Pixel(299, row.bottom + 6), kPanelGreyColor);
    EXPECT_TRUE(errors.Reports().empty());
}

// ---- page tab control ---------------------------------------------------------------

namespace {
// The page-tab style is the whole process's: each test starts and leaves it at 0.
class ProcessTabStyleReset {
public:
    ProcessTabStyleReset() { Reset(); }
    ~ProcessTabStyleReset() { Reset(); }
    ProcessTabStyleReset(const ProcessTabStyleReset&) = delete;
    ProcessTabStyleReset& operator=(const ProcessTabStyleReset&) = delete;

private:
    static void Reset() { CPageTabCtrl().SetTabDrawFlag(FALSE, 0); }
};
}  // namespace

TEST(PageTabCtrl, TabStyleMakesTheTabsOwnerDrawn)
{
    const ProcessTabStyleReset reset;
    CHostWindow host;
    CPageTabCtrl plain;
    ASSERT_TRUE(plain.Create(WS_VISIBLE, RECT{10, 10, 200, 100}, &host, kTabId));
    EXPECT_FALSE(StyleOf(plain) & TCS_OWNERDRAWFIXED) << "style 0: the system draws";

    CPageTabCtrl styled;
    styled.SetTabDrawFlag(TRUE, 3);
    ASSERT_TRUE(styled.Create(WS_VISIBLE, RECT{10, 110, 200, 200}, &host, kTabId + 1));
    EXPECT_EQ(styled.GetTabDrawFlag(), 3);
    EXPECT_TRUE(StyleOf(styled) & TCS_OWNERDRAWFIXED);
    EXPECT_EQ(styled.GetDrawMode(), 0) << "still painted by the system, the items by the control";

    styled.SetTabDrawFlag(FALSE, 3);
    EXPECT_EQ(styled.GetTabDrawFlag(), 0) << "a FALSE flag clears the style";

    plain.SetTabDrawFlag(TRUE, CPageTabCtrl::kShadeUnselected);
    EXPECT_TRUE(StyleOf(plain) & TCS_OWNERDRAWFIXED) << "a style set on a live control";

    // One value for every page-tab strip: one set through any control is the
    // style of the next strip made.
    EXPECT_EQ(styled.GetTabDrawFlag(), CPageTabCtrl::kShadeUnselected);
    CPageTabCtrl later;
    ASSERT_TRUE(later.Create(WS_VISIBLE, RECT{10, 210, 200, 300}, &host, kTabId + 2));
    EXPECT_TRUE(StyleOf(later) & TCS_OWNERDRAWFIXED);
    EXPECT_EQ(later.GetTabDrawFlag(), CPageTabCtrl::kShadeUnselected);
}

TEST(PageTabCtrl, TabColoursFollowTheStyleBitsAndTheOwnColour)
{
    const COLORREF face = Sys(COLOR_BTNFACE);
    const COLORREF own = RGB(200, 120, 40);
    const COLORREF none = static_cast<COLORREF>(-1);
    struct Case {
        int style;
        COLORREF ownColor;
        COLORREF unselected;
        COLORREF selected;
        COLORREF unselectedText;
    };
    const Case cases[] = {
        {0, none, DarkenColor(face, 0.9), face, DarkenColor(face, 0.5)},
        {0, own, DarkenColor(face, 0.9), face, DarkenColor(face, 0.5)},
        {0x1, own, own, face, DarkenColor(own, 0.5)},
        {0x3, none, face, face, DarkenColor(face, 0.5)},
        {0x2, own, DarkenColor(own, 0.9), face, DarkenColor(own, 0.5)},
        {0x11, own, DarkenColor(face, 0.9), face, DarkenColor(own, 0.5)},
        {0x13, own, DarkenColor(own, 0.9), face, DarkenColor(own, 0.5)},
        {0x4, own, DarkenColor(face, 0.9), LightenColor(face, 1.4), DarkenColor(face, 0.5)},
        {0x6, own, DarkenColor(own, 0.9), LightenColor(own, 1.4), DarkenColor(own, 0.5)},
        {0x6, none, DarkenColor(face, 0.9), LightenColor(face, 1.4), DarkenColor(face, 0.5)},
    };
    const ProcessTabStyleReset reset;
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "style " << c.style << " own colour " << c.ownColor);
        CPageTabCtrl tabs;
        tabs.SetTabDrawFlag(TRUE, c.style);
        tabs.m_crBackground = c.ownColor;
        EXPECT_EQ(tabs.GetTabColor(FALSE), c.unselected);
        EXPECT_EQ(tabs.GetTabColor(TRUE), c.selected);
        EXPECT_EQ(tabs.GetTabTextColor(FALSE), c.unselectedText);
        EXPECT_EQ(tabs.GetTabTextColor(TRUE), Sys(COLOR_WINDOWTEXT));
    }
}

class PageTabDrawingTest : public ::testing::Test {
protected:
    const ProcessTabStyleReset m_styleReset;
    void SetUp() override
    {
        m_tabs.SetTabDrawFlag(TRUE, 3);
        ASSERT_TRUE(m_tabs.Create(WS_VISIBLE | TCS_FIXEDWIDTH, RECT{10, 10, 310, 160}, &m_host, kTabId));
        m_tabs.SetFont(static_cast<HFONT>(::GetStockObject(DEFAULT_GUI_FONT)), FALSE);
        m_tabs.SetItemSize(110, 24);
        m_tabs.InsertItem(0, "Disc labels", 0);
        m_tabs.InsertItem(1, "Jewel case inserts of the second sheet", 0);
        uikit_test::MakeSolidImageList(m_images, kImageColor);
    }

    // Draws one tab into a canvas of the control's size, as the control's
    // owner-draw path would.
    void DrawTab(const CCanvas& canvas, int index, UINT state)
    {
        DRAWITEMSTRUCT item{};
        item.CtlType = ODT_TAB;
        item.CtlID = kTabId;
        item.itemID = static_cast<UINT>(index);
        item.itemState = state;
        item.itemAction = ODA_DRAWENTIRE;
        item.hwndItem = m_tabs.m_hWnd;
        item.hDC = canvas.dc();
        item.rcItem = ItemRect(m_tabs, index);
        m_tabs.DrawItem(&item);
    }

    NoErrorBoxes m_errors;
    ProgramWithView m_program;
    CHostWindow m_host;
    CPageTabCtrl m_tabs;
    CImageList m_images;
};

TEST_F(PageTabDrawingTest, LongCaptionIsShortenedInsideTheTab)
{
    const RECT tab = ItemRect(m_tabs, 1);
    for (UINT state : {0u, static_cast<UINT>(ODS_SELECTED)}) {
        SCOPED_TRACE(state);
        CCanvas canvas(300, 150, kMarker);
        DrawTab(canvas, 1, state);
        EXPECT_EQ(canvas.Pixel(tab.left + 1, tab.top + 1), kPanelGreyColor) << "the panel fills the tab";
        const RECT ink = canvas.BoundsOf(kBlack, tab);
        ASSERT_FALSE(::IsRectEmpty(&ink)) << "the caption is drawn black";
        EXPECT_GE(ink.left, tab.left + 3) << "no image list: the text starts 3 pixels in";
        EXPECT_LT(ink.left, tab.left + 3 + 19);
        EXPECT_LE(ink.right, tab.right - 3) << "shortened to fit";
        EXPECT_EQ(canvas.Count(RECT{tab.right, tab.top, 300, tab.bottom}, kBlack), 0);
    }
    // The bottom: one shorter when selected, two longer when not.
    CCanvas selected(300, 150, kMarker);
    DrawTab(selected, 1, ODS_SELECTED);
    EXPECT_EQ(selected.Pixel(tab.left + 1, tab.bottom - 2), kPanelGreyColor);
    EXPECT_EQ(selected.Pixel(tab.left + 1, tab.bottom - 1), kMarker);
    CCanvas unselected(300, 150, kMarker);
    DrawTab(unselected, 1, 0);
    EXPECT_EQ(unselected.Pixel(tab.left + 1, tab.bottom + 1), kPanelGreyColor);
    EXPECT_EQ(unselected.Pixel(tab.left + 1, tab.bottom + 2), kMarker);
    EXPECT_TRUE(m_errors.Reports().empty());
}

TEST_F(PageTabDrawingTest, ImageComesFirstAndTheTextMovesRight)
{
    m_tabs.SetImageList(m_images);
    const RECT tab = ItemRect(m_tabs, 1);
    struct Case {
        UINT state;
        int imageTop;
    };
    for (const Case c : {Case{0, tab.top + 3}, Case{ODS_SELECTED, tab.top + 4}}) {
        SCOPED_TRACE(c.state);
        CCanvas canvas(300, 150, kMarker);
        DrawTab(canvas, 1, c.state);
        const RECT image = canvas.BoundsOf(kImageColor, tab);
        EXPECT_EQ(image.left, tab.left + 3);
        EXPECT_EQ(image.top, c.imageTop) << "one lower when selected";
        EXPECT_EQ(image.right - image.left, 16);
        const RECT ink = canvas.BoundsOf(kBlack, tab);
        ASSERT_FALSE(::IsRectEmpty(&ink));
        EXPECT_GE(ink.left, tab.left + 3 + 19) << "the text starts 19 pixels right of the image's place";
        EXPECT_LE(ink.right, tab.right - 3);
    }
}

TEST_F(PageTabDrawingTest, SystemPaintingHandsTheTabsToDrawItem)
{
    CCanvas drawn(300, 150, kMarker);
    PrintInto(m_tabs, drawn);
    for (int index = 0; index < 2; ++index) {
        SCOPED_TRACE(index);
        const RECT tab = ItemRect(m_tabs, index);
        EXPECT_GT(drawn.Count(tab, kPanelGreyColor), 0) << "the panel background inside the tab";
        EXPECT_GT(drawn.Count(tab, kBlack), 0) << "every caption black";
    }

    // Style 0 for the whole process again: a strip made now is the system's own.
    CPageTabCtrl plain;
    plain.SetTabDrawFlag(FALSE, 0);
    ASSERT_TRUE(plain.Create(WS_VISIBLE, RECT{10, 170, 310, 300}, &m_host, kTabId + 1));
    plain.InsertItem(0, "Disc labels");
    CCanvas system(300, 150, kMarker);
    PrintInto(plain, system);
    EXPECT_EQ(system.Count(ItemRect(plain, 0), kPanelGreyColor), 0);
}

TEST_F(PageTabDrawingTest, SelfPaintedBordersComeFromTheButtonFaceWithoutOwnColour)
{
    ASSERT_TRUE(m_tabs.SetDrawMode(COwnerDrawTabCtrl::kSelfPainted));
    m_tabs.SetCurSel(1);
    const COLORREF face = Sys(COLOR_BTNFACE);
    const COLORREF light = LightenColor(face, 1.5);
    const COLORREF dark = DarkenColor(face, 0.75);
    ASSERT_NE(light, dark);

    CCanvas canvas(300, 150, kMarker);
    PrintInto(m_tabs, canvas);
    const RECT first = ItemRect(m_tabs, 0);
    const RECT second = ItemRect(m_tabs, 1);
    const int middle = (first.top + first.bottom) / 2;
    EXPECT_EQ(canvas.Pixel(first.left, middle), dark) << "an unselected tab: dark sides";
    EXPECT_EQ(canvas.Pixel(first.right - 1, middle), dark);
    EXPECT_EQ(canvas.Pixel(second.left, middle), light) << "the selected tab: light left and top";
    EXPECT_EQ(canvas.Pixel((second.left + second.right) / 2, second.top - 2), light);
    EXPECT_EQ(canvas.Pixel(second.right - 1, middle), dark);

    RECT display{};
    m_tabs.GetClientRect(&display);
    m_tabs.AdjustRect(FALSE, &display);
    EXPECT_EQ(canvas.Pixel(display.left, (display.top + display.bottom) / 2), light) << "the frame of the pages";
    EXPECT_EQ(canvas.Pixel(display.right - 1, (display.top + display.bottom) / 2), dark);
    EXPECT_EQ(canvas.Pixel(display.left + 5, display.bottom - 1), dark);

    EXPECT_GT(canvas.Count(first, kBlack), 0);
    EXPECT_GT(canvas.Count(second, kBlack), 0);
    EXPECT_TRUE(m_errors.Reports().empty());
}

// ---- switching tab control ----------------------------------------------------------

namespace {

// Records the page operations in order ("shown 1", "hiding 0", "removed 0").
class CRecordingSwitchTabs : public CSwitchTabCtrl {
public:
    std::vector<std::string> m_events;

protected:
    void OnPageShown(int index, int value) override { Record("shown", index, value); }
    void OnPageHiding(int index, int value) override { Record("hiding", index, value); }
    void OnPageRemoved(int index, int value) override { Record("removed", index, value); }

private:
    void Record(const char* what, int index, int value)
    {
        m_events.push_back(std::string(what) + " " + std::to_string(index) + " " + std::to_string(value));
    }
};

// A host that counts the tab notifications reaching it.
class CNotifiedHost : public CHostWindow {
public:
    int m_selectionChanges = 0;

    BOOL OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* result) override
    {
        if (reinterpret_cast<const NMHDR*>(lParam)->code == TCN_SELCHANGE)
            ++m_selectionChanges;
        return CHostWindow::OnNotify(wParam, lParam, result);
    }
};

std::unique_ptr<CWnd> MakePage(CWnd& parent, LPCSTR className, DWORD style = 0)
{
    auto page = std::make_unique<CWnd>();
    page->CreateEx(0, className, "", WS_CHILD | WS_VISIBLE | style, RECT{0, 0, 10, 10}, &parent, 0);
    return page;
}

RECT RectInParent(HWND window)
{
    RECT rect{};
    ::GetWindowRect(window, &rect);
    ::MapWindowPoints(nullptr, ::GetParent(window), reinterpret_cast<POINT*>(&rect), 2);
    return rect;
}

void ClickTab(const CTabCtrl& tabs, int index)
{
    const RECT tab = ItemRect(tabs, index);
    const LPARAM point = MAKELPARAM((tab.left + tab.right) / 2, (tab.top + tab.bottom) / 2);
    tabs.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, point);
    tabs.SendMessage(WM_LBUTTONUP, 0, point);
}

}  // namespace

TEST(SwitchTabCtrl, PagesArePlacedInsideBesideTheTabRow)
{
    for (DWORD side : {0ul, static_cast<DWORD>(TCS_BOTTOM)}) {
        SCOPED_TRACE(side);
        CHostWindow host;
        CSwitchTabCtrl tabs;
        ASSERT_TRUE(tabs.Create(WS_VISIBLE | side, RECT{20, 30, 320, 230}, &host, kTabId));
        ASSERT_EQ(tabs.AddPage("First", MakePage(host, "STATIC")), 0);
        const RECT tab = ItemRect(tabs, 0);
        const int extent = tabs.GetRowCount() * (tab.bottom - tab.top);
        ASSERT_GT(extent, 0);
        const RECT page = RectInParent(*tabs.GetPage(0));
        EXPECT_EQ(page.left, 20 + 4);
        EXPECT_EQ(page.top, 30 + 4 + (side ? 0 : extent));
        EXPECT_EQ(page.right - page.left, 300 - 8);
        EXPECT_EQ(page.bottom - page.top, 200 - 8 - extent);
        EXPECT_TRUE(::IsWindowVisible(*tabs.GetPage(0)));
    }
}

TEST(SwitchTabCtrl, ChangingTabsSwapsPagesAndGivesTheFocusBack)
{
    CNotifiedHost host;
    CRecordingSwitchTabs tabs;
    ASSERT_TRUE(tabs.Create(WS_VISIBLE, RECT{10, 10, 310, 210}, &host, kTabId));
    tabs.SetFont(static_cast<HFONT>(::GetStockObject(DEFAULT_GUI_FONT)), FALSE);
    ASSERT_EQ(tabs.AddPage("Edit", MakePage(host, "EDIT"), 10), 0);
    CWnd kept;
    ASSERT_TRUE(kept.CreateEx(0, "EDIT", "", WS_CHILD | WS_VISIBLE, RECT{0, 0, 10, 10}, &host, 0));
    ASSERT_EQ(tabs.AddPage("Kept", kept, 20), 1);
    HWND first = *tabs.GetPage(0);
    EXPECT_TRUE(::IsWindowVisible(first));
    EXPECT_FALSE(::IsWindowVisible(kept)) << "only the selected tab's page shows";

    ::SetFocus(first);
    ASSERT_EQ(::GetFocus(), first);
    ClickTab(tabs, 1);
    ASSERT_EQ(tabs.GetCurSel(), 1);
    EXPECT_FALSE(::IsWindowVisible(first));
    EXPECT_TRUE(::IsWindowVisible(kept));
    EXPECT_EQ(RectInParent(kept).left, 10 + 4) << "placed like the first";
    EXPECT_EQ(host.m_selectionChanges, 1) << "the parent hears of the change too";

    ::SetFocus(kept);
    ClickTab(tabs, 0);
    EXPECT_TRUE(::IsWindowVisible(first));
    EXPECT_FALSE(::IsWindowVisible(kept));
    EXPECT_EQ(::GetFocus(), first) << "the window that had the focus in the page has it again";
    ClickTab(tabs, 1);
    EXPECT_EQ(::GetFocus(), static_cast<HWND>(kept));
    ::SetFocus(host);
    ::SetFocus(tabs);
    EXPECT_EQ(::GetFocus(), static_cast<HWND>(kept)) << "focus given to the control goes on into the page";

    const std::vector<std::string> expected{"hiding 0 10", "shown 1 20", "hiding 1 20",
                                            "shown 0 10", "hiding 0 10", "shown 1 20"};
    EXPECT_EQ(tabs.m_events, expected);
}

TEST(SwitchTabCtrl, DestroyingRemovesEveryPageLastFirst)
{
    CHostWindow host;
    CRecordingSwitchTabs tabs;
    ASSERT_TRUE(tabs.Create(WS_VISIBLE, RECT{10, 10, 310, 210}, &host, kTabId));
    ASSERT_EQ(tabs.AddPage("Owned", MakePage(host, "STATIC"), 7), 0);
    CWnd kept;
    ASSERT_TRUE(kept.CreateEx(0, "STATIC", "", WS_CHILD, RECT{0, 0, 10, 10}, &host, 0));
    ASSERT_EQ(tabs.AddPage("Kept", kept, 8), 1);
    HWND owned = *tabs.GetPage(0);
    HWND keptWindow = kept;

    tabs.DestroyWindow();
    EXPECT_FALSE(::IsWindow(owned));
    EXPECT_FALSE(::IsWindow(keptWindow)) << "the kept page's window goes with the control";
    EXPECT_EQ(kept.m_hWnd, nullptr) << "its object stays with the caller";
    EXPECT_EQ(tabs.GetPageCount(), 0);
    const std::vector<std::string> expected{"removed 1 8", "removed 0 7"};
    EXPECT_EQ(tabs.m_events, expected);
}
