#pragma once
// CMenu: a C++ object bound to a Windows menu handle. A menu object found by
// handle (FromHandlePermanent) is the one that attached it. The object destroys
// the menu it holds when it goes, unless the menu is gone already (a window
// destroys the menu bar and system menu it holds) or was detached.

#include "framework/Object.h"
#include "framework/String.h"

#include <windows.h>

class CMenu : public CObject {
    DECLARE_DYNAMIC(CMenu)

public:
    HMENU m_hMenu = nullptr;

    CMenu() = default;
    ~CMenu() override;
    CMenu(const CMenu&) = delete;
    CMenu& operator=(const CMenu&) = delete;

    HMENU GetSafeHmenu() const { return m_hMenu; }
    operator HMENU() const { return m_hMenu; }

    // The object that attached the handle, or null.
    static CMenu* FromHandlePermanent(HMENU menu);

    BOOL Attach(HMENU menu);
    HMENU Detach();
    BOOL CreateMenu();
    BOOL CreatePopupMenu();
    BOOL DestroyMenu();

    int GetMenuItemCount() const { return ::GetMenuItemCount(m_hMenu); }
    UINT GetMenuItemID(int position) const { return ::GetMenuItemID(m_hMenu, position); }
    UINT GetMenuState(UINT item, UINT flags) const { return ::GetMenuState(m_hMenu, item, flags); }
    int GetMenuString(UINT item, CString& text, UINT flags) const;
    BOOL AppendMenu(UINT flags, UINT_PTR id = 0, LPCSTR text = nullptr)
    {
        return ::AppendMenuA(m_hMenu, flags, id, text);
    }
    BOOL InsertMenu(UINT position, UINT flags, UINT_PTR id = 0, LPCSTR text = nullptr)
    {
        return ::InsertMenuA(m_hMenu, position, flags, id, text);
    }
    BOOL ModifyMenu(UINT position, UINT flags, UINT_PTR id = 0, LPCSTR text = nullptr)
    {
        return ::ModifyMenuA(m_hMenu, position, flags, id, text);
    }
    BOOL RemoveMenu(UINT position, UINT flags) { return ::RemoveMenu(m_hMenu, position, flags); }
    BOOL DeleteMenu(UINT position, UINT flags) { return ::DeleteMenu(m_hMenu, position, flags); }
    UINT CheckMenuItem(UINT item, UINT check) { return ::CheckMenuItem(m_hMenu, item, check); }
    UINT EnableMenuItem(UINT item, UINT enable) { return ::EnableMenuItem(m_hMenu, item, enable); }
    BOOL TrackPopupMenu(UINT flags, int x, int y, HWND owner, const RECT* rect = nullptr) const
    {
        return ::TrackPopupMenu(m_hMenu, flags, x, y, 0, owner, rect);
    }

    // Owner-drawn items: what the owner's WM_DRAWITEM and WM_MEASUREITEM hand on.
    virtual void DrawItem(LPDRAWITEMSTRUCT item);
    virtual void MeasureItem(LPMEASUREITEMSTRUCT item);

private:
    void Register();
    void Unregister();
};
