#include "uikit/EdgeDrawing.h"

#include "framework/Gdi.h"

#include <algorithm>

void FillSolid(HDC dc, const RECT& rect, COLORREF color)
{
    CBrush brush;
    if (brush.CreateSolidBrush(color))
        ::FillRect(dc, &rect, brush);
}

void FrameSolid(HDC dc, const RECT& rect, COLORREF color)
{
    CBrush brush;
    if (brush.CreateSolidBrush(color))
        ::FrameRect(dc, &rect, brush);
}

void DrawLine(HDC dc, int x1, int y1, int x2, int y2, COLORREF color)
{
    RECT line{std::min(x1, x2), std::min(y1, y2), std::max(x1, x2), std::max(y1, y2)};
    if (line.left == line.right)
        ++line.right;
    if (line.top == line.bottom)
        ++line.bottom;
    FillSolid(dc, line, color);
}

void Draw3dRect(HDC dc, const RECT& r, COLORREF topLeft, COLORREF bottomRight)
{
    FillSolid(dc, RECT{r.left, r.top, r.right - 1, r.top + 1}, topLeft);
    FillSolid(dc, RECT{r.left, r.top, r.left + 1, r.bottom - 1}, topLeft);
    FillSolid(dc, RECT{r.right - 1, r.top, r.right, r.bottom}, bottomRight);
    FillSolid(dc, RECT{r.left, r.bottom - 1, r.right, r.bottom}, bottomRight);
}
