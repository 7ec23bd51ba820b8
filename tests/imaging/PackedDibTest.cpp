// Packed DIBs (the clipboard's form) and 16/32-bit pixel conversion: every
// depth, both row orders, bit fields, and damaged headers and blocks.
#include "ImageTestSupport.h"

#include <gtest/gtest.h>

#include <cstring>
#include <vector>

namespace {

TEST(PackedDib, PaletteImageWithAShortColourTable)
{
    PackedDib dib(3, 2, 8, BI_RGB, 2);
    dib.AppendColor(255, 0, 0);
    dib.AppendColor(0, 0, 255);
    dib.AppendBytes({0, 1, 1, 0});  // bottom row, padded to 4 bytes
    dib.AppendBytes({1, 0, 0, 0});  // top row
    CxImage image;
    ASSERT_TRUE(image.LoadFromPackedDib(dib.Data(), dib.Size())) << image.GetLastError();
    EXPECT_EQ(image.GetBpp(), 8);
    EXPECT_EQ(image.GetFormat(), kImageFormatBmp);
    EXPECT_TRUE(SameColor(image.GetPaletteColor(0), Quad(255, 0, 0)));
    EXPECT_TRUE(SameColor(image.GetPaletteColor(1), Quad(0, 0, 255)));
    EXPECT_TRUE(SameColor(image.GetPaletteColor(2), Quad(0, 0, 0))) << "entries the table lacks stay 0";
    EXPECT_EQ(image.GetPixelIndex(1, 0), 1);
    EXPECT_EQ(image.GetPixelIndex(0, 1), 1);
    EXPECT_EQ(image.GetPixelIndex(1, 1), 0);
    EXPECT_EQ(image.GetXDPI(), 96);
    EXPECT_EQ(image.GetYDPI(), 300);
}

TEST(PackedDib, ColourCountIsClampedToTheDepth)
{
    // A 1-bit DIB claiming 1000 colours holds a table of 2.
    PackedDib dib(8, 1, 1, BI_RGB, 1000);
    dib.AppendColor(0, 0, 0);
    dib.AppendColor(255, 255, 255);
    dib.AppendBytes({0x81, 0, 0, 0});
    CxImage image;
    ASSERT_TRUE(image.LoadFromPackedDib(dib.Data(), dib.Size())) << image.GetLastError();
    EXPECT_EQ(image.GetNumColors(), 2u);
    EXPECT_EQ(image.GetPixelIndex(0, 0), 1);
    EXPECT_EQ(image.GetPixelIndex(1, 0), 0);
    EXPECT_EQ(image.GetPixelIndex(7, 0), 1);
}

TEST(PackedDib, FourBitPixels)
{
    PackedDib dib(3, 1, 4);
    for (int i = 0; i < 16; ++i)
        dib.AppendColor(static_cast<BYTE>(i * 16), 0, 0);
    dib.AppendBytes({0x2F, 0x70, 0, 0});
    CxImage image;
    ASSERT_TRUE(image.LoadFromPackedDib(dib.Data(), dib.Size()));
    EXPECT_EQ(image.GetPixelIndex(0, 0), 2);
    EXPECT_EQ(image.GetPixelIndex(1, 0), 15);
    EXPECT_EQ(image.GetPixelIndex(2, 0), 7);
    EXPECT_TRUE(SameColor(image.GetPixelColor(1, 0), Quad(240, 0, 0)));
}

TEST(PackedDib, TopDownRowsAreTurnedUpright)
{
    PackedDib dib(1, -2, 24);
    dib.AppendBytes({0, 0, 255, 0});  // top: red
    dib.AppendBytes({255, 0, 0, 0});  // bottom: blue
    CxImage image;
    ASSERT_TRUE(image.LoadFromPackedDib(dib.Data(), dib.Size()));
    EXPECT_EQ(image.GetHeight(), 2);
    EXPECT_TRUE(SameColor(image.GetPixelColor(0, 1), Quad(255, 0, 0))) << "row 1 is the top";
    EXPECT_TRUE(SameColor(image.GetPixelColor(0, 0), Quad(0, 0, 255)));
}

TEST(PackedDib, SixteenBitsWithoutBitFieldsAre555)
{
    PackedDib dib(3, 1, 16);
    dib.AppendWord(0x7C00);
    dib.AppendWord(0x03E0);
    dib.AppendWord(0x001F);
    dib.AppendWord(0);  // row padding: ((3 + 1) / 2) × 4 = 8 bytes
    CxImage image;
    ASSERT_TRUE(image.LoadFromPackedDib(dib.Data(), dib.Size())) << image.GetLastError();
    EXPECT_EQ(image.GetBpp(), 24);
    EXPECT_TRUE(SameColor(image.GetPixelColor(0, 0), Quad(0xFF, 0, 0)));
    EXPECT_TRUE(SameColor(image.GetPixelColor(1, 0), Quad(0, 0xFF, 0)));
    EXPECT_TRUE(SameColor(image.GetPixelColor(2, 0), Quad(0, 0, 0xFF)));
}

TEST(PackedDib, SixteenBitsWithBitFields565)
{
    PackedDib dib(2, 1, 16, BI_BITFIELDS);
    dib.AppendDword(0xF800);
    dib.AppendDword(0x07E0);
    dib.AppendDword(0x001F);
    dib.AppendWord(0x07E0);
    dib.AppendWord(0xFFFF);
    CxImage image;
    ASSERT_TRUE(image.LoadFromPackedDib(dib.Data(), dib.Size())) << image.GetLastError();
    EXPECT_TRUE(SameColor(image.GetPixelColor(0, 0), Quad(0, 0xFF, 0)));
    EXPECT_TRUE(SameColor(image.GetPixelColor(1, 0), Quad(0xFF, 0xFF, 0xFF)));
}

TEST(PackedDib, ThirtyTwoBitsStartRightAfterTheHeader)
{
    PackedDib dib(2, 1, 32);
    dib.AppendBytes({10, 20, 30, 99, 40, 50, 60, 99});
    CxImage image;
    ASSERT_TRUE(image.LoadFromPackedDib(dib.Data(), dib.Size()));
    EXPECT_EQ(image.GetBpp(), 24);
    EXPECT_TRUE(SameColor(image.GetPixelColor(0, 0), Quad(30, 20, 10)));
    EXPECT_TRUE(SameColor(image.GetPixelColor(1, 0), Quad(60, 50, 40)));
}

TEST(PackedDib, ThirtyTwoBitsWithBitFieldsSkipTheMasks)
{
    PackedDib dib(1, 1, 32, BI_BITFIELDS);
    dib.AppendDword(0xFF0000);
    dib.AppendDword(0x00FF00);
    dib.AppendDword(0x0000FF);
    dib.AppendBytes({1, 2, 3, 0});
    CxImage image;
    ASSERT_TRUE(image.LoadFromPackedDib(dib.Data(), dib.Size()));
    EXPECT_TRUE(SameColor(image.GetPixelColor(0, 0), Quad(3, 2, 1)));
}

TEST(PackedDib, ThirtyTwoBitsHonourMasksThatPutRedLow)
{
    PackedDib dib(1, 1, 32, BI_BITFIELDS);
    dib.AppendDword(0x0000FF);
    dib.AppendDword(0x00FF00);
    dib.AppendDword(0xFF0000);
    dib.AppendBytes({1, 2, 3, 0});
    CxImage image;
    ASSERT_TRUE(image.LoadFromPackedDib(dib.Data(), dib.Size()));
    EXPECT_TRUE(SameColor(image.GetPixelColor(0, 0), Quad(1, 2, 3)));
}

TEST(PackedDib, LargerHeadersCarryTheirMasksInside)
{
    // A 124-byte header: the masks are its fields at byte 40, the pixels follow it.
    PackedDib dib(1, 1, 16, BI_BITFIELDS);
    dib.Header().biSize = 124;
    dib.AppendDword(0xF800);
    dib.AppendDword(0x07E0);
    dib.AppendDword(0x001F);
    dib.AppendZeros(124 - 52);
    dib.AppendWord(0xF800);
    dib.AppendWord(0);
    CxImage image;
    ASSERT_TRUE(image.LoadFromPackedDib(dib.Data(), dib.Size())) << image.GetLastError();
    EXPECT_TRUE(SameColor(image.GetPixelColor(0, 0), Quad(0xFF, 0, 0)));
}

struct DamageCase {
    const char* name;
    LONG width;
    LONG height;
    WORD bpp;
    DWORD compression;
    DWORD colorsUsed;
    DWORD headerSize;
    std::size_t extraBytes;
    const char* text;
};

class PackedDibDamage : public ::testing::TestWithParam<DamageCase> {};

TEST_P(PackedDibDamage, RefusedAndThePreviousPictureStays)
{
    const DamageCase& c = GetParam();
    PackedDib dib(c.width, c.height, c.bpp, c.compression, c.colorsUsed);
    dib.Header().biSize = c.headerSize;
    dib.AppendZeros(c.extraBytes);

    CxImage image(2, 2, 8);
    image.SetPixelIndex(1, 1, 42);
    EXPECT_FALSE(image.LoadFromPackedDib(dib.Data(), dib.Size())) << c.name;
    EXPECT_STREQ(image.GetLastError(), c.text) << c.name;
    ASSERT_TRUE(image.IsValid()) << c.name;
    EXPECT_EQ(image.GetPixelIndex(1, 1), 42) << c.name;
}

INSTANTIATE_TEST_SUITE_P(
    Damage, PackedDibDamage,
    ::testing::Values(
        DamageCase{"pixels cut short", 4, 4, 24, BI_RGB, 0, 40, 47, "Truncated DIB"},
        DamageCase{"palette cut short", 1, 1, 8, BI_RGB, 0, 40, 1020, "Truncated DIB"},
        DamageCase{"colour count of a true-colour DIB too large", 1, 1, 24, BI_RGB, 0xFFFFFFFF, 40, 64,
                   "Truncated DIB"},
        DamageCase{"masks cut short", 1, 1, 16, BI_BITFIELDS, 0, 40, 8, "Truncated DIB"},
        DamageCase{"header larger than the block", 1, 1, 24, BI_RGB, 0, 4000, 4, "Invalid DIB"},
        DamageCase{"core header", 1, 1, 24, BI_RGB, 0, 12, 4, "Invalid DIB"},
        DamageCase{"run-length compressed", 1, 1, 8, BI_RLE8, 0, 40, 2000, "Compressed DIB not supported"},
        DamageCase{"bit fields on a palette DIB", 1, 1, 8, BI_BITFIELDS, 0, 40, 2000,
                   "Compressed DIB not supported"},
        DamageCase{"two bits per pixel", 1, 1, 2, BI_RGB, 0, 40, 100, "Unsupported DIB depth"},
        DamageCase{"zero bits per pixel", 1, 1, 0, BI_RGB, 0, 40, 100, "Unsupported DIB depth"},
        DamageCase{"zero width", 0, 1, 24, BI_RGB, 0, 40, 100, "Invalid image size"},
        DamageCase{"negative width", -3, 1, 24, BI_RGB, 0, 40, 100, "Invalid image size"},
        DamageCase{"zero height", 1, 0, 24, BI_RGB, 0, 40, 100, "Invalid image size"},
        DamageCase{"huge", 100000, 100000, 24, BI_RGB, 0, 40, 100, "Image too large"},
        DamageCase{"most negative height", 1, INT32_MIN, 1, BI_RGB, 0, 40, 100, "Image too large"},
        DamageCase{"width times depth overflows 32 bits", 0x7FFFFFFF, 1, 32, BI_RGB, 0, 40, 100,
                   "Image too large"}));

TEST(PackedDib, EveryTruncationIsRefused)
{
    PackedDib dib(3, 2, 8, BI_RGB, 4);
    for (int i = 0; i < 4; ++i)
        dib.AppendColor(static_cast<BYTE>(i), 0, 0);
    dib.AppendZeros(8);
    for (std::size_t length = 0; length < dib.Size(); ++length) {
        CxImage image;
        EXPECT_FALSE(image.LoadFromPackedDib(dib.Data(), length)) << length;
    }
    CxImage image;
    EXPECT_TRUE(image.LoadFromPackedDib(dib.Data(), dib.Size()));
    EXPECT_FALSE(image.LoadFromPackedDib(nullptr, 100));
}

TEST(PackedDib, TheClipboardHandleIsReadWithinItsSize)
{
    PackedDib dib(2, 1, 24);
    dib.AppendBytes({1, 2, 3, 4, 5, 6, 0, 0});
    HGLOBAL handle = ::GlobalAlloc(GMEM_MOVEABLE, dib.Size());
    ASSERT_NE(handle, nullptr);
    std::memcpy(::GlobalLock(handle), dib.Data(), dib.Size());
    ::GlobalUnlock(handle);

    CxImage image;
    EXPECT_TRUE(image.LoadFromGlobalDib(handle)) << image.GetLastError();
    EXPECT_TRUE(SameColor(image.GetPixelColor(1, 0), Quad(6, 5, 4)));
    // The handle is unlocked again.
    EXPECT_EQ(::GlobalFlags(handle) & GMEM_LOCKCOUNT, 0u);
    ::GlobalFree(handle);

    // A block too small for what its header claims.
    HGLOBAL shortHandle = ::GlobalAlloc(GMEM_MOVEABLE, 44);
    ASSERT_NE(shortHandle, nullptr);
    std::memcpy(::GlobalLock(shortHandle), dib.Data(), 44);
    ::GlobalUnlock(shortHandle);
    EXPECT_FALSE(image.LoadFromGlobalDib(shortHandle));
    ::GlobalFree(shortHandle);

    EXPECT_FALSE(image.LoadFromGlobalDib(nullptr));
}

// A 5-bit channel on the full byte scale: its bits repeated downwards.
BYTE FiveBitsToByte(int value)
{
    return static_cast<BYTE>((value << 3) | (value >> 2));
}

TEST(ConvertBitfieldDib, SixteenBitsInPlaceInTheImagesOwnBuffer)
{
    // The BMP reader reads 16-bit rows into the 24-bit image and converts there.
    CxImage image(5, 3, 24);
    const std::size_t sourceRow = (5 + 1) / 2 * 4;
    BYTE* bits = image.GetBits();
    for (int y = 0; y < 3; ++y)
        for (int x = 0; x < 5; ++x) {
            const WORD value = static_cast<WORD>((x << 10) | (y << 5) | (x + y));  // 5-5-5
            std::memcpy(bits + y * sourceRow + x * 2, &value, 2);
        }
    ASSERT_TRUE(image.ConvertBitfieldDib(bits, sourceRow * 3, 0x7C00, 0x03E0, 0x001F, 16));
    for (int y = 0; y < 3; ++y)
        for (int x = 0; x < 5; ++x)
            EXPECT_TRUE(SameColor(image.GetPixelColor(x, y), Quad(FiveBitsToByte(x), FiveBitsToByte(y), FiveBitsToByte(x + y))))
                << x << "," << y;
}

TEST(ConvertBitfieldDib, RefusesShortSourcesAndOtherDepths)
{
    CxImage image(4, 4, 24);
    std::vector<BYTE> source(4 * 4 * 4, 0);
    EXPECT_FALSE(image.ConvertBitfieldDib(source.data(), source.size() - 1, 0, 0, 0, 32));
    EXPECT_TRUE(image.ConvertBitfieldDib(source.data(), source.size(), 0, 0, 0, 32));
    EXPECT_FALSE(image.ConvertBitfieldDib(source.data(), source.size(), 0, 0, 0, 24));
    CxImage palette(4, 4, 8);
    EXPECT_FALSE(palette.ConvertBitfieldDib(source.data(), source.size(), 0, 0, 0, 32));
    // Masks without bits give black, not a shift by a negative count.
    EXPECT_TRUE(image.ConvertBitfieldDib(source.data(), source.size(), 0, 0, 0, 16));
}

}  // namespace
