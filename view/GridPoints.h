#pragma once
// The grid over the page: a point at every multiple of the grid spacing, each
// one pixel inverted.
#include <windows.h>

#include <vector>

// The pixels of one axis that the grid inverts for the document range
// [from, to) (thousandths of an inch; points start at 0): every multiple of the
// spacing scaled as the page is. Where points are closer than a pixel, a pixel
// hit twice is inverted back, so only pixels hit an odd number of times are
// listed, in increasing order.
std::vector<int> GridPixelsOnAxis(LONG from, LONG to, int spacing, int dpi, int zoom);

// Inverts the grid points inside the document box, at the DC's logical pixels
// (MM_TEXT); one blit per row of points, whatever the spacing.
void InvertGridPoints(HDC dc, const RECT& docBox, SIZE spacing, int dpi, int zoom);
