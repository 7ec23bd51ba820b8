#pragma once
// What every window base of the program adds to its framework class so that
// its menus are owner-drawn: a CNewMenu for the window's menu and one for its
// system menu, the routing of the menu messages to the menu library, and the
// hand-made hot tracking of the menu bar on systems that don't do it.
//
// A window base holds one of these and lets it see each message first:
//     LRESULT CNewFrameWnd::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
//     {
//         LRESULT result = 0;
//         if (m_menuGlue.HandleMessage(*this, message, wParam, lParam, result,
//                                      [&] { return CFrameWnd::WindowProc(message, wParam, lParam); }))
//             return result;
//         return CFrameWnd::WindowProc(message, wParam, lParam);
//     }

#include <windows.h>

#include <functional>
#include <memory>

class CNewMenu;
class CWnd;

class CMenuWindowGlue {
public:
    CMenuWindowGlue();
    // The system menu goes before the menu.
    ~CMenuWindowGlue();
    CMenuWindowGlue(const CMenuWindowGlue&) = delete;
    CMenuWindowGlue& operator=(const CMenuWindowGlue&) = delete;

    CNewMenu& Menu() { return *m_menu; }
    CNewMenu& SystemMenu() { return *m_systemMenu; }

    // Handles the menu messages of the window (WM_CREATE, WM_INITMENUPOPUP,
    // WM_MEASUREITEM, WM_MENUCHAR, WM_ENTERMENULOOP, WM_EXITMENULOOP, WM_TIMER,
    // WM_NCHITTEST, WM_DESTROY, WM_SYSCOLORCHANGE); `base` runs the framework
    // class's own handling of the same message. False for any other message.
    bool HandleMessage(CWnd& window, UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result,
                       const std::function<LRESULT()>& base);

    // The menu-bar hot tracking of WM_NCHITTEST, given the base's hit test.
    LRESULT TrackHotItem(CWnd& window, LPARAM lParam, LRESULT baseHit);

    // Redraws a hot bar item in its normal look and forgets it; stops the timer.
    void EndHotTracking(CWnd& window, UINT state);

    // The system menu object takes `systemMenu` (the window's current one); a
    // different handle it held before is destroyed.
    void TakeSystemMenu(HMENU systemMenu);
    // The menu object takes the window's menu and makes it owner-drawn.
    void TakeMenu(HMENU menu);
    // Loads a menu resource by name into the menu object; its handle, or null.
    HMENU LoadMenu(LPCSTR name);
    // Creates a frame window as the framework's frames do, but a named menu is
    // loaded into the owner-drawn menu object; one that can't be loaded fails
    // the creation (the frame's post-destruction step runs).
    BOOL CreateFrame(CWnd& frame, LPCSTR className, LPCSTR title, DWORD style, const RECT& rect, CWnd* parent,
                     LPCSTR menuName, DWORD exStyle, LPVOID context);
    // The menu library's part of WM_INITMENUPOPUP.
    static void InitMenuPopup(CWnd& window, HMENU popup, UINT index, BOOL systemMenu);

    DWORD m_inMenuLoop = 0;     // 1 between WM_ENTERMENULOOP and WM_EXITMENULOOP
    UINT_PTR m_hotTimer = 0;    // the hot-tracking timer, 0 when none runs
    int m_hotItem = -1;         // position of the bar item drawn hot, -1 when none

private:
    // Declared in this order so that the system menu is destroyed first.
    std::unique_ptr<CNewMenu> m_menu;
    std::unique_ptr<CNewMenu> m_systemMenu;
};
