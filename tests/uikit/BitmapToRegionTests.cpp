// Regions cut to a picture's outline: exactly the kept pixels, batches of
// more than 2000 runs, bounding boxes, and the splash picture itself.
#include "uikit/BitmapToRegion.h"

#include "ButtonTestSupport.h"
#include "framework/Gdi.h"
#include "resource.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using button_test::PatternBitmap;

namespace {

constexpr COLORREF kMagenta = RGB(255, 0, 255);

// Every pixel of the picture: in the region exactly when `inside(x, y)`.
void ExpectRegionIs(HRGN region, const std::vector<std::string>& rows, char keptChar, bool keepMatching)
{
    ASSERT_NE(region, nullptr);
    for (size_t y = 0; y < rows.size(); ++y)
        for (size_t x = 0; x < rows[y].size(); ++x) {
            const bool kept = (rows[y][x] == keptChar) == keepMatching;
            ASSERT_EQ(::PtInRegion(region, static_cast<int>(x), static_cast<int>(y)) != FALSE, kept)
                << "pixel " << x << "," << y;
        }
    RECT box{};
    ::GetRgnBox(region, &box);
    EXPECT_LE(box.right, static_cast<LONG>(rows[0].size()));
    EXPECT_LE(box.bottom, static_cast<LONG>(rows.size()));
}

HBITMAP Picture(const std::vector<std::string>& rows)
{
    std::vector<const char*> pointers;
    for (const std::string& row : rows)
        pointers.push_back(row.c_str());
    return PatternBitmap(pointers);
}

}  // namespace

TEST(BitmapToRegion, HoldsExactlyThePixelsThatDifferFromTheKey)
{
    const std::vector<std::string> rows = {
        "mm##m.",
        "#m.m#m",
        "mmmmmm",
        "..#.#.",
        "m....m",
    };
    CBitmap picture(Picture(rows));

    CRgn kept(BitmapToRegion(picture, kMagenta, true));
    ExpectRegionIs(kept, rows, 'm', false);

    CRgn key(BitmapToRegion(picture, kMagenta, false));
    ExpectRegionIs(key, rows, 'm', true);
}

TEST(BitmapToRegion, NothingToKeepGivesNoRegion)
{
    CBitmap allKey(Picture({"mmm", "mmm"}));
    EXPECT_EQ(BitmapToRegion(allKey, kMagenta, true), nullptr);
    CBitmap noKey(Picture({"#.#", ".#."}));
    EXPECT_EQ(BitmapToRegion(noKey, kMagenta, false), nullptr);
    EXPECT_EQ(BitmapToRegion(nullptr, kMagenta, true), nullptr);
}

TEST(BitmapToRegion, KeyBorderIsLeftOutOfTheBoundingBox)
{
    std::vector<std::string> rows(300, std::string(300, 'm'));
    for (int y = 10; y < 290; ++y)
        for (int x = 10; x < 290; ++x)
            rows[y][x] = (x + y) % 7 ? '.' : '#';
    CBitmap picture(Picture(rows));
    CRgn region(BitmapToRegion(picture, kMagenta, true));
    ASSERT_TRUE(region.IsValid());
    RECT box{};
    EXPECT_EQ(::GetRgnBox(region, &box), SIMPLEREGION);
    EXPECT_EQ(box.left, 10);
    EXPECT_EQ(box.top, 10);
    EXPECT_EQ(box.right, 290);
    EXPECT_EQ(box.bottom, 290);
}

TEST(BitmapToRegion, MoreThanTwoThousandRunsStillMakeOneRegion)
{
    // A checkerboard: 60 one-pixel runs in each of 70 rows, 4200 in all.
    std::vector<std::string> rows(70, std::string(120, '.'));
    for (int y = 0; y < 70; ++y)
        for (int x = 0; x < 120; ++x)
            if ((x + y) % 2)
                rows[y][x] = 'm';
    CBitmap picture(Picture(rows));
    CRgn region(BitmapToRegion(picture, kMagenta, true));
    ExpectRegionIs(region, rows, 'm', false);
    const DWORD size = ::GetRegionData(region, 0, nullptr);
    std::vector<BYTE> data(size);
    ASSERT_EQ(::GetRegionData(region, size, reinterpret_cast<RGNDATA*>(data.data())), size);
    EXPECT_EQ(reinterpret_cast<RGNDATA*>(data.data())->rdh.nCount, 4200u);
}

TEST(BitmapToRegion, SplashPictureIsARoundDiscWithAHole)
{
    CBitmap splash(static_cast<HBITMAP>(::LoadImageA(::GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDB_SPLASH),
                                                     IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION)));
    ASSERT_TRUE(splash.IsValid());
    CRgn region(BitmapToRegion(splash, kMagenta, true));
    ASSERT_TRUE(region.IsValid());
    RECT box{};
    ::GetRgnBox(region, &box);
    EXPECT_GE(box.left, 0);
    EXPECT_LE(box.right, 300);
    EXPECT_GT(box.right - box.left, 280);
    EXPECT_FALSE(::PtInRegion(region, 2, 2)) << "the corners are cut away";
    EXPECT_FALSE(::PtInRegion(region, 150, 150)) << "the hole in the middle";
    EXPECT_TRUE(::PtInRegion(region, 150, 60));
}
