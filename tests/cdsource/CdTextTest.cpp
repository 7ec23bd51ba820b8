// CD-Text made by libburn (the library of cdrskin) from a text sheet, read
// through the reader's READ TOC format 5 request and compared with the sheet.

#include "CdSourceFixtures.h"

#include "album/AlbumRecord.h"
#include "album/CdReader.h"
#include "album/CdTextDecoder.h"

#include <gtest/gtest.h>

#include <array>
#include <map>

namespace {

// The sheet's "key = value" lines.
std::map<std::string, std::string> ReadSheet(const std::string& name)
{
    std::map<std::string, std::string> values;
    for (const std::string& line : ReadFixtureLines("cdtext/" + name + ".v07t")) {
        const size_t equals = line.find(" = ");
        if (equals != std::string::npos)
            values[line.substr(0, equals)] = line.substr(equals + 3);
    }
    return values;
}

std::string TrackKey(int track, const char* what)
{
    char key[32];
    std::snprintf(key, sizeof key, "Track %02d %s", track, what);
    return key;
}

struct ReadResult
{
    int result = 0;
    CAlbumRecord album;
};

ReadResult ReadThroughDrive(const std::vector<BYTE>& cdText)
{
    DriveScript script;
    script.toc = MakeTocReply(1, {150, 15000}, 30000);
    script.cdText = cdText;
    CCdReader reader(std::make_unique<StandInCdProvider>(
        std::vector<std::pair<CString, DriveScript*>>{{CString("E:"), &script}}));
    ReadResult read;
    std::array<BYTE, kTocBufferSize> toc{};
    EXPECT_TRUE(reader.Init());
    read.result = reader.ReadDisc(0, toc.data(), true, &read.album);
    return read;
}

}  // namespace

TEST(CdText, LibburnPacksGiveTheSheetsTexts)
{
    for (const char* name : {"album", "onetrack", "long"}) {
        SCOPED_TRACE(name);
        const std::vector<BYTE> packs = ReadFixtureBytes(std::string("cdtext/") + name + ".cdt");
        ASSERT_GT(packs.size(), 4u) << "fixture missing";
        std::map<std::string, std::string> sheet = ReadSheet(name);
        const ReadResult read = ReadThroughDrive(packs);
        ASSERT_EQ(read.result, 1);
        EXPECT_EQ(read.album.m_strTitle, sheet["Album Title"].c_str());
        EXPECT_EQ(read.album.m_strArtist, sheet["Artist Name"].c_str());
        EXPECT_EQ(read.album.m_strMessage, sheet["Album Message"].c_str());

        const int last = std::stoi(sheet["Last Track Number"]);
        ASSERT_GT(read.album.GetTrackCount(), last);
        for (int track = 1; track <= last; ++track) {
            const std::string title = sheet[TrackKey(track, "Title")];
            const std::string performer = sheet[TrackKey(track, "Artist")];
            const std::string expected =
                performer.empty() || performer == sheet["Artist Name"] ? title : performer + " / " + title;
            EXPECT_EQ(std::string(read.album.GetTrack(track).m_strName.c_str()), expected) << "track " << track;
        }
        // The padding of the last pack may add empty entries, never names.
        for (int track = last + 1; track < read.album.GetTrackCount(); ++track)
            EXPECT_TRUE(read.album.GetTrack(track).m_strName.IsEmpty()) << "track " << track;
    }
}

// libburn writes a performer equal to the previous track's as a single TAB.
TEST(CdText, TabForTheSamePerformerIsResolved)
{
    const std::vector<BYTE> packs = ReadFixtureBytes("cdtext/album.cdt");
    bool hasTab = false;
    for (size_t at = 4; at + 18 <= packs.size(); at += 18)
        for (size_t i = 4; i < 16; ++i)
            hasTab |= packs[at] == 0x81 && packs[at + i] == '\t';
    ASSERT_TRUE(hasTab) << "the fixture must hold a TAB text";
    const ReadResult read = ReadThroughDrive(packs);
    EXPECT_EQ(std::string(read.album.GetTrack(3).m_strName.c_str()), "Guest Singer / Third");
    for (int track = 1; track < read.album.GetTrackCount(); ++track)
        EXPECT_EQ(std::string(read.album.GetTrack(track).m_strName.c_str()).find('\t'), std::string::npos);
}

TEST(CdText, DamagedRepliesAreReadAsFarAsTheyAreWhole)
{
    const std::vector<BYTE> packs = ReadFixtureBytes("cdtext/long.cdt");
    ASSERT_GT(packs.size(), 40u);
    // Cut after every byte: the decoder must stay inside what arrived.
    for (size_t size = 0; size <= packs.size(); ++size) {
        const CdTextAlbum album = DecodeCdTextPacks(packs.data(), size);
        if (album.albumTitle) {
            EXPECT_LE(album.albumTitle->size(), kCdTextMaxTextLength);
        }
        EXPECT_LE(album.trackNames.size(), static_cast<size_t>(kCdTextMaxTrack + 1));
    }

    struct Case {
        const char* what;
        void (*damage)(std::vector<BYTE>&);
        int result;
    };
    const Case cases[] = {
        {"first sequence number not 0", [](std::vector<BYTE>& b) { b[4 + 2] = 1; }, 0},
        {"every pack in block 1", [](std::vector<BYTE>& b) {
             for (size_t at = 4; at + 18 <= b.size(); at += 18) b[at + 3] |= 0x10;
         }, 0},
        {"header length claims more than arrived", [](std::vector<BYTE>& b) { b[0] = 0xFF; b[1] = 0xFF; }, 1},
        {"no text ends", [](std::vector<BYTE>& b) {
             for (size_t at = 4; at + 18 <= b.size(); at += 18)
                 for (size_t i = 4; i < 16; ++i) if (b[at + i] == 0) b[at + i] = 'x';
         }, 0},
        {"track numbers beyond 99", [](std::vector<BYTE>& b) {
             for (size_t at = 4; at + 18 <= b.size(); at += 18) b[at + 1] = 0x7F;
         }, 1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        std::vector<BYTE> damaged = packs;
        c.damage(damaged);
        const ReadResult read = ReadThroughDrive(damaged);
        EXPECT_EQ(read.result, 1) << "the TOC still counts";
        const CdTextAlbum album = DecodeCdTextPacks(damaged.data(), damaged.size());
        EXPECT_EQ(album.found ? 1 : 0, c.result);
        EXPECT_LE(read.album.m_strTitle.GetLength(), static_cast<int>(kCdTextMaxTextLength));
        EXPECT_LE(read.album.GetTrackCount(), kCdTextMaxTrack + 1);
        if (c.result == 0) {
            EXPECT_EQ(read.album.GetTrackCount(), 0);
        }
    }
}

TEST(CdText, DecoderAloneGivesTheSameNames)
{
    const std::vector<BYTE> packs = ReadFixtureBytes("cdtext/onetrack.cdt");
    const CdTextAlbum decoded = DecodeCdTextPacks(packs.data(), packs.size());
    ASSERT_TRUE(decoded.found);
    ASSERT_GE(decoded.trackNames.size(), 2u);
    EXPECT_EQ(decoded.trackNames[1], "Only Track");
}
