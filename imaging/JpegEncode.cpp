// CJpegImage::Encode: a 24-bit or grey picture as a baseline JPEG file.
#include "imaging/ImageFile.h"
#include "imaging/JpegImage.h"
#include "imaging/JpegManagers.h"
#include "imaging/xImage.h"

#include <algorithm>
#include <csetjmp>

namespace {

struct JpegEncodeJob {
    JpegEncodeJob(CxImage& source, CImageFile& output) : image(source), file(output) {}
    ~JpegEncodeJob() { jpeg_destroy_compress(&codec); }  // safe on a never-created object
    JpegEncodeJob(const JpegEncodeJob&) = delete;
    JpegEncodeJob& operator=(const JpegEncodeJob&) = delete;

    CxImage& image;
    CImageFile& file;
    jpeg_compress_struct codec{};
    JpegErrorManager errors;
    JpegDestinationManager destination;
};

UINT16 Density(int dpi)
{
    return static_cast<UINT16>(std::clamp(dpi, 1, 65535));
}

// Everything between the setjmp and a jump back is plain data or lives in the
// job, so a jump skips no destructor.
bool RunEncode(JpegEncodeJob& job)
{
    jpeg_compress_struct& codec = job.codec;
    j_common_ptr common = reinterpret_cast<j_common_ptr>(&codec);
    CxImage& image = job.image;
    const bool grey = image.GetBpp() <= 8;

    JpegInstallErrorManager(*common, job.errors, image);
    if (setjmp(job.errors.jump))
        return false;  // the error exit left the message

    jpeg_create_compress(&codec);
    JpegInstallDestination(codec, job.destination, job.file);
    codec.image_width = static_cast<JDIMENSION>(image.GetWidth());
    codec.image_height = static_cast<JDIMENSION>(image.GetHeight());
    if (grey) {
        codec.input_components = 1;
        codec.in_color_space = JCS_GRAYSCALE;
    } else {
        // libjpeg reads the DIB's blue-green-red rows as they are.
        codec.input_components = 3;
        codec.in_color_space = JCS_EXT_BGR;
    }
    jpeg_set_defaults(&codec);
    jpeg_set_quality(&codec, image.GetJpegQuality(), TRUE);
    codec.density_unit = 1;  // dots per inch
    codec.X_density = Density(image.GetXDPI());
    codec.Y_density = Density(image.GetYDPI());
    jpeg_start_compress(&codec, TRUE);

    // 1- and 4-bit grey pictures are unpacked a row at a time; libjpeg's pool
    // frees the row with the codec.
    JSAMPARRAY unpacked = nullptr;
    if (grey && image.GetBpp() < 8)
        unpacked = (*codec.mem->alloc_sarray)(common, JPOOL_IMAGE, codec.image_width, 1);

    // Rows go top first; DIB rows are stored bottom-up.
    const int height = image.GetHeight();
    while (codec.next_scanline < codec.image_height) {
        const int y = height - 1 - static_cast<int>(codec.next_scanline);
        JSAMPROW scanline = nullptr;
        if (unpacked) {
            for (int x = 0; x < image.GetWidth(); ++x)
                unpacked[0][x] = image.GetPixelIndex(x, y);  // the index is the grey
            scanline = unpacked[0];
        } else {
            // libjpeg only reads its input rows.
            scanline = image.GetBits(y);
        }
        jpeg_write_scanlines(&codec, &scanline, 1);
    }
    jpeg_finish_compress(&codec);
    return true;
}

}  // namespace

bool CJpegImage::Encode(CxImage& image, CImageFile& file)
{
    if (!image.IsValid()) {
        image.SetLastError("No image to encode");
        return false;
    }
    // A palette can only go as a one-component file when its index is the grey.
    if (image.GetBpp() <= 8 && !image.IsGrayScale()) {
        image.SetLastError(kJpegPaletteRefusedText);
        return false;
    }
    JpegEncodeJob job(image, file);
    return RunEncode(job);
}
