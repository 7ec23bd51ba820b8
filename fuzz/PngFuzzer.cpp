// Fuzzes the PNG codec (libpng with the program's callbacks).
#include "ImageFuzzTarget.h"
#include "imaging/PngImage.h"

#include <zlib.h>

#include <vector>

namespace {

// Pictures above this many pixels are legal but slow under the sanitizers;
// the size limits themselves are covered by the unit tests.
constexpr std::uint64_t kLargestFuzzedPixels = 4u << 20;

// The header chunk always comes first, right after the 8-byte signature.
bool NamesAHugePicture(const std::uint8_t* data, std::size_t size)
{
    if (size < 24)
        return false;
    const auto field = [data](std::size_t at) {
        return (std::uint64_t{data[at]} << 24) | (data[at + 1] << 16) | (data[at + 2] << 8) | data[at + 3];
    };
    return field(16) * field(20) > kLargestFuzzedPixels;
}

// libpng rejects a chunk whose checksum is wrong, which is what nearly every
// mutation makes it: the checksums are put right, so inputs reach the chunks'
// contents (as files damaged before they were written would).
std::vector<std::uint8_t> WithChunkChecksums(const std::uint8_t* data, std::size_t size)
{
    std::vector<std::uint8_t> bytes(data, data + size);
    std::size_t at = 8;
    while (at + 12 <= bytes.size()) {
        const std::uint64_t length = (std::uint64_t{bytes[at]} << 24) | (bytes[at + 1] << 16) | (bytes[at + 2] << 8) |
                                     bytes[at + 3];
        if (length > bytes.size() - at - 12)
            break;
        const uLong crc = crc32(0L, bytes.data() + at + 4, static_cast<uInt>(4 + length));
        std::uint8_t* field = bytes.data() + at + 8 + length;
        field[0] = static_cast<std::uint8_t>(crc >> 24);
        field[1] = static_cast<std::uint8_t>(crc >> 16);
        field[2] = static_cast<std::uint8_t>(crc >> 8);
        field[3] = static_cast<std::uint8_t>(crc);
        at += 12 + length;
    }
    return bytes;
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    SetImageCodec(kImageFormatPng, ImageCodec{CPngImage::Decode, CPngImage::Encode});
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (NamesAHugePicture(data, size))
        return -1;  // not kept in the corpus
    FuzzImageCodec(data, size, kImageFormatPng);
    const std::vector<std::uint8_t> repaired = WithChunkChecksums(data, size);
    FuzzImageCodec(repaired.data(), repaired.size(), kImageFormatPng);
    return 0;
}
