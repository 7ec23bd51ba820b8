// JPEG encoding: colour and grey pictures, what is refused, quality and
// resolution in the file, and failing output. The files are also left for
// ImageMagick to read on the host (tests/imaging/check_written_images.sh).
#include "PixelRows.h"
#include "ImageTestSupport.h"
#include "LimitedOutputFile.h"
#include "imaging/ImageFile.h"
#include "imaging/JpegImage.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

namespace {

// The frame header: its marker (FFC0 baseline, FFC2 progressive) and the
// number of components.
struct JpegFrame {
    int marker = 0;
    int components = 0;
};

JpegFrame FrameOf(const std::vector<BYTE>& jpeg)
{
    for (std::size_t i = 2; i + 9 < jpeg.size(); ++i) {
        if (jpeg[i] == 0xFF && jpeg[i + 1] >= 0xC0 && jpeg[i + 1] <= 0xC2)
            return {jpeg[i + 1], jpeg[i + 9]};
    }
    return {};
}

// Peak signal-to-noise ratio in dB of two equally long sample runs.
double Psnr(const std::vector<BYTE>& a, const std::vector<BYTE>& b)
{
    double sum = 0;
    for (std::size_t i = 0; i < a.size(); ++i) {
        const double difference = static_cast<double>(a[i]) - static_cast<double>(b[i]);
        sum += difference * difference;
    }
    if (sum == 0)
        return 99;
    return 10 * std::log10(255.0 * 255.0 / (sum / static_cast<double>(a.size())));
}

TEST(JpegEncode, ColourPictureRoundTrips)
{
    CxImage source(ImageFixturePath("png-rgb8.png").c_str(), kImageFormatPng);
    ASSERT_TRUE(source.IsValid());
    source.SetJpegQuality(90);
    const std::vector<BYTE> before = ImageToRaw(source, false);

    std::vector<BYTE> file;
    ASSERT_TRUE(source.EncodeToMemory(file, kImageFormatJpeg)) << source.GetLastError();
    EXPECT_EQ(FrameOf(file).marker, 0xC0) << "baseline";
    EXPECT_EQ(FrameOf(file).components, 3);
    EXPECT_EQ(ImageToRaw(source, false), before) << "the picture being saved is only read";

    CxImage decoded(file.data(), file.size(), kImageFormatJpeg);
    ASSERT_TRUE(decoded.IsValid()) << decoded.GetLastError();
    EXPECT_EQ(decoded.GetBpp(), 24);
    // cjpeg -quality 90 gets 26.3 dB on this picture: its colour detail is fine.
    EXPECT_GT(Psnr(ImageToRaw(decoded, false), before), 25.0);
    // ImageMagick, on the same libjpeg transform, must read the file as we do.
    LeaveForImageMagick("jpeg-colour.jpg", file, decoded);
}

TEST(JpegEncode, GreyRampPalettesAreWrittenAsOneComponent)
{
    CxImage grey(ImageFixturePath("png-grey8.png").c_str(), kImageFormatPng);
    ASSERT_TRUE(grey.IsValid());
    ASSERT_TRUE(grey.IsGrayScale());
    grey.SetJpegQuality(95);
    std::vector<BYTE> file;
    ASSERT_TRUE(grey.EncodeToMemory(file, kImageFormatJpeg)) << grey.GetLastError();
    EXPECT_EQ(FrameOf(file).components, 1);
    CxImage decoded(file.data(), file.size(), kImageFormatJpeg);
    ASSERT_EQ(decoded.GetBpp(), 8);
    EXPECT_GT(Psnr(ImageToRaw(decoded, false), ImageToRaw(grey, false)), 30.0);
    LeaveForImageMagick("jpeg-grey.jpg", file, decoded);
}

TEST(JpegEncode, PackedGreyRampsAreUnpacked)
{
    // A 4-bit image whose palette is the identity ramp 0..15: each index is its grey.
    CxImage packed(9, 3, 4);
    for (int i = 0; i < 16; ++i)
        packed.SetPaletteColor(static_cast<BYTE>(i), static_cast<BYTE>(i), static_cast<BYTE>(i), static_cast<BYTE>(i));
    ASSERT_TRUE(packed.IsGrayScale());
    for (int y = 0; y < 3; ++y) {
        for (int x = 0; x < 9; ++x)
            packed.SetPixelIndex(x, y, static_cast<BYTE>(x < 5 ? 2 : 14));
    }
    packed.SetJpegQuality(100);
    std::vector<BYTE> file;
    ASSERT_TRUE(packed.EncodeToMemory(file, kImageFormatJpeg)) << packed.GetLastError();
    EXPECT_EQ(FrameOf(file).components, 1);
    CxImage decoded(file.data(), file.size(), kImageFormatJpeg);
    ASSERT_TRUE(decoded.IsValid());
    EXPECT_NEAR(decoded.GetPixelColor(0, 1).rgbRed, 2, 2);
    EXPECT_NEAR(decoded.GetPixelColor(8, 1).rgbRed, 14, 2);
}

TEST(JpegEncode, OtherPalettesAreRefused)
{
    CxImage palette(ImageFixturePath("png-palette8.png").c_str(), kImageFormatPng);
    ASSERT_TRUE(palette.IsValid());
    CImageMemFile output;
    EXPECT_FALSE(palette.Encode(output, kImageFormatJpeg));
    EXPECT_STREQ(palette.GetLastError(), "JPEG can save only RGB or GreyScale images");
    EXPECT_EQ(output.Size(), 0);

    CxImage blackAndWhite(8, 8, 1);
    blackAndWhite.SetGrayPalette();  // 0 and 255: not the identity ramp
    EXPECT_FALSE(blackAndWhite.Encode(output, kImageFormatJpeg));
    EXPECT_STREQ(blackAndWhite.GetLastError(), "JPEG can save only RGB or GreyScale images");
}

TEST(JpegEncode, QualityAndResolutionGoIntoTheFile)
{
    CxImage source(ImageFixturePath("png-rgb8.png").c_str(), kImageFormatPng);
    ASSERT_TRUE(source.IsValid());
    source.SetXDPI(300);
    source.SetYDPI(150);

    std::vector<BYTE> low;
    std::vector<BYTE> high;
    source.SetJpegQuality(20);
    ASSERT_TRUE(source.EncodeToMemory(low, kImageFormatJpeg));
    source.SetJpegQuality(98);
    ASSERT_TRUE(source.EncodeToMemory(high, kImageFormatJpeg));
    EXPECT_LT(low.size(), high.size());

    // JFIF: dots per inch, 300 by 150.
    ASSERT_GT(high.size(), 18u);
    EXPECT_EQ(high[13], 1);
    EXPECT_EQ(high[14] << 8 | high[15], 300);
    EXPECT_EQ(high[16] << 8 | high[17], 150);
    CxImage decoded(high.data(), high.size(), kImageFormatJpeg);
    EXPECT_EQ(decoded.GetXDPI(), 300);
    EXPECT_EQ(decoded.GetYDPI(), 150);

    // Default quality 75 lies between.
    CxImage plain(ImageFixturePath("png-rgb8.png").c_str(), kImageFormatPng);
    std::vector<BYTE> standard;
    ASSERT_TRUE(plain.EncodeToMemory(standard, kImageFormatJpeg));
    EXPECT_LT(low.size(), standard.size());
    EXPECT_LT(standard.size(), high.size());
}

TEST(JpegEncode, FailingOutputGivesFalseWithLibjpegsText)
{
    // A picture big enough to fill the 4096-byte transfer block more than once.
    CxImage source(160, 120, 24);
    for (int y = 0; y < 120; ++y) {
        for (int x = 0; x < 160; ++x)
            source.SetPixelColor(x, y, Quad(static_cast<BYTE>(x * 7), static_cast<BYTE>(y * 13), static_cast<BYTE>(x * y)));
    }
    source.SetJpegQuality(100);
    for (std::size_t limit : {std::size_t{0}, std::size_t{100}, std::size_t{4096}, std::size_t{5000}}) {
        SCOPED_TRACE(limit);
        CLimitedFile output(limit);
        source.SetLastError(nullptr);
        EXPECT_FALSE(source.Encode(output, kImageFormatJpeg));
        EXPECT_STREQ(source.GetLastError(), "Output file write error --- out of disk space?");
    }
}

}  // namespace
