#pragma once
// Editing a track-list text without any window: the rows it holds, the count
// change, deleting and moving rows. A track-list text is backtick-closed
// fields: the count N, then N pairs of name and time ("2`Intro`0:45`Song`3:10`").

#include "framework/String.h"

#include <optional>
#include <vector>

namespace TrackListEdit
{
// The track-count box offers 0 to this many tracks.
constexpr int kMaxTracks = 200;

struct Track
{
    CString name;
    CString time;

    bool operator==(const Track&) const = default;
};
using Tracks = std::vector<Track>;

// The number in the first field; 0 when there is none or it is not a count.
int CountOf(const CString& value);
// The rows the text holds: its count of them, names and times that are
// missing being empty. A damaged count never makes more rows than the text
// has pairs, or than the count box offers, whichever is larger.
Tracks Parse(const CString& value);
// The text of the rows; no rows give the single field "0`".
CString Build(const Tracks& tracks);

// The time a new track number `number` (from 1) is given: that many seconds,
// as minutes and two-digit seconds ("0:07", "1:00").
CString PlaceholderTime(int number);
// A time typed for a track, as the lists keep it: minutes, a colon and two
// digits of seconds below 60 ("3:05"). A number of seconds becomes that form
// ("75" gives "1:15"); blanks around the time go; an empty time (a track
// without one) stays empty. Nothing for a text that is neither.
std::optional<CString> NormaliseTime(const CString& typed);

// A count typed for the track-count box: its number, or nothing for a text
// that is no count. Counts beyond what an int holds come back as INT_MAX.
std::optional<int> ParseCount(const CString& typed);

// The text with `count` tracks (cut to 0..kMaxTracks): new tracks "Track n"
// with their placeholder times are added after the last, surplus tracks go
// from the end, 0 tracks is the empty text, the same count keeps it as it is.
CString WithCount(const CString& value, int count);

// The name the label's text rows are kept under for an object: its name up to
// the first "(" (a copy shares the text it was copied from); "Front Cover
// (Inside)" stays whole.
CString TextKey(const CString& objectName);
// A backtick would split a field: it becomes an apostrophe.
CString WithoutBackticks(CString text);

// Removes the rows from `first` to `last` (either order, clipped to the rows);
// false when none was removed.
bool DeleteRows(Tracks& tracks, int first, int last);

enum class Column { Name, Time };
// Exchanges one column's text between `row` and its neighbour one row up
// (step -1) or down (step +1); false, changing nothing, when there is no such neighbour.
bool SwapWithNeighbour(Tracks& tracks, int row, Column column, int step);
// Moves the block of rows `first` to `last` one row up (step -1) or down
// (step +1); the row it passes takes the place on the block's other side.
// False, changing nothing, at the top or bottom or for a block outside the rows.
bool MoveBlock(Tracks& tracks, int first, int last, int step);
}  // namespace TrackListEdit
