#pragma once
// The module whose resources (menus, dialogs, strings, icons) the framework
// loads: the program file itself unless the application says otherwise.

#include <windows.h>

HINSTANCE GetInstanceHandle();
HINSTANCE GetResourceHandle();
// Null goes back to the program file.
void SetResourceHandle(HINSTANCE resources);
