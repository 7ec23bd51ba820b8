// CxImage: packed DIBs (a header, a colour table or bit masks, then the pixel
// rows: the clipboard's form) and the conversion of 16- and 32-bit pixels.
#include "imaging/xImage.h"

#include <algorithm>
#include <cstring>

namespace {

// Where a channel's bits lie inside a pixel word.
struct ChannelMask {
    DWORD mask = 0;
    int shift = 0;  // position of the lowest set bit
    int bits = 0;   // number of set bits
};

ChannelMask MakeChannelMask(DWORD mask, int bpp)
{
    ChannelMask channel;
    channel.mask = bpp == 16 ? mask & 0xFFFF : mask;
    if (channel.mask == 0)
        return channel;
    while (!((channel.mask >> channel.shift) & 1))
        ++channel.shift;
    for (DWORD rest = channel.mask; rest; rest &= rest - 1)
        ++channel.bits;
    return channel;
}

// The channel of a pixel on the full 0..255 scale: a short channel repeats
// its bits downwards, so that its largest value is 255 and not, say, 248.
BYTE ChannelValue(DWORD word, const ChannelMask& channel)
{
    if (channel.bits == 0)
        return 0;
    const DWORD value = (word & channel.mask) >> channel.shift;
    if (channel.bits >= 8)
        return static_cast<BYTE>(value >> (channel.bits - 8));
    DWORD expanded = 0;
    for (int filled = 0; filled < 8; filled += channel.bits)
        expanded = (expanded << channel.bits) | value;
    const int filledBits = (8 + channel.bits - 1) / channel.bits * channel.bits;
    return static_cast<BYTE>(expanded >> (filledBits - 8));
}

DWORD ReadDword(const BYTE* bytes)
{
    return static_cast<DWORD>(bytes[0]) | (static_cast<DWORD>(bytes[1]) << 8) |
           (static_cast<DWORD>(bytes[2]) << 16) | (static_cast<DWORD>(bytes[3]) << 24);
}

}  // namespace

bool CxImage::ConvertBitfieldDib(const BYTE* source, std::size_t sourceSize, DWORD redMask, DWORD greenMask,
                                 DWORD blueMask, int bpp)
{
    if (!m_dib || !source || GetBpp() != 24 || (bpp != 16 && bpp != 32))
        return false;
    const std::size_t width = static_cast<std::size_t>(GetWidth());
    const std::size_t height = static_cast<std::size_t>(GetHeight());
    const std::size_t sourceRow = bpp == 16 ? (width + 1) / 2 * 4 : width * 4;
    if (sourceSize / sourceRow < height)
        return false;

    BYTE* pixels = GetBits();
    const std::size_t rowBytes = GetEffWidth();
    if (redMask == 0 && greenMask == 0 && blueMask == 0) {
        // No masks at all: the depth's usual layout.
        redMask = bpp == 32 ? 0x00FF0000 : 0x7C00;
        greenMask = bpp == 32 ? 0x0000FF00 : 0x03E0;
        blueMask = bpp == 32 ? 0x000000FF : 0x001F;
    }
    const ChannelMask red = MakeChannelMask(redMask, bpp);
    const ChannelMask green = MakeChannelMask(greenMask, bpp);
    const ChannelMask blue = MakeChannelMask(blueMask, bpp);
    if (bpp == 16) {
        // From the last pixel backwards: the 24-bit result never overtakes 16-bit
        // data not yet read when both share one buffer.
        for (std::size_t y = height; y-- > 0;) {
            for (std::size_t x = width; x-- > 0;) {
                const BYTE* word = source + y * sourceRow + x * 2;
                const DWORD value = static_cast<DWORD>(word[0]) | (static_cast<DWORD>(word[1]) << 8);
                BYTE* pixel = pixels + y * rowBytes + x * 3;
                const BYTE b = ChannelValue(value, blue);
                const BYTE g = ChannelValue(value, green);
                const BYTE r = ChannelValue(value, red);
                pixel[0] = b;
                pixel[1] = g;
                pixel[2] = r;
            }
        }
        return true;
    }
    for (std::size_t y = 0; y < height; ++y) {
        for (std::size_t x = 0; x < width; ++x) {
            const DWORD value = ReadDword(source + y * sourceRow + x * 4);
            BYTE* pixel = pixels + y * rowBytes + x * 3;
            pixel[0] = ChannelValue(value, blue);
            pixel[1] = ChannelValue(value, green);
            pixel[2] = ChannelValue(value, red);
        }
    }
    return true;
}

bool CxImage::LoadFromPackedDib(const BYTE* data, std::size_t size)
{
    BITMAPINFOHEADER header{};
    if (!data || size < sizeof(header)) {
        SetLastError("Invalid DIB");
        return false;
    }
    std::memcpy(&header, data, sizeof(header));
    // Newer headers (108 and 124 bytes) start like the 40-byte one.
    if (header.biSize < sizeof(header) || header.biSize > size) {
        SetLastError("Invalid DIB");
        return false;
    }
    const int bpp = header.biBitCount;
    if (bpp != 1 && bpp != 4 && bpp != 8 && bpp != 16 && bpp != 24 && bpp != 32) {
        SetLastError("Unsupported DIB depth");
        return false;
    }
    const bool bitFields = header.biCompression == BI_BITFIELDS && (bpp == 16 || bpp == 32);
    if (header.biCompression != BI_RGB && !bitFields) {
        SetLastError("Compressed DIB not supported");
        return false;
    }
    const std::int64_t width = header.biWidth;
    const bool topDown = header.biHeight < 0;
    const std::int64_t height = topDown ? -static_cast<std::int64_t>(header.biHeight) : header.biHeight;
    if (width < 1 || height < 1) {
        SetLastError("Invalid image size");
        return false;
    }
    if (static_cast<std::uint64_t>(width) * static_cast<std::uint64_t>(height) > kMaxImageBytes) {
        SetLastError("Image too large");
        return false;
    }

    // The masks are three words after a 40-byte header, or the header's own
    // fields in the larger headers; either way they start at byte 40.
    std::uint64_t offset = header.biSize;
    // Without bit fields: 5-5-5 in 16 bits, one byte each (blue lowest) in 32.
    DWORD redMask = bpp == 32 ? 0x00FF0000 : 0x7C00;
    DWORD greenMask = bpp == 32 ? 0x0000FF00 : 0x03E0;
    DWORD blueMask = bpp == 32 ? 0x000000FF : 0x001F;
    if (bitFields) {
        const std::uint64_t maskOffset = header.biSize >= 52 ? 40 : header.biSize;
        if (maskOffset + 12 > size) {
            SetLastError("Truncated DIB");
            return false;
        }
        redMask = ReadDword(data + maskOffset);
        greenMask = ReadDword(data + maskOffset + 4);
        blueMask = ReadDword(data + maskOffset + 8);
        if (header.biSize < 52)
            offset += 12;
    }

    // A palette image's colour count is clamped to its depth; deeper images may
    // still carry a table, which the pixels follow.
    std::uint64_t tableEntries = header.biClrUsed;
    if (bpp <= 8) {
        const std::uint64_t maxColors = 1u << bpp;
        if (tableEntries == 0 || tableEntries > maxColors)
            tableEntries = maxColors;
    }
    const std::uint64_t tableOffset = offset;
    offset += tableEntries * sizeof(RGBQUAD);

    std::uint64_t sourceRow = 0;
    if (bpp == 16)
        sourceRow = (static_cast<std::uint64_t>(width) + 1) / 2 * 4;
    else if (bpp == 32)
        sourceRow = static_cast<std::uint64_t>(width) * 4;
    else
        sourceRow = (static_cast<std::uint64_t>(width) * bpp + 31) / 32 * 4;
    const std::uint64_t pixelBytes = sourceRow * static_cast<std::uint64_t>(height);
    if (offset > size || pixelBytes > size - offset) {
        SetLastError("Truncated DIB");
        return false;
    }

    if (!Create(static_cast<int>(width), static_cast<int>(height), bpp, kImageFormatBmp))
        return false;
    SetXDPI(DpiFromPelsPerMeter(header.biXPelsPerMeter));
    SetYDPI(DpiFromPelsPerMeter(header.biYPelsPerMeter));

    const BYTE* pixels = data + offset;
    if (bpp <= 8 || bpp == 24) {
        if (GetNumColors()) {
            const DWORD entries = static_cast<DWORD>(std::min<std::uint64_t>(tableEntries, GetNumColors()));
            std::memcpy(GetPalette(), data + tableOffset, entries * sizeof(RGBQUAD));
        }
        std::memcpy(GetBits(), pixels, static_cast<std::size_t>(pixelBytes));
    } else if (!ConvertBitfieldDib(pixels, static_cast<std::size_t>(pixelBytes), redMask, greenMask, blueMask, bpp)) {
        Destroy();
        SetLastError("Invalid DIB");
        return false;
    }
    if (topDown)
        Flip();
    return true;
}
