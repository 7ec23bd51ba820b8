#pragma once
// The ICO codec (format code 3): Windows icon files.
//
// Reads the icon the image's icon frame names (1, 4, 8, 24 and 32 bits per
// pixel, and PNG-compressed icons through the PNG codec) and reports the
// number of icons in the icon frame count. The AND mask of a palette icon
// becomes a transparent palette index. Writes one icon of up to 255 × 255
// pixels at the image's depth with its AND mask.

class CxImage;
class CImageFile;

class CIcoImage {
public:
    CIcoImage() = delete;

    // Fills a fresh image from the file; false with the reason in its last
    // error. The image's icon frame count is set as soon as the directory is read.
    static bool Decode(CxImage& image, CImageFile& file);
    // Writes the image as a one-icon file; false with a reason.
    static bool Encode(CxImage& image, CImageFile& file);
};
