#include "TextDrawingSupport.h"

#include <cstdlib>

namespace
{
using TrackListOnFlatTest = TextDrawingTest;

constexpr int kLeft = 500, kTop = 500, kWidth = 4000, kHeight = 3000;
const char* const kSeven =
    "7`Track 1`0:01`Track 2`0:02`Track 3`0:03`Track 4`0:04`Track 5`0:05`Track 6`0:06`Track 7`0:07`";
const char* const kTwelve = "12`One`1:00`Two`12:00`Three`1:00`Four`1:00`Five`1:00`Six`1:00`Seven`1:00`Eight`1:00`"
                            "Nine`1:00`Ten`10:00`Eleven`1:00`Twelve`1:00`";

std::vector<TextLayout::CacheLine> Lines(const CString& cache) { return TextLayout::CacheLines(cache); }

struct Options
{
    bool numbers = true, times = true, offsets = true, wrap = false;
};

TEST_F(TrackListOnFlatTest, ColumnsOfNumbersNamesAndTimes)
{
    LOGFONTA font = Font(200);
    CString cache;
    ASSERT_TRUE(m_view.Renderer().DrawTrackList(&m_dc, font, cache, kSeven, kLeft, kTop, kWidth, kHeight, "Left", "Top", true,
                                     true, true, "Back Cover", false));
    const auto lines = Lines(cache);
    ASSERT_EQ(lines.size(), 21u);
    for (size_t i = 0; i < 7; ++i) {
        const auto& number = lines[3 * i];
        const auto& time = lines[3 * i + 2];
        EXPECT_STREQ(number.x0, number.x1);  // ends at its x
        EXPECT_STREQ(number.x0, lines[0].x0);
        EXPECT_EQ(std::atoi(time.x0), kLeft + kWidth - 15);
        EXPECT_STREQ(time.x0, time.x1);
    }
    EXPECT_TRUE(Inside(InkBox(), BoxPx(kLeft, kTop, kWidth, kHeight, 2)));
}

TEST_F(TrackListOnFlatTest, NumbersAndTimesAlignInColumnsOnTheBitmap)
{
    LOGFONTA font = Font(200);
    CString cache;
    ASSERT_TRUE(m_view.Renderer().DrawTrackList(&m_dc, font, cache, kTwelve, kLeft, kTop, kWidth, kHeight, "Left", "Top", true,
                                     true, true, "Back Cover", false));
    const auto lines = Lines(cache);
    ASSERT_EQ(lines.size(), 36u);
    const int nameLeft = Px(std::atoi(lines[1].x0));
    const int timeStart = Px(std::atoi(lines[1].x1));  // the names end before the time column
    int numberRight = -1, timeRight = -1;
    for (size_t i = 0; i < 12; ++i) {
        const int top = Px(std::atoi(lines[3 * i].y0));
        const int lineHeight = Px(std::atoi(lines[3 + 0].y0) - std::atoi(lines[0].y0));
        // Number column: the ink left of the names; time column: the ink right of the names.
        int rowNumberRight = -1, rowTimeRight = -1;
        ::GdiFlush();
        for (int y = top; y < top + lineHeight; ++y)
            for (int x = 0; x < kSize; ++x)
                if (Ink(x, y)) {
                    if (x < nameLeft)
                        rowNumberRight = std::max(rowNumberRight, x);
                    if (x >= timeStart)
                        rowTimeRight = std::max(rowTimeRight, x);
                }
        ASSERT_GE(rowNumberRight, 0) << i;
        ASSERT_GE(rowTimeRight, 0) << i;
        if (i == 0) {
            numberRight = rowNumberRight;
            timeRight = rowTimeRight;
        }
        EXPECT_NEAR(rowNumberRight, numberRight, 1) << "number of track " << i + 1;
        EXPECT_NEAR(rowTimeRight, timeRight, 1) << "time of track " << i + 1;
    }
}

TEST_F(TrackListOnFlatTest, RecordsFollowTheColumnOptions)
{
    struct Case
    {
        Options options;
        size_t records;
        const char* firstText;
    } const cases[] = {
        {{true, true, true, false}, 21, "1."},
        {{false, false, false, false}, 7, "Track 1"},
        {{false, false, true, false}, 7, "Track 1"},
        {{true, false, true, false}, 14, "1."},
        {{false, true, true, false}, 14, "Track 1"},
    };
    for (const Case& c : cases) {
        LOGFONTA font = Font(200);
        CString cache;
        ASSERT_TRUE(m_view.Renderer().DrawTrackList(&m_dc, font, cache, kSeven, kLeft, kTop, kWidth, kHeight, "Left", "Top",
                                         c.options.numbers, c.options.times, c.options.offsets, "Back Cover",
                                         c.options.wrap));
        const auto lines = Lines(cache);
        ASSERT_EQ(lines.size(), c.records);
        EXPECT_STREQ(lines[0].text, c.firstText);
    }
}

TEST_F(TrackListOnFlatTest, WithoutOffsetsTheNumbersStillEndInOneColumn)
{
    LOGFONTA font = Font(200);
    CString cache;
    ASSERT_TRUE(m_view.Renderer().DrawTrackList(&m_dc, font, cache, kTwelve, kLeft, kTop, kWidth, kHeight, "Left", "Top", true,
                                     true, false, "Back Cover", false));
    const auto lines = Lines(cache);
    ASSERT_EQ(lines.size(), 12u);
    CFont fitted;
    TextLayout::CreateFontFor(fitted, Font(TextLayout::CacheHeight(cache)), m_dc);
    CSelectGuard selected(m_dc, fitted);
    auto numberEnd = [&](size_t i, const char* number) {
        return std::atoi(lines[i].x0) +
               TextLayout::Trunc(TextLayout::TextExtent(m_dc, number).cx * TextLayout::ScreenScale());
    };
    EXPECT_NEAR(numberEnd(0, "1."), numberEnd(9, "10."), 1);
    EXPECT_LT(std::atoi(lines[9].x0), std::atoi(lines[0].x0));
}

TEST_F(TrackListOnFlatTest, BottomAlignedListEndsAtTheBoxBottom)
{
    LOGFONTA font = Font(200);
    CString cache;
    ASSERT_TRUE(m_view.Renderer().DrawTrackList(&m_dc, font, cache, kSeven, kLeft, kTop, kWidth, kHeight, "Left", "Bottom",
                                     false, false, false, "Back Cover", false));
    const auto lines = Lines(cache);
    ASSERT_EQ(lines.size(), 7u);
    EXPECT_EQ(std::atoi(lines.back().y1), kTop + kHeight);
    const RECT ink = InkBox();
    EXPECT_TRUE(Inside(ink, BoxPx(kLeft, kTop, kWidth, kHeight, 2)));
    const int lineHeight = std::atoi(lines[1].y0) - std::atoi(lines[0].y0);
    EXPECT_GT(ink.bottom, Px(kTop + kHeight - lineHeight));

    Clear();
    font = Font(200);
    CString topCache;
    ASSERT_TRUE(m_view.Renderer().DrawTrackList(&m_dc, font, topCache, kSeven, kLeft, kTop, kWidth, kHeight, "Left", "Top",
                                     false, false, false, "Back Cover", false));
    EXPECT_LT(InkBox().top, ink.top);
}

TEST_F(TrackListOnFlatTest, AnEmptyListDrawsNothing)
{
    LOGFONTA font = Font(200);
    CString cache;
    ASSERT_TRUE(m_view.Renderer().DrawTrackList(&m_dc, font, cache, "0`", kLeft, kTop, kWidth, kHeight, "Left", "Top", true,
                                     true, true, "Back Cover", false));
    EXPECT_STREQ(cache, "200`");
    EXPECT_EQ(InkBox().right, 0);
}

TEST_F(TrackListOnFlatTest, WrappedTracksFillRowsInsideTheBox)
{
    LOGFONTA font = Font(100);
    CString wide;
    ASSERT_TRUE(m_view.Renderer().DrawTrackList(&m_dc, font, wide, kSeven, kLeft, kTop, 6000, 1000, "Left", "Top", false,
                                     false, false, "Back Cover", true));
    ASSERT_EQ(Lines(wide).size(), 1u);

    Clear();
    font = Font(100);
    CString narrow;
    ASSERT_TRUE(m_view.Renderer().DrawTrackList(&m_dc, font, narrow, kSeven, kLeft, kTop, 1500, 1000, "Left", "Top", false,
                                     false, false, "Back Cover", true));
    EXPECT_GT(Lines(narrow).size(), 1u);
    EXPECT_TRUE(Inside(InkBox(), BoxPx(kLeft, kTop, 1500, 1000, 2)));

    // A lower box shrinks the font instead of dropping tracks.
    font = Font(100);
    CString low;
    ASSERT_TRUE(m_view.Renderer().DrawTrackList(&m_dc, font, low, kSeven, kLeft, kTop, 1500, 250, "Left", "Top", false, false,
                                     false, "Back Cover", true));
    EXPECT_LT(TextLayout::CacheHeight(low), TextLayout::CacheHeight(narrow));
    CString joined;
    for (const auto& line : Lines(low))
        joined += line.text;
    for (int i = 1; i <= 7; ++i)
        EXPECT_GE(joined.Find(("Track " + std::to_string(i)).c_str()), 0) << i;
    EXPECT_TRUE(m_errors.empty());
}

TEST_F(TrackListOnFlatTest, ATrackListThatCannotFitEmptiesTheCache)
{
    LOGFONTA font = Font(200);
    CString cache = "old";
    cache.Empty();
    ASSERT_TRUE(m_view.Renderer().DrawTrackList(&m_dc, font, cache, kTwelve, kLeft, kTop, 300, 40, "Left", "Top", true, true,
                                     true, "Back Cover", false));
    EXPECT_TRUE(cache.IsEmpty());
    EXPECT_EQ(InkBox().right, 0);
}

TEST_F(TrackListOnFlatTest, ADamagedTrackListDrawsTheTracksItHas)
{
    LOGFONTA font = Font(200);
    CString cache;
    ASSERT_TRUE(m_view.Renderer().DrawTrackList(&m_dc, font, cache, "40`Only`1:00`Half", kLeft, kTop, kWidth, kHeight, "Left",
                                     "Top", true, true, true, "Back Cover", false));
    EXPECT_EQ(Lines(cache).size(), 3u);
    EXPECT_TRUE(m_errors.empty());
}
}  // namespace
