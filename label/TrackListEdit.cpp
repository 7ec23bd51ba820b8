#include "label/TrackListEdit.h"

#include <algorithm>
#include <cstdlib>
#include <limits>

namespace TrackListEdit
{
namespace
{
constexpr char kFieldEnd = '`';

// The fields of a backtick-closed text; text after the last backtick is no field.
std::vector<CString> Fields(const CString& value)
{
    std::vector<CString> fields;
    int start = 0;
    for (int end = value.Find(kFieldEnd); end >= 0; end = value.Find(kFieldEnd, start)) {
        fields.push_back(value.Mid(start, end - start));
        start = end + 1;
    }
    return fields;
}
}  // namespace

int CountOf(const CString& value)
{
    const int end = value.Find(kFieldEnd);
    if (end < 0)
        return 0;
    // atol stops at the first non-digit; a count beyond int is no count.
    const long count = std::strtol(value.Left(end).c_str(), nullptr, 10);
    return count > 0 && count < 1000000 ? static_cast<int>(count) : 0;
}

Tracks Parse(const CString& value)
{
    const std::vector<CString> fields = Fields(value);
    const int pairs = fields.empty() ? 0 : static_cast<int>((fields.size() - 1) / 2);
    const int rows = std::min(CountOf(value), std::max(pairs, kMaxTracks));
    Tracks tracks(static_cast<size_t>(rows));
    for (int r = 0; r < rows; ++r) {
        const size_t nameField = static_cast<size_t>(2 * r + 1);
        if (nameField < fields.size())
            tracks[static_cast<size_t>(r)].name = fields[nameField];
        if (nameField + 1 < fields.size())
            tracks[static_cast<size_t>(r)].time = fields[nameField + 1];
    }
    return tracks;
}

CString Build(const Tracks& tracks)
{
    CString text;
    text.Format("%d`", static_cast<int>(tracks.size()));
    for (const Track& track : tracks)
        text += track.name + "`" + track.time + "`";
    return text;
}

namespace
{
bool AllDigits(const CString& text)
{
    return !text.IsEmpty() &&
           std::all_of(text.c_str(), text.c_str() + text.GetLength(), [](char c) { return c >= '0' && c <= '9'; });
}
}  // namespace

std::optional<CString> NormaliseTime(const CString& typed)
{
    CString time = typed;
    time.Trim();
    if (time.IsEmpty())
        return time;
    // Seven digits are more than a CD holds, and still far from an int's end.
    constexpr int kMostDigits = 7;
    if (AllDigits(time))
        return time.GetLength() <= kMostDigits ? std::optional<CString>(PlaceholderTime(std::atoi(time)))
                                               : std::nullopt;
    const int colon = time.Find(':');
    if (colon < 1 || colon > kMostDigits)
        return std::nullopt;
    const CString minutes = time.Left(colon);
    const CString seconds = time.Mid(colon + 1);
    if (!AllDigits(minutes) || !AllDigits(seconds) || seconds.GetLength() != 2 || std::atoi(seconds) >= 60)
        return std::nullopt;
    return time;
}

std::optional<int> ParseCount(const CString& typed)
{
    CString text = typed;
    text.Trim();
    if (!AllDigits(text))
        return std::nullopt;
    const long long count = std::strtoll(text.c_str(), nullptr, 10);
    return static_cast<int>(std::min<long long>(count, std::numeric_limits<int>::max()));
}

CString PlaceholderTime(int number)
{
    const int seconds = std::max(0, number);
    CString time;
    time.Format("%d:%02d", seconds / 60, seconds % 60);
    return time;
}

CString WithCount(const CString& value, int count)
{
    count = std::clamp(count, 0, kMaxTracks);
    Tracks tracks = Parse(value);
    const int before = static_cast<int>(tracks.size());
    if (count == before)
        return value;
    if (count == 0)
        return CString();
    if (count < before) {
        tracks.resize(static_cast<size_t>(count));
    } else {
        for (int number = before + 1; number <= count; ++number) {
            CString name;
            name.Format("Track %d", number);
            tracks.push_back(Track{name, PlaceholderTime(number)});
        }
    }
    return Build(tracks);
}

CString TextKey(const CString& objectName)
{
    if (objectName == "Front Cover (Inside)")
        return objectName;
    const int bracket = objectName.Find('(');
    return bracket < 0 ? objectName : objectName.Left(bracket);
}

CString WithoutBackticks(CString text)
{
    text.Replace(kFieldEnd, '\'');
    return text;
}

bool DeleteRows(Tracks& tracks, int first, int last)
{
    if (first > last)
        std::swap(first, last);
    first = std::max(first, 0);
    last = std::min(last, static_cast<int>(tracks.size()) - 1);
    if (first > last)
        return false;
    tracks.erase(tracks.begin() + first, tracks.begin() + last + 1);
    return true;
}

bool SwapWithNeighbour(Tracks& tracks, int row, Column column, int step)
{
    const int count = static_cast<int>(tracks.size());
    const int other = row + (step < 0 ? -1 : 1);
    if (row < 0 || row >= count || other < 0 || other >= count)
        return false;
    Track& a = tracks[static_cast<size_t>(row)];
    Track& b = tracks[static_cast<size_t>(other)];
    if (column == Column::Name)
        std::swap(a.name, b.name);
    else
        std::swap(a.time, b.time);
    return true;
}

bool MoveBlock(Tracks& tracks, int first, int last, int step)
{
    if (first > last)
        std::swap(first, last);
    const int count = static_cast<int>(tracks.size());
    if (first < 0 || last >= count)
        return false;
    if (step < 0) {
        if (first == 0)
            return false;
        std::rotate(tracks.begin() + first - 1, tracks.begin() + first, tracks.begin() + last + 1);
    } else {
        if (last + 1 >= count)
            return false;
        std::rotate(tracks.begin() + first, tracks.begin() + last + 1, tracks.begin() + last + 2);
    }
    return true;
}
}  // namespace TrackListEdit
