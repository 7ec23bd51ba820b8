#include "framework/MiniDockFrameWnd.h"

#include "framework/CommandIds.h"
#include "framework/DockContext.h"
#include "framework/String.h"

#include <windowsx.h>

#include <algorithm>

IMPLEMENT_DYNCREATE(CMiniDockFrameWnd, CMiniFrameWnd)

CMiniDockFrameWnd::CMiniDockFrameWnd()
{
    // The dock site owns its floating frames.
    m_bAutoDelete = false;
}

CMiniDockFrameWnd::~CMiniDockFrameWnd() = default;

SIZE CMiniDockFrameWnd::FrameSizeForBar(SIZE barSize, DWORD style, DWORD exStyle)
{
    // The bar's outer 2 pixels lie under the frame's border, as in a dock bar.
    RECT rect{0, 0, std::max<LONG>(barSize.cx - 4, 0), std::max<LONG>(barSize.cy - 4, 0)};
    ::AdjustWindowRectEx(&rect, style & ~0xFFFFu, FALSE, exStyle);
    return SIZE{rect.right - rect.left, rect.bottom - rect.top};
}

BOOL CMiniDockFrameWnd::Create(CWnd* parent, DWORD barStyle)
{
    return CreateFrame(parent, barStyle,
                       WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_THICKFRAME | MFS_SYNCACTIVE | MFS_4THICKFRAME);
}

BOOL CMiniDockFrameWnd::CreateFrame(CWnd* parent, DWORD barStyle, DWORD frameStyle)
{
    m_bInRecalcLayout = true;
    const BOOL created = CMiniFrameWnd::Create(nullptr, "", frameStyle, rectDefault, parent);
    m_bInRecalcLayout = false;
    if (!created)
        return FALSE;
    // The close item of the frame's window menu hides the bar; it says so.
    if (CString hide; hide.LoadString(FWIDS_HIDE)) {
        if (HMENU menu = GetSystemMenu(FALSE)) {
            ::DeleteMenu(menu, SC_CLOSE, MF_BYCOMMAND);
            ::AppendMenuA(menu, MF_STRING | MF_ENABLED, SC_CLOSE, hide);
        }
    }
    // Made in the dock site first so that it registers there like any other bar.
    const DWORD align = (barStyle & CBRS_ORIENT_VERT) ? CBRS_ALIGN_LEFT : CBRS_ALIGN_TOP;
    if (!m_wndDockBar.Create(parent, WS_CHILD | WS_VISIBLE | align | (barStyle & CBRS_FLOAT_MULTI),
                             FWID_DOCKBAR_FLOAT)) {
        DestroyWindow();
        return FALSE;
    }
    ::SetParent(m_wndDockBar.m_hWnd, m_hWnd);
    return TRUE;
}

CControlBar* CMiniDockFrameWnd::FirstBar() const
{
    for (CControlBar* bar : m_wndDockBar.m_arrBars) {
        if (bar && bar->IsVisible())
            return bar;
    }
    return nullptr;
}

void CMiniDockFrameWnd::RecalcLayout(BOOL)
{
    if (!m_hWnd || m_bInRecalcLayout)
        return;
    m_bInRecalcLayout = true;
    if (m_wndDockBar.GetVisibleBarCount() == 0) {
        ShowWindow(SW_HIDE);
        m_bInRecalcLayout = false;
        return;
    }
    const SIZE content = m_wndDockBar.CalcFixedLayout(FALSE, TRUE);
    RECT client{0, 0, content.cx, content.cy};
    ::AdjustWindowRectEx(&client, GetStyle() & ~0xFFFFu, FALSE, GetExStyle());
    RECT window;
    GetWindowRect(&window);
    SetWindowPos(nullptr, 0, 0, client.right - client.left, client.bottom - client.top,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
    ::SetWindowPos(m_wndDockBar.m_hWnd, nullptr, 0, 0, content.cx, content.cy, SWP_NOZORDER | SWP_NOACTIVATE);
    if (!IsWindowVisible())
        SetWindowPos(nullptr, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_SHOWWINDOW);
    m_bInRecalcLayout = false;
}

void CMiniDockFrameWnd::OnSize(UINT type, int cx, int cy)
{
    CWnd::OnSize(type, cx, cy);
    if (m_bInRecalcLayout || type == SIZE_MINIMIZED)
        return;
    // The user sized the frame: the bars take the new room.
    for (CControlBar* bar : m_wndDockBar.m_arrBars) {
        if (bar && bar->IsVisible()) {
            bar->CalcDynamicLayout(cx + 4, 0);
            bar->CalcDynamicLayout(cy + 4, LM_LENGTHY);
        }
    }
    ::SetWindowPos(m_wndDockBar.m_hWnd, nullptr, 0, 0, cx, cy, SWP_NOZORDER | SWP_NOACTIVATE);
    m_wndDockBar.CalcFixedLayout(FALSE, TRUE);
}

void CMiniDockFrameWnd::OnClose()
{
    // Closing a floating bar hides it; it comes back through its command.
    for (CControlBar* bar : std::vector<CControlBar*>(m_wndDockBar.m_arrBars)) {
        if (bar && bar->GetDockSite())
            bar->GetDockSite()->ShowControlBar(bar, FALSE, FALSE);
    }
}

LRESULT CMiniDockFrameWnd::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    if ((message == WM_NCLBUTTONDOWN || message == WM_NCLBUTTONDBLCLK) && wParam == HTCAPTION) {
        CControlBar* bar = FirstBar();
        if (bar && bar->GetDockContext()) {
            const POINT point{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
            if (message == WM_NCLBUTTONDBLCLK)
                bar->GetDockContext()->ToggleDocking();
            else
                bar->GetDockContext()->StartDrag(point);
            return 0;
        }
    }
    return CMiniFrameWnd::WindowProc(message, wParam, lParam);
}
