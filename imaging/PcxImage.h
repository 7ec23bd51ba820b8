#pragma once
// The PCX codec (ZSoft Paintbrush, format code 4).
//
// Reads run-length encoded pictures of 1, 2, 4 or 8 bits in one plane, 2 to 4
// planes of 1 bit (up to 16 colours), and 3 or 4 planes of 8 bits (24-bit
// colour, the fourth plane as alpha). A decoded picture carries the BMP format
// code, so a document stores it as a bitmap. Writes 1- and 4-bit images as bit
// planes, 8-bit images with a 256-colour palette after the picture, and 24-bit
// images as 3 planes (4 with an alpha mask).

#include "imaging/ImageTypes.h"

#include <cstddef>
#include <vector>

class CxImage;
class CImageFile;

class CPcxImage {
public:
    CPcxImage() = delete;

    // Fills a fresh image from the file; false with the reason in its last error.
    static bool Decode(CxImage& image, CImageFile& file);
    // Writes the image; false with the reason in its last error.
    static bool Encode(CxImage& image, CImageFile& file);
};

// The 128-byte file header.
struct PcxHeader {
    BYTE manufacturer = 10;
    BYTE version = 5;
    BYTE encoding = 1;
    BYTE bitsPerPixel = 0;
    WORD xMin = 0;
    WORD yMin = 0;
    WORD xMax = 0;
    WORD yMax = 0;
    WORD hResolution = 0;
    WORD vResolution = 0;
    RgbTriple colorMap[16] = {};
    BYTE planes = 0;
    WORD bytesPerLine = 0;

    static constexpr std::size_t kBytes = 128;
    static PcxHeader Parse(const BYTE* bytes);
    void Store(BYTE* bytes) const;
};

// Merges 1-bit planes (bytesPerLine bytes each, one after the other) into one
// palette index per pixel: bit p of an index comes from plane p, bit 7 of each
// byte first. `indices` receives `width` bytes.
void PcxPlanesToPixels(BYTE* indices, const BYTE* planes, std::size_t width, std::size_t bytesPerLine,
                       int planeCount);
// Unpacks one plane of packed pixels of 1, 2, 4 or 8 bits (highest bits first)
// into one index per pixel.
void PcxUnpackPixels(BYTE* indices, const BYTE* plane, std::size_t width, int bitsPerPixel);

// The run-length packer: runs of equal bytes up to 63 long. A run longer than 1,
// or a single byte above 191, is written as 0xC0 + count and the byte.
struct PcxRun {
    BYTE value = 0;
    int count = 0;  // 0: no run open
};
void PcxPackByte(BYTE value, PcxRun& run, std::vector<BYTE>& output);
// Writes the open run, if any, and closes it.
void PcxFlushRun(PcxRun& run, std::vector<BYTE>& output);
// Packs one plane row of `length` bytes (the row is flushed at its end).
void PcxPackPlane(const BYTE* bytes, std::size_t length, std::vector<BYTE>& output);
// Collects bit `plane` of each of `width` indices, most significant bit first,
// into `bytesPerLine` bytes (the rest zero).
void PcxBitPlane(const BYTE* indices, std::size_t width, BYTE* output, std::size_t bytesPerLine, int plane);
