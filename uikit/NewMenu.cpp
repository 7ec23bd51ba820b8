#include "uikit/NewMenu.h"

#include "framework/Module.h"
#include "framework/WindowTexts.h"
#include "uikit/MenuDrawStyle.h"
#include "uikit/MenuLibrary.h"
#include "uikit/MenuSystemSettings.h"
#include "uikit/NewMenuIcons.h"
#include "uikit/OsVersion.h"

#include <algorithm>
#include <mutex>
#include <unordered_set>

IMPLEMENT_DYNAMIC(CNewMenu, CMenu)

namespace {

// Every CNewMenu alive, to find the menu an item record belongs to.
struct LiveMenus {
    std::mutex mutex;
    std::unordered_set<CNewMenu*> menus;
};

LiveMenus& Live()
{
    static LiveMenus live;
    return live;
}

struct LiveItem {
    UINT_PTR id;
    UINT type;
    UINT state;
    HMENU subMenu;
};

bool ReadItem(HMENU menu, int position, LiveItem& item)
{
    MENUITEMINFOA info{};
    info.cbSize = sizeof info;
    info.fMask = MIIM_FTYPE | MIIM_STATE | MIIM_ID | MIIM_SUBMENU;
    if (!::GetMenuItemInfoA(menu, static_cast<UINT>(position), TRUE, &info))
        return false;
    item = LiveItem{info.wID, info.fType, info.fState, info.hSubMenu};
    return true;
}

// The text of the item at a position; empty for owner-drawn items without one.
CString ReadItemText(HMENU menu, int position)
{
    return MenuItemTextOf(menu, static_cast<UINT>(position), MF_BYPOSITION);
}

// Makes the item at `position` owner-drawn with `data`, leaving its id, state
// and sub-menu as they are.
void MakeOwnerDrawn(HMENU menu, int position, CNewMenuItemData& data, UINT extraType = 0, UINT removeType = 0)
{
    MENUITEMINFOA info{};
    info.cbSize = sizeof info;
    info.fMask = MIIM_FTYPE;
    if (!::GetMenuItemInfoA(menu, static_cast<UINT>(position), TRUE, &info))
        return;
    info.fMask = MIIM_FTYPE | MIIM_DATA;
    info.fType = ((info.fType | MFT_OWNERDRAW | extraType) & ~removeType);
    info.dwItemData = reinterpret_cast<ULONG_PTR>(&data);
    ::SetMenuItemInfoA(menu, static_cast<UINT>(position), TRUE, &info);
}

// The flags an item was inserted with, as ModifyMenu would take them.
UINT MenuFlagsOf(const LiveItem& item)
{
    UINT flags = (item.type & (MFT_SEPARATOR | MFT_MENUBREAK | MFT_MENUBARBREAK | MFT_RIGHTJUSTIFY)) | MF_OWNERDRAW;
    flags |= item.state & (MFS_GRAYED | MFS_CHECKED | MFS_HILITE | MFS_DEFAULT);
    if (item.subMenu)
        flags |= MF_POPUP;
    return flags;
}

}  // namespace

CNewMenu::CNewMenu(HMENU parentMenu) : m_hParentMenu(parentMenu)
{
    MenuLibrary();  // the modes and the hook exist before any menu
    LiveMenus& live = Live();
    const std::lock_guard<std::mutex> lock(live.mutex);
    live.menus.insert(this);
}

CNewMenu::~CNewMenu()
{
    {
        LiveMenus& live = Live();
        const std::lock_guard<std::mutex> lock(live.mutex);
        live.menus.erase(this);
    }
    ReleaseItemData();
}

CNewMenu* CNewMenu::FindMenuOfItem(UINT itemId, ULONG_PTR itemData)
{
    const auto* data = reinterpret_cast<const CNewMenuItemData*>(itemData);
    if (!data)
        return nullptr;
    LiveMenus& live = Live();
    const std::lock_guard<std::mutex> lock(live.mutex);
    for (CNewMenu* menu : live.menus) {
        // Only records this library made are ever read through the pointer.
        if (menu->OwnsItemData(data) && static_cast<UINT>(data->m_nCommandId) == itemId)
            return menu;
    }
    return nullptr;
}

bool CNewMenu::OwnsItemData(const CNewMenuItemData* data) const
{
    return std::any_of(m_itemData.begin(), m_itemData.end(),
                       [data](const auto& owned) { return owned.get() == data; });
}

CNewMenuItemData* CNewMenu::GetItemDataAt(int position) const
{
    if (position < 0 || position >= static_cast<int>(m_itemData.size()))
        return nullptr;
    return m_itemData[static_cast<size_t>(position)].get();
}

BOOL CNewMenu::LoadMenu(UINT resourceId)
{
    return LoadMenu(MAKEINTRESOURCEA(resourceId));
}

BOOL CNewMenu::LoadMenu(LPCSTR resourceName)
{
    HMENU menu = ::LoadMenuA(GetResourceHandle(), resourceName);
    if (!menu)
        return FALSE;
    ReleaseItemData();
    if (!AttachMenu(menu)) {
        ::DestroyMenu(menu);
        return FALSE;
    }
    return TRUE;
}

BOOL CNewMenu::CreatePopupMenu()
{
    ReleaseItemData();
    return CMenu::CreatePopupMenu();
}

BOOL CNewMenu::AttachMenu(HMENU menu)
{
    if (!menu || !::IsMenu(menu))
        return FALSE;
    if (m_hMenu != menu) {
        ReleaseItemData();
        if (!Attach(menu))
            return FALSE;
    }
    m_bIsPopup = 0;
    const int count = ::GetMenuItemCount(menu);
    for (int position = 0; position < count; ++position) {
        HMENU subMenu = ::GetSubMenu(menu, position);
        if (!subMenu || CMenu::FromHandlePermanent(subMenu))
            continue;
        auto child = std::make_unique<CNewMenu>(menu);
        if (!child->AttachMenu(subMenu))
            continue;
        child->m_bIsPopup = 1;
        m_subMenus.push_back(std::move(child));
    }
    ConvertItems();
    return TRUE;
}

void CNewMenu::ReleaseItemData()
{
    for (auto& child : m_subMenus) {
        child->ReleaseItemData();
        child->Detach();  // destroyed with this menu
    }
    m_subMenus.clear();
    MenuLibraryState& library = MenuLibrary();
    if (library.running && library.hotBarItem && OwnsItemData(library.hotBarItem))
        library.hotBarItem = nullptr;
    m_itemData.clear();
    if (m_hParentMenu)
        Detach();
    else
        DestroyMenu();
}

void CNewMenu::ConvertItems()
{
    if (!m_hMenu)
        return;
    for (auto& data : m_itemData)
        data->m_bSyncMark = 0;

    std::vector<std::unique_ptr<CNewMenuItemData>> collected;
    const auto takeUnmarked = [this](UINT_PTR id) -> std::unique_ptr<CNewMenuItemData> {
        for (auto& data : m_itemData) {
            if (data && !data->m_bSyncMark && data->m_nCommandId == id) {
                data->m_bSyncMark = 1;
                return std::move(data);
            }
        }
        return nullptr;
    };

    for (int position = 0; position < ::GetMenuItemCount(m_hMenu); ++position) {
        if (::GetMenuState(m_hMenu, static_cast<UINT>(position), MF_BYPOSITION) == static_cast<UINT>(-1))
            break;
        LiveItem item{};
        if (!ReadItem(m_hMenu, position, item))
            break;
        const bool separator = (item.type & MFT_SEPARATOR) != 0 && !item.subMenu;
        const UINT_PTR id = item.subMenu ? reinterpret_cast<UINT_PTR>(item.subMenu) : (separator ? 0 : item.id);
        std::unique_ptr<CNewMenuItemData> data = takeUnmarked(id);
        if (!data)
            data = std::make_unique<CNewMenuItemData>();
        data->m_bSyncMark = 1;
        data->m_nCommandId = id;
        if (!separator) {
            const CString text = ReadItemText(m_hMenu, position);
            if (!text.IsEmpty())
                data->m_strText = text;
        }
        data->m_nMenuFlags = MenuFlagsOf(item);
        MakeOwnerDrawn(m_hMenu, position, *data);
        if (item.subMenu) {
            if (auto* child = dynamic_cast<CNewMenu*>(CMenu::FromHandlePermanent(item.subMenu)))
                child->m_hParentMenu = m_hMenu;
        }
        collected.push_back(std::move(data));
    }
    // Records left unmatched belong to items that went away.
    m_itemData = std::move(collected);
}

void CNewMenu::ConvertItemsIfChanged()
{
    if (!m_hMenu)
        return;
    const int count = ::GetMenuItemCount(m_hMenu);
    bool changed = count != static_cast<int>(m_itemData.size());
    // Items swapped behind the menu's back leave the count alone: every item
    // must still carry the record at its position.
    for (int position = 0; position < count && !changed; ++position) {
        MENUITEMINFOA info{};
        info.cbSize = sizeof info;
        info.fMask = MIIM_FTYPE | MIIM_DATA;
        changed = !::GetMenuItemInfoA(m_hMenu, static_cast<UINT>(position), TRUE, &info) ||
                  !(info.fType & MFT_OWNERDRAW) ||
                  info.dwItemData != reinterpret_cast<ULONG_PTR>(m_itemData[static_cast<size_t>(position)].get());
    }
    if (changed)
        ConvertItems();
}

CNewMenu* CNewMenu::GetSubMenu(int position) const
{
    if (!m_hMenu)
        return nullptr;
    HMENU subMenu = ::GetSubMenu(m_hMenu, position);
    return subMenu ? dynamic_cast<CNewMenu*>(CMenu::FromHandlePermanent(subMenu)) : nullptr;
}

void CNewMenu::CollectTree(std::vector<CNewMenu*>& menus)
{
    menus.push_back(this);
    for (auto& child : m_subMenus)
        child->CollectTree(menus);
}

void CNewMenu::GrowIconSize(SIZE size)
{
    m_nIconWidth = std::max<int>(m_nIconWidth, size.cx);
    m_nIconHeight = std::max<int>(m_nIconHeight, size.cy);
}

BOOL CNewMenu::SetMenuTitle(LPCSTR text, DWORD titleFlags)
{
    if (!m_hMenu || !::IsMenu(m_hMenu))
        return FALSE;
    ConvertItemsIfChanged();
    const bool haveSeparator = !m_itemData.empty() && m_itemData.front()->IsSeparator();
    if (!haveSeparator) {
        auto data = std::make_unique<CNewMenuItemData>();
        data->m_nMenuFlags = MF_SEPARATOR | MF_OWNERDRAW;
        MENUITEMINFOA info{};
        info.cbSize = sizeof info;
        info.fMask = MIIM_FTYPE | MIIM_DATA;
        info.fType = MFT_SEPARATOR | MFT_OWNERDRAW;
        info.dwItemData = reinterpret_cast<ULONG_PTR>(data.get());
        if (!::InsertMenuItemA(m_hMenu, 0, TRUE, &info))
            return FALSE;
        m_itemData.insert(m_itemData.begin(), std::move(data));
    }
    CNewMenuItemData& title = *m_itemData.front();
    title.m_strText = text ? text : "";
    title.m_nTitleFlags = titleFlags | kMenuTitle;

    if (m_itemData.size() < 2)
        return FALSE;
    // A vertical title is a column of its own: the second item starts the next column.
    CNewMenuItemData& second = *m_itemData[1];
    if (titleFlags & kMenuTitleVertical) {
        second.m_nMenuFlags |= MF_MENUBREAK;
        MakeOwnerDrawn(m_hMenu, 1, second, MFT_MENUBREAK);
    } else {
        second.m_nMenuFlags &= ~MF_MENUBREAK;
        MakeOwnerDrawn(m_hMenu, 1, second, 0, MFT_MENUBREAK);
    }
    return TRUE;
}

BOOL CNewMenu::AppendMenu(UINT flags, UINT_PTR id, LPCSTR text, HIMAGELIST imageList, int imageIndex)
{
    if (!m_hMenu)
        return FALSE;
    auto data = std::make_unique<CNewMenuItemData>();
    const bool separator = (flags & MF_SEPARATOR) != 0;
    data->m_nCommandId = separator ? 0 : id;
    data->m_strText = (text && !separator) ? text : "";
    data->m_nMenuFlags = (flags & ~(MF_STRING | MF_BITMAP | MF_BYPOSITION)) | MF_OWNERDRAW;
    // The text stays with the system's item too, where other code may read it.
    if (!::AppendMenuA(m_hMenu, (flags & ~MF_OWNERDRAW) | (separator ? 0 : MF_STRING), id, separator ? nullptr : text))
        return FALSE;
    const int position = ::GetMenuItemCount(m_hMenu) - 1;
    MakeOwnerDrawn(m_hMenu, position, *data);
    m_itemData.push_back(std::move(data));
    if (flags & MF_POPUP) {
        HMENU subMenu = reinterpret_cast<HMENU>(id);
        if (auto* child = dynamic_cast<CNewMenu*>(CMenu::FromHandlePermanent(subMenu)))
            child->m_hParentMenu = m_hMenu;
    }
    if (imageList && imageIndex >= 0 && !separator && !(flags & MF_POPUP))
        SetItemIcon(nullptr, static_cast<UINT>(id), imageList, imageIndex);
    return TRUE;
}

void CNewMenu::DrawTitle(LPDRAWITEMSTRUCT item, BOOL menuBarItem)
{
    if (CMenuDrawStyle* mode = CMenuDrawStyle::CurrentMode())
        mode->DrawTitle(*this, item, menuBarItem);
}

void CNewMenu::FillBackground(HWND window, HDC dc)
{
    RECT client{};
    ::GetClientRect(window, &client);
    CDC target(dc);
    target.FillSolidRect(client, GetMenuColour());
}
