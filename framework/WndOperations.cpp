// CWnd: operations that take more than one system call.
#include "framework/Wnd.h"

#include "framework/FrameWnd.h"
#include "framework/MessageBox.h"
#include "framework/WinApp.h"
#include "framework/WindowTexts.h"

void CWnd::ClientToScreen(RECT* rect) const
{
    ::MapWindowPoints(m_hWnd, nullptr, reinterpret_cast<POINT*>(rect), 2);
}

void CWnd::ScreenToClient(RECT* rect) const
{
    ::MapWindowPoints(nullptr, m_hWnd, reinterpret_cast<POINT*>(rect), 2);
}

BOOL CWnd::MoveWindow(const RECT& rect, BOOL repaint)
{
    return ::MoveWindow(m_hWnd, rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top, repaint);
}

void CWnd::CenterWindow(HWND alternateOwner)
{
    RECT area{};
    HWND owner = alternateOwner;
    if (!owner)
        owner = (GetStyle() & WS_CHILD) ? ::GetParent(m_hWnd) : ::GetWindow(m_hWnd, GW_OWNER);
    RECT workArea{};
    ::SystemParametersInfoA(SPI_GETWORKAREA, 0, &workArea, 0);
    if (GetStyle() & WS_CHILD) {
        ::GetClientRect(owner, &area);
    } else if (owner && ::IsWindowVisible(owner) && !::IsIconic(owner)) {
        ::GetWindowRect(owner, &area);
    } else {
        area = workArea;
    }
    RECT rect{};
    GetWindowRect(&rect);
    const int width = rect.right - rect.left;
    const int height = rect.bottom - rect.top;
    int x = (area.left + area.right - width) / 2;
    int y = (area.top + area.bottom - height) / 2;
    if (!(GetStyle() & WS_CHILD)) {
        // Keep a top-level window on the screen.
        if (x + width > workArea.right)
            x = workArea.right - width;
        if (x < workArea.left)
            x = workArea.left;
        if (y + height > workArea.bottom)
            y = workArea.bottom - height;
        if (y < workArea.top)
            y = workArea.top;
    }
    SetWindowPos(nullptr, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

BOOL CWnd::GetWindowPlacement(WINDOWPLACEMENT* placement) const
{
    placement->length = sizeof(WINDOWPLACEMENT);
    return ::GetWindowPlacement(m_hWnd, placement);
}

BOOL CWnd::SetWindowPlacement(const WINDOWPLACEMENT* placement)
{
    WINDOWPLACEMENT copy = *placement;
    copy.length = sizeof(WINDOWPLACEMENT);
    return ::SetWindowPlacement(m_hWnd, &copy);
}

namespace {

BOOL ModifyWindowLong(HWND window, int index, DWORD remove, DWORD add, UINT swpFlags)
{
    const auto style = static_cast<DWORD>(::GetWindowLongPtrA(window, index));
    const DWORD newStyle = (style & ~remove) | add;
    if (style == newStyle)
        return FALSE;
    ::SetWindowLongPtrA(window, index, static_cast<LONG_PTR>(newStyle));
    if (swpFlags)
        ::SetWindowPos(window, nullptr, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | swpFlags);
    return TRUE;
}

}  // namespace

BOOL CWnd::ModifyStyle(DWORD remove, DWORD add, UINT swpFlags)
{
    return ModifyWindowLong(m_hWnd, GWL_STYLE, remove, add, swpFlags);
}

BOOL CWnd::ModifyStyleEx(DWORD remove, DWORD add, UINT swpFlags)
{
    return ModifyWindowLong(m_hWnd, GWL_EXSTYLE, remove, add, swpFlags);
}

void CWnd::GetWindowText(CString& text) const
{
    text = WindowTextOf(m_hWnd);
}

void CWnd::GetDlgItemText(int id, CString& text) const
{
    text = DlgItemTextOf(m_hWnd, id);
}

CWnd* CWnd::GetTopLevelParent() const
{
    HWND window = m_hWnd;
    while (window && (::GetWindowLongPtrA(window, GWL_STYLE) & WS_CHILD)) {
        HWND parent = ::GetParent(window);
        if (!parent)
            break;
        window = parent;
    }
    return FromHandle(window);
}

CFrameWnd* CWnd::GetParentFrame() const
{
    for (HWND window = ::GetParent(m_hWnd); window; window = ::GetParent(window)) {
        if (CWnd* wnd = FromHandlePermanent(window)) {
            if (auto* frame = dynamic_cast<CFrameWnd*>(wnd))
                return frame;
        }
    }
    return nullptr;
}

namespace {

void SendToChildren(HWND parent, UINT message, WPARAM wParam, LPARAM lParam, BOOL deep)
{
    for (HWND child = ::GetTopWindow(parent); child; child = ::GetNextWindow(child, GW_HWNDNEXT)) {
        ::SendMessageA(child, message, wParam, lParam);
        if (deep && ::IsWindow(child))
            SendToChildren(child, message, wParam, lParam, deep);
        if (!::IsWindow(child))
            break;  // a handler destroyed the child: the sibling chain is gone with it
    }
}

}  // namespace

void CWnd::SendMessageToDescendants(UINT message, WPARAM wParam, LPARAM lParam, BOOL deep)
{
    SendToChildren(m_hWnd, message, wParam, lParam, deep);
}

UINT_PTR CWnd::SetAnimationTimer(UINT_PTR id, UINT elapse)
{
    m_animationTimer = id;
    return SetTimer(id, elapse);
}

int CWnd::MessageBox(LPCSTR text, LPCSTR caption, UINT type)
{
    return ShowMessageBox(m_hWnd, text, caption ? caption : GetAppTitle(), type);
}
