#pragma once
// The six draw modes of the owner-drawn menus: three styles (classic, XP and
// classic with a flat menu bar), each once with a flat border and hand-made
// shadow painted by the menu-window hook and once with the system's border.
//
// | key | measure            | draw            | flat border |
// |  0  | MeasureItemClassic | DrawItemClassic | yes         |
// |  1  | MeasureItemClassic | DrawItemClassic | no          |
// |  2  | MeasureItemXP      | DrawItemXP      | yes         |
// |  3  | MeasureItemXP      | DrawItemXP      | no          |
// |  4  | MeasureItemClassic | DrawItemFlatBar | yes         |
// |  5  | MeasureItemClassic | DrawItemFlatBar | no          |
// All six draw title items with DrawMenuTitle. Mode 2 is current after start-up.

#include "uikit/NewMenu.h"

#include <windows.h>

// Flags of a subclassed pop-up menu window.
enum MenuWindowFlags : DWORD {
    kMenuWindowFromSizeMessage = 0x01,  // subclassed on the menu-size message (shown already)
    kMenuWindowBorderRemoved = 0x02,
    kMenuWindowClosedWithEscape = 0x04,
};

class CMenuDrawStyle;

// One subclassed pop-up menu window.
struct MenuWindowInfo {
    DWORD style = 0;              // as the window had them when subclassed
    DWORD exStyle = 0;
    POINT position{};             // last known screen position
    bool hasPosition = false;
    DWORD flags = 0;              // MenuWindowFlags
    int paintBorder = 1;          // off while WM_PRINT renders the window itself
    HMENU menu = nullptr;         // the menu shown in the window
    CMenuDrawStyle* mode = nullptr;  // the mode current when it was subclassed
    ATOM atom = 0;                // the "OldMenuProc" atom added for it
};

class CMenuDrawStyle {
public:
    using MeasureFunction = void (CNewMenu::*)(LPMEASUREITEMSTRUCT, BOOL);
    using DrawFunction = void (CNewMenu::*)(LPDRAWITEMSTRUCT, BOOL);

    CMenuDrawStyle(int key, BOOL flatBorder, MeasureFunction measure, DrawFunction draw, DrawFunction title);
    virtual ~CMenuDrawStyle();
    CMenuDrawStyle(const CMenuDrawStyle&) = delete;
    CMenuDrawStyle& operator=(const CMenuDrawStyle&) = delete;

    // Window operations; all but EraseBkgnd and OnUnsubclass do nothing (and
    // return 0) without a flat border.
    virtual void OnSubclass(HWND window, MenuWindowInfo& info);
    virtual void OnUnsubclass(HWND window, MenuWindowInfo& info);
    virtual BOOL IsFlat() const { return m_bFlatBorder; }
    virtual void NcPaint(HWND window, HDC dc, const MenuWindowInfo& info);
    virtual BOOL EraseBkgnd(HWND window, HDC dc, const MenuWindowInfo* info);
    virtual void NcCalcSize(HWND window, RECT& proposedClient);
    virtual void WindowPosChanging(HWND window, WINDOWPOS& position);
    // Screen coordinates: the window less its border (and shadow room).
    virtual void GetInnerRect(HWND window, RECT& inner);

    int GetKey() const { return m_nKey; }
    void Measure(CNewMenu& menu, LPMEASUREITEMSTRUCT item, BOOL menuBarItem) const
    {
        (menu.*m_measure)(item, menuBarItem);
    }
    void Draw(CNewMenu& menu, LPDRAWITEMSTRUCT item, BOOL menuBarItem) const { (menu.*m_draw)(item, menuBarItem); }
    void DrawTitle(CNewMenu& menu, LPDRAWITEMSTRUCT item, BOOL menuBarItem) const
    {
        (menu.*m_title)(item, menuBarItem);
    }

    // Border widths; right and bottom leave room for the hand-made shadow
    // unless the system draws menu shadows.
    static RECT BorderInsets();

    // The modes, by key; the list keeps each mode once (a second registration
    // of the same object is refused).
    static bool RegisterMode(std::unique_ptr<CMenuDrawStyle> mode);
    static CMenuDrawStyle* FindMode(int key);
    static CMenuDrawStyle* CurrentMode();
    static void SetCurrentMode(CMenuDrawStyle* mode);
    static void DeleteAllModes();

protected:
    // The band colours are the subclass's; the frame and shadow geometry are shared.
    void PaintBorder(HWND window, HDC dc, const MenuWindowInfo& info, COLORREF bands, COLORREF innerFrame,
                     COLORREF outerFrame) const;

private:
    int m_nKey;
    BOOL m_bFlatBorder;
    MeasureFunction m_measure;
    DrawFunction m_draw;
    DrawFunction m_title;
};

class CMenuDrawStyleXP : public CMenuDrawStyle {
public:
    using CMenuDrawStyle::CMenuDrawStyle;
    void NcPaint(HWND window, HDC dc, const MenuWindowInfo& info) override;
    BOOL EraseBkgnd(HWND window, HDC dc, const MenuWindowInfo* info) override;
};

// Registers the six modes (done once by the menu library at start).
void RegisterMenuDrawModes();
