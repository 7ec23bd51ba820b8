// Palette and pixel accessors: packing at every depth, out-of-range access,
// nearest colours, grey palettes and index swaps.
#include "ImageTestSupport.h"

#include <gtest/gtest.h>

#include <cstring>
#include <vector>

namespace {

// Every pixel set to its own index pattern reads back, and its neighbours in
// the same byte keep theirs.
class PixelIndexRoundTrip : public ::testing::TestWithParam<int> {};

TEST_P(PixelIndexRoundTrip, EveryPixelKeepsItsIndex)
{
    const int bpp = GetParam();
    const int colors = 1 << bpp;
    CxImage image(19, 5, bpp);  // an odd width leaves a partial byte at each row's end
    ASSERT_TRUE(image.IsValid());
    for (int y = 0; y < 5; ++y)
        for (int x = 0; x < 19; ++x)
            image.SetPixelIndex(x, y, static_cast<BYTE>((x * 7 + y * 3) % colors));
    for (int y = 0; y < 5; ++y)
        for (int x = 0; x < 19; ++x)
            ASSERT_EQ(image.GetPixelIndex(x, y), (x * 7 + y * 3) % colors) << x << "," << y;
}

INSTANTIATE_TEST_SUITE_P(Depths, PixelIndexRoundTrip, ::testing::Values(1, 4, 8));

TEST(PixelPacking, FirstPixelLivesInTheHighBits)
{
    CxImage nibbles(4, 1, 4);
    nibbles.GetBits()[0] = 0xA5;
    EXPECT_EQ(nibbles.GetPixelIndex(0, 0), 0xA);
    EXPECT_EQ(nibbles.GetPixelIndex(1, 0), 0x5);
    nibbles.SetPixelIndex(1, 0, 0x13);  // only the low nibble is kept
    EXPECT_EQ(nibbles.GetBits()[0], 0xA3);

    CxImage bits(9, 1, 1);
    bits.GetBits()[0] = 0x80;
    EXPECT_EQ(bits.GetPixelIndex(0, 0), 1);
    EXPECT_EQ(bits.GetPixelIndex(1, 0), 0);
    bits.SetPixelIndex(8, 0, 1);
    EXPECT_EQ(bits.GetBits()[1], 0x80);
    bits.SetPixelIndex(0, 0, 0);
    EXPECT_EQ(bits.GetBits()[0], 0x00);
}

TEST(PixelPacking, RowsAreStoredBottomUp)
{
    CxImage image(2, 3, 8);
    image.SetPixelIndex(1, 2, 7);
    EXPECT_EQ(image.GetBits(2)[1], 7);
    EXPECT_EQ(image.GetBits()[2 * image.GetEffWidth() + 1], 7);
}

TEST(PixelColor, TrueColorRoundTripAndChannelOrder)
{
    CxImage image(3, 2, 24);
    image.SetBackgroundColor(Quad(0, 0, 0, 77));
    image.SetPixelColor(2, 1, Quad(200, 100, 50));
    const BYTE* pixel = image.GetBits(1) + 6;
    EXPECT_EQ(pixel[0], 50);  // blue first
    EXPECT_EQ(pixel[1], 100);
    EXPECT_EQ(pixel[2], 200);
    const RGBQUAD color = image.GetPixelColor(2, 1);
    EXPECT_TRUE(SameColor(color, Quad(200, 100, 50)));
    EXPECT_EQ(color.rgbReserved, 77) << "the reserved byte comes from the background colour";

    image.SetPixelColor(0, 0, RGB(1, 2, 3));
    EXPECT_TRUE(SameColor(image.GetPixelColor(0, 0), Quad(1, 2, 3)));
}

TEST(PixelColor, PaletteImagesTakeTheNearestEntry)
{
    CxImage image(2, 1, 4);
    image.SetPaletteColor(3, 250, 0, 0);
    image.SetPaletteColor(9, 0, 0, 240);
    image.SetPixelColor(0, 0, Quad(200, 30, 10));
    image.SetPixelColor(1, 0, RGB(0, 10, 255));
    EXPECT_EQ(image.GetPixelIndex(0, 0), 3);
    EXPECT_EQ(image.GetPixelIndex(1, 0), 9);
    EXPECT_TRUE(SameColor(image.GetPixelColor(1, 0), Quad(0, 0, 240)));
}

TEST(PixelColor, NearestIndexKeepsTheFirstOfEqualDistances)
{
    CxImage image(1, 1, 8);
    image.SetPaletteColor(5, 100, 100, 100);
    image.SetPaletteColor(6, 100, 100, 100);
    image.SetPaletteColor(0, 255, 255, 255);
    EXPECT_EQ(image.GetNearestIndex(Quad(101, 100, 100)), 5);
    // The zero palette entries all match black exactly; the first wins.
    EXPECT_EQ(image.GetNearestIndex(Quad(0, 0, 0)), 1);
    CxImage trueColor(1, 1, 24);
    EXPECT_EQ(trueColor.GetNearestIndex(Quad(1, 2, 3)), 0);
}

struct OutsideCase {
    int x;
    int y;
};

class PixelsOutside : public ::testing::TestWithParam<OutsideCase> {};

TEST_P(PixelsOutside, ReadNeutralAndWriteNothing)
{
    const OutsideCase& c = GetParam();
    CxImage palette(4, 3, 8);
    palette.SetPaletteColor(4, 9, 8, 7);
    CxImage trueColor(4, 3, 24);
    trueColor.SetBackgroundColor(Quad(1, 2, 3));
    ASSERT_TRUE(palette.AlphaCreate());
    const std::vector<BYTE> paletteBefore(palette.GetDIB(), palette.GetDIB() + palette.GetSize());
    const std::vector<BYTE> trueBefore(trueColor.GetDIB(), trueColor.GetDIB() + trueColor.GetSize());

    EXPECT_EQ(palette.GetPixelIndex(c.x, c.y), 0);
    palette.SetBackgroundIndex(4);
    EXPECT_EQ(palette.GetPixelIndex(c.x, c.y), 4);
    EXPECT_TRUE(SameColor(palette.GetPixelColor(c.x, c.y), Quad(9, 8, 7)));
    EXPECT_TRUE(SameColor(trueColor.GetPixelColor(c.x, c.y), Quad(1, 2, 3)));
    EXPECT_EQ(palette.AlphaGetPixel(c.x, c.y), 0);
    EXPECT_FALSE(palette.IsInside(c.x, c.y));

    palette.SetPixelIndex(c.x, c.y, 255);
    palette.SetPixelColor(c.x, c.y, RGB(255, 255, 255));
    palette.AlphaSetPixel(c.x, c.y, 255);
    trueColor.SetPixelColor(c.x, c.y, RGB(255, 255, 255));
    EXPECT_EQ(std::vector<BYTE>(palette.GetDIB(), palette.GetDIB() + palette.GetSize()), paletteBefore);
    EXPECT_EQ(std::vector<BYTE>(trueColor.GetDIB(), trueColor.GetDIB() + trueColor.GetSize()), trueBefore);
    for (int i = 0; i < 12; ++i)
        EXPECT_EQ(palette.AlphaGetPointer()[i], 0);
}

INSTANTIATE_TEST_SUITE_P(Coordinates, PixelsOutside,
                         ::testing::Values(OutsideCase{-1, 0}, OutsideCase{0, -1}, OutsideCase{4, 0},
                                           OutsideCase{0, 3}, OutsideCase{4, 3}, OutsideCase{-100000, 100000},
                                           OutsideCase{INT_MIN, INT_MAX}));

TEST(PixelsWithoutPicture, ReadNeutralValues)
{
    CxImage image;
    image.SetBackgroundColor(Quad(5, 6, 7));
    EXPECT_TRUE(SameColor(image.GetPixelColor(0, 0), Quad(5, 6, 7)));
    EXPECT_EQ(image.GetPixelIndex(0, 0), 0);
    EXPECT_TRUE(SameColor(image.GetPaletteColor(0), Quad(0, 0, 0)));
    BYTE red = 1;
    EXPECT_FALSE(image.GetRGB(0, &red, nullptr, nullptr));
    image.SetGrayPalette();
    image.SwapIndex(0, 1);
    EXPECT_FALSE(image.IsGrayScale());
    EXPECT_FALSE(image.IsPaletteAlpha());
}

TEST(Palette, EntriesBeyondTheColourCountAreIgnored)
{
    CxImage image(1, 1, 4);
    image.SetPaletteColor(16, 1, 2, 3);
    image.SetPaletteColor(200, Quad(1, 2, 3));
    EXPECT_TRUE(SameColor(image.GetPaletteColor(16), Quad(0, 0, 0)));
    BYTE red = 0, green = 0, blue = 0;
    EXPECT_FALSE(image.GetRGB(16, &red, &green, &blue));
    EXPECT_FALSE(image.GetRGB(-1, &red, &green, &blue));
    image.SetPaletteColor(15, 1, 2, 3);
    ASSERT_TRUE(image.GetRGB(15, &red, &green, &blue));
    EXPECT_EQ(red, 1);
    EXPECT_EQ(green, 2);
    EXPECT_EQ(blue, 3);
}

TEST(Palette, SetPaletteCopiesNoMoreThanTheImageHolds)
{
    CxImage image(1, 1, 1);
    // Arrays longer than the two entries of a 1-bit palette.
    const BYTE red[4] = {10, 11, 12, 13};
    const BYTE green[4] = {20, 21, 22, 23};
    image.SetPalette(4, red, green);  // no blue: it takes green's values
    EXPECT_TRUE(SameColor(image.GetPaletteColor(1), Quad(11, 21, 21)));
    image.SetPalette(4, red);
    EXPECT_TRUE(SameColor(image.GetPaletteColor(0), Quad(10, 10, 10)));

    const RgbTriple triples[3] = {{1, 2, 3}, {4, 5, 6}, {7, 8, 9}};
    image.SetPalette(triples, 3);
    EXPECT_TRUE(SameColor(image.GetPaletteColor(1), Quad(4, 5, 6)));

    const RGBQUAD quads[3] = {Quad(30, 31, 32, 1), Quad(40, 41, 42, 2), Quad(50, 51, 52, 3)};
    image.SetPalette(quads, 3);
    EXPECT_TRUE(SameColor(image.GetPaletteColor(1), Quad(40, 41, 42)));
    EXPECT_EQ(image.GetPaletteColor(1).rgbReserved, 2);
    // The pixels right after the palette are untouched.
    EXPECT_EQ(image.GetBits()[0], 0);
    EXPECT_TRUE(image.IsPaletteAlpha());
}

struct GrayCase {
    int bpp;
    DWORD lastIndex;
    BYTE lastGrey;
    BYTE secondGrey;
    bool identity;
};

class GrayPalette : public ::testing::TestWithParam<GrayCase> {};

TEST_P(GrayPalette, StepsAndIdentityRamp)
{
    const GrayCase& c = GetParam();
    CxImage image(1, 1, c.bpp);
    image.SetGrayPalette();
    EXPECT_TRUE(SameColor(image.GetPaletteColor(0), Quad(0, 0, 0)));
    EXPECT_TRUE(SameColor(image.GetPaletteColor(1), Quad(c.secondGrey, c.secondGrey, c.secondGrey)));
    EXPECT_TRUE(SameColor(image.GetPaletteColor(static_cast<BYTE>(c.lastIndex)), Quad(c.lastGrey, c.lastGrey, c.lastGrey)));
    EXPECT_EQ(image.IsGrayScale(), c.identity);
}

INSTANTIATE_TEST_SUITE_P(Depths, GrayPalette,
                         ::testing::Values(GrayCase{1, 1, 255, 255, false}, GrayCase{4, 15, 255, 17, false},
                                           GrayCase{8, 255, 255, 1, true}));

TEST(Palette, GreyScaleNeedsEveryEntryOnTheRamp)
{
    CxImage image(1, 1, 8);
    image.SetGrayPalette();
    ASSERT_TRUE(image.IsGrayScale());
    image.SetPaletteColor(128, 128, 128, 129);
    EXPECT_FALSE(image.IsGrayScale());
    CxImage trueColor(1, 1, 24);
    EXPECT_FALSE(trueColor.IsGrayScale());
}

TEST(Palette, SwapIndexExchangesEntriesAndPixels)
{
    CxImage image(3, 2, 4);
    image.SetPaletteColor(0, 1, 1, 1);
    image.SetPaletteColor(5, 5, 5, 5);
    image.SetPixelIndex(0, 0, 5);
    image.SetPixelIndex(1, 0, 0);
    image.SetPixelIndex(2, 0, 7);
    image.SetPixelIndex(2, 1, 5);
    image.SwapIndex(0, 5);
    EXPECT_TRUE(SameColor(image.GetPaletteColor(0), Quad(5, 5, 5)));
    EXPECT_TRUE(SameColor(image.GetPaletteColor(5), Quad(1, 1, 1)));
    EXPECT_EQ(image.GetPixelIndex(0, 0), 0);
    EXPECT_EQ(image.GetPixelIndex(1, 0), 5);
    EXPECT_EQ(image.GetPixelIndex(2, 0), 7);
    EXPECT_EQ(image.GetPixelIndex(2, 1), 0);
    EXPECT_EQ(image.GetPixelIndex(0, 1), 5) << "pixels of index 0 become 5";
    // The colours the pixels show are unchanged.
    EXPECT_TRUE(SameColor(image.GetPixelColor(0, 0), Quad(5, 5, 5)));
    // An index outside the palette changes nothing.
    image.SwapIndex(0, 16);
    EXPECT_TRUE(SameColor(image.GetPaletteColor(0), Quad(5, 5, 5)));
}

TEST(TransColor, PaletteEntryOrBackgroundColour)
{
    CxImage palette(1, 1, 8);
    palette.SetPaletteColor(3, 30, 40, 50);
    palette.SetBackgroundColor(Quad(1, 1, 1));
    EXPECT_TRUE(SameColor(palette.GetTransColor(), Quad(1, 1, 1)));
    palette.SetBackgroundIndex(3);
    EXPECT_TRUE(SameColor(palette.GetTransColor(), Quad(30, 40, 50)));

    CxImage trueColor(1, 1, 24);
    trueColor.SetBackgroundColor(Quad(9, 9, 9));
    trueColor.SetBackgroundIndex(0);
    EXPECT_TRUE(SameColor(trueColor.GetTransColor(), Quad(9, 9, 9)));
}

TEST(CompareColors, ByLuminance)
{
    EXPECT_EQ(CxImage::CompareColors(Quad(10, 10, 10), Quad(10, 10, 10)), 0);
    EXPECT_EQ(CxImage::CompareColors(Quad(255, 255, 255), Quad(0, 0, 0)), 1);
    EXPECT_EQ(CxImage::CompareColors(Quad(0, 0, 0), Quad(255, 255, 255)), -1);
    // Green weighs more than red, red more than blue.
    EXPECT_EQ(CxImage::CompareColors(Quad(0, 100, 0), Quad(100, 0, 0)), 1);
    EXPECT_EQ(CxImage::CompareColors(Quad(0, 0, 100), Quad(100, 0, 0)), -1);
}

TEST(ColorType, FollowsDepthAndAlpha)
{
    CxImage palette(1, 1, 8);
    CxImage trueColor(1, 1, 24);
    EXPECT_EQ(palette.GetColorType(), 1);
    EXPECT_EQ(trueColor.GetColorType(), 2);
    ASSERT_TRUE(trueColor.AlphaCreate());
    EXPECT_EQ(trueColor.GetColorType(), 4);
}

TEST(SwapRGB2BGR, SwapsWholePixelsOfOneRowAtMost)
{
    CxImage image(2, 1, 24);  // 8 row bytes
    BYTE buffer[12] = {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12};
    image.SwapRGB2BGR(buffer, sizeof(buffer));
    const BYTE expected[12] = {3, 2, 1, 6, 5, 4, 7, 8, 9, 10, 11, 12};
    EXPECT_EQ(std::memcmp(buffer, expected, sizeof(buffer)), 0);

    CxImage palette(2, 1, 8);
    BYTE untouched[3] = {1, 2, 3};
    palette.SwapRGB2BGR(untouched, 3);
    EXPECT_EQ(untouched[0], 1);
}

}  // namespace
