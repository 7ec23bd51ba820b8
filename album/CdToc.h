#pragma once
// The table of contents of an audio CD as READ TOC (format 0, MSF addresses)
// returns it, and what is computed from it: the album-database disc id and
// query. Builds without <windows.h>, so the checks can be fuzzed on any host.
//
// Layout: bytes 0-1 the data length (big-endian, not counting these two bytes),
// 2 the first track, 3 the last track, then one 8-byte descriptor per track and
// one for the lead-out: reserved, ADR/CONTROL, track number, reserved, 0, M, S, F.

#include <cstddef>
#include <cstdint>
#include <string>

inline constexpr std::size_t kTocBufferSize = 804;  // the header and 100 descriptors
inline constexpr int kFramesPerSecond = 75;

// Bit of a descriptor's CONTROL nibble that marks a data track (any ADR).
inline constexpr std::uint8_t kControlDataTrack = 0x04;

struct TocTrackAddress
{
    int minutes = 0;
    int seconds = 0;
    int frames = 0;

    int TotalSeconds() const { return minutes * 60 + seconds; }
    long TotalFrames() const { return static_cast<long>(TotalSeconds()) * kFramesPerSecond + frames; }
};

// A TOC is usable when 1 <= first <= last <= 99 and both its data length and
// the bytes the drive actually delivered cover every descriptor and the
// lead-out. `delivered` is the transfer length the drive reported.
bool IsUsableToc(const std::uint8_t* toc, std::size_t delivered);

int TocTrackCount(const std::uint8_t* toc);
// index 0 .. count-1 the tracks, count the lead-out.
TocTrackAddress TocAddress(const std::uint8_t* toc, int index);
bool TocIsDataTrack(const std::uint8_t* toc, int index);

int DigitSum(unsigned value);
// The album-database disc id; the TOC must be usable.
std::uint32_t CddbDiscId(const std::uint8_t* toc);
// "cddb+query+<id>+<count>+<frame offsets...>+<lead-out second>".
std::string CddbQuery(const std::uint8_t* toc);
