#pragma once
// CNewMenu: every menu of the program. Its items are owner-drawn and carry a
// CNewMenuItemData record; icons come from tool-bar resources or image lists.
// Measuring and painting belong to the current draw mode (MenuDrawStyle.h).
//
// A window whose menus are CNewMenus hands them its menu messages:
//     LRESULT CMyFrame::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
//     {
//         LRESULT result = 0;
//         if (CNewMenu::RouteMenuMessage(m_hWnd, message, wParam, lParam, result))
//             return result;
//         return CFrameWnd::WindowProc(message, wParam, lParam);
//     }
//     void CMyFrame::OnInitMenuPopup(HMENU popup, UINT index, BOOL systemMenu)
//     {
//         CFrameWnd::OnInitMenuPopup(popup, index, systemMenu);   // enabling, check marks
//         CNewMenu::OnInitMenuPopup(m_hWnd, popup, index, systemMenu);
//     }

#include "uikit/Menu.h"
#include "uikit/NewMenuItemData.h"

#include <windows.h>

#include <commctrl.h>

#include <functional>
#include <memory>
#include <vector>

class CMenuDrawStyle;

// Fills a rectangle of a DC with the label view's panel background; false when
// there is no label view to take it from (items of the XP style then paint nothing).
using MenuPanelPainter = std::function<bool(HDC dc, const RECT& rect)>;

class CNewMenu : public CMenu {
    DECLARE_DYNAMIC(CNewMenu)

public:
    explicit CNewMenu(HMENU parentMenu = nullptr);
    ~CNewMenu() override;

    void DrawItem(LPDRAWITEMSTRUCT item) override;
    void MeasureItem(LPMEASUREITEMSTRUCT item) override;

    // Loads a menu resource of the program and attaches it; nonzero on success.
    virtual BOOL LoadMenu(UINT resourceId);
    virtual BOOL LoadMenu(LPCSTR resourceName);
    // Takes over a menu as a top menu: a CNewMenu for every sub-menu, every
    // item owner-drawn. 0 when the handle is not a menu.
    virtual BOOL AttachMenu(HMENU menu);
    // Deletes the sub-menu objects and the item data, then destroys the menu.
    virtual void ReleaseItemData();
    // Paints a title item with the current mode's title function.
    virtual void DrawTitle(LPDRAWITEMSTRUCT item, BOOL menuBarItem);
    // Fills the window's client area with the menu colour.
    virtual void FillBackground(HWND window, HDC dc);
    // A pop-up of this menu is about to open / has closed.
    virtual void OnEnterMenuLoop();
    virtual void OnExitMenuLoop(HWND window);

    // A new empty pop-up menu held by this object.
    BOOL CreatePopupMenu();
    // The CNewMenu of the sub-menu at `position`, or null.
    CNewMenu* GetSubMenu(int position) const;
    // Gives every command of tool bar `toolBarId` that occurs in this menu tree
    // its icon; 0 when the tool bar could not be loaded.
    BOOL LoadToolBar(UINT toolBarId, HMODULE module = nullptr);
    // Makes image `imageIndex` of `imageList` the icon of every item of the
    // command in this menu tree (and its text, when given). Nothing happens for
    // a null list or a negative index.
    BOOL SetItemIcon(LPCSTR text, UINT commandId, HIMAGELIST imageList, int imageIndex);
    // Gives the menu a title item (MenuTitleFlags); 0 when the handle is not a
    // menu, or when there is no item after the title (the title is set all the same).
    BOOL SetMenuTitle(LPCSTR text, DWORD titleFlags);
    // Appends an owner-drawn item (a command, MF_SEPARATOR, or with MF_POPUP a
    // sub-menu handle as id), with an icon from the image list when given.
    BOOL AppendMenu(UINT flags, UINT_PTR id = 0, LPCSTR text = nullptr, HIMAGELIST imageList = nullptr,
                    int imageIndex = -1);

    // ---- what the draw modes and tests read --------------------------------
    const std::vector<std::unique_ptr<CNewMenuItemData>>& GetItemData() const { return m_itemData; }
    // The record of the item at `position`, or null.
    CNewMenuItemData* GetItemDataAt(int position) const;
    // Whether `data` is one of this menu's records.
    bool OwnsItemData(const CNewMenuItemData* data) const;
    SIZE GetIconSize() const { return SIZE{m_nIconWidth, m_nIconHeight}; }
    HMENU GetParentMenu() const { return m_hParentMenu; }
    bool IsPopup() const { return m_bIsPopup != 0; }
    int GetLoopDepth() const { return m_nLoopDepth; }
    const RECT& GetBarItemRect() const { return m_barItemRect; }
    void SetBarItemRect(const RECT& screenRect) { m_barItemRect = screenRect; }

    // ---- the draw modes' functions (MenuDrawStyle.h) -----------------------------
    void MeasureItemClassic(LPMEASUREITEMSTRUCT item, BOOL menuBarItem);
    void MeasureItemXP(LPMEASUREITEMSTRUCT item, BOOL menuBarItem);
    void DrawItemClassic(LPDRAWITEMSTRUCT item, BOOL menuBarItem);
    void DrawItemXP(LPDRAWITEMSTRUCT item, BOOL menuBarItem);
    void DrawItemFlatBar(LPDRAWITEMSTRUCT item, BOOL menuBarItem);
    void DrawMenuTitle(LPDRAWITEMSTRUCT item, BOOL menuBarItem);

    // ---- the menu messages of a window -------------------------------------------
    // WM_MEASUREITEM, WM_DRAWITEM and WM_MENUCHAR for CNewMenu items; true when
    // answered, with the answer in `result`.
    static bool RouteMenuMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result);
    // WM_MEASUREITEM of a menu item; TRUE when handled.
    static BOOL OnMeasureItem(HWND window, LPMEASUREITEMSTRUCT item);
    // WM_DRAWITEM of a menu item; TRUE when handled.
    static BOOL OnDrawItem(LPDRAWITEMSTRUCT item);
    // After the window's own WM_INITMENUPOPUP handling.
    static void OnInitMenuPopup(HWND window, HMENU popup, UINT index, BOOL systemMenu);
    // WM_MENUCHAR: MNC_EXECUTE with the position of the first item whose
    // mnemonic is `character` (any case), else 0.
    static LRESULT OnMenuChar(UINT character, UINT flags, HMENU menu);
    // Makes the draw mode of `key` (0-5) current; an unknown key changes
    // nothing. Returns the mode, or null.
    static CMenuDrawStyle* SetMenuDrawMode(int key);
    // After a system colour change, at most once every two seconds.
    static void RefreshMenuIcons();
    // Draws one menu-bar item outside the menu loop (hot tracking); 0 when the
    // item has no rectangle or is not owner-drawn.
    static BOOL DrawMenuBarItem(HWND window, HMENU menu, int position, UINT state);

    // The lists XP-style items take some images from (the application's hot
    // list and the main frame's disabled tool-bar list; image 12 is the check
    // mark). Not owned.
    static void SetMenuImageLists(HIMAGELIST hotImages, HIMAGELIST disabledImages);
    // Replaces how XP-style items paint their background; returns the previous painter.
    static MenuPanelPainter SetMenuPanelPainter(MenuPanelPainter painter);

    // The record of the item at the given id among all menus alive, with the menu that holds it.
    static CNewMenu* FindMenuOfItem(UINT itemId, ULONG_PTR itemData);

private:
    friend class CMenuDrawStyle;

    // Makes every item owner-drawn with a record (reusing records by id).
    void ConvertItems();
    void ConvertItemsIfChanged();
    // Every menu of the tree (this one first).
    void CollectTree(std::vector<CNewMenu*>& menus);
    void GrowIconSize(SIZE size);
    // Sets the item's icon and owner-draw type, keeping its state.
    void ApplyItemIcon(int position, CNewMenuItemData& data, CNewMenuIcons* set, int index, LPCSTR text);
    void SwapSystemCommands(bool entering);
    void RedrawBarItem(HWND window, const RECT& screenRect) const;

    std::vector<std::unique_ptr<CNewMenuItemData>> m_itemData;
    std::vector<std::unique_ptr<CNewMenu>> m_subMenus;
    int m_nIconWidth = 16;
    int m_nIconHeight = 15;
    COLORREF m_maskColour = 0xFF000000;
    HMENU m_hParentMenu = nullptr;
    BYTE m_bIsPopup = 1;
    RECT m_barItemRect{};
    int m_nLoopDepth = 0;
};
