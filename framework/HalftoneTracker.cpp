#include "framework/HalftoneTracker.h"

CBrush MakeHalftoneBrush()
{
    WORD pattern[8];
    for (int row = 0; row < 8; ++row)
        pattern[row] = static_cast<WORD>(0x5555 << (row & 1));
    CBitmap bitmap(::CreateBitmap(8, 8, 1, 1, pattern));
    CBrush brush;
    if (bitmap.IsValid())
        brush.CreatePatternBrush(bitmap);
    return brush;
}

void InvertHalftone(HDC dc, const RECT& rect, int thickness)
{
    const CBrush brush = MakeHalftoneBrush();
    if (!dc || !brush.IsValid())
        return;
    CSelectGuard selected(dc, brush);
    const int width = rect.right - rect.left;
    const int height = rect.bottom - rect.top;
    if (thickness <= 0 || thickness * 2 >= width || thickness * 2 >= height) {
        ::PatBlt(dc, rect.left, rect.top, width, height, PATINVERT);
        return;
    }
    ::PatBlt(dc, rect.left, rect.top, width, thickness, PATINVERT);
    ::PatBlt(dc, rect.left, rect.bottom - thickness, width, thickness, PATINVERT);
    ::PatBlt(dc, rect.left, rect.top + thickness, thickness, height - 2 * thickness, PATINVERT);
    ::PatBlt(dc, rect.right - thickness, rect.top + thickness, thickness, height - 2 * thickness, PATINVERT);
}
