#include "view/SurfaceBitmaps.h"

#include "view/ViewGeometry.h"

#include <algorithm>

bool CSurfaceBitmaps::Create(HDC compatibleWith)
{
    Release();
    const SIZE sizes[kCount] = {ViewGeometry::kBackCoverBitmap, ViewGeometry::kFrontCoverBitmap,
                                ViewGeometry::kDiscBitmap, ViewGeometry::kDiscBitmap};
    for (int i = 0; i < kCount; ++i) {
        Slot& slot = m_surfaces[static_cast<size_t>(i)];
        void* bits = nullptr;
        if (!slot.dc.CreateCompatibleDC(compatibleWith) ||
            !slot.bitmap.CreateTopDownDIB32(slot.dc.m_hDC, sizes[i].cx, sizes[i].cy, &bits)) {
            Release();
            return false;
        }
        slot.selected = std::make_unique<CSelectGuard>(slot.dc.m_hDC, slot.bitmap.Get());
        slot.bits = static_cast<const uint32_t*>(bits);
        slot.size = sizes[i];
        ::SetBkMode(slot.dc.m_hDC, TRANSPARENT);
        ::SetStretchBltMode(slot.dc.m_hDC, HALFTONE);
        ::SetBrushOrgEx(slot.dc.m_hDC, 0, 0, nullptr);
        // A new bitmap is black; the surfaces start on white. From here on the
        // system keeps the bounds of whatever is drawn into it.
        ::PatBlt(slot.dc.m_hDC, 0, 0, slot.size.cx, slot.size.cy, WHITENESS);
        ::SetBoundsRect(slot.dc.m_hDC, nullptr, DCB_ENABLE | DCB_RESET);
    }
    return true;
}

void CSurfaceBitmaps::Fill(int surface, SIZE area, COLORREF color)
{
    Slot& slot = m_surfaces[static_cast<size_t>(surface)];
    if (!slot.dc.m_hDC)
        return;
    const HDC dc = slot.dc.m_hDC;
    RECT rect{0, 0, area.cx, area.cy};
    const bool white = color == RGB(255, 255, 255);
    if (white) {
        RECT drawn{};
        if (::GetBoundsRect(dc, &drawn, DCB_RESET) & DCB_SET)
            ::UnionRect(&rect, &rect, &drawn);
        rect.left = 0;
        rect.top = 0;
    }
    rect.right = std::min(rect.right, slot.size.cx);
    rect.bottom = std::min(rect.bottom, slot.size.cy);
    CBrush brush;
    brush.CreateSolidBrush(color);
    ::FillRect(dc, &rect, brush);
    if (white) {
        RECT ignored{};
        ::GetBoundsRect(dc, &ignored, DCB_RESET);  // nothing is left to clear
    }
}

void CSurfaceBitmaps::Release()
{
    for (Slot& slot : m_surfaces) {
        slot.selected.reset();
        slot.dc.DeleteDC();
        slot.bitmap.Reset();
        slot.bits = nullptr;
        slot.size = SIZE{};
    }
}

COLORREF CSurfaceBitmaps::GetPixel(int surface, int x, int y) const
{
    const Slot& slot = m_surfaces[static_cast<size_t>(surface)];
    if (!slot.bits || x < 0 || y < 0 || x >= slot.size.cx || y >= slot.size.cy)
        return CLR_INVALID;
    ::GdiFlush();
    const uint32_t pixel = slot.bits[static_cast<size_t>(y) * static_cast<size_t>(slot.size.cx) + static_cast<size_t>(x)];
    return RGB((pixel >> 16) & 0xFF, (pixel >> 8) & 0xFF, pixel & 0xFF);
}
