// The PCX codec: run-length packing and encoding.
#include "imaging/CodecIo.h"
#include "imaging/ImageFile.h"
#include "imaging/PcxImage.h"
#include "imaging/xImage.h"

#include <algorithm>
#include <cstring>
#include <new>
#include <vector>

using namespace codec_io;

namespace {

constexpr int kMaxRun = 63;
constexpr BYTE kPaletteSignature = 12;

std::size_t EvenUp(std::size_t bytes)
{
    return (bytes + 1) & ~std::size_t{1};
}

// Packs one row of `width` bytes and pads an odd row with a 0 byte.
void PackBytesRow(const BYTE* bytes, std::size_t width, std::size_t stride, std::vector<BYTE>& output)
{
    PcxRun run;
    for (std::size_t x = 0; x < width; ++x)
        PcxPackByte(bytes[x * stride], run, output);
    PcxFlushRun(run, output);
    if (width % 2)
        output.push_back(0);
}

const char* EncodePcx(CxImage& image, CImageFile& file)
{
    const int width = image.GetWidth();
    const int height = image.GetHeight();
    const int bpp = image.GetBpp();
    // Corners and the even line length are 16-bit fields.
    if (width > 0xFFFE || height > 0xFFFF)
        return "Image too large for PCX";

    PcxHeader header;
    header.xMax = static_cast<WORD>(width - 1);
    header.yMax = static_cast<WORD>(height - 1);
    header.hResolution = static_cast<WORD>(std::clamp(image.GetXDPI(), 0, 0xFFFF));
    header.vResolution = static_cast<WORD>(std::clamp(image.GetYDPI(), 0, 0xFFFF));
    std::size_t bytesPerLine = 0;
    if (bpp == 8 || bpp == 24) {
        header.bitsPerPixel = 8;
        header.planes = bpp == 8 ? 1 : (image.HasAlpha() ? 4 : 3);
        bytesPerLine = static_cast<std::size_t>(width);
    } else {
        header.bitsPerPixel = 1;
        header.planes = image.GetNumColors() == 16 ? 4 : 1;
        bytesPerLine = (static_cast<std::size_t>(width) + 7) / 8;
        if (image.GetNumColors() == 2) {
            header.colorMap[1] = RgbTriple{255, 255, 255};
        } else {
            for (BYTE i = 0; i < 16; ++i) {
                const RGBQUAD color = image.GetPaletteColor(i);
                header.colorMap[i] = RgbTriple{color.rgbRed, color.rgbGreen, color.rgbBlue};
            }
        }
    }
    bytesPerLine = EvenUp(bytesPerLine);
    header.bytesPerLine = static_cast<WORD>(bytesPerLine);

    BYTE headerBytes[PcxHeader::kBytes];
    header.Store(headerBytes);
    if (!WriteExact(file, headerBytes, sizeof(headerBytes)))
        return "cannot write PCX header";

    std::vector<BYTE> output;
    try {
        if (bpp == 8) {
            for (int row = height - 1; row >= 0; --row)
                PackBytesRow(image.GetBits(row), static_cast<std::size_t>(width), 1, output);
            output.push_back(kPaletteSignature);
            for (int i = 0; i < 256; ++i) {
                const RGBQUAD color = image.GetPaletteColor(static_cast<BYTE>(i));
                output.insert(output.end(), {color.rgbRed, color.rgbGreen, color.rgbBlue});
            }
        } else if (bpp == 24) {
            std::vector<BYTE> alpha(static_cast<std::size_t>(width));
            for (int row = height - 1; row >= 0; --row) {
                const BYTE* pixels = image.GetBits(row);
                PackBytesRow(pixels + 2, static_cast<std::size_t>(width), 3, output);  // red
                PackBytesRow(pixels + 1, static_cast<std::size_t>(width), 3, output);  // green
                PackBytesRow(pixels + 0, static_cast<std::size_t>(width), 3, output);  // blue
                if (image.HasAlpha()) {
                    for (int x = 0; x < width; ++x)
                        alpha[static_cast<std::size_t>(x)] = image.AlphaGetPixel(x, row);
                    PackBytesRow(alpha.data(), alpha.size(), 1, output);
                }
            }
        } else {
            // Readers show a 1-bit picture with the header's black and white:
            // the dark colour must be index 0.
            const bool invert = bpp == 1 && CxImage::CompareColors(image.GetPaletteColor(0), image.GetPaletteColor(1)) > 0;
            std::vector<BYTE> indices(static_cast<std::size_t>(width));
            std::vector<BYTE> plane(bytesPerLine);
            for (int row = height - 1; row >= 0; --row) {
                for (int x = 0; x < width; ++x) {
                    const BYTE index = image.GetPixelIndex(x, row);
                    indices[static_cast<std::size_t>(x)] = invert ? static_cast<BYTE>(index ^ 1) : index;
                }
                for (int p = 0; p < header.planes; ++p) {
                    PcxBitPlane(indices.data(), indices.size(), plane.data(), plane.size(), p);
                    PcxPackPlane(plane.data(), plane.size(), output);
                }
            }
        }
    } catch (const std::bad_alloc&) {
        return "Can't allocate memory";
    }
    if (!WriteExact(file, output.data(), output.size()))
        return "cannot write PCX data";
    return nullptr;
}

}  // namespace

void PcxPackByte(BYTE value, PcxRun& run, std::vector<BYTE>& output)
{
    if (run.count > 0 && value == run.value && run.count < kMaxRun) {
        ++run.count;
        return;
    }
    PcxFlushRun(run, output);
    run.value = value;
    run.count = 1;
}

void PcxFlushRun(PcxRun& run, std::vector<BYTE>& output)
{
    if (run.count == 0)
        return;
    if (run.count > 1 || run.value >= 0xC0)
        output.push_back(static_cast<BYTE>(0xC0 | run.count));
    output.push_back(run.value);
    run.count = 0;
}

void PcxPackPlane(const BYTE* bytes, std::size_t length, std::vector<BYTE>& output)
{
    PcxRun run;
    for (std::size_t i = 0; i < length; ++i)
        PcxPackByte(bytes[i], run, output);
    PcxFlushRun(run, output);
}

void PcxBitPlane(const BYTE* indices, std::size_t width, BYTE* output, std::size_t bytesPerLine, int plane)
{
    std::memset(output, 0, bytesPerLine);
    for (std::size_t x = 0; x < width && x / 8 < bytesPerLine; ++x) {
        if ((indices[x] >> plane) & 1)
            output[x / 8] = static_cast<BYTE>(output[x / 8] | (0x80 >> (x % 8)));
    }
}

bool CPcxImage::Encode(CxImage& image, CImageFile& file)
{
    if (!image.IsValid()) {
        image.SetLastError("No image to encode");
        return false;
    }
    if (const char* failure = EncodePcx(image, file)) {
        image.SetLastError(failure);
        return false;
    }
    return true;
}
