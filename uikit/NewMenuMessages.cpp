// The owner-draw messages of CNewMenu items: finding the menu of an item and
// handing the item to the current draw mode.
#include "uikit/NewMenu.h"

#include "uikit/MenuDrawStyle.h"
#include "uikit/MenuItemPainting.h"
#include "uikit/MenuLibrary.h"

namespace {

CNewMenu* NewMenuOf(HMENU menu)
{
    return dynamic_cast<CNewMenu*>(CMenu::FromHandlePermanent(menu));
}

}  // namespace

bool CNewMenu::RouteMenuMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result)
{
    switch (message) {
    case WM_MEASUREITEM: {
        auto* item = reinterpret_cast<LPMEASUREITEMSTRUCT>(lParam);
        if (item && item->CtlType == ODT_MENU && OnMeasureItem(window, item)) {
            result = TRUE;
            return true;
        }
        return false;
    }
    case WM_DRAWITEM: {
        auto* item = reinterpret_cast<LPDRAWITEMSTRUCT>(lParam);
        if (item && item->CtlType == ODT_MENU && OnDrawItem(item)) {
            result = TRUE;
            return true;
        }
        return false;
    }
    case WM_MENUCHAR: {
        HMENU menu = reinterpret_cast<HMENU>(lParam);
        if (!NewMenuOf(menu))
            return false;
        result = OnMenuChar(LOWORD(wParam), HIWORD(wParam), menu);
        return true;
    }
    default:
        return false;
    }
}

BOOL CNewMenu::OnMeasureItem(HWND, LPMEASUREITEMSTRUCT item)
{
    if (!item || item->CtlType != ODT_MENU)
        return FALSE;
    // Item records are unique to the menu that made them, so the one menu
    // holding this record is the item's menu, whichever window shows it.
    CNewMenu* menu = FindMenuOfItem(item->itemID, item->itemData);
    if (!menu)
        return FALSE;
    menu->MeasureItem(item);
    return TRUE;
}

BOOL CNewMenu::OnDrawItem(LPDRAWITEMSTRUCT item)
{
    if (!item || item->CtlType != ODT_MENU)
        return FALSE;
    const auto* data = reinterpret_cast<const CNewMenuItemData*>(item->itemData);
    CNewMenu* menu = NewMenuOf(reinterpret_cast<HMENU>(item->hwndItem));
    if (!menu || !menu->OwnsItemData(data))
        menu = FindMenuOfItem(item->itemID, item->itemData);
    if (!menu)
        return FALSE;
    menu->DrawItem(item);
    return TRUE;
}

void CNewMenu::MeasureItem(LPMEASUREITEMSTRUCT item)
{
    auto* data = reinterpret_cast<CNewMenuItemData*>(item->itemData);
    CMenuDrawStyle* mode = CMenuDrawStyle::CurrentMode();
    if (!mode || !OwnsItemData(data))
        return;
    // An item that opens a pop-up from the menu bar is a bar item.
    const BOOL menuBarItem = data->IsPopupItem() && !m_bIsPopup;
    mode->Measure(*this, item, menuBarItem);
}

void CNewMenu::DrawItem(LPDRAWITEMSTRUCT item)
{
    auto* data = reinterpret_cast<CNewMenuItemData*>(item->itemData);
    CMenuDrawStyle* mode = CMenuDrawStyle::CurrentMode();
    if (!mode || !OwnsItemData(data))
        return;
    DRAWITEMSTRUCT drawn = *item;
    BOOL menuBarItem = FALSE;
    if (!m_hParentMenu) {
        menuBarItem = m_bIsPopup ? FALSE : TRUE;
        MenuLibraryState& library = MenuLibrary();
        if (library.hotBarItem == data && !(drawn.itemState & ODS_HOTLIGHT))
            library.hotBarItem = nullptr;
    }
    if (menuBarItem) {
        // Outside the menu loop a selected bar item is shown hot.
        if (m_nLoopDepth == 0 && (drawn.itemState & ODS_SELECTED))
            drawn.itemState = (drawn.itemState & ~ODS_SELECTED) | ODS_HOTLIGHT;
        // The pop-up it opens remembers where it is, to redraw it with its shadow.
        if ((drawn.itemState & (ODS_SELECTED | ODS_HOTLIGHT)) && !(drawn.itemState & ODS_INACTIVE)) {
            CNewMenu* popup = data->IsPopupItem() ? NewMenuOf(reinterpret_cast<HMENU>(data->m_nCommandId)) : nullptr;
            HWND window = ::WindowFromDC(drawn.hDC);
            RECT windowRect{};
            if (popup && window && ::GetWindowRect(window, &windowRect)) {
                RECT screen = drawn.rcItem;
                ::OffsetRect(&screen, windowRect.left, windowRect.top);
                popup->SetBarItemRect(screen);
            }
        }
    }
    mode->Draw(*this, &drawn, menuBarItem);
}

BOOL CNewMenu::DrawMenuBarItem(HWND window, HMENU menu, int position, UINT state)
{
    if (position < 0 || !window || !menu)
        return FALSE;
    RECT rect{};
    if (!::GetMenuItemRect(window, menu, static_cast<UINT>(position), &rect))
        return FALSE;
    MENUITEMINFOA info{};
    info.cbSize = sizeof info;
    info.fMask = MIIM_FTYPE | MIIM_DATA | MIIM_ID | MIIM_SUBMENU;
    if (!::GetMenuItemInfoA(menu, static_cast<UINT>(position), TRUE, &info) || !(info.fType & MFT_OWNERDRAW))
        return FALSE;
    RECT windowRect{};
    ::GetWindowRect(window, &windowRect);
    ::OffsetRect(&rect, -windowRect.left, -windowRect.top);

    const CWindowDC dc(window);
    if (!dc.m_hDC)
        return FALSE;
    {
        CFont font = CreateMenuFont(false);
        CSelectGuard selected(dc, font);
        DRAWITEMSTRUCT item{};
        item.CtlType = ODT_MENU;
        item.itemID = info.hSubMenu ? static_cast<UINT>(reinterpret_cast<UINT_PTR>(info.hSubMenu)) : info.wID;
        item.itemAction = ODA_DRAWENTIRE;
        item.itemState = state;
        item.hwndItem = reinterpret_cast<HWND>(menu);
        item.hDC = dc;
        item.rcItem = rect;
        item.itemData = info.dwItemData;
        MenuLibrary().hotBarItem = reinterpret_cast<const CNewMenuItemData*>(info.dwItemData);
        ::SendMessageA(window, WM_DRAWITEM, 0, reinterpret_cast<LPARAM>(&item));
    }
    return TRUE;
}
