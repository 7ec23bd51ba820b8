#include "label/PlaceholderTracks.h"

CString PlaceholderTrackList(const CString& disc)
{
    constexpr int kTracks = 7;
    CString list;
    list.Format("%d`", kTracks);
    for (int track = 1; track <= kTracks; ++track)
        list.AppendFormat("Track %d%s`0:%02d`", track, disc.c_str(), track);
    return list;
}
