// The per-file report of the benchmark program.
#include "ImageReport.h"

#include "imaging/ImageFormatFromPath.h"
#include "imaging/xImage.h"

#include <zlib.h>

#include <chrono>
#include <cstdio>

namespace {

const char* FormatName(int format)
{
    static const char* const kNames[] = {"BMP", "JPEG", "PNG", "ICO", "PCX", "WMF"};
    return format >= 0 && format < kImageFormatCount ? kNames[format] : "unknown";
}

}  // namespace

std::uint32_t PixelChecksum(const CxImage& image)
{
    uLong crc = crc32(0L, Z_NULL, 0);
    std::vector<BYTE> row(static_cast<std::size_t>(image.GetWidth()) * 3);
    for (int y = image.GetHeight() - 1; y >= 0; --y) {
        BYTE* out = row.data();
        for (int x = 0; x < image.GetWidth(); ++x, out += 3) {
            const RGBQUAD color = image.GetPixelColor(x, y);
            out[0] = color.rgbRed;
            out[1] = color.rgbGreen;
            out[2] = color.rgbBlue;
        }
        crc = crc32(crc, row.data(), static_cast<uInt>(row.size()));
    }
    return static_cast<std::uint32_t>(crc);
}

bool ReportImageFiles(const std::vector<const char*>& paths)
{
    bool allDecoded = true;
    for (const char* path : paths) {
        const int format = GetImageFormatFromPath(path);
        CxImage image(format < 0 ? kImageFormatBmp : format);
        const auto start = std::chrono::steady_clock::now();
        const bool decoded = format >= 0 && image.LoadFile(path, format);
        const double milliseconds =
            std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
        if (!decoded) {
            std::printf("%s: not decoded (%s)\n", path,
                        format < 0 ? "unknown extension" : *image.GetLastError() ? image.GetLastError() : "cannot open");
            allDecoded = false;
            continue;
        }
        std::printf("%s: %s %d x %d, %d bpp, decoded in %.1f ms, crc32 %08x\n", path, FormatName(image.GetFormat()),
                    image.GetWidth(), image.GetHeight(), image.GetBpp(), milliseconds,
                    static_cast<unsigned>(PixelChecksum(image)));
    }
    std::fflush(stdout);
    return allDecoded;
}
