#include "uikit/EllipsisButton.h"

#include "framework/ErrorReport.h"
#include "uikit/EdgeDrawing.h"

IMPLEMENT_DYNAMIC(CEllipsisButton, CButton)

namespace {

constexpr int kDotSize = 2;
constexpr int kDotTop = 10;
constexpr int kDotSpacing = 3;

void DrawDots(HDC dc, int firstX)
{
    const COLORREF color = ::GetSysColor(COLOR_BTNTEXT);
    for (int i = 0; i < 3; ++i) {
        const int x = firstX + i * kDotSpacing;
        FillSolid(dc, RECT{x, kDotTop, x + kDotSize, kDotTop + kDotSize}, color);
    }
}

}  // namespace

void CEllipsisButton::PreSubclassWindow()
{
    ModifyStyle(0, BS_OWNERDRAW, SWP_FRAMECHANGED);
}

void CEllipsisButton::DrawItem(LPDRAWITEMSTRUCT item)
{
    Guarded(239, ErrorSink::Window(this), [&] {
        HDC dc = item->hDC;
        RECT rect = item->rcItem;
        FillSolid(dc, rect, ::GetSysColor(COLOR_BTNFACE));
        if (item->itemState & ODS_SELECTED) {
            Draw3dRect(dc, rect, ::GetSysColor(COLOR_BTNSHADOW), ::GetSysColor(COLOR_BTNHIGHLIGHT));
            DrawDots(dc, 5);  // pushed in by a pixel
            return;
        }
        Draw3dRect(dc, rect, ::GetSysColor(COLOR_3DLIGHT), ::GetSysColor(COLOR_3DDKSHADOW));
        InflateRect(&rect, -1, -1);
        Draw3dRect(dc, rect, ::GetSysColor(COLOR_BTNHIGHLIGHT), ::GetSysColor(COLOR_BTNSHADOW));
        DrawDots(dc, 4);
    });
}
