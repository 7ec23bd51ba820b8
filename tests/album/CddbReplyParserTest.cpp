// The parsers of album-database replies, on the records the loopback server
// serves and on hostile variations of them.
#include "CddbFixtures.h"

#include "album/CddbReplyParser.h"

#include <gtest/gtest.h>

namespace {

// A small valid record with `lines` in its key part.
std::string Record(const std::string& lines)
{
    return "210 rock 12345678 CD database entry follows\r\n"
           "# xmcd\r\n# Track frame offsets:\r\n#\t150\r\n# Disc length: 200 seconds\r\n"
           "# Submitted via: Ripper 1.0\r\nDISCID=12345678\r\n" +
           lines;
}

CCddbDiscInfo ParsedRecord(const std::string& body, bool expectSuccess = true)
{
    CCddbDiscInfo record;
    const CCddbParseResult result = CCddbReplyParser::ParseXmcdRecord(body, record);
    EXPECT_EQ(result.m_bSucceeded, expectSuccess) << result.m_strError;
    EXPECT_EQ(result.m_strError.empty(), expectSuccess);
    return record;
}

}  // namespace

TEST(CddbReplyParser, ReadsEveryFieldOfAServedRecord)
{
    const CCddbDiscInfo record = ParsedRecord(WithCrLf(ReadCddbFixture("rock-45044a05.xmcd")));
    EXPECT_EQ(record.m_dwDiscId, 0x45044a05u);
    EXPECT_EQ(record.m_strArtist, "The Velvet Lanterns");
    EXPECT_EQ(record.m_strTitle, "Songs From The Long Corridor");  // DTITLE continued on a second line
    EXPECT_EQ(record.m_nYear, 1998);
    EXPECT_EQ(record.m_strGenre, "Indie Rock");
    EXPECT_EQ(record.m_nDiscLength, 1100);
    EXPECT_EQ(record.m_nRevision, 3);
    EXPECT_EQ(record.m_strSubmitter, "Ripper");
    EXPECT_EQ(record.m_strSubmitterVersion, "3.3.1");
    EXPECT_EQ(record.m_strLabel, "tagger");
    EXPECT_EQ(record.m_frameOffsets, (std::vector<int>{150, 18145, 35600, 52411, 71234}));
    ASSERT_EQ(record.m_trackTitles.size(), 5u);
    EXPECT_EQ(record.m_trackTitles[0], "Opening");
    EXPECT_EQ(record.m_trackTitles[2], "A Title That Goes On And On Across More Than One Line Of The Record Because Servers Wrap Long Values");
    EXPECT_EQ(record.m_trackTitles[3], "Backslash \\ Tab\tEnd");
    EXPECT_EQ(record.m_trackTitles[4], "Closing / Reprise");
    EXPECT_EQ(record.m_strExtendedData, "Recorded live.\nMixed at home. YEAR: 1998");
    ASSERT_EQ(record.m_extendedTrackData.size(), 5u);
    EXPECT_EQ(record.m_extendedTrackData[1], "First single");
    EXPECT_EQ(record.m_extendedTrackData[4], "Hidden track follows");
    EXPECT_EQ(record.m_playOrder, (std::vector<int>{4, 0, 1, 2, 3}));
}

TEST(CddbReplyParser, ReadsARecordWithBareLineFeedsAndTwoDiscIds)
{
    const CCddbDiscInfo record = ParsedRecord(ReadCddbFixture("jazz-950c7e0c.xmcd"));
    EXPECT_EQ(record.m_dwDiscId, 0x950c7e0cu);  // the first of "950c7e0c,12345678"
    EXPECT_EQ(record.m_strArtist, "Quiet Rooms");  // no " / ": the name is both
    EXPECT_EQ(record.m_strTitle, "Quiet Rooms");
    EXPECT_EQ(record.m_trackTitles.size(), 12u);
    EXPECT_EQ(record.m_trackTitles[11], "Twelve");
    EXPECT_EQ(record.m_frameOffsets.size(), 12u);
    EXPECT_TRUE(record.m_playOrder.empty());
}

TEST(CddbReplyParser, TrackNumbersComeOnlyFromTheDiscsRange)
{
    // An earlier track after a later one keeps the later one.
    CCddbDiscInfo record = ParsedRecord(Record("DTITLE=A / B\r\nTTITLE1=Two\r\nTTITLE0=One\r\nEXTT1=\r\nEXTT0=\r\n"));
    EXPECT_EQ(record.m_trackTitles, (std::vector<std::string>{"One", "Two"}));

    // Numbers outside 0..98, signs and letters are not tracks.
    const char* ignored[] = {"TTITLE99=x", "TTITLE4294967296=x", "TTITLE-1=x", "TTITLE=x", "TTITLE1a=x",
                             "TTITLE999999999999=x"};
    for (const char* line : ignored) {
        SCOPED_TRACE(line);
        record = ParsedRecord(Record(std::string("DTITLE=A\r\nTTITLE0=One\r\n") + line + "\r\nEXTT0=\r\n"));
        EXPECT_EQ(record.m_trackTitles, std::vector<std::string>{"One"});
    }
    record = ParsedRecord(Record("DTITLE=A\r\nTTITLE98=Last\r\nEXTT98=\r\nEXTT99=x\r\n"));
    EXPECT_EQ(record.m_trackTitles.size(), 99u);
    EXPECT_EQ(record.m_extendedTrackData.size(), 99u);
}

TEST(CddbReplyParser, RefusesRecordsThatLackTheirMandatoryParts)
{
    const std::string header = "210 rock 12345678 entry\n";
    const std::string cases[] = {
        // each lacks one thing: the xmcd mark, offsets, length, submission, disc id, title
        header + "# Track frame offsets:\n#\t150\n# Disc length: 9\n# Submitted via: a 1\nDISCID=12345678\nDTITLE=x\n",
        header + "# xmcd\n# Disc length: 9\n# Submitted via: a 1\nDISCID=12345678\nDTITLE=x\n",
        header + "# xmcd\n# Track frame offsets:\n#\t150\n# Submitted via: a 1\nDISCID=12345678\nDTITLE=x\n",
        header + "# xmcd\n# Track frame offsets:\n#\t150\n# Disc length: 9\nDISCID=12345678\nDTITLE=x\n",
        header + "# xmcd\n# Track frame offsets:\n#\t150\n# Disc length: 9\n# Submitted via: a 1\nDTITLE=x\n",
        header + "# xmcd\n# Track frame offsets:\n#\t150\n# Disc length: 9\n# Submitted via: a 1\nDISCID=12345678\n",
        // a submission without a version; a seven-digit disc id; titles without extended data
        header + "# xmcd\n# Track frame offsets:\n#\t150\n# Disc length: 9\n# Submitted via: a\nDISCID=12345678\nDTITLE=x\n",
        header + "# xmcd\n# Track frame offsets:\n#\t150\n# Disc length: 9\n# Submitted via: a 1\nDISCID=1234567\nDTITLE=x\n",
        header + "# xmcd\n# Track frame offsets:\n#\t150\n# Disc length: 9\n# Submitted via: a 1\nDISCID=12345678\nDTITLE=x\nTTITLE0=t\n",
        // no line after the status line
        header,
    };
    for (const std::string& body : cases) {
        SCOPED_TRACE(body);
        ParsedRecord(body, false);
    }
}

TEST(CddbReplyParser, ServerErrorCodesOfAReadAreFailuresThatSayWhy)
{
    for (const char* body : {"401 rock 12345678 No such CD entry in database.\r\n", "402 Server error.\r\n",
                             "403 Database entry is corrupt.\r\n", "409 No handshake.\r\n", "garbage\r\n", ""}) {
        SCOPED_TRACE(body);
        CCddbDiscInfo record;
        record.m_strTitle = "kept";
        const CCddbParseResult result = CCddbReplyParser::ParseXmcdRecord(body, record);
        EXPECT_FALSE(result.m_bSucceeded);
        EXPECT_NE(result.m_strError.find("The server answered"), std::string::npos);
        EXPECT_EQ(record.m_strTitle, "kept");
    }
}

TEST(CddbReplyParser, NumbersAndCommentsAreReadWithinTheirText)
{
    CCddbDiscInfo record = ParsedRecord(
        "210 x\n# xmcd\n# Track frame offsets:\n#\t99999999999999999999\n#\t-5\n# Disc length:\n# Revision:\n"
        "# Submitted via: a 1\nDISCID=ffffffff\nDTITLE=x\nDYEAR=99999999999999\n");
    EXPECT_EQ(record.m_frameOffsets, (std::vector<int>{2147483647, -5}));
    EXPECT_EQ(record.m_nDiscLength, 0);
    EXPECT_EQ(record.m_nRevision, 0);
    EXPECT_EQ(record.m_nYear, 2147483647);
    EXPECT_EQ(record.m_dwDiscId, 0xffffffffu);

    // A disc id longer than 32 bits is not a disc id.
    ParsedRecord("210 x\n# xmcd\n# Track frame offsets:\n#\t1\n# Disc length: 1\n# Submitted via: a 1\n"
                 "DISCID=123456789\nDTITLE=x\n",
                 false);

    std::string text;
    EXPECT_TRUE(CCddbReplyParser::ParseComment("#", text));
    EXPECT_EQ(text, "");
    EXPECT_TRUE(CCddbReplyParser::ParseComment("#x", text));
    EXPECT_EQ(text, "");
    EXPECT_TRUE(CCddbReplyParser::ParseComment("#  Revision: 2 ", text));
    EXPECT_EQ(text, "Revision: 2");
    EXPECT_FALSE(CCddbReplyParser::ParseComment("DTITLE=#", text));
}

TEST(CddbReplyParser, EscapesOfValuesAreDecodedInOnePass)
{
    struct Case {
        const char* line;
        const char* key;
        const char* value;
    } cases[] = {
        {"TTITLE0=a\\nb", "TTITLE0", "a\nb"},
        {"TTITLE0=a\\tb", "TTITLE0", "a\tb"},
        {"TTITLE0=C:\\\\new", "TTITLE0", "C:\\new"},  // an escaped backslash before n is not a line feed
        {"TTITLE0=end\\", "TTITLE0", "end\\"},
        {"TTITLE0=\\q=", "TTITLE0", "\\q="},
        {"=x", "", "x"},
    };
    for (const Case& c : cases) {
        std::string key, value;
        ASSERT_TRUE(CCddbReplyParser::SplitKeyValue(c.line, key, value)) << c.line;
        EXPECT_EQ(key, c.key);
        EXPECT_EQ(value, c.value);
    }
    std::string key, value;
    EXPECT_FALSE(CCddbReplyParser::SplitKeyValue("no equals sign", key, value));
}

TEST(CddbReplyParser, QueryRepliesGiveMatchesNoMatchOrFailure)
{
    struct Case {
        std::string body;
        CddbQueryOutcome outcome;
        std::size_t matches;
    } cases[] = {
        {"200 rock 12345678 Artist / Album\r\n", CddbQueryOutcome::Matches, 1},
        {"202 No match for disc ID 12345678.\r\n", CddbQueryOutcome::NoMatch, 0},
        {WithCrLf(ReadCddbFixture("query-211.reply")).substr(WithCrLf(ReadCddbFixture("query-211.reply")).find("211")),
         CddbQueryOutcome::Matches, 2},
        {"210 Found exact matches\nrock 12345678 A / B\nnot a match line\n", CddbQueryOutcome::Matches, 1},
        {"211 Found inexact matches\r\n.\r\n", CddbQueryOutcome::Failed, 0},
        {"200 rock", CddbQueryOutcome::Failed, 0},
        {"200 rock 1234567 short id\r\n", CddbQueryOutcome::Failed, 0},
        {"200 ", CddbQueryOutcome::Failed, 0},
        {"403 Database entry is corrupt.\r\n", CddbQueryOutcome::Failed, 0},
        {"409 No handshake.\r\n", CddbQueryOutcome::Failed, 0},
        {"500 Command syntax error.\r\n", CddbQueryOutcome::Failed, 0},
        {"530 Server error, server timeout.\r\n", CddbQueryOutcome::Failed, 0},
        {"<html>oops</html>", CddbQueryOutcome::Failed, 0},
        {"", CddbQueryOutcome::Failed, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.body);
        CCddbMatchArray matches(3);
        const CCddbQueryResult result = CCddbReplyParser::ParseQueryReply(c.body, matches);
        EXPECT_EQ(result.m_outcome, c.outcome);
        EXPECT_EQ(matches.size(), c.matches);
        EXPECT_EQ(result.m_strError.empty(), c.outcome != CddbQueryOutcome::Failed);
    }

    CCddbMatchArray matches;
    CCddbReplyParser::ParseQueryReply("200 rock 12345678  Artist  /  Album / Live \r\n", matches);
    ASSERT_EQ(matches.size(), 1u);
    EXPECT_EQ(matches[0].m_strCategory, "rock");
    EXPECT_EQ(matches[0].m_dwDiscId, 0x12345678u);
    EXPECT_EQ(matches[0].m_strArtist, "Artist");
    EXPECT_EQ(matches[0].m_strTitle, "Album / Live");

    CCddbReplyParser::ParseQueryReply("211 x\r\njazz 950c7e0c Quiet Rooms\r\n", matches);
    ASSERT_EQ(matches.size(), 1u);
    EXPECT_EQ(matches[0].m_strArtist, "");
    EXPECT_EQ(matches[0].m_strTitle, "Quiet Rooms");
}

TEST(CddbReplyParser, SitesRepliesKeepTheHttpServers)
{
    const std::string reply = WithCrLf(ReadCddbFixture("sites.reply"));
    std::vector<CCddbSiteLine> sites(1);
    ASSERT_TRUE(CCddbReplyParser::ParseSitesReply(reply.substr(reply.find("210")), sites).m_bSucceeded);
    ASSERT_EQ(sites.size(), 1u);  // the cddbp server is skipped
    EXPECT_EQ(sites[0].m_strHost, "freedb.example");
    EXPECT_EQ(sites[0].m_nPort, 80);
    EXPECT_EQ(sites[0].m_strPath, "/~cddb/cddb.cgi");
    EXPECT_TRUE(sites[0].m_bNorth);
    EXPECT_EQ(sites[0].m_nLatitude, 37 * 60 + 23);
    EXPECT_FALSE(sites[0].m_bEast);
    EXPECT_EQ(sites[0].m_nLongitude, 122 * 60 + 5);
    EXPECT_EQ(sites[0].m_strDescription, "Random server, California");

    const char* refusedLines[] = {
        "h http 80 /p N037.23 W122.05",            // no description
        "h http 80 /p N37.23 W122.05 d",           // six-character latitude
        "h http 80 /p X037.23 W122.05 d",          // no hemisphere
        "h http 80 /p N037.23 N122.05 d",          // latitude letter as longitude
        "h http 0 /p N037.23 W122.05 d",           // no port
        "h http 99999999999 /p N037.23 W122.05 d", // no port either
        "",
    };
    for (const char* line : refusedLines) {
        CCddbSiteLine site;
        EXPECT_FALSE(site.ParseSiteLine(line)) << line;
    }
    CCddbSiteLine site;
    EXPECT_TRUE(site.ParseSiteLine("h HTTP 8080 /p S033.55 E151.10 d"));
    EXPECT_FALSE(site.m_bNorth);
    EXPECT_TRUE(site.m_bEast);

    for (const char* body : {"401 No site information available.\r\n", "500 x\r\n", "", "21"}) {
        sites.assign(2, CCddbSiteLine());
        const CCddbParseResult result = CCddbReplyParser::ParseSitesReply(body, sites);
        EXPECT_FALSE(result.m_bSucceeded) << body;
        EXPECT_EQ(sites.size(), 2u);
    }
}
