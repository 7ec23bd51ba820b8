#pragma once

#include <windows.h>

// Panels and the view's surround are textured with a bitmap tiled from the
// client origin, so neighbouring windows line up. Without a bitmap the area is
// the plain panel grey.
constexpr COLORREF kPanelGrey = RGB(185, 185, 185);

// Fills `rect` of `dest` with the bitmap selected into `source`, tiled from
// `origin` (at or above and left of the rectangle); grey when `source` is null
// or holds no bitmap of its own.
void TileBitmap(HDC dest, const RECT& rect, POINT origin, HDC source);
