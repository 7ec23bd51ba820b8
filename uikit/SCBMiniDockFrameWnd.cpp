#include "uikit/SCBMiniDockFrameWnd.h"

#include "uikit/SizingControlBar.h"

#include <windowsx.h>

IMPLEMENT_DYNCREATE(CSCBMiniDockFrameWnd, CMiniDockFrameWnd)

namespace {

// The frame's outer size for a client area of `client`, with a sizing border and no caption.
SIZE ThickFrameSize(SIZE client)
{
    RECT rect{0, 0, client.cx, client.cy};
    ::AdjustWindowRectEx(&rect, WS_POPUP | WS_THICKFRAME, FALSE, WS_EX_TOOLWINDOW);
    return SIZE{rect.right - rect.left, rect.bottom - rect.top};
}

}  // namespace

CSCBMiniDockFrameWnd::CSCBMiniDockFrameWnd() = default;

CSCBMiniDockFrameWnd::~CSCBMiniDockFrameWnd() = default;

BOOL CSCBMiniDockFrameWnd::Create(CWnd* parent, DWORD barStyle)
{
    DWORD style = WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_THICKFRAME | MFS_SYNCACTIVE | MFS_4THICKFRAME |
                  MFS_BLOCKSYSMENU | FWS_SNAPTOBARS;
    if (!(barStyle & CBRS_SIZE_DYNAMIC))
        style |= MFS_MOVEFRAME;
    return CreateFrame(parent, barStyle, style);
}

CSizingControlBar* CSCBMiniDockFrameWnd::GetSizingControlBar() const
{
    for (CControlBar* bar : m_wndDockBar.m_arrBars) {
        if (bar)
            return dynamic_cast<CSizingControlBar*>(bar);
    }
    return nullptr;
}

void CSCBMiniDockFrameWnd::OnSize(UINT type, int cx, int cy)
{
    CSizingControlBar* bar = GetSizingControlBar();
    if (bar && !(GetStyle() & MFS_4THICKFRAME) && bar->IsVisible() && cx + 4 >= bar->minFloat.cx &&
        cy + 4 >= bar->minFloat.cy)
        bar->sizeFloat = SIZE{cx + 4, cy + 4};
    CMiniDockFrameWnd::OnSize(type, cx, cy);
}

LRESULT CSCBMiniDockFrameWnd::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_NCLBUTTONDOWN: {
        if (wParam == HTCAPTION || wParam == HTCLOSE)
            break;
        // The border sizes the frame as any small frame's does.
        const LRESULT result = GetSizingControlBar() ? Default() : CMiniDockFrameWnd::WindowProc(message, wParam, lParam);
        SetFocus();
        return result;
    }
    case WM_GETMINMAXINFO: {
        const LRESULT result = CMiniDockFrameWnd::WindowProc(message, wParam, lParam);
        if (CSizingControlBar* bar = GetSizingControlBar()) {
            auto* info = reinterpret_cast<MINMAXINFO*>(lParam);
            const SIZE smallest = ThickFrameSize(SIZE{bar->minFloat.cx - 4, bar->minFloat.cy - 4});
            info->ptMinTrackSize = POINT{smallest.cx, smallest.cy};
        }
        return result;
    }
    case WM_WINDOWPOSCHANGING: {
        CSizingControlBar* bar = GetSizingControlBar();
        if ((GetStyle() & MFS_4THICKFRAME) && bar) {
            // Once: the bar's own caption replaces the frame's.
            reinterpret_cast<WINDOWPOS*>(lParam)->flags |= SWP_NOSIZE;
            m_wndDockBar.ModifyStyle(0, WS_CLIPCHILDREN);
            ModifyStyle(MFS_4THICKFRAME | WS_CAPTION | WS_SYSMENU, 0);
            DelayRecalcLayout();
            bar->PostMessage(WM_NCPAINT);
        }
        break;
    }
    default:
        break;
    }
    return CMiniDockFrameWnd::WindowProc(message, wParam, lParam);
}
