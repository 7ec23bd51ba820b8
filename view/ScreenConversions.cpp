// Conversions between screen points and document units, through the scroll
// position and the page origin, and the operations built on them.
#include "view/Quorbel6View.h"

#include "framework/ErrorReport.h"
#include "view/ViewGeometry.h"

RECT CQuorbel6View::ScreenToDocRect(const RECT& screenRect) const
{
    return Guarded(96, ErrorSink::Window(this), RECT{}, [&] {
        POINT corners[2] = {{screenRect.left, screenRect.top}, {screenRect.right, screenRect.bottom}};
        if (m_hWnd)
            ::MapWindowPoints(nullptr, m_hWnd, corners, 2);
        const POINT scroll = GetDeviceScrollPosition();
        const RECT pixels{corners[0].x + scroll.x + m_ptPageOrigin.x, corners[0].y + scroll.y + m_ptPageOrigin.y,
                          corners[1].x + scroll.x + m_ptPageOrigin.x, corners[1].y + scroll.y + m_ptPageOrigin.y};
        return DeviceToDocRect(pixels);
    });
}

POINT CQuorbel6View::ScreenToDocPoint(POINT screenPoint) const
{
    return Guarded(95, ErrorSink::Window(this), POINT{}, [&] {
        const RECT doc = ScreenToDocRect(RECT{0, 0, screenPoint.x, screenPoint.y});
        return POINT{doc.right, doc.bottom};
    });
}

POINT CQuorbel6View::DocToScreenPoint(POINT docPoint) const
{
    return Guarded(90, ErrorSink::Window(this), POINT{}, [&] {
        const POINT scroll = GetDeviceScrollPosition();
        POINT point{DocToScreenLength(docPoint.x) - scroll.x - m_ptPageOrigin.x,
                    DocToScreenLength(docPoint.y) - scroll.y - m_ptPageOrigin.y};
        if (m_hWnd)
            ::ClientToScreen(m_hWnd, &point);
        return point;
    });
}

RECT CQuorbel6View::DocToScreenRect(const RECT& docRect) const
{
    return Guarded(89, ErrorSink::Window(this), RECT{}, [&] {
        RECT rect = DocToScreenRectScale(docRect);
        const POINT scroll = GetDeviceScrollPosition();
        ::OffsetRect(&rect, -scroll.x - m_ptPageOrigin.x, -scroll.y - m_ptPageOrigin.y);
        if (m_hWnd)
            ::MapWindowPoints(m_hWnd, nullptr, reinterpret_cast<POINT*>(&rect), 2);
        return rect;
    });
}

POINT CQuorbel6View::GetClientCentreDoc() const
{
    return Guarded(30, ErrorSink::Window(this), POINT{}, [&] {
        // A view without a window shows nothing: it has no visible centre.
        if (!m_hWnd)
            return POINT{};
        RECT client{};
        ::GetClientRect(m_hWnd, &client);
        POINT centre{(client.left + client.right) / 2, (client.top + client.bottom) / 2};
        ::ClientToScreen(m_hWnd, &centre);
        return ScreenToDocPoint(centre);
    });
}

void CQuorbel6View::ScrollPointToClientCentre(POINT docPoint)
{
    if (!m_hWnd)
        return;
    POINT point = DocToScreenPoint(docPoint);
    ::ScreenToClient(m_hWnd, &point);
    RECT client{};
    GetClientRect(&client);
    const POINT centre{(client.left + client.right) / 2, (client.top + client.bottom) / 2};
    // Only an axis on which the page is larger than the window scrolls.
    POINT scroll = GetDeviceScrollPosition();
    if (m_ptPageOrigin.x == -ViewGeometry::kPageMargin)
        scroll.x += point.x - centre.x;
    if (m_ptPageOrigin.y == -ViewGeometry::kPageMargin)
        scroll.y += point.y - centre.y;
    ScrollToDevicePosition(scroll);
}

void CQuorbel6View::ScrollToCurrentPart(bool fit)
{
    Guarded(13, ErrorSink::Window(this), [&] {
        UpdatePaperSize();
        if (fit)
            FitZoomToSurface();
        // The page is placed for this label's zoom and sheet before anything
        // scrolls: the origin and scroll range left by the label shown before
        // (another zoom, another sheet) would put the surface off centre.
        UpdateScale();
        UpdateScrollSizes();
        CenterSurface();
        const SurfaceGeometry& geometry = Model().Geometry();
        POINT centre{};
        switch (SurfaceFromName(Model().Shown().surface)) {
        case Surface::FrontCover:
            centre = POINT{geometry.front.left + geometry.front.width / 2, geometry.front.top + geometry.front.height / 2};
            break;
        case Surface::BackCover:
            centre = POINT{geometry.back.left + geometry.back.width / 2, geometry.back.top + geometry.back.height / 2};
            break;
        default: {
            // Any other name (an older file's part) centres on the first disc.
            const DiscGeometry& disc =
                SurfaceFromName(Model().Shown().surface) == Surface::Disc2 ? geometry.disc2 : geometry.disc1;
            centre = POINT{disc.left + disc.outerDiameter / 2, disc.top + disc.outerDiameter / 2};
        }
        }
        ScrollPointToClientCentre(centre);
    });
}

bool CQuorbel6View::KeepImageAspect(double& width, double& height, int imageNumber) const
{
    const CxImage* image = Model().Image(imageNumber);
    if (!image || !image->IsValid() || !image->GetBits())
        return false;
    const long imageWidth = static_cast<long>(image->GetWidth());
    const long imageHeight = static_cast<long>(image->GetHeight());
    if (imageWidth <= 0 || imageHeight <= 0 || imageWidth / imageHeight > 500 || imageHeight / imageWidth > 500)
        return false;
    const double imageRatio = static_cast<double>(imageWidth) / static_cast<double>(imageHeight);
    const double boxRatio = height != 0.0 ? width / height : 0.0;
    if (imageRatio > boxRatio)
        height = static_cast<double>(imageHeight) * width / static_cast<double>(imageWidth);
    else if (imageRatio < boxRatio)
        width = static_cast<double>(imageWidth) * height / static_cast<double>(imageHeight);
    return true;
}
