// The draw modes' items, drawn through WM_DRAWITEM's handler into a memory
// bitmap: backgrounds, selection, check marks, grey text, icons, separators
// and title bands of the XP, classic and flat-bar styles.
#include "MenuTestSupport.h"
#include "OwnerDrawnTestSupport.h"

#include "resource.h"
#include "uikit/ColorHelpers.h"
#include "uikit/MenuItemPainting.h"
#include "uikit/MenuSystemSettings.h"

#include <gtest/gtest.h>

using namespace menu_test;

namespace {

constexpr int kItemWidth = 200;
constexpr int kItemHeight = 24;
constexpr RECT kItem{0, 0, kItemWidth, kItemHeight};
constexpr COLORREF kSelectedFill = RGB(182, 190, 211);

COLORREF HotColour(int k)
{
    return RGB(200, 20 + 8 * k, 40);
}

COLORREF DisabledColour(int k)
{
    return RGB(40, 20 + 8 * k, 200);
}

std::vector<COLORREF> Colours(int count, COLORREF (*colour)(int))
{
    std::vector<COLORREF> colours;
    for (int k = 0; k < count; ++k)
        colours.push_back(colour(k));
    return colours;
}

// The main menu with icons as the main frame gives them: New from the
// application's list (a command with images of its own in the lists), and
// Change Label Paper (one without).
class MenuDrawing : public ::testing::Test {
protected:
    MenuDrawing() : m_hot(Colours(25, HotColour)), m_disabled(Colours(24, DisabledColour)), m_images(m_hot.Get(), m_disabled.Get())
    {
    }

    void SetUp() override
    {
        ASSERT_TRUE(m_menu.LoadMenu(IDR_MAINFRAME));
        m_file = m_menu.GetSubMenu(0);
        ASSERT_NE(m_file, nullptr);
        ASSERT_TRUE(m_menu.SetItemIcon(nullptr, ID_FILE_NEW, m_hot.Get(), 0));
        ASSERT_TRUE(m_menu.SetItemIcon(nullptr, ID_FILE_CHANGE_LABEL_PAPER, m_hot.Get(), 24));
    }

    int Position(UINT command) const { return PositionOf(*m_file, command); }

    // Draws an item of the File pop-up in the current mode onto a fresh canvas.
    void Draw(Canvas& canvas, UINT command, UINT state, const RECT& rect = kItem, int position = -1)
    {
        const int at = position >= 0 ? position : Position(command);
        DRAWITEMSTRUCT item = DrawRequest(*m_file, at, canvas.DC(), rect, state);
        ASSERT_TRUE(CNewMenu::OnDrawItem(&item));
    }

    int ColumnRight() const { return m_file->GetIconSize().cx + 8; }
    RECT TextArea() const { return RECT{ColumnRight() + 4, 0, kItemWidth - 15, kItemHeight}; }

    SolidImages m_hot;
    SolidImages m_disabled;
    ScopedMenuImages m_images;
    ScopedPanel m_panel;
    CNewMenu m_menu;
    CNewMenu* m_file = nullptr;
};

struct PixelCase {
    const char* name;
    int mode;
    UINT command;
    UINT state;
    POINT probe;
    COLORREF (*expected)();
};

}  // namespace

TEST_F(MenuDrawing, PixelsAtTheirPlaces)
{
    const PixelCase cases[] = {
        // XP: items on the panel background; selection fill and raised frame.
        {"xp plain background", 2, ID_FILE_SAVE_AS, 0, {kItemWidth - 5, 12}, [] { return kPanel; }},
        {"xp column background", 2, ID_FILE_SAVE_AS, 0, {2, 12}, [] { return kPanel; }},
        {"xp selected fill", 2, ID_FILE_SAVE_AS, ODS_SELECTED, {kItemWidth - 5, 3}, [] { return kSelectedFill; }},
        {"xp selected top edge", 2, ID_FILE_SAVE_AS, ODS_SELECTED, {100, 0}, [] { return Sys(COLOR_BTNHIGHLIGHT); }},
        {"xp selected bottom edge", 2, ID_FILE_SAVE_AS, ODS_SELECTED, {100, kItemHeight - 1},
         [] { return Sys(COLOR_3DDKSHADOW); }},
        {"xp selected but inactive", 2, ID_FILE_SAVE_AS, ODS_SELECTED | ODS_INACTIVE, {kItemWidth - 5, 3},
         [] { return kPanel; }},
        {"xp mode 3 draws alike", 3, ID_FILE_SAVE_AS, ODS_SELECTED, {kItemWidth - 5, 3}, [] { return kSelectedFill; }},
        // XP check mark: image 12 of the hot list, of the disabled list when grayed.
        {"xp check mark", 2, ID_FILE_SAVE_AS, ODS_CHECKED, {6 + 8, 1 + 8}, [] { return HotColour(12); }},
        {"xp grayed check mark", 2, ID_FILE_SAVE_AS, ODS_CHECKED | ODS_GRAYED, {6 + 8, 1 + 8},
         [] { return DisabledColour(12); }},
        // XP icons: centred in the column; a selected one lifted by a pixel over its shadow.
        {"xp icon", 2, ID_FILE_NEW, 0, {3 + 8, 12}, [] { return HotColour(0); }},
        {"xp icon leaves the column edge", 2, ID_FILE_NEW, 0, {1, 12}, [] { return kPanel; }},
        {"xp selected icon", 2, ID_FILE_NEW, ODS_SELECTED, {2 + 8, 3 + 8}, [] { return HotColour(0); }},
        {"xp selected icon's shadow", 2, ID_FILE_NEW, ODS_SELECTED, {3 + 16, 4 + 16},
         [] { return ShadowTint(kSelectedFill); }},
        {"xp disabled icon of a listed command", 2, ID_FILE_NEW, ODS_GRAYED, {3 + 8, 12},
         [] { return DisabledColour(0); }},
        {"xp checked icon frame", 2, ID_FILE_NEW, ODS_CHECKED, {1, 12}, [] { return Sys(COLOR_HIGHLIGHT); }},
        // Classic: menu colour, highlight beside the icon column or across the item.
        {"classic background", 0, ID_FILE_SAVE_AS, 0, {kItemWidth - 5, 12}, [] { return Sys(COLOR_MENU); }},
        {"classic selected without icon", 0, ID_FILE_SAVE_AS, ODS_SELECTED, {2, 2}, [] { return Sys(COLOR_HIGHLIGHT); }},
        {"classic selected beside the icon", 0, ID_FILE_NEW, ODS_SELECTED, {16 + 7, 2}, [] { return Sys(COLOR_HIGHLIGHT); }},
        {"classic icon column stays", 0, ID_FILE_NEW, ODS_SELECTED, {1, 2}, [] { return Sys(COLOR_MENU); }},
        {"classic icon", 0, ID_FILE_NEW, 0, {12, 12}, [] { return HotColour(0); }},
        // Flat bar modes draw pop-up items in the classic style.
        {"flat bar pop-up item", 4, ID_FILE_SAVE_AS, ODS_SELECTED, {2, 2}, [] { return Sys(COLOR_HIGHLIGHT); }},
        {"flat bar pop-up background", 5, ID_FILE_SAVE_AS, 0, {kItemWidth - 5, 12}, [] { return Sys(COLOR_MENU); }},
    };
    for (const PixelCase& test : cases) {
        SCOPED_TRACE(test.name);
        ScopedDrawMode mode(test.mode);
        Canvas canvas(kItemWidth + 20, kItemHeight + 10);
        Draw(canvas, test.command, test.state);
        EXPECT_EQ(canvas.Pixel(test.probe), test.expected());
    }
}

TEST_F(MenuDrawing, TextColourFollowsTheState)
{
    struct Case {
        const char* name;
        int mode;
        UINT state;
        int present;   // a colour the text must show
        int absent;    // one it must not
    };
    const Case cases[] = {
        {"xp enabled", 2, 0, COLOR_MENUTEXT, COLOR_GRAYTEXT},
        {"xp grayed", 2, ODS_GRAYED, COLOR_GRAYTEXT, COLOR_MENUTEXT},
        {"xp grayed and selected", 2, ODS_GRAYED | ODS_SELECTED, COLOR_GRAYTEXT, COLOR_MENUTEXT},
        {"classic enabled", 0, 0, COLOR_MENUTEXT, COLOR_GRAYTEXT},
        {"classic selected", 0, ODS_SELECTED, COLOR_HIGHLIGHTTEXT, COLOR_MENUTEXT},
        {"classic grayed", 0, ODS_GRAYED, COLOR_GRAYTEXT, COLOR_MENUTEXT},
    };
    for (const Case& test : cases) {
        SCOPED_TRACE(test.name);
        ScopedDrawMode mode(test.mode);
        Canvas canvas(kItemWidth, kItemHeight);
        Draw(canvas, ID_FILE_SAVE_AS, test.state);
        const RECT text{ColumnRight(), 0, kItemWidth, kItemHeight};
        EXPECT_GT(canvas.Count(text, Sys(test.present)), 0);
        EXPECT_EQ(canvas.Count(text, Sys(test.absent)), 0);
    }
    // Classic grayed text is embossed: a highlight copy under the grey one.
    ScopedDrawMode classic(0);
    Canvas embossed(kItemWidth, kItemHeight);
    Draw(embossed, ID_FILE_SAVE_AS, ODS_GRAYED);
    EXPECT_GT(embossed.Count(RECT{ColumnRight(), 0, kItemWidth, kItemHeight}, Sys(COLOR_BTNHIGHLIGHT)), 0);
}

TEST_F(MenuDrawing, IconsWithoutImagesOfTheirOwnUseTheSetsForms)
{
    ScopedDrawMode mode(2);
    Canvas normal(kItemWidth, kItemHeight);
    Draw(normal, ID_FILE_CHANGE_LABEL_PAPER, 0);
    EXPECT_EQ(normal.Pixel(3 + 8, 12), HotColour(24));

    Canvas disabled(kItemWidth, kItemHeight);
    Draw(disabled, ID_FILE_CHANGE_LABEL_PAPER, ODS_GRAYED);
    const COLORREF grey = disabled.Pixel(3 + 8, 12);
    EXPECT_NE(grey, HotColour(24));
    EXPECT_NE(grey, kPanel);
    EXPECT_LT(std::abs(GetRValue(grey) - GetBValue(grey)), 40) << "the disabled form is greyish";

    // Selected, it comes from its own set: lifted over its shadow.
    Canvas selected(kItemWidth, kItemHeight);
    Draw(selected, ID_FILE_CHANGE_LABEL_PAPER, ODS_SELECTED);
    EXPECT_EQ(selected.Pixel(2 + 8, 3 + 8), HotColour(24));
    EXPECT_EQ(selected.Pixel(3 + 16, 4 + 16), ShadowTint(kSelectedFill));
}

TEST_F(MenuDrawing, CheckMarksWithoutTheProgramsImages)
{
    ScopedMenuImages none(nullptr, nullptr);
    for (int key : {2, 0}) {
        SCOPED_TRACE(key);
        ScopedDrawMode mode(key);
        Canvas unchecked(kItemWidth, kItemHeight);
        Draw(unchecked, ID_FILE_SAVE_AS, 0);
        Canvas checked(kItemWidth, kItemHeight);
        Draw(checked, ID_FILE_SAVE_AS, ODS_CHECKED);
        // The font's check mark, in the icon column.
        const RECT column{0, 0, ColumnRight(), kItemHeight};
        EXPECT_EQ(unchecked.Count(column, Sys(COLOR_MENUTEXT)), 0);
        EXPECT_GT(checked.Count(column, Sys(COLOR_MENUTEXT)), 4);
    }
}

TEST_F(MenuDrawing, Separators)
{
    const int separator = Position(ID_FILE_SAVE_AS_DEFAULT_TEMPLATE) + 1;
    ASSERT_TRUE(m_file->GetItemDataAt(separator)->IsSeparator());
    const RECT line{0, 0, kItemWidth, 8};
    {
        ScopedDrawMode mode(2);
        Canvas canvas(kItemWidth, 8);
        Draw(canvas, 0, 0, line, separator);
        // A grey line through the middle from the text's start to the right edge.
        EXPECT_TRUE(canvas.AllAre(RECT{TextArea().left, 4, kItemWidth, 5}, Sys(COLOR_GRAYTEXT)));
        EXPECT_EQ(canvas.Pixel(TextArea().left - 2, 4), kPanel);
        EXPECT_EQ(canvas.Pixel(50, 2), kPanel);
    }
    {
        ScopedDrawMode mode(0);
        Canvas canvas(kItemWidth, 8);
        Draw(canvas, 0, 0, line, separator);
        // An etched line: shadow over highlight.
        EXPECT_TRUE(canvas.AllAre(RECT{1, 4, kItemWidth - 1, 5}, Sys(COLOR_BTNSHADOW)));
        EXPECT_TRUE(canvas.AllAre(RECT{1, 5, kItemWidth - 1, 6}, Sys(COLOR_BTNHIGHLIGHT)));
    }
}

TEST_F(MenuDrawing, TitleBands)
{
    const COLORREF caption = Sys(COLOR_ACTIVECAPTION);
    const COLORREF light = MixColour86(Sys(COLOR_WINDOW), GetMenuColour());
    const int checkWidth = ::GetSystemMetrics(SM_CXMENUCHECK);

    for (bool withGradientFill : {true, false}) {
        SCOPED_TRACE(withGradientFill ? "GradientFill" : "bands");
        ScopedGradientFill fill(withGradientFill ? MenuLibrary().gradientFill : nullptr);
        ScopedDrawMode mode(2);

        // Vertical: from the fixed start colour at the top to the caption colour at the bottom,
        // widened by the check-mark width.
        ASSERT_TRUE(m_file->SetMenuTitle(" ", kMenuTitleVertical | kMenuTitleGradient));
        Canvas vertical(60, 200);
        Draw(vertical, 0, 0, RECT{0, 0, 10, 200}, 0);
        EXPECT_TRUE(Near(vertical.Pixel(2, 0), kMenuGradientStart, 3));
        EXPECT_TRUE(Near(vertical.Pixel(2, 199), caption, 3));
        EXPECT_TRUE(Near(vertical.Pixel(10 + checkWidth - 1, 0), kMenuGradientStart, 3));
        EXPECT_EQ(vertical.Pixel(10 + checkWidth, 100), kCanvasColour);

        // Horizontal: left to right, towards the light menu tint.
        ASSERT_TRUE(m_file->SetMenuTitle("", kMenuTitleGradient));
        Canvas horizontal(200, 20);
        Draw(horizontal, 0, 0, RECT{0, 0, 200, 20}, 0);
        EXPECT_TRUE(Near(horizontal.Pixel(0, 10), kMenuGradientStart, 3));
        EXPECT_TRUE(Near(horizontal.Pixel(199, 10), light, 3));
    }

    ScopedDrawMode mode(0);
    ASSERT_TRUE(m_file->SetMenuTitle("", 0));
    Canvas plain(200, 20);
    Draw(plain, 0, 0, RECT{0, 0, 200, 20}, 0);
    EXPECT_TRUE(plain.AllAre(RECT{0, 0, 200, 20}, caption));

    ASSERT_TRUE(m_file->SetMenuTitle("", kMenuTitleRounded));
    Canvas rounded(200, 20);
    Draw(rounded, 0, 0, RECT{0, 0, 200, 20}, 0);
    EXPECT_EQ(rounded.Pixel(100, 10), caption);
    EXPECT_EQ(rounded.Pixel(0, 0), kCanvasColour);  // the corner is round

    ASSERT_TRUE(m_file->SetMenuTitle("", kMenuTitleFrame));
    Canvas framed(200, 20);
    Draw(framed, 0, 0, RECT{0, 0, 200, 20}, 0);
    EXPECT_EQ(framed.Pixel(100, 0), Sys(COLOR_BTNSHADOW));
    EXPECT_EQ(framed.Pixel(100, 19), Sys(COLOR_BTNHIGHLIGHT));
    EXPECT_EQ(framed.Pixel(100, 10), caption);
}

TEST_F(MenuDrawing, TitleTextIsDrawnInTheCaptionTextColour)
{
    ScopedDrawMode mode(2);
    ASSERT_TRUE(m_file->SetMenuTitle("Sleevory", kMenuTitleVertical));
    Canvas canvas(40, 200);
    Draw(canvas, 0, 0, RECT{0, 0, 10, 200}, 0);
    // Written upwards from the bottom of the band.
    const COLORREF text = Sys(COLOR_CAPTIONTEXT);
    EXPECT_GT(canvas.Count(RECT{0, 100, 30, 200}, text), 0);
    EXPECT_EQ(canvas.Count(RECT{0, 0, 30, 40}, text), 0);
}

TEST_F(MenuDrawing, MenuBarItems)
{
    const RECT bar{0, 0, 60, 20};
    {
        // Flat bar: lit items in the highlight colour, the others in the menu colour.
        ScopedDrawMode mode(4);
        Canvas lit(60, 20);
        DRAWITEMSTRUCT item = DrawRequest(m_menu, 0, lit.DC(), bar, ODS_SELECTED);
        ASSERT_TRUE(CNewMenu::OnDrawItem(&item));
        EXPECT_EQ(lit.Pixel(2, 2), Sys(COLOR_HIGHLIGHT));
        EXPECT_GT(lit.Count(bar, Sys(COLOR_HIGHLIGHTTEXT)), 0);
        Canvas idle(60, 20);
        item = DrawRequest(m_menu, 0, idle.DC(), bar, 0);
        ASSERT_TRUE(CNewMenu::OnDrawItem(&item));
        EXPECT_EQ(idle.Pixel(2, 2), GetMenuColour());
    }
    {
        ScopedDrawMode mode(2);
        const COLORREF selection = MixColour70(Sys(COLOR_WINDOW), Sys(COLOR_HIGHLIGHT));
        // Outside the menu loop a selected bar item is shown hot.
        Canvas hot(60, 20);
        DRAWITEMSTRUCT item = DrawRequest(m_menu, 0, hot.DC(), bar, ODS_SELECTED);
        ASSERT_TRUE(CNewMenu::OnDrawItem(&item));
        EXPECT_EQ(hot.Pixel(3, 3), selection);
        EXPECT_EQ(hot.Pixel(58, 10), kPanel);

        // With its pop-up open it is selected and casts a shadow into its last 4 columns.
        CNewMenu::OnInitMenuPopup(nullptr, m_file->m_hMenu, 0, FALSE);
        EXPECT_EQ(m_menu.GetLoopDepth(), 1);
        Canvas open(60, 20);
        item = DrawRequest(m_menu, 0, open.DC(), bar, ODS_SELECTED);
        ASSERT_TRUE(CNewMenu::OnDrawItem(&item));
        EXPECT_EQ(open.Pixel(0, 10), Sys(COLOR_BTNHIGHLIGHT));
        EXPECT_EQ(open.Pixel(55, 10), Sys(COLOR_3DDKSHADOW));
        EXPECT_EQ(open.Pixel(59, 2), kPanel);
        EXPECT_EQ(open.Pixel(59, 12), DarkenColour(30, kPanel));
        EXPECT_EQ(open.Pixel(56, 12), DarkenColour(120, kPanel));
        EXPECT_EQ(open.Pixel(59, 5), DarkenColour(12, kPanel));

        m_file->OnExitMenuLoop(nullptr);
        EXPECT_EQ(m_menu.GetLoopDepth(), 0);
    }
}

TEST(MenuDrawingWithoutView, XPItemsPaintOnlyOverTheLabelView)
{
    ScopedDrawMode mode(2);
    CNewMenu menu;
    ASSERT_TRUE(menu.LoadMenu(IDR_MAINFRAME));
    CNewMenu* file = menu.GetSubMenu(0);
    const int saveAs = PositionOf(*file, ID_FILE_SAVE_AS);

    if (!GetApp()) {
        Canvas canvas(kItemWidth, kItemHeight);
        DRAWITEMSTRUCT item = DrawRequest(*file, saveAs, canvas.DC(), kItem, ODS_SELECTED);
        ASSERT_TRUE(CNewMenu::OnDrawItem(&item));
        EXPECT_TRUE(canvas.AllAre(kItem, kCanvasColour));
    }

    uikit_test::ProgramWithView program;
    Canvas canvas(kItemWidth, kItemHeight);
    DRAWITEMSTRUCT item = DrawRequest(*file, saveAs, canvas.DC(), kItem, 0);
    ASSERT_TRUE(CNewMenu::OnDrawItem(&item));
    // No background bitmap on the application: the plain panel grey.
    EXPECT_EQ(canvas.Pixel(kItemWidth - 5, 12), uikit_test::kPanelGreyColor);
    EXPECT_GT(canvas.Count(kItem, Sys(COLOR_MENUTEXT)), 0);
}
