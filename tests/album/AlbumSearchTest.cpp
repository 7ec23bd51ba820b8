// The album search on its worker thread, against the CDDB server on
// 127.0.0.1, a CD drive stand-in that answers the reader's command blocks,
// a CD player file written here, CD-Text packs made by libburn and a folder
// of MP3 files made by lame.
#include "CddbFixtures.h"
#include "CddbTestServer.h"
#include "cdsource/CdSourceFixtures.h"

#include "album/AlbumSearch.h"
#include "album/CdPlayerFile.h"
#include "album/CddbReplyParser.h"
#include "album/Mp3Names.h"
#include "framework/ErrorReport.h"

#include <gtest/gtest.h>

#include <chrono>
#include <map>
#include <fstream>
#include <thread>

namespace {

// The rock record's disc: five tracks, 1100 seconds, disc id 45044a05.
const std::vector<long> kRockOffsets = {150, 18145, 35600, 52411, 71234};
constexpr long kRockLeadOut = 1100 * 75;
const char kCdPlayerFile[] = "album-search-cdplayer.ini";

std::vector<std::string> Labels(const CAlbumCandidates& candidates)
{
    std::vector<std::string> labels;
    for (const auto& candidate : candidates)
        labels.push_back(candidate->m_strLabel);
    return labels;
}

class AlbumSearchTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_server.IsListening());
        m_rock = ReadCddbFixture("rock-45044a05.xmcd");
        ASSERT_FALSE(m_rock.empty());
        m_server.AddRecord("rock", "45044a05", "The Velvet Lanterns / Songs From The Long Corridor", m_rock);
        m_drive.toc = MakeTocReply(1, kRockOffsets, kRockLeadOut);
        m_drive.cdText = ReadFixtureBytes("cdtext/album.cdt");
        ASSERT_FALSE(m_drive.cdText.empty()) << "cdtext/album.cdt missing: run the cdsource_fixtures test first";

        m_settings.cdPlayerPath = kCdPlayerFile;
        m_settings.site.m_strHost = "127.0.0.1";
        m_settings.site.m_nPort = m_server.Port();
        m_settings.timeoutMilliseconds = 5000;
        WriteCdPlayerFile("[" + std::string("X") + "]\r\nartist=Nobody\r\n" + CdPlayerKey() +
                          "\r\nartist=  Player Artist\r\ntitle=Player Title\r\n0=First\r\n1=Se`cond");
    }
    void TearDown() override { std::remove(kCdPlayerFile); }

    std::string CdPlayerKey() const
    {
        std::vector<BYTE> toc = m_drive.toc;
        toc.resize(kTocBufferSize);
        return CdPlayerSectionKey(toc.data());
    }
    static void WriteCdPlayerFile(const std::string& text)
    {
        std::ofstream(kCdPlayerFile, std::ios::binary) << text;
    }

    CAlbumSearch::ReaderFactory Readers()
    {
        return [this] {
            return std::make_unique<CCdReader>(std::make_unique<StandInCdProvider>(
                std::vector<std::pair<CString, DriveScript*>>{{m_driveName, &m_drive}}));
        };
    }

    // Runs a search to its end.
    AlbumSearchProgress Run(CAlbumSearch& search)
    {
        EXPECT_TRUE(search.Start(m_settings));
        EXPECT_TRUE(search.Wait(30000));
        return search.GetProgress();
    }

    WinsockSession m_winsock;
    CddbTestServer m_server;
    std::string m_rock;
    DriveScript m_drive;
    CString m_driveName = "E:";
    AlbumSearchSettings m_settings;
};

}  // namespace

TEST_F(AlbumSearchTest, EverySourceAddsItsCandidateInOrder)
{
    CAlbumSearch search(Readers(), nullptr);
    const AlbumSearchProgress progress = Run(search);
    EXPECT_EQ(progress.status, kAlbumSearchAudioDone);
    EXPECT_TRUE(progress.errorText.IsEmpty()) << progress.errorText;
    const CAlbumCandidates candidates = search.TakeCandidates();
    ASSERT_EQ(Labels(candidates), (std::vector<std::string>{"Freedb", "CD-TEXT", "CDPlayer.ini"}));

    CCddbDiscInfo expected;
    ASSERT_TRUE(CCddbReplyParser::ParseXmcdRecord(m_rock, expected).m_bSucceeded);
    EXPECT_EQ(candidates[0]->m_strArtist, expected.m_strArtist);
    EXPECT_EQ(candidates[0]->m_trackTitles, expected.m_trackTitles);
    EXPECT_EQ(candidates[0]->m_nYear, expected.m_nYear);

    EXPECT_EQ(candidates[1]->m_strArtist, "The Album Band");
    EXPECT_EQ(candidates[1]->m_strTitle, "A Fifteen Chars");
    // The disc has five tracks; the CD-Text names four of them.
    ASSERT_GE(candidates[1]->m_trackTitles.size(), 4u);
    EXPECT_LE(candidates[1]->m_trackTitles.size(), 5u) << "no more titles than the disc has tracks";
    EXPECT_EQ(candidates[1]->m_trackTitles[0], "Opening");
    EXPECT_EQ(candidates[1]->m_trackTitles[3], "Closing");

    EXPECT_EQ(candidates[2]->m_strArtist, "Player Artist");
    EXPECT_EQ(candidates[2]->m_strTitle, "Player Title");
    EXPECT_EQ(candidates[2]->m_trackTitles, (std::vector<std::string>{"First", "Se'cond"}))
        << "the last line counts without a line feed; a backtick becomes an apostrophe";

    const TocBuffer toc = search.GetToc();
    EXPECT_EQ(toc[2], 1);
    EXPECT_EQ(toc[3], 5);
    EXPECT_TRUE(search.TakeCandidates().empty()) << "handed over once";
}

TEST_F(AlbumSearchTest, SourcesThatAreOffAreNotAsked)
{
    m_settings.useOnlineDatabase = false;
    m_settings.useCdPlayer = false;
    CAlbumSearch search(Readers(), nullptr);
    EXPECT_EQ(Run(search).status, kAlbumSearchAudioDone);
    EXPECT_EQ(Labels(search.TakeCandidates()), (std::vector<std::string>{"CD-TEXT"}));
    EXPECT_TRUE(m_server.Requests().empty());
    // Without CD-Text the drive is not asked for it either.
    m_settings.useCdText = false;
    m_drive.commands.clear();
    EXPECT_EQ(Run(search).status, kAlbumSearchAudioDone);
    EXPECT_TRUE(search.TakeCandidates().empty());
    for (const std::vector<BYTE>& command : m_drive.commands)
        EXPECT_NE(command[2] & 0x0F, 5);
}

TEST_F(AlbumSearchTest, AFailedRecordReadKeepsTheCandidatesAlreadyFound)
{
    m_server.AddRecord("misc", "45044a05", "Broken / Record", "402 Server error.\r\n");
    CAlbumSearch search(Readers(), nullptr);
    const AlbumSearchProgress progress = Run(search);
    EXPECT_EQ(progress.status, kAlbumSearchAudioDone);
    EXPECT_EQ(progress.errorText, "Error: Could not read the Freedb record.");
    EXPECT_EQ(Labels(search.TakeCandidates()), (std::vector<std::string>{"Freedb", "CD-TEXT", "CDPlayer.ini"}));
}

TEST_F(AlbumSearchTest, DatabaseFailuresAreReportedAndTheOtherSourcesStillAnswer)
{
    const struct {
        std::string raw;
        bool noServer;
        const char* error;
    } cases[] = {
        {"HTTP/1.0 500 Internal Server Error\r\n\r\n", false,
         "An unexpected error occurred while connected to the Freedb server."},
        {"HTTP/1.0 200 OK\r\n\r\n530 Server error, server timeout.\r\n", false,
         "An unexpected error occurred while connected to the Freedb server."},
        {"", true, "Error: Could not connect to the Freedb server. Please check the connection settings."},
        {"HTTP/1.0 200 OK\r\n\r\n202 No match for disc ID 45044a05.\r\n", false, ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.error);
        CddbTestServer server;
        server.AnswerRaw(c.raw);
        m_settings.site.m_nPort = c.noServer ? 1 : server.Port();
        CAlbumSearch search(Readers(), nullptr);
        const AlbumSearchProgress progress = Run(search);
        EXPECT_EQ(progress.status, kAlbumSearchAudioDone);
        EXPECT_EQ(progress.errorText, c.error);
        EXPECT_EQ(Labels(search.TakeCandidates()), (std::vector<std::string>{"CD-TEXT", "CDPlayer.ini"}));
    }
}

TEST_F(AlbumSearchTest, ASilentServerTimesOut)
{
    m_server.StallAfter(1, 3000);
    m_settings.timeoutMilliseconds = 300;
    m_settings.useCdText = m_settings.useCdPlayer = false;
    CAlbumSearch search(Readers(), nullptr);
    const AlbumSearchProgress progress = Run(search);
    EXPECT_EQ(progress.status, kAlbumSearchAudioDone);
    EXPECT_EQ(progress.errorText, "Error: The Freedb server did not respond in time. (Timeout)");
}

TEST_F(AlbumSearchTest, AProxyCarriesTheSearchAndBringsTheServerList)
{
    m_server.ActAsProxy("dXNlcjpwYXNzIHdvcmQ=");  // "user:pass word"
    m_settings.site.m_strHost = "cddb.example";
    m_settings.site.m_nPort = 8880;
    m_settings.site.m_bProxy = 1;
    m_settings.site.m_strProxyHost = "127.0.0.1";
    m_settings.site.m_strProxyPort.Format("%d", m_server.Port());
    m_settings.site.m_strProxyUser = "user";
    m_settings.site.m_strProxyPassword = "pass word";
    m_settings.sitesHost = "default.example";
    m_settings.useCdText = m_settings.useCdPlayer = false;
    CAlbumSearch search(Readers(), nullptr);
    const AlbumSearchProgress progress = Run(search);
    EXPECT_TRUE(progress.errorText.IsEmpty()) << progress.errorText;
    EXPECT_EQ(Labels(search.TakeCandidates()), (std::vector<std::string>{"Freedb"}));
    EXPECT_EQ(search.GetServerList().size(), 2u);
    const std::vector<std::string> requests = m_server.Requests();
    ASSERT_GE(requests.size(), 3u);
    EXPECT_EQ(requests[0].rfind("GET http://default.example/~cddb/cddb.cgi?cmd=sites&", 0), 0u) << requests[0];
    EXPECT_EQ(requests[1].rfind("GET http://cddb.example:8880/~cddb/cddb.cgi?cmd=cddb+query+45044a05+", 0), 0u)
        << requests[1];
}

TEST_F(AlbumSearchTest, NoDiscOrAnUnreadableTocEndsWithNoDisc)
{
    const auto emptyDisc = [](DriveScript& drive) { drive.toc.clear(); };
    const auto refused = [](DriveScript& drive) { drive.tocCompletes = false; };
    const auto shortTransfer = [](DriveScript& drive) { drive.tocTransferLimit = 12; };
    for (const auto& spoil : {std::function<void(DriveScript&)>(emptyDisc), std::function<void(DriveScript&)>(refused),
                              std::function<void(DriveScript&)>(shortTransfer)}) {
        m_drive = DriveScript();
        m_drive.toc = MakeTocReply(1, kRockOffsets, kRockLeadOut);
        spoil(m_drive);
        CAlbumSearch search(Readers(), nullptr);
        EXPECT_EQ(Run(search).status, kAlbumSearchNoDisc);
        EXPECT_TRUE(search.TakeCandidates().empty());
    }
    EXPECT_TRUE(m_server.Requests().empty());
}

TEST_F(AlbumSearchTest, StoppingDuringASlowReplyEndsTheWorkerAtOnceWithoutAStatus)
{
    CddbTestServer slow;
    slow.AddRecord("rock", "45044a05", "The Velvet Lanterns / Songs From The Long Corridor", m_rock);
    slow.StallAfter(1, 20000);
    const AlbumSearchSettings quick = m_settings;
    m_settings.site.m_nPort = slow.Port();
    m_settings.timeoutMilliseconds = 20000;
    for (int round = 0; round < 5; ++round) {
        SCOPED_TRACE(round);
        CAlbumSearch search(Readers(), nullptr);
        ASSERT_TRUE(search.Start(m_settings));
        std::this_thread::sleep_for(std::chrono::milliseconds(150 + 50 * round));
        search.Stop();
        const auto stopped = std::chrono::steady_clock::now();
        EXPECT_TRUE(search.Wait(5000));
        EXPECT_LT(std::chrono::steady_clock::now() - stopped, std::chrono::seconds(2));
        EXPECT_EQ(search.GetStatus(), kAlbumSearchRunning);
        EXPECT_TRUE(search.GetProgress().errorText.IsEmpty());
    }
    // A search let go while it waits ends on its own; a new one is not disturbed.
    for (int round = 0; round < 3; ++round) {
        CAlbumSearch search(Readers(), nullptr);
        ASSERT_TRUE(search.Start(m_settings));
    }
    m_settings = quick;
    CAlbumSearch search(Readers(), nullptr);
    m_settings.useCdText = m_settings.useCdPlayer = false;
    ASSERT_TRUE(search.Start(m_settings));
    search.Stop();
    ASSERT_TRUE(search.Start(m_settings)) << "a restart replaces the stopped search";
    ASSERT_TRUE(search.Wait(30000));
    EXPECT_EQ(search.GetStatus(), kAlbumSearchAudioDone);
    EXPECT_EQ(Labels(search.TakeCandidates()), (std::vector<std::string>{"Freedb"}));
}

TEST_F(AlbumSearchTest, ADataCdListsItsMp3FilesWithTagsAndTimes)
{
    const std::vector<std::string> expected = ReadFixtureLines("mp3/expected.txt");
    ASSERT_GE(expected.size(), 10u);
    m_driveName = "cdsource-fixtures\\mp3";
    m_drive.toc = MakeTocReply(1, {150}, 60000, {1});
    CAlbumSearch search(Readers(), nullptr);
    const AlbumSearchProgress progress = Run(search);
    ASSERT_EQ(progress.status, kAlbumSearchMp3Done);
    ASSERT_EQ(progress.mp3Names.size(), expected.size());
    ASSERT_EQ(progress.mp3TagNames.size(), expected.size());
    ASSERT_EQ(progress.mp3Times.size(), expected.size());
    EXPECT_TRUE(m_server.Requests().empty());
    // The listing's order is the finder's; each file is matched by its name.
    std::map<std::string, std::vector<std::string>> byName;
    for (const std::string& line : expected) {
        const std::vector<std::string> fields = SplitText(line, '|');
        byName[fields[0]] = fields;
    }
    for (size_t i = 0; i < expected.size(); ++i) {
        const std::string path = progress.mp3Paths[i].c_str();
        ASSERT_EQ(path.rfind("cdsource-fixtures\\mp3\\", 0), 0u) << path;
        ASSERT_TRUE(byName.count(path.substr(path.rfind('\\') + 1))) << path;
        const std::vector<std::string>& fields = byName[path.substr(path.rfind('\\') + 1)];
        SCOPED_TRACE(fields[0]);
        EXPECT_EQ(progress.mp3Names[i], Mp3DisplayName(progress.mp3Paths[i]));
        const std::string artist = fields[3], title = fields[4];
        std::string tag = artist.empty() ? title : title.empty() ? artist : artist + "-" + title;
        if (tag.empty())
            tag = progress.mp3Names[i].c_str();
        EXPECT_EQ(std::string(progress.mp3TagNames[i]), tag);
        const double seconds = std::stod(fields[1]);
        const std::string time = progress.mp3Times[i].c_str();
        ASSERT_NE(time.find(':'), std::string::npos) << time;
        const int shown = std::stoi(time.substr(0, time.find(':'))) * 60 + std::stoi(time.substr(time.find(':') + 1));
        EXPECT_NEAR(shown, seconds, 1.5);
    }

    // The MP3 source off, or a disc without MP3 files: nothing to list.
    m_settings.useMp3 = false;
    EXPECT_EQ(Run(search).status, kAlbumSearchNoMusic);
    m_settings.useMp3 = true;
    m_driveName = "cdsource-fixtures\\cdtext";
    EXPECT_EQ(Run(search).status, kAlbumSearchNoMusic);
}

TEST(CdPlayerFile, SectionKeysAndEntries)
{
    // One track at 0:02:00, lead-out 3:30:15: 0x200 plus the lead-out frame less 150.
    std::vector<BYTE> toc = MakeTocReply(1, {150}, (3 * 60 + 30) * 75 + 15);
    toc.resize(kTocBufferSize);
    EXPECT_EQ(CdPlayerSectionKey(toc.data()), "[3EFF]");

    const std::string file =
        "[3EF]\nartist=Shorter Key\n[3eff]\nartist=Found\ntitle= The Title \n0=One\n2=Three\n1=Two\n[Next]\n0=Other\n";
    const std::optional<CCddbDiscInfo> entry = FindCdPlayerEntry(file, "[3EFF]");
    ASSERT_TRUE(entry.has_value());
    EXPECT_EQ(entry->m_strArtist, "Found");
    EXPECT_EQ(entry->m_strTitle, "The Title");
    EXPECT_EQ(entry->m_trackTitles, (std::vector<std::string>{"One", "Two"}));
    EXPECT_FALSE(FindCdPlayerEntry("[1234]\n0=x", "[3EFF]").has_value());
    const std::optional<CCddbDiscInfo> empty = FindCdPlayerEntry("[3EFF]", "[3EFF]");
    ASSERT_TRUE(empty.has_value()) << "a section without a line feed still counts";
    EXPECT_TRUE(empty->m_trackTitles.empty());
}
