// The metafile reader: enhanced and placeable metafiles recorded with GDI are
// played into pictures of the right size and colours; damaged or empty ones
// are refused.
#include "ImageTestSupport.h"
#include "framework/Gdi.h"
#include "imaging/ImageFile.h"
#include "imaging/WmfImage.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

namespace {

int ScreenDpi(int axis)
{
    CClientDC screen(nullptr);
    return ::GetDeviceCaps(screen, axis);
}

bool DecodeMetafile(CxImage& image, const std::vector<BYTE>& bytes)
{
    return image.DecodeMemory(bytes.data(), bytes.size(), kImageFormatWmf);
}

// An enhanced metafile drawn on the screen's reference: a red block on the
// left half of a 200 × 100 area framed by a black rectangle; the right half
// is left unpainted.
std::vector<BYTE> RecordEnhancedMetafile()
{
    HDC recorder = ::CreateEnhMetaFileA(nullptr, nullptr, nullptr, nullptr);
    if (!recorder)
        return {};
    {
        CPen pen;
        pen.CreatePen(PS_SOLID, 1, RGB(0, 0, 0));
        CSelectGuard penSelected(recorder, pen);
        CSelectGuard brushSelected(recorder, ::GetStockObject(NULL_BRUSH));
        ::Rectangle(recorder, 0, 0, 200, 100);
        CBrush red;
        red.CreateSolidBrush(RGB(255, 0, 0));
        const RECT left{1, 1, 100, 99};
        ::FillRect(recorder, &left, red);
    }
    HENHMETAFILE metafile = ::CloseEnhMetaFile(recorder);
    if (!metafile)
        return {};
    std::vector<BYTE> bytes(::GetEnhMetaFileBits(metafile, 0, nullptr));
    ::GetEnhMetaFileBits(metafile, static_cast<UINT>(bytes.size()), bytes.data());
    ::DeleteEnhMetaFile(metafile);
    return bytes;
}

// A placeable metafile of width × height units at `unitsPerInch`: the left
// half green, the rest unpainted.
std::vector<BYTE> RecordPlaceableMetafile(std::int16_t width, std::int16_t height, WORD unitsPerInch)
{
    HDC recorder = ::CreateMetaFileA(nullptr);
    if (!recorder)
        return {};
    ::SetWindowOrgEx(recorder, 0, 0, nullptr);
    ::SetWindowExtEx(recorder, width, height, nullptr);
    {
        CBrush green;
        green.CreateSolidBrush(RGB(0, 255, 0));
        CPen none;
        none.CreatePen(PS_NULL, 0, 0);
        CSelectGuard brushSelected(recorder, green);
        CSelectGuard penSelected(recorder, none);
        ::Rectangle(recorder, 0, 0, width / 2, height + 1);
    }
    HMETAFILE metafile = ::CloseMetaFile(recorder);
    if (!metafile)
        return {};
    std::vector<BYTE> records(::GetMetaFileBitsEx(metafile, 0, nullptr));
    ::GetMetaFileBitsEx(metafile, static_cast<UINT>(records.size()), records.data());
    ::DeleteMetaFile(metafile);

    std::vector<BYTE> file(WmfPlaceableHeader::kBytes);
    const WORD words[10] = {0xCDD7, 0x9AC6, 0, 0, 0, static_cast<WORD>(width), static_cast<WORD>(height), unitsPerInch, 0, 0};
    WORD checksum = 0;
    for (int i = 0; i < 10; ++i) {
        std::memcpy(&file[static_cast<std::size_t>(i) * 2], &words[i], 2);
        checksum ^= words[i];
    }
    std::memcpy(&file[20], &checksum, 2);
    file.insert(file.end(), records.begin(), records.end());
    return file;
}

void SetPlaceableWord(std::vector<BYTE>& file, int word, WORD value)
{
    std::memcpy(&file[static_cast<std::size_t>(word) * 2], &value, 2);
    WORD checksum = 0;
    for (int i = 0; i < 10; ++i) {
        WORD w = 0;
        std::memcpy(&w, &file[static_cast<std::size_t>(i) * 2], 2);
        checksum ^= w;
    }
    std::memcpy(&file[20], &checksum, 2);
}

TEST(WmfDecode, AnEnhancedMetafileIsPlayedAtItsBoundsWithWhiteWhereNothingIsPainted)
{
    const std::vector<BYTE> bytes = RecordEnhancedMetafile();
    ASSERT_FALSE(bytes.empty());
    CxImage image;
    ASSERT_TRUE(DecodeMetafile(image, bytes)) << image.GetLastError();
    EXPECT_EQ(image.GetFormat(), kImageFormatWmf);
    EXPECT_EQ(image.GetBpp(), 24) << "a true-colour screen";
    // The bounds are inclusive pixels: 0..199 and 0..99.
    EXPECT_NEAR(image.GetWidth(), 200, 1);
    EXPECT_NEAR(image.GetHeight(), 100, 1);
    const int top = image.GetHeight() - 1;
    EXPECT_TRUE(SameColor(image.GetPixelColor(50, top - 50), Quad(255, 0, 0))) << "inside the red block";
    EXPECT_TRUE(SameColor(image.GetPixelColor(150, top - 50), Quad(255, 255, 255))) << "unpainted";
    EXPECT_TRUE(SameColor(image.GetPixelColor(150, top), Quad(0, 0, 0))) << "the frame's top edge";
}

TEST(WmfDecode, APlaceableMetafileTakesItsSizeInInchesAtTheScreensResolution)
{
    // 4 × 2 inches at 1440 units per inch.
    const std::vector<BYTE> bytes = RecordPlaceableMetafile(5760, 2880, 1440);
    ASSERT_FALSE(bytes.empty());
    CxImage image;
    ASSERT_TRUE(DecodeMetafile(image, bytes)) << image.GetLastError();
    EXPECT_EQ(image.GetWidth(), 4 * ScreenDpi(LOGPIXELSX));
    EXPECT_EQ(image.GetHeight(), 2 * ScreenDpi(LOGPIXELSY));
    const int middle = image.GetHeight() / 2;
    EXPECT_TRUE(SameColor(image.GetPixelColor(image.GetWidth() / 4, middle), Quad(0, 255, 0)));
    EXPECT_TRUE(SameColor(image.GetPixelColor(image.GetWidth() * 3 / 4, middle), Quad(255, 255, 255)));
}

TEST(WmfDecode, TheLongerSideIsAtMost1000Pixels)
{
    // 20 × 10 inches.
    const std::vector<BYTE> bytes = RecordPlaceableMetafile(20 * 1000, 10 * 1000, 1000);
    CxImage image;
    ASSERT_TRUE(DecodeMetafile(image, bytes)) << image.GetLastError();
    EXPECT_EQ(image.GetWidth(), 1000);
    EXPECT_EQ(image.GetHeight(), 500);
    EXPECT_TRUE(SameColor(image.GetPixelColor(250, 250), Quad(0, 255, 0)));
    EXPECT_TRUE(SameColor(image.GetPixelColor(750, 250), Quad(255, 255, 255)));
}

struct BadMetafileCase {
    const char* name;
    int word;    // placeable header word to change, -1 for none
    WORD value;
    bool fixChecksum;
    const char* text;
};

class WmfRefusals : public ::testing::TestWithParam<BadMetafileCase> {};

TEST_P(WmfRefusals, RefusesWithItsReason)
{
    const BadMetafileCase& c = GetParam();
    std::vector<BYTE> bytes = RecordPlaceableMetafile(1440, 720, 1440);
    ASSERT_FALSE(bytes.empty());
    if (c.fixChecksum)
        SetPlaceableWord(bytes, c.word, c.value);
    else
        std::memcpy(&bytes[static_cast<std::size_t>(c.word) * 2], &c.value, 2);
    CxImage image(2, 2, 24);
    EXPECT_FALSE(DecodeMetafile(image, bytes));
    EXPECT_STREQ(image.GetLastError(), c.text);
    EXPECT_TRUE(image.IsValid()) << "the picture before stays";
}

INSTANTIATE_TEST_SUITE_P(
    Headers, WmfRefusals,
    ::testing::Values(
        // Not placeable, and then not an enhanced metafile either.
        BadMetafileCase{"NoUnitsPerInch", 7, 0, true, "corrupted WMF"},
        BadMetafileCase{"TooManyUnitsPerInch", 7, 3000, true, "corrupted WMF"},
        BadMetafileCase{"WrongChecksum", 10, 0x1234, false, "corrupted WMF"},
        BadMetafileCase{"WrongKey", 0, 0x1111, true, "corrupted WMF"},
        BadMetafileCase{"ZeroWidth", 5, 0, true, "empty WMF"},
        BadMetafileCase{"LeftBeyondRight", 3, 2000, true, "empty WMF"}),
    [](const ::testing::TestParamInfo<BadMetafileCase>& info) { return std::string(info.param.name); });

TEST(WmfDecode, CutOrDamagedMetafilesAreRefused)
{
    std::vector<BYTE> placeable = RecordPlaceableMetafile(1440, 720, 1440);
    std::vector<BYTE> enhanced = RecordEnhancedMetafile();
    ASSERT_FALSE(placeable.empty());
    ASSERT_FALSE(enhanced.empty());
    for (const std::vector<BYTE>* bytes : {&placeable, &enhanced}) {
        for (std::size_t length = 0; length < bytes->size(); length += 3) {
            CxImage image;
            EXPECT_FALSE(image.DecodeMemory(bytes->data(), length, kImageFormatWmf)) << length;
            EXPECT_STREQ(image.GetLastError(), "corrupted WMF") << length;
        }
    }
    // A metafile length in the header beyond the file.
    std::vector<BYTE> longer = placeable;
    longer[22 + 6 + 2] = 0x7F;
    CxImage image;
    EXPECT_FALSE(DecodeMetafile(image, longer));
    EXPECT_STREQ(image.GetLastError(), "corrupted WMF");
    // An enhanced metafile that claims more bytes than it has.
    std::vector<BYTE> claims = enhanced;
    claims[48 + 3] = 0x40;
    EXPECT_FALSE(DecodeMetafile(image, claims));
    EXPECT_STREQ(image.GetLastError(), "corrupted WMF");
}

TEST(WmfDecode, TheCancelFlagStopsPlaying)
{
    const std::vector<BYTE> bytes = RecordEnhancedMetafile();
    CxImage image;
    image.SetCancel(true);
    EXPECT_FALSE(DecodeMetafile(image, bytes));
    EXPECT_STREQ(image.GetLastError(), "Cancelled");
}

TEST(WmfEncode, MetafilesAreNeverWritten)
{
    CxImage image(4, 4, 24);
    std::vector<BYTE> bytes;
    EXPECT_FALSE(image.EncodeToMemory(bytes, kImageFormatWmf));
    EXPECT_STREQ(image.GetLastError(), "Save WMF not supported");
}

// ---- the helpers ---------------------------------------------------------------------

struct LimitCase {
    std::int64_t width, height, limitedWidth, limitedHeight;
};

TEST(WmfLimitSize, KeepsTheProportionsWithinAThousandPixels)
{
    for (const LimitCase& c : {LimitCase{800, 600, 800, 600}, LimitCase{1920, 960, 1000, 500},
                               LimitCase{100, 3000, 33, 1000}, LimitCase{3000, 4000, 750, 1000},
                               LimitCase{1000000, 1, 1000, 1}, LimitCase{2, 100000, 1, 1000}}) {
        std::int64_t width = c.width;
        std::int64_t height = c.height;
        LimitSize(width, height);
        EXPECT_EQ(width, c.limitedWidth) << c.width << " x " << c.height;
        EXPECT_EQ(height, c.limitedHeight) << c.width << " x " << c.height;
    }
}

TEST(WmfCheckHeader, NeedsTheKeyTheChecksumAndSaneUnits)
{
    std::vector<BYTE> file = RecordPlaceableMetafile(100, 100, 72);
    ASSERT_FALSE(file.empty());
    EXPECT_TRUE(WmfCheckHeader(WmfPlaceableHeader::Parse(file.data())));
    for (const WORD units : {WORD{1}, WORD{2540}}) {
        SetPlaceableWord(file, 7, units);
        EXPECT_TRUE(WmfCheckHeader(WmfPlaceableHeader::Parse(file.data()))) << units;
    }
    SetPlaceableWord(file, 7, 2541);
    EXPECT_FALSE(WmfCheckHeader(WmfPlaceableHeader::Parse(file.data())));
    SetPlaceableWord(file, 7, 72);
    file[20] ^= 1;
    EXPECT_FALSE(WmfCheckHeader(WmfPlaceableHeader::Parse(file.data())));
}

}  // namespace
