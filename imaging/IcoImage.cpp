// The ICO codec: one icon of an icon file in, a one-icon file out.
#include "imaging/IcoImage.h"

#include "imaging/CodecIo.h"
#include "imaging/ImageFile.h"
#include "imaging/xImage.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <cstring>
#include <new>
#include <vector>

using namespace codec_io;

namespace {

constexpr std::size_t kDirectoryHeaderBytes = 6;
constexpr std::size_t kDirectoryEntryBytes = 16;
constexpr int kMaxIconSide = 255;
constexpr BYTE kPngSignature[8] = {0x89, 'P', 'N', 'G', 0x0D, 0x0A, 0x1A, 0x0A};

struct IconEntry {
    int width = 0;   // 0 in the file means 256
    int height = 0;
    int colorCount = 0;
    int bitCount = 0;
    DWORD bytesInResource = 0;
    DWORD imageOffset = 0;
};

IconEntry ParseEntry(const BYTE* bytes)
{
    IconEntry entry;
    entry.width = bytes[0] ? bytes[0] : 256;
    entry.height = bytes[1] ? bytes[1] : 256;
    entry.colorCount = bytes[2];
    entry.bitCount = Le16(bytes + 6);
    entry.bytesInResource = Le32(bytes + 8);
    entry.imageOffset = Le32(bytes + 12);
    return entry;
}

// The depth the directory entry suggests, for an info header that gives none.
int DepthFromEntry(const IconEntry& entry)
{
    if (entry.colorCount == 0)
        return entry.bitCount >= 9 ? entry.bitCount : 8;
    if (entry.colorCount <= 2)
        return 1;
    if (entry.colorCount <= 16)
        return 4;
    return 8;
}

std::uint64_t MaskRowBytes(std::uint64_t width)
{
    return (width + 31) / 32 * 4;
}

bool MaskBit(const BYTE* mask, std::size_t maskRow, int x, int y)
{
    return (mask[static_cast<std::size_t>(y) * maskRow + static_cast<std::size_t>(x) / 8] >> (7 - x % 8)) & 1;
}

// A PNG-compressed icon, decoded by the PNG codec.
const char* DecodePngIcon(CxImage& image, CImageFile& file, const IconEntry& entry)
{
    if (entry.bytesInResource > kMaxImageBytes)
        return "Image too large";
    if (Lacks(file, entry.bytesInResource))
        return "Icon data truncated";
    std::vector<BYTE> png;
    try {
        png.resize(entry.bytesInResource);
    } catch (const std::bad_alloc&) {
        return "Can't allocate memory";
    }
    if (!ReadExact(file, png.data(), png.size()))
        return "Icon data truncated";
    CxImage decoded(kImageFormatPng);
    if (!decoded.DecodeMemory(png.data(), png.size(), kImageFormatPng)) {
        image.SetLastError(decoded.GetLastError());
        return *image.GetLastError() ? image.GetLastError() : "Can't read PNG icon";
    }
    const int frameCount = image.GetIconFrameCount();
    const int frame = image.GetIconFrame();
    image.Transfer(decoded);
    image.SetFormat(kImageFormatIco);
    image.SetIconFrameCount(frameCount);
    image.SetIconFrame(frame);
    return nullptr;
}

// Gives the pixels under the AND mask the lowest palette index that no
// visible pixel uses and makes it the background index, so they draw
// transparently. Pixels under the mask do not count as using their index: an
// icon this program saved keeps its transparent index when read again.
void ApplyAndMask(CxImage& image, const BYTE* mask, std::size_t maskRow)
{
    const int width = image.GetWidth();
    const int height = image.GetHeight();
    std::array<bool, 256> used{};
    bool anyMasked = false;
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            if (MaskBit(mask, maskRow, x, y))
                anyMasked = true;
            else
                used[image.GetPixelIndex(x, y)] = true;
        }
    }
    if (!anyMasked)
        return;
    const DWORD colors = image.GetNumColors();
    DWORD free = 0;
    while (free < colors && used[free])
        ++free;
    if (free >= colors)
        return;  // every index shows: the transparency cannot be kept
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            if (MaskBit(mask, maskRow, x, y))
                image.SetPixelIndex(x, y, static_cast<BYTE>(free));
        }
    }
    image.SetBackgroundIndex(static_cast<int>(free));
}

const char* DecodeIco(CxImage& image, CImageFile& file)
{
    const std::int32_t start = file.Tell();
    BYTE directory[kDirectoryHeaderBytes] = {};
    if (start < 0 || !ReadExact(file, directory, sizeof(directory)))
        return "Not an icon file";
    if (Le16(directory) != 0 || Le16(directory + 2) != 1)
        return "Not an icon file";
    const int count = Le16(directory + 4);
    image.SetIconFrameCount(count);

    const int frame = image.GetIconFrame();
    if (frame < 0 || frame >= count)
        return "Icon not found in file";
    const std::size_t entriesBytes = static_cast<std::size_t>(count) * kDirectoryEntryBytes;
    if (Lacks(file, entriesBytes))
        return "Icon directory truncated";
    std::vector<BYTE> entries(entriesBytes);
    if (!ReadExact(file, entries.data(), entries.size()))
        return "Icon directory truncated";
    const IconEntry entry = ParseEntry(entries.data() + static_cast<std::size_t>(frame) * kDirectoryEntryBytes);

    const std::int64_t imageStart = static_cast<std::int64_t>(start) + entry.imageOffset;
    if (imageStart > INT32_MAX || !file.Seek(static_cast<std::int32_t>(imageStart), 0) || Lacks(file, 8))
        return "Icon data truncated";

    BYTE signature[sizeof(kPngSignature)] = {};
    if (!ReadExact(file, signature, sizeof(signature)) || !file.Seek(static_cast<std::int32_t>(imageStart), 0))
        return "Icon data truncated";
    if (std::memcmp(signature, kPngSignature, sizeof(kPngSignature)) == 0)
        return DecodePngIcon(image, file, entry);

    // The icon's own info header describes the data that follows it; the
    // directory entry only stands in for what the header leaves out.
    BYTE headerBytes[sizeof(BITMAPINFOHEADER)] = {};
    if (!ReadExact(file, headerBytes, sizeof(headerBytes)))
        return "Icon data truncated";
    const DWORD headerSize = Le32(headerBytes);
    const std::int64_t width = static_cast<LONG>(Le32(headerBytes + 4));
    const std::int64_t doubleHeight = static_cast<LONG>(Le32(headerBytes + 8));
    int bitCount = Le16(headerBytes + 14);
    const DWORD compression = Le32(headerBytes + 16);
    const DWORD colorsUsed = Le32(headerBytes + 32);
    if (headerSize != sizeof(BITMAPINFOHEADER))
        return "Invalid icon header";
    if (compression != BI_RGB)
        return "Icon compression not supported";
    if (bitCount == 0)
        bitCount = DepthFromEntry(entry);
    if (bitCount != 1 && bitCount != 4 && bitCount != 8 && bitCount != 24 && bitCount != 32)
        return "Unsupported icon bit depth";
    if (colorsUsed > 256)
        return "Invalid icon header";
    // The header's height covers the colour rows and the AND mask rows.
    const std::int64_t height = doubleHeight / 2;
    if (width < 1 || height < 1 || width > 0x10000 || height > 0x10000)
        return "Invalid image size";

    const std::uint64_t tableEntries =
        bitCount <= 8 ? (colorsUsed ? colorsUsed : (1u << bitCount)) : colorsUsed;
    const std::uint64_t paletteEntries = bitCount <= 8 ? std::min<std::uint64_t>(tableEntries, 1u << bitCount) : 0;
    const std::uint64_t sourceRow =
        bitCount == 32 ? static_cast<std::uint64_t>(width) * 4 : (static_cast<std::uint64_t>(width) * bitCount + 31) / 32 * 4;
    const std::uint64_t pixelBytes = sourceRow * static_cast<std::uint64_t>(height);
    const std::uint64_t maskRow = MaskRowBytes(static_cast<std::uint64_t>(width));
    const std::uint64_t maskBytes = bitCount <= 8 ? maskRow * static_cast<std::uint64_t>(height) : 0;
    if (pixelBytes > kMaxImageBytes)
        return "Image too large";
    if (Lacks(file, tableEntries * 4 + pixelBytes + maskBytes))
        return "Icon data truncated";

    if (!image.Create(static_cast<int>(width), static_cast<int>(height), bitCount, kImageFormatIco))
        return *image.GetLastError() ? image.GetLastError() : "Can't allocate memory";
    if (image.IsCancelled())
        return "Cancelled";

    if (bitCount <= 8) {
        std::vector<BYTE> table(static_cast<std::size_t>(tableEntries * 4));
        if (!ReadExact(file, table.data(), table.size()))
            return "Icon data truncated";
        for (std::size_t i = 0; i < paletteEntries; ++i)
            image.SetPaletteColor(static_cast<BYTE>(i), RGBQUAD{table[i * 4], table[i * 4 + 1], table[i * 4 + 2], 0});
    } else if (tableEntries > 0) {
        if (tableEntries * 4 > INT32_MAX || !file.Seek(static_cast<std::int32_t>(tableEntries * 4), 1))
            return "Icon data truncated";
    }

    if (bitCount == 32) {
        std::vector<BYTE> source;
        try {
            source.resize(static_cast<std::size_t>(pixelBytes));
        } catch (const std::bad_alloc&) {
            return "Can't allocate memory";
        }
        if (!ReadExact(file, source.data(), source.size()) ||
            !image.ConvertBitfieldDib(source.data(), source.size(), 0, 0, 0, 32))
            return "Icon data truncated";
        return nullptr;  // the alpha channel is not kept
    }
    if (!ReadExact(file, image.GetBits(), static_cast<std::size_t>(pixelBytes)))
        return "Icon data truncated";
    if (bitCount == 24)
        return nullptr;

    std::vector<BYTE> mask(static_cast<std::size_t>(maskBytes));
    if (!ReadExact(file, mask.data(), mask.size()))
        return "Icon data truncated";
    ApplyAndMask(image, mask.data(), static_cast<std::size_t>(maskRow));
    return nullptr;
}

// Whether the encoder leaves a pixel out of the icon (AND mask bit 1).
class MaskRule {
public:
    explicit MaskRule(const CxImage& image)
        : m_image(image),
          m_paletteAlpha(image.HasPaletteAlpha() && image.GetBpp() <= 8),
          m_transparentIndex(image.GetBpp() <= 8 ? image.GetBackgroundIndex() : -1),
          m_transparentColor(image.GetBpp() > 8 && image.GetBackgroundIndex() != -1),
          m_color(image.GetTransColor())
    {
    }

    bool Transparent(int x, int y) const
    {
        if (m_image.HasAlpha() && m_image.AlphaGetPixel(x, y) == 0)
            return true;
        if (m_paletteAlpha && m_image.GetPixelColor(x, y).rgbReserved == 0)
            return true;
        // A palette image's transparent pixels are those of its background
        // index: another entry of the same colour stays visible.
        if (m_transparentIndex != -1)
            return m_image.GetPixelIndex(x, y) == m_transparentIndex;
        if (m_transparentColor) {
            const RGBQUAD pixel = m_image.GetPixelColor(x, y);
            return std::memcmp(&pixel, &m_color, sizeof(pixel)) == 0;
        }
        return false;
    }

private:
    const CxImage& m_image;
    bool m_paletteAlpha;
    int m_transparentIndex;
    bool m_transparentColor;
    RGBQUAD m_color;
};

const char* EncodeIco(CxImage& image, CImageFile& file)
{
    const int width = image.GetWidth();
    const int height = image.GetHeight();
    if (width > kMaxIconSide || height > kMaxIconSide)
        return "Can't save this image as icon";

    const bool withAlpha = image.GetBpp() == 24 && image.HasAlpha();
    const int bitCount = withAlpha ? 32 : image.GetBpp();
    const DWORD paletteBytes = image.GetPaletteSize();
    const std::size_t pixelRow =
        withAlpha ? static_cast<std::size_t>(width) * 4 : static_cast<std::size_t>(image.GetEffWidth());
    const std::size_t pixelBytes = pixelRow * static_cast<std::size_t>(height);
    const std::size_t maskRow = static_cast<std::size_t>(MaskRowBytes(static_cast<std::uint64_t>(width)));
    const std::size_t maskBytes = maskRow * static_cast<std::size_t>(height);

    std::vector<BYTE> mask;
    try {
        mask.assign(maskBytes, 0);
    } catch (const std::bad_alloc&) {
        return "Can't allocate memory";
    }
    const MaskRule rule(image);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            if (rule.Transparent(x, y))
                mask[static_cast<std::size_t>(y) * maskRow + static_cast<std::size_t>(x) / 8] |=
                    static_cast<BYTE>(0x80 >> (x % 8));
        }
    }

    BYTE head[kDirectoryHeaderBytes + kDirectoryEntryBytes] = {};
    PutLe16(head + 2, 1);  // type: icon
    PutLe16(head + 4, 1);  // one icon
    BYTE* entry = head + kDirectoryHeaderBytes;
    entry[0] = static_cast<BYTE>(width);
    entry[1] = static_cast<BYTE>(height);
    entry[2] = static_cast<BYTE>(image.GetNumColors());  // 256 colours are written as 0
    PutLe16(entry + 6, static_cast<WORD>(bitCount));
    PutLe32(entry + 8, static_cast<DWORD>(sizeof(BITMAPINFOHEADER) + paletteBytes + pixelBytes + maskBytes));
    PutLe32(entry + 12, sizeof(head));

    BYTE info[sizeof(BITMAPINFOHEADER)] = {};
    PutLe32(info, sizeof(BITMAPINFOHEADER));
    PutLe32(info + 4, static_cast<DWORD>(width));
    PutLe32(info + 8, static_cast<DWORD>(height * 2));
    PutLe16(info + 12, 1);
    PutLe16(info + 14, static_cast<WORD>(bitCount));
    PutLe32(info + 20, static_cast<DWORD>(pixelBytes));

    if (!WriteExact(file, head, sizeof(head)) || !WriteExact(file, info, sizeof(info)) ||
        !WriteExact(file, image.GetPalette(), paletteBytes))
        return "Can't write icon";
    if (withAlpha) {
        std::vector<BYTE> row(pixelRow);
        for (int y = 0; y < height; ++y) {
            const BYTE* source = image.GetBits(y);
            for (int x = 0; x < width; ++x) {
                std::memcpy(&row[static_cast<std::size_t>(x) * 4], source + static_cast<std::size_t>(x) * 3, 3);
                row[static_cast<std::size_t>(x) * 4 + 3] = image.AlphaGetPixel(x, y);
            }
            if (!WriteExact(file, row.data(), row.size()))
                return "Can't write icon";
        }
    } else if (!WriteExact(file, image.GetBits(), pixelBytes)) {
        return "Can't write icon";
    }
    if (!WriteExact(file, mask.data(), mask.size()))
        return "Can't write icon";
    return nullptr;
}

}  // namespace

bool CIcoImage::Decode(CxImage& image, CImageFile& file)
{
    if (const char* failure = DecodeIco(image, file)) {
        image.SetLastError(failure);
        return false;
    }
    return true;
}

bool CIcoImage::Encode(CxImage& image, CImageFile& file)
{
    if (!image.IsValid()) {
        image.SetLastError("No image to encode");
        return false;
    }
    if (const char* failure = EncodeIco(image, file)) {
        image.SetLastError(failure);
        return false;
    }
    return true;
}
