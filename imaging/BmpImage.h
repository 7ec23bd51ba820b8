#pragma once
// The BMP codec (format code 0): Windows bitmap files and bare DIBs.
//
// Reads 1, 4 and 8 bits per pixel (uncompressed, RLE8 and RLE4), 16 and 32
// bits (plain or with bit fields) and 24 bits; the 12-byte core header, the
// 40-byte header and the larger ones that extend it; rows stored bottom-up or
// top-down. Writes the image at its own depth, uncompressed, with a 40-byte
// header. Every header field is checked against the data before it is used.

#include "imaging/ImageTypes.h"

#include <cstddef>

class CxImage;
class CImageFile;

// What an info header says, whatever its size.
struct BmpInfoHeader {
    BITMAPINFOHEADER header{};    // biSize is the header's size in the file
    bool core = false;            // a 12-byte core header: 3-byte palette entries
    bool imageSizeGiven = false;  // the file's image-size field was not 0
    DWORD redMask = 0;            // bit fields, when the compression says so
    DWORD greenMask = 0;
    DWORD blueMask = 0;
};

class CBmpImage {
public:
    CBmpImage() = delete;

    // Fills a fresh image from the file; false with the reason in its last error.
    static bool Decode(CxImage& image, CImageFile& file);
    // Writes the image; false (with a reason) only when the file refuses bytes.
    static bool Encode(CxImage& image, CImageFile& file);
    // Reads the info header at the file's position and, with bit-field
    // compression, the masks; the position is left after them. A zero image
    // size becomes the uncompressed size, a zero colour count 2 to the bit
    // count for palette depths. False when the header is cut short or unknown.
    static bool ReadInfoHeader(CImageFile& file, BmpInfoHeader& info);
};

// Decodes RLE8 (bitsPerIndex 8) or RLE4 (4) data into the image's pixel rows,
// first row first as stored. Pixels outside the picture are dropped; decoding
// ends at the end-of-bitmap code, past the last row or at the end of the data.
void DecodeBmpRunLength(const BYTE* data, std::size_t size, int bitsPerIndex, CxImage& image);
