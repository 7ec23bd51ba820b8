#pragma once
// Registers the common-control classes a window is about to use (list views,
// headers, tabs ...), once per class group and process.

#include <windows.h>

#include <commctrl.h>

bool EnsureCommonControls(DWORD classes);
