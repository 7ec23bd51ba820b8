// Fuzzes the PCX codec.
#include "ImageFuzzTarget.h"
#include "imaging/PcxImage.h"

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    SetImageCodec(kImageFormatPcx, ImageCodec{CPcxImage::Decode, CPcxImage::Encode});
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    FuzzImageCodec(data, size, kImageFormatPcx);
    return 0;
}
