// The CD reader against a drive stand-in that answers the real READ TOC
// command blocks, with disc ids checked against libdiscid's.

#include "CdSourceFixtures.h"

#include "album/AlbumRecord.h"
#include "album/CdReader.h"
#include "framework/ErrorReport.h"

#include <gtest/gtest.h>

#include <array>

namespace {

using TocBuffer = std::array<BYTE, kTocBufferSize>;

CCdReader ReaderWith(DriveScript& script)
{
    return CCdReader(std::make_unique<StandInCdProvider>(
        std::vector<std::pair<CString, DriveScript*>>{{CString("E:"), &script}}));
}

std::vector<long> ParseNumbers(const std::string& text)
{
    std::vector<long> numbers;
    for (const std::string& part : SplitText(text, ','))
        numbers.push_back(std::stol(part));
    return numbers;
}

}  // namespace

// Each line of discids.txt: a table of contents and what libdiscid made of it.
TEST(CdReaderDiscId, MatchesLibdiscidThroughTheDrive)
{
    const std::vector<std::string> lines = ReadFixtureLines("discids.txt");
    ASSERT_GE(lines.size(), 6u) << "discids.txt missing: run the cdsource_fixtures test first";
    for (const std::string& line : lines) {
        SCOPED_TRACE(line.substr(0, 80));
        const std::vector<std::string> fields = SplitText(line, ' ');
        ASSERT_EQ(fields.size(), 7u);
        const int first = std::stoi(fields[0]);
        const long leadOut = std::stol(fields[2]);
        std::vector<int> dataTracks;
        if (fields[3] != "-")
            for (long track : ParseNumbers(fields[3]))
                dataTracks.push_back(static_cast<int>(track));
        const std::vector<long> offsets = ParseNumbers(fields[4]);

        DriveScript script;
        script.toc = MakeTocReply(first, offsets, leadOut, dataTracks);
        CCdReader reader = ReaderWith(script);
        ASSERT_TRUE(reader.Init());
        TocBuffer toc{};
        ASSERT_EQ(reader.ReadDisc(0, toc.data(), false, nullptr), 1);

        char id[16];
        std::snprintf(id, sizeof id, "%08lx", static_cast<unsigned long>(reader.GetCddbDiscId(toc.data())));
        EXPECT_EQ(std::string(id), fields[5]);
        EXPECT_EQ(std::string(reader.GetCddbQuery(toc.data()).c_str()), fields[6]);
        // The data tracks are told by the control field's data bit.
        for (int track = first; track <= std::stoi(fields[1]); ++track) {
            const bool data = std::find(dataTracks.begin(), dataTracks.end(), track) != dataTracks.end();
            EXPECT_EQ(TocIsDataTrack(toc.data(), track - first), data) << "track " << track;
        }
    }
}

// Track numbers from 3 to 6 are four tracks; the length runs from track 3.
TEST(CdReaderDiscId, NumberingThatStartsLaterCountsTheTracksOnTheDisc)
{
    DriveScript script;
    script.toc = MakeTocReply(3, {150, 9000, 18000, 27000}, 36001);
    CCdReader reader = ReaderWith(script);
    ASSERT_TRUE(reader.Init());
    TocBuffer toc{};
    ASSERT_EQ(reader.ReadDisc(0, toc.data(), false, nullptr), 1);
    EXPECT_EQ(reader.GetCddbDiscId(toc.data()), 0x1401DE04u);
    EXPECT_EQ(std::string(reader.GetCddbQuery(toc.data()).c_str()), "cddb+query+1401de04+4+150+9000+18000+27000+480");
}

TEST(CdReaderDiscId, NullTocGivesNoIdAndDigitSumAddsDigits)
{
    CCdReader reader;
    EXPECT_EQ(reader.GetCddbDiscId(nullptr), 0u);
    EXPECT_TRUE(reader.GetCddbQuery(nullptr).IsEmpty());
    EXPECT_EQ(CCdReader::DigitSum(0), 0);
    EXPECT_EQ(CCdReader::DigitSum(4719), 21);
}

TEST(CdReaderDataTrack, AnyControlValueWithTheDataBitIsData)
{
    std::vector<BYTE> toc = MakeTocReply(1, {150, 20000}, 40000);
    for (BYTE control : {0x04, 0x06, 0x14, 0x16, 0x1C}) {
        toc[4 + 1] = control;
        EXPECT_TRUE(TocIsDataTrack(toc.data(), 0)) << int(control);
    }
    for (BYTE control : {0x00, 0x02, 0x10, 0x18}) {
        toc[4 + 1] = control;
        EXPECT_FALSE(TocIsDataTrack(toc.data(), 0)) << int(control);
    }
}

// Replies no disc table can come from: each must leave "no disc" (first
// track 0) and the result -1, not a table read out of garbage.
TEST(CdReaderToc, ImpossibleTablesMeanNoDisc)
{
    struct Case {
        const char* what;
        void (*damage)(DriveScript&);
    };
    const Case cases[] = {
        {"first track 0", [](DriveScript& s) { s.toc[2] = 0; }},
        {"first after last", [](DriveScript& s) { s.toc[2] = 3; s.toc[3] = 2; }},
        {"last above 99", [](DriveScript& s) { s.toc[3] = 100; }},
        {"length short of the lead-out", [](DriveScript& s) { s.toc[1] = static_cast<BYTE>(s.toc[1] - 8); }},
        {"transfer short of the lead-out", [](DriveScript& s) { s.tocTransferLimit = static_cast<DWORD>(s.toc.size() - 1); }},
        {"last track beyond what arrived", [](DriveScript& s) { s.toc[3] = 40; }},
        {"drive answered CHECK CONDITION", [](DriveScript& s) { s.tocCompletes = false; }},
        {"lead-out before the first track", [](DriveScript& s) { s.toc[s.toc.size() - 3] = 0; }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        DriveScript script;
        script.toc = MakeTocReply(1, {150, 15000, 30000}, 45000);
        c.damage(script);
        CCdReader reader = ReaderWith(script);
        ASSERT_TRUE(reader.Init());
        TocBuffer toc;
        toc.fill(0xEE);
        EXPECT_EQ(reader.ReadDisc(0, toc.data(), true, nullptr), -1);
        EXPECT_EQ(toc[2], 0) << "first track";
        EXPECT_EQ(reader.GetCddbDiscId(toc.data()), 0u);
        EXPECT_EQ(script.systemReads, 1) << "the system's own call is tried once";
    }
}

TEST(CdReaderToc, RefusedPassThroughFallsBackToTheSystemCallWithoutCdText)
{
    DriveScript script;
    script.tocCompletes = false;
    script.tocBySystem = MakeTocReply(1, {150}, 210 * 75 + 15);
    script.cdText = ReadFixtureBytes("cdtext/album.cdt");
    CCdReader reader = ReaderWith(script);
    ASSERT_TRUE(reader.Init());
    TocBuffer toc{};
    CAlbumRecord album;
    EXPECT_EQ(reader.ReadDisc(0, toc.data(), true, &album), 1);
    EXPECT_EQ(reader.GetCddbDiscId(toc.data()), 0x0200D001u);
    EXPECT_EQ(std::string(reader.GetCddbQuery(toc.data()).c_str()), "cddb+query+0200d001+1+150+210");
    EXPECT_TRUE(album.m_strTitle.IsEmpty());
    for (const auto& command : script.commands)
        EXPECT_NE(command[2], 0x05) << "no CD-Text request on the fallback way";
}

TEST(CdReaderToc, SendsTheReadTocCommandBlocks)
{
    DriveScript script;
    script.toc = MakeTocReply(1, {150, 15000}, 30000);
    script.cdText = ReadFixtureBytes("cdtext/album.cdt");
    CCdReader reader = ReaderWith(script);
    ASSERT_TRUE(reader.Init());
    TocBuffer toc{};
    CAlbumRecord album;
    ASSERT_EQ(reader.ReadDisc(0, toc.data(), true, &album), 1);
    ASSERT_EQ(script.commands.size(), 2u);
    EXPECT_EQ(script.commands[0], (std::vector<BYTE>{0x43, 0x02, 0x00, 0x00, 0x00, 0x00, 0x00, 0x03, 0x24, 0x00}));
    EXPECT_EQ(script.commands[1], (std::vector<BYTE>{0x43, 0x02, 0x05, 0x00, 0x00, 0x00, 0x00, 0x13, 0x88, 0x00}));
}

TEST(CdReaderToc, DiscWithoutCdTextStillGivesItsToc)
{
    DriveScript script;
    script.toc = MakeTocReply(1, {150, 15000}, 30000);
    CCdReader reader = ReaderWith(script);
    ASSERT_TRUE(reader.Init());
    TocBuffer toc{};
    CAlbumRecord album;
    album.m_strTitle = "kept";
    EXPECT_EQ(reader.ReadDisc(0, toc.data(), true, &album), 1);
    EXPECT_EQ(toc[3], 2);
    EXPECT_EQ(album.m_strTitle, "kept");
}

TEST(CdReaderLifecycle, UninitialisedReaderHasNoDrivesAndReadsNothing)
{
    DriveScript script;
    script.toc = MakeTocReply(1, {150}, 15000);
    CCdReader reader = ReaderWith(script);
    EXPECT_EQ(reader.GetDriveCount(), 0);
    TocBuffer toc;
    toc.fill(0x5A);
    EXPECT_EQ(reader.ReadDisc(0, toc.data(), false, nullptr), -1);
    EXPECT_EQ(toc[0], 0x5A) << "the buffer is not touched";
    EXPECT_EQ(script.opened, 0);

    ASSERT_TRUE(reader.Init());
    EXPECT_FALSE(reader.Init()) << "a second Init";
    EXPECT_EQ(reader.GetDriveCount(), 1);
    EXPECT_EQ(reader.GetDriveName(0), "E:");
    EXPECT_TRUE(reader.GetDriveName(1).IsEmpty());
    EXPECT_TRUE(reader.GetDriveName(-1).IsEmpty());
    EXPECT_EQ(reader.ReadDisc(1, toc.data(), false, nullptr), -1);
    EXPECT_EQ(toc[0], 0x5A);
}

TEST(CdReaderLifecycle, DriveThatCannotBeOpenedReadsNothing)
{
    DriveScript script;
    script.toc = MakeTocReply(1, {150}, 15000);
    script.refuseOpen = true;
    CCdReader reader = ReaderWith(script);
    ASSERT_TRUE(reader.Init());
    TocBuffer toc{};
    EXPECT_EQ(reader.ReadDisc(0, toc.data(), false, nullptr), -1);
}

// The system's own drives: as many as the letters the system calls CD drives.
TEST(CdReaderLifecycle, SystemReaderCountsTheCdDriveLetters)
{
    int letters = 0;
    char root[] = "A:";
    for (char letter = 'A'; letter <= 'Z'; ++letter) {
        root[0] = letter;
        letters += ::GetDriveTypeA(root) == DRIVE_CDROM ? 1 : 0;
    }
    std::vector<int> errors;
    ScopedErrorReportHook hook([&](const ErrorReport& report) { errors.push_back(report.number); });
    CCdReader reader;
    ASSERT_GE(GetOsVersionCode(), 4) << "a 64-bit program runs on NT only";
    ASSERT_TRUE(reader.Init());
    EXPECT_EQ(reader.GetDriveCount(), letters);
    TocBuffer toc{};
    for (int drive = 0; drive < reader.GetDriveCount(); ++drive)
        EXPECT_NE(reader.ReadDisc(drive, toc.data(), true, nullptr), 0);
    EXPECT_TRUE(errors.empty());
}
