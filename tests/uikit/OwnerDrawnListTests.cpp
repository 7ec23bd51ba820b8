// The owner-drawn list box, list control, header and statics: their item
// records, measuring, highlight styles, panel background while disabled,
// swallowed double clicks, and the pixels their painting fixes.
#include "OwnerDrawnTestSupport.h"

#include "framework/ErrorReport.h"
#include "framework/ImageList.h"
#include "framework/ListCtrl.h"
#include "framework/UserHandles.h"
#include "uikit/ColorStatic.h"
#include "uikit/IconListBox.h"
#include "uikit/IconStatic.h"
#include "uikit/PaintListCtrl.h"
#include "uikit/PaintStatic.h"
#include "uikit/PictureStatic.h"
#include "uikit/TrackHeaderCtrl.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace uikit_test;

namespace {

constexpr COLORREF kIconColor = RGB(220, 30, 40);
constexpr COLORREF kPictureInk = RGB(30, 50, 140);  // the pictures' dark blue
constexpr COLORREF kMagenta = RGB(255, 0, 255);
constexpr UINT kListId = 1104;


// ---- icon list box ------------------------------------------------------------------

class IconListBoxTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        MakeSolidImageList(m_icons, kIconColor);
        ASSERT_TRUE(m_list.Create(WS_VISIBLE | WS_VSCROLL | LBS_OWNERDRAWVARIABLE | LBS_HASSTRINGS | LBS_NOTIFY,
                                  RECT{10, 10, 250, 250}, &m_host, kListId));
        m_list.SetFont(static_cast<HFONT>(::GetStockObject(DEFAULT_GUI_FONT)), FALSE);
    }

    RECT ItemRect(int item) const
    {
        RECT rect{};
        m_list.GetItemRect(item, &rect);
        return rect;
    }

    NoErrorBoxes m_errors;
    CHostWindow m_host;
    CImageList m_icons;
    CIconListBox m_list;
};

TEST_F(IconListBoxTest, ItemRecordsAreMadeSetByMaskAndFreed)
{
    EXPECT_EQ(m_list.AddItem("Single CD", 3), 0);
    ASSERT_NE(m_list.GetItemInfo(0), nullptr);
    EXPECT_EQ(m_list.GetItemInfo(0)->m_nIconIndex, 3);
    EXPECT_EQ(m_list.GetItemInfo(0)->m_nFlags, 0u);

    // An item added without AddItem has no record until SetItemInfo makes one.
    const int plain = m_list.AddString("Double CD");
    EXPECT_EQ(m_list.GetItemInfo(plain), nullptr);
    EXPECT_TRUE(m_list.IsItemEnabled(plain));

    const struct {
        UINT mask;
        int data1, data2, icon;
        UINT flags;
    } cases[] = {
        {kIconListData1, 11, 0, 0, 0},
        {kIconListData2, 11, 22, 0, 0},
        {kIconListIcon, 11, 22, 5, 0},
        {kIconListFlags, 11, 22, 5, kIconListItemDisabled},
        {0, 11, 22, 5, kIconListItemDisabled},
    };
    for (const auto& c : cases) {
        EXPECT_TRUE(m_list.SetItemInfo(plain, 11, 22, 5, kIconListItemDisabled, c.mask));
        // Only the masked value changed; the others keep what earlier cases set.
        const IconListItem* record = m_list.GetItemInfo(plain);
        ASSERT_NE(record, nullptr);
        EXPECT_EQ(record->m_nData1, c.data1) << "mask " << c.mask;
        EXPECT_EQ(record->m_nData2, c.data2) << "mask " << c.mask;
        EXPECT_EQ(record->m_nIconIndex, c.icon) << "mask " << c.mask;
        EXPECT_EQ(record->m_nFlags, c.flags) << "mask " << c.mask;
    }
    EXPECT_FALSE(m_list.IsItemEnabled(plain));
    EXPECT_TRUE(m_list.IsItemEnabled(0));
    EXPECT_FALSE(m_list.SetItemInfo(7, 1, 1, 1, 1, kIconListAll));

    m_list.ResetContent();
    EXPECT_EQ(m_list.GetCount(), 0);
    EXPECT_EQ(m_list.AddItem("Again", 1), 0);
    EXPECT_EQ(m_list.GetItemInfo(0)->m_nIconIndex, 1);
}

TEST_F(IconListBoxTest, HighlightStylesAboveTwoAreIgnored)
{
    for (BYTE style : {BYTE{2}, BYTE{3}, BYTE{200}})
        m_list.SetHighlightStyle(style, TRUE);
    EXPECT_EQ(m_list.GetHighlightStyle(), 2);
    m_list.SetHighlightStyle(1, FALSE);
    EXPECT_EQ(m_list.GetHighlightStyle(), 1);
}

TEST_F(IconListBoxTest, ItemsAreAsTallAsTheirWrappedTextOrIconPlusMargins)
{
    m_list.AddItem("Short", 0);
    m_list.AddItem("A much longer description of a layout that has to wrap over several lines in this narrow list",
                   0);
    const int textOnly = m_list.GetItemHeight(0);
    const int wrapped = m_list.GetItemHeight(1);
    EXPECT_GT(wrapped, textOnly);

    m_list.SetImageList(&m_icons);
    m_list.AddItem("Short", 0);
    EXPECT_GE(m_list.GetItemHeight(2), 16 + 4 + 4);
    EXPECT_GE(m_list.GetItemHeight(2), textOnly);
}

TEST_F(IconListBoxTest, TheHighlightStyleDecidesWhatASelectedItemFills)
{
    const COLORREF highlight = SysColor(COLOR_HIGHLIGHT);
    const COLORREF window = SysColor(COLOR_WINDOW);
    const struct {
        BYTE style;
        COLORREF iconCell;
        COLORREF rightOfText;
    } cases[] = {
        {0, highlight, highlight},
        {1, window, highlight},
        {2, window, window},
    };
    m_list.SetImageList(&m_icons);
    m_list.AddItem("Jewel case", 0);
    m_list.AddItem("Disc label", 0);
    m_list.SetCurSel(0);
    for (const auto& c : cases) {
        m_list.SetHighlightStyle(c.style, TRUE);
        RepaintNow(m_host);
        const RECT item = ItemRect(0);
        const int middle = (item.top + item.bottom) / 2;
        const std::string label = "style " + std::to_string(c.style);
        EXPECT_EQ(PixelOf(m_list, item.left + 1, item.top + 1), c.iconCell) << label;
        EXPECT_EQ(PixelOf(m_list, item.right - 3, middle), c.rightOfText) << label;
        EXPECT_EQ(PixelOf(m_list, item.left + 3 + 8, item.top + 2 + 8), kIconColor) << label;
        // The unselected item stays in the window colour.
        const RECT other = ItemRect(1);
        EXPECT_EQ(PixelOf(m_list, other.right - 3, (other.top + other.bottom) / 2), window) << label;
    }
    // Selected text is drawn in the inverted window-text colour.
    const COLORREF text = SysColor(COLOR_WINDOWTEXT);
    const COLORREF inverted = RGB(255 - GetRValue(text), 255 - GetGValue(text), 255 - GetBValue(text));
    m_list.SetHighlightStyle(1, TRUE);
    RepaintNow(m_host);
    RECT textArea = ItemRect(0);
    textArea.left += 22;
    EXPECT_GT(CountPixels(m_list, textArea, inverted), 0);
    EXPECT_TRUE(m_errors.Reports().empty());
}

TEST_F(IconListBoxTest, ADisabledListShowsItsItemsOverThePanelOrOnlyThePanel)
{
    ProgramWithView program;
    m_list.SetImageList(&m_icons);
    m_list.AddItem("Single CD", 0);
    m_list.SetCurSel(0);
    m_list.EnableWindow(FALSE);

    const struct {
        bool hide;
        COLORREF icon;
    } cases[] = {{false, kIconColor}, {true, kPanelGreyColor}};
    for (const auto& c : cases) {
        m_list.m_bHideWhenDisabled = c.hide;
        RepaintNow(m_host);
        const RECT item = ItemRect(0);
        const RECT client = ClientOf(m_list);
        const std::string label = c.hide ? "hidden" : "shown";
        EXPECT_EQ(PixelOf(m_list, item.right - 3, (item.top + item.bottom) / 2), kPanelGreyColor) << label;
        EXPECT_EQ(PixelOf(m_list, item.left + 3 + 8, item.top + 2 + 8), c.icon) << label;
        // Below the items: the panel too.
        EXPECT_EQ(PixelOf(m_list, client.right / 2, client.bottom - 3), kPanelGreyColor) << label;
    }
    EXPECT_TRUE(m_errors.Reports().empty());
}

TEST_F(IconListBoxTest, ADoubleClickOnADisabledItemDoesNotReachTheParent)
{
    m_list.AddItem("Enabled", 0);
    m_list.AddItem("Disabled", 0);
    m_list.SetItemInfo(1, 0, 0, 0, kIconListItemDisabled, kIconListFlags);

    const struct {
        int item;
        int expectedNotifications;
    } cases[] = {{0, 1}, {1, 0}};
    for (const auto& c : cases) {
        m_host.m_notifications.clear();
        const RECT item = ItemRect(c.item);
        POINT point{(item.left + item.right) / 2, (item.top + item.bottom) / 2};
        POINT screen = point;
        m_list.ClientToScreen(&screen);
        ASSERT_TRUE(::SetCursorPos(screen.x, screen.y));
        // A posted message carries the cursor position the list box reads.
        m_list.PostMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(point.x, point.y));
        m_list.PostMessage(WM_LBUTTONUP, 0, MAKELPARAM(point.x, point.y));
        m_list.PostMessage(WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(point.x, point.y));
        m_list.PostMessage(WM_LBUTTONUP, 0, MAKELPARAM(point.x, point.y));
        PumpPending();
        EXPECT_EQ(m_host.Count(kListId, LBN_DBLCLK), c.expectedNotifications) << "item " << c.item;
    }
}

// ---- list control and header -------------------------------------------------------------

TEST(PaintListCtrl, ADisabledListShowsOnlyThePanelBackground)
{
    NoErrorBoxes errors;
    ProgramWithView program;
    CHostWindow host;
    CPaintListCtrl list;
    ASSERT_TRUE(list.Create(WS_VISIBLE | LVS_REPORT | LVS_NOCOLUMNHEADER, RECT{10, 10, 250, 150}, &host, 1));
    list.InsertColumn(0, "File", LVCFMT_LEFT, 200);
    for (const char* name : {"track01.mp3", "track02.mp3", "track03.mp3"})
        list.InsertItem(list.GetItemCount(), name);
    RepaintNow(host);
    const RECT client = ClientOf(list);
    const int area = client.right * client.bottom;
    EXPECT_EQ(CountPixels(list, client, kPanelGreyColor), 0);

    list.EnableWindow(FALSE);
    RepaintNow(host);
    EXPECT_EQ(CountPixels(list, client, kPanelGreyColor), area);
    EXPECT_TRUE(errors.Reports().empty());
}

TEST(TrackHeaderCtrl, TheRightEndBlendsIntoTheList)
{
    NoErrorBoxes errors;
    CHostWindow host;
    CListCtrl list;
    ASSERT_TRUE(list.Create(WS_VISIBLE | LVS_REPORT, RECT{10, 10, 250, 150}, &host, 1));
    list.InsertColumn(0, "", LVCFMT_LEFT, 0);
    list.InsertColumn(1, "", LVCFMT_RIGHT, 30);
    list.InsertColumn(2, "Track Name", LVCFMT_LEFT, 120);
    list.InsertColumn(3, "Time", LVCFMT_RIGHT, 40);
    CTrackHeaderCtrl header;
    ASSERT_TRUE(header.SubclassWindow(list.GetHeaderCtrl()));
    RepaintNow(host);

    const RECT client = ClientOf(header);
    const int w = client.right;
    const int h = client.bottom;
    ASSERT_GT(h, 4);
    const struct {
        const char* where;
        int x, y;
        int color;
    } probes[] = {
        {"last column, top", w - 1, 0, COLOR_BTNFACE},
        {"next to last column, middle", w - 2, h / 2, COLOR_BTNFACE},
        {"last column, above the shadow", w - 1, h - 3, COLOR_BTNFACE},
        {"shadow pixel 1", w - 2, h - 2, COLOR_BTNSHADOW},
        {"shadow pixel 2", w - 1, h - 2, COLOR_BTNSHADOW},
    };
    for (const auto& probe : probes)
        EXPECT_EQ(PixelOf(header, probe.x, probe.y), SysColor(probe.color)) << probe.where;
    header.UnsubclassWindow();
    EXPECT_TRUE(errors.Reports().empty());
}

// ---- statics ----------------------------------------------------------------------------------

TEST(IconStatic, DrawsItsIconAtTheTopLeftCorner)
{
    NoErrorBoxes errors;
    CHostWindow host;
    CImageList icons;
    MakeSolidImageList(icons, kIconColor);
    OwnedIcon icon(icons.ExtractIcon(0));
    CIconStatic stat;
    ASSERT_TRUE(stat.Create("", WS_VISIBLE | SS_ICON, RECT{10, 10, 42, 42}, &host, 1113));
    stat.SetIcon(icon);
    RepaintNow(host);
    EXPECT_EQ(PixelOf(stat, 0, 0), kIconColor);
    EXPECT_EQ(PixelOf(stat, 15, 15), kIconColor);
    EXPECT_TRUE(errors.Reports().empty());
}

TEST(PictureStatic, CentredStylesShowAPictureAndLeftAlignedOnesTheirText)
{
    NoErrorBoxes errors;
    CHostWindow host;
    CPictureStatic left;
    CPictureStatic pictureA;
    CPictureStatic pictureB;
    ASSERT_TRUE(left.Create("Copies:", WS_VISIBLE | SS_LEFT, RECT{10, 10, 110, 50}, &host, 1170));
    ASSERT_TRUE(pictureA.Create("Collate", WS_VISIBLE | SS_CENTER, RECT{10, 60, 110, 100}, &host, 1086));
    ASSERT_TRUE(pictureB.Create("Collate", WS_VISIBLE | SS_RIGHT, RECT{10, 110, 110, 150}, &host, 1087));
    pictureA.m_bPictureSelector = true;
    pictureB.m_bPictureSelector = false;
    RepaintNow(host);

    const RECT area{0, 0, 100, 40};
    const int inkA = CountPixels(pictureA, area, kPictureInk);
    const int inkB = CountPixels(pictureB, area, kPictureInk);
    EXPECT_GT(inkA, 0);
    EXPECT_GT(inkB, inkA);  // picture B has the larger dark-blue area
    for (CPictureStatic* stat : {&pictureA, &pictureB}) {
        EXPECT_EQ(CountPixels(*stat, area, kMagenta), 0);  // the mask colour is transparent
        EXPECT_GT(CountPixels(*stat, area, kHostColor), 0);
    }
    // The left-aligned one draws text, no picture.
    EXPECT_EQ(CountPixels(left, area, kPictureInk), 0);
    EXPECT_GT(CountPixels(left, area, RGB(0, 0, 0)), 0);
    EXPECT_TRUE(errors.Reports().empty());
}

TEST(ColorStatic, TilesTheApplicationBackgroundAndGreysItsTextWhenDisabled)
{
    NoErrorBoxes errors;
    ProgramWithView program;
    // A two-pixel texture, to see the tiling from the origin.
    constexpr COLORREF kTileLeft = RGB(200, 180, 40);
    constexpr COLORREF kTileRight = RGB(40, 180, 200);
    CClientDC screen(nullptr);
    CMemoryDC texture(screen);
    CBitmap bitmap;
    bitmap.CreateCompatibleBitmap(screen, 2, 1);
    CSelectGuard selected(texture, bitmap);
    ::SetPixel(texture, 0, 0, kTileLeft);
    ::SetPixel(texture, 1, 0, kTileRight);
    program.App().m_hBackgroundDC = texture;

    CHostWindow host;
    CColorStatic stat;
    ASSERT_TRUE(stat.Create("Disc Label", WS_VISIBLE | SS_LEFT, RECT{10, 10, 160, 50}, &host, 1062));
    stat.SetFont(static_cast<HFONT>(::GetStockObject(DEFAULT_GUI_FONT)), FALSE);
    RepaintNow(host);
    const RECT client = ClientOf(stat);
    const int bottom = client.bottom - 1;
    EXPECT_EQ(PixelOf(stat, 0, bottom), kTileLeft);
    EXPECT_EQ(PixelOf(stat, 1, bottom), kTileRight);
    EXPECT_EQ(PixelOf(stat, 2, bottom), kTileLeft);
    EXPECT_GT(CountPixels(stat, client, RGB(0, 0, 0)), 0);
    EXPECT_EQ(CountPixels(stat, client, RGB(128, 128, 128)), 0);

    // Disabling turns the text grey at once, without waiting for a paint.
    stat.EnableWindow(FALSE);
    EXPECT_FALSE(stat.m_bEnabledLook);
    EXPECT_EQ(CountPixels(stat, client, RGB(0, 0, 0)), 0);
    EXPECT_GT(CountPixels(stat, client, RGB(128, 128, 128)), 0);

    // Its parent gets a hollow brush for it.
    CClientDC dc(stat);
    const auto brush = reinterpret_cast<HBRUSH>(
        host.SendMessage(WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(dc.m_hDC), reinterpret_cast<LPARAM>(stat.m_hWnd)));
    LOGBRUSH info{};
    ASSERT_TRUE(brush && ::GetObjectA(brush, sizeof info, &info));
    EXPECT_EQ(info.lbStyle, static_cast<UINT>(BS_HOLLOW));

    program.App().m_hBackgroundDC = nullptr;
    EXPECT_TRUE(errors.Reports().empty());
}

TEST(PaintStatic, DrawsOnlyItsTextAndCentresItForCentredStyles)
{
    NoErrorBoxes errors;
    CHostWindow host;
    CPaintStatic left;
    CPaintStatic centred;
    ASSERT_TRUE(left.Create("Horizontal:", WS_VISIBLE | SS_LEFT, RECT{10, 10, 210, 40}, &host, 1119));
    ASSERT_TRUE(centred.Create("Horizontal:", WS_VISIBLE | SS_CENTER, RECT{10, 50, 210, 80}, &host, 1120));
    RepaintNow(host);
    const RECT client = ClientOf(left);
    for (CPaintStatic* stat : {&left, &centred}) {
        EXPECT_EQ(PixelOf(*stat, client.right - 1, client.bottom - 1), kHostColor);
        EXPECT_GT(CountPixels(*stat, client, RGB(0, 0, 0)), 0);
    }
    const int leftStart = FirstInkColumn(left, client, kHostColor);
    const int centredStart = FirstInkColumn(centred, client, kHostColor);
    EXPECT_LE(leftStart, 2);
    EXPECT_GT(centredStart, client.right / 5);
    EXPECT_TRUE(errors.Reports().empty());
}

}  // namespace
