#include "label/ObjectStyle.h"
#include "label/LabelGeometry.h"
#include "view/ViewGeometry.h"

#include <gtest/gtest.h>

namespace
{
struct LengthCase
{
    int length;
    int dpi;
    int zoom;
    int pixels;
};

class LengthToPixels : public ::testing::TestWithParam<LengthCase>
{
};

TEST_P(LengthToPixels, TruncatesTowardZero)
{
    const LengthCase& c = GetParam();
    EXPECT_EQ(LabelGeometry::LengthToPixels(c.length, c.dpi, c.zoom), c.pixels);
}

INSTANTIATE_TEST_SUITE_P(Table, LengthToPixels,
                         ::testing::Values(LengthCase{1000, 96, 10, 96},   // one inch at 100 %
                                           LengthCase{1000, 96, 6, 57},    // 57.6
                                           LengthCase{-1000, 96, 6, -57},  // toward zero, not down
                                           LengthCase{333, 96, 22, 70},    // 70.3
                                           LengthCase{1000, 120, 10, 120},
                                           LengthCase{4750, 96, 10, 456},
                                           LengthCase{0, 96, 22, 0},
                                           LengthCase{200000, 96, 22, 42240}));  // no overflow

TEST(PixelsToLength, InvertsWholeInches)
{
    EXPECT_EQ(LabelGeometry::PixelsToLength(96, 96, 10), 1000);
    EXPECT_EQ(LabelGeometry::PixelsToLength(57, 96, 6), 989);  // 989.58, truncated
    EXPECT_EQ(LabelGeometry::PixelsToLength(10, 96, 0), 0);    // no division by zero
}

TEST(ScaleGeometry, ScalesEveryMember)
{
    SurfaceGeometry doc;
    doc.back = BackCoverGeometry{1000, 2000, 5906, 4626, 250};
    doc.front = FrontCoverGeometry{-500, 1000, 4724, 4724};
    doc.disc1 = DiscGeometry{1000, 1000, 1614, 4646, 100};
    doc.disc2 = DiscGeometry{2000, 6000, 1000, 3000, 50};
    const ScreenGeometry screen = LabelGeometry::ScaleGeometry(doc, 96, 10);
    EXPECT_EQ(screen.back.left, 96);
    EXPECT_EQ(screen.back.top, 192);
    EXPECT_EQ(screen.back.width, 566);
    EXPECT_EQ(screen.back.height, 444);
    EXPECT_EQ(screen.back.tab, 24);
    EXPECT_EQ(screen.front.left, -48);
    EXPECT_EQ(screen.front.width, 453);
    EXPECT_EQ(screen.disc1.innerDiameter, 154);
    EXPECT_EQ(screen.disc1.outerDiameter, 446);
    EXPECT_EQ(screen.disc1.textMargin, 9);
    EXPECT_EQ(screen.disc2.top, 576);
    EXPECT_EQ(screen.disc2.outerDiameter, 288);
}

struct FitCase
{
    const char* what;
    ScreenGeometry screen;
    unsigned surfaces;
    bool fits;
};

ScreenGeometry WithFront(int width, int height)
{
    ScreenGeometry g;
    g.front.width = width;
    g.front.height = height;
    return g;
}
ScreenGeometry WithBack(int width, int height)
{
    ScreenGeometry g;
    g.back.width = width;
    g.back.height = height;
    return g;
}
ScreenGeometry WithDiscs(int disc1, int disc2)
{
    ScreenGeometry g;
    g.disc1.outerDiameter = disc1;
    g.disc2.outerDiameter = disc2;
    return g;
}

TEST(SurfacesFitBitmaps, EachSurfaceAgainstItsOwnBitmap)
{
    using namespace ViewGeometry;
    const FitCase cases[] = {
        {"front exactly its bitmap", WithFront(2100, 1050), kFrontCoverSurface, true},
        {"front one pixel wider", WithFront(2101, 1050), kFrontCoverSurface, false},
        {"front one pixel higher", WithFront(2100, 1051), kFrontCoverSurface, false},
        {"back exactly its bitmap", WithBack(1250, 1000), kBackCoverSurface, true},
        {"back one pixel wider", WithBack(1251, 1000), kBackCoverSurface, false},
        {"back too high", WithBack(1000, 1001), kBackCoverSurface, false},
        {"big front not checked", WithFront(3000, 3000), kBackCoverSurface, true},
        {"disc 1 at its bitmap", WithDiscs(1060, 0), kDisc1Surface, true},
        {"disc 1 over", WithDiscs(1061, 0), kDisc1Surface, false},
        {"disc 2 over while disc 1 fits", WithDiscs(1000, 1061), kDisc1Surface | kDisc2Surface, false},
        {"both discs fit", WithDiscs(1060, 1060), kDisc1Surface | kDisc2Surface, true},
    };
    for (const FitCase& c : cases)
        EXPECT_EQ(SurfacesFitBitmaps(c.screen, c.surfaces), c.fits) << c.what;
}

TEST(CenterOrigin, CentresOrKeepsTheMargin)
{
    struct Case
    {
        SIZE client;
        SIZE page;
        POINT origin;
    };
    const Case cases[] = {
        {{1000, 800}, {600, 400}, {-200, -200}},  // centred both ways
        {{633, 433}, {600, 400}, {-17, -17}},     // narrower than page + 34: the margin
        {{635, 435}, {600, 400}, {-17, -17}},     // -17 exactly
        {{637, 300}, {600, 400}, {-18, -17}},     // one axis centred, the other scrolls
        {{0, 0}, {600, 400}, {-17, -17}},
    };
    for (const Case& c : cases) {
        const POINT origin = ViewGeometry::CenterOrigin(c.client, c.page);
        EXPECT_EQ(origin.x, c.origin.x) << c.client.cx;
        EXPECT_EQ(origin.y, c.origin.y) << c.client.cy;
    }
}

TEST(FitZoom, LargestEvenZoomThatFits)
{
    const SIZE bars{16, 16};
    const SIZE page{8500, 11000};
    // A 4.75 inch disc: 456 px at zoom 10, 547 at 12.
    EXPECT_EQ(ViewGeometry::FitZoom({4750, 4750}, page, {500, 500}, bars, 96), 10);
    EXPECT_EQ(ViewGeometry::FitZoom({4750, 4750}, page, {4000, 4000}, bars, 96), 22);  // fits at every zoom
    EXPECT_EQ(ViewGeometry::FitZoom({4750, 4750}, page, {100, 100}, bars, 96), 6);     // fits at none
    // The page outgrows a 560 px client at 10 (816 px wide): a scroll bar takes 16, so 547 at 12 is too wide.
    EXPECT_EQ(ViewGeometry::FitZoom({4750, 4750}, page, {560, 560}, bars, 96), 10);
    EXPECT_EQ(ViewGeometry::FitZoom({4750, 4750}, {4750, 4750}, {560, 560}, bars, 96), 12);  // no bar needed
}

TEST(ParseColor, ThreeNumbersOnly)
{
    COLORREF color = 0;
    ASSERT_TRUE(ParseColor("255,0,10", color));
    EXPECT_EQ(color, RGB(255, 0, 10));
    for (const char* bad : {"", "1,2", "1,2,x", "300,0,0", "-1,0,0", "a,b,c"})
        EXPECT_FALSE(ParseColor(bad, color)) << bad;
}

// Rows of one object: the first row is its "Item Type".
void AddObject(PropertyRows& rows, const char* name, const char* type, const char* choices, const char* page)
{
    rows.push_back(PropertyEntry{name, "Item Type", type, 1, "", choices, 1});
    rows.push_back(PropertyEntry{name, "Page", page, 1, "COMBO", "1|2|3|", 0});
}

TEST(ImageDrawOrder, BackgroundsThenStackingNumbersAsNumbers)
{
    PropertyRows rows;
    AddObject(rows, "Front Cover", "Cover", "", "2");
    AddObject(rows, "Image(1)", "Image", "12", "2");
    AddObject(rows, "Image(2)", "Image", "3", "2");
    AddObject(rows, "Image(3)", "Image", "Background", "2");
    AddObject(rows, "Image(4)", "Image", "3", "2");   // shares 3 with Image(2)
    AddObject(rows, "Image(5)", "Image", "1", "1");   // another page
    AddObject(rows, "Text(1)", "Text", "", "2");

    std::vector<CString> names;
    for (const int row : LabelGeometry::ImageDrawOrder(rows, "2"))
        names.push_back(rows[static_cast<size_t>(row)].m_strObjectName);
    const std::vector<CString> expected{"Image(3)", "Image(2)", "Image(4)", "Image(1)"};
    EXPECT_EQ(names, expected);
}
}  // namespace
