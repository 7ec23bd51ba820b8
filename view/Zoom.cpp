#include "view/Quorbel6View.h"

#include "framework/ErrorReport.h"
#include "framework/WaitCursor.h"
#include "view/ViewGeometry.h"

namespace
{
// The document point at the centre of the view's client area.
POINT ClientCentreInDoc(const CQuorbel6View& view)
{
    RECT client{};
    if (view.m_hWnd)
        ::GetClientRect(view.m_hWnd, &client);
    const POINT scroll = view.GetDeviceScrollPosition();
    const RECT pixels{0, 0, (client.left + client.right) / 2 + scroll.x + view.m_ptPageOrigin.x,
                      (client.top + client.bottom) / 2 + scroll.y + view.m_ptPageOrigin.y};
    const RECT doc = view.DeviceToDocRect(pixels);
    return POINT{doc.right, doc.bottom};
}
}  // namespace

// Scrolls so that a document point sits at the client centre again, on each
// axis where the page is larger than the window (the origin is at the margin).
static void KeepCentre(CQuorbel6View& view, POINT centre)
{
    if (!view.m_hWnd)
        return;
    RECT client{};
    ::GetClientRect(view.m_hWnd, &client);
    const SIZE point = view.DocToScreenSize(SIZE{centre.x, centre.y});
    POINT scroll = view.GetDeviceScrollPosition();
    const LONG pointX = point.cx - view.m_ptPageOrigin.x;
    const LONG pointY = point.cy - view.m_ptPageOrigin.y;
    if (view.m_ptPageOrigin.x == -ViewGeometry::kPageMargin)
        scroll.x = pointX - (client.right - client.left) / 2;
    if (view.m_ptPageOrigin.y == -ViewGeometry::kPageMargin)
        scroll.y = pointY - (client.bottom - client.top) / 2;
    view.ScrollToDevicePosition(scroll);
}

void CQuorbel6View::OnZoomIn()
{
    Guarded(103, ErrorSink::Window(this), [&] {
        CWaitCursor wait;
        const POINT centre = ClientCentreInDoc(*this);
        m_nZoom += ViewGeometry::kZoomStep;
        UpdateScale();
        if (!ZoomFitsBitmaps()) {
            m_nZoom -= ViewGeometry::kZoomStep;
            UpdateScale();
            return;
        }
        DrawSurface(kDrawClear);
        CenterSurface();
        m_bDrawingEnabled = 0;
        UpdateScrollSizes();
        m_bDrawingEnabled = 1;
        KeepCentre(*this, centre);
        DrawSurface(kDrawFull);
        RepaintNow();
    });
}

void CQuorbel6View::OnZoomOut()
{
    Guarded(104, ErrorSink::Window(this), [&] {
        CWaitCursor wait;
        DrawSurface(kDrawClear);
        const POINT centre = ClientCentreInDoc(*this);
        m_nZoom -= ViewGeometry::kZoomStep;
        if (m_nZoom < ViewGeometry::kMinZoom) {
            m_nZoom = ViewGeometry::kMinZoom;
            UpdateScale();
            DrawSurface(kDrawFull);
            RepaintNow();
            return;
        }
        UpdateScale();
        CenterSurface();
        m_bDrawingEnabled = 0;
        UpdateScrollSizes();
        m_bDrawingEnabled = 1;
        KeepCentre(*this, centre);
        DrawSurface(kDrawFull);
        RepaintNow();
    });
}
