#pragma once
// The two painters of the program's panel background for the owner-drawn
// controls: both tile the application-wide background bitmap from the origin
// (0, 0) of the DC, or fill the panel grey RGB(185, 185, 185) without one.

#include <windows.h>

// Through the label view, as every panel of the program does: nothing is
// painted while the main frame has no active label view (no application
// object, or start-up not that far yet).
void PaintPanelOnActiveView(HDC dc, const RECT& rect);

// Through the application object; the plain grey when there is no
// application object of the program.
void TileAppBackground(HDC dc, const RECT& rect);
