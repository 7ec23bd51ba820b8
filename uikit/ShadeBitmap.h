#pragma once
// CShadeBitmap: a small device-independent bitmap held in memory (header,
// palette and bits in one block) that the program renders faces into pixel by
// pixel, and blits through a DIB section cached on first use.

#include "framework/Gdi.h"

#include <windows.h>

#include <vector>

class CShadeBitmap
{
public:
    CShadeBitmap() = default;
    ~CShadeBitmap() { Clear(); }
    CShadeBitmap(const CShadeBitmap&) = delete;
    CShadeBitmap& operator=(const CShadeBitmap&) = delete;

    // A blank bitmap of that size and depth (1, 4 or 8 bits give a palette of
    // 2, 16 or 256 entries, other depths none). The block, or null when it
    // could not be allocated.
    BYTE* Create(int width, int height, int bitsPerPixel);
    void Clear();

    BYTE* GetBits();
    const BYTE* GetBits() const;
    RGBQUAD* GetPalette();
    const RGBQUAD* GetPalette() const;
    int GetWidth() const { return m_header.biWidth; }
    int GetHeight() const { return m_header.biHeight; }
    int GetLineWidth() const { return m_lineWidth; }
    int GetColorCount() const { return m_colorCount; }

    void SetPaletteIndex(int index, BYTE red, BYTE green, BYTE blue);
    // Every palette entry moves `percent` (at most 100) of the way to `color`.
    void BlendPalette(COLORREF color, int percent);
    void Fill(BYTE value);
    // Rows are stored bottom-up; (0, 0) is the top-left pixel.
    void SetPixelIndex(int x, int y, BYTE index);
    // The palette index at (x, y) of an 8-bit bitmap, 0 outside.
    BYTE GetPixelIndex(int x, int y) const;
    bool Copy(const CShadeBitmap& other);

    // Blits the whole bitmap to (x, y); draws nothing when the DIB section
    // cannot be made.
    void Draw(HDC dc, int x, int y);

private:
    int PaletteBytes() const { return m_colorCount * static_cast<int>(sizeof(RGBQUAD)); }
    void ReleaseSection();

    std::vector<BYTE> m_block;  // header, palette, bits
    BITMAPINFOHEADER m_header{};
    int m_lineWidth = 0;
    int m_colorCount = 0;

    CBitmap m_section;
    void* m_sectionBits = nullptr;
    CMemoryDC m_dc;
    HGDIOBJ m_oldBitmap = nullptr;
};
