// The PCX codec: the header, plane and pixel unpacking, and decoding.
#include "imaging/CodecIo.h"
#include "imaging/ImageFile.h"
#include "imaging/PcxImage.h"
#include "imaging/xImage.h"

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <new>
#include <vector>

using namespace codec_io;

namespace {

constexpr BYTE kPaletteSignature = 12;
constexpr std::size_t kPaletteBytes = 768;

// Reads the file a block at a time for the run-length decoder, and tells
// where in the file it stopped.
class BlockReader {
public:
    explicit BlockReader(CImageFile& file) : m_file(file), m_start(file.Tell()) {}

    // The next byte, or -1 at the end of the file.
    int Next()
    {
        if (m_at == m_block.size()) {
            m_start += static_cast<std::int64_t>(m_block.size());
            m_block.resize(kBlockBytes);
            m_block.resize(m_file.Read(m_block.data(), 1, kBlockBytes));
            m_at = 0;
            if (m_block.empty())
                return -1;
        }
        return m_block[m_at++];
    }
    // The file position of the next byte Next would give.
    std::int64_t Position() const { return m_start + static_cast<std::int64_t>(m_at); }

private:
    static constexpr std::size_t kBlockBytes = 64 * 1024;
    CImageFile& m_file;
    std::int64_t m_start;
    std::vector<BYTE> m_block;
    std::size_t m_at = 0;
};

// The image depth of a header's planes and bits, or 0 with the reason.
int ImageDepth(const PcxHeader& header, const char*& reason)
{
    const int bits = header.bitsPerPixel;
    const int planes = header.planes;
    reason = nullptr;
    if (planes > 4) {
        reason = "Can't handle image with more than 4 planes";
        return 0;
    }
    if (planes == 0) {
        reason = "Invalid PCX header";
        return 0;
    }
    if (bits == 8 && (planes == 3 || planes == 4))
        return 24;
    if (planes == 1) {
        if (bits == 1 || bits == 2 || bits == 4 || bits == 8)
            return bits;
        reason = "Unsupported PCX bit depth";
        return 0;
    }
    if (bits != 1) {
        reason = "Can't handle more than 1 bit per pixel";
        return 0;
    }
    // 2 to 4 planes of 1 bit give indices of as many bits.
    return planes;
}

const char* DecodePcx(CxImage& image, CImageFile& file)
{
    BYTE headerBytes[PcxHeader::kBytes] = {};
    if (!ReadExact(file, headerBytes, sizeof(headerBytes)))
        return "Can't read PCX image";
    const PcxHeader header = PcxHeader::Parse(headerBytes);
    if (header.manufacturer != 10)
        return "Error: Not a PCX file";
    if (header.encoding != 1)
        return "PCX file has unknown encoding scheme";

    const int width = static_cast<int>(header.xMax) - static_cast<int>(header.xMin) + 1;
    const int height = static_cast<int>(header.yMax) - static_cast<int>(header.yMin) + 1;
    const char* reason = nullptr;
    const int depth = ImageDepth(header, reason);
    if (depth == 0)
        return reason;
    if (width < 1 || height < 1)
        return "Invalid image size";

    // Each plane row must hold the row's pixels.
    const int planes = header.planes;
    const int bits = header.bitsPerPixel;
    const std::size_t bytesPerLine = header.bytesPerLine;
    const std::size_t usedBytes = (static_cast<std::size_t>(width) * static_cast<std::size_t>(bits) + 7) / 8;
    if (bytesPerLine < usedBytes)
        return "Invalid PCX line length";
    const std::uint64_t lineBytes = static_cast<std::uint64_t>(bytesPerLine) * static_cast<std::uint64_t>(planes);
    const std::uint64_t pictureBytes = lineBytes * static_cast<std::uint64_t>(height);
    if (pictureBytes > kMaxImageBytes)
        return "Image too large";
    // A run of at most 63 bytes takes two bytes of the file: a shorter file
    // cannot hold the picture.
    if (Lacks(file, (pictureBytes + 62) / 63 * 2))
        return "corrupted PCX";

    if (!image.Create(width, height, depth, kImageFormatBmp))
        return *image.GetLastError() ? image.GetLastError() : "Can't allocate memory";
    image.SetXDPI(header.hResolution);
    image.SetYDPI(header.vResolution);
    if (depth == 24 && planes == 4 && !image.AlphaCreate())
        return "Can't allocate memory";
    if (image.IsCancelled())
        return "Cancelled";

    std::vector<BYTE> picture;
    try {
        picture.resize(static_cast<std::size_t>(pictureBytes));
    } catch (const std::bad_alloc&) {
        return "Can't allocate memory";
    }
    BlockReader reader(file);
    for (std::size_t filled = 0; filled < picture.size();) {
        const int byte = reader.Next();
        if (byte < 0)
            return "corrupted PCX";
        if ((byte & 0xC0) != 0xC0) {
            picture[filled++] = static_cast<BYTE>(byte);
            continue;
        }
        const std::size_t count = static_cast<std::size_t>(byte & 0x3F);
        const int value = reader.Next();
        if (value < 0)
            return "corrupted PCX";
        if (count > picture.size() - filled)
            return "repeat count spans end of image";
        std::memset(picture.data() + filled, value, count);
        filled += count;
    }

    // The header's 16 colours, then the palette after the picture for 256.
    if (depth <= 8) {
        image.SetPalette(header.colorMap, 16);
        if (bits == 1 && planes == 1) {
            image.SetPaletteColor(0, 0, 0, 0);
            image.SetPaletteColor(1, 255, 255, 255);
        }
    }
    if (bits == 8 && planes == 1) {
        BYTE palette[1 + kPaletteBytes] = {};
        const std::int64_t afterPicture = reader.Position();
        bool found = afterPicture <= INT32_MAX && file.Seek(static_cast<std::int32_t>(afterPicture), 0) &&
                     ReadExact(file, palette, sizeof(palette)) && palette[0] == kPaletteSignature;
        // Some writers leave bytes between the picture and the palette, which
        // then ends the file.
        if (!found) {
            const std::int32_t size = file.Size();
            found = size >= static_cast<std::int32_t>(sizeof(palette)) && size - static_cast<std::int64_t>(sizeof(palette)) >= afterPicture &&
                    file.Seek(size - static_cast<std::int32_t>(sizeof(palette)), 0) &&
                    ReadExact(file, palette, sizeof(palette)) && palette[0] == kPaletteSignature;
        }
        if (!found)
            return "bad color map signature";
        image.SetPalette(reinterpret_cast<const RgbTriple*>(palette + 1), 256);
    }

    std::vector<BYTE> indices(static_cast<std::size_t>(width));
    for (int fileRow = 0; fileRow < height; ++fileRow) {
        if (image.IsCancelled())
            return "Cancelled";
        const int row = height - 1 - fileRow;
        const BYTE* line = picture.data() + static_cast<std::size_t>(fileRow) * static_cast<std::size_t>(lineBytes);
        if (depth == 24) {
            BYTE* pixel = image.GetBits(row);
            for (int x = 0; x < width; ++x, pixel += 3) {
                pixel[2] = line[x];
                pixel[1] = line[bytesPerLine + static_cast<std::size_t>(x)];
                pixel[0] = line[2 * bytesPerLine + static_cast<std::size_t>(x)];
                if (planes == 4)
                    image.AlphaSetPixel(x, row, line[3 * bytesPerLine + static_cast<std::size_t>(x)]);
            }
            continue;
        }
        if (planes == 1)
            PcxUnpackPixels(indices.data(), line, indices.size(), bits);
        else
            PcxPlanesToPixels(indices.data(), line, indices.size(), bytesPerLine, planes);
        for (int x = 0; x < width; ++x)
            image.SetPixelIndex(x, row, indices[static_cast<std::size_t>(x)]);
    }
    return nullptr;
}

}  // namespace

PcxHeader PcxHeader::Parse(const BYTE* bytes)
{
    PcxHeader header;
    header.manufacturer = bytes[0];
    header.version = bytes[1];
    header.encoding = bytes[2];
    header.bitsPerPixel = bytes[3];
    header.xMin = Le16(bytes + 4);
    header.yMin = Le16(bytes + 6);
    header.xMax = Le16(bytes + 8);
    header.yMax = Le16(bytes + 10);
    header.hResolution = Le16(bytes + 12);
    header.vResolution = Le16(bytes + 14);
    std::memcpy(header.colorMap, bytes + 16, sizeof(header.colorMap));
    header.planes = bytes[65];
    header.bytesPerLine = Le16(bytes + 66);
    return header;
}

void PcxHeader::Store(BYTE* bytes) const
{
    std::memset(bytes, 0, kBytes);
    bytes[0] = manufacturer;
    bytes[1] = version;
    bytes[2] = encoding;
    bytes[3] = bitsPerPixel;
    PutLe16(bytes + 4, xMin);
    PutLe16(bytes + 6, yMin);
    PutLe16(bytes + 8, xMax);
    PutLe16(bytes + 10, yMax);
    PutLe16(bytes + 12, hResolution);
    PutLe16(bytes + 14, vResolution);
    std::memcpy(bytes + 16, colorMap, sizeof(colorMap));
    bytes[65] = planes;
    PutLe16(bytes + 66, bytesPerLine);
}

void PcxPlanesToPixels(BYTE* indices, const BYTE* planes, std::size_t width, std::size_t bytesPerLine,
                       int planeCount)
{
    std::memset(indices, 0, width);
    for (int plane = 0; plane < planeCount; ++plane) {
        const BYTE* bytes = planes + static_cast<std::size_t>(plane) * bytesPerLine;
        for (std::size_t x = 0; x < width; ++x) {
            if ((bytes[x / 8] >> (7 - x % 8)) & 1)
                indices[x] = static_cast<BYTE>(indices[x] | (1u << plane));
        }
    }
}

void PcxUnpackPixels(BYTE* indices, const BYTE* plane, std::size_t width, int bitsPerPixel)
{
    const std::size_t perByte = 8 / static_cast<std::size_t>(bitsPerPixel);
    const unsigned mask = (1u << bitsPerPixel) - 1;
    for (std::size_t x = 0; x < width; ++x) {
        const std::size_t shift = (perByte - 1 - x % perByte) * static_cast<std::size_t>(bitsPerPixel);
        indices[x] = static_cast<BYTE>((plane[x / perByte] >> shift) & mask);
    }
}

bool CPcxImage::Decode(CxImage& image, CImageFile& file)
{
    if (const char* failure = DecodePcx(image, file)) {
        image.SetLastError(failure);
        return false;
    }
    return true;
}
