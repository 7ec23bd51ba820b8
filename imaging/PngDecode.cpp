// CPngImage::Decode: a PNG file into a palette, grey or 24-bit picture, with
// its alpha kept where the image class can hold it.
#include "imaging/ImageFile.h"
#include "imaging/PngCallbacks.h"
#include "imaging/PngImage.h"
#include "imaging/xImage.h"

#include <algorithm>
#include <csetjmp>
#include <cstdint>
#include <cstdlib>
#include <cstring>

namespace {

// libpng's structures and the row memory. They outlive the function that
// holds the setjmp, so they are freed whether decoding finished or jumped back.
struct PngReadJob {
    PngReadJob(CxImage& target, CImageFile& input) : image(target), file(input) {}
    ~PngReadJob()
    {
        if (png)
            png_destroy_read_struct(&png, &info, nullptr);
        std::free(rows);
    }
    PngReadJob(const PngReadJob&) = delete;
    PngReadJob& operator=(const PngReadJob&) = delete;

    CxImage& image;
    CImageFile& file;
    png_structp png = nullptr;
    png_infop info = nullptr;
    BYTE* rows = nullptr;  // one row, or every row of an interlaced file (malloc)
};

// What the file holds and what the decoder makes of it.
struct PngLayout {
    png_uint_32 width = 0;
    png_uint_32 height = 0;
    int bitDepth = 0;
    int colorType = 0;
    bool interlaced = false;
    int pixelDepth = 0;      // bits per pixel in the file
    bool keepAlpha = false;  // 8-bit RGBA, 16-bit grey+alpha: into the alpha mask
    int outChannels = 0;     // what libpng hands over after the transformations
    int outBitDepth = 0;
    int imageBpp = 0;        // of the CxImage
};

PngLayout ReadLayout(png_structp png, png_infop info)
{
    PngLayout layout;
    int interlace = PNG_INTERLACE_NONE;
    png_get_IHDR(png, info, &layout.width, &layout.height, &layout.bitDepth, &layout.colorType, &interlace,
                 nullptr, nullptr);
    layout.interlaced = interlace != PNG_INTERLACE_NONE;
    layout.pixelDepth = layout.bitDepth * png_get_channels(png, info);
    layout.keepAlpha = layout.pixelDepth == 32 && (layout.colorType & PNG_COLOR_MASK_ALPHA);

    if (layout.pixelDepth == 16)
        layout.imageBpp = 8;  // 16-bit grey, 8-bit grey+alpha composited
    else if (layout.pixelDepth < 17)
        layout.imageBpp = layout.pixelDepth;  // 2 bits become a 4-bit image
    else
        layout.imageBpp = 24;

    if (layout.keepAlpha) {
        layout.outChannels = 4;
        layout.outBitDepth = 8;
    } else if ((layout.colorType & PNG_COLOR_MASK_COLOR) && layout.colorType != PNG_COLOR_TYPE_PALETTE) {
        layout.outChannels = 3;  // RGB, and 16-bit RGBA composited
        layout.outBitDepth = 8;
    } else {
        layout.outChannels = 1;  // palette, grey, grey+alpha composited
        layout.outBitDepth = std::min(layout.bitDepth, 8);
    }
    return layout;
}

// Grey 192 as libpng takes a background that is not to be expanded: in 8 bits
// for 8- and 16-bit files (libpng widens it for 16), else the nearest grey the
// file's depth has.
png_color_16 DefaultBackground(int bitDepth)
{
    png_uint_16 value = kPngDefaultBackgroundGrey;
    if (bitDepth < 8) {
        const unsigned largest = (1u << bitDepth) - 1;
        value = static_cast<png_uint_16>((kPngDefaultBackgroundGrey * largest + 127) / 255);
    }
    png_color_16 background{};
    background.red = background.green = background.blue = background.gray = value;
    return background;
}

// Transparency the image class cannot hold is composited by libpng; an RGBA
// file's bKGD becomes the image's background colour instead.
void RequestBackground(png_structp png, png_infop info, const PngLayout& layout, CxImage& image)
{
    png_color_16p fileBackground = nullptr;
    const bool hasBackground = png_get_bKGD(png, info, &fileBackground) != 0 && fileBackground;

    if (layout.keepAlpha) {
        if (hasBackground) {
            // bKGD is in the file's sample depth; grey files give it in gray.
            const bool grey = !(layout.colorType & PNG_COLOR_MASK_COLOR);
            const auto sample = [&layout](png_uint_16 value) {
                return static_cast<BYTE>(layout.bitDepth == 16 ? (value * 255u + 32767u) / 65535u : value & 0xFF);
            };
            const RGBQUAD color = {sample(grey ? fileBackground->gray : fileBackground->blue),
                                   sample(grey ? fileBackground->gray : fileBackground->green),
                                   sample(grey ? fileBackground->gray : fileBackground->red), 0};
            image.SetBackgroundColor(color);
        }
        return;
    }
    // A palette keeps its alpha per entry; compositing would change its colours.
    if (layout.colorType == PNG_COLOR_TYPE_PALETTE)
        return;

    // Blend the stored values as they are: with the file's gamma libpng would
    // blend in linear light, and the same file would look different here and
    // wherever else it is drawn.
    png_set_gamma_fixed(png, PNG_FP_1, PNG_FP_1);
    if (hasBackground) {
        png_set_background_fixed(png, fileBackground, PNG_BACKGROUND_GAMMA_FILE, 1, PNG_FP_1);
    } else {
        const png_color_16 grey = DefaultBackground(layout.bitDepth);
        png_set_background_fixed(png, &grey, PNG_BACKGROUND_GAMMA_SCREEN, 0, PNG_FP_1);
    }
}

void SetPalette(png_structp png, png_infop info, const PngLayout& layout, CxImage& image)
{
    png_colorp entries = nullptr;
    int count = 0;
    if (png_get_PLTE(png, info, &entries, &count) && entries && count > 0) {
        static_assert(sizeof(png_color) == sizeof(RgbTriple));
        image.SetPalette(reinterpret_cast<const RgbTriple*>(entries), static_cast<DWORD>(count));
    } else if (layout.bitDepth == 2) {
        const BYTE greys[4] = {0, 85, 170, 255};
        image.SetPalette(4, greys);
    } else {
        image.SetGrayPalette();
    }

    if (layout.colorType != PNG_COLOR_TYPE_PALETTE)
        return;  // grey and RGB transparency was composited
    png_bytep alpha = nullptr;
    int alphaCount = 0;
    if (!png_get_tRNS(png, info, &alpha, &alphaCount, nullptr) || !alpha || alphaCount <= 0)
        return;
    RGBQUAD* palette = image.GetPalette();
    const int colors = static_cast<int>(image.GetNumColors());
    for (int i = 0; i < std::min(colors, alphaCount); ++i)
        palette[i].rgbReserved = alpha[i];
    if (alphaCount == 1 && alpha[0] == 0) {
        image.SetBackgroundIndex(0);  // one fully transparent entry: drawn as a colour key
        return;
    }
    image.SetPaletteAlpha(true);
    for (int i = alphaCount; i < colors; ++i)
        palette[i].rgbReserved = 255;
}

// One file row (top first) into the image.
void StoreRow(CxImage& image, const PngLayout& layout, const BYTE* source, std::size_t sourceBytes, png_uint_32 fileRow)
{
    const int y = image.GetHeight() - 1 - static_cast<int>(fileRow);
    BYTE* target = image.GetBits(y);
    if (layout.keepAlpha) {
        BYTE* alpha = image.AlphaGetPointer() + static_cast<std::size_t>(y) * layout.width;
        for (png_uint_32 x = 0; x < layout.width; ++x, source += 4, target += 3) {
            target[0] = source[0];
            target[1] = source[1];
            target[2] = source[2];
            alpha[x] = source[3];
        }
        return;
    }
    std::memcpy(target, source, std::min<std::size_t>(sourceBytes, image.GetEffWidth()));
    if (layout.bitDepth == 2)
        PngExpand2To4(target, layout.width);
}

// Everything between the setjmp and a jump back is plain data or lives in the
// job, so a jump skips no destructor.
bool RunDecode(PngReadJob& job)
{
    png_structp png = job.png;
    png_infop info = job.info;
    CxImage& image = job.image;
    if (setjmp(png_jmpbuf(png)))
        return false;  // the error callback left the message

    png_set_read_fn(png, &job.file, PngReadData);
    png_read_info(png, info);
    const PngLayout layout = ReadLayout(png, info);

    RequestBackground(png, info, layout, image);
    if (layout.bitDepth == 16)
        png_set_scale_16(png);  // rounded, not cut: full white stays 255
    if (layout.keepAlpha && layout.colorType == PNG_COLOR_TYPE_GRAY_ALPHA)
        png_set_gray_to_rgb(png);
    if (layout.colorType & PNG_COLOR_MASK_COLOR)
        png_set_bgr(png);
    const int passes = png_set_interlace_handling(png);

    if (!image.Create(static_cast<int>(std::min<png_uint_32>(layout.width, 0x7FFFFFFF)),
                      static_cast<int>(std::min<png_uint_32>(layout.height, 0x7FFFFFFF)), layout.imageBpp,
                      kImageFormatPng))
        png_error(png, *image.GetLastError() ? image.GetLastError() : "Out of memory");
    SetPalette(png, info, layout, image);
    if (layout.keepAlpha && !image.AlphaCreate())
        png_error(png, "Out of memory");

    png_read_update_info(png, info);
    if (png_get_channels(png, info) != layout.outChannels || png_get_bit_depth(png, info) != layout.outBitDepth)
        png_error(png, "Unsupported PNG format");
    const std::size_t rowBytes = png_get_rowbytes(png, info);
    const std::uint64_t expectedRowBytes =
        (static_cast<std::uint64_t>(layout.width) * layout.outChannels * layout.outBitDepth + 7) / 8;
    if (rowBytes != expectedRowBytes)
        png_error(png, "Unsupported PNG format");

    // An interlaced file fills its rows over several passes, so every row is
    // kept until the last; a plain file needs one.
    const std::uint64_t rowsKept = layout.interlaced ? layout.height : 1;
    if (static_cast<std::uint64_t>(rowBytes) * rowsKept > kMaxImageBytes)
        png_error(png, "Image too large");
    job.rows = static_cast<BYTE*>(std::calloc(static_cast<std::size_t>(rowsKept), rowBytes));
    if (!job.rows)
        png_error(png, "Out of memory");

    for (int pass = 0; pass < passes; ++pass) {
        for (png_uint_32 j = 0; j < layout.height; ++j) {
            if (image.IsCancelled())
                png_error(png, "Decoding cancelled");
            BYTE* row = layout.interlaced ? job.rows + static_cast<std::size_t>(j) * rowBytes : job.rows;
            png_read_row(png, row, nullptr);
            if (!layout.interlaced)
                StoreRow(image, layout, row, rowBytes, j);
        }
    }
    if (layout.interlaced) {
        for (png_uint_32 j = 0; j < layout.height; ++j)
            StoreRow(image, layout, job.rows + static_cast<std::size_t>(j) * rowBytes, rowBytes, j);
    }
    png_read_end(png, nullptr);
    return true;
}

}  // namespace

bool CPngImage::Decode(CxImage& image, CImageFile& file)
{
    PngReadJob job(image, file);
    job.png = png_create_read_struct(PNG_LIBPNG_VER_STRING, &image, PngErrorFn, PngWarningFn);
    if (!job.png) {
        image.SetLastError(kPngCreateFailedText);
        return false;
    }
    job.info = png_create_info_struct(job.png);
    if (!job.info) {
        image.SetLastError(kPngInfoFailedText);
        return false;
    }
    return RunDecode(job);
}
