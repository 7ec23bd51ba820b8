// Decoding and encoding by format code: the codec table, what a decoder's
// success or failure does to the caller's image, memory and file entries, and
// the format of a file name's extension.
#include "ImageTestSupport.h"
#include "imaging/ImageFile.h"
#include "imaging/ImageFormatFromPath.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <stdexcept>
#include <vector>

namespace {

// ---- a trivial codec for the tests: "RAW", width, height, bpp, then the DIB
// block after its header (palette and pixels) ---------------------------------

bool DecodeRaw(CxImage& image, CImageFile& file)
{
    char magic[3] = {};
    if (file.Read(magic, 1, 3) != 3 || std::memcmp(magic, "RAW", 3) != 0) {
        image.SetLastError("Not a raw image");
        return false;
    }
    std::int32_t size[3] = {};
    if (file.Read(size, sizeof(std::int32_t), 3) != 3) {
        image.SetLastError("Raw header cut short");
        return false;
    }
    if (!image.Create(size[0], size[1], size[2], image.GetFormat()))
        return false;  // Create said why
    const std::size_t rest = image.GetSize() - sizeof(BITMAPINFOHEADER);
    if (file.Read(image.GetDIB() + sizeof(BITMAPINFOHEADER), 1, rest) != rest) {
        image.SetLastError("Raw pixels cut short");
        return false;
    }
    image.SetJpegQuality(33);
    image.SetXDPI(200);
    return true;
}

struct EncoderSaw {
    const CxImage* ghostSource = nullptr;
    int format = -2;
    int quality = -1;
    int backgroundIndex = 0;
};
EncoderSaw g_encoderSaw;

bool EncodeRaw(CxImage& image, CImageFile& file)
{
    g_encoderSaw = EncoderSaw{image.GetGhostSource(), image.GetFormat(), image.GetJpegQuality(),
                              image.GetBackgroundIndex()};
    const std::int32_t size[3] = {image.GetWidth(), image.GetHeight(), image.GetBpp()};
    const std::size_t rest = image.GetSize() - sizeof(BITMAPINFOHEADER);
    return file.Write("RAW", 1, 3) == 3 && file.Write(size, sizeof(std::int32_t), 3) == 3 &&
           file.Write(image.GetDIB() + sizeof(BITMAPINFOHEADER), 1, rest) == rest;
}

bool EncodeRefused(CxImage& image, CImageFile& /*file*/)
{
    image.SetLastError("Cannot write this one");
    return false;
}

bool DecodeThrows(CxImage& /*image*/, CImageFile& /*file*/)
{
    throw std::runtime_error("codec bug");
}

bool DecodeClaimsSuccessWithoutPicture(CxImage& /*image*/, CImageFile& /*file*/)
{
    return true;
}

int g_iconFrameSeen = -1;

bool DecodeIconDirectoryOnly(CxImage& image, CImageFile& /*file*/)
{
    g_iconFrameSeen = image.GetIconFrame();
    image.SetIconFrameCount(4);
    return false;
}

const ImageCodec kRawCodec{DecodeRaw, EncodeRaw};

std::vector<BYTE> RawBlock(std::int32_t width, std::int32_t height, std::int32_t bpp, BYTE fill)
{
    std::vector<BYTE> block{'R', 'A', 'W'};
    for (std::int32_t value : {width, height, bpp}) {
        const auto* bytes = reinterpret_cast<const BYTE*>(&value);
        block.insert(block.end(), bytes, bytes + 4);
    }
    CxImage layout(width, height, bpp);
    if (layout.IsValid())
        block.insert(block.end(), layout.GetSize() - sizeof(BITMAPINFOHEADER), fill);
    return block;
}

// ---- format without a codec, formats out of range -------------------------------

class FormatWithoutCodec : public ::testing::TestWithParam<int> {};

TEST_P(FormatWithoutCodec, FailsToDecodeAndCanKeepTheBytes)
{
    const int format = GetParam();
    ScopedImageCodec none(format, ImageCodec{});
    const BYTE bytes[] = {0xFF, 0xD8, 0xFF, 0xE0, 0x00, 0x10};

    CxImage image(bytes, sizeof(bytes), format);
    EXPECT_FALSE(image.IsValid());
    EXPECT_EQ(image.GetFormat(), format);
    EXPECT_STREQ(image.GetLastError(), kNoDecoderText);

    // The image still carries the undecoded block and its format, to be
    // written back unchanged.
    ASSERT_TRUE(image.CopyUserBuffer(bytes, sizeof(bytes)));
    ASSERT_EQ(image.GetUserValue(), sizeof(bytes));
    EXPECT_EQ(std::memcmp(image.GetUserBuffer(), bytes, sizeof(bytes)), 0);

    CxImage picture(2, 2, 24, format);
    CImageMemFile output;
    EXPECT_FALSE(picture.Encode(output, format));
    EXPECT_STRNE(picture.GetLastError(), "");
    EXPECT_EQ(output.Size(), 0);
}

INSTANTIATE_TEST_SUITE_P(AllFormats, FormatWithoutCodec,
                         ::testing::Values(kImageFormatBmp, kImageFormatJpeg, kImageFormatPng, kImageFormatIco,
                                           kImageFormatPcx, kImageFormatWmf));

TEST(FormatDispatch, CodesOutsideTheTableAreUnsupported)
{
    for (int format : {-1, 6, 100}) {
        CxImage image(2, 2, 8);
        CImageMemFile input("RAW", 3);
        EXPECT_FALSE(image.Decode(input, format));
        EXPECT_STREQ(image.GetLastError(), "Unsupported operation for this format");
        EXPECT_TRUE(image.IsValid());
        image.SetLastError(nullptr);
        CImageMemFile output;
        EXPECT_FALSE(image.Encode(output, format));
        EXPECT_STREQ(image.GetLastError(), "Unsupported operation for this format");
        EXPECT_EQ(output.Size(), 0);
    }
    EXPECT_EQ(GetImageCodec(6).decode, nullptr);
    EXPECT_EQ(SetImageCodec(-1, kRawCodec).decode, nullptr);
}

TEST(FormatDispatch, MetafilesCannotBeSaved)
{
    CxImage image(2, 2, 24, kImageFormatWmf);
    BYTE* block = nullptr;
    std::int32_t size = 0;
    EXPECT_FALSE(image.EncodeToMemory(block, size, kImageFormatWmf));
    EXPECT_STREQ(image.GetLastError(), "Save WMF not supported");
    EXPECT_EQ(block, nullptr);
}

TEST(FormatDispatch, AnEmptyImageIsNotEncoded)
{
    ScopedImageCodec raw(kImageFormatBmp, kRawCodec);
    CxImage image;
    CImageMemFile output;
    EXPECT_FALSE(image.Encode(output, kImageFormatBmp));
    EXPECT_STREQ(image.GetLastError(), kEmptyImageText);
    EXPECT_EQ(output.Size(), 0);
}

// ---- decoding --------------------------------------------------------------------------

TEST(FormatDispatch, DecodedPictureAndSettingsComeFromTheDecoder)
{
    ScopedImageCodec raw(kImageFormatPcx, kRawCodec);
    const std::vector<BYTE> block = RawBlock(3, 2, 8, 0x11);

    CxImage image(5, 5, 24, kImageFormatBmp);
    image.SetBackgroundIndex(7);
    image.SetLastError("old");
    ASSERT_TRUE(image.CopyUserBuffer("kept", 4));
    ASSERT_TRUE(image.DecodeMemory(block.data(), block.size(), kImageFormatPcx)) << image.GetLastError();
    EXPECT_EQ(image.GetWidth(), 3);
    EXPECT_EQ(image.GetBpp(), 8);
    EXPECT_EQ(image.GetPixelIndex(2, 1), 0x11);
    EXPECT_EQ(image.GetFormat(), kImageFormatPcx);
    EXPECT_EQ(image.GetJpegQuality(), 33);
    EXPECT_EQ(image.GetXDPI(), 200);
    EXPECT_EQ(image.GetBackgroundIndex(), -1) << "a fresh image's setting";
    EXPECT_STREQ(image.GetLastError(), "");
    EXPECT_EQ(image.GetUserValue(), 4u);
}

TEST(FormatDispatch, FailedDecodeKeepsThePreviousPicture)
{
    ScopedImageCodec raw(kImageFormatBmp, kRawCodec);
    CxImage image(4, 4, 8);
    image.SetPixelIndex(1, 1, 9);
    const BYTE* dib = image.GetDIB();

    const BYTE notRaw[] = {'B', 'M', 0, 0};
    EXPECT_FALSE(image.DecodeMemory(notRaw, sizeof(notRaw), kImageFormatBmp));
    EXPECT_STREQ(image.GetLastError(), "Not a raw image");
    EXPECT_EQ(image.GetDIB(), dib);
    EXPECT_EQ(image.GetPixelIndex(1, 1), 9);
}

struct BadRawCase {
    std::int32_t width;
    std::int32_t height;
    std::int32_t bpp;
    const char* text;
};

class DecoderRefusals : public ::testing::TestWithParam<BadRawCase> {};

TEST_P(DecoderRefusals, SizesAreRefusedWithTheirReason)
{
    const BadRawCase& c = GetParam();
    ScopedImageCodec raw(kImageFormatBmp, kRawCodec);
    const std::vector<BYTE> block = RawBlock(c.width, c.height, c.bpp, 0);
    CxImage image(block.data(), block.size(), kImageFormatBmp);
    EXPECT_FALSE(image.IsValid());
    EXPECT_STREQ(image.GetLastError(), c.text);
}

INSTANTIATE_TEST_SUITE_P(Sizes, DecoderRefusals,
                         ::testing::Values(BadRawCase{0, 5, 8, "Invalid image size"},
                                           BadRawCase{5, -5, 8, "Invalid image size"},
                                           BadRawCase{100000, 100000, 24, "Image too large"},
                                           BadRawCase{0x7FFFFFFF, 2, 1, "Image too large"}));

TEST(FormatDispatch, EveryTruncationFailsCleanly)
{
    ScopedImageCodec raw(kImageFormatBmp, kRawCodec);
    const std::vector<BYTE> block = RawBlock(5, 3, 4, 0xAB);
    for (std::size_t length = 0; length < block.size(); ++length) {
        CxImage image(block.data(), length, kImageFormatBmp);
        EXPECT_FALSE(image.IsValid()) << length;
        EXPECT_STRNE(image.GetLastError(), "") << length;
    }
    CxImage whole(block.data(), block.size(), kImageFormatBmp);
    EXPECT_TRUE(whole.IsValid());
}

TEST(FormatDispatch, DecoderFaultsAreFailures)
{
    {
        ScopedImageCodec throwing(kImageFormatPng, ImageCodec{DecodeThrows, nullptr});
        CxImage image(kImageFormatPng);
        CImageMemFile input("x", 1);
        EXPECT_FALSE(image.Decode(input, kImageFormatPng));
        EXPECT_STREQ(image.GetLastError(), "Decoder failed");
    }
    {
        ScopedImageCodec lying(kImageFormatPng, ImageCodec{DecodeClaimsSuccessWithoutPicture, nullptr});
        CxImage image(kImageFormatPng);
        CImageMemFile input("x", 1);
        EXPECT_FALSE(image.Decode(input, kImageFormatPng));
        EXPECT_FALSE(image.IsValid());
        EXPECT_STRNE(image.GetLastError(), "");
    }
}

TEST(FormatDispatch, IconFrameGoesInAndTheFrameCountComesBack)
{
    ScopedImageCodec icons(kImageFormatIco, ImageCodec{DecodeIconDirectoryOnly, nullptr});
    CxImage image(kImageFormatIco);
    image.SetIconFrame(6);
    CImageMemFile input("\0\0\1\0", 4);
    EXPECT_FALSE(image.Decode(input, kImageFormatIco));
    EXPECT_EQ(g_iconFrameSeen, 6);
    EXPECT_EQ(image.GetIconFrameCount(), 4);
}

// ---- encoding ---------------------------------------------------------------------------

TEST(FormatDispatch, EncoderWorksOnAGhostOfTheImage)
{
    ScopedImageCodec raw(kImageFormatPng, kRawCodec);
    CxImage image(3, 2, 4, kImageFormatJpeg);
    image.SetJpegQuality(90);
    image.SetBackgroundIndex(3);
    image.SetPaletteColor(3, 1, 2, 3);
    image.SetPixelIndex(2, 1, 3);

    BYTE* block = nullptr;
    std::int32_t size = 0;
    ASSERT_TRUE(image.EncodeToMemory(block, size, kImageFormatPng)) << image.GetLastError();
    ASSERT_NE(block, nullptr);
    EXPECT_EQ(g_encoderSaw.ghostSource, &image);
    EXPECT_EQ(g_encoderSaw.quality, 90);
    EXPECT_EQ(g_encoderSaw.backgroundIndex, 3);
    EXPECT_EQ(static_cast<DWORD>(size), 15 + image.GetSize() - 40);
    EXPECT_TRUE(image.IsValid()) << "the ghost freed nothing";

    // The block decodes back into the same picture.
    CxImage decoded(block, static_cast<std::size_t>(size), kImageFormatPng);
    std::free(block);
    ASSERT_TRUE(decoded.IsValid()) << decoded.GetLastError();
    EXPECT_EQ(decoded.GetPixelIndex(2, 1), 3);
    EXPECT_TRUE(SameColor(decoded.GetPaletteColor(3), Quad(1, 2, 3)));

    std::vector<BYTE> bytes{1, 2, 3};
    ASSERT_TRUE(image.EncodeToMemory(bytes, kImageFormatPng));
    EXPECT_EQ(bytes.size(), static_cast<std::size_t>(size));
    EXPECT_EQ(std::memcmp(bytes.data(), "RAW", 3), 0);
}

TEST(FormatDispatch, EncodeToMemoryRefusesAnOccupiedPointer)
{
    ScopedImageCodec raw(kImageFormatBmp, kRawCodec);
    CxImage image(2, 2, 24);
    BYTE existing = 0;
    BYTE* block = &existing;
    std::int32_t size = 77;
    g_encoderSaw = EncoderSaw{};
    EXPECT_FALSE(image.EncodeToMemory(block, size, kImageFormatBmp));
    EXPECT_EQ(block, &existing);
    EXPECT_EQ(size, 77);
    EXPECT_EQ(g_encoderSaw.format, -2) << "the encoder was not called";
}

TEST(FormatDispatch, EncoderFailureTextReachesTheImage)
{
    ScopedImageCodec refusing(kImageFormatIco, ImageCodec{nullptr, EncodeRefused});
    CxImage image(300, 300, 24);
    BYTE* block = nullptr;
    std::int32_t size = 0;
    EXPECT_FALSE(image.EncodeToMemory(block, size, kImageFormatIco));
    EXPECT_EQ(block, nullptr);
    EXPECT_STREQ(image.GetLastError(), "Cannot write this one");
}

// ---- files -------------------------------------------------------------------------------

TEST(FormatDispatch, DecodesAFileByPath)
{
    ScopedImageCodec raw(kImageFormatBmp, kRawCodec);
    ScratchFile scratch("picture.raw");
    const std::vector<BYTE> block = RawBlock(4, 1, 24, 0x40);
    std::FILE* stream = std::fopen(scratch.Path(), "wb");
    ASSERT_NE(stream, nullptr);
    ASSERT_EQ(std::fwrite(block.data(), 1, block.size(), stream), block.size());
    std::fclose(stream);

    CxImage image(scratch.Path(), kImageFormatBmp);
    ASSERT_TRUE(image.IsValid()) << image.GetLastError();
    EXPECT_TRUE(SameColor(image.GetPixelColor(3, 0), Quad(0x40, 0x40, 0x40)));

    // A stream stays open for its owner.
    stream = std::fopen(scratch.Path(), "rb");
    ASSERT_NE(stream, nullptr);
    CxImage fromStream;
    EXPECT_TRUE(fromStream.DecodeStream(stream, kImageFormatBmp));
    EXPECT_EQ(std::fseek(stream, 0, SEEK_SET), 0);
    EXPECT_EQ(std::fclose(stream), 0);
}

TEST(FormatDispatch, AMissingFileFailsWithoutText)
{
    ScopedImageCodec raw(kImageFormatBmp, kRawCodec);
    ScratchFile scratch("missing.raw");
    CxImage image(scratch.Path(), kImageFormatBmp);
    EXPECT_FALSE(image.IsValid());
    EXPECT_STREQ(image.GetLastError(), "");
    image.SetLastError("before");
    EXPECT_FALSE(image.LoadFile(scratch.Path(), kImageFormatBmp));
    EXPECT_FALSE(image.LoadFile(nullptr, kImageFormatBmp));
    EXPECT_STREQ(image.GetLastError(), "before");
}

TEST(FormatDispatch, ANullBlockFailsCleanly)
{
    ScopedImageCodec raw(kImageFormatBmp, kRawCodec);
    CxImage image(nullptr, 100, kImageFormatBmp);
    EXPECT_FALSE(image.IsValid());
    EXPECT_STREQ(image.GetLastError(), "Not a raw image");
}

// ---- extensions ---------------------------------------------------------------------------

struct ExtensionCase {
    const char* path;
    int format;
};

class ExtensionFormat : public ::testing::TestWithParam<ExtensionCase> {};

TEST_P(ExtensionFormat, MapsTheLastExtension)
{
    EXPECT_EQ(GetImageFormatFromPath(GetParam().path), GetParam().format) << GetParam().path;
}

INSTANTIATE_TEST_SUITE_P(
    Paths, ExtensionFormat,
    ::testing::Values(ExtensionCase{"C:\\Pictures\\cover.bmp", 0}, ExtensionCase{"cover.DIB", 0},
                      ExtensionCase{"cover.jpg", 1}, ExtensionCase{"COVER.JPG ", 1}, ExtensionCase{"a.Jpeg", 1},
                      ExtensionCase{"a.b.png", 2}, ExtensionCase{"tray.ico", 3}, ExtensionCase{"old.PcX", 4},
                      ExtensionCase{"logo.wmf", 5}, ExtensionCase{"logo.EMF", 5}, ExtensionCase{"x. png\t", 2},
                      ExtensionCase{"anim.gif", -1}, ExtensionCase{"picture", -1}, ExtensionCase{"picture.", -1},
                      ExtensionCase{"png", 2}, ExtensionCase{"", -1}, ExtensionCase{".", -1},
                      ExtensionCase{"C:\\my.pics\\cover", -1}, ExtensionCase{"cover.png.bak", -1},
                      ExtensionCase{"cover.jpgx", -1}, ExtensionCase{"   ", -1}));

TEST(ExtensionFormatNull, NullPathIsUnknown)
{
    EXPECT_EQ(GetImageFormatFromPath(nullptr), -1);
}

}  // namespace
