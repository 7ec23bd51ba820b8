#include "TextDrawingSupport.h"

#include <cstdlib>

namespace
{
using TextOnFlatTest = TextDrawingTest;

// The object's box in the tests, thousandths of an inch on the back cover at (0, 0).
constexpr int kLeft = 1000, kTop = 1000, kWidth = 2000, kHeight = 2000;

std::vector<TextLayout::CacheLine> Lines(const CString& cache) { return TextLayout::CacheLines(cache); }

struct AngleCase
{
    int escapement;
    bool upright;  // ink wider than tall
};

TEST_F(TextOnFlatTest, RotatedTextLandsInItsBox)
{
    const AngleCase cases[] = {{0, true}, {900, false}, {1800, true}, {-900, false}};
    for (const AngleCase& c : cases) {
        for (const char* h : {"Left", "Center", "Right"}) {
            for (const char* v : {"Top", "Center", "Bottom"}) {
                Clear();
                LOGFONTA font = Font(360, c.escapement);
                CString cache;
                ASSERT_TRUE(m_view.Renderer().DrawTextObject(&m_dc, font, cache, "Rotated words", kLeft, kTop, kWidth, kHeight,
                                                  h, v, false, "Back Cover"));
                const RECT ink = InkBox();
                ASSERT_GT(ink.right, ink.left) << c.escapement << h << v;
                EXPECT_TRUE(Inside(ink, BoxPx(kLeft, kTop, kWidth, kHeight, 2)))
                    << c.escapement << " " << h << " " << v << " ink " << ink.left << "," << ink.top << ","
                    << ink.right << "," << ink.bottom;
                EXPECT_EQ(ink.right - ink.left > ink.bottom - ink.top, c.upright) << c.escapement;
            }
        }
    }
    EXPECT_TRUE(m_errors.empty());
}

TEST_F(TextOnFlatTest, ItalicSlantStaysInsideTheBox)
{
    for (int escapement : {0, 900, -900, 1800}) {
        Clear();
        LOGFONTA font = Font(720, escapement, true);
        CString cache;
        ASSERT_TRUE(m_view.Renderer().DrawTextObject(&m_dc, font, cache, "Slanted WWW", kLeft, kTop, 1500, 1500, "Right",
                                          "Bottom", false, "Back Cover"));
        const RECT ink = InkBox();
        ASSERT_GT(ink.right, ink.left) << escapement;
        EXPECT_TRUE(Inside(ink, BoxPx(kLeft, kTop, 1500, 1500, 2))) << escapement;
    }
}

TEST_F(TextOnFlatTest, LinesAdvanceAcrossTheirDirection)
{
    // Two lines: the first line's box lies before the second in the direction lines advance.
    struct Case
    {
        int escapement;
        int axis;  // 0: x grows, 1: x falls, 2: y grows, 3: y falls
    } const cases[] = {{0, 2}, {900, 0}, {-900, 1}, {1800, 3}};
    for (const Case& c : cases) {
        LOGFONTA font = Font(240, c.escapement);
        CString cache;
        ASSERT_TRUE(m_view.Renderer().DrawTextObject(&m_dc, font, cache, "First\r\nSecond", kLeft, kTop, kWidth, kHeight,
                                          "Center", "Center", true, "Back Cover"));
        const auto lines = Lines(cache);
        ASSERT_EQ(lines.size(), 2u);
        const int dx = std::atoi(lines[1].x0) - std::atoi(lines[0].x0);
        const int dy = std::atoi(lines[1].y0) - std::atoi(lines[0].y0);
        switch (c.axis) {
        case 0: EXPECT_TRUE(dx > 0 && dy == 0); break;
        case 1: EXPECT_TRUE(dx < 0 && dy == 0); break;
        case 2: EXPECT_TRUE(dy > 0 && dx == 0); break;
        default: EXPECT_TRUE(dy < 0 && dx == 0); break;
        }
        // End margins only along horizontal lines.
        const bool upright = c.escapement == 0 || c.escapement == 1800;
        EXPECT_EQ(std::atoi(lines[0].x0) == kLeft + 15, upright && true) << c.escapement;
    }
}

TEST_F(TextOnFlatTest, MultiLineRowsStayInsideTheBoxAndFollowTheAlignment)
{
    const char* text = "A first line of text\r\nSecond\r\nAnd a third line";
    LOGFONTA font = Font(720);
    CString cache;
    ASSERT_TRUE(m_view.Renderer().DrawTextObject(&m_dc, font, cache, text, kLeft, kTop, kWidth, 1200, "Left", "Top", true,
                                      "Back Cover"));
    const auto lines = Lines(cache);
    ASSERT_EQ(lines.size(), 3u);
    EXPECT_LT(TextLayout::CacheHeight(cache), 720);  // shrunk to fit
    const int lineHeight = std::atoi(lines[1].y0) - std::atoi(lines[0].y0);
    EXPECT_EQ(std::atoi(lines[0].y0), kTop);
    EXPECT_EQ(std::atoi(lines[2].y0), kTop + 2 * lineHeight);
    EXPECT_EQ(std::atoi(lines[2].y1), kTop + 1200);
    EXPECT_TRUE(Inside(InkBox(), BoxPx(kLeft, kTop, kWidth, 1200, 2)));
    const RECT top = InkBox();

    Clear();
    font = Font(720);
    CString bottomCache;
    ASSERT_TRUE(m_view.Renderer().DrawTextObject(&m_dc, font, bottomCache, text, kLeft, kTop, kWidth, 3000, "Left", "Bottom",
                                      true, "Back Cover"));
    const RECT bottom = InkBox();
    EXPECT_TRUE(Inside(bottom, BoxPx(kLeft, kTop, kWidth, 3000, 2)));
    EXPECT_GT(bottom.top, top.top);
    EXPECT_GE(bottom.bottom, Px(kTop + 3000) - Px(lineHeight));
}

TEST_F(TextOnFlatTest, SingleLineTextJoinsItsLines)
{
    LOGFONTA font = Font(120);
    CString cache;
    ASSERT_TRUE(m_view.Renderer().DrawTextObject(&m_dc, font, cache, "Two\r\nlines", kLeft, kTop, kWidth, kHeight, "Center",
                                      "Center", false, "Back Cover"));
    const auto lines = Lines(cache);
    ASSERT_EQ(lines.size(), 1u);
    EXPECT_STREQ(lines[0].text, "Two lines");
    EXPECT_EQ(TextLayout::CacheHeight(cache), 120);  // fits: the stored height stays
}

TEST_F(TextOnFlatTest, CacheIsFilledOnceUsedUnchangedAndShiftedByAMove)
{
    LOGFONTA font = Font(480);
    CString cache;
    ASSERT_TRUE(m_view.Renderer().DrawTextObject(&m_dc, font, cache, "Cached", kLeft, kTop, kWidth, 1000, "Left", "Top", false,
                                      "Back Cover"));
    ASSERT_FALSE(cache.IsEmpty());
    const CString first = cache;
    const RECT before = InkBox();

    // Later draws, at any zoom, use the cache as it is, whatever the text now says.
    for (int zoom : {10, 20, 6}) {
        m_view.Model().Shown().zoom = zoom;
        m_view.UpdateScale();
        font = Font(480);
        ASSERT_TRUE(m_view.Renderer().DrawTextObject(&m_dc, font, cache, "Other text", kLeft, kTop, kWidth, 1000, "Left",
                                          "Top", false, "Back Cover"));
        EXPECT_STREQ(cache, first) << zoom;
    }
    m_view.Model().Shown().zoom = 10;
    m_view.UpdateScale();

    // A move shifts the cached boxes; the drawing follows.
    m_view.Renderer().ShiftLayoutCache(cache, "Left", 500);
    m_view.Renderer().ShiftLayoutCache(cache, "Top", 250);
    Clear();
    font = Font(480);
    ASSERT_TRUE(m_view.Renderer().DrawTextObject(&m_dc, font, cache, "Cached", kLeft + 500, kTop + 250, kWidth, 1000, "Left",
                                      "Top", false, "Back Cover"));
    const RECT after = InkBox();
    EXPECT_NEAR(after.left - before.left, Px(500), 1);
    EXPECT_NEAR(after.top - before.top, Px(250), 1);

    // An empty text empties the cache and draws nothing.
    Clear();
    ASSERT_TRUE(m_view.Renderer().DrawTextObject(&m_dc, font, cache, "", kLeft, kTop, kWidth, 1000, "Left", "Top", false,
                                      "Back Cover"));
    EXPECT_TRUE(cache.IsEmpty());
    EXPECT_EQ(InkBox().right, 0);
}

TEST_F(TextOnFlatTest, ACoverOriginIsSubtracted)
{
    m_view.Model().Placement().geometry.front.left = 400;
    m_view.Model().Placement().geometry.front.top = 300;
    LOGFONTA font = Font(240);
    CString cache;
    ASSERT_TRUE(m_view.Renderer().DrawTextObject(&m_dc, font, cache, "Front", kLeft, kTop, kWidth, 1000, "Left", "Top", false,
                                      "Front Cover"));
    EXPECT_TRUE(Inside(InkBox(), BoxPx(kLeft - 400, kTop - 300, kWidth, 1000, 2)));
}

TEST_F(TextOnFlatTest, ATextThatCannotFitDrawsNothing)
{
    LOGFONTA font = Font(480);
    CString cache = "";
    ASSERT_TRUE(m_view.Renderer().DrawTextObject(&m_dc, font, cache, "Far too long for this box", kLeft, kTop, 8, 8, "Center",
                                      "Center", false, "Back Cover"));
    EXPECT_TRUE(cache.IsEmpty());
    EXPECT_EQ(InkBox().right, 0);
}

TEST_F(TextOnFlatTest, TinyZoomDrawsStrokesInsideTheBox)
{
    m_view.Model().Shown().zoom = 6;
    m_view.UpdateScale();
    LOGFONTA font = Font(40);
    CString cache;
    ASSERT_TRUE(m_view.Renderer().DrawTextObject(&m_dc, font, cache, "Small print", kLeft, kTop, kWidth, 1000, "Center",
                                      "Center", false, "Back Cover"));
    EXPECT_EQ(font.lfHeight, 0);  // stroke mode
    const RECT ink = InkBox();
    EXPECT_GT(ink.right, ink.left);
    EXPECT_TRUE(Inside(ink, BoxPx(kLeft, kTop, kWidth, 1000, 2)));
    EXPECT_LE(ink.bottom - ink.top, 1);  // one horizontal stroke
}

TEST_F(TextOnFlatTest, ABacktickCannotSplitACachedLine)
{
    LOGFONTA font = Font(240);
    CString cache;
    ASSERT_TRUE(m_view.Renderer().DrawTextObject(&m_dc, font, cache, "Rock`n`Roll\r\nNext", kLeft, kTop, kWidth, kHeight,
                                      "Left", "Top", true, "Back Cover"));
    const auto lines = Lines(cache);
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_STREQ(lines[0].text, "Rock'n'Roll");
    EXPECT_STREQ(lines[1].text, "Next");
}

TEST_F(TextOnFlatTest, UpdateTextObjectsEmptiesTheCachesOfThatTextOnly)
{
    auto addObject = [&](const char* name) {
        const char* keys[] = {"Item Type", "Vector Data", "Font"};
        for (int k = 0; k < 3; ++k) {
            PropertyEntry row;
            row.m_strObjectName = name;
            row.m_strKey = keys[k];
            row.m_strValue = k == 0 ? "Text" : "480`x`1`2`3`4`";
            row.m_nRowsAfter = 2 - k;
            m_view.Model().AppendRow(row);
        }
    };
    addObject("Artist");
    addObject("Artist(1)");
    addObject("Artists");
    addObject("Title");
    m_view.UpdateTextObjects("Artist");
    EXPECT_TRUE(m_view.GetPropertyValue("Artist", "Vector Data").IsEmpty());
    EXPECT_TRUE(m_view.GetPropertyValue("Artist(1)", "Vector Data").IsEmpty());
    EXPECT_FALSE(m_view.GetPropertyValue("Artists", "Vector Data").IsEmpty());
    EXPECT_FALSE(m_view.GetPropertyValue("Title", "Vector Data").IsEmpty());
    EXPECT_STREQ(m_view.GetPropertyValue("Artist", "Font"), "480`x`1`2`3`4`");
    EXPECT_TRUE(m_errors.empty());
}
}  // namespace
