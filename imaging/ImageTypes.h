#pragma once
// The few Windows types the image class and its codecs use. On Windows they are
// the system's own; elsewhere (the host build of the codecs for fuzzing) they are
// declared here with the same layout, so decoders never need <windows.h>.

#include <cstddef>
#include <cstdint>

#ifdef _WIN32

#include <windows.h>

#else

using BYTE = std::uint8_t;
using WORD = std::uint16_t;
using DWORD = std::uint32_t;
using LONG = std::int32_t;
using COLORREF = DWORD;

struct RGBQUAD {
    BYTE rgbBlue;
    BYTE rgbGreen;
    BYTE rgbRed;
    BYTE rgbReserved;
};

#pragma pack(push, 2)
struct BITMAPFILEHEADER {
    WORD bfType;
    DWORD bfSize;
    WORD bfReserved1;
    WORD bfReserved2;
    DWORD bfOffBits;
};
#pragma pack(pop)

struct BITMAPINFOHEADER {
    DWORD biSize;
    LONG biWidth;
    LONG biHeight;
    WORD biPlanes;
    WORD biBitCount;
    DWORD biCompression;
    DWORD biSizeImage;
    LONG biXPelsPerMeter;
    LONG biYPelsPerMeter;
    DWORD biClrUsed;
    DWORD biClrImportant;
};

struct BITMAPCOREHEADER {
    DWORD bcSize;
    WORD bcWidth;
    WORD bcHeight;
    WORD bcPlanes;
    WORD bcBitCount;
};

constexpr DWORD BI_RGB = 0;
constexpr DWORD BI_RLE8 = 1;
constexpr DWORD BI_RLE4 = 2;
constexpr DWORD BI_BITFIELDS = 3;

constexpr COLORREF RGB(BYTE red, BYTE green, BYTE blue)
{
    return static_cast<COLORREF>(red) | (static_cast<COLORREF>(green) << 8) | (static_cast<COLORREF>(blue) << 16);
}
constexpr BYTE GetRValue(COLORREF color) { return static_cast<BYTE>(color); }
constexpr BYTE GetGValue(COLORREF color) { return static_cast<BYTE>(color >> 8); }
constexpr BYTE GetBValue(COLORREF color) { return static_cast<BYTE>(color >> 16); }

#endif

static_assert(sizeof(RGBQUAD) == 4);
static_assert(sizeof(BITMAPINFOHEADER) == 40);
static_assert(sizeof(BITMAPFILEHEADER) == 14);
static_assert(sizeof(BITMAPCOREHEADER) == 12);

// One palette colour as three bytes, red first (the order PCX and PNG palettes use).
struct RgbTriple {
    BYTE red;
    BYTE green;
    BYTE blue;
};
static_assert(sizeof(RgbTriple) == 3);

// The file formats an image can be read as. The numbers are stored in documents.
enum ImageFormat : int {
    kImageFormatUnknown = -1,
    kImageFormatBmp = 0,
    kImageFormatJpeg = 1,
    kImageFormatPng = 2,
    kImageFormatIco = 3,
    kImageFormatPcx = 4,
    kImageFormatWmf = 5,  // WMF and EMF
};
constexpr int kImageFormatCount = 6;

// No image buffer (pixels, or a mask of one byte per pixel) may be larger: a
// damaged header must not make a decoder ask for gigabytes.
constexpr std::uint64_t kMaxImageBytes = 256ull * 1024 * 1024;
