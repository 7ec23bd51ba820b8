#pragma once
// Helpers shared by the text measuring and the text drawing of covers and
// discs: the layout-cache format, the track-list format, fonts and extents.

#include "framework/Gdi.h"
#include "framework/String.h"

#include <windows.h>

#include <vector>

namespace TextLayout
{
// Thousandths of an inch per screen pixel, across and down alike (the screen's
// horizontal resolution serves both axes).
float ScreenScale();

// A text as it may enter a text row or a layout cache: a backtick would split
// its field in two, so it becomes an apostrophe.
CString WithoutBackticks(const CString& text);

// The lines of a text: a line ends at a carriage return, and a line feed right
// after it belongs to the same break. A text always has at least one line.
std::vector<CString> SplitTextLines(const CString& text);

// The fields of a backtick-terminated list; a last field without its
// terminating backtick is left out.
std::vector<CString> SplitFields(const CString& list);

// One line record of a layout cache.
struct CacheLine
{
    CString text;
    CString x0, x1, y0, y1;  // as stored; y0 may be empty on discs
};

// The fitted height before the first backtick (0 when it is no number) and the
// complete line records after it.
int CacheHeight(const CString& cache);
std::vector<CacheLine> CacheLines(const CString& cache);
// Appends one line record; a backtick in the line text is stored as an apostrophe.
void AppendCacheLine(CString& cache, const CString& text, int x0, int x1, int y0, int y1);

// The same records read where they lie, for drawing them at every redraw
// without copying each field: the text points into the cache (valid while the
// cache is unchanged) and the numbers are read as std::atoi reads a field.
struct CacheLineInPlace
{
    const char* text = nullptr;
    int length = 0;
    int x0 = 0, x1 = 0, y0 = 0, y1 = 0;
};
std::vector<CacheLineInPlace> ReadCacheLines(const CString& cache);

// The tracks of a track list. The count comes first; a list with fewer fields
// than its count gives the tracks it has, never more.
struct Track
{
    CString name;
    CString time;
};
std::vector<Track> ParseTrackList(const CString& trackList);
// The list text of tracks, every name and time cleaned of backticks.
CString BuildTrackList(const std::vector<Track>& tracks);

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
