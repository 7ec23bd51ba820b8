#include "view/GridPoints.h"

#include "framework/Gdi.h"
#include "label/LabelGeometry.h"

#include <algorithm>
#include <cstdint>

std::vector<int> GridPixelsOnAxis(LONG from, LONG to, int spacing, int dpi, int zoom)
{
    std::vector<int> pixels;
    if (spacing <= 0)
        return pixels;
    LONG first = std::max<LONG>(from, 0);
    if (const LONG rest = first % spacing; rest != 0)
        first += spacing - rest;
    for (LONG at = first; at < to; at += spacing) {
        // The pixels never decrease along the axis: a repeat can only be the last one.
        const int pixel = LabelGeometry::LengthToPixels(at, dpi, zoom);
        if (!pixels.empty() && pixels.back() == pixel)
            pixels.pop_back();
        else
            pixels.push_back(pixel);
    }
    return pixels;
}

void InvertGridPoints(HDC dc, const RECT& docBox, SIZE spacing, int dpi, int zoom)
{
    const std::vector<int> columns = GridPixelsOnAxis(docBox.left, docBox.right, spacing.cx, dpi, zoom);
    const std::vector<int> rows = GridPixelsOnAxis(docBox.top, docBox.bottom, spacing.cy, dpi, zoom);
    if (columns.empty() || rows.empty())
        return;
    const int left = columns.front();
    const int width = columns.back() - left + 1;

    // One row of points, every bit set where a point is: XOR with it inverts
    // those pixels exactly as DSTINVERT does and leaves the ones between alone.
    CMemoryDC rowDC(dc);
    CBitmap row;
    void* bits = nullptr;
    if (!rowDC.m_hDC || !row.CreateTopDownDIB32(rowDC.m_hDC, width, 1, &bits) || !bits)
        return;
    auto* rowPixels = static_cast<uint32_t*>(bits);
    std::fill(rowPixels, rowPixels + width, 0u);
    for (const int column : columns)
        rowPixels[column - left] = 0xFFFFFFFFu;
    CSelectGuard selected(rowDC.m_hDC, row);
    for (const int y : rows)
        ::BitBlt(dc, left, y, width, 1, rowDC.m_hDC, 0, 0, SRCINVERT);
}
