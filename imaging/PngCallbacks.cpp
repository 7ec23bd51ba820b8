// libpng's callbacks over a CImageFile, and the 2-bit row widening.
#include "imaging/PngCallbacks.h"

#include "imaging/ImageFile.h"
#include "imaging/xImage.h"

namespace {

CImageFile& FileOf(png_structp png)
{
    return *static_cast<CImageFile*>(png_get_io_ptr(png));
}

}  // namespace

extern "C" {

void PngReadData(png_structp png, png_bytep data, size_t length)
{
    if (FileOf(png).Read(data, 1, length) != length)
        png_error(png, "Read Error");
}

void PngWriteData(png_structp png, png_bytep data, size_t length)
{
    if (FileOf(png).Write(data, 1, length) != length)
        png_error(png, "Write Error");
}

void PngFlushData(png_structp png)
{
    if (!FileOf(png).Flush())
        png_error(png, "Flush Error");
}

void PngErrorFn(png_structp png, png_const_charp message)
{
    if (auto* image = static_cast<CxImage*>(png_get_error_ptr(png)))
        image->SetLastError(message);
    png_longjmp(png, 1);
}

void PngWarningFn(png_structp /*png*/, png_const_charp /*message*/) {}

}  // extern "C"

void PngExpand2To4(BYTE* row, std::size_t width)
{
    // Backwards, every 2-bit source byte is read before its place is written.
    for (std::size_t x = width; x-- > 0;) {
        const BYTE value = static_cast<BYTE>((row[x / 4] >> (6 - 2 * (x % 4))) & 0x03);
        BYTE& target = row[x / 2];
        target = (x % 2 == 0) ? static_cast<BYTE>((target & 0x0F) | (value << 4))
                              : static_cast<BYTE>((target & 0xF0) | value);
    }
}
