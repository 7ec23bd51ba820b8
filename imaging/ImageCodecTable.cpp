// The codec of every image format, by format code. Each format's codec file
// provides its decoder and encoder; they are plugged in here.
#include "imaging/ImageCodecs.h"

#include "imaging/BmpImage.h"
#include "imaging/IcoImage.h"
#include "imaging/JpegImage.h"
#include "imaging/PcxImage.h"
#include "imaging/PngImage.h"
#include "imaging/WmfImage.h"
#include "imaging/xImage.h"

ImageCodecTable BuiltInImageCodecs()
{
    ImageCodecTable codecs{};
    codecs[kImageFormatBmp] = ImageCodec{CBmpImage::Decode, CBmpImage::Encode};
    codecs[kImageFormatJpeg] = ImageCodec{CJpegImage::Decode, CJpegImage::Encode};
    codecs[kImageFormatPng] = ImageCodec{CPngImage::Decode, CPngImage::Encode};
    codecs[kImageFormatIco] = ImageCodec{CIcoImage::Decode, CIcoImage::Encode};
    codecs[kImageFormatPcx] = ImageCodec{CPcxImage::Decode, CPcxImage::Encode};
    // Metafiles are only read: a picture that came from one is stored as PNG.
    codecs[kImageFormatWmf] = ImageCodec{CWmfImage::Decode, CWmfImage::Encode};
    return codecs;
}
