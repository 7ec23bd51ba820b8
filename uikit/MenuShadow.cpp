#include "uikit/MenuShadow.h"

#include "framework/Gdi.h"
#include "uikit/ColorHelpers.h"


namespace {

// A 32-bit top-down DIB section selected into a memory DC.
class CPixelStrip {
public:
    CPixelStrip(int width, int height) : m_width(width), m_height(height)
    {
        void* bits = nullptr;
        m_bitmap.CreateTopDownDIB32(nullptr, width, height, &bits);
        m_bits = static_cast<DWORD*>(bits);
        m_dc.CreateCompatibleDC(nullptr);
        if (m_bits)
            m_old = ::SelectObject(m_dc, m_bitmap);
    }
    ~CPixelStrip()
    {
        if (m_old)
            ::SelectObject(m_dc, m_old);
    }
    CPixelStrip(const CPixelStrip&) = delete;
    CPixelStrip& operator=(const CPixelStrip&) = delete;

    bool IsValid() const { return m_bits != nullptr; }
    HDC DC() const { return m_dc; }

    void Darken(int x, int y, int amount)
    {
        if (amount <= 0)
            return;
        DWORD& pixel = m_bits[static_cast<size_t>(y) * m_width + x];
        const COLORREF darker =
            DarkenColour(amount, RGB((pixel >> 16) & 0xFF, (pixel >> 8) & 0xFF, pixel & 0xFF));
        pixel = (static_cast<DWORD>(GetRValue(darker)) << 16) | (static_cast<DWORD>(GetGValue(darker)) << 8) |
                GetBValue(darker);
    }

private:
    int m_width;
    int m_height;
    CBitmap m_bitmap;
    DWORD* m_bits = nullptr;
    CMemoryDC m_dc;
    HGDIOBJ m_old = nullptr;  // put back before the bitmap goes
};

// How much a shadow line darkens the pixel `along` pixels from where the line
// starts: line 1 is the outermost. The first 4 pixels are the open corner,
// the next 4 fade in.
int ShadowAmount(int line, int along)
{
    if (along < kMenuShadowSize)
        return 0;
    if (along < 2 * kMenuShadowSize)
        return 6 * line * (along - kMenuShadowSize + 1);
    return 30 * line;
}

}  // namespace

void DrawMenuShadow(HDC dc, int width, int height, POINT screenPosition)
{
    if (width <= kMenuShadowSize || height <= kMenuShadowSize)
        return;
    CClientDC screen(nullptr);

    // Right edge: the whole height.
    CPixelStrip right(kMenuShadowSize, height);
    if (right.IsValid()) {
        ::BitBlt(right.DC(), 0, 0, kMenuShadowSize, height, screen, screenPosition.x + width - kMenuShadowSize,
                 screenPosition.y, SRCCOPY);
        ::GdiFlush();
        for (int column = 0; column < kMenuShadowSize; ++column) {
            const int line = kMenuShadowSize - column;  // the rightmost column is line 1
            for (int y = 0; y < height; ++y)
                right.Darken(column, y, ShadowAmount(line, y));
        }
        ::BitBlt(dc, width - kMenuShadowSize, 0, kMenuShadowSize, height, right.DC(), 0, 0, SRCCOPY);
    }

    // Bottom edge, up to the right one.
    const int bottomWidth = width - kMenuShadowSize;
    CPixelStrip bottom(bottomWidth, kMenuShadowSize);
    if (bottom.IsValid()) {
        ::BitBlt(bottom.DC(), 0, 0, bottomWidth, kMenuShadowSize, screen, screenPosition.x,
                 screenPosition.y + height - kMenuShadowSize, SRCCOPY);
        ::GdiFlush();
        for (int row = 0; row < kMenuShadowSize; ++row) {
            const int line = kMenuShadowSize - row;  // the bottom row is line 1
            for (int x = 0; x < bottomWidth; ++x)
                bottom.Darken(x, row, ShadowAmount(line, x));
        }
        ::BitBlt(dc, 0, height - kMenuShadowSize, bottomWidth, kMenuShadowSize, bottom.DC(), 0, 0, SRCCOPY);
    }
}
