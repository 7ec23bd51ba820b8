#pragma once
// One-pixel edges and solid fills for the owner-drawn controls' borders.

#include <windows.h>

void FillSolid(HDC dc, const RECT& rect, COLORREF color);
// A one-pixel frame of the rectangle.
void FrameSolid(HDC dc, const RECT& rect, COLORREF color);
// A one-pixel horizontal or vertical line from (x1, y1) up to but not
// including (x2, y2).
void DrawLine(HDC dc, int x1, int y1, int x2, int y2, COLORREF color);
// Top and left edges in `topLeft`, bottom and right edges in `bottomRight`,
// inside the rectangle.
void Draw3dRect(HDC dc, const RECT& rect, COLORREF topLeft, COLORREF bottomRight);
