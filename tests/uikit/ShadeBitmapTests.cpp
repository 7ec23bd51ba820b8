// The small in-memory bitmap the bevel faces are rendered into.
#include "uikit/ShadeBitmap.h"

#include "ButtonTestSupport.h"

#include <gtest/gtest.h>

#include <cstring>

using button_test::CCanvas;

TEST(ShadeBitmap, SizesPalettesAndRowLengthsFollowTheDepth)
{
    struct Case {
        int width, height, bits;
        int colors;
        int lineWidth;
    };
    const Case cases[] = {
        {5, 3, 1, 2, 4}, {5, 3, 4, 16, 4}, {5, 3, 8, 256, 8}, {5, 3, 24, 0, 16}, {33, 2, 1, 2, 8}, {1, 1, 8, 256, 4},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.width << "x" << c.height << "x" << c.bits);
        CShadeBitmap bitmap;
        ASSERT_NE(bitmap.Create(c.width, c.height, c.bits), nullptr);
        EXPECT_EQ(bitmap.GetWidth(), c.width);
        EXPECT_EQ(bitmap.GetHeight(), c.height);
        EXPECT_EQ(bitmap.GetColorCount(), c.colors);
        EXPECT_EQ(bitmap.GetLineWidth(), c.lineWidth);
        EXPECT_EQ(bitmap.GetPalette() != nullptr, c.colors > 0);
    }
}

TEST(ShadeBitmap, PixelsAreStoredBottomUpAndOutsidersIgnored)
{
    CShadeBitmap bitmap;
    ASSERT_NE(bitmap.Create(4, 3, 8), nullptr);
    bitmap.Fill(9);
    bitmap.SetPixelIndex(1, 0, 200);   // top row
    bitmap.SetPixelIndex(2, 2, 100);   // bottom row
    bitmap.SetPixelIndex(4, 0, 50);    // outside
    bitmap.SetPixelIndex(-1, 1, 50);
    bitmap.SetPixelIndex(0, 3, 50);
    const BYTE* bits = bitmap.GetBits();
    const int line = bitmap.GetLineWidth();
    EXPECT_EQ(bits[2 * line + 1], 200) << "the top row is stored last";
    EXPECT_EQ(bits[0 * line + 2], 100);
    int nines = 0;
    for (int row = 0; row < 3; ++row)
        for (int x = 0; x < 4; ++x)
            nines += bits[row * line + x] == 9;
    EXPECT_EQ(nines, 10) << "nothing outside was written";
    EXPECT_EQ(bitmap.GetPixelIndex(1, 0), 200);
}

TEST(ShadeBitmap, PaletteEntriesAndBlending)
{
    CShadeBitmap bitmap;
    ASSERT_NE(bitmap.Create(2, 2, 1), nullptr);
    bitmap.SetPaletteIndex(0, 100, 0, 200);
    bitmap.SetPaletteIndex(1, 0, 0, 0);
    bitmap.SetPaletteIndex(2, 7, 7, 7);  // beyond the two colours
    const RGBQUAD* palette = bitmap.GetPalette();
    EXPECT_EQ(palette[0].rgbRed, 100);
    EXPECT_EQ(palette[0].rgbBlue, 200);

    bitmap.BlendPalette(RGB(200, 100, 0), 50);
    EXPECT_EQ(palette[0].rgbRed, 150);
    EXPECT_EQ(palette[0].rgbGreen, 50);
    EXPECT_EQ(palette[0].rgbBlue, 100);
    EXPECT_EQ(palette[1].rgbRed, 100);

    bitmap.BlendPalette(RGB(10, 20, 30), 250);  // clipped to 100 %
    EXPECT_EQ(palette[0].rgbRed, 10);
    EXPECT_EQ(palette[1].rgbGreen, 20);
    EXPECT_EQ(palette[1].rgbBlue, 30);
}

TEST(ShadeBitmap, CopyIsIndependentAndEqual)
{
    CShadeBitmap original;
    ASSERT_NE(original.Create(3, 2, 8), nullptr);
    original.SetPaletteIndex(5, 1, 2, 3);
    original.SetPixelIndex(2, 1, 5);
    CShadeBitmap copy;
    ASSERT_TRUE(copy.Copy(original));
    EXPECT_EQ(copy.GetWidth(), 3);
    EXPECT_EQ(copy.GetPixelIndex(2, 1), 5);
    EXPECT_EQ(copy.GetPalette()[5].rgbGreen, 2);
    copy.SetPixelIndex(2, 1, 6);
    EXPECT_EQ(original.GetPixelIndex(2, 1), 5);

    original.Clear();
    EXPECT_EQ(original.GetBits(), nullptr);
    EXPECT_EQ(original.GetWidth(), 0);
    EXPECT_EQ(copy.GetPixelIndex(2, 1), 6);
}

TEST(ShadeBitmap, DrawBlitsThePaletteColoursAndFollowsLaterChanges)
{
    CShadeBitmap bitmap;
    ASSERT_NE(bitmap.Create(3, 2, 8), nullptr);
    bitmap.SetPaletteIndex(1, 255, 0, 0);
    bitmap.SetPaletteIndex(2, 0, 255, 0);
    bitmap.Fill(1);
    bitmap.SetPixelIndex(0, 0, 2);

    CCanvas canvas(8, 8, RGB(0, 0, 0));
    bitmap.Draw(canvas.dc(), 4, 5);
    EXPECT_EQ(canvas.Pixel(4, 5), RGB(0, 255, 0));
    EXPECT_EQ(canvas.Pixel(6, 6), RGB(255, 0, 0));
    EXPECT_EQ(canvas.Pixel(3, 5), RGB(0, 0, 0));
    EXPECT_EQ(canvas.Pixel(7, 5), RGB(0, 0, 0));

    // The section is made once; bits and palette changed afterwards still show.
    bitmap.SetPixelIndex(1, 0, 2);
    bitmap.BlendPalette(RGB(0, 0, 255), 100);
    bitmap.Draw(canvas.dc(), 0, 0);
    EXPECT_EQ(canvas.Pixel(1, 0), RGB(0, 0, 255));
    EXPECT_EQ(canvas.Pixel(2, 1), RGB(0, 0, 255));
}

TEST(ShadeBitmap, EmptyBitmapDrawsNothing)
{
    CShadeBitmap bitmap;
    CCanvas canvas(4, 4, RGB(1, 2, 3));
    bitmap.Draw(canvas.dc(), 0, 0);
    EXPECT_EQ(canvas.Pixel(0, 0), RGB(1, 2, 3));
}
