// The selection frame: marching ants with eight handles around a selected
// text, track list or image, a short flash around a cover, spine tab, page or
// disc; its timer, the rubber band's inverted frame and the cursor.
#include "view/Quorbel6View.h"

#include "framework/ErrorReport.h"
#include "framework/Gdi.h"
#include "label/Surface.h"

#include <algorithm>

namespace
{
constexpr UINT_PTR kSelectionTimer = 1121;
constexpr UINT kAntStep = 75;    // milliseconds
constexpr UINT kFlashTime = 700;
constexpr COLORREF kFrameColor = RGB(60, 119, 119);
constexpr int kAntPhases = 6;
constexpr int kHandleSlack = 5;  // pixels around a handle that still grab it

bool IsAntsType(const CString& itemType)
{
    return itemType == "Text" || itemType == "Track" || itemType == "Image";
}

bool IsDiscName(const CString& name)
{
    return name == "Disc 1" || name == "Disc 2";
}

// The handle rectangles of a box, in handle order.
std::array<RECT, 8> HandleRects(const RECT& box)
{
    const int l = box.left + 1, t = box.top + 1, r = box.right - 1, b = box.bottom - 1;
    const int mx = (l + r) / 2, my = (t + b) / 2;
    return {RECT{mx - 3, t - 7, mx + 4, t}, RECT{mx - 3, b, mx + 4, b + 7}, RECT{l - 7, my - 3, l, my + 4},
            RECT{r, my - 3, r + 7, my + 4},  RECT{l - 7, t - 7, l, t},       RECT{r, b, r + 7, b + 7},
            RECT{l - 7, b, l, b + 7},        RECT{r, t - 7, r + 7, t}};
}

void FrameRings(HDC dc, const RECT& box, HBRUSH brush, int from, int to, int direction)
{
    for (int i = from; i <= to; ++i) {
        RECT frame = box;
        ::InflateRect(&frame, direction * i, direction * i);
        ::FrameRect(dc, &frame, brush);
    }
}
}  // namespace

void CQuorbel6View::StartSelectionTimer(UINT milliseconds)
{
    // Ants and flashes change no command's state: their ticks must not wake
    // the frame's idle update of every tool bar and pane.
    if (m_hWnd)
        SetAnimationTimer(kSelectionTimer, milliseconds);
}

void CQuorbel6View::KillSelectionTimer()
{
    if (m_hWnd)
        KillTimer(kSelectionTimer);
}

void CQuorbel6View::UpdateSelection()
{
    Guarded(23, ErrorSink::Window(this), [&] {
        if (!m_hWnd)
            return;
        CClientDC dc(m_hWnd);
        DrawSelectionFrame(dc.m_hDC);
    });
}

void CQuorbel6View::DrawSelectionFrame(HDC dc)
{
    ReloadSelection();
    if (m_nSelectionHandles <= 0 || m_nSelectionHandles > 8 || m_strSelectedObject.IsEmpty()) {
        KillSelectionTimer();
        if (IViewFrame* frame = ViewFrame())
            frame->SetSelectionState(FALSE);
        return;
    }
    TellFrameSelection();

    CBrush brush;
    brush.CreateSolidBrush(kFrameColor);
    const CString& itemType = m_selectionCache[0];
    const RECT box = m_rcSelection;
    if (itemType == "Page") {
        KillSelectionTimer();
        FrameRings(dc, box, brush, 1, 4, -1);
        StartSelectionTimer(kFlashTime);
    } else if (IsAntsType(itemType)) {
        DrawAnts(dc);
        if (m_strDragMode.IsEmpty())
            StartSelectionTimer(kAntStep);
        m_rcHandles = HandleRects(box);
        for (const RECT& handle : m_rcHandles) {
            DrawHandle(dc, handle);
            ::InvertRect(dc, &handle);
        }
    } else if (IsDiscName(m_strSelectedObject)) {
        KillSelectionTimer();
        const bool first = m_strSelectedObject == "Disc 1";
        RECT outer = GetSurfaceRect(first ? "Outer Radius" : "Outer Radius2");
        RECT inner = GetSurfaceRect(first ? "Inner Radius" : "Inner Radius2");
        auto ring = [&](RECT outside, int grow, RECT inside, int shrink) {
            ::InflateRect(&outside, grow, grow);
            ::InflateRect(&inside, -shrink, -shrink);
            CRgn band, hole;
            band.CreateEllipticRgn(outside.left, outside.top, outside.right, outside.bottom);
            hole.CreateEllipticRgn(inside.left, inside.top, inside.right, inside.bottom);
            band.CombineRgn(band, hole, RGN_DIFF);
            ::FillRgn(dc, band, brush);
        };
        ring(outer, 4, outer, 0);
        ring(inner, 1, inner, 3);
        StartSelectionTimer(kFlashTime);
    } else {
        // Covers and boundaries: a frame just outside.
        RECT frame = box;
        if (m_strSelectedObject == "Front Cover" && m_selectionCache[6] == "Yes")
            frame.left += (frame.right - frame.left) / 2;
        if (m_strSelectedObject == "Back Cover") {
            const int tab = m_renderer.Geometry().back.tab;
            frame.left += tab;
            frame.right -= tab;
        }
        KillSelectionTimer();
        FrameRings(dc, frame, brush, 1, 4, 1);
        StartSelectionTimer(kFlashTime);
    }
}

void CQuorbel6View::DrawAnts(HDC dc) const
{
    if (!m_selectionPatterns.IsValid())
        return;
    const RECT& box = m_rcSelection;
    const int width = box.right - box.left;
    const int height = box.bottom - box.top - 2;
    const int phase = m_nAntPhase;
    if (width <= 0 || width > CSelectionPatterns::kLength - kAntPhases)
        return;
    ::BitBlt(dc, box.left, box.top, width, 1, m_selectionPatterns.Row(), kAntPhases - phase, 0, SRCCOPY);
    ::BitBlt(dc, box.left, box.bottom - 1, width, 1, m_selectionPatterns.Row(), phase, 0, SRCCOPY);
    if (height <= 0 || height > CSelectionPatterns::kLength - kAntPhases)
        return;
    ::BitBlt(dc, box.left, box.top + 1, 1, height, m_selectionPatterns.Column(), 0, phase, SRCCOPY);
    ::BitBlt(dc, box.right - 1, box.top + 1, 1, height, m_selectionPatterns.Column(), 0, kAntPhases - phase, SRCCOPY);
}

void CQuorbel6View::DrawHandle(HDC dc, const RECT& rect) const
{
    CBrush white;
    white.CreateSolidBrush(RGB(255, 255, 255));
    ::FillRect(dc, &rect, white);
    const Surface surface = SurfaceFromName(Model().Shown().surface);
    if (surface == Surface::None || !m_surfaceBitmaps.IsValid())
        return;
    // Where the surface's bitmap lies in the client area.
    const ScreenGeometry& drawn = m_renderer.Geometry();
    POINT origin{};
    switch (surface) {
    case Surface::BackCover: origin = POINT{drawn.back.left, drawn.back.top}; break;
    case Surface::FrontCover: origin = POINT{drawn.front.left, drawn.front.top}; break;
    case Surface::Disc1: origin = POINT{drawn.disc1.left, drawn.disc1.top}; break;
    default: origin = POINT{drawn.disc2.left, drawn.disc2.top}; break;
    }
    const POINT scroll = GetDeviceScrollPosition();
    origin.x -= scroll.x + m_ptPageOrigin.x;
    origin.y -= scroll.y + m_ptPageOrigin.y;
    const int index = SurfaceIndex(surface);
    const SIZE size = m_surfaceBitmaps.GetSize(index);
    RECT bitmap{origin.x, origin.y, origin.x + size.cx, origin.y + size.cy};
    RECT copy{};
    if (!::IntersectRect(&copy, &rect, &bitmap))
        return;
    ::BitBlt(dc, copy.left, copy.top, copy.right - copy.left, copy.bottom - copy.top, m_surfaceBitmaps.GetDC(index),
             copy.left - origin.x, copy.top - origin.y, SRCCOPY);
}

void CQuorbel6View::DrawInvertFrame(HDC dc, int left, int top, int right, int bottom) const
{
    // Exclusive or with white: the same frame drawn again restores the screen.
    ::PatBlt(dc, left, top, right - left, 1, DSTINVERT);
    ::PatBlt(dc, left, bottom - 1, right - left, 1, DSTINVERT);
    ::PatBlt(dc, left, top + 1, 1, bottom - top - 2, DSTINVERT);
    ::PatBlt(dc, right - 1, top + 1, 1, bottom - top - 2, DSTINVERT);
}

void CQuorbel6View::RestoreUnderSelection()
{
    Guarded(110, ErrorSink::Window(this), [&] {
        // The page is painted again without the frame, which stays off until the drag ends.
        const int handles = m_nSelectionHandles;
        m_nSelectionHandles = 0;
        DrawNow();
        m_nSelectionHandles = handles;
    });
}

void CQuorbel6View::OnSelectionTimer()
{
    const CString& itemType = m_selectionCache[0];
    if (!IsAntsType(itemType) || IsDiscName(m_strSelectedObject)) {
        // The flash is over.
        KillSelectionTimer();
        m_nSelectionHandles = 0;
        DrawNow();
        return;
    }
    if (m_hWnd && m_nSelectionHandles > 0) {
        CClientDC dc(m_hWnd);
        DrawAnts(dc.m_hDC);
    }
    m_nAntPhase = (m_nAntPhase + 1) % kAntPhases;
}

BOOL CQuorbel6View::OnSetCursor(HWND window, UINT hitTest, UINT message)
{
    const int handled = Guarded(85, ErrorSink::Window(this), 0, [&]() -> int {
        if (m_strSelectedObject.IsEmpty() || m_bContextMenuOpen || !m_hWnd)
            return 0;
        POINT point{};
        ::GetCursorPos(&point);
        ::ScreenToClient(m_hWnd, &point);
        RECT client{};
        GetClientRect(&client);
        if (!::PtInRect(&client, point))
            return 0;

        if (IsDiscName(m_strSelectedObject)) {
            m_strDragMode = m_hitRegion.IsValid() && m_hitRegion.PtInRegion(point) ? "Cover" : "";
            return 0;
        }
        const CString& itemType = m_selectionCache[0];
        const bool whole = itemType == "Cover" || itemType == "Boundary" || itemType == "Page";
        RECT box = m_rcSelection;
        if (m_strSelectedObject == "Back Cover") {
            const int tab = m_renderer.Geometry().back.tab;
            box.left += tab;
            box.right -= tab;
        }
        if (::PtInRect(&box, point)) {
            if (whole) {
                m_strDragMode = "Cover";
                return 0;
            }
            m_strDragMode = "Move";
            ::SetCursor(::LoadCursorA(nullptr, IDC_SIZEALL));
            return 1;
        }
        if (whole)
            return 0;
        struct HandleMode
        {
            const char* mode;
            LPCSTR cursor;
        };
        static const HandleMode kHandles[] = {
            {"Top", IDC_SIZENS},          {"Bottom", IDC_SIZENS},         {"Left", IDC_SIZEWE},
            {"Right", IDC_SIZEWE},        {"TopLeft", IDC_SIZENWSE},      {"BottomRight", IDC_SIZENWSE},
            {"BottomLeft", IDC_SIZENESW}, {"TopRight", IDC_SIZENESW},
        };
        const int count = m_nSelectionHandles >= 0 && m_nSelectionHandles <= 8 ? m_nSelectionHandles : 0;
        for (int i = 0; i < count; ++i) {
            RECT grab = m_rcHandles[static_cast<size_t>(i)];
            ::InflateRect(&grab, kHandleSlack, kHandleSlack);
            if (::PtInRect(&grab, point)) {
                m_strDragMode = kHandles[i].mode;
                ::SetCursor(::LoadCursorA(nullptr, kHandles[i].cursor));
                return 1;
            }
        }
        m_strDragMode.Empty();
        return 0;
    });
    return handled ? TRUE : CScrollView::OnSetCursor(window, hitTest, message);
}
