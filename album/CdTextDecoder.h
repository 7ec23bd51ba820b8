#pragma once
// Decodes the CD-Text of an audio CD as READ TOC format 5 returns it: a 4-byte
// header, then 18-byte packs. Only the first language block (block 0) is read;
// titles (0x80), performers (0x81) and the disc message (0x85) are kept.
// Builds without <windows.h>, so it can be fuzzed on any host.

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

inline constexpr std::size_t kCdTextMaxTextLength = 255;
inline constexpr int kCdTextMaxTrack = 99;

struct CdTextAlbum
{
    bool found = false;  // at least one title or performer text, an empty one too
    std::optional<std::string> albumTitle;
    std::optional<std::string> albumArtist;
    std::string message;  // the texts of the message packs, joined
    // Index i is track i (index 0 unused); the name is the title, or
    // "performer / title" when the track's performer is not the album's.
    std::vector<std::string> trackNames;
};

// `reply` holds `size` bytes as the drive delivered them.
CdTextAlbum DecodeCdTextPacks(const std::uint8_t* reply, std::size_t size);
