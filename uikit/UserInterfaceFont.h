#pragma once
// The font the program's own controls draw their titles in.

#include <windows.h>

// The application's user-interface font: scaled for the screen resolution
// when `scaled`, else at its nominal 8.5 points. Falls back to the system's
// GUI font when there is no application object or it has no font yet.
HFONT UserInterfaceFont(bool scaled);
