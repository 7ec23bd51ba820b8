// The ICO codec: icons written by ImageMagick decode to its pixels, with the
// AND mask as a transparent palette index; icons the program saves itself
// (256 colours included) read back with their transparency; bad directories
// and headers are refused.
#include "ImageFixtures.h"
#include "ImageTestSupport.h"
#include "imaging/IcoImage.h"
#include "imaging/ImageFile.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

namespace {

bool DecodeIco(CxImage& image, const std::vector<BYTE>& bytes)
{
    return image.DecodeMemory(bytes.data(), bytes.size(), kImageFormatIco);
}

// A one-icon file made by hand: the palette, the indices and the AND mask
// bits, both bottom row first.
std::vector<BYTE> IconFile(int width, int height, int bpp, int colors, const std::vector<BYTE>& indices,
                           const std::vector<bool>& masked)
{
    const std::size_t rowBytes = (static_cast<std::size_t>(width) * bpp + 31) / 32 * 4;
    const std::size_t maskRow = (static_cast<std::size_t>(width) + 31) / 32 * 4;
    std::vector<BYTE> pixels(rowBytes * height);
    std::vector<BYTE> mask(maskRow * height);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            const BYTE index = indices[static_cast<std::size_t>(y * width + x)];
            BYTE& byte = pixels[y * rowBytes + static_cast<std::size_t>(x * bpp / 8)];
            const int shift = 8 - bpp - (x * bpp) % 8;
            byte = static_cast<BYTE>(byte | (index << shift));
            if (masked[static_cast<std::size_t>(y * width + x)])
                mask[y * maskRow + x / 8] = static_cast<BYTE>(mask[y * maskRow + x / 8] | (0x80 >> (x % 8)));
        }
    }
    std::vector<BYTE> file = {0, 0, 1, 0, 1, 0};
    const DWORD bytes = static_cast<DWORD>(40 + colors * 4 + pixels.size() + mask.size());
    const auto appendDword = [&file](DWORD value) {
        for (int i = 0; i < 4; ++i)
            file.push_back(static_cast<BYTE>(value >> (8 * i)));
    };
    file.insert(file.end(), {static_cast<BYTE>(width), static_cast<BYTE>(height), static_cast<BYTE>(colors), 0, 1, 0,
                             static_cast<BYTE>(bpp), 0});
    appendDword(bytes);
    appendDword(22);
    PackedDib info(width, height * 2, static_cast<WORD>(bpp), BI_RGB, static_cast<DWORD>(colors));
    for (int i = 0; i < colors; ++i)
        info.AppendColor(static_cast<BYTE>(i * 16), static_cast<BYTE>(i), static_cast<BYTE>(255 - i));
    info.Append(pixels.data(), pixels.size());
    info.Append(mask.data(), mask.size());
    file.insert(file.end(), info.Bytes().begin(), info.Bytes().end());
    return file;
}

// ---- icons made by ImageMagick ------------------------------------------------------

struct IcoFixture {
    const char* file;
    int frame;
    const char* raw;
    int bpp;
    bool keepsTransparency;
};

class IcoFromImageMagick : public ::testing::TestWithParam<IcoFixture> {};

TEST_P(IcoFromImageMagick, DecodesToImageMagicksPixels)
{
    const IcoFixture& fixture = GetParam();
    std::vector<BYTE> expected = ReadFixture(fixture.raw);
    ASSERT_FALSE(expected.empty()) << "missing fixture " << fixture.raw;

    CxImage image(kImageFormatIco);
    image.SetIconFrame(fixture.frame);
    ASSERT_TRUE(image.LoadFile(ImageFixturePath(fixture.file).c_str(), kImageFormatIco)) << image.GetLastError();
    EXPECT_EQ(image.GetWidth(), 23);
    EXPECT_EQ(image.GetHeight(), 11);
    EXPECT_EQ(image.GetBpp(), fixture.bpp);
    EXPECT_EQ(image.GetFormat(), kImageFormatIco);
    if (fixture.keepsTransparency) {
        EXPECT_NE(image.GetBackgroundIndex(), -1);
        EXPECT_TRUE(SamePixels(image, expected, true));
    } else {
        // A true-colour icon keeps no transparency: only its visible pixels
        // are compared.
        EXPECT_EQ(image.GetBackgroundIndex(), -1);
        const std::vector<BYTE> actual = ImageToRaw(image, true);
        ASSERT_EQ(actual.size(), expected.size());
        for (std::size_t i = 0; i < actual.size(); i += 4) {
            if (expected[i + 3] == 0)
                continue;
            ASSERT_EQ(std::memcmp(&actual[i], &expected[i], 3), 0) << "pixel " << i / 4;
        }
    }
}

INSTANTIATE_TEST_SUITE_P(
    Variants, IcoFromImageMagick,
    ::testing::Values(IcoFixture{"ico4.ico", 0, "ico4.rgba", 4, true},
                      IcoFixture{"ico8.ico", 0, "ico8.rgba", 8, true},
                      IcoFixture{"ico32.ico", 0, "ico32.rgba", 24, false},
                      IcoFixture{"ico_two.ico", 0, "ico8.rgba", 8, true},
                      IcoFixture{"ico_two.ico", 1, "ico_two_1.rgba", 4, true}),
    [](const ::testing::TestParamInfo<IcoFixture>& info) {
        std::string name = info.param.file;
        return name.substr(0, name.find('.')) + "_frame" + std::to_string(info.param.frame);
    });

TEST(IcoDecode, APngCompressedIconIsReadByThePngCodec)
{
    // 256 × 256, drawn by make_fixtures.sh: a dark blue ground, a yellow block
    // from (20, 30) to (120, 200), the top-left 10 × 10 pixels transparent.
    CxImage image(ImageFixturePath("ico256_png.ico").c_str(), kImageFormatIco);
    ASSERT_TRUE(image.IsValid()) << image.GetLastError();
    EXPECT_EQ(image.GetFormat(), kImageFormatIco);
    EXPECT_EQ(image.GetIconFrameCount(), 1);
    ASSERT_EQ(image.GetWidth(), 256);
    ASSERT_EQ(image.GetHeight(), 256);
    const int top = 255;
    EXPECT_TRUE(SameColor(image.GetPixelColor(50, top - 100), Quad(250, 200, 0)));
    EXPECT_TRUE(SameColor(image.GetPixelColor(200, top - 10), Quad(30, 60, 90)));
    EXPECT_TRUE(SameColor(image.GetPixelColor(10, top - 250), Quad(30, 60, 90)));
}

TEST(IcoDecode, AFrameBeyondTheFileFailsAndTellsHowManyThereAre)
{
    for (int frame : {2, -1}) {
        CxImage image(kImageFormatIco);
        image.SetIconFrame(frame);
        EXPECT_FALSE(image.LoadFile(ImageFixturePath("ico_two.ico").c_str(), kImageFormatIco));
        EXPECT_EQ(image.GetIconFrameCount(), 2);
        EXPECT_STRNE(image.GetLastError(), "");
    }
}

// ---- the AND mask ----------------------------------------------------------------------

TEST(IcoDecode, MaskedPixelsTakeTheLowestIndexNoVisiblePixelUses)
{
    // 16 colours, indices 0 to 14 visible, two pixels masked.
    std::vector<BYTE> indices(16);
    std::vector<bool> masked(16, false);
    for (int i = 0; i < 16; ++i)
        indices[static_cast<std::size_t>(i)] = static_cast<BYTE>(i < 15 ? i : 3);
    masked[15] = true;
    masked[0] = true;  // index 0 now shows nowhere, so it becomes the transparent one
    CxImage image;
    ASSERT_TRUE(DecodeIco(image, IconFile(4, 4, 4, 16, indices, masked))) << image.GetLastError();
    EXPECT_EQ(image.GetBackgroundIndex(), 0);
    EXPECT_EQ(image.GetPixelIndex(3, 3), 0);
    EXPECT_EQ(image.GetPixelIndex(1, 0), 1);
}

TEST(IcoDecode, ASixteenColourIconUsingAllIndicesLosesItsTransparency)
{
    // Visible pixels show all 16 indices; the one masked pixel has index 3,
    // which shows elsewhere too.
    std::vector<BYTE> indices(20);
    std::vector<bool> masked(20, false);
    for (int i = 0; i < 20; ++i)
        indices[static_cast<std::size_t>(i)] = static_cast<BYTE>(i % 16);
    masked[19] = true;
    CxImage image;
    ASSERT_TRUE(DecodeIco(image, IconFile(5, 4, 4, 16, indices, masked))) << image.GetLastError();
    EXPECT_EQ(image.GetBackgroundIndex(), -1);
    EXPECT_EQ(image.GetPixelIndex(4, 3), 3) << "the masked pixel keeps its own index";
}

TEST(IcoDecode, IndicesZeroToFourteenLeaveFifteenForTheMask)
{
    // Indices 0 to 14 and again 0 to 4; two of the repeats are masked.
    std::vector<BYTE> indices(20);
    std::vector<bool> masked(20, false);
    for (int i = 0; i < 20; ++i)
        indices[static_cast<std::size_t>(i)] = static_cast<BYTE>(i % 15);
    masked[16] = true;
    masked[19] = true;
    CxImage image;
    ASSERT_TRUE(DecodeIco(image, IconFile(5, 4, 4, 16, indices, masked))) << image.GetLastError();
    EXPECT_EQ(image.GetBackgroundIndex(), 15);
    EXPECT_EQ(image.GetPixelIndex(1, 3), 15);
    EXPECT_EQ(image.GetPixelIndex(4, 3), 15);
    EXPECT_EQ(image.GetPixelIndex(3, 0), 3);
}

TEST(IcoDecode, AnIconWithoutMaskedPixelsHasNoBackgroundIndex)
{
    std::vector<BYTE> indices(4, 1);
    CxImage image;
    ASSERT_TRUE(DecodeIco(image, IconFile(2, 2, 1, 2, indices, std::vector<bool>(4, false))));
    EXPECT_EQ(image.GetBpp(), 1);
    EXPECT_EQ(image.GetBackgroundIndex(), -1);
}

// ---- encoding ----------------------------------------------------------------------

// A palette picture whose visible pixels use every index but the last, which
// is the background index and has the same colour as index 0: only the
// background index may become transparent, and a 256-colour icon must find
// its one free index again when read back.
void MakeIconPicture(CxImage& image, int bpp, int width = 17, int height = 16)
{
    image.Create(width, height, bpp, kImageFormatIco);
    const int colors = static_cast<int>(image.GetNumColors());
    for (int i = 0; i < colors; ++i)
        image.SetPaletteColor(static_cast<BYTE>(i), static_cast<BYTE>(i * 7), static_cast<BYTE>(i * 3),
                              static_cast<BYTE>(255 - i));
    image.SetPaletteColor(0, 0, 0, 0);
    image.SetPaletteColor(static_cast<BYTE>(colors - 1), 0, 0, 0);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            image.SetPixelIndex(x, y, static_cast<BYTE>((x + y * width) % (colors - 1)));
    // A transparent corner in the last index.
    image.SetPixelIndex(0, 0, static_cast<BYTE>(colors - 1));
    image.SetPixelIndex(1, 0, static_cast<BYTE>(colors - 1));
    image.SetBackgroundIndex(colors - 1);
}

class IcoRoundTrip : public ::testing::TestWithParam<int> {};

TEST_P(IcoRoundTrip, AnIconSavedByTheProgramReadsBackWithItsTransparency)
{
    const int bpp = GetParam();
    CxImage source;
    MakeIconPicture(source, bpp);
    std::vector<BYTE> bytes;
    ASSERT_TRUE(source.EncodeToMemory(bytes, kImageFormatIco)) << source.GetLastError();

    CxImage decoded;
    ASSERT_TRUE(DecodeIco(decoded, bytes)) << decoded.GetLastError();
    EXPECT_EQ(decoded.GetBpp(), bpp);
    EXPECT_EQ(decoded.GetBackgroundIndex(), source.GetBackgroundIndex());
    // Every pixel keeps its index, the black of index 0 stays visible.
    EXPECT_EQ(ImageToRaw(decoded, true), ImageToRaw(source, true));
    for (int i = 0; i < static_cast<int>(source.GetNumColors()); ++i)
        EXPECT_TRUE(SameColor(decoded.GetPaletteColor(static_cast<BYTE>(i)), source.GetPaletteColor(static_cast<BYTE>(i))));

    // And once more: a second save of the decoded icon changes nothing.
    std::vector<BYTE> again;
    ASSERT_TRUE(decoded.EncodeToMemory(again, kImageFormatIco));
    EXPECT_EQ(again, bytes);
}

INSTANTIATE_TEST_SUITE_P(Depths, IcoRoundTrip, ::testing::Values(1, 4, 8));

TEST(IcoEncode, TheDirectoryAndHeaderDescribeA256ColourIcon)
{
    CxImage source;
    MakeIconPicture(source, 8, 10, 3);
    std::vector<BYTE> bytes;
    ASSERT_TRUE(source.EncodeToMemory(bytes, kImageFormatIco));
    const std::size_t pixelBytes = 12 * 3;
    const std::size_t maskBytes = 4 * 3;
    ASSERT_EQ(bytes.size(), 22 + 40 + 1024 + pixelBytes + maskBytes);
    EXPECT_EQ(bytes[4], 1) << "one icon";
    EXPECT_EQ(bytes[6], 10);
    EXPECT_EQ(bytes[7], 3);
    EXPECT_EQ(bytes[8], 0) << "256 colours are written as 0";
    EXPECT_EQ(bytes[12], 8) << "bit count";
    DWORD inResource = 0;
    DWORD offset = 0;
    std::memcpy(&inResource, &bytes[14], 4);
    std::memcpy(&offset, &bytes[18], 4);
    EXPECT_EQ(inResource, 40 + 1024 + pixelBytes + maskBytes);
    EXPECT_EQ(offset, 22u);
    BITMAPINFOHEADER info{};
    std::memcpy(&info, &bytes[22], sizeof(info));
    EXPECT_EQ(info.biHeight, 6) << "colour rows and mask rows";
    EXPECT_EQ(info.biSizeImage, pixelBytes);
    // The mask: the two bottom-left pixels (bit 7 and 6 of the first byte).
    EXPECT_EQ(bytes[22 + 40 + 1024 + pixelBytes], 0xC0);
}

TEST(IcoEncode, ATrueColourPictureWithAlphaBecomes32Bits)
{
    CxImage source(3, 2, 24, kImageFormatIco);
    for (int y = 0; y < 2; ++y)
        for (int x = 0; x < 3; ++x)
            source.SetPixelColor(x, y, Quad(static_cast<BYTE>(x * 80), static_cast<BYTE>(y * 90), 40));
    ASSERT_TRUE(source.AlphaCreate());
    source.AlphaSet(255);
    source.AlphaSetPixel(2, 1, 0);
    source.AlphaSetPixel(1, 1, 128);
    std::vector<BYTE> bytes;
    ASSERT_TRUE(source.EncodeToMemory(bytes, kImageFormatIco)) << source.GetLastError();
    EXPECT_EQ(bytes[12], 32);
    ASSERT_EQ(bytes.size(), 22 + 40 + 3 * 4 * 2 + 4 * 2);
    // The top row's third pixel: blue, green, red and its alpha.
    const std::size_t topRight = 22 + 40 + 12 + 8;
    EXPECT_EQ(bytes[topRight + 2], 160);
    EXPECT_EQ(bytes[topRight + 3], 0);
    EXPECT_EQ(bytes[22 + 40 + 12 + 4 + 3], 128);
    // Only the fully transparent pixel is masked.
    EXPECT_EQ(bytes[22 + 40 + 24 + 4], 0x20);

    CxImage decoded;
    ASSERT_TRUE(DecodeIco(decoded, bytes)) << decoded.GetLastError();
    EXPECT_EQ(decoded.GetBpp(), 24);
    EXPECT_EQ(ImageToRaw(decoded, false), ImageToRaw(source, false));
}

TEST(IcoEncode, OnlyIconsUpTo255PixelsCanBeSaved)
{
    std::vector<BYTE> bytes;
    CxImage big(300, 300, 8);
    EXPECT_FALSE(big.EncodeToMemory(bytes, kImageFormatIco));
    EXPECT_STREQ(big.GetLastError(), "Can't save this image as icon");
    CxImage wide(256, 16, 4);
    EXPECT_FALSE(wide.EncodeToMemory(bytes, kImageFormatIco));
    CxImage largest(255, 255, 4);
    EXPECT_TRUE(largest.EncodeToMemory(bytes, kImageFormatIco)) << largest.GetLastError();
}

// Icons written by the encoder, for ImageMagick on the host.
TEST(IcoEncode, LeavesFilesForImageMagick)
{
    for (const int bpp : {1, 4, 8}) {
        CxImage image;
        MakeIconPicture(image, bpp);
        std::vector<BYTE> bytes;
        ASSERT_TRUE(image.EncodeToMemory(bytes, kImageFormatIco));
        LeaveForImageMagick("enc_ico" + std::to_string(bpp) + ".ico", bytes, image);
    }
    // ImageMagick's own 256-colour icon, read and written again.
    CxImage fromImageMagick(ImageFixturePath("ico8.ico").c_str(), kImageFormatIco);
    ASSERT_TRUE(fromImageMagick.IsValid()) << fromImageMagick.GetLastError();
    std::vector<BYTE> bytes;
    ASSERT_TRUE(fromImageMagick.EncodeToMemory(bytes, kImageFormatIco));
    LeaveForImageMagick("enc_ico8_again.ico", bytes, fromImageMagick);

    CxImage trueColour(ImageFixturePath("bmp24.bmp").c_str(), kImageFormatBmp);
    ASSERT_TRUE(trueColour.IsValid());
    bytes.clear();
    ASSERT_TRUE(trueColour.EncodeToMemory(bytes, kImageFormatIco));
    LeaveForImageMagick("enc_ico24.ico", bytes, trueColour);
    ASSERT_TRUE(trueColour.AlphaCreate());
    trueColour.AlphaSet(255);
    for (int x = 0; x < 5; ++x)
        trueColour.AlphaSetPixel(x, 0, 0);
    bytes.clear();
    ASSERT_TRUE(trueColour.EncodeToMemory(bytes, kImageFormatIco));
    LeaveForImageMagick("enc_ico32.ico", bytes, trueColour);
}

// ---- refusals ---------------------------------------------------------------------------

struct BadIconCase {
    const char* name;
    std::vector<BYTE> bytes;
    const char* text;
};

std::vector<BYTE> GoodIcon()
{
    return IconFile(2, 2, 4, 16, std::vector<BYTE>(4, 1), std::vector<bool>(4, false));
}

std::vector<BadIconCase> BadIcons()
{
    std::vector<BadIconCase> cases;
    cases.push_back({"Empty", {}, "Not an icon file"});
    std::vector<BYTE> cursor = GoodIcon();
    cursor[2] = 2;
    cases.push_back({"ACursor", cursor, "Not an icon file"});
    std::vector<BYTE> none = GoodIcon();
    none[4] = 0;
    cases.push_back({"NoIcons", none, "Icon not found in file"});
    std::vector<BYTE> many = GoodIcon();
    many[4] = 0xFF;
    many[5] = 0xFF;
    cases.push_back({"DirectoryLongerThanTheFile", many, "Icon directory truncated"});
    std::vector<BYTE> offset = GoodIcon();
    offset[19] = 0x7F;
    cases.push_back({"ImageOffsetPastTheEnd", offset, "Icon data truncated"});
    std::vector<BYTE> headerSize = GoodIcon();
    headerSize[22] = 12;
    cases.push_back({"CoreHeader", headerSize, "Invalid icon header"});
    std::vector<BYTE> depth = GoodIcon();
    depth[22 + 14] = 16;
    cases.push_back({"SixteenBits", depth, "Unsupported icon bit depth"});
    std::vector<BYTE> colors = GoodIcon();
    colors[22 + 33] = 4;  // over a thousand colours
    cases.push_back({"ColourCount", colors, "Invalid icon header"});
    std::vector<BYTE> compressed = GoodIcon();
    compressed[22 + 16] = 2;
    cases.push_back({"Compressed", compressed, "Icon compression not supported"});
    std::vector<BYTE> height = GoodIcon();
    height[22 + 8] = 1;  // half a row
    cases.push_back({"ZeroHeight", height, "Invalid image size"});
    std::vector<BYTE> huge = GoodIcon();
    huge[22 + 6] = 0x10;  // 1M pixels wide
    cases.push_back({"HugeWidth", huge, "Invalid image size"});
    std::vector<BYTE> cut = GoodIcon();
    cut.resize(cut.size() - 1);  // one byte of the mask missing
    cases.push_back({"MaskCutShort", cut, "Icon data truncated"});
    return cases;
}

class IcoRefusals : public ::testing::TestWithParam<BadIconCase> {};

TEST_P(IcoRefusals, RefusesWithItsReason)
{
    const BadIconCase& c = GetParam();
    CxImage image(2, 2, 4);
    image.SetPixelIndex(1, 1, 9);
    EXPECT_FALSE(DecodeIco(image, c.bytes));
    EXPECT_STREQ(image.GetLastError(), c.text);
    EXPECT_EQ(image.GetPixelIndex(1, 1), 9);
}

INSTANTIATE_TEST_SUITE_P(Headers, IcoRefusals, ::testing::ValuesIn(BadIcons()),
                         [](const ::testing::TestParamInfo<BadIconCase>& info) { return std::string(info.param.name); });

TEST(IcoDecode, AGoodHandMadeIconDecodes)
{
    CxImage image;
    ASSERT_TRUE(DecodeIco(image, GoodIcon())) << image.GetLastError();
    EXPECT_EQ(image.GetIconFrameCount(), 1);
}

}  // namespace
