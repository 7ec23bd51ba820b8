// CWnd: dispatch of window messages to the virtual handlers, and the
// handlers' default behaviour.
#include "framework/Wnd.h"

#include "framework/CmdUI.h"

namespace {

POINT PointFrom(LPARAM lParam)
{
    return POINT{static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
}

// Records what update handlers say about a command without touching any item.
class CommandStateProbe final : public CCmdUI {
public:
    bool enabled = true;

    void Enable(bool on) override
    {
        enabled = on;
        m_bEnableChanged = true;
    }
    void SetCheck(int) override {}
    void SetRadio(bool) override {}
    void SetText(LPCSTR) override {}
};

}  // namespace

bool CWnd::OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result)
{
    // Handlers without a result answer what Default() answered, if they called it.
    auto handledWithDefault = [&] {
        *result = DefaultResultOfCurrentMessage();
        return true;
    };

    switch (message) {
    case WM_CREATE:
        *result = OnCreate(reinterpret_cast<LPCREATESTRUCTA>(lParam));
        return true;
    case WM_DESTROY:
        OnDestroy();
        return handledWithDefault();
    case WM_NCDESTROY:
        OnNcDestroy();
        return handledWithDefault();
    case WM_CLOSE:
        OnClose();
        return handledWithDefault();
    case WM_PAINT:
        OnPaint();
        return handledWithDefault();
    case WM_ERASEBKGND:
        *result = OnEraseBkgnd(reinterpret_cast<HDC>(wParam));
        return true;
    case WM_SIZE:
        OnSize(static_cast<UINT>(wParam), static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam)));
        return handledWithDefault();
    case WM_TIMER:
        OnTimer(static_cast<UINT_PTR>(wParam));
        return handledWithDefault();
    case WM_LBUTTONDOWN:
        OnLButtonDown(static_cast<UINT>(wParam), PointFrom(lParam));
        return handledWithDefault();
    case WM_LBUTTONUP:
        OnLButtonUp(static_cast<UINT>(wParam), PointFrom(lParam));
        return handledWithDefault();
    case WM_LBUTTONDBLCLK:
        OnLButtonDblClk(static_cast<UINT>(wParam), PointFrom(lParam));
        return handledWithDefault();
    case WM_RBUTTONDOWN:
        OnRButtonDown(static_cast<UINT>(wParam), PointFrom(lParam));
        return handledWithDefault();
    case WM_RBUTTONUP:
        OnRButtonUp(static_cast<UINT>(wParam), PointFrom(lParam));
        return handledWithDefault();
    case WM_MOUSEMOVE:
        OnMouseMove(static_cast<UINT>(wParam), PointFrom(lParam));
        return handledWithDefault();
    case WM_MOUSEWHEEL:
        *result = OnMouseWheel(LOWORD(wParam), static_cast<short>(HIWORD(wParam)), PointFrom(lParam)) ? 0 : 1;
        return true;
    case WM_KEYDOWN:
        OnKeyDown(static_cast<UINT>(wParam), LOWORD(lParam), HIWORD(lParam));
        return handledWithDefault();
    case WM_KEYUP:
        OnKeyUp(static_cast<UINT>(wParam), LOWORD(lParam), HIWORD(lParam));
        return handledWithDefault();
    case WM_CHAR:
        OnChar(static_cast<UINT>(wParam), LOWORD(lParam), HIWORD(lParam));
        return handledWithDefault();
    case WM_CONTEXTMENU:
        OnContextMenu(reinterpret_cast<HWND>(wParam), PointFrom(lParam));
        return handledWithDefault();
    case WM_SETTINGCHANGE:
        OnSettingChange(static_cast<UINT>(wParam), reinterpret_cast<LPCSTR>(lParam));
        return handledWithDefault();
    case WM_SYSCOLORCHANGE:
        OnSysColorChange();
        return handledWithDefault();
    case WM_SETFOCUS:
        OnSetFocus(reinterpret_cast<HWND>(wParam));
        return handledWithDefault();
    case WM_KILLFOCUS:
        OnKillFocus(reinterpret_cast<HWND>(wParam));
        return handledWithDefault();
    case WM_SETCURSOR:
        *result = OnSetCursor(reinterpret_cast<HWND>(wParam), LOWORD(lParam), HIWORD(lParam));
        return true;
    case WM_HSCROLL:
    case WM_VSCROLL:
        if (lParam && ReflectToChild(reinterpret_cast<HWND>(lParam), message, wParam, lParam, result))
            return true;
        if (message == WM_HSCROLL)
            OnHScroll(LOWORD(wParam), HIWORD(wParam), reinterpret_cast<HWND>(lParam));
        else
            OnVScroll(LOWORD(wParam), HIWORD(wParam), reinterpret_cast<HWND>(lParam));
        return handledWithDefault();
    case WM_INITMENUPOPUP:
        OnInitMenuPopup(reinterpret_cast<HMENU>(wParam), LOWORD(lParam), HIWORD(lParam));
        return handledWithDefault();
    case WM_SHOWWINDOW:
        OnShowWindow(static_cast<BOOL>(wParam), static_cast<UINT>(lParam));
        return handledWithDefault();
    case WM_ACTIVATE:
        OnActivate(LOWORD(wParam), reinterpret_cast<HWND>(lParam), HIWORD(wParam));
        return handledWithDefault();
    case WM_MOUSEACTIVATE:
        *result = OnMouseActivate(reinterpret_cast<HWND>(wParam), LOWORD(lParam), HIWORD(lParam));
        return true;
    case WM_CAPTURECHANGED:
        OnCaptureChanged(reinterpret_cast<HWND>(lParam));
        return handledWithDefault();
    case WM_DRAWITEM: {
        auto* item = reinterpret_cast<LPDRAWITEMSTRUCT>(lParam);
        if (item->CtlType != ODT_MENU && ReflectToChild(item->hwndItem, message, wParam, lParam, result))
            return true;
        OnDrawItem(static_cast<int>(wParam), item);
        *result = DefaultResultOfCurrentMessage(TRUE);
        return true;
    }
    case WM_MEASUREITEM: {
        auto* item = reinterpret_cast<LPMEASUREITEMSTRUCT>(lParam);
        if (item->CtlType != ODT_MENU &&
            ReflectToChild(::GetDlgItem(m_hWnd, static_cast<int>(item->CtlID)), message, wParam, lParam, result))
            return true;
        OnMeasureItem(static_cast<int>(wParam), item);
        *result = DefaultResultOfCurrentMessage(TRUE);
        return true;
    }
    case WM_CTLCOLORMSGBOX:
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORLISTBOX:
    case WM_CTLCOLORBTN:
    case WM_CTLCOLORDLG:
    case WM_CTLCOLORSCROLLBAR:
    case WM_CTLCOLORSTATIC:
        if (ReflectToChild(reinterpret_cast<HWND>(lParam), message, wParam, lParam, result))
            return true;
        *result = reinterpret_cast<LRESULT>(OnCtlColor(reinterpret_cast<HDC>(wParam), reinterpret_cast<HWND>(lParam),
                                                       message - WM_CTLCOLORMSGBOX));
        return true;
    case WM_COMMAND:
        if (!OnCommand(wParam, lParam))
            return false;
        *result = 0;
        return true;
    case WM_NOTIFY: {
        LRESULT notifyResult = 0;
        if (!OnNotify(wParam, lParam, &notifyResult))
            return false;
        *result = notifyResult;
        return true;
    }
    default:
        return false;
    }
}

BOOL CWnd::ReflectToChild(HWND child, UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result)
{
    CWnd* control = FromHandlePermanent(child);
    if (!control || control == this)
        return FALSE;
    return control->OnChildNotify(message, wParam, lParam, result);
}

BOOL CWnd::OnChildNotify(UINT, WPARAM, LPARAM, LRESULT*)
{
    return FALSE;
}

BOOL CWnd::OnCommand(WPARAM wParam, LPARAM lParam)
{
    const UINT id = LOWORD(wParam);
    UINT code = HIWORD(wParam);
    HWND control = reinterpret_cast<HWND>(lParam);
    if (control) {
        LRESULT result = 0;
        if (ReflectToChild(control, WM_COMMAND, wParam, lParam, &result))
            return TRUE;
        if (id == 0)
            return FALSE;
    } else {
        code = 0;  // menus (0) and accelerators (1) alike
        // An accelerator must not run a command its update handler disables.
        CommandStateProbe probe;
        probe.m_nID = id;
        probe.DoUpdate(*this, false);
        if (!probe.enabled)
            return TRUE;
    }
    CommandRequest request = CommandRequest::Command(id, code);
    return OnCmdMsg(request) ? TRUE : FALSE;
}

BOOL CWnd::OnNotify(WPARAM, LPARAM lParam, LRESULT* result)
{
    auto* header = reinterpret_cast<NMHDR*>(lParam);
    if (!header)
        return FALSE;
    if (header->hwndFrom && ReflectToChild(header->hwndFrom, WM_NOTIFY, header->idFrom, lParam, result))
        return TRUE;
    CommandRequest request = CommandRequest::Notification(header, result);
    return OnCmdMsg(request) ? TRUE : FALSE;
}

int CWnd::OnCreate(LPCREATESTRUCTA)
{
    return static_cast<int>(Default());
}

void CWnd::OnDestroy()
{
    Default();
}

void CWnd::OnNcDestroy()
{
    Default();
}

void CWnd::OnClose()
{
    Default();
}

void CWnd::OnPaint()
{
    Default();
}

BOOL CWnd::OnEraseBkgnd(HDC)
{
    return static_cast<BOOL>(Default());
}

void CWnd::OnSize(UINT, int, int)
{
    Default();
}

void CWnd::OnTimer(UINT_PTR)
{
    Default();
}

void CWnd::OnLButtonDown(UINT, POINT)
{
    Default();
}

void CWnd::OnLButtonUp(UINT, POINT)
{
    Default();
}

void CWnd::OnLButtonDblClk(UINT, POINT)
{
    Default();
}

void CWnd::OnRButtonDown(UINT, POINT)
{
    Default();
}

void CWnd::OnRButtonUp(UINT, POINT)
{
    Default();
}

void CWnd::OnMouseMove(UINT, POINT)
{
    Default();
}

BOOL CWnd::OnMouseWheel(UINT, short, POINT)
{
    // The default procedure passes the wheel to the parent; 0 means handled.
    return Default() == 0;
}

void CWnd::OnKeyDown(UINT, UINT, UINT)
{
    Default();
}

void CWnd::OnKeyUp(UINT, UINT, UINT)
{
    Default();
}

void CWnd::OnChar(UINT, UINT, UINT)
{
    Default();
}

void CWnd::OnContextMenu(HWND, POINT)
{
    Default();
}

void CWnd::OnSettingChange(UINT, LPCSTR)
{
    Default();
}

void CWnd::OnSysColorChange()
{
    Default();
}

void CWnd::OnSetFocus(HWND)
{
    Default();
}

void CWnd::OnKillFocus(HWND)
{
    Default();
}

BOOL CWnd::OnSetCursor(HWND, UINT, UINT)
{
    return static_cast<BOOL>(Default());
}

void CWnd::OnHScroll(UINT, UINT, HWND)
{
    Default();
}

void CWnd::OnVScroll(UINT, UINT, HWND)
{
    Default();
}

void CWnd::OnInitMenuPopup(HMENU, UINT, BOOL)
{
    Default();
}

void CWnd::OnShowWindow(BOOL, UINT)
{
    Default();
}

void CWnd::OnActivate(UINT, HWND, BOOL)
{
    Default();
}

int CWnd::OnMouseActivate(HWND, UINT, UINT)
{
    return static_cast<int>(Default());
}

void CWnd::OnCaptureChanged(HWND)
{
    Default();
}

void CWnd::OnDrawItem(int, LPDRAWITEMSTRUCT)
{
    Default();
}

void CWnd::OnMeasureItem(int, LPMEASUREITEMSTRUCT)
{
    Default();
}

HBRUSH CWnd::OnCtlColor(HDC, HWND, UINT)
{
    return reinterpret_cast<HBRUSH>(Default());
}
