// Fuzzes the CD-Text decoder with READ TOC format 5 replies, and the table of
// contents checks and disc id with the same bytes as a format 0 reply.
#include "album/CdTextDecoder.h"
#include "album/CdToc.h"

#include <cstdio>
#include <cstdlib>
#include <vector>

namespace {

void Check(bool condition, const char* what)
{
    if (!condition) {
        std::fprintf(stderr, "fuzz check failed: %s\n", what);
        std::abort();
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    // An exact-size copy, so the sanitizer sees any read past the reply.
    const std::vector<std::uint8_t> reply(data, data + size);
    const CdTextAlbum album = DecodeCdTextPacks(reply.data(), reply.size());
    Check(!album.albumTitle || album.albumTitle->size() <= kCdTextMaxTextLength, "a bounded album title");
    Check(!album.albumArtist || album.albumArtist->size() <= kCdTextMaxTextLength, "a bounded album artist");
    Check(album.trackNames.size() <= static_cast<std::size_t>(kCdTextMaxTrack) + 1, "at most 99 tracks");
    for (const std::string& name : album.trackNames)
        Check(name.size() <= 2 * kCdTextMaxTextLength + 3, "a bounded track name");
    Check(album.found || album.trackNames.empty(), "names only from texts");

    if (IsUsableToc(reply.data(), reply.size())) {
        const int count = TocTrackCount(reply.data());
        Check(count >= 1 && count <= 99, "a usable table has 1 to 99 tracks");
        Check((CddbDiscId(reply.data()) & 0xFF) == static_cast<std::uint32_t>(count), "the id ends in the count");
        Check(CddbQuery(reply.data()).rfind("cddb+query+", 0) == 0, "a query");
    }
    return 0;
}
