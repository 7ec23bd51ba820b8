// The BMP codec: bitmaps written by ImageMagick decode to ImageMagick's own
// pixels; hand-made files show the run-length rules and the refusals of bad
// headers; pictures written by the encoder read back the same.
#include "ImageFixtures.h"
#include "ImageTestSupport.h"
#include "imaging/BmpImage.h"
#include "imaging/ImageFile.h"

#include <gtest/gtest.h>

#include <climits>
#include <cstring>
#include <string>
#include <vector>

namespace {

// A bitmap file: the 14-byte file header before a packed DIB, with the pixel
// offset given or, by default, right after the DIB's header and palette.
std::vector<BYTE> BitmapFile(const PackedDib& dib, DWORD pixelOffset)
{
    std::vector<BYTE> file{'B', 'M'};
    const DWORD size = static_cast<DWORD>(dib.Size() + 14);
    for (DWORD value : {size, DWORD{0}, pixelOffset}) {
        const auto* bytes = reinterpret_cast<const BYTE*>(&value);
        file.insert(file.end(), bytes, bytes + 4);
    }
    file.insert(file.end(), dib.Data(), dib.Data() + dib.Size());
    return file;
}

bool DecodeBmp(CxImage& image, const std::vector<BYTE>& bytes)
{
    return image.DecodeMemory(bytes.data(), bytes.size(), kImageFormatBmp);
}

// ---- files made by ImageMagick -------------------------------------------------

struct BmpFixture {
    const char* file;
    int bpp;  // of the decoded image
};

class BmpFromImageMagick : public ::testing::TestWithParam<BmpFixture> {};

TEST_P(BmpFromImageMagick, DecodesToImageMagicksPixels)
{
    const BmpFixture& fixture = GetParam();
    const std::string stem = std::string(fixture.file).substr(0, std::string(fixture.file).rfind('.'));
    const std::vector<BYTE> expected = ReadFixture(stem + ".rgb");
    ASSERT_FALSE(expected.empty()) << "missing fixture " << stem << ".rgb";

    CxImage image(ImageFixturePath(fixture.file).c_str(), kImageFormatBmp);
    ASSERT_TRUE(image.IsValid()) << image.GetLastError();
    EXPECT_EQ(image.GetWidth(), 23);
    EXPECT_EQ(image.GetHeight(), 11);
    EXPECT_EQ(image.GetBpp(), fixture.bpp);
    EXPECT_EQ(image.GetFormat(), kImageFormatBmp);
    EXPECT_EQ(ImageToRaw(image, false), expected);
    EXPECT_TRUE(SamePixels(image, expected, false));
}

INSTANTIATE_TEST_SUITE_P(
    Variants, BmpFromImageMagick,
    ::testing::Values(BmpFixture{"bmp1.bmp", 1}, BmpFixture{"bmp4.bmp", 4}, BmpFixture{"bmp8.bmp", 8},
                      BmpFixture{"bmp24.bmp", 24}, BmpFixture{"bmp8_rle.bmp", 8}, BmpFixture{"bmp4_rle.bmp", 4},
                      BmpFixture{"bmp8_topdown.bmp", 8}, BmpFixture{"bmp24_topdown.bmp", 24},
                      BmpFixture{"bmp8_v5.bmp", 8}, BmpFixture{"bmp8_core.bmp", 8},
                      BmpFixture{"bmp24_core.bmp", 24}, BmpFixture{"bmp16_565.bmp", 24},
                      BmpFixture{"bmp16_555.bmp", 24}, BmpFixture{"bmp16_plain.bmp", 24},
                      BmpFixture{"bmp32.bmp", 24}, BmpFixture{"bmp32_masks.bmp", 24}),
    [](const ::testing::TestParamInfo<BmpFixture>& info) {
        std::string name = info.param.file;
        return name.substr(0, name.find('.'));
    });

// ---- layouts ------------------------------------------------------------------------

TEST(BmpDecode, ABareDibWithoutFileHeaderDecodes)
{
    PackedDib dib(2, 2, 24);
    dib.AppendBytes({0, 0, 255, 0, 255, 0, 0, 0});   // bottom row: red, green, padding
    dib.AppendBytes({255, 0, 0, 255, 255, 255, 0, 0}); // top row: blue, white
    CxImage image;
    ASSERT_TRUE(image.DecodeMemory(dib.Data(), dib.Size(), kImageFormatBmp)) << image.GetLastError();
    EXPECT_TRUE(SameColor(image.GetPixelColor(0, 0), Quad(255, 0, 0)));
    EXPECT_TRUE(SameColor(image.GetPixelColor(1, 1), Quad(255, 255, 255)));
    EXPECT_EQ(image.GetXDPI(), 96);
    EXPECT_EQ(image.GetYDPI(), 300);
}

TEST(BmpDecode, TopDownRowsAreTurnedUpright)
{
    PackedDib dib(1, 3, 8, BI_RGB, 4);
    for (BYTE i = 0; i < 4; ++i)
        dib.AppendColor(i * 60, 0, 0);
    dib.AppendBytes({1, 0, 0, 0, 2, 0, 0, 0, 3, 0, 0, 0});  // rows top first
    dib.Header().biHeight = -3;
    CxImage image;
    ASSERT_TRUE(DecodeBmp(image, BitmapFile(dib, 14 + 40 + 16))) << image.GetLastError();
    EXPECT_EQ(image.GetHeight(), 3);
    EXPECT_EQ(image.GetPixelIndex(0, 2), 1) << "the first stored row is the top one";
    EXPECT_EQ(image.GetPixelIndex(0, 0), 3);
}

TEST(BmpDecode, ColourCountBelowTheDepthLeavesTheRestOfThePaletteBlack)
{
    PackedDib dib(2, 1, 8, BI_RGB, 2);
    dib.AppendColor(10, 20, 30);
    dib.AppendColor(40, 50, 60);
    dib.AppendBytes({1, 200, 0, 0});
    CxImage image;
    ASSERT_TRUE(DecodeBmp(image, BitmapFile(dib, 14 + 40 + 8))) << image.GetLastError();
    EXPECT_EQ(image.GetNumColors(), 256u);
    EXPECT_TRUE(SameColor(image.GetPixelColor(0, 0), Quad(40, 50, 60)));
    EXPECT_TRUE(SameColor(image.GetPixelColor(1, 0), Quad(0, 0, 0)));
}

TEST(BmpDecode, ALongerColourTableIsSkippedInABareDib)
{
    // 300 entries for an 8-bit picture: 256 are kept, the pixels follow all 300.
    PackedDib dib(1, 1, 8, BI_RGB, 300);
    for (int i = 0; i < 300; ++i)
        dib.AppendColor(static_cast<BYTE>(i), 0, 0);
    dib.AppendBytes({7, 0, 0, 0});
    CxImage image;
    ASSERT_TRUE(image.DecodeMemory(dib.Data(), dib.Size(), kImageFormatBmp)) << image.GetLastError();
    EXPECT_EQ(image.GetPixelIndex(0, 0), 7);
    EXPECT_EQ(image.GetPaletteColor(255).rgbRed, 255);
}

// One pixel of 16 or 32 bits, with or without bit fields: every channel
// comes out on the full 0..255 scale, wherever its mask puts it.
struct BitFieldPixelCase {
    const char* name;
    WORD bpp;
    bool bitFields;
    DWORD masks[3];  // red, green, blue
    DWORD pixel;
    RGBQUAD expected;
};

class BmpBitFieldPixel : public ::testing::TestWithParam<BitFieldPixelCase> {};

TEST_P(BmpBitFieldPixel, DecodesToFullRangeChannels)
{
    const BitFieldPixelCase& c = GetParam();
    PackedDib dib(1, 1, c.bpp, c.bitFields ? BI_BITFIELDS : BI_RGB);
    if (c.bitFields) {
        for (DWORD mask : c.masks)
            dib.AppendDword(mask);
    }
    if (c.bpp == 16) {
        dib.AppendWord(static_cast<WORD>(c.pixel));
        dib.AppendWord(0);
    } else {
        dib.AppendDword(c.pixel);
    }
    CxImage image;
    ASSERT_TRUE(image.DecodeMemory(dib.Data(), dib.Size(), kImageFormatBmp)) << image.GetLastError();
    EXPECT_EQ(image.GetBpp(), 24);
    const RGBQUAD got = image.GetPixelColor(0, 0);
    EXPECT_EQ(got.rgbRed, c.expected.rgbRed);
    EXPECT_EQ(got.rgbGreen, c.expected.rgbGreen);
    EXPECT_EQ(got.rgbBlue, c.expected.rgbBlue);
}

INSTANTIATE_TEST_SUITE_P(
    Pixels, BmpBitFieldPixel,
    ::testing::Values(
        BitFieldPixelCase{"White555", 16, false, {}, 0x7FFF, Quad(255, 255, 255)},
        BitFieldPixelCase{"Red555", 16, false, {}, 0x7C00, Quad(255, 0, 0)},
        BitFieldPixelCase{"Middle555", 16, false, {}, (16 << 10) | (1 << 5) | 15, Quad(132, 8, 123)},
        BitFieldPixelCase{"White565", 16, true, {0xF800, 0x07E0, 0x001F}, 0xFFFF, Quad(255, 255, 255)},
        BitFieldPixelCase{"Green565", 16, true, {0xF800, 0x07E0, 0x001F}, 0x07E0, Quad(0, 255, 0)},
        BitFieldPixelCase{"Middle565", 16, true, {0xF800, 0x07E0, 0x001F}, (16u << 11) | (32u << 5) | 1,
                          Quad(132, 130, 8)},
        BitFieldPixelCase{"Fields444", 16, true, {0x0F00, 0x00F0, 0x000F}, 0x0F5A, Quad(255, 85, 170)},
        BitFieldPixelCase{"Plain32", 32, false, {}, 0x00112233, Quad(0x11, 0x22, 0x33)},
        BitFieldPixelCase{"RedInLowByte32", 32, true, {0x000000FF, 0x0000FF00, 0x00FF0000}, 0x00332211,
                          Quad(0x11, 0x22, 0x33)},
        BitFieldPixelCase{"TenBitChannels32", 32, true, {0x3FF00000, 0x000FFC00, 0x000003FF},
                          (0x3FFu << 20) | (0x200u << 10) | 0x004, Quad(255, 128, 1)}),
    [](const ::testing::TestParamInfo<BitFieldPixelCase>& info) { return std::string(info.param.name); });

TEST(BmpDecode, TheLastRowMayLackItsPadding)
{
    PackedDib dib(1, 2, 24);
    dib.AppendBytes({1, 2, 3, 0, 4, 5, 6});  // the top row without its padding byte
    CxImage image;
    ASSERT_TRUE(image.DecodeMemory(dib.Data(), dib.Size(), kImageFormatBmp)) << image.GetLastError();
    EXPECT_TRUE(SameColor(image.GetPixelColor(0, 1), Quad(6, 5, 4)));
}

// ---- run-length data -------------------------------------------------------------

struct RunLengthCase {
    const char* name;
    LONG width;
    LONG height;
    WORD bpp;
    std::vector<BYTE> data;
    std::vector<BYTE> indices;  // expected, bottom row first
};

class BmpRunLength : public ::testing::TestWithParam<RunLengthCase> {};

TEST_P(BmpRunLength, DecodesTheRuns)
{
    const RunLengthCase& c = GetParam();
    PackedDib dib(c.width, c.height, c.bpp, c.bpp == 8 ? BI_RLE8 : BI_RLE4, 16);
    for (int i = 0; i < 16; ++i)
        dib.AppendColor(static_cast<BYTE>(i * 16), 0, 0);
    dib.Append(c.data.data(), c.data.size());
    dib.Header().biSizeImage = static_cast<DWORD>(c.data.size());
    CxImage image;
    ASSERT_TRUE(image.DecodeMemory(dib.Data(), dib.Size(), kImageFormatBmp)) << image.GetLastError();
    std::vector<BYTE> indices;
    for (int y = 0; y < c.height; ++y)
        for (int x = 0; x < c.width; ++x)
            indices.push_back(image.GetPixelIndex(x, y));
    EXPECT_EQ(indices, c.indices);
}

INSTANTIATE_TEST_SUITE_P(
    Rules, BmpRunLength,
    ::testing::Values(
        // Rows beyond the last one are ignored; the rows before them stay.
        RunLengthCase{"Rle8RunsPastTheLastRow", 2, 2, 8, {2, 5, 0, 0, 2, 6, 0, 0, 2, 7, 0, 0, 2, 8, 0, 1}, {5, 5, 6, 6}},
        // A run longer than the row stops at its end and does not spill over.
        RunLengthCase{"Rle8RunLongerThanTheRow", 2, 2, 8, {9, 3, 0, 0, 2, 4, 0, 1}, {3, 3, 4, 4}},
        // An absolute run of 3 is padded to 4 bytes; a delta skips pixels, which stay 0.
        RunLengthCase{"Rle8AbsoluteRunAndDelta", 4, 2, 8,
                      {0, 3, 1, 2, 3, 0xEE, 1, 9, 0, 0, 0, 2, 2, 0, 1, 7, 0, 1}, {1, 2, 3, 9, 0, 0, 7, 0}},
        // A delta may move up a row.
        RunLengthCase{"Rle8DeltaToTheNextRow", 3, 2, 8, {1, 4, 0, 2, 1, 1, 1, 6, 0, 1}, {4, 0, 0, 0, 0, 6}},
        // Without an end-of-bitmap code decoding ends with the data.
        RunLengthCase{"Rle8WithoutEndCode", 2, 2, 8, {2, 5}, {5, 5, 0, 0}},
        // RLE4: a run alternates the two nibbles; an absolute run of 3 takes 2 bytes.
        RunLengthCase{"Rle4RunsAndAbsoluteRun", 5, 2, 4, {5, 0x12, 0, 0, 0, 3, 0x34, 0x50, 2, 0xAB, 0, 1},
                      {1, 2, 1, 2, 1, 3, 4, 5, 0xA, 0xB}},
        RunLengthCase{"Rle4OddAbsoluteRunOfFive", 5, 1, 4, {0, 5, 0x12, 0x34, 0x50, 0xEE, 0, 1}, {1, 2, 3, 4, 5}}),
    [](const ::testing::TestParamInfo<RunLengthCase>& info) { return std::string(info.param.name); });

// ---- refusals ---------------------------------------------------------------------------

struct BadBmpCase {
    const char* name;
    std::vector<BYTE> bytes;
    const char* text;
};

std::vector<BYTE> Dib(LONG width, LONG height, WORD bpp, DWORD compression, DWORD colors,
                      std::size_t extraBytes, bool withFileHeader = true)
{
    PackedDib dib(width, height, bpp, compression, colors);
    dib.AppendZeros(extraBytes);
    if (!withFileHeader)
        return dib.Bytes();
    return BitmapFile(dib, 54 + (colors ? colors : (bpp <= 8 ? 1u << bpp : 0)) * 4);
}

std::vector<BadBmpCase> BadBitmaps()
{
    std::vector<BadBmpCase> cases;
    cases.push_back({"ShorterThanAFileHeader", {'B', 'M', 1, 2}, "Not a BMP"});
    cases.push_back({"NoInfoHeader", {'B', 'M', 0, 0, 0, 0, 0, 0, 0, 0, 54, 0, 0, 0, 40, 0}, "Error reading BMP info"});
    std::vector<BYTE> oddHeader = Dib(1, 1, 24, BI_RGB, 0, 4);
    oddHeader[14] = 20;  // neither a core header nor one of 40 bytes or more
    cases.push_back({"UnknownHeaderSize", oddHeader, "Error reading BMP info"});
    cases.push_back({"TwoBitsPerPixel", Dib(1, 1, 2, BI_RGB, 4, 4), "Unsupported BMP bit depth"});
    cases.push_back({"Rle8OnAFourBitPicture", Dib(1, 1, 4, BI_RLE8, 16, 4), "compression type not supported"});
    cases.push_back({"Rle4OnAnEightBitPicture", Dib(1, 1, 8, BI_RLE4, 16, 4), "compression type not supported"});
    cases.push_back({"JpegCompression", Dib(1, 1, 8, 4, 16, 4), "compression type not supported"});
    cases.push_back({"CompressedTrueColour", Dib(1, 1, 24, BI_RLE8, 0, 4), "unknown compression"});
    cases.push_back({"Rle4On32Bits", Dib(1, 1, 32, BI_RLE4, 0, 4), "unknown compression"});
    cases.push_back({"ZeroWidth", Dib(0, 1, 24, BI_RGB, 0, 4), "Invalid image size"});
    cases.push_back({"NegativeWidth", Dib(-5, 1, 24, BI_RGB, 0, 4), "Invalid image size"});
    cases.push_back({"ZeroHeight", Dib(1, 0, 24, BI_RGB, 0, 4), "Invalid image size"});
    cases.push_back({"MostNegativeHeight", Dib(1, INT_MIN, 24, BI_RGB, 0, 4), "Invalid image size"});
    cases.push_back({"HugePicture", Dib(100000, 100000, 24, BI_RGB, 0, 4), "Image too large"});
    cases.push_back({"PixelRowsMissing", Dib(4, 4, 24, BI_RGB, 0, 47), "BMP data truncated"});
    cases.push_back({"PaletteCutShort", Dib(1, 1, 8, BI_RGB, 0, 100), "BMP palette truncated"});
    // A colour count that would put the pixels far beyond the end of the data.
    cases.push_back({"ColourCountBeyondTheData", Dib(1, 1, 8, BI_RGB, 0x40000000, 1100, false), "BMP data truncated"});

    std::vector<BYTE> offsetPastEnd = Dib(1, 1, 24, BI_RGB, 0, 4);
    offsetPastEnd[10] = 0xFF;
    offsetPastEnd[11] = 0xFF;
    cases.push_back({"PixelOffsetPastTheEnd", offsetPastEnd, "BMP data truncated"});
    std::vector<BYTE> offsetInHeader = Dib(1, 1, 24, BI_RGB, 0, 4);
    offsetInHeader[10] = 20;
    cases.push_back({"PixelOffsetInsideTheHeader", offsetInHeader, "Invalid BMP pixel offset"});

    PackedDib rle(4, 4, 8, BI_RLE8, 1);
    rle.AppendColor(0, 0, 0);
    rle.AppendBytes({4, 0, 0, 1});
    rle.Header().biSizeImage = 1000;  // more than the file holds
    cases.push_back({"RunLengthSizeBeyondTheData", BitmapFile(rle, 58), "BMP data truncated"});
    return cases;
}

class BmpRefusals : public ::testing::TestWithParam<BadBmpCase> {};

TEST_P(BmpRefusals, RefusesWithItsReasonAndKeepsThePicture)
{
    const BadBmpCase& c = GetParam();
    CxImage image(3, 3, 8);
    image.SetPixelIndex(1, 1, 42);
    EXPECT_FALSE(DecodeBmp(image, c.bytes));
    EXPECT_STREQ(image.GetLastError(), c.text);
    EXPECT_EQ(image.GetPixelIndex(1, 1), 42);
}

INSTANTIATE_TEST_SUITE_P(Headers, BmpRefusals, ::testing::ValuesIn(BadBitmaps()),
                         [](const ::testing::TestParamInfo<BadBmpCase>& info) { return std::string(info.param.name); });

TEST(BmpDecode, TheCancelFlagStopsDecoding)
{
    const std::vector<BYTE> bytes = ReadFixture("bmp24.bmp");
    ASSERT_FALSE(bytes.empty());
    CxImage image;
    image.SetCancel(true);
    EXPECT_FALSE(DecodeBmp(image, bytes));
    EXPECT_STREQ(image.GetLastError(), "Cancelled");
}

// ---- encoding ----------------------------------------------------------------------

// A picture of every depth with a pattern that uses the whole row.
void MakePattern(CxImage& image, int bpp, int width = 13, int height = 5)
{
    image.Create(width, height, bpp, kImageFormatBmp);
    if (bpp <= 8) {
        const int colors = static_cast<int>(image.GetNumColors());
        for (int i = 0; i < colors; ++i)
            image.SetPaletteColor(static_cast<BYTE>(i), static_cast<BYTE>(i * 37), static_cast<BYTE>(255 - i),
                                  static_cast<BYTE>(i * 11));
        for (int y = 0; y < height; ++y)
            for (int x = 0; x < width; ++x)
                image.SetPixelIndex(x, y, static_cast<BYTE>((x * 3 + y * 5) % colors));
    } else {
        for (int y = 0; y < height; ++y)
            for (int x = 0; x < width; ++x)
                image.SetPixelColor(x, y, Quad(static_cast<BYTE>(x * 19), static_cast<BYTE>(y * 50),
                                                static_cast<BYTE>(x * y * 7)));
    }
}

class BmpEncode : public ::testing::TestWithParam<int> {};

TEST_P(BmpEncode, WritesAnUncompressedFileThatReadsBackTheSame)
{
    const int bpp = GetParam();
    CxImage source;
    MakePattern(source, bpp);
    source.SetXDPI(150);
    std::vector<BYTE> bytes;
    ASSERT_TRUE(source.EncodeToMemory(bytes, kImageFormatBmp)) << source.GetLastError();

    const DWORD palette = source.GetPaletteSize();
    ASSERT_EQ(bytes.size(), 14 + 40 + palette + source.GetEffWidth() * 5);
    EXPECT_EQ(bytes[0], 'B');
    EXPECT_EQ(bytes[1], 'M');
    DWORD fileSize = 0;
    DWORD offset = 0;
    std::memcpy(&fileSize, &bytes[2], 4);
    std::memcpy(&offset, &bytes[10], 4);
    EXPECT_EQ(fileSize, bytes.size());
    EXPECT_EQ(offset, 14 + 40 + palette);
    BITMAPINFOHEADER header{};
    std::memcpy(&header, &bytes[14], sizeof(header));
    EXPECT_EQ(header.biSize, 40u);
    EXPECT_EQ(header.biBitCount, bpp);
    EXPECT_EQ(header.biCompression, static_cast<DWORD>(BI_RGB));

    CxImage decoded;
    ASSERT_TRUE(DecodeBmp(decoded, bytes)) << decoded.GetLastError();
    EXPECT_EQ(decoded.GetBpp(), bpp);
    EXPECT_EQ(decoded.GetXDPI(), 150);
    EXPECT_EQ(ImageToRaw(decoded, false), ImageToRaw(source, false));
}

INSTANTIATE_TEST_SUITE_P(Depths, BmpEncode, ::testing::Values(1, 4, 8, 24));

// A file that takes no bytes.
class FullDiskFile : public CImageMemFile {
public:
    std::size_t Write(const void*, std::size_t, std::size_t) override { return 0; }
};

TEST(BmpEncode, AFailedWriteIsReported)
{
    CxImage image;
    MakePattern(image, 8);
    FullDiskFile file;
    EXPECT_FALSE(image.Encode(file, kImageFormatBmp));
    EXPECT_STREQ(image.GetLastError(), "Can't write BMP");
}

// ImageMagick's files, decoded and written again, for ImageMagick to read
// back on the host (check_encoded_images.sh).
TEST(BmpEncode, LeavesFilesForImageMagick)
{
    for (const char* name : {"bmp1", "bmp4", "bmp8", "bmp24", "bmp8_rle", "bmp16_565"}) {
        CxImage image((ImageFixturePath(name) + ".bmp").c_str(), kImageFormatBmp);
        ASSERT_TRUE(image.IsValid()) << name << ": " << image.GetLastError();
        std::vector<BYTE> bytes;
        ASSERT_TRUE(image.EncodeToMemory(bytes, kImageFormatBmp)) << image.GetLastError();
        LeaveForImageMagick(std::string("enc_") + name + ".bmp", bytes, image);
    }
}

}  // namespace
