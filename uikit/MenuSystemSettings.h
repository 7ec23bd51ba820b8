#pragma once
// What the system says about menus: their colour, whether it draws their
// shadows, and whether the session is remote.

#include <windows.h>

// On Windows XP with flat menus on, the menu-bar colour; else the menu colour.
COLORREF GetMenuColour();
// The system's drop-shadow setting; false where it does not exist.
BOOL IsMenuShadowOn();
// Set at start-up on systems of code 6 and above (OsVersion.h) in a remote session.
bool IsMenuRemoteSession();
