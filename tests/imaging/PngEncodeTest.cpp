// PNG encoding: what each kind of picture is written as, round trips through
// the decoder, the image being saved left as it was, and failing output. The
// files are also left for ImageMagick to read on the host
// (tests/imaging/check_written_images.sh).
#include "PixelRows.h"
#include "ImageTestSupport.h"
#include "LimitedOutputFile.h"
#include "imaging/ImageFile.h"
#include "imaging/PngImage.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

struct PngHeader {
    int bitDepth = -1;
    int colorType = -1;
};

PngHeader HeaderOf(const std::vector<BYTE>& png)
{
    if (png.size() < 26)
        return {};
    return {png[24], png[25]};
}

// The bytes of a chunk's data; empty when the file has none of that type.
std::vector<BYTE> ChunkOf(const std::vector<BYTE>& png, const char* type)
{
    std::size_t at = 8;
    while (at + 12 <= png.size()) {
        const std::size_t length = (std::size_t{png[at]} << 24) | (png[at + 1] << 16) | (png[at + 2] << 8) | png[at + 3];
        if (std::equal(type, type + 4, png.begin() + static_cast<long>(at) + 4))
            return std::vector<BYTE>(png.begin() + static_cast<long>(at) + 8,
                                     png.begin() + static_cast<long>(std::min(at + 8 + length, png.size())));
        at += 12 + length;
    }
    return {};
}

std::vector<BYTE> DibBytes(const CxImage& image)
{
    return std::vector<BYTE>(image.GetDIB(), image.GetDIB() + image.GetSize());
}

struct PngRoundTrip {
    const char* fixture;
    int bitDepth;   // of the file written
    int colorType;  // 2 RGB, 3 palette, 6 RGBA
};

void PrintTo(const PngRoundTrip& trip, std::ostream* out)
{
    *out << trip.fixture;
}

const PngRoundTrip kRoundTrips[] = {
    {"png-rgb8", 8, 2},           {"png-rgba8", 8, 6},         {"png-greyalpha16", 8, 6},
    {"png-palette8", 8, 3},       {"png-palette4", 4, 3},      {"png-palette2", 4, 3},
    {"png-palette1", 1, 3},       {"png-grey8", 8, 3},         {"png-grey1", 1, 3},
    {"png-palette-alpha", 8, 3},  {"png-palette-cutout", 8, 3},
};

class PngRoundTripTest : public ::testing::TestWithParam<PngRoundTrip> {};

TEST_P(PngRoundTripTest, DecodesToTheSamePicture)
{
    const PngRoundTrip& trip = GetParam();
    CxImage source(ImageFixturePath(std::string(trip.fixture) + ".png").c_str(), kImageFormatPng);
    ASSERT_TRUE(source.IsValid()) << source.GetLastError();
    const std::vector<BYTE> before = DibBytes(source);

    std::vector<BYTE> file;
    ASSERT_TRUE(source.EncodeToMemory(file, kImageFormatPng)) << source.GetLastError();
    EXPECT_EQ(HeaderOf(file).bitDepth, trip.bitDepth);
    EXPECT_EQ(HeaderOf(file).colorType, trip.colorType);
    EXPECT_EQ(DibBytes(source), before);

    CxImage decoded(file.data(), file.size(), kImageFormatPng);
    ASSERT_TRUE(decoded.IsValid()) << decoded.GetLastError();
    EXPECT_EQ(decoded.GetBpp(), source.GetBpp());
    EXPECT_EQ(FirstDifference(TopDownRgba(decoded), TopDownRgba(source)), -1);
    EXPECT_EQ(decoded.GetBackgroundIndex(), source.GetBackgroundIndex());
    EXPECT_EQ(decoded.HasPaletteAlpha(), source.HasPaletteAlpha());

    LeaveRgbaForImageMagick(std::string("encoded-") + trip.fixture + ".png", file, source);
}

INSTANTIATE_TEST_SUITE_P(Fixtures, PngRoundTripTest, ::testing::ValuesIn(kRoundTrips), [](const auto& info) {
    std::string name = info.param.fixture;
    for (char& c : name)
        c = std::isalnum(static_cast<unsigned char>(c)) ? c : '_';
    return name;
});

// ---- a transparent palette entry ----------------------------------------------------

struct TransparentEntry {
    const char* fixture;
    int index;
};

class PngTransparentEntry : public ::testing::TestWithParam<TransparentEntry> {};

TEST_P(PngTransparentEntry, GoesFirstInTheFileButTheImageKeepsItsPalette)
{
    CxImage source(ImageFixturePath(std::string(GetParam().fixture) + ".png").c_str(), kImageFormatPng);
    ASSERT_TRUE(source.IsValid()) << source.GetLastError();
    const int index = GetParam().index;
    source.SetBackgroundIndex(index);
    const std::vector<BYTE> before = DibBytes(source);
    const RGBQUAD transparent = source.GetPaletteColor(static_cast<BYTE>(index));
    const RGBQUAD first = source.GetPaletteColor(0);

    std::vector<BYTE> file;
    ASSERT_TRUE(source.EncodeToMemory(file, kImageFormatPng)) << source.GetLastError();

    // The image being saved is untouched: palette, pixels and transparent index.
    EXPECT_EQ(DibBytes(source), before);
    EXPECT_EQ(source.GetBackgroundIndex(), index);

    // The file has the transparent colour as entry 0 with one tRNS value 0.
    EXPECT_EQ(ChunkOf(file, "tRNS"), std::vector<BYTE>{0});
    const std::vector<BYTE> palette = ChunkOf(file, "PLTE");
    ASSERT_GE(palette.size(), 3u * (index + 1));
    EXPECT_EQ(palette[0], transparent.rgbRed);
    EXPECT_EQ(palette[1], transparent.rgbGreen);
    EXPECT_EQ(palette[2], transparent.rgbBlue);
    EXPECT_EQ(palette[3 * index], first.rgbRed);

    CxImage decoded(file.data(), file.size(), kImageFormatPng);
    ASSERT_TRUE(decoded.IsValid()) << decoded.GetLastError();
    EXPECT_EQ(decoded.GetBackgroundIndex(), 0);
    EXPECT_EQ(FirstDifference(TopDownRgba(decoded), TopDownRgba(source)), -1);

    LeaveRgbaForImageMagick(std::string("encoded-") + GetParam().fixture + "-keyed" + std::to_string(index) + ".png",
                            file, source);
}

INSTANTIATE_TEST_SUITE_P(Depths, PngTransparentEntry,
                         ::testing::Values(TransparentEntry{"png-palette8", 5}, TransparentEntry{"png-palette4", 3},
                                           TransparentEntry{"png-palette2", 2}, TransparentEntry{"png-palette1", 1},
                                           TransparentEntry{"png-palette8", 0}));

TEST(PngEncode, TransparentIndexOutsideThePaletteIsIgnored)
{
    CxImage source(ImageFixturePath("png-palette1.png").c_str(), kImageFormatPng);
    ASSERT_TRUE(source.IsValid());
    source.SetBackgroundIndex(7);  // a 1-bit image has two entries
    std::vector<BYTE> file;
    ASSERT_TRUE(source.EncodeToMemory(file, kImageFormatPng)) << source.GetLastError();
    EXPECT_TRUE(ChunkOf(file, "tRNS").empty());
    CxImage decoded(file.data(), file.size(), kImageFormatPng);
    EXPECT_EQ(ImageToRaw(decoded, false), ImageToRaw(source, false));
}

// ---- 24-bit transparency --------------------------------------------------------------

// 3 × 2: white, red, white / blue, white, green (top row first).
void MakeColourKeyed(CxImage& image)
{
    image.Create(3, 2, 24, kImageFormatBmp);
    const RGBQUAD white = Quad(255, 255, 255);
    image.SetPixelColor(0, 1, white);
    image.SetPixelColor(1, 1, Quad(255, 0, 0));
    image.SetPixelColor(2, 1, white);
    image.SetPixelColor(0, 0, Quad(0, 0, 255));
    image.SetPixelColor(1, 0, white);
    image.SetPixelColor(2, 0, Quad(0, 255, 0));
    image.SetBackgroundColor(white);
    image.SetBackgroundIndex(0);
}

TEST(PngEncode, ColourKeyOf24BitImagesBecomesAlpha)
{
    CxImage source;
    MakeColourKeyed(source);
    std::vector<BYTE> file;
    ASSERT_TRUE(source.EncodeToMemory(file, kImageFormatPng)) << source.GetLastError();
    EXPECT_EQ(HeaderOf(file).colorType, 6);
    EXPECT_FALSE(source.HasAlpha()) << "no mask is left behind";

    CxImage decoded(file.data(), file.size(), kImageFormatPng);
    ASSERT_TRUE(decoded.HasAlpha());
    EXPECT_EQ(TopDownAlpha(decoded), (std::vector<BYTE>{0, 255, 0, 255, 0, 255}));
    EXPECT_TRUE(SameColor(decoded.GetPixelColor(1, 1), Quad(255, 0, 0)));
    LeaveRgbaForImageMagick("png-colour-key.png", file, source);
}

TEST(PngEncode, ColourKeyDoesNotWriteIntoAnExistingMask)
{
    CxImage source;
    MakeColourKeyed(source);
    ASSERT_TRUE(source.AlphaCreate());
    source.AlphaSet(100);
    std::vector<BYTE> file;
    ASSERT_TRUE(source.EncodeToMemory(file, kImageFormatPng)) << source.GetLastError();
    EXPECT_EQ(TopDownAlpha(source), std::vector<BYTE>(6, 100));

    CxImage decoded(file.data(), file.size(), kImageFormatPng);
    EXPECT_EQ(TopDownAlpha(decoded), (std::vector<BYTE>{0, 100, 0, 100, 0, 100}));
}

TEST(PngEncode, AlphaMaximumScalesTheMask)
{
    CxImage source(2, 1, 24);
    ASSERT_TRUE(source.AlphaCreate());
    source.AlphaSetPixel(0, 0, 200);
    source.AlphaSetPixel(1, 0, 255);
    source.SetAlphaMax(128);
    std::vector<BYTE> file;
    ASSERT_TRUE(source.EncodeToMemory(file, kImageFormatPng)) << source.GetLastError();
    CxImage decoded(file.data(), file.size(), kImageFormatPng);
    EXPECT_EQ(TopDownAlpha(decoded), (std::vector<BYTE>{200 * 128 / 255, 128}));
}

// ---- failing output ---------------------------------------------------------------------

TEST(PngEncode, FailingOutputGivesFalseAndAText)
{
    CxImage source(ImageFixturePath("png-rgba8.png").c_str(), kImageFormatPng);
    ASSERT_TRUE(source.IsValid());
    for (std::size_t limit : {std::size_t{0}, std::size_t{8}, std::size_t{40}, std::size_t{300}}) {
        SCOPED_TRACE(limit);
        CLimitedFile output(limit, true);
        EXPECT_FALSE(source.Encode(output, kImageFormatPng));
        EXPECT_STREQ(source.GetLastError(), kPngSaveFailedText);
    }
    CLimitedFile unflushable(1 << 20, false);
    source.SetLastError(nullptr);
    EXPECT_FALSE(source.Encode(unflushable, kImageFormatPng));
    EXPECT_STREQ(source.GetLastError(), kPngSaveFailedText);
}

}  // namespace
