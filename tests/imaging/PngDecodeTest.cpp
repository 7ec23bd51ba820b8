// PNG decoding: every colour type, depth and interlacing that ImageMagick
// writes, compared with ImageMagick's own decode; transparency as the image
// class holds it; and damaged or oversized files.
#include "PixelRows.h"
#include "ImageTestSupport.h"
#include "PngBuilder.h"
#include "imaging/ImageFile.h"
#include "imaging/PngImage.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

// How a fixture's decode is checked against ImageMagick's.
enum class PngCheck {
    Exact,          // colours equal, no transparency
    Exact16,        // 16-bit colours rounded to 8 bits equal, no transparency
    AlphaMask,      // colours equal, alpha in the alpha mask equal
    AlphaMask16,    // the same from 16-bit colours and alpha, rounded
    BlendGrey8,     // 8-bit grey+alpha blended onto grey 192 (within 1)
    BlendOnto16,    // 16-bit RGBA blended onto the background (within 1)
    ColorKeyOnto,   // RGB with a tRNS colour: transparent pixels become the background
    PaletteAlpha,   // palette entries carry alpha
    PaletteCutout,  // palette entry 0 is the one transparent colour
};

struct PngFixture {
    const char* name;
    int bpp;
    PngCheck check;
    RGBQUAD background = Quad(192, 192, 192);  // what transparency is blended onto
};

void PrintTo(const PngFixture& fixture, std::ostream* out)
{
    *out << fixture.name;
}

const PngFixture kPngFixtures[] = {
    {"png-rgb8", 24, PngCheck::Exact},
    {"png-rgb8-interlaced", 24, PngCheck::Exact},
    {"png-rgb16", 24, PngCheck::Exact16},
    {"png-grey8", 8, PngCheck::Exact},
    {"png-grey8-interlaced", 8, PngCheck::Exact},
    {"png-grey16", 8, PngCheck::Exact16},
    {"png-grey4", 4, PngCheck::Exact},
    {"png-grey2", 4, PngCheck::Exact},
    {"png-grey2-interlaced", 4, PngCheck::Exact},
    {"png-grey1", 1, PngCheck::Exact},
    {"png-palette8", 8, PngCheck::Exact},
    {"png-palette8-interlaced", 8, PngCheck::Exact},
    {"png-palette4", 4, PngCheck::Exact},
    {"png-palette2", 4, PngCheck::Exact},
    {"png-palette1", 1, PngCheck::Exact},
    {"png-rgba8", 24, PngCheck::AlphaMask},
    {"png-rgba8-interlaced", 24, PngCheck::AlphaMask},
    {"png-greyalpha16", 24, PngCheck::AlphaMask16},
    {"png-greyalpha8", 8, PngCheck::BlendGrey8},
    {"png-rgba16", 24, PngCheck::BlendOnto16},
    {"png-rgba16-bkgd", 24, PngCheck::BlendOnto16, Quad(0x33, 0x66, 0x99)},
    {"png-rgb8-cutout", 24, PngCheck::ColorKeyOnto},
    {"png-palette-alpha", 8, PngCheck::PaletteAlpha},
    {"png-palette-cutout", 8, PngCheck::PaletteCutout},
};

std::vector<BYTE> AlphaOf(const std::vector<BYTE>& rgba)
{
    std::vector<BYTE> alpha;
    for (std::size_t i = 3; i < rgba.size(); i += 4)
        alpha.push_back(rgba[i]);
    return alpha;
}

// 16-bit big-endian samples rounded to 8 bits: v × 255 / 65535, to nearest.
std::vector<BYTE> Rounded16(const std::vector<BYTE>& samples16)
{
    std::vector<BYTE> samples;
    for (std::size_t i = 0; i + 2 <= samples16.size(); i += 2)
        samples.push_back(static_cast<BYTE>(((samples16[i] * 256u + samples16[i + 1]) * 255 + 32767) / 65535));
    return samples;
}

// Every fourth sample dropped: red, green, blue of red, green, blue, alpha.
std::vector<BYTE> ColourOf(const std::vector<BYTE>& rgba)
{
    std::vector<BYTE> rgb;
    for (std::size_t i = 0; i + 4 <= rgba.size(); i += 4)
        rgb.insert(rgb.end(), {rgba[i], rgba[i + 1], rgba[i + 2]});
    return rgb;
}

// libpng blends 16-bit samples, then scales them to 8 bits.
std::vector<BYTE> Blend16(const std::vector<BYTE>& rgba16, const RGBQUAD& background)
{
    const unsigned under[3] = {background.rgbRed * 257u, background.rgbGreen * 257u, background.rgbBlue * 257u};
    std::vector<BYTE> rgb;
    for (std::size_t i = 0; i + 8 <= rgba16.size(); i += 8) {
        const unsigned alpha = rgba16[i + 6] * 256u + rgba16[i + 7];
        for (int c = 0; c < 3; ++c) {
            const unsigned value = rgba16[i + 2 * c] * 256u + rgba16[i + 2 * c + 1];
            const unsigned blended = (value * alpha + under[c] * (65535 - alpha) + 32767) / 65535;
            rgb.push_back(static_cast<BYTE>((blended * 255 + 32767) / 65535));
        }
    }
    return rgb;
}

class PngFixtureDecode : public ::testing::TestWithParam<PngFixture> {};

TEST_P(PngFixtureDecode, MatchesImageMagick)
{
    const PngFixture& fixture = GetParam();
    const std::string name = fixture.name;
    const std::vector<BYTE> reference = ReadFixture(name + ".rgb");
    ASSERT_FALSE(reference.empty()) << "missing " << ImageFixturePath(name + ".rgb");

    CxImage image(ImageFixturePath(name + ".png").c_str(), kImageFormatPng);
    ASSERT_TRUE(image.IsValid()) << image.GetLastError();
    EXPECT_STREQ(image.GetLastError(), "");
    EXPECT_EQ(image.GetFormat(), kImageFormatPng);
    EXPECT_EQ(image.GetWidth(), 37);
    EXPECT_EQ(image.GetHeight(), 29);
    EXPECT_EQ(image.GetBpp(), fixture.bpp);
    const std::vector<BYTE> rgb = ImageToRaw(image, false);

    switch (fixture.check) {
    case PngCheck::Exact:
        EXPECT_EQ(FirstDifference(rgb, reference), -1);
        EXPECT_FALSE(image.HasAlpha());
        EXPECT_EQ(image.GetBackgroundIndex(), -1);
        EXPECT_FALSE(image.HasPaletteAlpha());
        break;
    case PngCheck::Exact16:
        EXPECT_EQ(FirstDifference(rgb, Rounded16(ReadFixture(name + ".rgb16"))), -1);
        EXPECT_FALSE(image.HasAlpha());
        break;
    case PngCheck::AlphaMask16: {
        const std::vector<BYTE> rgba = Rounded16(ReadFixture(name + ".rgba16"));
        EXPECT_EQ(FirstDifference(rgb, ColourOf(rgba)), -1);
        ASSERT_TRUE(image.HasAlpha());
        EXPECT_EQ(FirstDifference(TopDownAlpha(image), AlphaOf(rgba)), -1);
        break;
    }
    case PngCheck::AlphaMask: {
        EXPECT_EQ(FirstDifference(rgb, reference), -1);
        ASSERT_TRUE(image.HasAlpha());
        const std::vector<BYTE> rgba = ReadFixture(name + ".rgba");
        EXPECT_EQ(FirstDifference(TopDownAlpha(image), AlphaOf(rgba)), -1);
        break;
    }
    case PngCheck::BlendGrey8: {
        EXPECT_FALSE(image.HasAlpha());
        const std::vector<BYTE> rgba = ReadFixture(name + ".rgba");
        std::vector<BYTE> expected;
        for (std::size_t i = 0; i + 4 <= rgba.size(); i += 4) {
            const unsigned alpha = rgba[i + 3];
            const auto grey = static_cast<BYTE>((rgba[i] * alpha + 192 * (255 - alpha) + 127) / 255);
            expected.insert(expected.end(), {grey, grey, grey});
        }
        EXPECT_LE(LargestDifference(rgb, expected), 1);
        break;
    }
    case PngCheck::BlendOnto16:
        EXPECT_FALSE(image.HasAlpha());
        EXPECT_LE(LargestDifference(rgb, Blend16(ReadFixture(name + ".rgba16"), fixture.background)), 1);
        break;
    case PngCheck::ColorKeyOnto: {
        EXPECT_FALSE(image.HasAlpha());
        const std::vector<BYTE> rgba = ReadFixture(name + ".rgba");
        std::vector<BYTE> expected = reference;
        int transparent = 0;
        for (std::size_t i = 0; i < expected.size() / 3; ++i) {
            if (rgba[i * 4 + 3] == 0) {
                expected[i * 3] = expected[i * 3 + 1] = expected[i * 3 + 2] = 192;
                ++transparent;
            }
        }
        EXPECT_GT(transparent, 0);
        EXPECT_EQ(FirstDifference(rgb, expected), -1);
        break;
    }
    case PngCheck::PaletteAlpha: {
        EXPECT_EQ(FirstDifference(rgb, reference), -1);
        EXPECT_TRUE(image.HasPaletteAlpha());
        EXPECT_EQ(image.GetBackgroundIndex(), -1);
        EXPECT_EQ(FirstDifference(AlphaOf(TopDownRgba(image)), AlphaOf(ReadFixture(name + ".rgba"))), -1);
        break;
    }
    case PngCheck::PaletteCutout: {
        EXPECT_EQ(FirstDifference(rgb, reference), -1);
        EXPECT_EQ(image.GetBackgroundIndex(), 0);
        EXPECT_FALSE(image.HasPaletteAlpha());
        EXPECT_EQ(FirstDifference(AlphaOf(TopDownRgba(image)), AlphaOf(ReadFixture(name + ".rgba"))), -1);
        break;
    }
    }

    // The same bytes from memory give the same picture.
    const std::vector<BYTE> bytes = ReadFixture(name + ".png");
    CxImage fromMemory(bytes.data(), bytes.size(), kImageFormatPng);
    ASSERT_TRUE(fromMemory.IsValid()) << fromMemory.GetLastError();
    EXPECT_EQ(TopDownRgba(fromMemory), TopDownRgba(image));
}

INSTANTIATE_TEST_SUITE_P(ImageMagickFiles, PngFixtureDecode, ::testing::ValuesIn(kPngFixtures),
                         [](const auto& info) {
                             std::string name = info.param.name;
                             for (char& c : name)
                                 c = std::isalnum(static_cast<unsigned char>(c)) ? c : '_';
                             return name;
                         });

TEST(PngDecode, InterlacedFilesGiveThePictureOfPlainOnes)
{
    for (const char* kind : {"rgba8", "rgb8", "grey2", "palette8"}) {
        SCOPED_TRACE(kind);
        CxImage plain(ImageFixturePath(std::string("png-") + kind + ".png").c_str(), kImageFormatPng);
        CxImage interlaced(ImageFixturePath(std::string("png-") + kind + "-interlaced.png").c_str(), kImageFormatPng);
        ASSERT_TRUE(plain.IsValid() && interlaced.IsValid());
        EXPECT_EQ(TopDownRgba(interlaced), TopDownRgba(plain));
        EXPECT_EQ(TopDownAlpha(interlaced), TopDownAlpha(plain));
    }
}

TEST(PngDecode, TwoBitGreyBecomesFourBitWithFourGreys)
{
    CxImage image(ImageFixturePath("png-grey2.png").c_str(), kImageFormatPng);
    ASSERT_EQ(image.GetBpp(), 4);
    const BYTE greys[] = {0, 85, 170, 255};
    for (int i = 0; i < 4; ++i)
        EXPECT_TRUE(SameColor(image.GetPaletteColor(static_cast<BYTE>(i)), Quad(greys[i], greys[i], greys[i])));
}

// ---- transparency in crafted files -----------------------------------------------

std::vector<BYTE> PalettePng(std::initializer_list<BYTE> transparency)
{
    PngBuilder png;
    png.Header(4, 2, 8, 3).Palette({10, 20, 30, 40, 50, 60, 70, 80, 90, 100, 110, 120});
    if (transparency.size())
        png.Transparency(transparency);
    return png.Rows({{0, 1, 2, 3}, {3, 2, 1, 0}}).End().Bytes();
}

TEST(PngDecode, PaletteTransparency)
{
    // One clear entry: a colour key at index 0, no palette alpha.
    {
        const std::vector<BYTE> file = PalettePng({0});
        CxImage image(file.data(), file.size(), kImageFormatPng);
        ASSERT_TRUE(image.IsValid()) << image.GetLastError();
        EXPECT_EQ(image.GetBackgroundIndex(), 0);
        EXPECT_FALSE(image.HasPaletteAlpha());
        EXPECT_TRUE(SameColor(image.GetPaletteColor(0), Quad(10, 20, 30)));
    }
    // Levels of alpha: per entry, the entries past tRNS opaque.
    {
        const std::vector<BYTE> file = PalettePng({0, 128});
        CxImage image(file.data(), file.size(), kImageFormatPng);
        ASSERT_TRUE(image.IsValid()) << image.GetLastError();
        EXPECT_EQ(image.GetBackgroundIndex(), -1);
        EXPECT_TRUE(image.HasPaletteAlpha());
        EXPECT_EQ(image.GetPaletteColor(0).rgbReserved, 0);
        EXPECT_EQ(image.GetPaletteColor(1).rgbReserved, 128);
        EXPECT_EQ(image.GetPaletteColor(2).rgbReserved, 255);
        EXPECT_EQ(image.GetPaletteColor(255).rgbReserved, 255);
        // The colours stay the file's: nothing is blended into the palette.
        EXPECT_TRUE(SameColor(image.GetPaletteColor(1), Quad(40, 50, 60)));
    }
    // A single tRNS value that is not 0 is alpha, not a colour key.
    {
        const std::vector<BYTE> file = PalettePng({77});
        CxImage image(file.data(), file.size(), kImageFormatPng);
        ASSERT_TRUE(image.IsValid()) << image.GetLastError();
        EXPECT_EQ(image.GetBackgroundIndex(), -1);
        EXPECT_TRUE(image.HasPaletteAlpha());
        EXPECT_EQ(image.GetPaletteColor(0).rgbReserved, 77);
    }
    // Without tRNS nothing is transparent.
    {
        const std::vector<BYTE> file = PalettePng({});
        CxImage image(file.data(), file.size(), kImageFormatPng);
        ASSERT_TRUE(image.IsValid()) << image.GetLastError();
        EXPECT_EQ(image.GetBackgroundIndex(), -1);
        EXPECT_FALSE(image.HasPaletteAlpha());
        EXPECT_EQ(image.GetPixelIndex(1, 1), 1);  // top row, second pixel
    }
}

TEST(PngDecode, RgbaBackgroundChunkBecomesTheBackgroundColour)
{
    const std::vector<BYTE> file = PngBuilder()
                                       .Header(2, 1, 8, 6)
                                       .Background({0, 0x33, 0, 0x66, 0, 0x99})
                                       .Rows({{255, 0, 0, 0, 0, 0, 255, 200}})
                                       .End()
                                       .Bytes();
    CxImage image(file.data(), file.size(), kImageFormatPng);
    ASSERT_TRUE(image.IsValid()) << image.GetLastError();
    EXPECT_TRUE(SameColor(image.GetBackgroundColor(), Quad(0x33, 0x66, 0x99)));
    ASSERT_TRUE(image.HasAlpha());
    EXPECT_EQ(image.AlphaGetPixel(0, 0), 0);
    EXPECT_EQ(image.AlphaGetPixel(1, 0), 200);
    EXPECT_TRUE(SameColor(image.GetPixelColor(0, 0), Quad(255, 0, 0)));  // colours are not blended
    EXPECT_TRUE(SameColor(image.GetPixelColor(1, 0), Quad(0, 0, 255)));
}

TEST(PngDecode, SixteenBitGreyAlphaBackgroundIsScaled)
{
    // 16-bit grey+alpha keeps its alpha; its bKGD grey 0x8000 is 128 in 8 bits.
    const std::vector<BYTE> file =
        PngBuilder().Header(1, 1, 16, 4).Background({0x80, 0x00}).Rows({{0x12, 0x34, 0xFF, 0xFF}}).End().Bytes();
    CxImage image(file.data(), file.size(), kImageFormatPng);
    ASSERT_TRUE(image.IsValid()) << image.GetLastError();
    EXPECT_TRUE(SameColor(image.GetBackgroundColor(), Quad(128, 128, 128)));
    ASSERT_TRUE(image.HasAlpha());
    EXPECT_EQ(image.AlphaGetPixel(0, 0), 255);
    EXPECT_TRUE(SameColor(image.GetPixelColor(0, 0), Quad(0x12, 0x12, 0x12)));
}

TEST(PngDecode, BlendsStoredValuesWhateverTheFileGamma)
{
    // White at half alpha onto grey 192: (255 × 128 + 192 × 127) / 255 = 223.6.
    for (bool withGamma : {false, true}) {
        SCOPED_TRACE(withGamma ? "gAMA 1/2.2" : "no gAMA");
        PngBuilder png;
        png.Header(1, 1, 8, 4);
        if (withGamma)
            png.Gamma();
        const std::vector<BYTE> file = png.Rows({{255, 128}}).End().Bytes();
        CxImage image(file.data(), file.size(), kImageFormatPng);
        ASSERT_TRUE(image.IsValid()) << image.GetLastError();
        EXPECT_NEAR(image.GetPixelColor(0, 0).rgbRed, 224, 1);
    }
}

TEST(PngDecode, GreyColourKeyIsBlendedOntoItsBackground)
{
    // 8-bit grey whose value 50 is transparent, with and without bKGD.
    const std::vector<BYTE> plain = PngBuilder().Header(2, 1, 8, 0).Transparency({0, 50}).Rows({{50, 60}}).End().Bytes();
    CxImage onGrey(plain.data(), plain.size(), kImageFormatPng);
    ASSERT_TRUE(onGrey.IsValid()) << onGrey.GetLastError();
    EXPECT_TRUE(SameColor(onGrey.GetPixelColor(0, 0), Quad(192, 192, 192)));
    EXPECT_TRUE(SameColor(onGrey.GetPixelColor(1, 0), Quad(60, 60, 60)));

    const std::vector<BYTE> withBackground =
        PngBuilder().Header(2, 1, 8, 0).Transparency({0, 50}).Background({0, 7}).Rows({{50, 60}}).End().Bytes();
    CxImage onBackground(withBackground.data(), withBackground.size(), kImageFormatPng);
    ASSERT_TRUE(onBackground.IsValid()) << onBackground.GetLastError();
    EXPECT_TRUE(SameColor(onBackground.GetPixelColor(0, 0), Quad(7, 7, 7)));
}

// ---- damaged, oversized and cancelled ----------------------------------------------

TEST(PngDecode, TruncatedCopiesFailWithAText)
{
    for (const char* name : {"png-rgba8-interlaced.png", "png-palette4.png", "png-grey16.png"}) {
        const std::vector<BYTE> whole = ReadFixture(name);
        ASSERT_FALSE(whole.empty());
        for (std::size_t length : {std::size_t{0}, std::size_t{5}, std::size_t{8}, std::size_t{20}, std::size_t{33},
                                   whole.size() / 3, whole.size() / 2, whole.size() - 13, whole.size() - 1}) {
            SCOPED_TRACE(std::string(name) + " cut to " + std::to_string(length));
            CxImage image(4, 4, 8);
            EXPECT_FALSE(image.DecodeMemory(whole.data(), length, kImageFormatPng));
            EXPECT_STRNE(image.GetLastError(), "");
            EXPECT_EQ(image.GetWidth(), 4) << "the old picture stays";
        }
    }
}

TEST(PngDecode, CorruptedCopiesFailWithATextOrDecode)
{
    const std::vector<BYTE> whole = ReadFixture("png-rgb8-interlaced.png");
    ASSERT_FALSE(whole.empty());
    // Every byte of the header and a spread of the rest, each changed alone.
    std::vector<std::size_t> positions;
    for (std::size_t i = 0; i < 40; ++i)
        positions.push_back(i);
    for (std::size_t i = 40; i < whole.size(); i += 37)
        positions.push_back(i);
    int failed = 0;
    for (std::size_t position : positions) {
        for (BYTE change : {BYTE{0x01}, BYTE{0x80}, BYTE{0xFF}}) {
            std::vector<BYTE> damaged = whole;
            damaged[position] ^= change;
            CxImage image;
            const bool decoded = image.DecodeMemory(damaged.data(), damaged.size(), kImageFormatPng);
            if (!decoded) {
                ++failed;
                EXPECT_STRNE(image.GetLastError(), "") << "byte " << position;
            }
        }
    }
    // Chunk checksums catch nearly every change.
    EXPECT_GT(failed, static_cast<int>(positions.size()) * 2);
}

TEST(PngDecode, OversizedPicturesAreRefused)
{
    // 20000 × 20000 RGBA would need 1.2 GB: refused before any row is read.
    const std::vector<BYTE> huge = PngBuilder().Header(20000, 20000, 8, 6).Rows({{0, 0, 0, 0}}).End().Bytes();
    CxImage image;
    EXPECT_FALSE(image.DecodeMemory(huge.data(), huge.size(), kImageFormatPng));
    EXPECT_STREQ(image.GetLastError(), "Image too large");

    // Wider than libpng accepts at all.
    const std::vector<BYTE> wide = PngBuilder().Header(3000000, 1, 1, 0).Rows({{0}}).End().Bytes();
    EXPECT_FALSE(image.DecodeMemory(wide.data(), wide.size(), kImageFormatPng));
    EXPECT_STRNE(image.GetLastError(), "");
}

TEST(PngDecode, NotAPngFailsWithLibpngsText)
{
    const std::vector<BYTE> jpeg = ReadFixture("jpeg-baseline.jpg");
    CxImage image;
    EXPECT_FALSE(image.DecodeMemory(jpeg.data(), jpeg.size(), kImageFormatPng));
    EXPECT_STREQ(image.GetLastError(), "Not a PNG file");
}

TEST(PngDecode, CancelStopsDecoding)
{
    CxImage image(3, 3, 24);
    image.SetCancel(true);
    EXPECT_FALSE(image.LoadFile(ImageFixturePath("png-rgb8.png").c_str(), kImageFormatPng));
    EXPECT_STREQ(image.GetLastError(), "Decoding cancelled");
    EXPECT_EQ(image.GetWidth(), 3);
}

}  // namespace
