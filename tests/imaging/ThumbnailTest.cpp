// Thumbnails: their sizes, JPEGs decoded at a reduced scale, and the scaled
// pictures' colours, from files ImageMagick made.
#include "imaging/ImageFixtures.h"
#include "imaging/Thumbnail.h"
#include "imaging/ThumbnailJpeg.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <vector>

namespace {

RGBQUAD Pixel(const CThumbnailBitmap& thumbnail, int x, int y)
{
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(info.bmiHeader);
    info.bmiHeader.biWidth = thumbnail.Size().cx;
    info.bmiHeader.biHeight = -thumbnail.Size().cy;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    std::vector<RGBQUAD> pixels(static_cast<std::size_t>(thumbnail.Size().cx * thumbnail.Size().cy));
    HDC screen = ::GetDC(nullptr);
    ::GetDIBits(screen, thumbnail.Handle(), 0, static_cast<UINT>(thumbnail.Size().cy), pixels.data(), &info,
                DIB_RGB_COLORS);
    ::ReleaseDC(nullptr, screen);
    return pixels[static_cast<std::size_t>(y * thumbnail.Size().cx + x)];
}

bool Near(const RGBQUAD& color, int red, int green, int blue)
{
    return std::abs(color.rgbRed - red) <= 10 && std::abs(color.rgbGreen - green) <= 10 &&
           std::abs(color.rgbBlue - blue) <= 10;
}

}  // namespace

TEST(Thumbnail, SizeKeepsSmallPicturesAndFitsLargeOnes)
{
    const struct {
        int width, height;
        LONG cx, cy;
    } cases[] = {{10000, 100, 125, 3}, {50, 40, 50, 40},    {100, 300, 41, 125}, {200, 200, 125, 125},
                 {1, 1, 3, 3},         {124, 124, 124, 124}, {125, 10, 125, 10},  {4000, 3000, 125, 93}};
    for (const auto& c : cases) {
        const SIZE size = ThumbnailSize(c.width, c.height);
        EXPECT_EQ(size.cx, c.cx) << c.width << "x" << c.height;
        EXPECT_EQ(size.cy, c.cy) << c.width << "x" << c.height;
    }
}

TEST(Thumbnail, LargeJpegsDecodeAtAReducedScale)
{
    CxImage image(kImageFormatJpeg);
    int width = 0;
    int height = 0;
    ASSERT_TRUE(DecodeJpegForThumbnail(ImageFixturePath("thumb-large.jpg").c_str(), kThumbnailBox, image, width,
                                       height));
    EXPECT_EQ(width, 2000);
    EXPECT_EQ(height, 1000);
    EXPECT_EQ(image.GetWidth(), 250);  // an eighth
    EXPECT_EQ(image.GetHeight(), 125);

    const ThumbnailPtr thumbnail = MakeThumbnail(image, SIZE{width, height});
    ASSERT_TRUE(thumbnail);
    EXPECT_EQ(thumbnail->Size().cx, 125);
    EXPECT_EQ(thumbnail->Size().cy, 62);
    EXPECT_TRUE(Near(Pixel(*thumbnail, 20, 30), 200, 40, 40));
    EXPECT_TRUE(Near(Pixel(*thumbnail, 105, 30), 40, 40, 200));
}

TEST(Thumbnail, GreyJpegsKeepTheirScaleAboveTheThumbnail)
{
    CxImage image(kImageFormatJpeg);
    int width = 0;
    int height = 0;
    ASSERT_TRUE(DecodeJpegForThumbnail(ImageFixturePath("thumb-grey.jpg").c_str(), kThumbnailBox, image, width,
                                       height));
    EXPECT_EQ(width, 300);
    EXPECT_EQ(image.GetWidth(), 150);  // a quarter would be smaller than the thumbnail
    EXPECT_EQ(image.GetBpp(), 8);
    const ThumbnailPtr thumbnail = MakeThumbnail(image, SIZE{width, height});
    ASSERT_TRUE(thumbnail);
    EXPECT_EQ(thumbnail->Size().cy, 100);
    EXPECT_TRUE(Near(Pixel(*thumbnail, 60, 50), 128, 128, 128));
}

TEST(Thumbnail, OtherFilesAreLeftToTheFullDecoder)
{
    CxImage image(kImageFormatJpeg);
    int width = 0;
    int height = 0;
    EXPECT_FALSE(DecodeJpegForThumbnail(ImageFixturePath("thumb-tall.bmp").c_str(), kThumbnailBox, image, width,
                                        height));
    EXPECT_FALSE(image.IsValid());
    EXPECT_FALSE(DecodeJpegForThumbnail(ImageFixturePath("no-such-file.jpg").c_str(), kThumbnailBox, image, width,
                                        height));
}
