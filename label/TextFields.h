#pragma once
// The text formats kept in the label's rows: texts without backticks, the
// lines of a text, the layout cache of a Text object and the track list of a
// Track object. Plain text work, apart from any drawing, so the label model
// reads and cleans its texts without the GDI.

#include "framework/String.h"

#include <vector>

namespace TextLayout
{
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
}  // namespace TextLayout
