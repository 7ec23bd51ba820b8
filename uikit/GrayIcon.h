#pragma once
// A grey copy of an icon, for buttons that show their icon in colour only
// while hovered or pressed.

#include <windows.h>

// Every non-black pixel of the icon's colour image becomes the grey of its
// luminance (0.299 red + 0.587 green + 0.114 blue); the mask is kept. A new
// icon the caller destroys, or null when the icon could not be read.
HICON CreateGrayIcon(HICON icon);
