#pragma once
// Drives the Properties pane's grid as the user does: clicks on a row's value
// cell and keys as the message loop hands them over.
#include "framework/Wnd.h"
#include "shell/PropertyGrid.h"

#include <windows.h>
#include <commctrl.h>

// The grid row showing a caption; -1 when there is none.
inline int GridRowOf(const CPropertyGrid& grid, const char* caption)
{
    const std::vector<GridRow>& rows = grid.Rows();
    for (size_t i = 0; i < rows.size(); ++i)
        if (rows[i].caption == caption)
            return static_cast<int>(i);
    return -1;
}

// A click in the value cell of the row showing `caption`; false when the grid
// has no such row.
inline bool ClickGridValue(CPropertyGrid& grid, const char* caption)
{
    const int row = GridRowOf(grid, caption);
    if (row < 0)
        return false;
    RECT cell{};
    cell.top = 2;
    cell.left = LVIR_BOUNDS;
    grid.SendMessage(LVM_GETSUBITEMRECT, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&cell));
    const POINT at{cell.left + 30, (cell.top + cell.bottom) / 2};
    grid.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(at.x, at.y));
    grid.SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(at.x, at.y));
    return true;
}

// A key pressed on `target` as the message loop hands it over: the windows
// up to `top` may take it first, then the window itself.
inline void PressKeyIn(HWND top, HWND target, UINT key)
{
    MSG msg{target, WM_KEYDOWN, key, 0, 0, {}};
    if (!CWnd::WalkPreTranslateTree(top, &msg)) {
        ::TranslateMessage(&msg);
        ::DispatchMessageA(&msg);
    }
}
