// Fuzzes the ICO codec: the first and the second icon of each input, with
// the PNG codec for PNG-compressed icons.
#include "ImageFuzzTarget.h"
#include "imaging/IcoImage.h"
#include "imaging/PngImage.h"

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    SetImageCodec(kImageFormatIco, ImageCodec{CIcoImage::Decode, CIcoImage::Encode});
    SetImageCodec(kImageFormatPng, ImageCodec{CPngImage::Decode, CPngImage::Encode});
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    FuzzImageCodec(data, size, kImageFormatIco, 0);
    FuzzImageCodec(data, size, kImageFormatIco, 1);
    return 0;
}
