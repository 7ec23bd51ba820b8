#include "uikit/ShadeBitmap.h"

#include <algorithm>
#include <cstring>
#include <new>

BYTE* CShadeBitmap::Create(int width, int height, int bitsPerPixel)
{
    Clear();
    switch (bitsPerPixel) {
    case 1:
        m_colorCount = 2;
        break;
    case 4:
        m_colorCount = 16;
        break;
    case 8:
        m_colorCount = 256;
        break;
    default:
        m_colorCount = 0;
        break;
    }
    m_lineWidth = (width * bitsPerPixel + 31) / 32 * 4;

    BITMAPINFOHEADER header{};
    header.biSize = sizeof(BITMAPINFOHEADER);
    header.biWidth = width;
    header.biHeight = height;
    header.biPlanes = 1;
    header.biBitCount = static_cast<WORD>(bitsPerPixel);
    header.biCompression = BI_RGB;
    header.biSizeImage = static_cast<DWORD>(m_lineWidth) * static_cast<DWORD>(height);

    try {
        m_block.assign(sizeof(BITMAPINFOHEADER) + PaletteBytes() + header.biSizeImage, 0);
    } catch (const std::bad_alloc&) {
        Clear();
        return nullptr;
    }
    m_header = header;
    std::memcpy(m_block.data(), &header, sizeof header);
    return m_block.data();
}

void CShadeBitmap::ReleaseSection()
{
    if (m_oldBitmap && m_dc.m_hDC)
        ::SelectObject(m_dc.m_hDC, m_oldBitmap);
    m_oldBitmap = nullptr;
    m_dc.DeleteDC();
    m_section.Reset();
    m_sectionBits = nullptr;
}

void CShadeBitmap::Clear()
{
    ReleaseSection();
    std::vector<BYTE>().swap(m_block);
    m_header = BITMAPINFOHEADER{};
    m_lineWidth = 0;
    m_colorCount = 0;
}

BYTE* CShadeBitmap::GetBits()
{
    return m_block.empty() ? nullptr : m_block.data() + sizeof(BITMAPINFOHEADER) + PaletteBytes();
}

const BYTE* CShadeBitmap::GetBits() const
{
    return m_block.empty() ? nullptr : m_block.data() + sizeof(BITMAPINFOHEADER) + PaletteBytes();
}

RGBQUAD* CShadeBitmap::GetPalette()
{
    return m_block.empty() || !m_colorCount ? nullptr
                                            : reinterpret_cast<RGBQUAD*>(m_block.data() + sizeof(BITMAPINFOHEADER));
}

const RGBQUAD* CShadeBitmap::GetPalette() const
{
    return m_block.empty() || !m_colorCount
               ? nullptr
               : reinterpret_cast<const RGBQUAD*>(m_block.data() + sizeof(BITMAPINFOHEADER));
}

void CShadeBitmap::SetPaletteIndex(int index, BYTE red, BYTE green, BYTE blue)
{
    RGBQUAD* palette = GetPalette();
    if (!palette || index < 0 || index >= m_colorCount)
        return;
    palette[index] = RGBQUAD{blue, green, red, 0};
}

void CShadeBitmap::BlendPalette(COLORREF color, int percent)
{
    RGBQUAD* palette = GetPalette();
    if (!palette)
        return;
    percent = std::clamp(percent, 0, 100);
    auto blend = [percent](BYTE toward, BYTE old) {
        return static_cast<BYTE>((toward * percent + old * (100 - percent)) / 100);
    };
    for (int i = 0; i < m_colorCount; ++i) {
        palette[i].rgbRed = blend(GetRValue(color), palette[i].rgbRed);
        palette[i].rgbGreen = blend(GetGValue(color), palette[i].rgbGreen);
        palette[i].rgbBlue = blend(GetBValue(color), palette[i].rgbBlue);
    }
}

void CShadeBitmap::Fill(BYTE value)
{
    if (BYTE* bits = GetBits())
        std::memset(bits, value, m_header.biSizeImage);
}

void CShadeBitmap::SetPixelIndex(int x, int y, BYTE index)
{
    BYTE* bits = GetBits();
    if (!bits || !m_colorCount || x < 0 || y < 0 || x >= GetWidth() || y >= GetHeight())
        return;
    bits[(GetHeight() - y - 1) * m_lineWidth + x] = index;
}

BYTE CShadeBitmap::GetPixelIndex(int x, int y) const
{
    const BYTE* bits = GetBits();
    if (!bits || m_header.biBitCount != 8 || x < 0 || y < 0 || x >= GetWidth() || y >= GetHeight())
        return 0;
    return bits[(GetHeight() - y - 1) * m_lineWidth + x];
}

bool CShadeBitmap::Copy(const CShadeBitmap& other)
{
    if (&other == this)
        return true;
    if (other.m_block.empty()) {
        Clear();
        return true;
    }
    if (!Create(other.GetWidth(), other.GetHeight(), other.m_header.biBitCount))
        return false;
    std::memcpy(m_block.data(), other.m_block.data(), m_block.size());
    return true;
}

void CShadeBitmap::Draw(HDC dc, int x, int y)
{
    if (m_block.empty() || !dc)
        return;
    const auto* info = reinterpret_cast<const BITMAPINFO*>(m_block.data());
    if (!m_section.IsValid()) {
        m_section.Attach(::CreateDIBSection(dc, info, DIB_RGB_COLORS, &m_sectionBits, nullptr, 0));
        if (!m_section.IsValid() || !m_sectionBits) {
            ReleaseSection();
            return;
        }
    }
    if (!m_dc.m_hDC) {
        if (!m_dc.CreateCompatibleDC(dc))
            return;
        m_oldBitmap = ::SelectObject(m_dc.m_hDC, m_section);
    }
    ::GdiFlush();
    std::memcpy(m_sectionBits, GetBits(), m_header.biSizeImage);
    // The palette may have been blended since the section was made.
    if (m_colorCount)
        ::SetDIBColorTable(m_dc.m_hDC, 0, static_cast<UINT>(m_colorCount), GetPalette());
    ::BitBlt(dc, x, y, GetWidth(), GetHeight(), m_dc.m_hDC, 0, 0, SRCCOPY);
}
