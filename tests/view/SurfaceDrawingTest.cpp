#include "framework/ErrorReport.h"
#include "view/Quorbel6View.h"
#include "view/ViewGeometry.h"

#include <gtest/gtest.h>

#include "SurfaceTestSupport.h"

#include <string>
#include <vector>

namespace
{
constexpr COLORREF kWhite = RGB(255, 255, 255);

class SurfaceDrawing : public SurfaceTest
{
protected:
    SurfaceDrawing() : SurfaceTest("Double") {}
};

TEST_F(SurfaceDrawing, CoverColourFillsItsRectangleOnly)
{
    AddObject("Front Cover", "Cover", "", {{"Page", "2"}, {"Color", "255,0,0"}});
    Draw();
    constexpr int front = CSurfaceBitmaps::kFrontCover;
    EXPECT_EQ(Pixel(front, 10, 10), RGB(255, 0, 0));
    EXPECT_EQ(Pixel(front, 478, 238), RGB(255, 0, 0));
    EXPECT_EQ(Pixel(front, 485, 100), kWhite);  // past the cover: the clear shows
    EXPECT_EQ(Pixel(front, 100, 245), kWhite);
    EXPECT_TRUE(m_errors.empty());
}

TEST_F(SurfaceDrawing, WhiteCoverIsNotFilledAndOtherPagesAreLeftAlone)
{
    AddObject("Front Cover", "Cover", "", {{"Page", "2"}, {"Color", "255,255,255"}});
    AddObject("Disc 1", "Cover", "", {{"Page", "1"}, {"Color", "0,255,0"}});
    m_view.DrawSurface(CQuorbel6View::kDrawShade);  // grey stays where nothing draws
    m_view.DrawSurface(CQuorbel6View::kDrawPlain);
    EXPECT_EQ(Pixel(CSurfaceBitmaps::kFrontCover, 100, 100), RGB(128, 128, 128));
    // The disc lies on page 1: neither shaded nor filled.
    EXPECT_NE(Pixel(CSurfaceBitmaps::kDisc1, 216, 20), RGB(0, 255, 0));
    EXPECT_NE(Pixel(CSurfaceBitmaps::kDisc1, 216, 20), RGB(128, 128, 128));
}

TEST_F(SurfaceDrawing, ShadeAndClearCoverTheSurfacePlusTwenty)
{
    m_view.DrawSurface(CQuorbel6View::kDrawClear);
    m_view.DrawSurface(CQuorbel6View::kDrawShade);
    constexpr int front = CSurfaceBitmaps::kFrontCover;
    EXPECT_EQ(Pixel(front, 499, 259), RGB(128, 128, 128));  // 480 + 20 - 1, 240 + 20 - 1
    m_view.DrawSurface(CQuorbel6View::kDrawClear);
    EXPECT_EQ(Pixel(front, 499, 259), kWhite);
}

TEST_F(SurfaceDrawing, FoldedCoverShowsInsideAndOutsideHalves)
{
    m_view.Model().Placement().folded = 1;
    AddObject("Front Cover", "Cover", "", {{"Page", "2"}, {"Color", "255,0,0"}});
    AddObject("Front Cover (Inside)", "Boundary", "", {{"Page", "2"}, {"Color", "0,0,255"}});
    Draw();
    constexpr int front = CSurfaceBitmaps::kFrontCover;
    EXPECT_EQ(Pixel(front, 100, 100), RGB(0, 0, 255));
    EXPECT_EQ(Pixel(front, 400, 100), RGB(255, 0, 0));
    EXPECT_EQ(Pixel(front, 240, 100), RGB(60, 119, 119));  // the fold line
}

TEST_F(SurfaceDrawing, DiscColourStaysOnTheRing)
{
    m_view.Model().Shown().page = "1";
    AddObject("Disc 1", "Cover", "", {{"Page", "1"}, {"Color", "0,128,0"}});
    Draw();
    constexpr int disc = CSurfaceBitmaps::kDisc1;
    const int centre = 432 / 2;
    EXPECT_EQ(Pixel(disc, centre, centre), kWhite);        // the hole
    EXPECT_EQ(Pixel(disc, centre, 20), RGB(0, 128, 0));     // on the ring
    EXPECT_EQ(Pixel(disc, 3, 3), kWhite);                   // the square's corner, off the disc
    EXPECT_EQ(Pixel(disc, centre, 0), RGB(60, 119, 119));   // the edge
}

TEST_F(SurfaceDrawing, SecondDiscFilledOnlyInTheDoubleLayout)
{
    m_view.Model().Shown().page = "1";
    AddObject("Disc 2", "Cover", "", {{"Page", "1"}, {"Color", "0,128,0"}});
    Draw();
    EXPECT_EQ(Pixel(CSurfaceBitmaps::kDisc2, 216, 20), RGB(0, 128, 0));
    m_view.Model().Shown().layout = "Single";
    Draw();
    EXPECT_NE(Pixel(CSurfaceBitmaps::kDisc2, 216, 20), RGB(0, 128, 0));
}

TEST_F(SurfaceDrawing, ImagesWithOneStackingNumberDrawInRowOrder)
{
    auto solid = [](COLORREF color) {
        auto image = std::make_unique<CxImage>();
        image->Create(4, 4, 24, 0);
        for (int y = 0; y < 4; ++y)
            for (int x = 0; x < 4; ++x)
                image->SetPixelColor(x, y, color);
        return image;
    };
    m_view.Model().AppendImage(solid(RGB(200, 0, 0)));
    m_view.Model().AppendImage(solid(RGB(0, 0, 200)));
    m_view.Model().AppendImage(solid(RGB(0, 200, 0)));
    // Row order: blue (5), red (5), green (2). Green lies lowest; of the two fives red is drawn last.
    auto image = [&](const char* name, const char* stacking, const char* number, const char* left) {
        AddObject(name, "Image", stacking,
                  {{"Page", "2"}, {"View", "Front Cover"}, {"Image Number", number}, {"Left", left},
                   {"Top", "1.000 ''"}, {"Width", "2.000 ''"}, {"Height", "1.000 ''"}});
    };
    image("Image(1)", "5", "1", "1.000 ''");
    image("Image(2)", "5", "0", "1.500 ''");
    image("Image(3)", "2", "2", "1.000 ''");
    Draw();
    constexpr int front = CSurfaceBitmaps::kFrontCover;
    EXPECT_EQ(Pixel(front, 10, 50), RGB(0, 0, 200));   // only blue and green reach here: blue is higher
    EXPECT_EQ(Pixel(front, 100, 50), RGB(200, 0, 0));  // all three overlap: red, the later row, on top
    EXPECT_TRUE(m_errors.empty());
}

TEST_F(SurfaceDrawing, TextObjectsAreDrawnAndTheirLayoutKept)
{
    m_view.Model().AppendTextRow(TextEntry{"Title", "Text", "HELLO", 1});
    AddObject("Title(1)", "Text", "",
              {{"Page", "2"}, {"View", "Front Cover"}, {"Left", "1.500 ''"}, {"Top", "1.500 ''"},
               {"Width", "3.000 ''"}, {"Height", "1.000 ''"}, {"Font", "Arial,24,700,0"}, {"Color", "0,0,0"},
               {"Alignment", "Center"}, {"MultiLine", "No"}, {"Angle", "0 degrees"}, {"Vector Data", ""}});
    Draw();
    EXPECT_FALSE(m_view.GetPropertyValue("Title(1)", "Vector Data").IsEmpty());
    // Some ink inside the object's box (48..336 x 48..144 in the cover's bitmap), none outside it.
    int inked = 0;
    for (int y = 48; y < 144; ++y)
        for (int x = 48; x < 336; ++x)
            inked += Pixel(CSurfaceBitmaps::kFrontCover, x, y) != kWhite;
    EXPECT_GT(inked, 0);
    EXPECT_EQ(Pixel(CSurfaceBitmaps::kFrontCover, 20, 100), kWhite);
    EXPECT_TRUE(m_errors.empty());
}

TEST_F(SurfaceDrawing, ImageOnADiscShowsOnlyOnTheRing)
{
    m_view.Model().Shown().page = "1";
    auto image = std::make_unique<CxImage>();
    image->Create(8, 8, 24, 0);
    for (int y = 0; y < 8; ++y)
        for (int x = 0; x < 8; ++x)
            image->SetPixelColor(x, y, RGB(200, 0, 0));
    m_view.Model().AppendImage(std::move(image));
    // Larger than the disc on every side.
    AddObject("Image(1)", "Image", "Background",
              {{"Page", "1"}, {"View", "Disc 1"}, {"Image Number", "0"}, {"Left", "0.500 ''"}, {"Top", "0.500 ''"},
               {"Width", "6.000 ''"}, {"Height", "6.000 ''"}});
    Draw();
    constexpr int disc = CSurfaceBitmaps::kDisc1;
    EXPECT_EQ(Pixel(disc, 216, 216), kWhite);         // the hole
    EXPECT_EQ(Pixel(disc, 216, 30), RGB(200, 0, 0));  // the ring
    EXPECT_EQ(Pixel(disc, 2, 2), kWhite);             // outside the edge
    EXPECT_EQ(Pixel(disc, 440, 216), kWhite);         // past the disc, in the bitmap's spare room
    EXPECT_TRUE(m_errors.empty());
}

TEST_F(SurfaceDrawing, DiscMarginGuidesOnlyWhenShown)
{
    m_view.Model().Shown().page = "1";
    // Margin 100 -> 9 pixels: the guide circle crosses the vertical diameter at y = 9.
    Draw();
    EXPECT_EQ(Pixel(CSurfaceBitmaps::kDisc1, 216, 9), kWhite);
    m_view.m_bShowDiscGuides = 1;
    Draw();
    EXPECT_EQ(Pixel(CSurfaceBitmaps::kDisc1, 216, 9), RGB(100, 100, 100));
}

TEST_F(SurfaceDrawing, ZoomInIsRefusedWhenAnySurfaceShownWouldOutgrowItsBitmap)
{
    m_view.Model().Shown().page = "2";
    m_view.Model().Placement().geometry.front = FrontCoverGeometry{0, 0, 18239, 2000};  // 2101 px at zoom 12
    m_view.Model().Shown().zoom = 10;
    m_view.UpdateScale();
    m_view.Model().Shown().surface = "Front Cover";
    m_view.OnZoomIn();
    EXPECT_EQ(m_view.Model().Shown().zoom, 10);  // refused: 2101 > 2100

    m_view.Model().Placement().geometry.front = FrontCoverGeometry{0, 0, 18230, 2000};  // 2100 px at zoom 12
    m_view.UpdateScale();
    m_view.OnZoomIn();
    EXPECT_EQ(m_view.Model().Shown().zoom, 12);  // exactly the bitmap: allowed
    EXPECT_EQ(m_view.Renderer().Geometry().front.width, 2100);

    // Disc 2 larger than disc 1: shown as disc 1, it still keeps the zoom down.
    m_view.Model().Shown().page = "1";
    m_view.Model().Shown().surface = "Disc 1";
    m_view.Model().Placement().geometry.disc1 = DiscGeometry{0, 0, 1500, 4000, 100};
    m_view.Model().Placement().geometry.disc2 = DiscGeometry{0, 0, 1500, 9500, 100};  // 1094 px at 12
    m_view.Model().Shown().zoom = 10;
    m_view.UpdateScale();
    m_view.OnZoomIn();
    EXPECT_EQ(m_view.Model().Shown().zoom, 10);
    EXPECT_TRUE(m_errors.empty());
}

TEST_F(SurfaceDrawing, ZoomOutStopsAtSix)
{
    m_view.Model().Shown().surface = "Front Cover";
    for (const int start : {7, 6, 8}) {
        m_view.Model().Shown().zoom = start;
        m_view.OnZoomOut();
        EXPECT_EQ(m_view.Model().Shown().zoom, 6) << start;
    }
    m_view.Model().Shown().zoom = 10;
    m_view.OnZoomOut();
    EXPECT_EQ(m_view.Model().Shown().zoom, 8);
    EXPECT_EQ(m_view.Renderer().Geometry().front.width, 384);  // 5000 at 96 dpi, zoom 8
}
}  // namespace

namespace
{
TEST_F(SurfaceDrawing, GuideRectangleFollowsTheSheet)
{
    m_view.m_rcPrintableLetter = RECT{250, 300, 8250, 10700};
    m_view.m_rcPrintableA4 = RECT{200, 210, 8068, 11483};
    struct Case
    {
        SIZE sheet;
        RECT guide;
    };
    const Case cases[] = {
        {{8500, 11000}, {250, 300, 8250, 10700}},   // Letter, portrait: unchanged
        {{11000, 8500}, {300, 250, 10700, 8250}},   // Letter, landscape: turned
        {{8268, 11693}, {200, 210, 8068, 11483}},   // A4
        {{11693, 8268}, {210, 200, 11483, 8068}},
    };
    auto paper = std::make_unique<CLabelDim>();
    CLabelDim* disc = paper.get();
    m_view.m_labelTemplates.push_back(std::move(paper));
    m_view.m_nDiscTemplate = 0;
    m_view.Model().Placement().disc1Page = "1";
    for (const Case& c : cases) {
        disc->m_nSheetWidth1 = c.sheet.cx;
        disc->m_nSheetHeight1 = c.sheet.cy;
        m_view.ShowSurface("Disc 1");
        EXPECT_EQ(m_view.Model().Shown().page, "1");
        EXPECT_EQ(m_view.m_sizePaper.cx, c.sheet.cx);
        EXPECT_EQ(m_view.m_rcGuide.left, c.guide.left) << c.sheet.cx;
        EXPECT_EQ(m_view.m_rcGuide.top, c.guide.top) << c.sheet.cx;
        EXPECT_EQ(m_view.m_rcGuide.right, c.guide.right) << c.sheet.cx;
        EXPECT_EQ(m_view.m_rcGuide.bottom, c.guide.bottom) << c.sheet.cx;
    }
    EXPECT_TRUE(m_errors.empty());
}

TEST_F(SurfaceDrawing, SurfaceCommandSwitchesSurfaceAndPage)
{
    m_view.Model().Shown().page = "2";
    m_view.Model().Shown().surface = "Front Cover";
    m_view.OnViewDiscLabel();
    EXPECT_EQ(m_view.Model().Shown().surface, "Disc 1");
    EXPECT_EQ(m_view.Model().Shown().page, "1");
    EXPECT_EQ(m_view.m_strSelectedObject, "Disc 1");
    EXPECT_EQ(m_view.Model().Shown().zoom, 10);  // no client area to fit: the zoom stays
    m_view.OnViewBackCover();
    EXPECT_EQ(m_view.Model().Shown().surface, "Back Cover");
    EXPECT_EQ(m_view.Model().Shown().page, "3");
    EXPECT_TRUE(m_errors.empty());
}
}  // namespace
