#include "view/Quorbel6View.h"

#include "framework/EditingSwitch.h"
#include "framework/ErrorReport.h"
#include "framework/Gdi.h"
#include "framework/WinApp.h"
#include "view/GridPoints.h"
#include "view/ViewGeometry.h"

#include <algorithm>

namespace
{
constexpr COLORREF kGuideColor = RGB(0, 0, 0);
constexpr int kShadowWidth = 4;
constexpr int kShadowInset = 6;
}  // namespace

// Repaints copy the surface bitmaps and draw the overlays; no object is laid
// out or drawn here, so scrolling and exposure stay cheap.
void CQuorbel6View::OnDraw(CDC* dc)
{
    Guarded(66, ErrorSink::Window(this), [&] {
        if (!m_bDrawingEnabled || !m_hWnd)
            return;
        const HDC hdc = dc->m_hDC;
        CSaveDCGuard saved(hdc);
        ::SetMapMode(hdc, MM_TEXT);
        // The framework has moved the viewport by the scroll position; the window
        // origin puts the page's top-left corner at page-origin pixels from it.
        ::SetWindowOrgEx(hdc, m_ptPageOrigin.x, m_ptPageOrigin.y, nullptr);

        RECT clip{};
        if (m_bRawContext) {
            // A plain window context: the scroll position is not applied yet.
            m_bRawContext = 0;
            const POINT scroll = GetDeviceScrollPosition();
            ::SetWindowOrgEx(hdc, m_ptPageOrigin.x + scroll.x, m_ptPageOrigin.y + scroll.y, nullptr);
        }
        ::GetClipBox(hdc, &clip);
        const int pageWidth = m_sizePaperScreen.cx;
        const int pageHeight = m_sizePaperScreen.cy;

        // The surround's tiles start where the main frame's client area does,
        // so they line up with the panels around the view, and move with the page.
        POINT tileOrigin{0, 0};
        if (CWnd* frame = GetAppMainWnd(); frame && frame->m_hWnd)
            ::MapWindowPoints(frame->m_hWnd, m_hWnd, &tileOrigin, 1);
        tileOrigin.x += m_ptPageOrigin.x;
        tileOrigin.y += m_ptPageOrigin.y;
        const RECT bands[] = {
            {clip.left, clip.top, std::min<LONG>(clip.right, 0), clip.bottom},
            {clip.left, clip.top, clip.right, std::min<LONG>(clip.bottom, 0)},
            {std::max<LONG>(clip.left, pageWidth), clip.top, clip.right, clip.bottom},
            {clip.left, std::max<LONG>(clip.top, pageHeight), clip.right, clip.bottom},
        };
        for (const RECT& band : bands)
            if (band.left < band.right && band.top < band.bottom)
                PaintPanelBackground(hdc, band, tileOrigin, kViewSurround);

        if (!m_surfaceBitmaps.IsValid() || !m_bGeometryReady)
            return;
        // While editing is off (the first run, before the label paper is chosen) only the surround shows.
        if (const auto* frame = dynamic_cast<const IEditingSwitch*>(GetAppMainWnd()); frame && frame->IsEditingDisabled())
            return;

        const ScreenGeometry& screen = m_renderer.Geometry();
        struct Placed
        {
            Surface surface;
            RECT rect;  // where it lies on the page, pixels
        };
        auto discRect = [](const ScreenDisc& disc) {
            return RECT{disc.left, disc.top, disc.left + disc.outerDiameter + 2, disc.top + disc.outerDiameter + 2};
        };
        const Placed placed[] = {
            {Surface::BackCover,
             {screen.back.left, screen.back.top, screen.back.left + screen.back.width,
              screen.back.top + screen.back.height}},
            {Surface::FrontCover,
             {screen.front.left, screen.front.top, screen.front.left + screen.front.width,
              screen.front.top + screen.front.height}},
            {Surface::Disc1, discRect(screen.disc1)},
            {Surface::Disc2, discRect(screen.disc2)},
        };
        auto copy = [&](const Placed& entry) {
            const int index = SurfaceIndex(entry.surface);
            const SIZE bitmap = m_surfaceBitmaps.GetSize(index);
            // Never past the page nor past the bitmap the surface was drawn into.
            const int left = std::max<LONG>(entry.rect.left, 0);
            const int top = std::max<LONG>(entry.rect.top, 0);
            const int sourceX = left - entry.rect.left;
            const int sourceY = top - entry.rect.top;
            const int width = std::min<LONG>({entry.rect.right, pageWidth, entry.rect.left + bitmap.cx}) - left;
            const int height = std::min<LONG>({entry.rect.bottom, pageHeight, entry.rect.top + bitmap.cy}) - top;
            if (width > 0 && height > 0)
                ::BitBlt(hdc, left, top, width, height, m_surfaceBitmaps.GetDC(index), sourceX, sourceY, SRCCOPY);
        };
        // The surface shown is copied last, over its neighbours.
        const CLabelModel& model = Model();
        const Surface shownSurface = SurfaceFromName(model.Shown().surface);
        for (const Placed& entry : placed)
            if (model.Placement().PageOf(entry.surface) == model.Shown().page && entry.surface != shownSurface)
                copy(entry);
        for (const Placed& entry : placed)
            if (model.Placement().PageOf(entry.surface) == model.Shown().page && entry.surface == shownSurface)
                copy(entry);

        // The page's shadow.
        LOGBRUSH shadowBrush{BS_SOLID, RGB(0, 0, 0), 0};
        CPen shadow;
        shadow.Attach(::ExtCreatePen(PS_GEOMETRIC | PS_SOLID | PS_ENDCAP_SQUARE, kShadowWidth, &shadowBrush, 0, nullptr));
        {
            CSelectGuard pen(hdc, shadow);
            ::MoveToEx(hdc, pageWidth, kShadowInset, nullptr);
            ::LineTo(hdc, pageWidth, pageHeight);
            ::LineTo(hdc, kShadowInset, pageHeight);
        }

        // White where the page shows between the surfaces.
        const RECT visible{std::max<LONG>(clip.left, 0), std::max<LONG>(clip.top, 0),
                           std::min<LONG>(clip.right, pageWidth), std::min<LONG>(clip.bottom, pageHeight)};
        if (visible.left < visible.right && visible.top < visible.bottom) {
            // Regions are in device units: convert the box by the context's origins.
            POINT corners[2] = {{visible.left, visible.top}, {visible.right, visible.bottom}};
            ::LPtoDP(hdc, corners, 2);
            CRgn white;
            white.CreateRectRgn(corners[0].x, corners[0].y, corners[1].x, corners[1].y);
            for (const Placed& entry : placed) {
                if (model.Placement().PageOf(entry.surface) != model.Shown().page)
                    continue;
                POINT box[2] = {{entry.rect.left, entry.rect.top}, {entry.rect.right, entry.rect.bottom}};
                ::LPtoDP(hdc, box, 2);
                CRgn surface;
                surface.CreateRectRgn(box[0].x, box[0].y, box[1].x, box[1].y);
                white.CombineRgn(white, surface, RGN_DIFF);
            }
            CBrush brush;
            brush.CreateSolidBrush(RGB(255, 255, 255));
            CSaveDCGuard deviceUnits(hdc);
            ::SetWindowOrgEx(hdc, 0, 0, nullptr);
            ::SetViewportOrgEx(hdc, 0, 0, nullptr);
            ::FillRgn(hdc, white, brush);
        }

        // Grid points: each one pixel inverted.
        if (m_bShowGrid && m_nGridSpacingX > 0 && m_nGridSpacingY > 0)
            InvertGridPoints(hdc, DeviceToDocRect(visible), SIZE{m_nGridSpacingX, m_nGridSpacingY}, m_nScreenDpi,
                             model.Shown().zoom);

        CSelectGuard brush(hdc, ::GetStockObject(NULL_BRUSH));
        if (m_bShowGuides) {
            CPen guide;
            guide.CreatePen(PS_DASHDOTDOT, 1, kGuideColor);
            CSelectGuard pen(hdc, guide);
            ::Rectangle(hdc, m_rcGuideScreen.left, m_rcGuideScreen.top, m_rcGuideScreen.right,
                        m_rcGuideScreen.bottom);
        }
        {
            CSelectGuard outline(hdc, ::GetStockObject(BLACK_PEN));
            ::Rectangle(hdc, 0, 0, pageWidth, pageHeight);
        }

        // The selection frame, in client pixels; a drag shows only its rubber band.
        const bool dragging = m_bMouseDown && !m_strDragMode.IsEmpty() && m_strDragMode != "Cover";
        if (m_nSelectionHandles > 0 && !dragging) {
            CSaveDCGuard clientPixels(hdc);
            ::SetWindowOrgEx(hdc, 0, 0, nullptr);
            ::SetViewportOrgEx(hdc, 0, 0, nullptr);
            DrawSelectionFrame(hdc);
        }
    });
}

BOOL CQuorbel6View::OnEraseBkgnd(HDC)
{
    // The paint covers the whole client area.
    return TRUE;
}
