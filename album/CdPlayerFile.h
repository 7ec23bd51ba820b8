#pragma once
// The CD player's database file ("cdplayer.ini"): one section per disc, named
// by a key made from the disc's track addresses, with "artist=", "title=" and
// numbered track-title lines.

#include "album/CddbRecords.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

// "[3EFF]": the section name of the disc whose TOC (READ TOC format 0) is given.
std::string CdPlayerSectionKey(const std::uint8_t* toc);

// The disc's entry in the file's text, or nothing when the file has no
// section for it. Track lines count only in order: "0=", then "1=" ...
std::optional<CCddbDiscInfo> FindCdPlayerEntry(std::string_view fileText, const std::string& sectionKey);
