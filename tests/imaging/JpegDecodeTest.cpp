// JPEG decoding: the files ImageMagick writes (baseline, progressive,
// arithmetic, greyscale, CMYK) compared with ImageMagick's own decode,
// resolution, files cut short, damaged and oversized files.
#include "PixelRows.h"
#include "ImageTestSupport.h"
#include "imaging/ImageFile.h"
#include "imaging/JpegImage.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

namespace {

struct JpegFixture {
    const char* name;
    int bpp;
    int tolerance;  // largest difference from ImageMagick's decode per sample
};

void PrintTo(const JpegFixture& fixture, std::ostream* out)
{
    *out << fixture.name;
}

// Both use libjpeg's default (slow integer) transform, so colour files come
// out within rounding; ImageMagick does its own CMYK conversion.
const JpegFixture kJpegFixtures[] = {
    {"jpeg-baseline", 24, 1},   {"jpeg-progressive", 24, 1}, {"jpeg-arithmetic", 24, 1},
    {"jpeg-dpcm", 24, 1},       {"jpeg-grey", 8, 0},         {"jpeg-cmyk", 24, 2},
};

class JpegFixtureDecode : public ::testing::TestWithParam<JpegFixture> {};

TEST_P(JpegFixtureDecode, MatchesImageMagick)
{
    const JpegFixture& fixture = GetParam();
    const std::string name = fixture.name;
    const std::vector<BYTE> reference = ReadFixture(name + ".rgb");
    ASSERT_FALSE(reference.empty()) << "missing " << ImageFixturePath(name + ".rgb");

    CxImage image(ImageFixturePath(name + ".jpg").c_str(), kImageFormatJpeg);
    ASSERT_TRUE(image.IsValid()) << image.GetLastError();
    EXPECT_STREQ(image.GetLastError(), "");
    EXPECT_EQ(image.GetFormat(), kImageFormatJpeg);
    EXPECT_EQ(image.GetWidth(), 37);
    EXPECT_EQ(image.GetHeight(), 29);
    EXPECT_EQ(image.GetBpp(), fixture.bpp);
    if (fixture.bpp == 8) {
        EXPECT_TRUE(image.IsGrayScale());
    }
    EXPECT_FALSE(image.HasAlpha());
    EXPECT_LE(LargestDifference(ImageToRaw(image, false), reference), fixture.tolerance);
    // The rows are written without being cleared first: the bytes past each
    // row's last pixel (saved with the picture) are zero all the same.
    const DWORD used = static_cast<DWORD>(image.GetWidth() * fixture.bpp / 8);
    ASSERT_LT(used, image.GetEffWidth()) << "the fixture's rows have padding";
    for (int row = 0; row < image.GetHeight(); ++row)
        for (DWORD at = used; at < image.GetEffWidth(); ++at)
            ASSERT_EQ(image.GetBits(row)[at], 0) << "row " << row << " byte " << at;

    const std::vector<BYTE> bytes = ReadFixture(name + ".jpg");
    CxImage fromMemory(bytes.data(), bytes.size(), kImageFormatJpeg);
    ASSERT_TRUE(fromMemory.IsValid()) << fromMemory.GetLastError();
    EXPECT_EQ(ImageToRaw(fromMemory, false), ImageToRaw(image, false));
    // Decoding leaves keeping the file's bytes to the caller.
    EXPECT_EQ(fromMemory.GetUserValue(), 0u);
}

INSTANTIATE_TEST_SUITE_P(ImageMagickFiles, JpegFixtureDecode, ::testing::ValuesIn(kJpegFixtures),
                         [](const auto& info) {
                             std::string name = info.param.name;
                             for (char& c : name)
                                 c = std::isalnum(static_cast<unsigned char>(c)) ? c : '_';
                             return name;
                         });

TEST(JpegDecode, KeptSourceBytesSurviveDecodingThem)
{
    // A document keeps a JPEG's file bytes with the image and decodes them
    // again when it is read: decoding must leave them as they were.
    const std::vector<BYTE> bytes = ReadFixture("jpeg-baseline.jpg");
    CxImage image;
    ASSERT_TRUE(image.CopyUserBuffer(bytes.data(), bytes.size()));
    ASSERT_TRUE(image.DecodeMemory(image.GetUserBuffer(), image.GetUserValue(), kImageFormatJpeg))
        << image.GetLastError();
    ASSERT_EQ(image.GetUserValue(), bytes.size());
    EXPECT_TRUE(std::equal(bytes.begin(), bytes.end(), image.GetUserBuffer()));

    // A failed decode keeps them too, and the picture it had.
    EXPECT_FALSE(image.DecodeMemory(image.GetUserBuffer(), 100, kImageFormatJpeg));
    EXPECT_TRUE(image.IsValid());
    ASSERT_EQ(image.GetUserValue(), bytes.size());
    EXPECT_TRUE(std::equal(bytes.begin(), bytes.end(), image.GetUserBuffer()));
}

// ---- resolution ----------------------------------------------------------------------

// A copy of the baseline fixture with its JFIF density fields replaced.
std::vector<BYTE> WithDensity(BYTE unit, WORD x, WORD y)
{
    std::vector<BYTE> bytes = ReadFixture("jpeg-baseline.jpg");
    // FF D8, FF E0, length, "JFIF\0", version: the unit is byte 13.
    EXPECT_EQ(std::string(bytes.begin() + 6, bytes.begin() + 10), "JFIF");
    bytes[13] = unit;
    bytes[14] = static_cast<BYTE>(x >> 8);
    bytes[15] = static_cast<BYTE>(x);
    bytes[16] = static_cast<BYTE>(y >> 8);
    bytes[17] = static_cast<BYTE>(y);
    return bytes;
}

TEST(JpegDecode, ResolutionFromTheJfifDensity)
{
    struct Case {
        BYTE unit;
        WORD x, y;
        int xDpi, yDpi;
    };
    const Case cases[] = {
        {1, 300, 150, 300, 150},  // dots per inch
        {2, 28, 118, 71, 299},    // dots per centimetre: 28 × 2.54 = 71.12
        {0, 1, 1, 1, 1},          // aspect ratio only: taken as it is
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(int{c.unit});
        const std::vector<BYTE> file = WithDensity(c.unit, c.x, c.y);
        CxImage image(file.data(), file.size(), kImageFormatJpeg);
        ASSERT_TRUE(image.IsValid()) << image.GetLastError();
        EXPECT_EQ(image.GetXDPI(), c.xDpi);
        EXPECT_EQ(image.GetYDPI(), c.yDpi);
    }
    CxImage written(ImageFixturePath("jpeg-dpcm.jpg").c_str(), kImageFormatJpeg);
    EXPECT_EQ(written.GetXDPI(), 71);
}

// ---- cut short, damaged, oversized --------------------------------------------------

// Where the scan data starts: after the SOS segment.
std::size_t ScanStart(const std::vector<BYTE>& jpeg)
{
    for (std::size_t i = 2; i + 3 < jpeg.size(); ++i) {
        if (jpeg[i] == 0xFF && jpeg[i + 1] == 0xDA)
            return i + 2 + (std::size_t{jpeg[i + 2]} << 8 | jpeg[i + 3]);
    }
    return 0;
}

TEST(JpegDecode, FileCutShortInTheScanDecodesWhatItHas)
{
    for (const char* name : {"jpeg-baseline.jpg", "jpeg-progressive.jpg", "jpeg-grey.jpg"}) {
        SCOPED_TRACE(name);
        const std::vector<BYTE> whole = ReadFixture(name);
        const std::size_t scan = ScanStart(whole);
        ASSERT_GT(scan, 0u);
        CxImage full(whole.data(), whole.size(), kImageFormatJpeg);
        for (std::size_t length : {scan + 1, scan + (whole.size() - scan) / 2, whole.size() - 2}) {
            SCOPED_TRACE(length);
            CxImage image(whole.data(), length, kImageFormatJpeg);
            ASSERT_TRUE(image.IsValid()) << image.GetLastError();
            EXPECT_EQ(image.GetWidth(), full.GetWidth());
            EXPECT_EQ(image.GetHeight(), full.GetHeight());
        }
    }
    // Cut just before the end marker: the picture is complete.
    const std::vector<BYTE> whole = ReadFixture("jpeg-baseline.jpg");
    CxImage full(whole.data(), whole.size(), kImageFormatJpeg);
    CxImage cut(whole.data(), whole.size() - 2, kImageFormatJpeg);
    EXPECT_EQ(ImageToRaw(cut, false), ImageToRaw(full, false));
}

TEST(JpegDecode, FileCutShortBeforeItsPictureFailsWithAText)
{
    const std::vector<BYTE> whole = ReadFixture("jpeg-progressive.jpg");
    const std::size_t scan = ScanStart(whole);
    for (std::size_t length : {std::size_t{1}, std::size_t{2}, std::size_t{3}, std::size_t{20}, std::size_t{100},
                               scan - 1}) {
        SCOPED_TRACE(length);
        CxImage image(4, 4, 8);
        EXPECT_FALSE(image.DecodeMemory(whole.data(), length, kImageFormatJpeg));
        EXPECT_STRNE(image.GetLastError(), "");
        EXPECT_EQ(image.GetWidth(), 4) << "the old picture stays";
    }
}

TEST(JpegDecode, EmptyFileIsLibjpegsEmptyInput)
{
    const BYTE nothing[1] = {};
    CxImage image;
    EXPECT_FALSE(image.DecodeMemory(nothing, 0, kImageFormatJpeg));
    EXPECT_STREQ(image.GetLastError(), "Empty input file");
}

TEST(JpegDecode, NotAJpegFailsWithLibjpegsText)
{
    const std::vector<BYTE> png = ReadFixture("png-rgb8.png");
    CxImage image;
    EXPECT_FALSE(image.DecodeMemory(png.data(), png.size(), kImageFormatJpeg));
    EXPECT_STREQ(image.GetLastError(), "Not a JPEG file: starts with 0x89 0x50");
}

TEST(JpegDecode, CorruptedCopiesNeverCrash)
{
    for (const char* name : {"jpeg-baseline.jpg", "jpeg-progressive.jpg", "jpeg-arithmetic.jpg", "jpeg-cmyk.jpg"}) {
        const std::vector<BYTE> whole = ReadFixture(name);
        ASSERT_FALSE(whole.empty());
        unsigned seed = 12345;
        for (std::size_t position = 2; position < whole.size(); position += 7) {
            std::vector<BYTE> damaged = whole;
            seed = seed * 1103515245u + 12345u;
            damaged[position] = static_cast<BYTE>(seed >> 16);
            CxImage image;
            if (!image.DecodeMemory(damaged.data(), damaged.size(), kImageFormatJpeg))
                EXPECT_STRNE(image.GetLastError(), "") << name << " byte " << position;
            else
                EXPECT_TRUE(image.IsValid());
        }
    }
}

TEST(JpegDecode, OversizedPicturesAreRefusedBeforeDecoding)
{
    std::vector<BYTE> bytes = ReadFixture("jpeg-baseline.jpg");
    std::size_t frame = 0;
    for (std::size_t i = 2; i + 1 < bytes.size() && !frame; ++i) {
        if (bytes[i] == 0xFF && bytes[i + 1] == 0xC0)
            frame = i;
    }
    ASSERT_GT(frame, 0u);
    // Height and width follow the marker, the length and the precision: 60000 × 60000.
    bytes[frame + 5] = 0xEA;
    bytes[frame + 6] = 0x60;
    bytes[frame + 7] = 0xEA;
    bytes[frame + 8] = 0x60;
    CxImage image;
    EXPECT_FALSE(image.DecodeMemory(bytes.data(), bytes.size(), kImageFormatJpeg));
    EXPECT_STREQ(image.GetLastError(), "Image too large");
}

// A copy of the progressive fixture with its first scan repeated: libjpeg only
// warns about the odd progression, so every copy is decoded.
std::vector<BYTE> WithRepeatedFirstScan(int copies)
{
    const std::vector<BYTE> bytes = ReadFixture("jpeg-progressive.jpg");
    std::size_t start = 0;
    for (std::size_t i = 2; i + 3 < bytes.size() && !start; ++i) {
        if (bytes[i] == 0xFF && bytes[i + 1] == 0xDA)
            start = i;
    }
    // The scan runs to the next marker that is neither a stuffed byte nor a restart.
    std::size_t end = start + 2 + (std::size_t{bytes[start + 2]} << 8 | bytes[start + 3]);
    while (end + 1 < bytes.size() &&
           !(bytes[end] == 0xFF && bytes[end + 1] != 0 && (bytes[end + 1] < 0xD0 || bytes[end + 1] > 0xD7)))
        ++end;
    std::vector<BYTE> result(bytes.begin(), bytes.begin() + static_cast<long>(end));
    for (int i = 0; i < copies; ++i)
        result.insert(result.end(), bytes.begin() + static_cast<long>(start), bytes.begin() + static_cast<long>(end));
    result.insert(result.end(), bytes.begin() + static_cast<long>(end), bytes.end());
    return result;
}

TEST(JpegDecode, FilesWithEndlessScansAreRefused)
{
    const std::vector<BYTE> some = WithRepeatedFirstScan(100);
    CxImage image;
    EXPECT_TRUE(image.DecodeMemory(some.data(), some.size(), kImageFormatJpeg)) << image.GetLastError();

    const std::vector<BYTE> endless = WithRepeatedFirstScan(600);
    EXPECT_FALSE(image.DecodeMemory(endless.data(), endless.size(), kImageFormatJpeg));
    EXPECT_STREQ(image.GetLastError(), "JPEG file has too many scans");
}

TEST(JpegDecode, CancelStopsDecoding)
{
    CxImage image(3, 3, 24);
    image.SetCancel(true);
    EXPECT_FALSE(image.LoadFile(ImageFixturePath("jpeg-baseline.jpg").c_str(), kImageFormatJpeg));
    EXPECT_STREQ(image.GetLastError(), "Decoding cancelled");
    EXPECT_EQ(image.GetWidth(), 3);
}

}  // namespace
