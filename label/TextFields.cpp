#include "label/TextFields.h"

#include <algorithm>
#include <cstdlib>

namespace TextLayout
{
CString WithoutBackticks(const CString& text)
{
    CString clean = text;
    clean.Replace('`', '\'');
    return clean;
}

std::vector<CString> SplitTextLines(const CString& text)
{
    std::vector<CString> lines;
    int start = 0;
    for (int end = text.Find('\r'); end >= 0; end = text.Find('\r', start)) {
        lines.push_back(text.Mid(start, end - start));
        // A lone carriage return breaks the line too; only a line feed is skipped with it.
        start = end + 1;
        if (start < text.GetLength() && text[start] == '\n')
            ++start;
    }
    lines.push_back(text.Mid(start));
    return lines;
}

std::vector<CString> SplitFields(const CString& list)
{
    std::vector<CString> fields;
    int start = 0;
    for (int end = list.Find('`'); end >= 0; end = list.Find('`', start)) {
        fields.push_back(list.Mid(start, end - start));
        start = end + 1;
    }
    return fields;
}

int CacheHeight(const CString& cache)
{
    const int end = cache.Find('`');
    return end < 0 ? 0 : std::atoi(cache.Left(end));
}

std::vector<CacheLine> CacheLines(const CString& cache)
{
    const std::vector<CString> fields = SplitFields(cache);
    std::vector<CacheLine> lines;
    for (size_t i = 1; i + 5 <= fields.size(); i += 5)
        lines.push_back({fields[i], fields[i + 1], fields[i + 2], fields[i + 3], fields[i + 4]});
    return lines;
}

std::vector<CacheLineInPlace> ReadCacheLines(const CString& cache)
{
    std::vector<CacheLineInPlace> lines;
    const char* const end = cache.c_str() + cache.GetLength();
    const char* at = std::find(cache.c_str(), end, '`');  // past the height
    if (at == end)
        return lines;
    ++at;
    // Like CacheLines, whole five-field records only.
    for (;;) {
        const char* fields[5];
        const char* textEnd = nullptr;
        for (int i = 0; i < 5; ++i) {
            const char* fieldEnd = std::find(at, end, '`');
            if (fieldEnd == end)
                return lines;
            fields[i] = at;
            if (i == 0)
                textEnd = fieldEnd;
            at = fieldEnd + 1;
        }
        // std::atoi stops at the backtick that ends each field.
        lines.push_back({fields[0], static_cast<int>(textEnd - fields[0]), std::atoi(fields[1]),
                         std::atoi(fields[2]), std::atoi(fields[3]), std::atoi(fields[4])});
    }
}

void AppendCacheLine(CString& cache, const CString& text, int x0, int x1, int y0, int y1)
{
    cache += WithoutBackticks(text) + "`";
    cache.AppendFormat("%d`%d`%d`%d`", x0, x1, y0, y1);
}

std::vector<Track> ParseTrackList(const CString& trackList)
{
    const std::vector<CString> fields = SplitFields(trackList);
    std::vector<Track> tracks;
    if (fields.empty())
        return tracks;
    const int count = std::atoi(fields[0]);
    for (int i = 0; i < count && 2 + 2 * static_cast<size_t>(i) < fields.size(); ++i)
        tracks.push_back({fields[1 + 2 * static_cast<size_t>(i)], fields[2 + 2 * static_cast<size_t>(i)]});
    return tracks;
}

CString BuildTrackList(const std::vector<Track>& tracks)
{
    CString list;
    list.Format("%d`", static_cast<int>(tracks.size()));
    for (const Track& track : tracks)
        list += WithoutBackticks(track.name) + "`" + WithoutBackticks(track.time) + "`";
    return list;
}
}  // namespace TextLayout
