#include "uikit/MenuWindowGlue.h"

#include "framework/Wnd.h"
#include "uikit/FreeTimer.h"
#include "uikit/MenuLibrary.h"
#include "uikit/NewMenu.h"
#include "uikit/MenuSystemSettings.h"
#include "uikit/OsVersion.h"
#include "uikit/ShowLastError.h"

namespace {

constexpr UINT kHotTimerInterval = 100;  // ms between re-checks of the cursor

// The window's menu as a CNewMenu, when it is one.
CNewMenu* NewMenuOfWindow(CWnd& window, CNewMenu& own)
{
    HMENU menu = ::GetMenu(window.m_hWnd);
    if (!menu)
        return nullptr;
    if (own.m_hMenu == menu)
        return &own;
    return dynamic_cast<CNewMenu*>(CMenu::FromHandlePermanent(menu));
}

bool HotTrackingWanted()
{
    return OSVersionCode() < 6 || IsMenuRemoteSession();
}

}  // namespace

CMenuWindowGlue::CMenuWindowGlue() : m_menu(std::make_unique<CNewMenu>()), m_systemMenu(std::make_unique<CNewMenu>())
{
}

CMenuWindowGlue::~CMenuWindowGlue()
{
    m_systemMenu.reset();
    m_menu.reset();
}

void CMenuWindowGlue::TakeSystemMenu(HMENU systemMenu)
{
    if (HMENU held = m_systemMenu->Detach(); held && held != systemMenu) {
        if (!::DestroyMenu(held))
            ShowLastError();
    }
    m_systemMenu->Attach(systemMenu);
}

void CMenuWindowGlue::TakeMenu(HMENU menu)
{
    if (menu)
        m_menu->AttachMenu(menu);
}

HMENU CMenuWindowGlue::LoadMenu(LPCSTR name)
{
    m_menu->LoadMenu(name);
    return m_menu->m_hMenu;
}

BOOL CMenuWindowGlue::CreateFrame(CWnd& frame, LPCSTR className, LPCSTR title, DWORD style, const RECT& rect,
                                  CWnd* parent, LPCSTR menuName, DWORD exStyle, LPVOID context)
{
    HMENU menu = nullptr;
    if (menuName) {
        menu = LoadMenu(menuName);
        if (!menu) {
            frame.PostNcDestroy();
            return FALSE;
        }
    }
    const int width = rect.left == CW_USEDEFAULT ? CW_USEDEFAULT : rect.right - rect.left;
    const int height = rect.left == CW_USEDEFAULT ? CW_USEDEFAULT : rect.bottom - rect.top;
    return frame.CreateEx(exStyle, className, title, style, rect.left, rect.top, width, height,
                          parent ? parent->GetSafeHwnd() : nullptr, menu, context);
}

void CMenuWindowGlue::InitMenuPopup(CWnd& window, HMENU popup, UINT index, BOOL systemMenu)
{
    CNewMenu::OnInitMenuPopup(window.m_hWnd, popup, index, systemMenu);
}

void CMenuWindowGlue::EndHotTracking(CWnd& window, UINT state)
{
    if (m_hotItem >= 0) {
        if (CNewMenu* menu = NewMenuOfWindow(window, *m_menu))
            CNewMenu::DrawMenuBarItem(window.m_hWnd, menu->m_hMenu, m_hotItem, state);
        m_hotItem = -1;
    }
    if (m_hotTimer) {
        KillFreeTimer(window.m_hWnd, m_hotTimer);
        m_hotTimer = 0;
    }
}

LRESULT CMenuWindowGlue::TrackHotItem(CWnd& window, LPARAM lParam, LRESULT baseHit)
{
    if (!HotTrackingWanted())
        return baseHit;

    HWND focus = ::GetFocus();
    const UINT state = (focus && ::IsChild(window.m_hWnd, focus)) ? 0 : ODS_INACTIVE;

    CNewMenu* menu = nullptr;
    int item = -1;
    if (!m_inMenuLoop && baseHit == HTMENU)
        menu = NewMenuOfWindow(window, *m_menu);
    if (menu) {
        const POINT point{static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
        item = ::MenuItemFromPoint(window.m_hWnd, menu->m_hMenu, point);
    }
    if (menu && item >= 0) {
        if (item != m_hotItem) {
            if (m_hotItem >= 0)
                CNewMenu::DrawMenuBarItem(window.m_hWnd, menu->m_hMenu, m_hotItem, state);
            if (!CNewMenu::DrawMenuBarItem(window.m_hWnd, menu->m_hMenu, item, state | ODS_HOTLIGHT)) {
                m_hotItem = -1;
                return HTMENU;
            }
        } else if (MenuLibrary().hotBarItem ||
                   !CNewMenu::DrawMenuBarItem(window.m_hWnd, menu->m_hMenu, item, state | ODS_HOTLIGHT)) {
            // Still drawn hot, or it can't be: nothing more to do. When the
            // system repainted the bar and cleared the hot mark, it is drawn again.
            return HTMENU;
        }
        if (!m_hotTimer)
            m_hotTimer = SetFreeTimer(window.m_hWnd, kHotTimerInterval);
        m_hotItem = item;
        return HTMENU;
    }

    EndHotTracking(window, state);
    return baseHit;
}

bool CMenuWindowGlue::HandleMessage(CWnd& window, UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result,
                                    const std::function<LRESULT()>& base)
{
    switch (message) {
    case WM_CREATE:
        if (base() == -1) {
            result = -1;
            return true;
        }
        m_systemMenu->Attach(::GetSystemMenu(window.m_hWnd, FALSE));
        result = 0;
        return true;
    case WM_INITMENUPOPUP:
        result = base();
        CNewMenu::OnInitMenuPopup(window.m_hWnd, reinterpret_cast<HMENU>(wParam), LOWORD(lParam), HIWORD(lParam));
        return true;
    case WM_MEASUREITEM:
        if (CNewMenu::OnMeasureItem(window.m_hWnd, reinterpret_cast<LPMEASUREITEMSTRUCT>(lParam))) {
            result = TRUE;
            return true;
        }
        result = base();
        return true;
    case WM_DRAWITEM:
        // The framework hands owner-drawn controls their items; menu items are ours.
        if (reinterpret_cast<LPDRAWITEMSTRUCT>(lParam)->CtlType == ODT_MENU &&
            CNewMenu::OnDrawItem(reinterpret_cast<LPDRAWITEMSTRUCT>(lParam))) {
            result = TRUE;
            return true;
        }
        result = base();
        return true;
    case WM_MENUCHAR:
        if (dynamic_cast<CNewMenu*>(CMenu::FromHandlePermanent(reinterpret_cast<HMENU>(lParam)))) {
            result = CNewMenu::OnMenuChar(LOWORD(wParam), HIWORD(wParam), reinterpret_cast<HMENU>(lParam));
            return true;
        }
        result = base();
        return true;
    case WM_ENTERMENULOOP:
        m_inMenuLoop = 1;
        if (m_hotTimer) {
            KillFreeTimer(window.m_hWnd, m_hotTimer);
            m_hotTimer = 0;
        }
        if (m_hotItem >= 0) {
            if (CNewMenu* menu = NewMenuOfWindow(window, *m_menu))
                CNewMenu::DrawMenuBarItem(window.m_hWnd, menu->m_hMenu, m_hotItem, 0);
            m_hotItem = -1;
        }
        result = base();
        return true;
    case WM_EXITMENULOOP:
        m_inMenuLoop = 0;
        result = base();
        return true;
    case WM_TIMER:
        result = base();
        if (m_hotTimer && wParam == m_hotTimer) {
            POINT cursor{};
            ::GetCursorPos(&cursor);
            window.SendMessage(WM_NCHITTEST, 0, MAKELPARAM(cursor.x, cursor.y));
        }
        return true;
    case WM_NCHITTEST:
        result = TrackHotItem(window, lParam, base());
        return true;
    case WM_DESTROY:
        if (m_hotTimer) {
            KillFreeTimer(window.m_hWnd, m_hotTimer);
            m_hotTimer = 0;
        }
        result = base();
        return true;
    case WM_SYSCOLORCHANGE:
        result = base();
        CNewMenu::RefreshMenuIcons();
        return true;
    default:
        return false;
    }
}
