#include "framework/TileBackground.h"

#include "framework/Gdi.h"

#include <algorithm>
#include <cstdlib>

namespace {

// The size of the bitmap selected into a memory DC; empty for the 1x1 bitmap a
// new memory DC holds, which means no texture was selected.
SIZE SelectedBitmapSize(HDC source)
{
    SIZE size{0, 0};
    if (!source)
        return size;
    const HGDIOBJ bitmap = GetCurrentObject(source, OBJ_BITMAP);
    BITMAP info{};
    if (!bitmap || !GetObject(bitmap, sizeof info, &info) || (info.bmWidth <= 1 && info.bmHeight <= 1))
        return size;
    size.cx = info.bmWidth;
    size.cy = info.bmHeight;
    return size;
}

void FillGrey(HDC dest, const RECT& rect)
{
    CBrush grey;
    grey.CreateSolidBrush(kPanelGrey);
    FillRect(dest, &rect, grey);
}

// The last tile start at or before `edge` on the grid through `origin`. An
// origin past the edge steps back, so no strip at the edge is left unpainted.
LONG FirstTileStart(LONG origin, LONG edge, LONG step)
{
    if (origin <= edge)
        return origin + step * ((edge - origin) / step);
    return origin - step * ((origin - edge + step - 1) / step);
}

}  // namespace

void TileBitmap(HDC dest, const RECT& rect, POINT origin, HDC source)
{
    const SIZE tile = SelectedBitmapSize(source);
    if (tile.cx <= 0 || tile.cy <= 0) {
        FillGrey(dest, rect);
        return;
    }
    for (LONG x = FirstTileStart(origin.x, rect.left, tile.cx); x < rect.right; x += tile.cx) {
        const LONG sourceX = x < rect.left ? rect.left - x : 0;
        const LONG left = x + sourceX;
        const LONG width = std::min<LONG>(tile.cx - sourceX, rect.right - left);
        for (LONG y = FirstTileStart(origin.y, rect.top, tile.cy); y < rect.bottom; y += tile.cy) {
            const LONG sourceY = y < rect.top ? rect.top - y : 0;
            const LONG top = y + sourceY;
            const LONG height = std::min<LONG>(tile.cy - sourceY, rect.bottom - top);
            if (width > 0 && height > 0)
                BitBlt(dest, left, top, width, height, source, sourceX, sourceY, SRCCOPY);
        }
    }
}

CTexture::CTexture(UINT bitmapId) : m_dc(nullptr)
{
    if (m_bitmap.LoadBitmap(bitmapId))
        m_selected.emplace(m_dc.m_hDC, m_bitmap.Get());
}

void CTexture::Paint(HDC dest, const RECT& rect, POINT origin) const
{
    TileBitmap(dest, rect, origin, m_selected ? m_dc.m_hDC : nullptr);
}
