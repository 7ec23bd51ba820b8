#include "album/CddbReplyParser.h"

#include <climits>
#include <cstdint>

namespace cddb_text {

static bool IsBlank(char ch)
{
    return ch == ' ' || ch == '\t' || ch == '\r' || ch == '\n';
}

std::string_view Trim(std::string_view text)
{
    while (!text.empty() && IsBlank(text.front()))
        text.remove_prefix(1);
    while (!text.empty() && IsBlank(text.back()))
        text.remove_suffix(1);
    return text;
}

int LeadingNumber(std::string_view text)
{
    std::size_t at = 0;
    while (at < text.size() && (text[at] == ' ' || text[at] == '\t'))
        ++at;
    bool negative = false;
    if (at < text.size() && (text[at] == '-' || text[at] == '+')) {
        negative = text[at] == '-';
        ++at;
    }
    long long value = 0;
    for (; at < text.size() && text[at] >= '0' && text[at] <= '9'; ++at) {
        value = value * 10 + (text[at] - '0');
        if (value > INT_MAX) {
            value = INT_MAX;
            break;
        }
    }
    return static_cast<int>(negative ? -value : value);
}

std::string_view After(std::string_view text, std::size_t count)
{
    return count < text.size() ? text.substr(count) : std::string_view();
}

static int HexDigit(char ch)
{
    if (ch >= '0' && ch <= '9')
        return ch - '0';
    if (ch >= 'a' && ch <= 'f')
        return ch - 'a' + 10;
    if (ch >= 'A' && ch <= 'F')
        return ch - 'A' + 10;
    return -1;
}

bool LeadingDiscId(std::string_view text, std::uint32_t& discId)
{
    std::uint32_t value = 0;
    std::size_t digits = 0;
    while (digits < text.size() && HexDigit(text[digits]) >= 0) {
        if (digits == 8)
            return false;  // more than 32 bits
        value = (value << 4) | static_cast<std::uint32_t>(HexDigit(text[digits]));
        ++digits;
    }
    if (digits != 8)
        return false;
    discId = value;
    return true;
}

std::string Excerpt(std::string_view text)
{
    std::string out;
    for (char ch : text.substr(0, 120)) {
        if (ch == '\r' || ch == '\n')
            break;
        out += (static_cast<unsigned char>(ch) < 0x20 || ch == 0x7F) ? '?' : ch;
    }
    return out;
}

}  // namespace cddb_text

using namespace cddb_text;

namespace {

bool StartsWith(std::string_view text, std::string_view prefix)
{
    return text.substr(0, prefix.size()) == prefix;
}

// Calls `take` with every line of the text, without its line end, up to a
// line that holds only the terminating ".".
template <class Take>
void ForEachLine(std::string_view text, Take take)
{
    while (!text.empty()) {
        const std::size_t end = text.find('\n');
        std::string_view line = text.substr(0, end);
        if (!line.empty() && line.back() == '\r')
            line.remove_suffix(1);
        if (line == ".")
            return;
        if (!take(line))
            return;
        if (end == std::string_view::npos)
            return;
        text.remove_prefix(end + 1);
    }
}

// The next word after blanks, moving `text` past it.
std::string_view NextWord(std::string_view& text)
{
    std::size_t at = 0;
    while (at < text.size() && (text[at] == ' ' || text[at] == '\t'))
        ++at;
    std::size_t end = at;
    while (end < text.size() && text[end] != ' ' && text[end] != '\t')
        ++end;
    const std::string_view word = text.substr(at, end - at);
    text.remove_prefix(end);
    return word;
}

// "N037.23" or "W122.05": hemisphere letter, three digits of degrees, a
// separator and two digits of minutes; gives the minutes.
bool ParseCoordinate(std::string_view word, char positive, char negative, bool& isPositive, int& minutes)
{
    if (word.size() != 7 || (word[0] != positive && word[0] != negative))
        return false;
    isPositive = word[0] == positive;
    minutes = LeadingNumber(word.substr(1, 3)) * 60 + LeadingNumber(word.substr(5, 2));
    return true;
}

bool EqualsNoCase(std::string_view left, std::string_view right)
{
    if (left.size() != right.size())
        return false;
    for (std::size_t i = 0; i < left.size(); ++i) {
        char a = left[i], b = right[i];
        if (a >= 'A' && a <= 'Z')
            a = static_cast<char>(a - 'A' + 'a');
        if (b >= 'A' && b <= 'Z')
            b = static_cast<char>(b - 'A' + 'a');
        if (a != b)
            return false;
    }
    return true;
}

// The track number of a key such as "TTITLE12" after its prefix; -1 unless
// the rest is all digits naming a track the disc can have.
int TrackIndexOfKey(std::string_view key, std::size_t prefixLength)
{
    const std::string_view digits = After(key, prefixLength);
    if (digits.empty() || digits.size() > 3)
        return -1;
    int index = 0;
    for (char ch : digits) {
        if (ch < '0' || ch > '9')
            return -1;
        index = index * 10 + (ch - '0');
    }
    return index < kMaxCddbTracks ? index : -1;
}

// Appends to entry `index`, growing the array to hold it; never shrinks it,
// so a line for an earlier track keeps the later ones.
void AppendToEntry(std::vector<std::string>& entries, int index, const std::string& value)
{
    if (entries.size() < static_cast<std::size_t>(index) + 1)
        entries.resize(static_cast<std::size_t>(index) + 1);
    entries[static_cast<std::size_t>(index)] += value;
}

std::string ServerAnswered(std::string_view body)
{
    return "The server answered: " + Excerpt(body);
}

}  // namespace

int CCddbReplyParser::GetReplyCode(std::string_view text)
{
    if (text.size() < 3)
        return -1;
    int code = 0;
    for (int i = 0; i < 3; ++i) {
        if (text[i] < '0' || text[i] > '9')
            return -1;
        code = code * 10 + (text[i] - '0');
    }
    return code;
}

std::string_view CCddbReplyParser::NextLine(std::string_view text)
{
    const std::size_t end = text.find('\n');
    return end == std::string_view::npos ? std::string_view() : text.substr(end + 1);
}

std::string_view CCddbReplyParser::FirstLine(std::string_view text)
{
    std::string_view line = text.substr(0, text.find('\n'));
    if (!line.empty() && line.back() == '\r')
        line.remove_suffix(1);
    return line;
}

bool CCddbReplyParser::ParseComment(std::string_view line, std::string& text)
{
    if (line.empty() || line[0] != '#')
        return false;
    const std::string_view rest = line.substr(1);
    text = rest.size() < 2 ? std::string() : std::string(Trim(rest));
    return true;
}

bool CCddbReplyParser::SplitKeyValue(std::string_view line, std::string& key, std::string& value)
{
    const std::size_t equals = line.find('=');
    if (equals == std::string_view::npos)
        return false;
    key.assign(line.substr(0, equals));
    value.clear();
    const std::string_view raw = line.substr(equals + 1);
    for (std::size_t i = 0; i < raw.size(); ++i) {
        if (raw[i] == '\\' && i + 1 < raw.size()) {
            const char next = raw[i + 1];
            if (next == 'n' || next == 't' || next == '\\') {
                value += next == 'n' ? '\n' : next == 't' ? '\t' : '\\';
                ++i;
                continue;
            }
        }
        value += raw[i];
    }
    return true;
}

bool CCddbSiteLine::ParseSiteLine(std::string_view line)
{
    std::string_view rest = line;
    const std::string_view host = NextWord(rest);
    const std::string_view protocol = NextWord(rest);
    const std::string_view port = NextWord(rest);
    const std::string_view path = NextWord(rest);
    const std::string_view latitude = NextWord(rest);
    const std::string_view longitude = NextWord(rest);
    const std::string_view description = Trim(rest);

    CCddbSiteLine site;
    if (host.empty() || !EqualsNoCase(protocol, "http"))
        return false;
    if (!ParseCoordinate(latitude, 'N', 'S', site.m_bNorth, site.m_nLatitude) ||
        !ParseCoordinate(longitude, 'E', 'W', site.m_bEast, site.m_nLongitude) || description.empty())
        return false;
    site.m_nPort = LeadingNumber(port);
    if (site.m_nPort <= 0 || site.m_nPort > 65535)
        return false;
    site.m_strHost.assign(host);
    site.m_strPath.assign(path);
    site.m_strDescription.assign(description);
    *this = std::move(site);
    return true;
}

bool CCddbMatch::ParseMatchLine(std::string_view line)
{
    std::string_view rest = line.substr(0, line.find_first_of("\r\n"));
    const std::size_t blank = rest.find(' ');
    if (blank == 0 || blank == std::string_view::npos)
        return false;
    const std::string_view category = rest.substr(0, blank);
    rest.remove_prefix(blank + 1);
    std::uint32_t discId = 0;
    if (!LeadingDiscId(rest, discId) || (rest.size() > 8 && rest[8] != ' '))
        return false;
    rest = After(rest, 9);

    m_strCategory.assign(category);
    m_dwDiscId = discId;
    const std::size_t slash = rest.find('/');
    if (slash == std::string_view::npos) {
        m_strArtist.clear();
        m_strTitle.assign(Trim(rest));
    } else {
        m_strArtist.assign(Trim(rest.substr(0, slash)));
        m_strTitle.assign(Trim(rest.substr(slash + 1)));
    }
    return true;
}

CCddbParseResult CCddbReplyParser::ParseSitesReply(std::string_view body, std::vector<CCddbSiteLine>& sites)
{
    const int code = GetReplyCode(body);
    if (code < 210 || code > 219)
        return CCddbParseResult::Failure(ServerAnswered(body));
    sites.clear();
    ForEachLine(NextLine(body), [&](std::string_view line) {
        CCddbSiteLine site;
        if (site.ParseSiteLine(line))
            sites.push_back(std::move(site));
        return true;
    });
    return CCddbParseResult::Success();
}

CCddbQueryResult CCddbReplyParser::ParseQueryReply(std::string_view body, CCddbMatchArray& matches)
{
    matches.clear();
    const int code = GetReplyCode(body);
    const std::string_view status = FirstLine(body);
    if (code == 200) {
        CCddbMatch match;
        if (status.size() > 5 && match.ParseMatchLine(status.substr(4))) {
            matches.push_back(std::move(match));
            return {CddbQueryOutcome::Matches, {}};
        }
        return {CddbQueryOutcome::Failed, "The match in the reply could not be read: " + Excerpt(status)};
    }
    if (code == 202)
        return {CddbQueryOutcome::NoMatch, {}};
    if (code >= 210 && code <= 219) {
        ForEachLine(NextLine(body), [&](std::string_view line) {
            CCddbMatch match;
            if (match.ParseMatchLine(line))
                matches.push_back(std::move(match));
            return true;
        });
        if (matches.empty())
            return {CddbQueryOutcome::Failed, "No match of the list could be read: " + Excerpt(status)};
        return {CddbQueryOutcome::Matches, {}};
    }
    return {CddbQueryOutcome::Failed, ServerAnswered(body)};
}

CCddbParseResult CCddbReplyParser::ParseXmcdRecord(std::string_view body, CCddbDiscInfo& record)
{
    const int code = GetReplyCode(body);
    if (code < 210 || code > 219)
        return CCddbParseResult::Failure(ServerAnswered(body));
    const std::string_view lines = NextLine(body);
    if (lines.empty())
        return CCddbParseResult::Failure("The reply holds no record.");

    record.Clear();
    bool xmcdSeen = false, lengthSeen = false, submissionSeen = false, discIdSeen = false, titleSeen = false;
    bool inOffsets = false, badSubmission = false;
    std::string albumTitle, playOrderText, comment, key, value;

    ForEachLine(lines, [&](std::string_view line) {
        if (ParseComment(line, comment)) {
            const std::string_view text = comment;
            if (StartsWith(text, "xmcd")) {
                xmcdSeen = true;
            } else if (text.find("Track frame offsets:") != std::string_view::npos) {
                inOffsets = true;
            } else if (StartsWith(text, "Disc length:")) {
                inOffsets = false;
                record.m_nDiscLength = LeadingNumber(After(text, 12));
                lengthSeen = true;
            } else if (StartsWith(text, "Revision:")) {
                record.m_nRevision = LeadingNumber(After(text, 9));
            } else if (StartsWith(text, "Submitted via:")) {
                std::string_view words = After(text, 14);
                const std::string_view submitter = NextWord(words);
                const std::string_view version = NextWord(words);
                const std::string_view label = NextWord(words);
                if (version.empty()) {
                    badSubmission = true;
                    return false;
                }
                record.m_strSubmitter.assign(submitter);
                record.m_strSubmitterVersion.assign(version);
                record.m_strLabel.assign(label);
                submissionSeen = true;
            } else if (inOffsets && !text.empty()) {
                // A disc has at most 99 tracks; more offsets are noise.
                if (record.m_frameOffsets.size() < static_cast<std::size_t>(kMaxCddbTracks))
                    record.m_frameOffsets.push_back(LeadingNumber(text));
            }
            return true;
        }
        if (!SplitKeyValue(line, key, value))
            return true;
        if (key == "DISCID") {
            if (value.size() > 7 && LeadingDiscId(value, record.m_dwDiscId))
                discIdSeen = true;
        } else if (key == "DTITLE") {
            albumTitle += value;
            titleSeen = true;
        } else if (key == "DYEAR") {
            record.m_nYear = LeadingNumber(value);
        } else if (key == "DGENRE") {
            record.m_strGenre += value;
        } else if (StartsWith(key, "TTITLE")) {
            const int index = TrackIndexOfKey(key, 6);
            if (index >= 0)
                AppendToEntry(record.m_trackTitles, index, value);
        } else if (key == "EXTD") {
            record.m_strExtendedData += value;
        } else if (StartsWith(key, "EXTT")) {
            const int index = TrackIndexOfKey(key, 4);
            if (index >= 0)
                AppendToEntry(record.m_extendedTrackData, index, value);
        } else if (key == "PLAYORDER") {
            playOrderText += value;
        }
        return true;
    });

    if (badSubmission)
        return CCddbParseResult::Failure("The record's submission line names no program and version.");
    if (!xmcdSeen || record.m_frameOffsets.empty() || !lengthSeen || !submissionSeen || !discIdSeen || !titleSeen)
        return CCddbParseResult::Failure("The record lacks one of its mandatory parts.");
    if (record.m_trackTitles.size() != record.m_extendedTrackData.size())
        return CCddbParseResult::Failure("The record's track titles and extended track data differ in number.");

    const std::size_t separator = albumTitle.find(" / ");
    if (separator == std::string::npos) {
        record.m_strArtist = albumTitle;
        record.m_strTitle = albumTitle;
    } else {
        record.m_strArtist = albumTitle.substr(0, separator);
        record.m_strTitle = albumTitle.substr(separator + 3);
    }

    std::string_view order = playOrderText;
    while (!order.empty()) {
        const std::size_t comma = order.find(',');
        record.m_playOrder.push_back(LeadingNumber(order.substr(0, comma)));
        if (comma == std::string_view::npos)
            break;
        order.remove_prefix(comma + 1);
    }
    return CCddbParseResult::Success();
}
