// Fuzzes the reading of an album-database reply from the network and the
// parsers of its sites and query bodies. The first byte chooses where the
// input is split into pieces, as a socket might deliver it; the reply must
// come out the same as when it arrives in one piece.
#include "album/CddbReplyParser.h"
#include "album/CddbReplyReader.h"

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

static void ParseBody(std::string_view body)
{
    std::vector<CCddbSiteLine> sites;
    const CCddbParseResult sitesResult = CCddbReplyParser::ParseSitesReply(body, sites);
    Check(sitesResult.m_bSucceeded == sitesResult.m_strError.empty(), "a sites failure says why");
    for (const CCddbSiteLine& site : sites)
        Check(site.m_nPort > 0 && site.m_nPort <= 65535 && !site.m_strDescription.empty(), "an accepted site is whole");

    CCddbMatchArray matches;
    const CCddbQueryResult query = CCddbReplyParser::ParseQueryReply(body, matches);
    Check((query.m_outcome == CddbQueryOutcome::Matches) == !matches.empty(), "matches exactly when some were read");
    Check((query.m_outcome == CddbQueryOutcome::Failed) == !query.m_strError.empty(), "a query failure says why");
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (size == 0)
        return 0;
    const std::size_t piece = 1 + data[0] % 64;
    const std::string_view input(reinterpret_cast<const char*>(data + 1), size - 1);

    CCddbReplyReader whole;
    whole.Append(input);
    whole.EndOfStream();

    CCddbReplyReader pieces;
    for (std::size_t at = 0; at < input.size() && pieces.State() == CddbReadState::NeedMore; at += piece)
        pieces.Append(input.substr(at, piece));
    pieces.EndOfStream();

    Check(whole.State() != CddbReadState::NeedMore, "a closed connection settles the reply");
    Check(whole.State() == pieces.State(), "the pieces do not change the outcome");
    if (whole.State() == CddbReadState::Complete) {
        Check(whole.Body() == pieces.Body(), "the pieces give the same body");
        ParseBody(whole.Body());
    } else {
        Check(!whole.Error().empty(), "a failed read says why");
    }
    ParseBody(input);
    return 0;
}
