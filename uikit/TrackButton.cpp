#include "uikit/TrackButton.h"

#include "framework/ErrorReport.h"
#include "uikit/EdgeDrawing.h"
#include "uikit/NoEraseBackground.h"

IMPLEMENT_DYNAMIC(CTrackButton, CButton)

void CTrackButton::DrawItem(LPDRAWITEMSTRUCT item)
{
    Guarded(238, ErrorSink::Window(this), [&] {
        RECT rect = item->rcItem;
        Draw3dRect(item->hDC, rect, ::GetSysColor(COLOR_BTNSHADOW), ::GetSysColor(COLOR_BTNHIGHLIGHT));
        InflateRect(&rect, -1, -1);
        Draw3dRect(item->hDC, rect, ::GetSysColor(COLOR_3DDKSHADOW), ::GetSysColor(COLOR_3DLIGHT));
        InflateRect(&rect, -1, -1);
        FillSolid(item->hDC, rect, RGB(255, 255, 255));
    });
}

BOOL CTrackButton::OnEraseBkgnd(HDC dc)
{
    return NoEraseBackground(dc);
}
