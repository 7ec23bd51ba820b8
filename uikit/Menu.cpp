#include "uikit/Menu.h"

#include "framework/WindowTexts.h"

#include <mutex>
#include <unordered_map>

IMPLEMENT_DYNAMIC(CMenu, CObject)

namespace {

struct MenuMap {
    std::mutex mutex;
    std::unordered_map<HMENU, CMenu*> menus;
};

MenuMap& Menus()
{
    static MenuMap map;
    return map;
}

}  // namespace

CMenu::~CMenu()
{
    DestroyMenu();
}

CMenu* CMenu::FromHandlePermanent(HMENU menu)
{
    if (!menu)
        return nullptr;
    MenuMap& map = Menus();
    const std::lock_guard<std::mutex> lock(map.mutex);
    const auto found = map.menus.find(menu);
    return found == map.menus.end() ? nullptr : found->second;
}

void CMenu::Register()
{
    MenuMap& map = Menus();
    const std::lock_guard<std::mutex> lock(map.mutex);
    map.menus[m_hMenu] = this;
}

void CMenu::Unregister()
{
    MenuMap& map = Menus();
    const std::lock_guard<std::mutex> lock(map.mutex);
    if (const auto found = map.menus.find(m_hMenu); found != map.menus.end() && found->second == this)
        map.menus.erase(found);
}

BOOL CMenu::Attach(HMENU menu)
{
    if (!menu || !::IsMenu(menu) || m_hMenu)
        return FALSE;
    m_hMenu = menu;
    Register();
    return TRUE;
}

HMENU CMenu::Detach()
{
    if (!m_hMenu)
        return nullptr;
    Unregister();
    HMENU menu = m_hMenu;
    m_hMenu = nullptr;
    return menu;
}

BOOL CMenu::CreateMenu()
{
    return Attach(::CreateMenu());
}

BOOL CMenu::CreatePopupMenu()
{
    return Attach(::CreatePopupMenu());
}

BOOL CMenu::DestroyMenu()
{
    HMENU menu = Detach();
    // A window destroys its menu bar and system menu itself; by then the handle is dead.
    return menu && ::IsMenu(menu) ? ::DestroyMenu(menu) : FALSE;
}

int CMenu::GetMenuString(UINT item, CString& text, UINT flags) const
{
    text = MenuItemTextOf(m_hMenu, item, flags);
    return text.GetLength();
}

void CMenu::DrawItem(LPDRAWITEMSTRUCT) {}

void CMenu::MeasureItem(LPMEASUREITEMSTRUCT) {}
