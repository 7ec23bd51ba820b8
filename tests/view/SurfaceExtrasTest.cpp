// The surface drawing's helpers and the view's smaller services: clearing what
// an earlier drawing left, the placeholder caption, the refit after an album
// import, the panel background, the widest cached line, image proportions and
// the default printer's printable area.
#include "label/LabelGeometry.h"
#include "document/AppSettings.h"
#include "framework/ErrorReport.h"
#include "framework/Gdi.h"
#include "imaging/xImage.h"
#include "view/Quorbel6View.h"
#include "label/TextLayout.h"
#include "view/ViewGeometry.h"

#include <gtest/gtest.h>

#include "SurfaceTestSupport.h"

#include <memory>
#include <string>
#include <vector>

namespace
{
constexpr COLORREF kWhite = RGB(255, 255, 255);
constexpr COLORREF kGrey = RGB(100, 100, 100);

class SurfaceExtras : public SurfaceTest
{
protected:
    SurfaceExtras() : SurfaceTest("Single") {}
};

// A white memory bitmap to draw on and read back.
class Canvas
{
public:
    Canvas(int width, int height) : m_width(width), m_height(height)
    {
        void* bits = nullptr;
        m_dc.CreateCompatibleDC(nullptr);
        m_bitmap.CreateTopDownDIB32(m_dc.m_hDC, width, height, &bits);
        m_bits = static_cast<const uint32_t*>(bits);
        m_selected = std::make_unique<CSelectGuard>(m_dc.m_hDC, m_bitmap.Get());
        ::PatBlt(m_dc.m_hDC, 0, 0, width, height, WHITENESS);
        ::SetBkMode(m_dc.m_hDC, TRANSPARENT);
    }
    HDC DC() const { return m_dc.m_hDC; }
    COLORREF Pixel(int x, int y) const
    {
        ::GdiFlush();
        const uint32_t p = m_bits[static_cast<size_t>(y) * static_cast<size_t>(m_width) + static_cast<size_t>(x)];
        return RGB((p >> 16) & 0xFF, (p >> 8) & 0xFF, p & 0xFF);
    }
    // The leftmost and rightmost columns holding a pixel other than white.
    std::pair<int, int> InkColumns() const
    {
        int left = m_width, right = -1;
        for (int y = 0; y < m_height; ++y)
            for (int x = 0; x < m_width; ++x)
                if (Pixel(x, y) != kWhite) {
                    left = std::min(left, x);
                    right = std::max(right, x);
                }
        return {left, right};
    }

private:
    int m_width;
    int m_height;
    CMemoryDC m_dc;
    CBitmap m_bitmap;
    std::unique_ptr<CSelectGuard> m_selected;
    const uint32_t* m_bits = nullptr;
};

TEST_F(SurfaceExtras, BitmapsStartWhiteAndAClearRemovesWhatALargerDrawingLeft)
{
    constexpr int front = CSurfaceBitmaps::kFrontCover;
    EXPECT_EQ(Pixel(front, 2099, 1049), kWhite) << "a new bitmap is white, not black";

    AddObject("Front Cover", "Cover", {{"Page", "2"}, {"Color", "255,0,0"}});
    m_view.Model().Shown().zoom = 20;  // 960 x 480 pixels
    m_view.UpdateScale();
    Draw();
    ASSERT_EQ(Pixel(front, 900, 400), RGB(255, 0, 0));

    // The zoom changes before the clear (as when another label is opened):
    // the clear still reaches everything the larger cover painted.
    m_view.Model().Shown().zoom = 10;
    m_view.UpdateScale();
    m_view.DrawSurface(CQuorbel6View::kDrawClear);
    EXPECT_EQ(Pixel(front, 900, 400), kWhite);
    EXPECT_EQ(Pixel(front, 959, 479), kWhite);
    EXPECT_TRUE(m_errors.empty());
}

TEST_F(SurfaceExtras, PlaceholderCaptionIsFittedToTheChordOfTheRing)
{
    struct Case
    {
        ScreenDisc disc;
        bool shrunk;
    };
    const Case cases[] = {
        {ScreenDisc{0, 0, 150, 440, 0}, false},  // a full-size disc: the caption keeps 12 points
        {ScreenDisc{0, 0, 110, 150, 0}, true},   // a small ring: the caption shrinks to the chord
    };
    for (const Case& c : cases) {
        const int d = c.disc.outerDiameter;
        Canvas canvas(d + 20, d + 20);
        const int band = LabelGeometry::DiscRingOffset(c.disc);
        const int y = band - band / 2;
        const RingFit chord = FitLineInDiscRing(y, 0, 0, 0, 0, d, d, 0, 0, d, c.disc.innerDiameter, 0);
        ASSERT_TRUE(chord.fits);
        const int chordLeft = chord.first.left;
        const int chordRight = chord.first.right;

        m_view.Renderer().DrawPlaceholderCaption(canvas.DC(), c.disc, y, true);
        const auto [left, right] = canvas.InkColumns();
        ASSERT_LE(left, right) << d << ": the caption is drawn";
        EXPECT_GE(left, chordLeft - 1) << d;
        EXPECT_LE(right, chordRight + 1) << d;
        EXPECT_EQ(canvas.Pixel((left + right) / 2, y - 2), kWhite) << d << ": hangs below y (top alignment)";
        const int width = right - left;
        if (c.shrunk)
            EXPECT_GE(width, (chordRight - chordLeft) * 2 / 3) << d << ": fills most of the chord";
        else
            EXPECT_LT(width, (chordRight - chordLeft) * 2 / 3) << d << ": not grown past 12 points";
        // Grey ink only.
        bool onlyGrey = true;
        for (int x = left; x <= right; ++x)
            for (int row = 0; row < d; ++row) {
                const COLORREF pixel = canvas.Pixel(x, row);
                if (pixel != kWhite && (GetRValue(pixel) != GetGValue(pixel) || GetGValue(pixel) != GetBValue(pixel)))
                    onlyGrey = false;
            }
        EXPECT_TRUE(onlyGrey) << d;
    }
    EXPECT_TRUE(m_errors.empty());
}

TEST_F(SurfaceExtras, SingleLayoutPlaceholderShowsItsCaptionInGrey)
{
    m_view.Model().Shown().page = "1";
    Draw();
    int grey = 0;
    const int d = m_view.Renderer().Geometry().disc2.outerDiameter;
    const int band = LabelGeometry::DiscRingOffset(m_view.Renderer().Geometry().disc2);
    for (int y = band / 4; y < band; ++y)
        for (int x = d / 4; x < 3 * d / 4; ++x)
            grey += Pixel(CSurfaceBitmaps::kDisc2, x, y) != kWhite;
    EXPECT_GT(grey, 50) << "the words in the upper band (disc 1 lies above disc 2)";
}

TEST_F(SurfaceExtras, TrackListThatNoLongerFitsIsWrappedOnceAfterAnAlbumImport)
{
    // Twenty tracks cannot stand one per line in a box 0.15 inch high, even at
    // one pixel; wrapped into rows they can.
    std::vector<CString> names, times;
    for (int i = 1; i <= 20; ++i) {
        names.push_back(CString("Song ") + std::to_string(i).c_str());
        times.push_back("3:00");
    }
    m_view.Model().AppendTextRow(TextEntry{"Track List", "Track", CQuorbel6View::MakeTrackListText(names, times), 2});
    m_view.Model().Shown().page = "3";
    auto addList = [&](const char* name) {
        AddObject(name, "Track",
                  {{"Page", "3"}, {"View", "Back Cover"}, {"Left", "1.500 ''"}, {"Top", "2.000 ''"},
                   {"Width", "4.000 ''"}, {"Height", "0.150 ''"}, {"Font", "Arial,10,400,0"}, {"Color", "0,0,0"},
                   {"Alignment", "Center"}, {"Track Numbers", "Yes"}, {"Track Times", "Yes"},
                   {"Offset Numbers", "Yes"}, {"Wrap Tracks", "No"}, {"Vector Data", ""}});
    };
    addList("Track List(1)");

    // Without an import nothing is changed: the list simply does not show.
    Draw();
    EXPECT_TRUE(m_view.GetPropertyValue("Track List(1)", "Vector Data").IsEmpty()) << static_cast<LPCSTR>(m_view.GetPropertyValue("Track List(1)", "Vector Data"));
    EXPECT_EQ(m_view.GetPropertyValue("Track List(1)", "Wrap Tracks"), "No");

    m_settings.m_bLayoutFit[2] = 1;  // page 3
    Draw();
    EXPECT_FALSE(m_view.GetPropertyValue("Track List(1)", "Vector Data").IsEmpty());
    EXPECT_EQ(m_view.GetPropertyValue("Track List(1)", "Wrap Tracks"), "Yes");
    EXPECT_EQ(m_view.GetPropertyValue("Track List(1)", "Track Numbers"), "No");
    EXPECT_EQ(m_view.GetPropertyValue("Track List(1)", "Track Times"), "No");
    EXPECT_EQ(m_view.GetPropertyValue("Track List(1)", "Offset Numbers"), "No");
    EXPECT_EQ(m_settings.m_bLayoutFit[2], 0) << "the first drawing of the page ends the request";

    // A list added later on the same page is not refitted any more.
    addList("Track List(2)");
    Draw();
    EXPECT_EQ(m_view.GetPropertyValue("Track List(2)", "Wrap Tracks"), "No");
    EXPECT_TRUE(m_errors.empty());
}

TEST_F(SurfaceExtras, PanelBackgroundTilesItsBitmapOrFillsGrey)
{
    Canvas canvas(200, 100);
    // No application object here: source 1 has no bitmap.
    m_view.PaintPanelBackground(canvas.DC(), RECT{10, 10, 60, 60}, POINT{0, 0}, CQuorbel6View::kPanelBackground);
    EXPECT_EQ(canvas.Pixel(30, 30), RGB(185, 185, 185));
    EXPECT_EQ(canvas.Pixel(5, 5), kWhite) << "only the rectangle";

    // The view's own surround tiles its texture, also when the origin lies past the rectangle.
    m_view.PaintPanelBackground(canvas.DC(), RECT{100, 0, 200, 100}, POINT{150, 50}, CQuorbel6View::kViewSurround);
    int untouched = 0;
    for (int y = 0; y < 100; ++y)
        for (int x = 100; x < 200; ++x)
            untouched += canvas.Pixel(x, y) == kWhite;
    EXPECT_EQ(untouched, 0);
    EXPECT_NE(canvas.Pixel(120, 20), RGB(185, 185, 185));
    EXPECT_TRUE(m_errors.empty());
}

TEST(FindWidestCachedLine, WidestLineOfACacheFirstOfEqualWidths)
{
    CClientDC screen(nullptr);
    CDC dc(screen.m_hDC);
    CSelectGuard font(dc.m_hDC, ::GetStockObject(ANSI_FIXED_FONT));
    struct Case
    {
        const char* cache;
        const char* widest;
    };
    const Case cases[] = {
        {"120`AB`0`10`0`10`ABCD`0`10`10`20`", "ABCD"},
        {"120`WXYZ`0`10`0`10`AB`0`10`10`20`", "WXYZ"},
        {"120`ONE`0`10`0`10`TWO`0`10`10`20`", "ONE"},  // a fixed font: equal widths, the first stays
        {"120`", ""},
        {"", ""},
    };
    for (const Case& c : cases) {
        CString widest = "stale";
        SIZE size{-1, -1};
        CLabelRenderer::FindWidestCachedLine(&dc, c.cache, widest, size);
        EXPECT_EQ(widest, c.widest) << c.cache;
        if (*c.widest)
            EXPECT_GT(size.cx, 0) << c.cache;
        else
            EXPECT_EQ(size.cx, 0) << c.cache;
    }
}

TEST_F(SurfaceExtras, KeepImageAspectAdaptsTheBoxToTheImage)
{
    auto image = [](int width, int height) {
        auto made = std::make_unique<CxImage>();
        made->Create(width, height, 24, 0);
        return made;
    };
    m_view.Model().AppendImage(image(200, 100));
    m_view.Model().AppendImage(image(600, 1));
    m_view.Model().AppendImage(image(500, 1));
    m_view.Model().AppendImage(nullptr);
    struct Case
    {
        int number;
        double width, height;
        bool adapted;
        double expectWidth, expectHeight;
    };
    const Case cases[] = {
        {0, 1000, 1000, true, 1000, 500},  // wider image: the height follows
        {0, 1000, 250, true, 500, 250},    // narrower: the width follows
        {0, 800, 400, true, 800, 400},     // the same proportions
        {1, 1000, 1000, false, 1000, 1000},  // 600 x 1 is too thin
        {2, 1000, 1000, true, 1000, 2},
        {3, 1000, 1000, false, 1000, 1000},  // an empty slot
        {9, 1000, 1000, false, 1000, 1000},  // no such image
    };
    for (const Case& c : cases) {
        double width = c.width, height = c.height;
        EXPECT_EQ(m_view.KeepImageAspect(width, height, c.number), c.adapted) << c.number;
        EXPECT_DOUBLE_EQ(width, c.expectWidth) << c.number;
        EXPECT_DOUBLE_EQ(height, c.expectHeight) << c.number;
    }
}

TEST_F(SurfaceExtras, DefaultPrinterGivesItsPrintableAreasOrNone)
{
    m_view.GetDefaultPrinter();
    if (m_view.m_bNoPrinter) {
        EXPECT_TRUE(::IsRectEmpty(&m_view.m_rcPrintableA4));
        EXPECT_TRUE(::IsRectEmpty(&m_view.m_rcPrintableLetter));
    } else {
        EXPECT_LT(m_view.m_rcPrintableA4.right, 8268);
        EXPECT_LT(m_view.m_rcPrintableLetter.right, 8500);
        EXPECT_GT(m_view.m_rcPrintableA4.bottom, m_view.m_rcPrintableLetter.bottom) << "A4 is the longer sheet";
    }
    EXPECT_TRUE(m_errors.empty());

    // The area of a context: one device pixel in from its edges, in thousandths of an inch.
    CClientDC screen(nullptr);
    const RECT area = CQuorbel6View::PrintableArea(screen.m_hDC);
    const int dpi = ::GetDeviceCaps(screen.m_hDC, LOGPIXELSX);
    EXPECT_EQ(area.left, static_cast<LONG>(1000.0f / static_cast<float>(dpi)));
    EXPECT_EQ(area.right, static_cast<LONG>(static_cast<float>(::GetDeviceCaps(screen.m_hDC, HORZRES) - 1) *
                                            (1000.0f / static_cast<float>(dpi))));
}
}  // namespace

namespace
{
TEST_F(SurfaceExtras, PicturesAreStretchedOncePerSizeAndFollowChangesToTheirPixels)
{
    auto image = std::make_unique<CxImage>();
    image->Create(64, 64, 24, 0);
    auto paint = [&](COLORREF color) {
        for (int y = 0; y < 64; ++y)
            for (int x = 0; x < 64; ++x)
                image->SetPixelColor(x, y, color);
    };
    paint(RGB(200, 0, 0));
    m_view.Model().AppendImage(std::move(image));
    CxImage& picture = *m_view.Model().Images().back();
    AddObject("Image(1)", "Image",
              {{"Page", "2"}, {"View", "Front Cover"}, {"Image Number", "0"}, {"Left", "1.000 ''"},
               {"Top", "1.000 ''"}, {"Width", "2.000 ''"}, {"Height", "1.000 ''"}});
    constexpr int front = CSurfaceBitmaps::kFrontCover;

    Draw();
    EXPECT_EQ(Pixel(front, 50, 50), RGB(200, 0, 0));
    Draw();
    EXPECT_EQ(m_view.Renderer().ScaledImages().GetEntryCount(), 1u) << "the second drawing reuses the stretched copy";

    // Pixels changed in place are seen at the next drawing.
    for (int y = 0; y < 64; ++y)
        for (int x = 0; x < 64; ++x)
            picture.SetPixelColor(x, y, RGB(0, 0, 200));
    Draw();
    EXPECT_EQ(Pixel(front, 50, 50), RGB(0, 0, 200));

    // Another zoom is another size: the picture still fills its box.
    m_view.Model().Shown().zoom = 20;
    m_view.UpdateScale();
    Draw();
    EXPECT_EQ(Pixel(front, 2 * 192 - 2, 192 - 2), RGB(0, 0, 200));
    EXPECT_EQ(Pixel(front, 2 * 192 + 2, 192 + 2), RGB(255, 255, 255));

    m_view.ClearObjects();
    EXPECT_EQ(m_view.Renderer().ScaledImages().GetEntryCount(), 0u);
    EXPECT_TRUE(m_errors.empty());
}
}  // namespace
