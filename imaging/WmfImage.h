#pragma once
// The metafile reader (format code 5): placeable Windows metafiles and
// enhanced metafiles, played by the system's GDI into a bitmap of the screen's
// depth with the longer side at most 1000 pixels. Metafiles are never written:
// a picture that came from one is stored in another format.
//
// Decoding needs Windows; elsewhere it fails with "Metafiles need Windows".

#include "imaging/ImageTypes.h"

#include <cstdint>

class CxImage;
class CImageFile;

class CWmfImage {
public:
    CWmfImage() = delete;

    // Plays the metafile into a fresh image; false with the reason in its last error.
    static bool Decode(CxImage& image, CImageFile& file);
    // Always false: "Save WMF not supported".
    static bool Encode(CxImage& image, CImageFile& file);
};

// The 22-byte header of a placeable metafile, little-endian in the file.
struct WmfPlaceableHeader {
    DWORD key = 0;
    WORD handle = 0;
    std::int16_t left = 0;
    std::int16_t top = 0;
    std::int16_t right = 0;
    std::int16_t bottom = 0;
    WORD unitsPerInch = 0;
    DWORD reserved = 0;
    WORD checksum = 0;

    static constexpr std::size_t kBytes = 22;
    static constexpr DWORD kKey = 0x9AC6CDD7;
    static WmfPlaceableHeader Parse(const BYTE* bytes);
};

// True for the placeable key, a checksum that is the XOR of the first ten
// 16-bit words, and 1 to 2540 units per inch.
bool WmfCheckHeader(const WmfPlaceableHeader& header);

// Brings the longer side down to 1000 pixels, keeping the proportions; neither
// side becomes smaller than 1.
void LimitSize(std::int64_t& width, std::int64_t& height);
