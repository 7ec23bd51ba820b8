#pragma once
// The grey checkerboard that drag feedback is inverted with: drawing the same
// rectangle twice leaves the screen as it was.

#include "framework/Gdi.h"

// A brush of alternating black and white pixels.
CBrush MakeHalftoneBrush();

// Inverts `rect` of `dc` with the halftone pattern; with a thickness only its
// frame of that many pixels.
void InvertHalftone(HDC dc, const RECT& rect, int thickness = 0);
