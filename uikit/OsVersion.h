#pragma once
// A small code for the running system, as the owner-drawn menus and bars use it:
// 0 Win32s; 2 Windows 95, 3 Windows 98, 4 Windows Me; 5 NT 4, 6 Windows 2000,
// 7 Windows XP; 1 any later NT.

#include <windows.h>

// Asks the system; a failing GetVersionEx shows ShowLastError and gives 1.
int GetOSVersionCode();
// The code noted once when the menu library started.
int OSVersionCode();
