#pragma once
// The hand-made drop shadow of a pop-up menu window, for systems that draw none.

#include <windows.h>

// Width of the shadow along the right and bottom edges.
constexpr int kMenuShadowSize = 4;

// Darkens what the screen shows behind the right 4 columns and bottom 4 rows
// of a `width` x `height` window at `screenPosition` and writes it into those
// columns and rows of `dc` (the window's DC, window coordinates).
void DrawMenuShadow(HDC dc, int width, int height, POINT screenPosition);
