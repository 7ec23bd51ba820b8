// The alpha mask, flattening onto the background colour, and flipping.
#include "ImageTestSupport.h"

#include <gtest/gtest.h>

namespace {

TEST(AlphaMask, CreatedZeroAndAddressedBottomUp)
{
    CxImage image(3, 2, 24);
    EXPECT_FALSE(image.HasAlpha());
    image.AlphaSet(7);  // nothing to fill yet
    image.AlphaSetPixel(0, 0, 7);
    EXPECT_EQ(image.AlphaGetPixel(0, 0), 0);

    ASSERT_TRUE(image.AlphaCreate());
    for (int i = 0; i < 6; ++i)
        EXPECT_EQ(image.AlphaGetPointer()[i], 0);
    image.AlphaSetPixel(2, 1, 200);
    EXPECT_EQ(image.AlphaGetPointer()[2 + 1 * 3], 200);
    EXPECT_EQ(image.AlphaGetPixel(2, 1), 200);
    image.AlphaSet(9);
    EXPECT_EQ(image.AlphaGetPixel(2, 1), 9);
    ASSERT_TRUE(image.AlphaCreate()) << "a second mask replaces the first";
    EXPECT_EQ(image.AlphaGetPixel(2, 1), 0);
    image.AlphaDelete();
    EXPECT_FALSE(image.HasAlpha());

    CxImage empty;
    EXPECT_FALSE(empty.AlphaCreate());
}

TEST(AlphaMask, NewPictureDropsTheOldMask)
{
    CxImage image(3, 2, 24);
    ASSERT_TRUE(image.AlphaCreate());
    ASSERT_TRUE(image.Create(100, 100, 8, kImageFormatBmp));
    EXPECT_FALSE(image.HasAlpha());
}

TEST(FlattenAlpha, TrueColorBlendsInPlaceAndDropsTheMask)
{
    CxImage image(2, 1, 24);
    image.SetPixelColor(0, 0, Quad(0, 0, 0));
    image.SetPixelColor(1, 0, Quad(100, 200, 50));
    image.SetBackgroundColor(Quad(255, 255, 255));
    ASSERT_TRUE(image.AlphaCreate());
    image.AlphaSetPixel(0, 0, 128);
    image.AlphaSetPixel(1, 0, 255);
    const BYTE* dib = image.GetDIB();

    image.FlattenAlpha();
    EXPECT_FALSE(image.HasAlpha());
    EXPECT_EQ(image.GetDIB(), dib);
    // (255 × 127 + 0 × 128) / 255 = 127
    EXPECT_TRUE(SameColor(image.GetPixelColor(0, 0), Quad(127, 127, 127)));
    EXPECT_TRUE(SameColor(image.GetPixelColor(1, 0), Quad(100, 200, 50)));
}

TEST(FlattenAlpha, AlphaMaximumScalesTheMask)
{
    CxImage image(1, 1, 24);
    image.SetPixelColor(0, 0, Quad(255, 255, 255));
    ASSERT_TRUE(image.AlphaCreate());
    image.AlphaSet(255);
    image.SetAlphaMax(0);
    image.FlattenAlpha();
    EXPECT_TRUE(SameColor(image.GetPixelColor(0, 0), Quad(0, 0, 0))) << "all background";
}

TEST(FlattenAlpha, WithoutAlphaNothingChanges)
{
    CxImage image(2, 2, 24);
    image.SetPixelColor(1, 1, Quad(10, 20, 30));
    image.SetBackgroundColor(Quad(255, 255, 255));
    image.SetBackgroundIndex(0);
    image.FlattenAlpha();
    EXPECT_TRUE(SameColor(image.GetPixelColor(1, 1), Quad(10, 20, 30)));
    EXPECT_EQ(image.GetBackgroundIndex(), 0);

    CxImage palette(2, 2, 8, kImageFormatPng);
    palette.FlattenAlpha();
    EXPECT_EQ(palette.GetBpp(), 8);
    EXPECT_EQ(palette.GetFormat(), kImageFormatPng);
}

TEST(FlattenAlpha, PaletteAlphaGivesANewTrueColorImage)
{
    CxImage image(2, 1, 8, kImageFormatPng);
    image.SetPaletteColor(0, 0, 0, 0, 0);     // fully transparent
    image.SetPaletteColor(1, 200, 100, 0, 255);  // opaque
    image.SetPixelIndex(1, 0, 1);
    image.SetPaletteAlpha(true);
    image.SetBackgroundColor(Quad(255, 255, 255));
    image.SetBackgroundIndex(1);
    ASSERT_TRUE(image.CopyUserBuffer("png", 3));

    image.FlattenAlpha();
    ASSERT_TRUE(image.IsValid());
    EXPECT_EQ(image.GetBpp(), 24);
    EXPECT_EQ(image.GetWidth(), 2);
    EXPECT_TRUE(SameColor(image.GetPixelColor(0, 0), Quad(255, 255, 255)));
    EXPECT_TRUE(SameColor(image.GetPixelColor(1, 0), Quad(200, 100, 0)));
    // The settings are those of a new image.
    EXPECT_EQ(image.GetFormat(), kImageFormatBmp);
    EXPECT_EQ(image.GetBackgroundIndex(), -1);
    EXPECT_FALSE(image.HasPaletteAlpha());
    EXPECT_EQ(image.GetUserValue(), 3u) << "the kept file bytes stay";
}

TEST(FlattenAlpha, PaletteImageWithMask)
{
    CxImage image(1, 1, 4);
    image.SetPaletteColor(0, 0, 0, 200);
    ASSERT_TRUE(image.AlphaCreate());
    image.AlphaSet(51);  // a fifth
    image.SetBackgroundColor(Quad(0, 255, 0));
    image.FlattenAlpha();
    EXPECT_EQ(image.GetBpp(), 24);
    EXPECT_FALSE(image.HasAlpha());
    // green (255 × 204) / 255 = 204, blue (200 × 51) / 255 = 40
    EXPECT_TRUE(SameColor(image.GetPixelColor(0, 0), Quad(0, 204, 40)));
}

class FlipHeights : public ::testing::TestWithParam<int> {};

TEST_P(FlipHeights, ReversesRowsAndMask)
{
    const int height = GetParam();
    CxImage image(5, height, 8);
    ASSERT_TRUE(image.AlphaCreate());
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < 5; ++x)
            image.SetPixelIndex(x, y, static_cast<BYTE>(y * 10 + x));
        image.AlphaSetPixel(0, y, static_cast<BYTE>(y + 1));
    }
    ASSERT_TRUE(image.Flip());
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < 5; ++x)
            ASSERT_EQ(image.GetPixelIndex(x, y), (height - 1 - y) * 10 + x);
        EXPECT_EQ(image.AlphaGetPixel(0, y), height - y);
    }
}

INSTANTIATE_TEST_SUITE_P(OddAndEven, FlipHeights, ::testing::Values(1, 2, 3, 8));

TEST(Flip, NeedsAPictureAndAMask)
{
    CxImage empty;
    EXPECT_FALSE(empty.Flip());
    CxImage image(2, 2, 24);
    EXPECT_FALSE(image.AlphaFlip());
    EXPECT_TRUE(image.Flip());
}

}  // namespace
