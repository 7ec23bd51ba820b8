// CJpegImage::Decode: a JPEG file into an 8-bit grey or a 24-bit picture.
#include "imaging/ImageFile.h"
#include "imaging/JpegImage.h"
#include "imaging/JpegManagers.h"
#include "imaging/xImage.h"

#include <algorithm>
#include <csetjmp>
#include <cstdint>
#include <cstring>

namespace {

// The most rows one read asks libjpeg for: it never makes more than this in a
// step (its largest sampling factor).
constexpr int kMaxRowsPerRead = 4;

// libjpeg's decompressor with its managers. It outlives the function that
// holds the setjmp, so it is destroyed whether decoding finished or jumped back.
struct JpegDecodeJob {
    JpegDecodeJob(CxImage& target, CImageFile& input) : image(target), file(input) {}
    ~JpegDecodeJob() { jpeg_destroy_decompress(&codec); }  // safe on a never-created object
    JpegDecodeJob(const JpegDecodeJob&) = delete;
    JpegDecodeJob& operator=(const JpegDecodeJob&) = delete;

    CxImage& image;
    CImageFile& file;
    jpeg_decompress_struct codec{};
    JpegErrorManager errors;
    JpegSourceManager source;
};

// The DIB a picture needs, in 64 bits: a header must not make libjpeg
// allocate for a picture that Create will refuse anyway.
bool FitsImageLimit(std::uint64_t width, std::uint64_t height, unsigned bpp)
{
    const std::uint64_t rowBytes = (width * bpp + 31) / 32 * 4;
    return rowBytes * height <= kMaxImageBytes && width * height <= kMaxImageBytes;
}

void SetResolution(CxImage& image, const jpeg_decompress_struct& codec)
{
    if (codec.density_unit == 2) {  // dots per centimetre
        image.SetXDPI(codec.X_density * 254 / 100);
        image.SetYDPI(codec.Y_density * 254 / 100);
    } else {
        image.SetXDPI(codec.X_density);
        image.SetYDPI(codec.Y_density);
    }
}

// Printers' CMYK as Adobe writes it (inverted): each colour scaled by the black.
void CmykToBgr(const JSAMPLE* cmyk, BYTE* bgr, JDIMENSION width)
{
    for (JDIMENSION x = 0; x < width; ++x, cmyk += 4, bgr += 3) {
        const unsigned black = cmyk[3];
        bgr[0] = static_cast<BYTE>(cmyk[2] * black / 255);
        bgr[1] = static_cast<BYTE>(cmyk[1] * black / 255);
        bgr[2] = static_cast<BYTE>(cmyk[0] * black / 255);
    }
}

// Everything between the setjmp and a jump back is plain data or lives in the
// job, so a jump skips no destructor.
bool RunDecode(JpegDecodeJob& job)
{
    jpeg_decompress_struct& codec = job.codec;
    j_common_ptr common = reinterpret_cast<j_common_ptr>(&codec);
    CxImage& image = job.image;

    JpegInstallErrorManager(*common, job.errors, image);
    if (setjmp(job.errors.jump))
        return false;  // the error exit left the message

    jpeg_create_decompress(&codec);
    codec.mem->max_memory_to_use = kJpegWorkMemory;
    JpegInstallSource(codec, job.source, job.file);
    jpeg_read_header(&codec, TRUE);

    // libjpeg turns YCbCr into RGB, and straight into the DIB's blue-green-red.
    int components = 0;
    switch (codec.out_color_space) {
    case JCS_GRAYSCALE:
        components = 1;
        break;
    case JCS_RGB:
        codec.out_color_space = JCS_EXT_BGR;
        components = 3;
        break;
    case JCS_CMYK:
        components = 4;
        break;
    default:
        JpegFail(*common, kJpegUnsupportedColorText);
    }
    const int bpp = components == 1 ? 8 : 24;
    if (!FitsImageLimit(codec.image_width, codec.image_height, bpp))
        JpegFail(*common, "Image too large");

    jpeg_start_decompress(&codec);
    if (codec.output_components != components)
        JpegFail(*common, kJpegUnsupportedColorText);
    // Every row is written below, so the rows are not cleared first.
    if (!image.CreateForOverwrite(static_cast<int>(codec.output_width), static_cast<int>(codec.output_height), bpp,
                                  kImageFormatJpeg))
        JpegFail(*common, *image.GetLastError() ? image.GetLastError() : "Out of memory");
    SetResolution(image, codec);
    if (components == 1)
        image.SetGrayPalette();

    // CMYK needs rows to convert from; libjpeg's pool frees them with the codec.
    // The other spaces go straight into the picture's rows, as many at once as
    // libjpeg makes in one step (two with 2x2 chroma), so it copies none.
    const int batch = std::clamp(codec.rec_outbuf_height, 1, kMaxRowsPerRead);
    JSAMPARRAY cmykRows = nullptr;
    if (components == 4)
        cmykRows = (*codec.mem->alloc_sarray)(common, JPOOL_IMAGE, codec.output_width * 4,
                                              static_cast<JDIMENSION>(batch));

    // Scanlines come top first; DIB rows are stored bottom-up.
    const int height = image.GetHeight();
    const std::size_t rowBytes = image.GetEffWidth();
    const std::size_t rowUsed = static_cast<std::size_t>(codec.output_width) * (bpp / 8);
    JSAMPROW rows[kMaxRowsPerRead];
    while (codec.output_scanline < codec.output_height) {
        if (image.IsCancelled())
            JpegFail(*common, "Decoding cancelled");
        const int first = static_cast<int>(codec.output_scanline);
        const int count = std::min(batch, height - first);
        for (int i = 0; i < count; ++i)
            rows[i] = cmykRows ? cmykRows[i] : image.GetBits(height - 1 - (first + i));
        // Our source never suspends, so rows always come; make sure.
        const JDIMENSION read = jpeg_read_scanlines(&codec, rows, static_cast<JDIMENSION>(count));
        if (read == 0)
            JpegFail(*common, "JPEG data ended");
        for (JDIMENSION i = 0; i < read; ++i) {
            BYTE* row = image.GetBits(height - 1 - (first + static_cast<int>(i)));
            if (cmykRows)
                CmykToBgr(cmykRows[i], row, codec.output_width);
            // libjpeg's vector routines may write a few bytes past the last
            // pixel; those bytes are saved with the picture, so they are zero.
            std::memset(row + rowUsed, 0, rowBytes - rowUsed);
        }
    }
    jpeg_finish_decompress(&codec);
    return true;
}

}  // namespace

bool CJpegImage::Decode(CxImage& image, CImageFile& file)
{
    JpegDecodeJob job(image, file);
    return RunDecode(job);
}
