#pragma once
// One line per image file: format, size, depth, decode time and a CRC-32 of
// the decoded pixels, so a decode can be compared with another decoder's.

#include <cstdint>
#include <vector>

class CxImage;

// zlib's CRC-32 of the picture as rows top first of red, green, blue (no padding).
std::uint32_t PixelChecksum(const CxImage& image);

// Decodes each file (format by extension) and prints its line; false when one
// could not be decoded.
bool ReportImageFiles(const std::vector<const char*>& paths);
