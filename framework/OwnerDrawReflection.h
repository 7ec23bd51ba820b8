#pragma once
// Hands the owner-draw messages a parent received for a list or combo box back
// to the control's own DrawItem, MeasureItem, CompareItem and DeleteItem.

#include <windows.h>

template <class Control>
BOOL ReflectOwnerDrawMessage(Control& control, UINT message, LPARAM lParam, LRESULT* result)
{
    switch (message) {
    case WM_DRAWITEM:
        control.DrawItem(reinterpret_cast<LPDRAWITEMSTRUCT>(lParam));
        *result = TRUE;
        return TRUE;
    case WM_MEASUREITEM:
        control.MeasureItem(reinterpret_cast<LPMEASUREITEMSTRUCT>(lParam));
        *result = TRUE;
        return TRUE;
    case WM_COMPAREITEM:
        *result = control.CompareItem(reinterpret_cast<LPCOMPAREITEMSTRUCT>(lParam));
        return TRUE;
    case WM_DELETEITEM:
        control.DeleteItem(reinterpret_cast<LPDELETEITEMSTRUCT>(lParam));
        *result = TRUE;
        return TRUE;
    default:
        return FALSE;
    }
}
