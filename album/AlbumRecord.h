#pragma once
// The album as the disc itself describes it (its CD-Text): the album's artist
// and title, the disc message and one entry per track. Entry i is track i;
// entry 0 stands for no track.

#include "framework/String.h"

#include <vector>

struct CTrackEntry
{
    CString m_strName;
};

class CAlbumRecord
{
public:
    void Clear()
    {
        m_tracks.clear();
        m_strArtist.Empty();
        m_strTitle.Empty();
        m_strMessage.Empty();
    }

    int GetTrackCount() const { return static_cast<int>(m_tracks.size()); }
    const CTrackEntry& GetTrack(int index) const { return m_tracks.at(static_cast<size_t>(index)); }
    // Grows the array with empty entries when `index` lies beyond its end.
    void SetTrackAtGrow(int index, const CTrackEntry& entry)
    {
        if (index < 0)
            return;
        if (static_cast<size_t>(index) >= m_tracks.size())
            m_tracks.resize(static_cast<size_t>(index) + 1);
        m_tracks[static_cast<size_t>(index)] = entry;
    }

    CString m_strArtist;
    CString m_strTitle;
    CString m_strMessage;

private:
    std::vector<CTrackEntry> m_tracks;
};
