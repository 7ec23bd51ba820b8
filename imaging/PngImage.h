#pragma once
// PNG files (format code 2), read and written with libpng through the
// program's own callbacks (imaging/PngCallbacks.h).
//
// Decoding: palette files keep their palette, with tRNS as per-entry alpha in
// the reserved bytes (a single transparent entry 0 becomes background index 0
// instead); grey files of 1 to 8 bits become palette images with a grey ramp
// (2 bits as 4-bit pixels); 8-bit RGBA and 16-bit grey+alpha files keep their
// alpha in the alpha mask (a bKGD colour becomes the background colour); any
// other transparency is composited by libpng onto the file's bKGD colour or
// grey 192. 16-bit samples are scaled to 8 bits. Interlaced files give the same
// picture as plain ones.
//
// Encoding: palette images as palette files (a transparent index is written as
// entry 0 with one tRNS value; palette alpha as a full tRNS), 24-bit images as
// RGB, images with an alpha mask or a transparent colour as RGBA. The image
// being saved is never changed.
//
// Neither throws nor exits: a failure returns false with a text in the image's
// last error.

class CxImage;
class CImageFile;

class CPngImage {
public:
    CPngImage() = delete;

    static bool Decode(CxImage& image, CImageFile& file);
    static bool Encode(CxImage& image, CImageFile& file);
};

inline constexpr char kPngCreateFailedText[] = "Failed to create PNG structure";
inline constexpr char kPngInfoFailedText[] = "Failed to initialize PNG info structure";
inline constexpr char kPngSaveFailedText[] = "Error saving PNG file";

// The grey that transparency is composited onto when the file names none.
inline constexpr unsigned kPngDefaultBackgroundGrey = 192;
