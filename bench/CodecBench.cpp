// codec_bench: how fast the program's own codecs decode and encode a large
// photo-like picture, and what they make of given files.
//
//   codec_bench [--runs N] [--size WIDTHxHEIGHT] --bench FOLDER
//       makes the picture (12 megapixels by default), writes it to FOLDER as
//       photo.bmp, photo.jpg and photo.png, and times encoding and decoding
//       each N times (default 5). Prints one "RESULT" line per measurement
//       (format, operation, median milliseconds, then bytes or the pixels'
//       CRC-32) for scripts/bench.sh, which times other tools on the same files.
//   codec_bench FILE...
//       prints each file's format, size, depth, decode time and the CRC-32 of
//       its decoded pixels as rows top first of red, green, blue.
#include "BenchPicture.h"
#include "ImageReport.h"

#include "imaging/ImageCodecs.h"
#include "imaging/ImageFile.h"
#include "imaging/xImage.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

namespace {

struct BenchFormat {
    int format;
    const char* name;
    const char* file;
};

const BenchFormat kFormats[] = {
    {kImageFormatBmp, "bmp", "photo.bmp"},
    {kImageFormatJpeg, "jpeg", "photo.jpg"},
    {kImageFormatPng, "png", "photo.png"},
};

double Median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    const std::size_t middle = values.size() / 2;
    return values.size() % 2 ? values[middle] : (values[middle - 1] + values[middle]) / 2;
}

double Elapsed(std::chrono::steady_clock::time_point start)
{
    return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
}

struct FileCloser {
    void operator()(std::FILE* stream) const { std::fclose(stream); }
};

// Writes the picture to `path`: open, encode, close.
bool EncodeToFile(CxImage& image, const std::string& path, int format)
{
    std::unique_ptr<std::FILE, FileCloser> stream(std::fopen(path.c_str(), "wb"));
    if (!stream)
        return false;
    CImageDiskFile file(stream.get(), false);
    return image.Encode(file, format) && std::fflush(stream.get()) == 0;
}

long FileSize(const std::string& path)
{
    std::unique_ptr<std::FILE, FileCloser> stream(std::fopen(path.c_str(), "rb"));
    if (!stream || std::fseek(stream.get(), 0, SEEK_END) != 0)
        return -1;
    return std::ftell(stream.get());
}

int RunBenchmark(const std::string& folder, int runs, int width, int height)
{
    CxImage picture;
    if (!MakePhotoLikePicture(picture, width, height)) {
        std::printf("cannot make a %d x %d picture\n", width, height);
        return 1;
    }
    const std::uint32_t pictureCrc = PixelChecksum(picture);
    std::printf("picture: %d x %d, 24 bits, photo-like, crc32 %08x; %d runs each, medians\n", width, height,
                static_cast<unsigned>(pictureCrc), runs);
    std::printf("RESULT picture crc %08x\n", static_cast<unsigned>(pictureCrc));

    // Every decode fills a new picture; on Wine the first touch of its pages
    // is a good part of the time, so it is measured on its own.
    std::vector<double> touchTimes;
    for (int run = 0; run < runs; ++run) {
        CxImage blank;
        const auto start = std::chrono::steady_clock::now();
        if (blank.Create(width, height, 24, kImageFormatBmp))
            std::memset(blank.GetBits(), 0x80, blank.GetHeader().biSizeImage);
        touchTimes.push_back(Elapsed(start));
    }
    std::printf("a new picture, allocated and filled once: %.1f ms (part of every decode)\n", Median(touchTimes));
    std::printf("RESULT picture fill %.3f\n", Median(touchTimes));

    int failures = 0;
    for (const BenchFormat& entry : kFormats) {
        const ImageCodec codec = GetImageCodec(entry.format);
        if (!codec.decode || !codec.encode) {
            std::printf("%-5s skipped: the program has no %s codec yet\n", entry.name, entry.name);
            std::printf("RESULT %s skipped\n", entry.name);
            continue;
        }
        const std::string path = folder + "/" + entry.file;

        std::vector<double> encodeTimes;
        for (int run = 0; run < runs; ++run) {
            const auto start = std::chrono::steady_clock::now();
            const bool encoded = EncodeToFile(picture, path, entry.format);
            encodeTimes.push_back(Elapsed(start));
            if (!encoded) {
                std::printf("%-5s encode failed: %s\n", entry.name, picture.GetLastError());
                ++failures;
                break;
            }
        }
        if (encodeTimes.size() != static_cast<std::size_t>(runs))
            continue;

        std::vector<double> decodeTimes;
        std::uint32_t decodedCrc = 0;
        for (int run = 0; run < runs; ++run) {
            CxImage decoded(entry.format);
            const auto start = std::chrono::steady_clock::now();
            const bool ok = decoded.LoadFile(path.c_str(), entry.format);
            decodeTimes.push_back(Elapsed(start));
            if (!ok || decoded.GetWidth() != width || decoded.GetHeight() != height) {
                std::printf("%-5s decode failed: %s\n", entry.name, decoded.GetLastError());
                ++failures;
                break;
            }
            if (run == 0)
                decodedCrc = PixelChecksum(decoded);
        }
        if (decodeTimes.size() != static_cast<std::size_t>(runs))
            continue;

        const long bytes = FileSize(path);
        const double encodeMs = Median(encodeTimes);
        const double decodeMs = Median(decodeTimes);
        std::printf("%-5s encode %8.1f ms  decode %8.1f ms  %9ld bytes  decoded crc32 %08x%s\n", entry.name, encodeMs,
                    decodeMs, bytes, static_cast<unsigned>(decodedCrc),
                    entry.format == kImageFormatJpeg ? "" : decodedCrc == pictureCrc ? " (lossless)" : " (DIFFERS)");
        std::printf("RESULT %s encode %.3f %ld\n", entry.name, encodeMs, bytes);
        std::printf("RESULT %s decode %.3f %08x\n", entry.name, decodeMs, static_cast<unsigned>(decodedCrc));
        if (entry.format != kImageFormatJpeg && decodedCrc != pictureCrc)
            ++failures;
    }
    std::fflush(stdout);
    return failures ? 1 : 0;
}

}  // namespace

int main(int argc, char** argv)
{
    int runs = 5;
    int width = 4000;
    int height = 3000;
    const char* folder = nullptr;
    std::vector<const char*> files;
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--runs") == 0 && i + 1 < argc) {
            runs = std::max(1, std::atoi(argv[++i]));
        } else if (std::strcmp(argv[i], "--size") == 0 && i + 1 < argc) {
            if (std::sscanf(argv[++i], "%dx%d", &width, &height) != 2 || width < 1 || height < 1) {
                std::fprintf(stderr, "--size wants WIDTHxHEIGHT\n");
                return 2;
            }
        } else if (std::strcmp(argv[i], "--bench") == 0 && i + 1 < argc) {
            folder = argv[++i];
        } else {
            files.push_back(argv[i]);
        }
    }
    if (folder)
        return RunBenchmark(folder, runs, width, height);
    if (files.empty()) {
        std::fprintf(stderr, "usage: codec_bench [--runs N] [--size WxH] --bench FOLDER | codec_bench FILE...\n");
        return 2;
    }
    return ReportImageFiles(files) ? 0 : 1;
}
