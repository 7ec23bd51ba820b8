#include "album/AlbumLabelTexts.h"

#include "album/CdToc.h"

#include <algorithm>
#include <cstdlib>

namespace {

constexpr int kSessionGapSeconds = 150;

// Every field of a track list ends with a backtick; none may hold one.
CString Field(CString text)
{
    text.Replace('`', '\'');
    return text;
}

std::vector<CString> SplitFields(const CString& list)
{
    std::vector<CString> fields;
    CString field;
    for (int i = 0; i < list.GetLength(); ++i) {
        if (list[i] == '`') {
            fields.push_back(field);
            field.Empty();
        } else {
            field += list[i];
        }
    }
    return fields;
}

CString Trimmed(const std::string& text)
{
    CString trimmed = Field(CString(text));
    trimmed.Trim();
    return trimmed;
}

}  // namespace

CString FormatTrackTime(int seconds)
{
    seconds = std::max(0, seconds);
    CString text;
    text.Format("%d:%02d", seconds / 60, seconds % 60);
    return text;
}

TocTimes TocAudioTimes(const std::uint8_t* toc)
{
    TocTimes times;
    const int count = TocTrackCount(toc);
    int totalSeconds = 0;
    for (int track = 0; track < count; ++track) {
        if (TocIsDataTrack(toc, track))
            continue;
        const TocTrackAddress start = TocAddress(toc, track);
        const TocTrackAddress next = TocAddress(toc, track + 1);
        int seconds = next.TotalSeconds() - start.TotalSeconds();
        if (track + 1 < count && TocIsDataTrack(toc, track + 1))
            seconds -= kSessionGapSeconds;
        totalSeconds += std::max(0, seconds);
        if (next.frames < start.frames)
            --seconds;
        times.trackTimes.push_back(FormatTrackTime(seconds));
    }
    times.totalTime = FormatTrackTime(totalSeconds);
    return times;
}

std::vector<CString> TrackListNames(const CString& trackList)
{
    const std::vector<CString> fields = SplitFields(trackList);
    std::vector<CString> names;
    if (fields.empty())
        return names;
    const int count = std::max(0, atoi(fields[0]));
    for (int entry = 0; entry < count && 1 + 2 * static_cast<size_t>(entry) < fields.size(); ++entry)
        names.push_back(fields[1 + 2 * static_cast<size_t>(entry)]);
    return names;
}

std::vector<CString> TrackListTimes(const CString& trackList)
{
    const std::vector<CString> fields = SplitFields(trackList);
    std::vector<CString> times;
    if (fields.empty())
        return times;
    const int count = std::max(0, atoi(fields[0]));
    for (int entry = 0; entry < count && 2 + 2 * static_cast<size_t>(entry) < fields.size(); ++entry)
        times.push_back(fields[2 + 2 * static_cast<size_t>(entry)]);
    return times;
}

CString BuildTrackList(const std::vector<CString>& names, const std::vector<CString>& times)
{
    const size_t count = std::min(names.size(), times.size());
    CString list;
    list.Format("%d`", static_cast<int>(count));
    for (size_t entry = 0; entry < count; ++entry)
        list += Field(names[entry]) + "`" + Field(times[entry]) + "`";
    return list;
}

CString DiscSuffix(bool doubleLayout, int disc)
{
    if (!doubleLayout)
        return CString();
    return disc == 2 ? " - Disc 2" : " - Disc 1";
}

AlbumTextWrites PlanTrackTimes(const CString& currentTrackList, const std::uint8_t* toc, const CString& suffix)
{
    const TocTimes times = TocAudioTimes(toc);
    std::vector<CString> names = TrackListNames(currentTrackList);
    names.resize(times.trackTimes.size());
    for (size_t entry = 0; entry < names.size(); ++entry) {
        if (names[entry].IsEmpty())
            names[entry].Format("Track %d", static_cast<int>(entry) + 1);
    }
    return {{"Track List" + suffix, BuildTrackList(names, times.trackTimes)}, {"Time" + suffix, times.totalTime}};
}

AlbumTextWrites PlanAlbum(const CCddbDiscInfo& candidate, const CString& currentTrackList, const std::uint8_t* toc,
                          const CString& suffix)
{
    AlbumTextWrites writes = PlanTrackTimes(currentTrackList, toc, suffix);
    // The names come in over the list just worked out, keeping its times.
    AlbumTextWrite& trackList = writes[0];
    std::vector<CString> names = TrackListNames(trackList.text);
    const std::vector<CString> times = TrackListTimes(trackList.text);
    for (size_t entry = 0; entry < names.size() && entry < candidate.m_trackTitles.size(); ++entry)
        names[entry] = Trimmed(candidate.m_trackTitles[entry]);
    trackList.text = BuildTrackList(names, times);

    const auto orOwnName = [&](const std::string& text, const char* object) {
        const CString value = Field(CString(text));
        return value.IsEmpty() ? CString(object) + suffix : value;
    };
    CString year;
    if (candidate.m_nYear != 0)
        year.Format("%d", candidate.m_nYear);
    writes.push_back({"Artist" + suffix, orOwnName(candidate.m_strArtist, "Artist")});
    writes.push_back({"Title" + suffix, orOwnName(candidate.m_strTitle, "Title")});
    writes.push_back({"Genre" + suffix, Field(CString(candidate.m_strGenre))});
    writes.push_back({"Year" + suffix, year});
    return writes;
}

AlbumTextWrites PlanMp3TrackList(const std::vector<CString>& names, const std::vector<CString>& times,
                                 const CString& suffix)
{
    return {{"Track List" + suffix, BuildTrackList(names, times)}};
}
