#pragma once
// CWnd: a C++ object bound to a window. Windows the framework creates (or
// subclasses) send every message to the object's virtual WindowProc, which
// calls the virtual handler of the message (OnCreate, OnPaint, OnTimer ...)
// and otherwise the window's original procedure. WM_COMMAND and WM_NOTIFY go
// through OnCmdMsg, so command tables (CmdTarget.h) handle them.
//
// A derived class handles a message without a handler of its own by
// overriding WindowProc:
//     LRESULT CMyBar::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
//     {
//         if (message == WM_NCHITTEST) return HTCAPTION;
//         return CWnd::WindowProc(message, wParam, lParam);
//     }
// A handler that wants the original behaviour calls Default().
//
// Ownership: a window created by Create/CreateEx is destroyed with its object
// unless it went first; a subclassed window is given back its procedure.
// Classes whose objects live on the heap and go with their window (frames,
// views) delete themselves in PostNcDestroy.
//
// No exception ever leaves the framework's window procedure: the last-resort
// handler turns one into the message's failure result.

#include "framework/CmdTarget.h"
#include "framework/String.h"

#include <windows.h>

class CFrameWnd;

// A window class registered by the framework; returns its name (valid for the
// life of the process). The same arguments give the same class.
LPCSTR RegisterFrameworkWindowClass(UINT classStyle, HCURSOR cursor = nullptr, HBRUSH background = nullptr,
                                    HICON icon = nullptr);

class CWnd : public CCmdTarget {
    DECLARE_DYNCREATE(CWnd)

public:
    HWND m_hWnd = nullptr;

    CWnd() = default;
    ~CWnd() override;

    HWND GetSafeHwnd() const { return m_hWnd; }
    operator HWND() const { return m_hWnd; }

    // The object bound to a window by this framework, or null.
    static CWnd* FromHandlePermanent(HWND window);
    // That object, else a temporary wrapper that lives until the thread's next
    // idle time (or DeleteTempMap). Null for a null handle.
    static CWnd* FromHandle(HWND window);
    static void DeleteTempMap();

    // Binds an existing window to this object without routing its messages.
    bool Attach(HWND window);
    HWND Detach();

    // ---- creation ----------------------------------------------------------
    // Last chance to change the class, styles, position or size.
    virtual BOOL PreCreateWindow(CREATESTRUCTA& cs);
    // A null class name takes the framework's default class.
    BOOL CreateEx(DWORD exStyle, LPCSTR className, LPCSTR windowName, DWORD style, int x, int y, int width,
                  int height, HWND parent, HMENU menuOrId, LPVOID param = nullptr);
    BOOL CreateEx(DWORD exStyle, LPCSTR className, LPCSTR windowName, DWORD style, const RECT& rect,
                  CWnd* parent, UINT id, LPVOID param = nullptr);
    // A child window (WS_CHILD is added).
    virtual BOOL Create(LPCSTR className, LPCSTR windowName, DWORD style, const RECT& rect, CWnd* parent,
                        UINT id, LPVOID param = nullptr);
    virtual BOOL DestroyWindow();

    // Routes an existing window's messages through this object.
    BOOL SubclassWindow(HWND window);
    BOOL SubclassDlgItem(UINT id, CWnd* parent);
    HWND UnsubclassWindow();

    // ---- message handling --------------------------------------------------
    virtual LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam);
    // The window's original procedure (DefWindowProc for the framework's classes).
    virtual LRESULT DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam);
    // The original procedure with the message being handled.
    LRESULT Default();
    // The message being handled on this thread, or null.
    static const MSG* GetCurrentMessage();

    // Key and mouse messages before they are dispatched; TRUE eats the message.
    virtual BOOL PreTranslateMessage(MSG* msg);
    // Runs PreTranslateMessage of the message's window and its parents, up to `last`.
    static BOOL WalkPreTranslateTree(HWND last, MSG* msg);

    // Called after the window has gone; self-deleting classes delete themselves here.
    virtual void PostNcDestroy();
    // Messages a parent passes back to the control that sent them (WM_COMMAND,
    // WM_NOTIFY, WM_DRAWITEM, WM_MEASUREITEM, WM_CTLCOLOR..., scroll bars).
    // TRUE when handled, with the result in *result.
    virtual BOOL OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result);
    // WM_COMMAND: control first (OnChildNotify), then the command route. A menu
    // or accelerator command whose update handler disables it is dropped.
    virtual BOOL OnCommand(WPARAM wParam, LPARAM lParam);
    virtual BOOL OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* result);

    // ---- operations ------------------------------------------------------------
    BOOL ShowWindow(int command) { return ::ShowWindow(m_hWnd, command); }
    BOOL UpdateWindow() { return ::UpdateWindow(m_hWnd); }
    void Invalidate(BOOL erase = TRUE) { ::InvalidateRect(m_hWnd, nullptr, erase); }
    void InvalidateRect(const RECT* rect, BOOL erase = TRUE) { ::InvalidateRect(m_hWnd, rect, erase); }
    void ValidateRect(const RECT* rect) { ::ValidateRect(m_hWnd, rect); }
    BOOL RedrawWindow(const RECT* rect = nullptr, HRGN region = nullptr,
                      UINT flags = RDW_INVALIDATE | RDW_UPDATENOW | RDW_ERASE)
    {
        return ::RedrawWindow(m_hWnd, rect, region, flags);
    }
    BOOL IsWindow() const { return ::IsWindow(m_hWnd); }
    BOOL IsWindowVisible() const { return ::IsWindowVisible(m_hWnd); }
    BOOL IsWindowEnabled() const { return ::IsWindowEnabled(m_hWnd); }
    BOOL EnableWindow(BOOL enable = TRUE) { return ::EnableWindow(m_hWnd, enable); }
    BOOL IsIconic() const { return ::IsIconic(m_hWnd); }
    BOOL IsZoomed() const { return ::IsZoomed(m_hWnd); }
    HWND SetFocus() { return ::SetFocus(m_hWnd); }
    HWND SetCapture() { return ::SetCapture(m_hWnd); }
    BOOL BringWindowToTop() { return ::BringWindowToTop(m_hWnd); }
    BOOL SetForegroundWindow() { return ::SetForegroundWindow(m_hWnd); }

    void GetClientRect(RECT* rect) const { ::GetClientRect(m_hWnd, rect); }
    void GetWindowRect(RECT* rect) const { ::GetWindowRect(m_hWnd, rect); }
    void ClientToScreen(POINT* point) const { ::ClientToScreen(m_hWnd, point); }
    void ClientToScreen(RECT* rect) const;
    void ScreenToClient(POINT* point) const { ::ScreenToClient(m_hWnd, point); }
    void ScreenToClient(RECT* rect) const;
    BOOL MoveWindow(int x, int y, int width, int height, BOOL repaint = TRUE)
    {
        return ::MoveWindow(m_hWnd, x, y, width, height, repaint);
    }
    BOOL MoveWindow(const RECT& rect, BOOL repaint = TRUE);
    BOOL SetWindowPos(HWND insertAfter, int x, int y, int width, int height, UINT flags)
    {
        return ::SetWindowPos(m_hWnd, insertAfter, x, y, width, height, flags);
    }
    void CenterWindow(HWND alternateOwner = nullptr);
    BOOL GetWindowPlacement(WINDOWPLACEMENT* placement) const;
    BOOL SetWindowPlacement(const WINDOWPLACEMENT* placement);

    DWORD GetStyle() const { return static_cast<DWORD>(::GetWindowLongPtrA(m_hWnd, GWL_STYLE)); }
    DWORD GetExStyle() const { return static_cast<DWORD>(::GetWindowLongPtrA(m_hWnd, GWL_EXSTYLE)); }
    // Changes style bits; with swpFlags the frame is recalculated (SetWindowPos).
    BOOL ModifyStyle(DWORD remove, DWORD add, UINT swpFlags = 0);
    BOOL ModifyStyleEx(DWORD remove, DWORD add, UINT swpFlags = 0);

    void SetWindowText(LPCSTR text) { ::SetWindowTextA(m_hWnd, text ? text : ""); }
    void GetWindowText(CString& text) const;
    int GetWindowTextLength() const { return ::GetWindowTextLengthA(m_hWnd); }
    void SetFont(HFONT font, BOOL redraw = TRUE)
    {
        ::SendMessageA(m_hWnd, WM_SETFONT, reinterpret_cast<WPARAM>(font), redraw);
    }
    HFONT GetFont() const { return reinterpret_cast<HFONT>(::SendMessageA(m_hWnd, WM_GETFONT, 0, 0)); }
    HICON SetIcon(HICON icon, BOOL big)
    {
        return reinterpret_cast<HICON>(::SendMessageA(m_hWnd, WM_SETICON, big ? ICON_BIG : ICON_SMALL,
                                                      reinterpret_cast<LPARAM>(icon)));
    }

    CWnd* GetParent() const { return FromHandle(::GetParent(m_hWnd)); }
    CWnd* GetTopLevelParent() const;
    // The nearest frame among the parents, or null.
    CFrameWnd* GetParentFrame() const;
    CWnd* GetDlgItem(int id) const { return FromHandle(::GetDlgItem(m_hWnd, id)); }
    HWND GetDlgItemHandle(int id) const { return ::GetDlgItem(m_hWnd, id); }
    int GetDlgCtrlID() const { return ::GetDlgCtrlID(m_hWnd); }
    void SetDlgItemText(int id, LPCSTR text) { ::SetDlgItemTextA(m_hWnd, id, text ? text : ""); }
    void GetDlgItemText(int id, CString& text) const;
    void SetDlgItemInt(int id, UINT value, BOOL isSigned = TRUE) { ::SetDlgItemInt(m_hWnd, id, value, isSigned); }
    UINT GetDlgItemInt(int id, BOOL* translated = nullptr, BOOL isSigned = TRUE) const
    {
        return ::GetDlgItemInt(m_hWnd, id, translated, isSigned);
    }
    void CheckDlgButton(int id, UINT check) { ::CheckDlgButton(m_hWnd, id, check); }
    UINT IsDlgButtonChecked(int id) const { return ::IsDlgButtonChecked(m_hWnd, id); }
    LRESULT SendDlgItemMessage(int id, UINT message, WPARAM wParam = 0, LPARAM lParam = 0)
    {
        return ::SendDlgItemMessageA(m_hWnd, id, message, wParam, lParam);
    }

    LRESULT SendMessage(UINT message, WPARAM wParam = 0, LPARAM lParam = 0) const
    {
        return ::SendMessageA(m_hWnd, message, wParam, lParam);
    }
    BOOL PostMessage(UINT message, WPARAM wParam = 0, LPARAM lParam = 0) const
    {
        return ::PostMessageA(m_hWnd, message, wParam, lParam);
    }
    // Sends to every child (and, when deep, their children), depth first.
    void SendMessageToDescendants(UINT message, WPARAM wParam = 0, LPARAM lParam = 0, BOOL deep = TRUE);

    UINT_PTR SetTimer(UINT_PTR id, UINT elapse) { return ::SetTimer(m_hWnd, id, elapse, nullptr); }
    BOOL KillTimer(UINT_PTR id) { return ::KillTimer(m_hWnd, id); }
    // A timer whose ticks only animate what is already shown (marching ants):
    // they are no user activity, so the message loop runs no idle update of
    // menus and tool bars after them. Killed with KillTimer like any other.
    UINT_PTR SetAnimationTimer(UINT_PTR id, UINT elapse);
    bool IsAnimationTimer(UINT_PTR id) const { return m_animationTimer != 0 && id == m_animationTimer; }

    // A null caption takes the application's title.
    int MessageBox(LPCSTR text, LPCSTR caption = nullptr, UINT type = MB_OK);

    HMENU GetMenu() const { return ::GetMenu(m_hWnd); }
    BOOL SetMenu(HMENU menu) { return ::SetMenu(m_hWnd, menu); }
    void DrawMenuBar() { ::DrawMenuBar(m_hWnd); }
    HMENU GetSystemMenu(BOOL revert) const { return ::GetSystemMenu(m_hWnd, revert); }

    int GetScrollPos(int bar) const { return ::GetScrollPos(m_hWnd, bar); }
    int SetScrollPos(int bar, int pos, BOOL redraw = TRUE) { return ::SetScrollPos(m_hWnd, bar, pos, redraw); }
    BOOL GetScrollInfo(int bar, SCROLLINFO* info) const { return ::GetScrollInfo(m_hWnd, bar, info); }
    int SetScrollInfo(int bar, const SCROLLINFO* info, BOOL redraw = TRUE)
    {
        return ::SetScrollInfo(m_hWnd, bar, info, redraw);
    }
    void ShowScrollBar(int bar, BOOL show = TRUE) { ::ShowScrollBar(m_hWnd, bar, show); }
    void ScrollWindow(int dx, int dy) { ::ScrollWindowEx(m_hWnd, dx, dy, nullptr, nullptr, nullptr, nullptr, SW_INVALIDATE | SW_ERASE); }

protected:
    // ---- handlers of common messages --------------------------------------------
    // Each default runs Default() unless it says otherwise.
    virtual int OnCreate(LPCREATESTRUCTA cs);
    virtual void OnDestroy();
    virtual void OnNcDestroy();
    virtual void OnClose();
    virtual void OnPaint();
    virtual BOOL OnEraseBkgnd(HDC dc);
    virtual void OnSize(UINT type, int cx, int cy);
    virtual void OnTimer(UINT_PTR id);
    virtual void OnLButtonDown(UINT flags, POINT point);
    virtual void OnLButtonUp(UINT flags, POINT point);
    virtual void OnLButtonDblClk(UINT flags, POINT point);
    virtual void OnRButtonDown(UINT flags, POINT point);
    virtual void OnRButtonUp(UINT flags, POINT point);
    virtual void OnMouseMove(UINT flags, POINT point);
    // point in screen coordinates
    virtual BOOL OnMouseWheel(UINT flags, short delta, POINT point);
    virtual void OnKeyDown(UINT key, UINT repeat, UINT flags);
    virtual void OnKeyUp(UINT key, UINT repeat, UINT flags);
    virtual void OnChar(UINT ch, UINT repeat, UINT flags);
    // point in screen coordinates; (-1, -1) when the menu key was pressed
    virtual void OnContextMenu(HWND window, POINT point);
    virtual void OnSettingChange(UINT flags, LPCSTR section);
    virtual void OnSysColorChange();
    virtual void OnSetFocus(HWND oldWindow);
    virtual void OnKillFocus(HWND newWindow);
    virtual BOOL OnSetCursor(HWND window, UINT hitTest, UINT message);
    virtual void OnHScroll(UINT code, UINT pos, HWND scrollBar);
    virtual void OnVScroll(UINT code, UINT pos, HWND scrollBar);
    virtual void OnInitMenuPopup(HMENU popup, UINT index, BOOL systemMenu);
    virtual void OnShowWindow(BOOL show, UINT status);
    virtual void OnActivate(UINT state, HWND other, BOOL minimized);
    virtual int OnMouseActivate(HWND topLevel, UINT hitTest, UINT message);
    virtual void OnCaptureChanged(HWND newCapture);
    virtual void OnDrawItem(int id, LPDRAWITEMSTRUCT item);
    virtual void OnMeasureItem(int id, LPMEASUREITEMSTRUCT item);
    virtual HBRUSH OnCtlColor(HDC dc, HWND control, UINT type);  // type: CTLCOLOR_EDIT ...

    // Passes a message back to the control it came from; TRUE when that control handled it.
    BOOL ReflectToChild(HWND child, UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result);

    // The procedure the window had before the framework subclassed it.
    WNDPROC m_pfnSuper = nullptr;

private:
    enum class Binding { None, Created, Subclassed, Attached, Temporary };

    // Calls the handler of a known message; false for messages without one.
    bool OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result);
    // Takes over a window during its creation (see the creation hook in Wnd.cpp).
    void BindCreatedWindow(HWND window);
    // After WM_NCDESTROY: the original procedure back, the binding gone, PostNcDestroy.
    void FinishNcDestroy();
    // What Default() answered for the message being handled, or ifNotCalled.
    static LRESULT DefaultResultOfCurrentMessage(LRESULT ifNotCalled = 0);

    Binding m_binding = Binding::None;
    UINT_PTR m_animationTimer = 0;  // one per window is all any window needs

    friend LRESULT CALLBACK FrameworkWindowProcedure(HWND, UINT, WPARAM, LPARAM);
    friend LRESULT CALLBACK FrameworkCreationHook(int, WPARAM, LPARAM);
    friend class CWndCreationScope;
};

// While alive, the next window this thread creates is bound to `window` from
// its first message on (dialogs use it around CreateDialogIndirectParam).
// Wnd.cpp keeps the hook; nested scopes are fine.
class CWndCreationScope {
public:
    explicit CWndCreationScope(CWnd* window);
    ~CWndCreationScope();
    CWndCreationScope(const CWndCreationScope&) = delete;
    CWndCreationScope& operator=(const CWndCreationScope&) = delete;

    // Whether the window was bound (it may have gone again if creation failed).
    bool Bound() const { return m_bound; }

private:
    CWnd* m_previousPending;
    bool* m_previousBoundFlag;
    bool m_bound = false;
};
