// The bevel button's faces: their sizes, palettes and shading, the grain that
// tells two buttons apart, and which face is drawn in which state.
#include "uikit/BevelButton.h"

#include "ButtonTestSupport.h"

#include <gtest/gtest.h>

#include <cstdlib>

using namespace button_test;

namespace {

constexpr int kGranularity = 8;

COLORREF PaletteColor(const CShadeBitmap& face, int index)
{
    const RGBQUAD entry = face.GetPalette()[index];
    return RGB(entry.rgbRed, entry.rgbGreen, entry.rgbBlue);
}

COLORREF FaceColor(const CShadeBitmap& face, int x, int y)
{
    return PaletteColor(face, face.GetPixelIndex(x, y));
}

double MeanIndex(const CShadeBitmap& face, const RECT& r)
{
    double sum = 0;
    for (int y = r.top; y < r.bottom; ++y)
        for (int x = r.left; x < r.right; ++x)
            sum += face.GetPixelIndex(x, y);
    return sum / ((r.right - r.left) * (r.bottom - r.top));
}

class BevelButtonTest : public ::testing::Test {
protected:
    CBevelButton& Make(CBevelButton& button, RECT rect = RECT{10, 10, 90, 33}, LPCSTR text = "")
    {
        EXPECT_TRUE(button.SubclassWindow(parent.AddButton(200, BS_PUSHBUTTON, text, rect)));
        return button;
    }
    void MoveMouseOver(CBevelButton& button)
    {
        RECT rect{};
        ::GetClientRect(button.m_hWnd, &rect);
        POINT screen{rect.right / 2, rect.bottom / 2};
        ::ClientToScreen(button.m_hWnd, &screen);
        ::SetCursorPos(screen.x, screen.y);
        button.SendMessage(WM_MOUSEMOVE, 0, MAKELPARAM(rect.right / 2, rect.bottom / 2));
    }

    CParentWindow parent;
};

}  // namespace

TEST_F(BevelButtonTest, FacesTakeTheWindowsSizeAndTheGreyPalette)
{
    CBevelButton button;
    Make(button).BuildFaces(6, kGranularity, 10, 0, 0);
    const CShadeBitmap& face = button.NormalFace();
    EXPECT_EQ(face.GetWidth(), 80);
    EXPECT_EQ(face.GetHeight(), 23);
    EXPECT_EQ(face.GetColorCount(), 256);
    EXPECT_EQ(button.RowPattern().GetWidth(), 80);
    EXPECT_EQ(button.RowPattern().GetHeight(), 1);
    EXPECT_EQ(button.ColumnPattern().GetWidth(), 1);
    EXPECT_EQ(button.ColumnPattern().GetHeight(), 23);

    struct Entry {
        int index;
        int grey;
    };
    for (const Entry e : {Entry{0, 128}, Entry{64, 156}, Entry{128, 185}, Entry{191, 220}, Entry{255, 255}}) {
        SCOPED_TRACE(e.index);
        EXPECT_EQ(PaletteColor(face, e.index), RGB(e.grey, e.grey, e.grey));
        const int lighter = (255 * 10 + e.grey * 90) / 100;
        EXPECT_EQ(PaletteColor(button.HoverFace(), e.index), RGB(lighter, lighter, lighter));
        EXPECT_EQ(PaletteColor(button.PressedFace(), e.index), RGB(lighter, lighter, lighter));
    }
    EXPECT_EQ(std::memcmp(face.GetBits(), button.HoverFace().GetBits(), face.GetLineWidth() * face.GetHeight()), 0)
        << "the hover face is the same picture, lighter";

    for (int x = 0; x < 6; ++x)
        EXPECT_EQ(button.RowPattern().GetPixelIndex(x, 0), x % 2 ? 255 : 0);
    const CShadeBitmap& column = button.ColumnPattern();
    for (int row = 0; row < 6; ++row)
        EXPECT_EQ(column.GetBits()[row * column.GetLineWidth()], row % 2 ? 255 : 0);
}

TEST_F(BevelButtonTest, TintMovesOnlyTheNormalFacesPalette)
{
    CBevelButton button;
    Make(button).BuildFaces(6, kGranularity, 0, 50, RGB(255, 0, 0));
    EXPECT_EQ(PaletteColor(button.NormalFace(), 0), RGB(191, 64, 64));
    EXPECT_EQ(PaletteColor(button.RowPattern(), 0), RGB(128, 128, 128));
    EXPECT_EQ(PaletteColor(button.HoverFace(), 0), RGB(191, 64, 64)) << "the hover face starts from the tinted one";
}

TEST_F(BevelButtonTest, SoftBumpIsBrightTopLeftAndDarkBottomRight)
{
    CBevelButton button;
    Make(button, RECT{0, 0, 120, 40}).BuildFaces(6, kGranularity, 10, 0, 0);
    const CShadeBitmap& face = button.NormalFace();
    const double topLeft = MeanIndex(face, RECT{0, 0, 10, 5});
    const double middle = MeanIndex(face, RECT{50, 15, 70, 25});
    const double bottomRight = MeanIndex(face, RECT{110, 35, 120, 40});
    EXPECT_GT(topLeft, middle + 40);
    EXPECT_LT(bottomRight, middle - 40);
    EXPECT_NEAR(middle, 128, kGranularity) << "flat in the middle";
}

TEST_F(BevelButtonTest, TwoEqualButtonsDifferOnlyInTheirGrain)
{
    CBevelButton first;
    CBevelButton second;
    Make(first, RECT{0, 0, 80, 23}).BuildFaces(6, kGranularity, 10, 0, 0);
    Make(second, RECT{0, 30, 80, 53}).BuildFaces(6, kGranularity, 10, 0, 0);
    int differing = 0;
    for (int y = 0; y < 23; ++y)
        for (int x = 0; x < 80; ++x) {
            const int a = first.NormalFace().GetPixelIndex(x, y);
            const int b = second.NormalFace().GetPixelIndex(x, y);
            ASSERT_LE(std::abs(a - b), 2 * kGranularity) << x << "," << y;
            differing += a != b;
        }
    EXPECT_GT(differing, 80 * 23 / 2);
}

TEST_F(BevelButtonTest, TinyButtonsStillGetAFace)
{
    CBevelButton thin;
    Make(thin, RECT{0, 0, 50, 1}).BuildFaces(6, kGranularity, 10, 0, 0);
    EXPECT_EQ(thin.NormalFace().GetWidth(), 50);
    EXPECT_EQ(thin.NormalFace().GetHeight(), 1);

    CBevelButton empty;
    Make(empty, RECT{0, 0, 0, 0}).BuildFaces(6, kGranularity, 10, 0, 0);
    EXPECT_EQ(empty.NormalFace().GetWidth(), 1);
    EXPECT_EQ(empty.NormalFace().GetHeight(), 1);

    CBevelButton plain;
    Make(plain, RECT{0, 0, 30, 10}).BuildFaces(0, kGranularity, 10, 0, 0);
    EXPECT_NEAR(MeanIndex(plain.NormalFace(), RECT{0, 0, 30, 10}), 128, kGranularity) << "grain without the bump";
}

TEST_F(BevelButtonTest, DrawsTheNormalFaceAndTheHoverFaceWhenLit)
{
    CBevelButton button;
    Make(button).BuildFaces(6, kGranularity, 10, 0, 0);
    const CShadeBitmap& normal = button.NormalFace();
    const CShadeBitmap& hover = button.HoverFace();

    CCanvas plain(80, 23);
    DrawInto(button, plain, 0);
    for (POINT p : {POINT{0, 0}, POINT{2, 2}, POINT{79, 22}, POINT{40, 11}})
        EXPECT_EQ(plain.Pixel(p.x, p.y), FaceColor(normal, p.x, p.y)) << "no border while not lit";

    MoveMouseOver(button);
    ASSERT_TRUE(button.IsHovered());
    CCanvas lit(80, 23);
    DrawInto(button, lit, 0);
    EXPECT_EQ(lit.Pixel(5, 5), FaceColor(hover, 5, 5));
    EXPECT_EQ(lit.Pixel(0, 0), ::GetSysColor(COLOR_BTNHIGHLIGHT) & 0xFFFFFF) << "raised border while lit";

    CCanvas pressed(80, 23);
    DrawInto(button, pressed, ODS_SELECTED);
    EXPECT_EQ(pressed.Pixel(5, 5), FaceColor(hover, 4, 4)) << "the face moves in by a pixel";
    EXPECT_EQ(pressed.Pixel(0, 0), ::GetSysColor(COLOR_BTNSHADOW) & 0xFFFFFF) << "sunken border";
}

TEST_F(BevelButtonTest, DisabledTitleIsEmbossed)
{
    CBevelButton button;
    Make(button, RECT{10, 10, 90, 33}, "Cancel").BuildFaces(6, kGranularity, 10, 0, 0);
    const RECT middle{15, 3, 65, 20};  // where the face is a mid grey, far from white
    CCanvas enabled(80, 23);
    DrawInto(button, enabled, 0);
    EXPECT_GT(enabled.Count(middle, ::GetSysColor(COLOR_BTNTEXT) & 0xFFFFFF), 0);
    EXPECT_EQ(enabled.Count(middle, RGB(255, 255, 255)), 0);

    CCanvas disabled(80, 23);
    DrawInto(button, disabled, ODS_DISABLED);
    EXPECT_GT(disabled.Count(middle, ::GetSysColor(COLOR_BTNHIGHLIGHT) & 0xFFFFFF), 0);
    EXPECT_EQ(disabled.Count(middle, ::GetSysColor(COLOR_BTNTEXT) & 0xFFFFFF), 0);
}

TEST_F(BevelButtonTest, WithoutFacesTheButtonFallsBackToItsColour)
{
    CBevelButton button;
    Make(button);
    button.colors[CHoverButton::BackOut] = RGB(0, 0, 200);
    CCanvas canvas(80, 23);
    DrawInto(button, canvas, 0);
    EXPECT_EQ(canvas.Pixel(3, 3), RGB(0, 0, 200));
}
