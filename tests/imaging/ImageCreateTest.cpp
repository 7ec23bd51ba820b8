// Creating images: depths, row and block arithmetic, refusals, settings,
// copying, transfer, ghosts and the kept file bytes.
#include "ImageTestSupport.h"

#include <gtest/gtest.h>

#include <climits>
#include <cstdlib>
#include <cstring>

namespace {

struct CreateCase {
    int width;
    int height;
    int requestedBpp;
    int bpp;
    DWORD rowBytes;
    DWORD colors;
};

class ImageCreate : public ::testing::TestWithParam<CreateCase> {};

TEST_P(ImageCreate, DepthRowBytesAndBlockSize)
{
    const CreateCase& c = GetParam();
    CxImage image(c.width, c.height, c.requestedBpp, kImageFormatPng);
    ASSERT_TRUE(image.IsValid()) << image.GetLastError();
    EXPECT_EQ(image.GetBpp(), c.bpp);
    EXPECT_EQ(image.GetEffWidth(), c.rowBytes);
    EXPECT_EQ(image.GetNumColors(), c.colors);
    EXPECT_EQ(image.GetPaletteSize(), c.colors * 4);
    EXPECT_EQ(image.GetHeader().biSizeImage, c.rowBytes * c.height);
    EXPECT_EQ(image.GetSize(), 40 + c.colors * 4 + c.rowBytes * c.height);
    EXPECT_EQ(image.GetFormat(), kImageFormatPng);

    // The block starts with a copy of the header; the pixels follow the palette.
    EXPECT_EQ(std::memcmp(image.GetDIB(), &image.GetHeader(), sizeof(BITMAPINFOHEADER)), 0);
    EXPECT_EQ(image.GetBits(), image.GetDIB() + 40 + c.colors * 4);
    EXPECT_EQ(image.GetBits(c.height - 1), image.GetBits() + (c.height - 1) * c.rowBytes);
    EXPECT_EQ(image.GetBits(c.height), nullptr);
    EXPECT_EQ(image.GetBits(-1), nullptr);
    EXPECT_EQ(image.GetPalette() != nullptr, c.colors != 0);

    // A new picture is all zeros, palette included.
    const BYTE* data = image.GetDIB() + 40;
    for (DWORD i = 0; i < image.GetSize() - 40; ++i)
        ASSERT_EQ(data[i], 0) << "byte " << i;
}

// For a decoder that writes every row: the same block, with the header, the
// palette and the bytes past each row's last pixel zero.
TEST_P(ImageCreate, ForOverwriteHasTheSameBlockWithZeroPaletteAndPadding)
{
    const CreateCase& c = GetParam();
    CxImage image(kImageFormatPng);
    ASSERT_NE(image.CreateForOverwrite(c.width, c.height, c.requestedBpp, kImageFormatPng), nullptr)
        << image.GetLastError();
    EXPECT_EQ(image.GetBpp(), c.bpp);
    EXPECT_EQ(image.GetEffWidth(), c.rowBytes);
    EXPECT_EQ(image.GetSize(), 40 + c.colors * 4 + c.rowBytes * c.height);
    EXPECT_EQ(std::memcmp(image.GetDIB(), &image.GetHeader(), sizeof(BITMAPINFOHEADER)), 0);
    for (DWORD i = 0; i < c.colors * 4; ++i)
        ASSERT_EQ(image.GetDIB()[40 + i], 0) << "palette byte " << i;
    const DWORD used = (static_cast<DWORD>(c.width) * static_cast<DWORD>(c.bpp) + 7) / 8;
    for (int row = 0; row < c.height; ++row)
        for (DWORD at = used; at < c.rowBytes; ++at)
            ASSERT_EQ(image.GetBits(row)[at], 0) << "row " << row << " byte " << at;
}

INSTANTIATE_TEST_SUITE_P(
    Depths, ImageCreate,
    ::testing::Values(
        // width, height, asked, made, row bytes, colours
        CreateCase{3, 2, 24, 24, 12, 0}, CreateCase{1, 1, 24, 24, 4, 0}, CreateCase{4, 3, 24, 24, 12, 0},
        CreateCase{5, 1, 24, 24, 16, 0}, CreateCase{100, 2, 24, 24, 300, 0}, CreateCase{3, 1, 16, 24, 12, 0},
        CreateCase{3, 1, 32, 24, 12, 0}, CreateCase{3, 1, 1, 1, 4, 2}, CreateCase{32, 1, 1, 1, 4, 2},
        CreateCase{33, 2, 1, 1, 8, 2}, CreateCase{7, 1, 0, 1, 4, 2}, CreateCase{7, 1, -3, 1, 4, 2},
        CreateCase{3, 1, 2, 4, 4, 16}, CreateCase{8, 1, 4, 4, 4, 16}, CreateCase{9, 1, 4, 4, 8, 16},
        CreateCase{4, 1, 8, 8, 4, 256}, CreateCase{5, 3, 8, 8, 8, 256}, CreateCase{6, 1, 7, 8, 8, 256}));

struct RefusedCase {
    int width;
    int height;
    int bpp;
    const char* text;
};

class ImageRefused : public ::testing::TestWithParam<RefusedCase> {};

TEST_P(ImageRefused, LeavesTheImageEmptyWithAReason)
{
    const RefusedCase& c = GetParam();
    CxImage image(8, 8, 8);
    ASSERT_TRUE(image.IsValid());
    EXPECT_EQ(image.Create(c.width, c.height, c.bpp, kImageFormatBmp), nullptr);
    EXPECT_FALSE(image.IsValid());
    EXPECT_EQ(image.GetBits(), nullptr);
    EXPECT_EQ(image.GetWidth(), 0);
    EXPECT_EQ(image.GetSize(), 40u);
    EXPECT_STREQ(image.GetLastError(), c.text);
    // Pixel access on the refused image reads neutral values and writes nothing.
    EXPECT_EQ(image.GetPixelIndex(0, 0), 0);
    image.SetPixelIndex(0, 0, 1);
    image.SetPixelColor(0, 0, RGB(1, 2, 3));
    EXPECT_FALSE(image.AlphaCreate());

    // The decoders' way of creating refuses the same sizes with the same words.
    CxImage decoded(8, 8, 8);
    EXPECT_EQ(decoded.CreateForOverwrite(c.width, c.height, c.bpp, kImageFormatBmp), nullptr);
    EXPECT_FALSE(decoded.IsValid());
    EXPECT_STREQ(decoded.GetLastError(), c.text);
}

INSTANTIATE_TEST_SUITE_P(
    Sizes, ImageRefused,
    ::testing::Values(RefusedCase{0, 10, 24, "Invalid image size"}, RefusedCase{10, 0, 24, "Invalid image size"},
                      RefusedCase{-1, 10, 8, "Invalid image size"}, RefusedCase{10, -5, 1, "Invalid image size"},
                      RefusedCase{INT_MIN, INT_MIN, 1, "Invalid image size"},
                      RefusedCase{INT_MAX, INT_MAX, 24, "Image too large"},
                      RefusedCase{INT_MAX, 1, 24, "Image too large"},
                      // 65536 × 1366 × 3 bytes is just over 256 MiB.
                      RefusedCase{65536, 1366, 24, "Image too large"},
                      // A 1-bit picture is small, but its alpha mask would not be.
                      RefusedCase{16384, 16385, 1, "Image too large"},
                      RefusedCase{70000, 70000, 8, "Image too large"}));

TEST(ImageCreateLimits, APictureAtTheLimitIsMade)
{
    // 16384 × 16384 pixels: a mask of exactly 256 MiB, a 1-bit block of 32 MiB.
    CxImage image(16384, 16384, 1);
    ASSERT_TRUE(image.IsValid()) << image.GetLastError();
    EXPECT_EQ(image.GetEffWidth(), 2048u);
}

TEST(ImageSettings, NewImageHasTheDefaults)
{
    const CxImage image(kImageFormatJpeg);
    EXPECT_FALSE(image.IsValid());
    EXPECT_EQ(image.GetFormat(), kImageFormatJpeg);
    EXPECT_EQ(image.GetJpegQuality(), 75);
    EXPECT_EQ(image.GetBackgroundIndex(), -1);
    EXPECT_EQ(image.GetAlphaMax(), 255);
    EXPECT_TRUE(image.IsEnabled());
    EXPECT_FALSE(image.IsCancelled());
    EXPECT_FALSE(image.HasPaletteAlpha());
    EXPECT_EQ(image.GetXDPI(), 72);
    EXPECT_EQ(image.GetYDPI(), 72);
    EXPECT_EQ(image.GetHeader().biXPelsPerMeter, 2835);
    EXPECT_STREQ(image.GetLastError(), "");
    EXPECT_EQ(image.GetUserBuffer(), nullptr);
    EXPECT_EQ(image.GetUserValue(), 0u);
    EXPECT_EQ(image.GetBits(), nullptr);
    EXPECT_EQ(image.GetPalette(), nullptr);
}

TEST(ImageSettings, DpiKeepsThePixelsPerMetreInStepInsideTheBlock)
{
    CxImage image(2, 2, 24);
    image.SetXDPI(300);
    image.SetYDPI(96);
    EXPECT_EQ(image.GetHeader().biXPelsPerMeter, 11811);
    EXPECT_EQ(image.GetHeader().biYPelsPerMeter, 3780);
    const auto* inBlock = reinterpret_cast<const BITMAPINFOHEADER*>(image.GetDIB());
    EXPECT_EQ(inBlock->biXPelsPerMeter, 11811);
    EXPECT_EQ(inBlock->biYPelsPerMeter, 3780);
    EXPECT_EQ(CxImage::DpiFromPelsPerMeter(2835), 72);
    EXPECT_EQ(CxImage::DpiFromPelsPerMeter(3780), 96);
    EXPECT_EQ(CxImage::DpiFromPelsPerMeter(0), 0);
}

TEST(ImageSettings, LastErrorKeeps255Characters)
{
    CxImage image;
    const std::string longText(400, 'x');
    image.SetLastError(longText.c_str());
    EXPECT_EQ(std::strlen(image.GetLastError()), 255u);
    image.SetLastError(nullptr);
    EXPECT_STREQ(image.GetLastError(), "");
}

TEST(ImageSettings, JpegQualityStaysWithin0To100)
{
    CxImage image;
    image.SetJpegQuality(150);
    EXPECT_EQ(image.GetJpegQuality(), 100);
    image.SetJpegQuality(-4);
    EXPECT_EQ(image.GetJpegQuality(), 0);
}

// An 8-bit 3 × 2 picture with a palette, an alpha mask and settings of its own.
void MakeSample(CxImage& image)
{
    ASSERT_TRUE(image.Create(3, 2, 8, kImageFormatPcx));
    image.SetPaletteColor(1, 10, 20, 30);
    image.SetPaletteColor(2, 40, 50, 60);
    image.SetPixelIndex(0, 0, 1);
    image.SetPixelIndex(2, 1, 2);
    ASSERT_TRUE(image.AlphaCreate());
    image.AlphaSetPixel(2, 1, 99);
    image.SetBackgroundIndex(2);
    image.SetJpegQuality(40);
    image.SetXDPI(150);
}

TEST(ImageCopy, FullCopyOwnsItsOwnBuffers)
{
    CxImage source;
    MakeSample(source);
    CxImage copy(source, true, true);
    ASSERT_TRUE(copy.IsValid());
    EXPECT_EQ(copy.GetFormat(), kImageFormatPcx);
    EXPECT_EQ(copy.GetBackgroundIndex(), 2);
    EXPECT_EQ(copy.GetJpegQuality(), 40);
    EXPECT_EQ(copy.GetXDPI(), 150);
    EXPECT_EQ(copy.GetHeader().biXPelsPerMeter, source.GetHeader().biXPelsPerMeter);
    EXPECT_EQ(copy.GetPixelIndex(0, 0), 1);
    EXPECT_EQ(copy.GetPixelIndex(2, 1), 2);
    EXPECT_TRUE(SameColor(copy.GetPaletteColor(2), Quad(40, 50, 60)));
    EXPECT_EQ(copy.AlphaGetPixel(2, 1), 99);
    EXPECT_EQ(std::memcmp(copy.GetDIB(), source.GetDIB(), source.GetSize()), 0);

    EXPECT_NE(copy.GetDIB(), source.GetDIB());
    EXPECT_NE(copy.AlphaGetPointer(), source.AlphaGetPointer());
    copy.SetPixelIndex(0, 0, 2);
    copy.AlphaSetPixel(2, 1, 5);
    EXPECT_EQ(source.GetPixelIndex(0, 0), 1);
    EXPECT_EQ(source.AlphaGetPixel(2, 1), 99);
}

TEST(ImageCopy, WithoutPixelsCopiesThePaletteOnly)
{
    CxImage source;
    MakeSample(source);
    CxImage copy(source, false, false);
    ASSERT_TRUE(copy.IsValid());
    EXPECT_TRUE(SameColor(copy.GetPaletteColor(1), Quad(10, 20, 30)));
    EXPECT_EQ(copy.GetPixelIndex(0, 0), 0);
    EXPECT_FALSE(copy.HasAlpha());
}

TEST(ImageTransfer, TakesThePictureAndLeavesTheSourceEmpty)
{
    CxImage source;
    MakeSample(source);
    const BYTE* sourceDib = source.GetDIB();
    CxImage target(5, 5, 24, kImageFormatBmp);
    ASSERT_TRUE(target.CopyUserBuffer("kept", 4));

    target.Transfer(source);
    EXPECT_EQ(target.GetDIB(), sourceDib);
    EXPECT_EQ(target.GetFormat(), kImageFormatPcx);
    EXPECT_EQ(target.GetWidth(), 3);
    EXPECT_EQ(target.GetPixelIndex(0, 0), 1);
    EXPECT_EQ(target.AlphaGetPixel(2, 1), 99);
    EXPECT_EQ(target.GetBackgroundIndex(), 2);
    // The kept file bytes belong to the image, not to the picture.
    ASSERT_EQ(target.GetUserValue(), 4u);
    EXPECT_EQ(std::memcmp(target.GetUserBuffer(), "kept", 4), 0);

    EXPECT_FALSE(source.IsValid());
    EXPECT_FALSE(source.HasAlpha());
    EXPECT_EQ(source.GetWidth(), 0);
}

TEST(ImageGhost, SharesThePictureAndFreesNothing)
{
    CxImage source;
    MakeSample(source);
    {
        CxImage ghost(kImageFormatPng);
        ghost.Ghost(source);
        EXPECT_EQ(ghost.GetGhostSource(), &source);
        EXPECT_EQ(ghost.GetDIB(), source.GetDIB());
        EXPECT_EQ(ghost.AlphaGetPointer(), source.AlphaGetPointer());
        EXPECT_EQ(ghost.GetFormat(), kImageFormatPcx);
        EXPECT_EQ(ghost.GetJpegQuality(), 40);
        // Writes through the ghost reach the source.
        ghost.SetPixelIndex(1, 0, 2);
        // A mask made for the ghost alone must not free the source's.
        ASSERT_TRUE(ghost.AlphaCreate());
        ghost.AlphaSet(255);
        ghost.AlphaDelete();
        ghost.Destroy();
        EXPECT_FALSE(ghost.IsValid());
        EXPECT_EQ(ghost.GetGhostSource(), nullptr);
    }
    ASSERT_TRUE(source.IsValid());
    EXPECT_EQ(source.GetPixelIndex(1, 0), 2);
    EXPECT_EQ(source.AlphaGetPixel(2, 1), 99);
    EXPECT_TRUE(SameColor(source.GetPaletteColor(2), Quad(40, 50, 60)));
}

TEST(ImageKeptBytes, TheImageOwnsAndFreesThem)
{
    CxImage image(kImageFormatJpeg);
    BYTE* block = static_cast<BYTE*>(std::malloc(3));
    ASSERT_NE(block, nullptr);
    std::memcpy(block, "\xFF\xD8\xFF", 3);
    image.SetUserBuffer(block, 3);
    EXPECT_EQ(image.GetUserBuffer(), block);
    EXPECT_EQ(image.GetUserValue(), 3u);

    // A copy of another image's bytes is a block of its own.
    CxImage duplicate(kImageFormatJpeg);
    ASSERT_TRUE(duplicate.CopyUserBuffer(image.GetUserBuffer(), image.GetUserValue()));
    EXPECT_NE(duplicate.GetUserBuffer(), image.GetUserBuffer());
    EXPECT_EQ(std::memcmp(duplicate.GetUserBuffer(), "\xFF\xD8\xFF", 3), 0);

    image.SetUserBuffer(nullptr, 99);
    EXPECT_EQ(image.GetUserBuffer(), nullptr);
    EXPECT_EQ(image.GetUserValue(), 0u);

    // Kept even without a picture, and freed with the image.
    EXPECT_FALSE(duplicate.IsValid());
    duplicate.Destroy();
    EXPECT_EQ(duplicate.GetUserBuffer(), nullptr);
}

}  // namespace
