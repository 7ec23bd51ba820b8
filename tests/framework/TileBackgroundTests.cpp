#include "framework/TileBackground.h"

#include "framework/Gdi.h"

#include <gtest/gtest.h>

#include <optional>

namespace {

// A 32-bit top-down DIB section selected into its own memory DC.
class PixelCanvas
{
public:
    PixelCanvas(int width, int height) : m_width(width), m_height(height)
    {
        m_bitmap.CreateTopDownDIB32(m_dc.m_hDC, width, height, reinterpret_cast<void**>(&m_bits));
        m_select.emplace(m_dc.m_hDC, m_bitmap.Get());
    }
    HDC dc() const { return m_dc.m_hDC; }
    COLORREF At(int x, int y) const
    {
        GdiFlush();
        const DWORD pixel = m_bits[y * m_width + x];
        return RGB((pixel >> 16) & 0xFF, (pixel >> 8) & 0xFF, pixel & 0xFF);
    }
    void Set(int x, int y, COLORREF color) { SetPixel(m_dc.m_hDC, x, y, color); }
    void Fill(COLORREF color)
    {
        for (int y = 0; y < m_height; ++y)
            for (int x = 0; x < m_width; ++x)
                Set(x, y, color);
    }

private:
    int m_width;
    int m_height;
    CMemoryDC m_dc{nullptr};
    CBitmap m_bitmap;
    DWORD* m_bits = nullptr;
    std::optional<CSelectGuard> m_select;
};

COLORREF TileColour(int x, int y)
{
    return RGB(40 * x + 10, 60 * y + 5, 200);
}

constexpr int kTileWidth = 3;
constexpr int kTileHeight = 2;

}  // namespace

// The tile is copied from the origin, whole tiles inside and cut ones at the
// edges, and nothing outside the rectangle is touched.
TEST(TileBackground, CoversTheRectangleWithWholeAndCutTiles)
{
    PixelCanvas tile(kTileWidth, kTileHeight);
    for (int y = 0; y < kTileHeight; ++y)
        for (int x = 0; x < kTileWidth; ++x)
            tile.Set(x, y, TileColour(x, y));

    struct Case {
        RECT rect;
        POINT origin;
    };
    const Case cases[] = {
        {{0, 0, 10, 7}, {0, 0}},     // starts at the origin
        {{5, 3, 17, 11}, {0, 0}},    // starts inside a tile on both axes
        {{4, 4, 5, 5}, {0, 0}},      // one pixel
        {{7, 2, 19, 13}, {1, 1}},    // an origin of its own
    };
    const COLORREF untouched = RGB(1, 2, 3);
    for (const Case& c : cases) {
        PixelCanvas target(20, 14);
        target.Fill(untouched);
        TileBitmap(target.dc(), c.rect, c.origin, tile.dc());
        for (int y = 0; y < 14; ++y) {
            for (int x = 0; x < 20; ++x) {
                const bool inside = x >= c.rect.left && x < c.rect.right && y >= c.rect.top && y < c.rect.bottom;
                const COLORREF expected =
                    inside ? TileColour((x - c.origin.x) % kTileWidth, (y - c.origin.y) % kTileHeight) : untouched;
                ASSERT_EQ(target.At(x, y), expected) << "pixel " << x << "," << y << " of rectangle starting "
                                                     << c.rect.left << "," << c.rect.top;
            }
        }
    }
}

TEST(TileBackground, WithoutABitmapTheRectangleIsPanelGrey)
{
    CMemoryDC empty(nullptr);
    for (HDC source : {static_cast<HDC>(nullptr), empty.m_hDC}) {
        PixelCanvas target(8, 8);
        target.Fill(RGB(0, 0, 0));
        TileBitmap(target.dc(), RECT{2, 2, 6, 6}, POINT{0, 0}, source);
        EXPECT_EQ(target.At(2, 2), kPanelGrey);
        EXPECT_EQ(target.At(5, 5), kPanelGrey);
        EXPECT_EQ(target.At(1, 1), RGB(0, 0, 0));
        EXPECT_EQ(target.At(6, 6), RGB(0, 0, 0));
    }
}
