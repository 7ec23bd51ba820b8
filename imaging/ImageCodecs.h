#pragma once
// The codec of each image format, looked up by format code when an image is
// decoded or encoded (CxImage::Decode, CxImage::Encode).
//
// A decoder fills a fresh image of its format from the file and returns true;
// on failure it returns false and leaves a short text in the image's last
// error. The dispatch then hands a decoded picture over to the caller's image,
// or copies the text. An encoder writes the image (a ghost that borrows the
// caller's picture and settings) to the file. Neither may throw.
//
// The formats' codecs are listed in BuiltInImageCodecs (imaging/ImageCodecTable.cpp);
// a format without a decoder fails with "No decoder for this format".

#include "imaging/ImageTypes.h"

#include <array>

class CxImage;
class CImageFile;

using ImageDecoder = bool (*)(CxImage& image, CImageFile& file);
using ImageEncoder = bool (*)(CxImage& image, CImageFile& file);

struct ImageCodec {
    ImageDecoder decode = nullptr;
    ImageEncoder encode = nullptr;
};

using ImageCodecTable = std::array<ImageCodec, kImageFormatCount>;

// The codecs the program is built with, by format code.
ImageCodecTable BuiltInImageCodecs();

// The codec in use for a format code; an empty one outside 0..5.
ImageCodec GetImageCodec(int format);
// Puts another codec in place of a format's (tests plug in their own); returns
// the one it replaces. Ignored outside 0..5.
ImageCodec SetImageCodec(int format, ImageCodec codec);

// Texts the dispatch leaves in an image's last error.
inline constexpr char kUnsupportedFormatText[] = "Unsupported operation for this format";
inline constexpr char kNoDecoderText[] = "No decoder for this format";
inline constexpr char kNoEncoderText[] = "No encoder for this format";
inline constexpr char kEmptyImageText[] = "No image to encode";
