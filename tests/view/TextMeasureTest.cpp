#include "TextDrawingSupport.h"

namespace
{
const char* const kDefaultTracks =
    "7`Track 1`0:01`Track 2`0:02`Track 3`0:03`Track 4`0:04`Track 5`0:05`Track 6`0:06`Track 7`0:07`";

using TextMeasureTest = TextDrawingTest;

// Width and height of a text in a font, in thousandths of an inch.
SIZE Measure(HDC dc, const LOGFONTA& description, const CString& text)
{
    CFont font;
    TextLayout::CreateFontFor(font, description, dc);
    CSelectGuard selected(dc, font);
    const SIZE size = TextLayout::TextExtent(dc, text);
    return SIZE{TextLayout::Trunc(size.cx * TextLayout::ScreenScale()),
                TextLayout::Trunc(size.cy * TextLayout::ScreenScale())};
}

TEST_F(TextMeasureTest, FitKeepsATextThatFitsAndShrinksOneThatDoesNot)
{
    LOGFONTA font = Font(240);
    const SIZE natural = Measure(m_dc, font, "Album Title");
    EXPECT_TRUE(m_view.Renderer().FitFontToBox(&m_dc, font, "Album Title", natural.cx + 100, natural.cy * 2, 1));
    EXPECT_EQ(font.lfHeight, 240);

    // Twice as wide as its box: restarts near half the height and ends fitting.
    font = Font(240);
    EXPECT_TRUE(m_view.Renderer().FitFontToBox(&m_dc, font, "Album Title", natural.cx / 2, natural.cy * 2, 1));
    EXPECT_LE(font.lfHeight, 240 / 2 + 10 + 10);
    EXPECT_LE(Measure(m_dc, font, "Album Title").cx, natural.cx / 2);
    // One tenth of a point larger would not fit: the search stops at the first fit.
    LOGFONTA larger = font;
    ++larger.lfHeight;
    EXPECT_GT(Measure(m_dc, larger, "Album Title").cx, natural.cx / 2);

    // Several lines must fit the height too.
    font = Font(240);
    EXPECT_TRUE(m_view.Renderer().FitFontToBox(&m_dc, font, "A", natural.cx, natural.cy * 2, 4));
    EXPECT_LT(font.lfHeight, 240);
    EXPECT_LE(Measure(m_dc, font, "A").cy * 4, natural.cy * 2);
    EXPECT_TRUE(m_errors.empty());
}

TEST_F(TextMeasureTest, ALongerTextGetsASmallerFontThanAShortOne)
{
    LOGFONTA shortFont = Font(480), longFont = Font(480);
    ASSERT_TRUE(m_view.Renderer().FitFontToBox(&m_dc, shortFont, "Short", 1500, 1000, 1));
    ASSERT_TRUE(m_view.Renderer().FitFontToBox(&m_dc, longFont, "A much longer line of text", 1500, 1000, 1));
    EXPECT_LT(longFont.lfHeight, shortFont.lfHeight);
}

TEST_F(TextMeasureTest, FitGivesUpBelowOnePoint)
{
    LOGFONTA font = Font(240);
    EXPECT_FALSE(m_view.Renderer().FitFontToBox(&m_dc, font, "A text that cannot fit", 5, 5, 1));
    EXPECT_GE(font.lfHeight, 10);
    font = Font(240);
    EXPECT_FALSE(m_view.Renderer().FitFontToBox(&m_dc, font, "Text", 0, 1000, 1));
    EXPECT_TRUE(m_errors.empty());
}

TEST_F(TextMeasureTest, ZoomedFontKeepsItsHeightAt100PercentAndNeverOutgrowsItsWidth)
{
    LOGFONTA font = Font(180);
    m_view.Model().Shown().zoom = 10;
    m_view.UpdateScale();
    m_view.Renderer().GetZoomedFontHeight(&m_dc, font, "Some words");
    EXPECT_EQ(font.lfHeight, 180);

    const SIZE unzoomed = Measure(m_dc, Font(180), "Some words");
    for (int zoom : {6, 15, 22, 35}) {
        font = Font(180);
        m_view.Model().Shown().zoom = zoom;
        m_view.UpdateScale();
        m_view.Renderer().GetZoomedFontHeight(&m_dc, font, "Some words");
        EXPECT_LE(font.lfHeight, static_cast<int>(zoom * 0.1 * 180)) << zoom;
        if (font.lfHeight > 25) {
            EXPECT_LE(Measure(m_dc, font, "Some words").cx, static_cast<int>(zoom * 0.1 * unzoomed.cx) + 1) << zoom;
        }
    }
}

TEST_F(TextMeasureTest, ShiftMovesEveryLineBoxAlongOneAxis)
{
    CString cache = "480`One`1015`2985`1000`1500`Two`1015`2985`1500`2000`";
    m_view.Renderer().ShiftLayoutCache(cache, "Left", 250);
    EXPECT_STREQ(cache, "480`One`1265`3235`1000`1500`Two`1265`3235`1500`2000`");
    m_view.Renderer().ShiftLayoutCache(cache, "Top", -100);
    EXPECT_STREQ(cache, "480`One`1265`3235`900`1400`Two`1265`3235`1400`1900`");
    // A disc line's empty top stays empty.
    CString disc = "300`Ring`10`20``900`";
    m_view.Renderer().ShiftLayoutCache(disc, "Top", 50);
    EXPECT_STREQ(disc, "300`Ring`10`20``950`");
    // Unknown axis and an empty cache change nothing.
    m_view.Renderer().ShiftLayoutCache(disc, "Width", 50);
    EXPECT_STREQ(disc, "300`Ring`10`20``950`");
    CString empty;
    m_view.Renderer().ShiftLayoutCache(empty, "Left", 50);
    EXPECT_TRUE(empty.IsEmpty());
}

TEST_F(TextMeasureTest, WidestTrackParts)
{
    CFont font;
    TextLayout::CreateFontFor(font, Font(120), m_dc);
    CSelectGuard selected(m_dc, font);
    CString number = "x", name = "x", time = "x";
    m_view.Renderer().FindWidestTrackParts(&m_dc, "0`", number, name, time, false);
    EXPECT_TRUE(number.IsEmpty() && name.IsEmpty() && time.IsEmpty());

    const CString list = "10`Intro`12:01`A very long track name`0:30`Mid`1:00`D`1:00`E`1:00`F`1:00`G`1:00`H`1:00`"
                         "I`1:00`J`1:00`";
    m_view.Renderer().FindWidestTrackParts(&m_dc, list, number, name, time, false);
    EXPECT_STREQ(number, "10.");
    EXPECT_STREQ(name, "A very long track name");
    EXPECT_STREQ(time, "12:01");
    // Combined: the parts of the widest whole line stay together.
    m_view.Renderer().FindWidestTrackParts(&m_dc, list, number, name, time, true);
    EXPECT_STREQ(number, "2.");
    EXPECT_STREQ(name, "A very long track name");
    EXPECT_STREQ(time, "0:30");

    // A count larger than the list holds reads only the tracks there are.
    m_view.Renderer().FindWidestTrackParts(&m_dc, "9`Only`1:00`", number, name, time, false);
    EXPECT_STREQ(number, "1.");
    EXPECT_STREQ(name, "Only");
    EXPECT_TRUE(m_errors.empty());
}

TEST_F(TextMeasureTest, WidestLineOfATextBlock)
{
    CFont font;
    TextLayout::CreateFontFor(font, Font(120), m_dc);
    CSelectGuard selected(m_dc, font);
    struct Case
    {
        const char* text;
        const char* widest;
        int lines;
    } const cases[] = {
        {"", "", 1},
        {"One line", "One line", 1},
        {"ab\r\nabcdef\r\nabc", "abcdef", 3},
        {"Visible\r\n", "Visible", 2},  // a trailing break adds an empty last line
        {"AB\r\nAB", "AB", 2},           // equal widths: the first
    };
    for (const Case& c : cases) {
        int lines = 0;
        EXPECT_STREQ(m_view.Renderer().MeasureTextBlock(&m_dc, c.text, &lines), c.widest) << c.text;
        EXPECT_EQ(lines, c.lines) << c.text;
    }
}

TEST_F(TextMeasureTest, PrinterFontIsNoWiderThanTheScreenLayout)
{
    // A printer-like target whose units are thousandths of an inch.
    CMemoryDC target(nullptr);
    ::SetMapMode(target, MM_HIENGLISH);
    LOGFONTA font = Font(240);
    const CString cache = "240`1. Track 1 0:01`1015`2985`1000`1100`1. A longer track 0:02`1015`2985`1100`1200`";
    m_view.Renderer().MeasureTrackList(&target, font, cache);
    EXPECT_LE(font.lfHeight, 240);
    EXPECT_GE(font.lfHeight, 1);
    const SIZE screen = Measure(m_dc, Font(240), "1. A longer track 0:02");
    CFont printerFont;
    TextLayout::CreateFontFor(printerFont, font, target);
    CSelectGuard selected(target, printerFont);
    SIZE printed{};
    ::GetTextExtentPoint32A(target, "1. A longer track 0:02", 22, &printed);
    EXPECT_LE(printed.cx, screen.cx);
    EXPECT_TRUE(m_errors.empty());
}

TEST(TextRowValueTest, BackticksNeverEnterATextRow)
{
    CQuorbel6View view;
    view.Model().AppendTextRow(TextEntry{"Title", "Text", "", 1});
    view.Model().AppendTextRow(TextEntry{"Tracks", "Track", "", 1});
    ASSERT_TRUE(view.SetTextRowValue(0, "Rock`n`Roll"));
    EXPECT_STREQ(view.Model().Texts()[0].m_strValue, "Rock'n'Roll");

    const CString list = CQuorbel6View::MakeTrackListText({"Don`t Stop", "Two"}, {"3:0`1", "4:00"});
    EXPECT_STREQ(list, "2`Don't Stop`3:0'1`Two`4:00`");
    ASSERT_TRUE(view.SetTextRowValue(1, list));
    EXPECT_STREQ(view.Model().Texts()[1].m_strValue, list);
    // A count that claims more tracks than the list holds is made true.
    ASSERT_TRUE(view.SetTextRowValue(1, "5`One`1:00`"));
    EXPECT_STREQ(view.Model().Texts()[1].m_strValue, "1`One`1:00`");
    EXPECT_FALSE(view.SetTextRowValue(2, "x"));
    EXPECT_FALSE(view.SetTextRowValue(-1, "x"));
}
}  // namespace
