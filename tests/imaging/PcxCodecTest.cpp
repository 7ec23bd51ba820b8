// The PCX codec: pictures written by ImageMagick (and a 16-colour bit-plane
// file made from its bitmap) decode to its pixels; the encoder's run-length
// packing, padding and palettes are exact; bad headers and data are refused.
#include "ImageFixtures.h"
#include "ImageTestSupport.h"
#include "imaging/ImageFile.h"
#include "imaging/PcxImage.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

bool DecodePcx(CxImage& image, const std::vector<BYTE>& bytes)
{
    return image.DecodeMemory(bytes.data(), bytes.size(), kImageFormatPcx);
}

// A PCX file: a header of the given layout, then the bytes as they are.
std::vector<BYTE> PcxFile(int width, int height, BYTE bits, BYTE planes, WORD bytesPerLine,
                          const std::vector<BYTE>& data)
{
    PcxHeader header;
    header.bitsPerPixel = bits;
    header.xMin = 10;
    header.yMin = 20;
    header.xMax = static_cast<WORD>(10 + width - 1);
    header.yMax = static_cast<WORD>(20 + height - 1);
    header.hResolution = 150;
    header.vResolution = 75;
    header.planes = planes;
    header.bytesPerLine = bytesPerLine;
    header.colorMap[1] = RgbTriple{10, 20, 30};
    header.colorMap[3] = RgbTriple{200, 100, 50};
    std::vector<BYTE> file(PcxHeader::kBytes);
    header.Store(file.data());
    file.insert(file.end(), data.begin(), data.end());
    return file;
}

// The bytes after the 128-byte header.
std::vector<BYTE> Body(const std::vector<BYTE>& file)
{
    return std::vector<BYTE>(file.begin() + PcxHeader::kBytes, file.end());
}

// ---- files made by ImageMagick ------------------------------------------------------

struct PcxFixture {
    const char* file;
    const char* raw;
    int bpp;
    bool alpha;
};

class PcxFromImageMagick : public ::testing::TestWithParam<PcxFixture> {};

TEST_P(PcxFromImageMagick, DecodesToImageMagicksPixels)
{
    const PcxFixture& fixture = GetParam();
    const std::vector<BYTE> expected = ReadFixture(fixture.raw);
    ASSERT_FALSE(expected.empty()) << "missing fixture " << fixture.raw;

    CxImage image(ImageFixturePath(fixture.file).c_str(), kImageFormatPcx);
    ASSERT_TRUE(image.IsValid()) << image.GetLastError();
    EXPECT_EQ(image.GetWidth(), 23);
    EXPECT_EQ(image.GetHeight(), 11);
    EXPECT_EQ(image.GetBpp(), fixture.bpp);
    EXPECT_EQ(image.HasAlpha(), fixture.alpha);
    // A decoded PCX picture is kept as a bitmap.
    EXPECT_EQ(image.GetFormat(), kImageFormatBmp);
    EXPECT_TRUE(SamePixels(image, expected, fixture.alpha));
}

INSTANTIATE_TEST_SUITE_P(Variants, PcxFromImageMagick,
                         ::testing::Values(PcxFixture{"pcx24.pcx", "pcx24.rgb", 24, false},
                                           PcxFixture{"pcx8.pcx", "pcx8.rgb", 8, false},
                                           PcxFixture{"pcx1.pcx", "pcx1.rgb", 1, false},
                                           PcxFixture{"pcx32.pcx", "pcx32.rgba", 24, true},
                                           PcxFixture{"pcx4_planes.pcx", "pcx4_planes.rgb", 4, false}),
                         [](const ::testing::TestParamInfo<PcxFixture>& info) {
                             std::string name = info.param.file;
                             return name.substr(0, name.find('.'));
                         });

// ---- decoding rules ------------------------------------------------------------------

TEST(PcxDecode, ARunOfZeroWritesNothingAndConsumesItsByte)
{
    // Two pixels 7 and 8 after an empty run; the palette follows.
    std::vector<BYTE> data = {0xC0, 0x55, 7, 8};
    data.push_back(12);
    for (int i = 0; i < 256; ++i)
        data.insert(data.end(), {static_cast<BYTE>(i), 0, 0});
    CxImage image;
    ASSERT_TRUE(DecodePcx(image, PcxFile(2, 1, 8, 1, 2, data))) << image.GetLastError();
    EXPECT_EQ(image.GetPixelIndex(0, 0), 7);
    EXPECT_EQ(image.GetPixelIndex(1, 0), 8);
    EXPECT_EQ(image.GetPaletteColor(8).rgbRed, 8);
    EXPECT_EQ(image.GetXDPI(), 150);
    EXPECT_EQ(image.GetYDPI(), 75);
}

TEST(PcxDecode, APaletteAtTheEndAfterAGapIsFound)
{
    std::vector<BYTE> data = {0xC2, 3};
    data.insert(data.end(), {0, 0, 0});  // stray bytes before the palette
    data.push_back(12);
    for (int i = 0; i < 256; ++i)
        data.insert(data.end(), {0, static_cast<BYTE>(i), 0});
    CxImage image;
    ASSERT_TRUE(DecodePcx(image, PcxFile(2, 1, 8, 1, 2, data))) << image.GetLastError();
    EXPECT_EQ(image.GetPixelColor(1, 0).rgbGreen, 3);
}

TEST(PcxDecode, TwoBitsInOnePlaneUseTheHeaderPalette)
{
    // Four pixels in one byte, rows top first: 0, 1, 2, 3 and 3, 2, 1, 0 (a
    // byte of 192 or more is written as a run of one).
    CxImage image;
    ASSERT_TRUE(DecodePcx(image, PcxFile(4, 2, 2, 1, 2, {0x1B, 0, 0xC1, 0xE4, 0}))) << image.GetLastError();
    EXPECT_EQ(image.GetBpp(), 4);
    EXPECT_EQ(image.GetPixelIndex(1, 1), 1);
    EXPECT_EQ(image.GetPixelIndex(3, 1), 3);
    EXPECT_EQ(image.GetPixelIndex(0, 0), 3);
    EXPECT_TRUE(SameColor(image.GetPixelColor(3, 1), Quad(200, 100, 50)));
}

TEST(PcxDecode, TwoBitPlanesGiveFourColours)
{
    // Plane 0 sets bit 0, plane 1 bit 1 of each index.
    CxImage image;
    ASSERT_TRUE(DecodePcx(image, PcxFile(4, 1, 1, 2, 2, {0x50, 0, 0x30, 0}))) << image.GetLastError();
    EXPECT_EQ(image.GetBpp(), 4);
    EXPECT_EQ(image.GetPixelIndex(0, 0), 0);
    EXPECT_EQ(image.GetPixelIndex(1, 0), 1);
    EXPECT_EQ(image.GetPixelIndex(2, 0), 2);
    EXPECT_EQ(image.GetPixelIndex(3, 0), 3);
}

// ---- refusals ---------------------------------------------------------------------------

struct BadPcxCase {
    const char* name;
    std::vector<BYTE> bytes;
    const char* text;
};

std::vector<BadPcxCase> BadPcxFiles()
{
    const std::vector<BYTE> twoPixels = {5, 6, 12};
    std::vector<BadPcxCase> cases;
    cases.push_back({"ShortHeader", std::vector<BYTE>(100, 10), "Can't read PCX image"});
    std::vector<BYTE> maker = PcxFile(2, 1, 8, 3, 2, twoPixels);
    maker[0] = 11;
    cases.push_back({"NotZSoft", maker, "Error: Not a PCX file"});
    std::vector<BYTE> encoding = PcxFile(2, 1, 8, 3, 2, twoPixels);
    encoding[2] = 0;
    cases.push_back({"Unencoded", encoding, "PCX file has unknown encoding scheme"});
    cases.push_back({"FivePlanes", PcxFile(2, 1, 1, 5, 2, twoPixels), "Can't handle image with more than 4 planes"});
    cases.push_back({"NoPlanes", PcxFile(2, 1, 8, 0, 2, twoPixels), "Invalid PCX header"});
    cases.push_back({"TwoPlanesOfEightBits", PcxFile(2, 1, 8, 2, 2, twoPixels), "Can't handle more than 1 bit per pixel"});
    cases.push_back({"SixteenBits", PcxFile(2, 1, 16, 1, 4, twoPixels), "Unsupported PCX bit depth"});
    std::vector<BYTE> corners = PcxFile(2, 1, 8, 1, 2, twoPixels);
    corners[8] = 0;  // xMax below xMin
    cases.push_back({"RightOfLeftCorner", corners, "Invalid image size"});
    cases.push_back({"LineShorterThanTheRow", PcxFile(20, 1, 8, 1, 8, twoPixels), "Invalid PCX line length"});
    cases.push_back({"HugePicture", PcxFile(60000, 60000, 8, 1, 60000, twoPixels), "Image too large"});
    cases.push_back({"RunPastThePicture", PcxFile(2, 1, 8, 1, 2, {0xC3, 1, 12}), "repeat count spans end of image"});
    cases.push_back({"DataCutShort", PcxFile(4, 2, 8, 3, 4, {0xC4, 1, 0xC4, 2, 0xC4, 3, 1}), "corrupted PCX"});
    cases.push_back({"RunCutShort", PcxFile(2, 1, 8, 1, 2, {1, 0xC1}), "corrupted PCX"});
    cases.push_back({"NoPaletteAfterThePicture", PcxFile(2, 1, 8, 1, 2, {1, 2, 0, 0, 0}), "bad color map signature"});
    // A picture far larger than any run-length data this short could give.
    cases.push_back({"FileTooShortForThePicture", PcxFile(4000, 4000, 8, 1, 4000, {0xFF, 0}), "corrupted PCX"});
    return cases;
}

class PcxRefusals : public ::testing::TestWithParam<BadPcxCase> {};

TEST_P(PcxRefusals, RefusesWithItsReason)
{
    const BadPcxCase& c = GetParam();
    CxImage image(2, 2, 8);
    image.SetPixelIndex(0, 1, 33);
    EXPECT_FALSE(DecodePcx(image, c.bytes));
    EXPECT_STREQ(image.GetLastError(), c.text);
    EXPECT_EQ(image.GetPixelIndex(0, 1), 33);
}

INSTANTIATE_TEST_SUITE_P(Headers, PcxRefusals, ::testing::ValuesIn(BadPcxFiles()),
                         [](const ::testing::TestParamInfo<BadPcxCase>& info) { return std::string(info.param.name); });

// ---- encoding ----------------------------------------------------------------------

TEST(PcxEncode, ARunOf64IsWrittenAsRunsOf63And1)
{
    CxImage image(64, 1, 8);
    for (int x = 0; x < 64; ++x)
        image.SetPixelIndex(x, 0, 0x21);
    std::vector<BYTE> bytes;
    ASSERT_TRUE(image.EncodeToMemory(bytes, kImageFormatPcx)) << image.GetLastError();
    const std::vector<BYTE> body = Body(bytes);
    ASSERT_EQ(body.size(), 3u + 1 + 768);
    EXPECT_EQ(body[0], 0xFF);
    EXPECT_EQ(body[1], 0x21);
    EXPECT_EQ(body[2], 0x21) << "a single value below 192 stands alone";
    EXPECT_EQ(body[3], 12);
}

TEST(PcxEncode, SingleBytesAbove191GetARunPrefix)
{
    CxImage image(2, 1, 8);
    image.SetPixelIndex(0, 0, 0xC5);
    image.SetPixelIndex(1, 0, 7);
    std::vector<BYTE> bytes;
    ASSERT_TRUE(image.EncodeToMemory(bytes, kImageFormatPcx));
    const std::vector<BYTE> body = Body(bytes);
    EXPECT_EQ(std::vector<BYTE>(body.begin(), body.begin() + 3), (std::vector<BYTE>{0xC1, 0xC5, 7}));
}

TEST(PcxEncode, EachPlaneRowOfAnOddWidthEndsWithAZeroByte)
{
    CxImage image(3, 1, 24);
    for (int x = 0; x < 3; ++x)
        image.SetPixelColor(x, 0, Quad(10, 20, 30));
    std::vector<BYTE> bytes;
    ASSERT_TRUE(image.EncodeToMemory(bytes, kImageFormatPcx));
    EXPECT_EQ(bytes[65], 3) << "planes";
    EXPECT_EQ(bytes[66], 4) << "bytes per line, even";
    EXPECT_EQ(Body(bytes), (std::vector<BYTE>{0xC3, 10, 0, 0xC3, 20, 0, 0xC3, 30, 0}));
}

TEST(PcxEncode, AOneBitPictureIsWrittenWithItsDarkColourFirst)
{
    // White is entry 0 here: the indices are inverted for the black-and-white header.
    CxImage image(10, 2, 1);
    image.SetPaletteColor(0, 255, 255, 255);
    image.SetPaletteColor(1, 0, 0, 0);
    image.SetPixelIndex(0, 1, 1);  // black at the top left
    std::vector<BYTE> bytes;
    ASSERT_TRUE(image.EncodeToMemory(bytes, kImageFormatPcx));
    EXPECT_EQ(bytes[3], 1);
    EXPECT_EQ(bytes[65], 1);
    EXPECT_EQ(bytes[66], 2);
    EXPECT_EQ(bytes[16 + 3], 255) << "header palette entry 1 is white";
    // Top row: black (0) then nine white (1) pixels in two bytes 0x7F 0xC0.
    const std::vector<BYTE> body = Body(bytes);
    EXPECT_EQ(body[0], 0x7F);
    EXPECT_EQ(body[1], 0xC1);
    EXPECT_EQ(body[2], 0xC0);

    CxImage decoded;
    ASSERT_TRUE(DecodePcx(decoded, bytes)) << decoded.GetLastError();
    EXPECT_EQ(ImageToRaw(decoded, false), ImageToRaw(image, false));
}

// A picture of each kind the encoder writes, filling whole rows.
void MakePcxPicture(CxImage& image, int bpp, bool alpha)
{
    image.Create(13, 6, bpp, kImageFormatBmp);
    if (bpp <= 8) {
        const int colors = static_cast<int>(image.GetNumColors());
        for (int i = 0; i < colors; ++i)
            image.SetPaletteColor(static_cast<BYTE>(i), static_cast<BYTE>(i * 5), static_cast<BYTE>(i * 13),
                                  static_cast<BYTE>(250 - i));
        if (bpp == 1) {
            image.SetPaletteColor(0, 0, 0, 0);
            image.SetPaletteColor(1, 255, 255, 255);
        }
        for (int y = 0; y < 6; ++y)
            for (int x = 0; x < 13; ++x)
                image.SetPixelIndex(x, y, static_cast<BYTE>((x / 2 + y * 3) % colors));
    } else {
        for (int y = 0; y < 6; ++y)
            for (int x = 0; x < 13; ++x)
                image.SetPixelColor(x, y, Quad(static_cast<BYTE>(x * 20), static_cast<BYTE>(y * 40), x < 6 ? 200 : 201));
        if (alpha) {
            image.AlphaCreate();
            for (int y = 0; y < 6; ++y)
                for (int x = 0; x < 13; ++x)
                    image.AlphaSetPixel(x, y, static_cast<BYTE>(x * 19));
        }
    }
    image.SetXDPI(300);
}

struct PcxEncodeCase {
    int bpp;
    bool alpha;
    BYTE bits;
    BYTE planes;
};

class PcxRoundTrip : public ::testing::TestWithParam<PcxEncodeCase> {};

TEST_P(PcxRoundTrip, WritesTheLayoutAndReadsBackTheSame)
{
    const PcxEncodeCase& c = GetParam();
    CxImage source;
    MakePcxPicture(source, c.bpp, c.alpha);
    std::vector<BYTE> bytes;
    ASSERT_TRUE(source.EncodeToMemory(bytes, kImageFormatPcx)) << source.GetLastError();
    const PcxHeader header = PcxHeader::Parse(bytes.data());
    EXPECT_EQ(header.manufacturer, 10);
    EXPECT_EQ(header.version, 5);
    EXPECT_EQ(header.encoding, 1);
    EXPECT_EQ(header.bitsPerPixel, c.bits);
    EXPECT_EQ(header.planes, c.planes);
    EXPECT_EQ(header.xMax, 12);
    EXPECT_EQ(header.yMax, 5);
    EXPECT_EQ(header.hResolution, 300);
    EXPECT_EQ(header.bytesPerLine % 2, 0);

    CxImage decoded;
    ASSERT_TRUE(DecodePcx(decoded, bytes)) << decoded.GetLastError();
    EXPECT_EQ(decoded.GetBpp(), c.bpp);
    EXPECT_EQ(decoded.HasAlpha(), c.alpha);
    EXPECT_EQ(ImageToRaw(decoded, c.alpha), ImageToRaw(source, c.alpha));
}

INSTANTIATE_TEST_SUITE_P(Kinds, PcxRoundTrip,
                         ::testing::Values(PcxEncodeCase{1, false, 1, 1}, PcxEncodeCase{4, false, 1, 4},
                                           PcxEncodeCase{8, false, 8, 1}, PcxEncodeCase{24, false, 8, 3},
                                           PcxEncodeCase{24, true, 8, 4}));

// Pictures written by the encoder, for ImageMagick on the host.
TEST(PcxEncode, LeavesFilesForImageMagick)
{
    for (const PcxEncodeCase c : {PcxEncodeCase{1, false, 1, 1}, PcxEncodeCase{4, false, 1, 4},
                                  PcxEncodeCase{8, false, 8, 1}, PcxEncodeCase{24, false, 8, 3},
                                  PcxEncodeCase{24, true, 8, 4}}) {
        CxImage image;
        MakePcxPicture(image, c.bpp, c.alpha);
        std::vector<BYTE> bytes;
        ASSERT_TRUE(image.EncodeToMemory(bytes, kImageFormatPcx));
        LeaveForImageMagick("enc_pcx" + std::to_string(c.bpp) + (c.alpha ? "a" : "") + ".pcx", bytes, image);
    }
    CxImage fromImageMagick(ImageFixturePath("pcx8.pcx").c_str(), kImageFormatPcx);
    ASSERT_TRUE(fromImageMagick.IsValid()) << fromImageMagick.GetLastError();
    std::vector<BYTE> bytes;
    ASSERT_TRUE(fromImageMagick.EncodeToMemory(bytes, kImageFormatPcx));
    LeaveForImageMagick("enc_pcx8_again.pcx", bytes, fromImageMagick);
}

}  // namespace
