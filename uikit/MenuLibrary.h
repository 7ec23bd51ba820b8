#pragma once
// What the owner-drawn menu library keeps for the whole program: the image
// library's GradientFill (looked up at run time), the menu-window hook, and
// the hand-overs between the menu messages and the hook. Set up before the
// application starts (the first time anything of the library is used, at the
// latest) and torn down at exit.

#include <windows.h>

class CNewMenuItemData;

using GradientFillProc = BOOL(WINAPI*)(HDC, PTRIVERTEX, ULONG, PVOID, ULONG, ULONG);

struct MenuLibraryState {
    HMODULE imageLibrary = nullptr;       // Msimg32.dll
    GradientFillProc gradientFill = nullptr;
    HHOOK hook = nullptr;                 // WH_CALLWNDPROC of the thread that started the library
    HMENU pendingPopup = nullptr;         // the pop-up being initialised, for the hook
    const CNewMenuItemData* hotBarItem = nullptr;  // the menu-bar item last drawn hot
    POINT lastMessagePosition{};
    DWORD lastIconRefresh = 0;            // tick count
    bool iconRefreshDone = false;
    bool running = false;                 // false before start-up and after exit
};

// The library's state; starts the library on first use.
MenuLibraryState& MenuLibrary();

// Replaces the GradientFill the menus use (null: the banded fill); returns the previous one.
GradientFillProc SetMenuGradientFill(GradientFillProc gradientFill);
