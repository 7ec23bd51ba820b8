#include "framework/ScrollView.h"

#include "framework/Gdi.h"

#include <algorithm>
#include <cstdlib>

IMPLEMENT_DYNAMIC(CScrollView, CView)

SIZE CScrollView::ToDevice(SIZE logical) const
{
    if (m_mapMode == MM_TEXT)
        return logical;
    // Fixed mapping modes: measure through a screen DC in that mode.
    CClientDC screen(nullptr);
    ::SetMapMode(screen, m_mapMode);
    POINT points[2] = {{0, 0}, {logical.cx, logical.cy}};
    ::LPtoDP(screen, points, 2);
    return SIZE{std::abs(points[1].x - points[0].x), std::abs(points[1].y - points[0].y)};
}

void CScrollView::SetScrollSizes(int mapMode, SIZE total, SIZE page, SIZE line)
{
    m_mapMode = mapMode;
    m_totalLogical = total;
    m_totalDevice = ToDevice(total);
    m_pageDevice = (page.cx || page.cy) ? ToDevice(page) : SIZE{m_totalDevice.cx / 10, m_totalDevice.cy / 10};
    m_lineDevice = (line.cx || line.cy) ? ToDevice(line) : SIZE{m_pageDevice.cx / 10, m_pageDevice.cy / 10};
    m_lineDevice.cx = std::max(1L, m_lineDevice.cx);
    m_lineDevice.cy = std::max(1L, m_lineDevice.cy);
    if (m_hWnd) {
        UpdateBars();
        Invalidate(TRUE);
    }
}

POINT CScrollView::GetScrollPosition() const
{
    if (m_mapMode == MM_TEXT)
        return m_position;
    CClientDC screen(nullptr);
    ::SetMapMode(screen, m_mapMode);
    POINT points[2] = {{0, 0}, m_position};
    ::DPtoLP(screen, points, 2);
    return POINT{points[1].x - points[0].x, points[1].y - points[0].y};
}

void CScrollView::ScrollToPosition(POINT position)
{
    if (m_mapMode == MM_TEXT) {
        ScrollToDevicePosition(position);
        return;
    }
    CClientDC screen(nullptr);
    ::SetMapMode(screen, m_mapMode);
    POINT points[2] = {{0, 0}, position};
    ::LPtoDP(screen, points, 2);
    ScrollToDevicePosition(POINT{points[1].x - points[0].x, points[1].y - points[0].y});
}

void CScrollView::ScrollToDevicePosition(POINT position)
{
    const LONG maxX = std::max(0L, m_totalDevice.cx - m_visible.cx);
    const LONG maxY = std::max(0L, m_totalDevice.cy - m_visible.cy);
    position.x = std::clamp(position.x, 0L, maxX);
    position.y = std::clamp(position.y, 0L, maxY);
    const int dx = m_position.x - position.x;
    const int dy = m_position.y - position.y;
    m_position = position;
    if (!m_hWnd)
        return;
    SetScrollPos(SB_HORZ, position.x);
    SetScrollPos(SB_VERT, position.y);
    if (dx || dy)
        ScrollWindow(dx, dy);
}

void CScrollView::UpdateBars()
{
    if (!m_hWnd || m_updatingBars)
        return;
    m_updatingBars = true;

    // The client size without any bar, then take the room of each bar needed.
    RECT client{};
    GetClientRect(&client);
    SIZE size{client.right, client.bottom};
    const DWORD style = GetStyle();
    const int barWidth = ::GetSystemMetrics(SM_CXVSCROLL);
    const int barHeight = ::GetSystemMetrics(SM_CYHSCROLL);
    if (style & WS_VSCROLL)
        size.cx += barWidth;
    if (style & WS_HSCROLL)
        size.cy += barHeight;
    bool needVertical = m_totalDevice.cy > size.cy;
    bool needHorizontal = m_totalDevice.cx > size.cx - (needVertical ? barWidth : 0);
    if (needHorizontal && !needVertical)
        needVertical = m_totalDevice.cy > size.cy - barHeight;
    if (needVertical)
        size.cx -= barWidth;
    if (needHorizontal)
        size.cy -= barHeight;
    m_visible = SIZE{std::max(0L, size.cx), std::max(0L, size.cy)};

    const POINT wanted = m_position;
    m_position.x = std::clamp(m_position.x, 0L, std::max(0L, m_totalDevice.cx - m_visible.cx));
    m_position.y = std::clamp(m_position.y, 0L, std::max(0L, m_totalDevice.cy - m_visible.cy));

    SCROLLINFO info{};
    info.cbSize = sizeof(info);
    info.fMask = SIF_PAGE | SIF_RANGE | SIF_POS;
    info.nMin = 0;
    info.nMax = needHorizontal ? m_totalDevice.cx - 1 : 0;
    info.nPage = needHorizontal ? static_cast<UINT>(m_visible.cx) : 0;
    info.nPos = needHorizontal ? m_position.x : 0;
    SetScrollInfo(SB_HORZ, &info, TRUE);
    ShowScrollBar(SB_HORZ, needHorizontal);
    info.nMax = needVertical ? m_totalDevice.cy - 1 : 0;
    info.nPage = needVertical ? static_cast<UINT>(m_visible.cy) : 0;
    info.nPos = needVertical ? m_position.y : 0;
    SetScrollInfo(SB_VERT, &info, TRUE);
    ShowScrollBar(SB_VERT, needVertical);

    if (wanted.x != m_position.x || wanted.y != m_position.y)
        Invalidate(TRUE);
    m_updatingBars = false;
}

void CScrollView::OnPrepareDC(CDC* dc, CPrintInfo* info)
{
    CView::OnPrepareDC(dc, info);
    if (dc->IsPrinting())
        return;
    dc->SetMapMode(m_mapMode);
    dc->SetViewportOrg(-m_position.x, -m_position.y);
}

void CScrollView::OnSize(UINT type, int cx, int cy)
{
    CView::OnSize(type, cx, cy);
    UpdateBars();
}

int CScrollView::NewPosition(int bar, UINT code, int current, int page, int line) const
{
    switch (code) {
    case SB_LINEUP:
        return current - line;
    case SB_LINEDOWN:
        return current + line;
    case SB_PAGEUP:
        return current - page;
    case SB_PAGEDOWN:
        return current + page;
    case SB_TOP:
        return 0;
    case SB_BOTTOM:
        return bar == SB_HORZ ? m_totalDevice.cx : m_totalDevice.cy;
    case SB_THUMBTRACK:
    case SB_THUMBPOSITION: {
        // The 32-bit track position; the message's own is only 16 bits wide.
        SCROLLINFO info{};
        info.cbSize = sizeof(info);
        info.fMask = SIF_TRACKPOS;
        return GetScrollInfo(bar, &info) ? info.nTrackPos : current;
    }
    default:
        return current;
    }
}

void CScrollView::OnHScroll(UINT code, UINT, HWND scrollBar)
{
    if (scrollBar)
        return;  // a scroll-bar control of the view's own is not the view's bar
    const int x = NewPosition(SB_HORZ, code, m_position.x, std::max(1L, m_pageDevice.cx), m_lineDevice.cx);
    ScrollToDevicePosition(POINT{x, m_position.y});
}

void CScrollView::OnVScroll(UINT code, UINT, HWND scrollBar)
{
    if (scrollBar)
        return;
    const int y = NewPosition(SB_VERT, code, m_position.y, std::max(1L, m_pageDevice.cy), m_lineDevice.cy);
    ScrollToDevicePosition(POINT{m_position.x, y});
}

BOOL CScrollView::OnMouseWheel(UINT, short delta, POINT)
{
    const int lines = -delta * 3 / WHEEL_DELTA;
    if (m_totalDevice.cy > m_visible.cy)
        ScrollToDevicePosition(POINT{m_position.x, m_position.y + lines * static_cast<int>(m_lineDevice.cy)});
    else if (m_totalDevice.cx > m_visible.cx)
        ScrollToDevicePosition(POINT{m_position.x + lines * static_cast<int>(m_lineDevice.cx), m_position.y});
    return TRUE;
}
