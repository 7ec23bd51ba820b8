#pragma once
// A window region cut to the outline of a picture: one rectangle per
// horizontal run of kept pixels.

#include <windows.h>

// With `excludeKey` the region holds every pixel whose colour differs from
// `key`; without it, every pixel of the key colour. Null when the bitmap is
// missing, the work bitmap can't be made, or no pixel qualifies. The caller
// owns the region (until it hands it to SetWindowRgn).
HRGN BitmapToRegion(HBITMAP bitmap, COLORREF key, bool excludeKey);
