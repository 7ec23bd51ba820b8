#include "framework/DockContext.h"

#include "framework/ControlBar.h"
#include "framework/DockBar.h"
#include "framework/FrameWnd.h"
#include "framework/HalftoneTracker.h"
#include "framework/MiniDockFrameWnd.h"

#include <windowsx.h>

namespace {

// Dock bars in the order a drop looks at them.
constexpr struct {
    UINT id;
    DWORD side;
} kDockSides[] = {{FWID_DOCKBAR_TOP, CBRS_ALIGN_TOP},
                  {FWID_DOCKBAR_BOTTOM, CBRS_ALIGN_BOTTOM},
                  {FWID_DOCKBAR_LEFT, CBRS_ALIGN_LEFT},
                  {FWID_DOCKBAR_RIGHT, CBRS_ALIGN_RIGHT}};

// Thickness of the floating frame's outline while dragging.
constexpr int kFloatingOutline = 3;

void OffsetTo(RECT& rect, POINT topLeft)
{
    ::OffsetRect(&rect, topLeft.x - rect.left, topLeft.y - rect.top);
}

}  // namespace

CDockContext::CDockContext(CControlBar& bar) : m_bar(bar), m_pDockSite(bar.GetDockSite()) {}

CDockContext::~CDockContext() = default;

RECT CDockContext::FloatingFrameRect(SIZE barSize, int x, int y)
{
    const SIZE frame = CMiniDockFrameWnd::FrameSizeForBar(barSize, WS_POPUP | WS_THICKFRAME, WS_EX_TOOLWINDOW);
    return RECT{x, y, x + frame.cx, y + frame.cy};
}

void CDockContext::KeepPointInside(RECT& rect, POINT point)
{
    if (point.x < rect.left)
        ::OffsetRect(&rect, point.x - rect.left, 0);
    else if (point.x >= rect.right)
        ::OffsetRect(&rect, point.x - rect.right + 1, 0);
    if (point.y < rect.top)
        ::OffsetRect(&rect, 0, point.y - rect.top);
    else if (point.y >= rect.bottom)
        ::OffsetRect(&rect, 0, point.y - rect.bottom + 1);
}

void CDockContext::ComputeDragRects(POINT screenPoint)
{
    RECT window;
    m_bar.GetWindowRect(&window);
    const POINT topLeft{window.left, window.top};
    const SIZE horz = m_bar.CalcDynamicLayout(0, LM_HORZ | LM_HORZDOCK);
    const SIZE vert = m_bar.CalcDynamicLayout(0, LM_VERTDOCK);
    const SIZE floating = m_bar.CalcDynamicLayout(0, LM_HORZ | LM_MRUWIDTH);
    m_rectDragHorz = RECT{0, 0, horz.cx, horz.cy};
    m_rectDragVert = RECT{0, 0, vert.cx, vert.cy};
    OffsetTo(m_rectDragHorz, topLeft);
    OffsetTo(m_rectDragVert, topLeft);
    m_rectFrameDragHorz = FloatingFrameRect(floating, topLeft.x, topLeft.y);
    m_rectFrameDragVert = m_rectFrameDragHorz;
    for (RECT* rect : {&m_rectDragHorz, &m_rectDragVert, &m_rectFrameDragHorz, &m_rectFrameDragVert})
        KeepPointInside(*rect, screenPoint);
}

void CDockContext::StartDrag(POINT screenPoint)
{
    m_pDockSite = m_bar.GetDockSite();
    if (!m_pDockSite)
        return;
    m_bDragging = true;
    InitLoop();
    ComputeDragRects(screenPoint);
    m_ptLast = screenPoint;
    m_pTarget = CanDock();
    DrawFocusRect(false);
    Track();
}

void CDockContext::InitLoop()
{
    // Windows repaint before the tracker is drawn over them, or it would be
    // painted over and then "erased" onto the fresh pixels.
    ::RedrawWindow(nullptr, nullptr, nullptr, RDW_ALLCHILDREN | RDW_UPDATENOW);
    m_bShown = false;
    m_pTarget = nullptr;
}

void CDockContext::CancelLoop()
{
    DrawFocusRect(true);
    m_bDragging = false;
    if (::GetCapture() == m_bar.m_hWnd)
        ::ReleaseCapture();
}

bool CDockContext::Track()
{
    HWND barWindow = m_bar.m_hWnd;
    ::SetCapture(barWindow);
    while (::GetCapture() == barWindow) {
        MSG msg;
        if (!::GetMessageA(&msg, nullptr, 0, 0)) {
            ::PostQuitMessage(static_cast<int>(msg.wParam));
            break;
        }
        POINT point{GET_X_LPARAM(msg.lParam), GET_Y_LPARAM(msg.lParam)};
        switch (msg.message) {
        case WM_MOUSEMOVE:
            ::ClientToScreen(msg.hwnd, &point);
            Move(point);
            break;
        case WM_LBUTTONUP:
            ::ClientToScreen(msg.hwnd, &point);
            Move(point);
            EndDrag();
            return true;
        case WM_KEYDOWN:
            if (msg.wParam == VK_ESCAPE) {
                CancelLoop();
                return false;
            }
            break;
        case WM_RBUTTONDOWN:
        case WM_CANCELMODE:
            CancelLoop();
            return false;
        default:
            ::DispatchMessageA(&msg);
            break;
        }
    }
    CancelLoop();
    return false;
}

void CDockContext::Move(POINT screenPoint)
{
    const int dx = screenPoint.x - m_ptLast.x;
    const int dy = screenPoint.y - m_ptLast.y;
    if (dx == 0 && dy == 0)
        return;
    for (RECT* rect : {&m_rectDragHorz, &m_rectDragVert, &m_rectFrameDragHorz, &m_rectFrameDragVert})
        ::OffsetRect(rect, dx, dy);
    m_ptLast = screenPoint;
    m_pTarget = CanDock();
    DrawFocusRect(false);
}

CDockBar* CDockContext::CanDock() const
{
    const DWORD allowed = m_bar.GetDockStyle();
    for (const auto& side : kDockSides) {
        CDockBar* dockBar = m_pDockSite->GetDockBar(side.id);
        if (!(allowed & side.side) || !dockBar || !dockBar->IsWindowVisible())
            continue;
        RECT barRect;
        dockBar->GetWindowRect(&barRect);
        // An empty dock bar is a line along the frame's edge; it still catches.
        if (barRect.right == barRect.left)
            ++barRect.right;
        if (barRect.bottom == barRect.top)
            ++barRect.bottom;
        const RECT& drag = (side.side & CBRS_ORIENT_HORZ) ? m_rectDragHorz : m_rectDragVert;
        RECT overlap;
        if (::IntersectRect(&overlap, &barRect, &drag))
            return dockBar;
    }
    return nullptr;
}

void CDockContext::DrawFocusRect(bool erase)
{
    RECT wanted{};
    bool thick = false;
    if (!erase && m_bDragging) {
        if (m_pTarget)
            wanted = m_pTarget->IsHorz() ? m_rectDragHorz : m_rectDragVert;
        else
            wanted = m_rectFrameDragHorz;
        thick = !m_pTarget;
    }
    if (m_bShown && !erase && ::EqualRect(&wanted, &m_rectShown) && thick == m_bShownThick)
        return;
    CWindowDCGuard dc(::GetDesktopWindow(), nullptr, DCX_WINDOW | DCX_CACHE);
    if (m_bShown)
        InvertHalftone(dc, m_rectShown, m_bShownThick ? kFloatingOutline : 1);
    m_bShown = false;
    if (erase || !m_bDragging)
        return;
    InvertHalftone(dc, wanted, thick ? kFloatingOutline : 1);
    m_rectShown = wanted;
    m_bShownThick = thick;
    m_bShown = true;
}

void CDockContext::EndDrag()
{
    CDockBar* target = m_pTarget;
    const RECT dockRect = target ? (target->IsHorz() ? m_rectDragHorz : m_rectDragVert) : RECT{};
    const POINT floatAt{m_rectFrameDragHorz.left, m_rectFrameDragHorz.top};
    CancelLoop();
    if (target) {
        m_pDockSite->DockControlBar(&m_bar, target, &dockRect);
    } else {
        m_ptMRUFloatPos = floatAt;
        m_bHasFloatPos = true;
        m_pDockSite->FloatControlBar(&m_bar, floatAt);
    }
    m_pDockSite->RecalcLayout();
}

void CDockContext::ToggleDocking()
{
    m_pDockSite = m_bar.GetDockSite();
    if (!m_pDockSite)
        return;
    if (m_bar.IsFloating()) {
        RECT frame;
        ::GetWindowRect(::GetParent(m_bar.GetDockBar()->m_hWnd), &frame);
        m_ptMRUFloatPos = POINT{frame.left, frame.top};
        m_bHasFloatPos = true;
        if (m_uMRUDockID != 0 && m_pDockSite->GetDockBar(m_uMRUDockID))
            m_pDockSite->DockControlBar(&m_bar, m_uMRUDockID, &m_rectMRUDockPos);
        else
            m_pDockSite->DockControlBar(&m_bar, 0u, nullptr);
    } else {
        RECT window;
        m_bar.GetWindowRect(&window);
        if (CDockBar* dockBar = m_bar.GetDockBar()) {
            m_uMRUDockID = static_cast<UINT>(dockBar->GetDlgCtrlID());
            m_rectMRUDockPos = window;
        }
        const POINT at = m_bHasFloatPos ? m_ptMRUFloatPos : POINT{window.left, window.top};
        m_pDockSite->FloatControlBar(&m_bar, at);
    }
    m_pDockSite->RecalcLayout();
}
