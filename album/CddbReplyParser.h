#pragma once
// Parsers of the bodies of album-database replies: the server list of a sites
// reply, the match list of a query reply and the xmcd record of a read reply.
// The input comes from a server on the network, so nothing in it is trusted:
// every read is bounded by the text, numbers saturate, and track numbers
// outside the disc's range are ignored. Failures never throw; they return a
// result whose text says why.
//
// Builds without <windows.h> (the fuzz targets use it on the host).

#include "album/CddbRecords.h"

#include <string>
#include <string_view>
#include <vector>

struct CCddbParseResult
{
    bool m_bSucceeded = false;
    std::string m_strError;  // why it failed; empty on success

    static CCddbParseResult Success() { return {true, {}}; }
    static CCddbParseResult Failure(std::string why) { return {false, std::move(why)}; }
};

enum class CddbQueryOutcome
{
    Matches,  // the list holds at least one match
    NoMatch,  // the server knows no album for the disc (code 202)
    Failed,   // a server error code or a reply that could not be read
};

struct CCddbQueryResult
{
    CddbQueryOutcome m_outcome = CddbQueryOutcome::Failed;
    std::string m_strError;  // why it failed; empty otherwise
};

class CCddbReplyParser
{
public:
    // The three-digit code that starts a reply line; -1 when the text does not
    // begin with three digits.
    static int GetReplyCode(std::string_view text);
    // The text after the first line end ("\r\n" or "\n"); empty when none.
    static std::string_view NextLine(std::string_view text);
    // The first line of the text without its line end.
    static std::string_view FirstLine(std::string_view text);
    // A line that begins with "#" is a comment: `text` gets the rest, trimmed,
    // or nothing when the rest has fewer than two characters.
    static bool ParseComment(std::string_view line, std::string& text);
    // Splits "KEY=value" at the first "="; false when there is none. The
    // escapes \n, \t and \\ of the value are decoded in one pass.
    static bool SplitKeyValue(std::string_view line, std::string& key, std::string& value);

    // A sites reply (codes 210-219): the accepted lines replace the list.
    static CCddbParseResult ParseSitesReply(std::string_view body, std::vector<CCddbSiteLine>& sites);
    // A query reply: 200 one match, 202 none, 210-219 a list; other codes fail.
    static CCddbQueryResult ParseQueryReply(std::string_view body, CCddbMatchArray& matches);
    // A read reply (codes 210-219) holding an xmcd record. Any other code, or a
    // record without its mandatory parts, fails; the record may then be
    // partly filled.
    static CCddbParseResult ParseXmcdRecord(std::string_view body, CCddbDiscInfo& record);
};

// Helpers shared by the record parsers.
namespace cddb_text {
// Blanks and tabs (and stray line ends) off both ends.
std::string_view Trim(std::string_view text);
// The decimal number at the start of the text after leading blanks, with an
// optional sign; 0 when there is none; saturates instead of overflowing.
int LeadingNumber(std::string_view text);
// The text from `count` characters on, or empty when it is shorter.
std::string_view After(std::string_view text, std::size_t count);
// An eight-digit hexadecimal disc id at the start of the text, followed by
// the end or a non-hexadecimal character.
bool LeadingDiscId(std::string_view text, std::uint32_t& discId);
// A short, printable excerpt of server text for an error message.
std::string Excerpt(std::string_view text);
}  // namespace cddb_text
