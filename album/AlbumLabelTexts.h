#pragma once
// What an album import writes into a label, worked out before anything is
// written: the track list (count, then each track's name and time, every
// field followed by a backtick), the total time and the album's texts, each
// for the object that shows it.

#include "album/CddbRecords.h"
#include "framework/String.h"

#include <cstdint>
#include <vector>

struct AlbumTextWrite
{
    CString objectName;
    CString text;
};
using AlbumTextWrites = std::vector<AlbumTextWrite>;

struct TocTimes
{
    std::vector<CString> trackTimes;  // one per audio track, in disc order
    CString totalTime;
};

// "%d:%d" above nine seconds, else "%d:0%d".
CString FormatTrackTime(int seconds);
// The play times of the disc's audio tracks; data tracks are skipped wherever
// they lie. An audio track followed by a data track loses the 150 seconds
// between the sessions; a track whose next start has fewer frames loses a
// second (the total does not).
TocTimes TocAudioTimes(const std::uint8_t* toc);

// The names of a track list's entries (empty for a text that is none).
std::vector<CString> TrackListNames(const CString& trackList);
// The times of a track list's entries.
std::vector<CString> TrackListTimes(const CString& trackList);
CString BuildTrackList(const std::vector<CString>& names, const std::vector<CString>& times);

// The object names of one disc: "" for a single CD, " - Disc 1" or " - Disc 2".
CString DiscSuffix(bool doubleLayout, int disc);

// The track list with the TOC's times, keeping the names the list had
// ("Track n" for new entries), and the total time.
AlbumTextWrites PlanTrackTimes(const CString& currentTrackList, const std::uint8_t* toc, const CString& suffix);
// The times as above, then the candidate's artist, title, genre and year, and
// its track titles in place of the names (extra titles are dropped).
AlbumTextWrites PlanAlbum(const CCddbDiscInfo& candidate, const CString& currentTrackList, const std::uint8_t* toc,
                          const CString& suffix);
// A data CD's MP3 rows as the track list.
AlbumTextWrites PlanMp3TrackList(const std::vector<CString>& names, const std::vector<CString>& times,
                                 const CString& suffix);
