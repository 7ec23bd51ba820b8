#pragma once
// The thread hook that subclasses every pop-up menu window (class "#32768")
// while it is shown, so that its border, background and shadow follow the
// current draw mode. A window's old procedure is kept in its property
// "OldMenuProc".

#include "uikit/MenuDrawStyle.h"

#include <windows.h>

// Installs the WH_CALLWNDPROC hook for the calling thread; null on failure.
HHOOK InstallMenuHook();

LRESULT CALLBACK MenuHookProc(int code, WPARAM wParam, LPARAM lParam);
LRESULT CALLBACK MenuWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

// Subclasses a pop-up menu window; false for any other class, and for a
// window that is subclassed already or carries "OldMenuProc" from elsewhere.
bool SubclassMenuWindow(HWND window, bool fromSizeMessage);
void UnsubclassMenuWindow(HWND window);

// The record of a subclassed window, or null.
MenuWindowInfo* FindMenuWindowInfo(HWND window);
// The subclassed window that shows `menu`, or null.
HWND FindMenuWindowOf(HMENU menu);
// How many windows are subclassed now.
size_t SubclassedMenuWindowCount();
