// Track lists, times and album texts worked out from a TOC and a candidate.
#include "cdsource/CdSourceFixtures.h"

#include "album/AlbumLabelTexts.h"
#include "album/CdToc.h"

#include <gtest/gtest.h>

#include <map>

namespace {

std::vector<BYTE> Toc(const std::vector<long>& offsets, long leadOut, const std::vector<int>& dataTracks = {})
{
    std::vector<BYTE> toc = MakeTocReply(1, offsets, leadOut, dataTracks);
    toc.resize(kTocBufferSize);
    return toc;
}

long At(int minutes, int seconds, int frames = 0)
{
    return (minutes * 60L + seconds) * 75 + frames;
}

}  // namespace

TEST(AlbumLabelTexts, TrackTimesFollowTheDisc)
{
    const struct {
        const char* name;
        std::vector<long> offsets;
        long leadOut;
        std::vector<int> data;
        std::vector<CString> times;
        const char* total;
    } cases[] = {
        {"whole seconds", {At(0, 2), At(3, 7)}, At(7, 7), {}, {"3:05", "4:00"}, "7:05"},
        {"a borrowed second", {At(0, 2, 40), At(3, 7, 10)}, At(7, 7, 5), {}, {"3:04", "3:59"}, "7:05"},
        {"185 seconds each, the first borrowing", {At(0, 2, 40), At(3, 7, 30)}, At(6, 12, 30), {}, {"3:04", "3:05"},
         "6:10"},
        {"a data track last (Enhanced CD)", {At(0, 2), At(3, 0), At(10, 0)}, At(20, 0), {3}, {"2:58", "4:30"},
         "7:28"},
        {"a data track first (mixed mode)", {At(0, 2), At(5, 0), At(9, 0)}, At(12, 0), {1}, {"4:00", "3:00"}, "7:00"},
        {"a short track", {At(0, 2), At(0, 9)}, At(1, 0), {}, {"0:07", "0:51"}, "0:58"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const std::vector<BYTE> toc = Toc(c.offsets, c.leadOut, c.data);
        const TocTimes times = TocAudioTimes(toc.data());
        EXPECT_EQ(times.trackTimes, c.times);
        EXPECT_EQ(times.totalTime, c.total);
    }
}

TEST(AlbumLabelTexts, TenAudioTracksAndADataTrackListTen)
{
    std::vector<long> offsets;
    for (int track = 0; track < 11; ++track)
        offsets.push_back(At(track * 4, 2));
    const std::vector<BYTE> toc = Toc(offsets, At(60, 0), {11});
    const AlbumTextWrites writes = PlanTrackTimes("", toc.data(), "");
    const std::vector<CString> times = TrackListTimes(writes[0].text);
    ASSERT_EQ(times.size(), 10u);
    EXPECT_EQ(times[9], "1:30") << "240 seconds less the 150 between the sessions";
    EXPECT_EQ(TrackListNames(writes[0].text)[9], "Track 10");
}

TEST(AlbumLabelTexts, TheAlbumGoesIntoTheObjectsOfItsDisc)
{
    const std::vector<BYTE> toc = Toc({At(0, 2), At(3, 7), At(6, 0)}, At(9, 0));
    CCddbDiscInfo album;
    album.m_strTitle = "Title With `Ticks`";
    album.m_strGenre = "Jazz";
    album.m_trackTitles = {"  First  ", "Sec`ond", "Third", "Fourth beyond the disc"};
    const AlbumTextWrites writes = PlanAlbum(album, "2`Kept`0:01`Also Kept`0:02`", toc.data(), " - Disc 2");
    std::map<std::string, std::string> texts;
    for (const AlbumTextWrite& write : writes)
        texts[write.objectName.c_str()] = write.text.c_str();
    EXPECT_EQ(texts.size(), 6u);
    EXPECT_EQ(texts["Artist - Disc 2"], "Artist - Disc 2") << "no artist: the object's own name";
    EXPECT_EQ(texts["Title - Disc 2"], "Title With 'Ticks'");
    EXPECT_EQ(texts["Genre - Disc 2"], "Jazz");
    EXPECT_EQ(texts["Year - Disc 2"], "");
    EXPECT_EQ(texts["Track List - Disc 2"], "3`First`3:05`Sec'ond`2:53`Third`3:00`");
    EXPECT_EQ(texts["Time - Disc 2"], "8:58");

    const AlbumTextWrites timesOnly = PlanTrackTimes("2`Kept`0:01`Also Kept`0:02`", toc.data(), "");
    EXPECT_EQ(std::string(timesOnly[0].text), "3`Kept`3:05`Also Kept`2:53`Track 3`3:00`");
    EXPECT_EQ(std::string(timesOnly[1].objectName), "Time");
}

TEST(AlbumLabelTexts, Mp3RowsBecomeTheTrackList)
{
    const AlbumTextWrites writes = PlanMp3TrackList({"One", "Two`s"}, {"1:05", "10:00"}, "");
    ASSERT_EQ(writes.size(), 1u);
    EXPECT_EQ(writes[0].objectName, "Track List");
    EXPECT_EQ(writes[0].text, "2`One`1:05`Two's`10:00`");
    EXPECT_TRUE(TrackListNames("not a list").empty());
    EXPECT_TRUE(TrackListNames("5`only`").size() <= 1u);
}
