// Fuzzes the BMP codec: bitmap files and bare DIBs.
#include "ImageFuzzTarget.h"
#include "imaging/BmpImage.h"

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    SetImageCodec(kImageFormatBmp, ImageCodec{CBmpImage::Decode, CBmpImage::Encode});
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    FuzzImageCodec(data, size, kImageFormatBmp);
    return 0;
}
