// Fuzzes the JPEG codec (libjpeg with the program's managers).
#include "ImageFuzzTarget.h"
#include "imaging/JpegImage.h"

namespace {

// Pictures above this many pixels are legal but take seconds each under the
// sanitizers (libjpeg fills in a picture whose data is missing); the size
// limits themselves are covered by the unit tests.
constexpr std::uint64_t kLargestFuzzedPixels = 4u << 20;

// True when some frame header, or anything that looks like one, names a
// larger picture.
bool NamesAHugePicture(const std::uint8_t* data, std::size_t size)
{
    for (std::size_t i = 0; i + 8 < size; ++i) {
        const std::uint8_t marker = data[i + 1];
        const bool frame = marker >= 0xC0 && marker <= 0xCF && marker != 0xC4 && marker != 0xC8 && marker != 0xCC;
        if (data[i] != 0xFF || !frame)
            continue;
        const std::uint64_t height = (data[i + 5] << 8) | data[i + 6];
        const std::uint64_t width = (data[i + 7] << 8) | data[i + 8];
        if (width * height > kLargestFuzzedPixels)
            return true;
    }
    return false;
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    SetImageCodec(kImageFormatJpeg, ImageCodec{CJpegImage::Decode, CJpegImage::Encode});
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (NamesAHugePicture(data, size))
        return -1;  // not kept in the corpus
    FuzzImageCodec(data, size, kImageFormatJpeg);
    return 0;
}
