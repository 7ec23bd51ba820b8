#include "imaging/ThumbnailJpeg.h"

#include "imaging/ImageFile.h"
#include "imaging/JpegImage.h"
#include "imaging/JpegManagers.h"

#include <csetjmp>
#include <cstdio>

namespace {

// The decompressor with its managers, destroyed whether decoding finished or
// jumped back.
struct ScaledJpegJob {
    ScaledJpegJob(CxImage& target, CImageFile& input) : image(target), file(input) {}
    ~ScaledJpegJob() { jpeg_destroy_decompress(&codec); }
    ScaledJpegJob(const ScaledJpegJob&) = delete;
    ScaledJpegJob& operator=(const ScaledJpegJob&) = delete;

    CxImage& image;
    CImageFile& file;
    jpeg_decompress_struct codec{};
    JpegErrorManager errors;
    JpegSourceManager source;
    int width = 0;
    int height = 0;
};

// Everything between the setjmp and a jump back is plain data or lives in the job.
bool RunScaledDecode(ScaledJpegJob& job, int longSide)
{
    jpeg_decompress_struct& codec = job.codec;
    j_common_ptr common = reinterpret_cast<j_common_ptr>(&codec);
    JpegInstallErrorManager(*common, job.errors, job.image);
    if (setjmp(job.errors.jump))
        return false;

    jpeg_create_decompress(&codec);
    codec.mem->max_memory_to_use = kJpegWorkMemory;
    JpegInstallSource(codec, job.source, job.file);
    jpeg_read_header(&codec, TRUE);
    int bpp = 24;
    if (codec.out_color_space == JCS_GRAYSCALE)
        bpp = 8;
    else if (codec.out_color_space == JCS_RGB)
        codec.out_color_space = JCS_EXT_BGR;
    else
        JpegFail(*common, kJpegUnsupportedColorText);  // CMYK and the like take the full decoder
    job.width = static_cast<int>(codec.image_width);
    job.height = static_cast<int>(codec.image_height);
    const unsigned longer = codec.image_width > codec.image_height ? codec.image_width : codec.image_height;
    unsigned denominator = 8;
    while (denominator > 1 && (longer + denominator - 1) / denominator < static_cast<unsigned>(longSide))
        denominator /= 2;
    codec.scale_num = 1;
    codec.scale_denom = denominator;

    jpeg_start_decompress(&codec);
    if (!job.image.Create(static_cast<int>(codec.output_width), static_cast<int>(codec.output_height), bpp,
                          kImageFormatJpeg))
        JpegFail(*common, "Out of memory");
    if (bpp == 8)
        job.image.SetGrayPalette();
    const int height = job.image.GetHeight();
    while (codec.output_scanline < codec.output_height) {
        JSAMPROW row = job.image.GetBits(height - 1 - static_cast<int>(codec.output_scanline));
        if (jpeg_read_scanlines(&codec, &row, 1) != 1)
            JpegFail(*common, "JPEG data ended");
    }
    jpeg_finish_decompress(&codec);
    return true;
}

}  // namespace

bool DecodeJpegForThumbnail(const char* path, int longSide, CxImage& image, int& width, int& height)
{
    std::FILE* stream = std::fopen(path, "rb");
    if (!stream)
        return false;
    bool decoded = false;
    {
        CImageDiskFile file(stream, false);
        ScaledJpegJob job(image, file);
        decoded = RunScaledDecode(job, longSide);
        width = job.width;
        height = job.height;
    }
    std::fclose(stream);
    if (!decoded)
        image.Destroy();
    return decoded && image.IsValid();
}
