// CPngImage::Encode: a picture as a palette, RGB or RGBA PNG file. The image
// being saved is only read: a transparent palette entry is moved to the front
// in the file, not in the image.
#include "imaging/ImageFile.h"
#include "imaging/PngCallbacks.h"
#include "imaging/PngImage.h"
#include "imaging/xImage.h"

#include <array>
#include <csetjmp>
#include <cstdint>
#include <cstdlib>
#include <numeric>

namespace {

struct PngWriteJob {
    PngWriteJob(CxImage& source, CImageFile& output) : image(source), file(output) {}
    ~PngWriteJob()
    {
        if (png)
            png_destroy_write_struct(&png, &info);
        std::free(row);
    }
    PngWriteJob(const PngWriteJob&) = delete;
    PngWriteJob& operator=(const PngWriteJob&) = delete;

    CxImage& image;
    CImageFile& file;
    png_structp png = nullptr;
    png_infop info = nullptr;
    BYTE* row = nullptr;  // one converted row (malloc)
    // Palette entry i of the file is entry order[i] of the image; a swap of
    // two entries, so it maps image indices to file indices as well.
    std::array<BYTE, 256> order{};
    bool reordered = false;
};

enum class PngKind { Palette, Rgb, Rgba };

PngKind KindOf(const CxImage& image)
{
    // A 24-bit image marks its transparent colour with any background index.
    if (image.HasAlpha() || (image.GetBpp() == 24 && image.GetBackgroundIndex() >= 0))
        return PngKind::Rgba;
    return image.GetBpp() <= 8 ? PngKind::Palette : PngKind::Rgb;
}

// The palette entry that is fully transparent, or -1.
int TransparentIndex(const CxImage& image)
{
    const int index = image.GetBackgroundIndex();
    return image.GetBpp() <= 8 && index >= 0 && static_cast<DWORD>(index) < image.GetNumColors() ? index : -1;
}

// PLTE and tRNS. A transparent entry goes first with a single tRNS value 0.
void WritePalette(PngWriteJob& job)
{
    const CxImage& image = job.image;
    const int colors = static_cast<int>(image.GetNumColors());
    const RGBQUAD* palette = image.GetPalette();
    const int transparent = TransparentIndex(image);

    std::iota(job.order.begin(), job.order.end(), 0);
    if (transparent > 0) {
        std::swap(job.order[0], job.order[transparent]);
        job.reordered = true;
    }

    std::array<png_color, 256> entries{};
    std::array<png_byte, 256> alpha{};
    for (int i = 0; i < colors; ++i) {
        const RGBQUAD& entry = palette[job.order[i]];
        entries[i] = png_color{entry.rgbRed, entry.rgbGreen, entry.rgbBlue};
        alpha[i] = entry.rgbReserved;
    }
    png_set_PLTE(job.png, job.info, entries.data(), colors);
    if (transparent >= 0) {
        const png_byte clear = 0;
        png_set_tRNS(job.png, job.info, &clear, 1, nullptr);
    } else if (image.HasPaletteAlpha()) {
        png_set_tRNS(job.png, job.info, alpha.data(), colors, nullptr);
    }
}

// Image row y (bottom-up) with its indices mapped to the file's palette order.
const BYTE* PaletteRow(PngWriteJob& job, int y)
{
    const CxImage& image = job.image;
    if (!job.reordered)
        return image.GetBits(y);
    const BYTE* source = image.GetBits(y);
    const DWORD rowBytes = image.GetEffWidth();
    switch (image.GetBpp()) {
    case 8:
        for (DWORD i = 0; i < rowBytes; ++i)
            job.row[i] = job.order[source[i]];
        break;
    case 4:
        for (DWORD i = 0; i < rowBytes; ++i)
            job.row[i] = static_cast<BYTE>((job.order[source[i] >> 4] << 4) | job.order[source[i] & 0x0F]);
        break;
    default:  // 1 bit: two entries, so the swap is of 0 and 1
        for (DWORD i = 0; i < rowBytes; ++i)
            job.row[i] = static_cast<BYTE>(~source[i]);
        break;
    }
    return job.row;
}

// Image row y (bottom-up) as red, green, blue, alpha.
const BYTE* RgbaRow(PngWriteJob& job, int y)
{
    const CxImage& image = job.image;
    const int width = image.GetWidth();
    const BYTE* mask = image.HasAlpha() ? image.AlphaGetPointer() + static_cast<std::size_t>(y) * width : nullptr;
    const unsigned alphaMax = image.GetAlphaMax();
    const bool trueColor = image.GetBpp() == 24;
    // A 24-bit image's transparent colour, or a palette image's transparent entry.
    const bool colorKey = trueColor ? image.GetBackgroundIndex() >= 0 : TransparentIndex(image) >= 0;
    const RGBQUAD key = image.GetTransColor();
    const BYTE* pixels = image.GetBits(y);

    BYTE* target = job.row;
    for (int x = 0; x < width; ++x, target += 4) {
        RGBQUAD color;
        bool keyed = false;
        if (trueColor) {
            const BYTE* pixel = pixels + static_cast<std::size_t>(x) * 3;
            color = RGBQUAD{pixel[0], pixel[1], pixel[2], 0};
            keyed = colorKey && color.rgbBlue == key.rgbBlue && color.rgbGreen == key.rgbGreen &&
                    color.rgbRed == key.rgbRed;
        } else {
            const BYTE index = image.GetPixelIndex(x, y);
            color = image.GetPaletteColor(index);
            keyed = colorKey && index == image.GetBackgroundIndex();
        }
        target[0] = color.rgbRed;
        target[1] = color.rgbGreen;
        target[2] = color.rgbBlue;
        target[3] = keyed ? 0 : static_cast<BYTE>((mask ? mask[x] : 255u) * alphaMax / 255u);
    }
    return job.row;
}

// Everything between the setjmp and a jump back is plain data or lives in the
// job, so a jump skips no destructor.
bool RunEncode(PngWriteJob& job)
{
    png_structp png = job.png;
    png_infop info = job.info;
    CxImage& image = job.image;
    if (setjmp(png_jmpbuf(png))) {
        image.SetLastError(kPngSaveFailedText);
        return false;
    }
    png_set_write_fn(png, &job.file, PngWriteData, PngFlushData);

    const PngKind kind = KindOf(image);
    const auto width = static_cast<png_uint_32>(image.GetWidth());
    const auto height = static_cast<png_uint_32>(image.GetHeight());
    std::size_t rowBytes = image.GetEffWidth();
    switch (kind) {
    case PngKind::Palette:
        png_set_IHDR(png, info, width, height, image.GetBpp(), PNG_COLOR_TYPE_PALETTE, PNG_INTERLACE_NONE,
                     PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
        WritePalette(job);
        break;
    case PngKind::Rgb:
        png_set_IHDR(png, info, width, height, 8, PNG_COLOR_TYPE_RGB, PNG_INTERLACE_NONE,
                     PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
        break;
    case PngKind::Rgba:
        png_set_IHDR(png, info, width, height, 8, PNG_COLOR_TYPE_RGB_ALPHA, PNG_INTERLACE_NONE,
                     PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
        rowBytes = static_cast<std::size_t>(width) * 4;
        break;
    }
    png_write_info(png, info);
    if (kind == PngKind::Rgb)
        png_set_bgr(png);  // libpng turns the DIB's blue-green-red rows round itself

    if (kind == PngKind::Rgba || job.reordered) {
        job.row = static_cast<BYTE*>(std::malloc(rowBytes));
        if (!job.row)
            png_error(png, "Out of memory");
    }
    // Rows go top first; DIB rows are stored bottom-up.
    for (png_uint_32 j = 0; j < height; ++j) {
        const int y = static_cast<int>(height - 1 - j);
        const BYTE* row = kind == PngKind::Rgba ? RgbaRow(job, y) : kind == PngKind::Palette ? PaletteRow(job, y)
                                                                                              : image.GetBits(y);
        png_write_row(png, row);
    }
    png_write_end(png, info);
    // libpng flushes only on request: the data must have reached the file.
    PngFlushData(png);
    return true;
}

}  // namespace

bool CPngImage::Encode(CxImage& image, CImageFile& file)
{
    if (!image.IsValid()) {
        image.SetLastError("No image to encode");
        return false;
    }
    PngWriteJob job(image, file);
    job.png = png_create_write_struct(PNG_LIBPNG_VER_STRING, &image, PngErrorFn, PngWarningFn);
    if (!job.png) {
        image.SetLastError(kPngCreateFailedText);
        return false;
    }
    job.info = png_create_info_struct(job.png);
    if (!job.info) {
        image.SetLastError(kPngInfoFailedText);
        return false;
    }
    return RunEncode(job);
}
