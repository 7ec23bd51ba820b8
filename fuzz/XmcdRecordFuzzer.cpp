// Fuzzes the parser of xmcd album records (the body of a read reply): an
// accepted record keeps its track numbers inside the disc's range and its
// title and extended-track arrays the same length.
#include "album/CddbReplyParser.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string_view>

static void Check(bool condition, const char* what)
{
    if (!condition) {
        std::fprintf(stderr, "fuzz check failed: %s\n", what);
        std::abort();
    }
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string_view body(reinterpret_cast<const char*>(data), size);
    CCddbDiscInfo record;
    const CCddbParseResult result = CCddbReplyParser::ParseXmcdRecord(body, record);
    Check(result.m_bSucceeded == result.m_strError.empty(), "a failure says why");
    Check(record.m_trackTitles.size() <= static_cast<std::size_t>(kMaxCddbTracks), "at most 99 track titles");
    Check(record.m_extendedTrackData.size() <= static_cast<std::size_t>(kMaxCddbTracks), "at most 99 extended tracks");
    Check(record.m_frameOffsets.size() <= static_cast<std::size_t>(kMaxCddbTracks), "at most 99 offsets");
    if (result.m_bSucceeded) {
        Check(record.m_trackTitles.size() == record.m_extendedTrackData.size(), "arrays of one length");
        Check(!record.m_frameOffsets.empty(), "an accepted record has offsets");
    }
    // The record fills a second time the same way (nothing is left over).
    CCddbDiscInfo again = record;
    const CCddbParseResult second = CCddbReplyParser::ParseXmcdRecord(body, again);
    Check(second.m_bSucceeded == result.m_bSucceeded, "the same outcome twice");
    if (result.m_bSucceeded)
        Check(again.m_trackTitles == record.m_trackTitles && again.m_strTitle == record.m_strTitle, "the same record twice");
    return 0;
}
