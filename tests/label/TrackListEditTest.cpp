// Track-list texts edited without a window: reading the rows, the count box's
// growing and shrinking, the placeholder times, deleting and moving rows.
#include "label/TrackListEdit.h"

#include <gtest/gtest.h>

#include <limits>
#include <string>

using namespace TrackListEdit;

namespace
{
std::string Str(const CString& text)
{
    return text.c_str();
}

Tracks Rows(std::initializer_list<const char*> names)
{
    Tracks tracks;
    int n = 0;
    for (const char* name : names)
        tracks.push_back(Track{name, PlaceholderTime(++n)});
    return tracks;
}

std::string Names(const Tracks& tracks)
{
    std::string names;
    for (const Track& track : tracks)
        names += Str(track.name) + "|";
    return names;
}
}  // namespace

TEST(TrackListText, ReadsAndBuildsTheFieldsBackUnchanged)
{
    const CString value = "2`Intro`0:45`Song`3:10`";
    const Tracks tracks = Parse(value);
    ASSERT_EQ(tracks.size(), 2u);
    EXPECT_EQ(Str(tracks[1].name), "Song");
    EXPECT_EQ(Str(tracks[1].time), "3:10");
    EXPECT_EQ(Str(Build(tracks)), Str(value));
    // Every row deleted leaves the count alone.
    EXPECT_EQ(Str(Build(Tracks{})), "0`");
}

TEST(TrackListText, CountsThatDoNotMatchTheFields)
{
    struct Case
    {
        const char* value;
        size_t rows;
    } cases[] = {
        {"", 0},
        {"no backtick", 0},
        {"-3`a`1:00`", 0},
        {"3`a`1:00`", 3},  // missing pairs are empty rows
        {"1`a`1:00`b`2:00`", 1},
        {"99999999999`", 0},  // not a count at all
        {"900000`", static_cast<size_t>(kMaxTracks)},  // never a million empty rows
    };
    for (const Case& c : cases)
        EXPECT_EQ(Parse(c.value).size(), c.rows) << c.value;
    const Tracks padded = Parse("3`a`1:00`");
    EXPECT_EQ(Str(padded[2].name), "");
    EXPECT_EQ(Str(Build(padded)), "3`a`1:00`````");
}

TEST(TrackListText, PlaceholderTimesAreValidMinutesAndSeconds)
{
    const std::pair<int, const char*> cases[] = {{1, "0:01"},  {3, "0:03"},  {12, "0:12"},
                                                 {59, "0:59"}, {60, "1:00"}, {61, "1:01"},
                                                 {119, "1:59"}, {200, "3:20"}};
    for (const auto& [number, time] : cases)
        EXPECT_EQ(Str(PlaceholderTime(number)), time) << number;
}

TEST(TrackListText, CountBoxGrowsAndShrinks)
{
    EXPECT_EQ(Str(WithCount("", 3)), "3`Track 1`0:01`Track 2`0:02`Track 3`0:03`");
    EXPECT_EQ(Str(WithCount("3`Track 1`0:01`Track 2`0:02`Track 3`0:03`", 0)), "");
    EXPECT_EQ(Str(WithCount("1`Intro`0:45`", 2)), "2`Intro`0:45`Track 2`0:02`");
    // The same count keeps the text exactly, whatever it holds.
    EXPECT_EQ(Str(WithCount("1`Intro`0:45`extra`", 1)), "1`Intro`0:45`extra`");
    // Counts beyond the box are cut to it.
    EXPECT_EQ(Parse(WithCount("", 5000)).size(), static_cast<size_t>(kMaxTracks));
    EXPECT_EQ(Str(WithCount("1`Intro`0:45`", -4)), "");

    // Ten to nine keeps exactly the first nine pairs, though the count lost a digit.
    const CString ten = WithCount("", 10);
    const CString nine = WithCount(ten, 9);
    const Tracks tenRows = Parse(ten);
    EXPECT_EQ(Parse(nine), Tracks(tenRows.begin(), tenRows.begin() + 9));
    EXPECT_EQ(Str(nine.Left(2)), "9`");
    // The sixtieth track is a minute long, not "0:60".
    EXPECT_EQ(Str(Parse(WithCount("", 61))[59].time), "1:00");
}

TEST(TrackListText, ObjectNamesToTextKeysAndBackticks)
{
    EXPECT_EQ(Str(TextKey("Artist(1)")), "Artist");
    EXPECT_EQ(Str(TextKey("Track List - Disc 2")), "Track List - Disc 2");
    EXPECT_EQ(Str(TextKey("Front Cover (Inside)")), "Front Cover (Inside)");
    EXPECT_EQ(Str(WithoutBackticks("Rock `n` Roll")), "Rock 'n' Roll");
}

TEST(TrackListRows, DeletesABlockInEitherOrder)
{
    Tracks tracks = Rows({"a", "b", "c", "d"});
    EXPECT_TRUE(DeleteRows(tracks, 2, 1));
    EXPECT_EQ(Names(tracks), "a|d|");
    EXPECT_FALSE(DeleteRows(tracks, 5, 7));
    EXPECT_TRUE(DeleteRows(tracks, -3, 0));
    EXPECT_EQ(Names(tracks), "d|");
}

TEST(TrackListRows, SwapsOneColumnWithTheNeighbour)
{
    Tracks tracks = Rows({"a", "b", "c"});
    EXPECT_TRUE(SwapWithNeighbour(tracks, 1, Column::Name, -1));
    EXPECT_EQ(Names(tracks), "b|a|c|");
    // Only the name moved: the times stay in their rows.
    EXPECT_EQ(Str(tracks[0].time), "0:01");
    EXPECT_TRUE(SwapWithNeighbour(tracks, 1, Column::Time, +1));
    EXPECT_EQ(Str(tracks[1].time), "0:03");
    EXPECT_EQ(Str(tracks[2].time), "0:02");

    const Tracks before = tracks;
    EXPECT_FALSE(SwapWithNeighbour(tracks, 0, Column::Name, -1));
    EXPECT_FALSE(SwapWithNeighbour(tracks, 2, Column::Time, +1));
    EXPECT_EQ(tracks, before);
}

TEST(TrackListRows, MovesABlockPastItsNeighbour)
{
    struct Case
    {
        int first, last, step;
        bool moved;
        const char* names;
    } cases[] = {
        {1, 2, -1, true, "b|c|a|d|e|"},
        {1, 2, +1, true, "a|d|b|c|e|"},
        {3, 1, +1, true, "a|e|b|c|d|"},
        {0, 1, -1, false, "a|b|c|d|e|"},
        {3, 4, +1, false, "a|b|c|d|e|"},
        {4, 4, -1, true, "a|b|c|e|d|"},
        {2, 9, -1, false, "a|b|c|d|e|"},
    };
    for (const Case& c : cases) {
        Tracks tracks = Rows({"a", "b", "c", "d", "e"});
        EXPECT_EQ(MoveBlock(tracks, c.first, c.last, c.step), c.moved) << c.first << ".." << c.last;
        EXPECT_EQ(Names(tracks), c.names) << c.first << ".." << c.last;
    }
}

TEST(TrackListText, TypedTimesBecomeMinutesAndSecondsOrAreRefused)
{
    struct Case
    {
        const char* typed;
        const char* kept;  // nullptr: refused
    };
    const Case cases[] = {
        {"3:05", "3:05"},  {" 12:59 ", "12:59"}, {"0:00", "0:00"},   {"75", "1:15"},   {"5", "0:05"},
        {"3600", "60:00"}, {"", ""},             {"  ", ""},         {"abc", nullptr}, {"3:7", nullptr},
        {"3:60", nullptr}, {":30", nullptr},     {"1:2:3", nullptr}, {"-5", nullptr},  {"1.5", nullptr},
        {"99999999", nullptr},
    };
    for (const Case& c : cases) {
        const std::optional<CString> time = NormaliseTime(c.typed);
        if (c.kept) {
            ASSERT_TRUE(time.has_value()) << c.typed;
            EXPECT_EQ(Str(*time), c.kept) << c.typed;
        } else {
            EXPECT_FALSE(time.has_value()) << c.typed << " gave " << Str(time.value_or("")) ;
        }
    }
}

TEST(TrackListText, TypedCountsAreReadWithoutOverflow)
{
    EXPECT_EQ(ParseCount("12"), 12);
    EXPECT_EQ(ParseCount(" 200 "), 200);
    EXPECT_EQ(ParseCount("99999999999999999999"), std::numeric_limits<int>::max());
    EXPECT_FALSE(ParseCount("").has_value());
    EXPECT_FALSE(ParseCount("1a").has_value());
}
