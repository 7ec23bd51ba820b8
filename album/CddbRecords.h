#pragma once
// The records that carry album-database data: one match of a query reply, one
// candidate album (an xmcd record) and one line of a server list. Plain values
// of standard types, so the parsers that fill them build without <windows.h>
// (the host-built fuzz targets use them).

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

// Track numbers of an audio CD run from 1 to 99, so an xmcd record names at
// most 99 tracks (TTITLE0 .. TTITLE98).
inline constexpr int kMaxCddbTracks = 99;

// One line of a query reply: "category discid artist / title".
struct CCddbMatch
{
    std::string m_strCategory;
    std::uint32_t m_dwDiscId = 0;
    std::string m_strArtist;  // before the first "/", trimmed
    std::string m_strTitle;   // after it, trimmed

    // Fills the match from one line; false (the match unchanged) when the line
    // has no category or no eight-digit hexadecimal disc id.
    bool ParseMatchLine(std::string_view line);
};
using CCddbMatchArray = std::vector<CCddbMatch>;

// One candidate album, as read from an xmcd record or gathered from another
// source (the label then names the source).
struct CCddbDiscInfo
{
    std::vector<int> m_frameOffsets;  // start frame of each track
    int m_nDiscLength = 0;            // seconds
    int m_nRevision = 0;
    std::string m_strSubmitter;
    std::string m_strSubmitterVersion;
    std::string m_strLabel;
    std::uint32_t m_dwDiscId = 0;
    std::string m_strArtist;
    std::string m_strTitle;
    std::vector<std::string> m_trackTitles;  // entry n is track n + 1
    std::string m_strExtendedData;
    std::vector<std::string> m_extendedTrackData;
    std::vector<int> m_playOrder;
    int m_nYear = 0;
    std::string m_strGenre;

    void Clear() { *this = CCddbDiscInfo(); }
};

// One server of a sites reply: "host protocol port path latitude longitude
// description". Latitude and longitude are in minutes (degrees times 60 plus
// minutes).
struct CCddbSiteLine
{
    std::string m_strHost;
    int m_nPort = 80;
    std::string m_strPath;
    bool m_bNorth = true;
    int m_nLatitude = 0;
    bool m_bEast = true;
    int m_nLongitude = 0;
    std::string m_strDescription;

    // Fills the entry from one line; false (the entry unchanged) unless the
    // protocol is http, both coordinates have their seven-character form and a
    // description follows.
    bool ParseSiteLine(std::string_view line);
};
