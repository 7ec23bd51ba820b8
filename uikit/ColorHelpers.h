#pragma once
// Colour arithmetic of the owner-drawn menus and controls. Every channel is
// computed with MulDiv, so results are rounded the same way everywhere.

#include <windows.h>

// Each channel of c moved towards black by a / 255.
COLORREF DarkenColour(int a, COLORREF c);
// Each channel of c moved towards white by n / 255.
COLORREF LightenColour(int n, COLORREF c);
// 86 % of a plus 14 % of b, per channel.
COLORREF MixColour86(COLORREF a, COLORREF b);
// 70 % of a plus 30 % of b, per channel.
COLORREF MixColour70(COLORREF a, COLORREF b);
// The mean of the three channels, in all three.
COLORREF GreyColour(COLORREF c);
// The bluish tint of an icon's shadow: red and green at 70 %, blue lifted by 55 first.
COLORREF ShadowTint(COLORREF c);

// Each channel multiplied by `factor` (held to 0..1) and truncated.
COLORREF DarkenColor(COLORREF color, double factor);
// Each channel multiplied by `factor` (at least 1), truncated and capped at 255.
COLORREF LightenColor(COLORREF color, double factor);
