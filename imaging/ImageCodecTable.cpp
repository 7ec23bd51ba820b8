// The codec of every image format, by format code. Each format's codec file
// provides its decoder and encoder; they are plugged in here.
#include "imaging/ImageCodecs.h"

#include "imaging/xImage.h"

namespace {

// Metafiles are only read: a picture that came from one is stored as PNG.
bool EncodeMetafileRefused(CxImage& image, CImageFile& /*file*/)
{
    image.SetLastError("Save WMF not supported");
    return false;
}

}  // namespace

ImageCodecTable BuiltInImageCodecs()
{
    ImageCodecTable codecs{};
    codecs[kImageFormatBmp] = ImageCodec{};
    codecs[kImageFormatJpeg] = ImageCodec{};
    codecs[kImageFormatPng] = ImageCodec{};
    codecs[kImageFormatIco] = ImageCodec{};
    codecs[kImageFormatPcx] = ImageCodec{};
    codecs[kImageFormatWmf] = ImageCodec{nullptr, EncodeMetafileRefused};
    return codecs;
}
