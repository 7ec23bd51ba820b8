#pragma once
// Texts read out of windows, controls, menus and the registry at their real
// length. A text set by another program, typed by the user or taken from a
// document may be of any length: no fixed buffer takes it.

#include "framework/String.h"

#include <windows.h>

// The window's text (GetWindowText); empty for no window.
CString WindowTextOf(HWND window);
// The text of a dialog's control (GetDlgItemText); empty when there is none.
CString DlgItemTextOf(HWND dialog, int controlId);
// The text of a combo box's list item (CB_GETLBTEXT); empty for no such item.
CString ComboItemTextOf(HWND combo, int index);
// The text of a list box's item (LB_GETTEXT); empty for no such item.
CString ListBoxItemTextOf(HWND list, int index);
// The text of a list-view cell (LVM_GETITEMTEXT); empty for no such cell.
CString ListViewItemTextOf(HWND list, int index, int column);
// The caption of a tab (TCM_GETITEM); empty for no such tab.
CString TabItemTextOf(HWND tab, int index);
// The text of a menu item (GetMenuString, MF_BYCOMMAND or MF_BYPOSITION).
CString MenuItemTextOf(HMENU menu, UINT item, UINT flags);
// The name of the window's class.
CString WindowClassNameOf(HWND window);
