#pragma once
// JPEG files (format code 1), read and written with libjpeg through the
// program's own managers (imaging/JpegManagers.h).
//
// Decoding gives an 8-bit image with the grey ramp for greyscale files and a
// 24-bit image for colour and CMYK files, with the file's resolution; a file
// cut short decodes with the rest of the picture filled in by libjpeg. Encoding
// writes 24-bit images and palette images whose palette is the grey ramp, at
// the image's JPEG quality, as baseline JPEG.
//
// Neither throws nor exits: a failure returns false with libjpeg's message, or
// one of the program's own, in the image's last error.

class CxImage;
class CImageFile;

class CJpegImage {
public:
    CJpegImage() = delete;

    static bool Decode(CxImage& image, CImageFile& file);
    static bool Encode(CxImage& image, CImageFile& file);
};

inline constexpr char kJpegPaletteRefusedText[] = "JPEG can save only RGB or GreyScale images";
inline constexpr char kJpegUnsupportedColorText[] = "Unsupported JPEG colour format";
