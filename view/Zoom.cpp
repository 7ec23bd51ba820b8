#include "view/Quorbel6View.h"

#include "framework/ErrorReport.h"
#include "framework/WaitCursor.h"
#include "view/ViewGeometry.h"

void CQuorbel6View::OnZoomIn()
{
    Guarded(103, ErrorSink::Window(this), [&] {
        CWaitCursor wait;
        const POINT centre = GetClientCentreDoc();
        Model().Shown().zoom += ViewGeometry::kZoomStep;
        UpdateScale();
        if (!ZoomFitsBitmaps()) {
            Model().Shown().zoom -= ViewGeometry::kZoomStep;
            UpdateScale();
            return;
        }
        DrawSurface(kDrawClear);
        CenterSurface();
        m_bDrawingEnabled = 0;
        HideScrollBars();
        UpdateScrollSizes();
        m_bDrawingEnabled = 1;
        ScrollPointToClientCentre(centre);
        DrawSurface(kDrawFull);
        DrawNow();
    });
}

void CQuorbel6View::OnZoomOut()
{
    Guarded(104, ErrorSink::Window(this), [&] {
        CWaitCursor wait;
        DrawSurface(kDrawClear);
        const POINT centre = GetClientCentreDoc();
        Model().Shown().zoom -= ViewGeometry::kZoomStep;
        if (Model().Shown().zoom < ViewGeometry::kMinZoom) {
            Model().Shown().zoom = ViewGeometry::kMinZoom;
            UpdateScale();
            DrawSurface(kDrawFull);
            DrawNow();
            return;
        }
        UpdateScale();
        CenterSurface();
        m_bDrawingEnabled = 0;
        HideScrollBars();
        UpdateScrollSizes();
        m_bDrawingEnabled = 1;
        ScrollPointToClientCentre(centre);
        DrawSurface(kDrawFull);
        DrawNow();
    });
}
