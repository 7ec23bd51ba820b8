// CxImage: palette and pixel accessors. Every access is checked against the
// picture; out-of-range coordinates and indices read as neutral values and are
// ignored when written.
#include "imaging/xImage.h"

#include <algorithm>
#include <cstring>
#include <utility>

RGBQUAD* CxImage::GetPalette()
{
    return m_dib && GetNumColors() ? reinterpret_cast<RGBQUAD*>(m_dib + sizeof(BITMAPINFOHEADER)) : nullptr;
}

const RGBQUAD* CxImage::GetPalette() const
{
    return m_dib && GetNumColors() ? reinterpret_cast<const RGBQUAD*>(m_dib + sizeof(BITMAPINFOHEADER)) : nullptr;
}

RGBQUAD CxImage::GetPaletteColor(BYTE index) const
{
    const RGBQUAD* palette = GetPalette();
    if (!palette || index >= GetNumColors())
        return RGBQUAD{0, 0, 0, 0};
    return palette[index];
}

void CxImage::SetPaletteColor(BYTE index, BYTE red, BYTE green, BYTE blue, BYTE alpha)
{
    SetPaletteColor(index, RGBQUAD{blue, green, red, alpha});
}

void CxImage::SetPaletteColor(BYTE index, RGBQUAD color)
{
    RGBQUAD* palette = GetPalette();
    if (palette && index < GetNumColors())
        palette[index] = color;
}

bool CxImage::GetRGB(int index, BYTE* red, BYTE* green, BYTE* blue) const
{
    const RGBQUAD* palette = GetPalette();
    if (!palette || index < 0 || static_cast<DWORD>(index) >= GetNumColors())
        return false;
    if (red)
        *red = palette[index].rgbRed;
    if (green)
        *green = palette[index].rgbGreen;
    if (blue)
        *blue = palette[index].rgbBlue;
    return true;
}

void CxImage::SetPalette(DWORD count, const BYTE* red, const BYTE* green, const BYTE* blue)
{
    RGBQUAD* palette = GetPalette();
    if (!palette || !red)
        return;
    if (!green)
        green = red;
    if (!blue)
        blue = green;
    const DWORD entries = std::min(count, GetNumColors());
    for (DWORD i = 0; i < entries; ++i)
        palette[i] = RGBQUAD{blue[i], green[i], red[i], 0};
}

void CxImage::SetPalette(const RgbTriple* colors, DWORD count)
{
    RGBQUAD* palette = GetPalette();
    if (!palette || !colors)
        return;
    const DWORD entries = std::min(count, GetNumColors());
    for (DWORD i = 0; i < entries; ++i)
        palette[i] = RGBQUAD{colors[i].blue, colors[i].green, colors[i].red, 0};
}

void CxImage::SetPalette(const RGBQUAD* colors, DWORD count)
{
    RGBQUAD* palette = GetPalette();
    if (!palette || !colors)
        return;
    std::memcpy(palette, colors, std::min(count, GetNumColors()) * sizeof(RGBQUAD));
}

void CxImage::SetGrayPalette()
{
    RGBQUAD* palette = GetPalette();
    const DWORD colors = GetNumColors();
    if (!palette || colors < 2)
        return;
    const DWORD step = 255 / (colors - 1);
    for (DWORD i = 0; i < colors; ++i) {
        const BYTE grey = static_cast<BYTE>(i * step);
        palette[i] = RGBQUAD{grey, grey, grey, 0};
    }
}

bool CxImage::IsGrayScale() const
{
    const RGBQUAD* palette = GetPalette();
    if (!palette)
        return false;
    for (DWORD i = 0; i < GetNumColors(); ++i) {
        if (palette[i].rgbBlue != i || palette[i].rgbGreen != i || palette[i].rgbRed != i)
            return false;
    }
    return true;
}

void CxImage::SwapIndex(BYTE first, BYTE second)
{
    RGBQUAD* palette = GetPalette();
    if (!palette || first >= GetNumColors() || second >= GetNumColors() || first == second)
        return;
    std::swap(palette[first], palette[second]);
    for (int y = 0; y < GetHeight(); ++y) {
        for (int x = 0; x < GetWidth(); ++x) {
            const BYTE index = GetPixelIndex(x, y);
            if (index == first)
                SetPixelIndex(x, y, second);
            else if (index == second)
                SetPixelIndex(x, y, first);
        }
    }
}

BYTE CxImage::GetNearestIndex(RGBQUAD color) const
{
    const RGBQUAD* palette = GetPalette();
    if (!palette)
        return 0;
    long best = 200000;
    BYTE nearest = 0;
    for (DWORD i = 0; i < GetNumColors(); ++i) {
        const long blue = palette[i].rgbBlue - color.rgbBlue;
        const long green = palette[i].rgbGreen - color.rgbGreen;
        const long red = palette[i].rgbRed - color.rgbRed;
        const long distance = blue * blue + green * green + red * red;
        if (distance < best) {
            best = distance;
            nearest = static_cast<BYTE>(i);
            if (distance == 0)
                break;
        }
    }
    return nearest;
}

BYTE CxImage::GetPixelIndex(int x, int y) const
{
    if (!m_dib || GetNumColors() == 0)
        return 0;
    if (!IsInside(x, y))
        return m_info.backgroundIndex != -1 ? static_cast<BYTE>(m_info.backgroundIndex) : 0;
    const BYTE* row = GetBits(y);
    switch (GetBpp()) {
    case 8: return row[x];
    case 4: {
        const BYTE packed = row[x >> 1];
        return (x & 1) ? (packed & 0x0F) : (packed >> 4);
    }
    case 1: return (row[x >> 3] >> (7 - (x & 7))) & 1;
    default: return 0;
    }
}

void CxImage::SetPixelIndex(int x, int y, BYTE index)
{
    if (!m_dib || GetNumColors() == 0 || !IsInside(x, y))
        return;
    BYTE* row = GetBits(y);
    switch (GetBpp()) {
    case 8: row[x] = index; break;
    case 4: {
        BYTE& packed = row[x >> 1];
        if (x & 1)
            packed = static_cast<BYTE>((packed & 0xF0) | (index & 0x0F));
        else
            packed = static_cast<BYTE>((packed & 0x0F) | ((index & 0x0F) << 4));
        break;
    }
    case 1: {
        BYTE& packed = row[x >> 3];
        const BYTE bit = static_cast<BYTE>(0x80 >> (x & 7));
        packed = (index & 1) ? static_cast<BYTE>(packed | bit) : static_cast<BYTE>(packed & ~bit);
        break;
    }
    default: break;
    }
}

RGBQUAD CxImage::GetPixelColor(int x, int y) const
{
    if (!m_dib)
        return m_info.backgroundColor;
    if (!IsInside(x, y)) {
        if (GetNumColors() && m_info.backgroundIndex != -1)
            return GetPaletteColor(static_cast<BYTE>(m_info.backgroundIndex));
        return m_info.backgroundColor;
    }
    if (GetNumColors())
        return GetPaletteColor(GetPixelIndex(x, y));
    const BYTE* pixel = GetBits() + PixelOffset(x, y);
    return RGBQUAD{pixel[0], pixel[1], pixel[2], m_info.backgroundColor.rgbReserved};
}

void CxImage::SetPixelColor(int x, int y, RGBQUAD color)
{
    if (!m_dib || !IsInside(x, y))
        return;
    if (GetNumColors()) {
        SetPixelIndex(x, y, GetNearestIndex(color));
        return;
    }
    BYTE* pixel = GetBits() + PixelOffset(x, y);
    pixel[0] = color.rgbBlue;
    pixel[1] = color.rgbGreen;
    pixel[2] = color.rgbRed;
}

void CxImage::SetPixelColor(int x, int y, COLORREF color)
{
    SetPixelColor(x, y, RGBQUAD{GetBValue(color), GetGValue(color), GetRValue(color), 0});
}

void CxImage::SwapRGB2BGR(BYTE* buffer, std::size_t length) const
{
    if (!buffer || GetBpp() != 24)
        return;
    length = std::min<std::size_t>(length, m_info.rowBytes);
    for (std::size_t i = 0; i + 2 < length; i += 3)
        std::swap(buffer[i], buffer[i + 2]);
}
