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
    bool hookFailureReported = false;     // a hook that could not be installed is reported once
    HMENU pendingPopup = nullptr;         // the pop-up being initialised, for the hook
    const CNewMenuItemData* hotBarItem = nullptr;  // the menu-bar item last drawn hot
    POINT lastMessagePosition{};
    DWORD lastIconRefresh = 0;            // tick count
    bool iconRefreshDone = false;
    bool running = false;                 // false before start-up and after exit
};

// The library's state; starts the library on first use.
MenuLibraryState& MenuLibrary();

// Installs the menu-window hook on the calling thread unless it is in already
// (`install` null: the library's own). Without it pop-up menu windows keep the
// system's frames; a failure is reported once, never thrown. True when the
// hook is in.
using MenuHookInstaller = HHOOK (*)();
bool StartMenuHook(MenuHookInstaller install = nullptr);

// Replaces the GradientFill the menus use (null: the banded fill); returns the previous one.
GradientFillProc SetMenuGradientFill(GradientFillProc gradientFill);
