#pragma once
// Helpers shared by the text measuring and the text drawing of covers and
// discs: fonts and extents, and (from TextFields.h) the layout-cache and
// track-list formats.

#include "framework/Gdi.h"
#include "framework/String.h"
#include "label/TextFields.h"

#include <windows.h>

#include <vector>

namespace TextLayout
{
// Thousandths of an inch per screen pixel, across and down alike (the screen's
// horizontal resolution serves both axes).
float ScreenScale();

// A font of the description's height (tenths of a point) for the DC, turned by
// its escapement.
bool CreateFontFor(CFont& font, const LOGFONTA& description, HDC dc);

// The extent of a text in the DC's font; an empty text keeps the font's height.
SIZE TextExtent(HDC dc, const char* text, int length);
inline SIZE TextExtent(HDC dc, const CString& text) { return TextExtent(dc, text.c_str(), text.GetLength()); }
// The widest character of the DC's font.
int MaxCharWidth(HDC dc);

// The widest line text of a cache in the DC's font and its extent (first of equal widths).
CString WidestCacheLine(HDC dc, const CString& cache, SIZE* extent);

// A one-pixel inverted frame around a rectangle.
void InvertFrame(HDC dc, const RECT& rect);

// trunc(value): the conversions of the layout truncate toward zero.
inline int Trunc(double value) { return static_cast<int>(value); }
}  // namespace TextLayout
