#include "label/LabelGeometry.h"
#include "framework/ErrorReport.h"
#include "framework/Gdi.h"
#include "label/DiscTextSupport.h"
#include "view/Quorbel6View.h"
#include "view/ViewGeometry.h"

#include "label/TrackListEdit.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>
#include <climits>
#include <cmath>
#include <cstdlib>
#include <memory>
#include <cstdint>
#include <cstring>
#include <string>
#include <utility>
#include <vector>

namespace {

// A disc of 4.6 inches with a 1.6 inch hole and a 0.05 inch margin, drawn at
// 100 % into a white 32-bit bitmap of its own size.
class DiscDrawing : public ::testing::Test
{
protected:
    void SetUp() override
    {
        m_view.Model().Shown().zoom = 10;
        m_view.Model().Placement().geometry.disc1 = {500, 500, 1600, 4600, 50};
        m_scale = DiscText::GetScreenScale();
        m_view.Renderer().SetScale(m_scale.dpi, m_view.Model().Shown().zoom);
        m_size = LabelGeometry::LengthToPixels(4600, m_scale.dpi, 10) + 2;

        BITMAPINFO info{};
        info.bmiHeader.biSize = sizeof info.bmiHeader;
        info.bmiHeader.biWidth = m_size;
        info.bmiHeader.biHeight = -m_size;
        info.bmiHeader.biPlanes = 1;
        info.bmiHeader.biBitCount = 32;
        void* bits = nullptr;
        m_bitmap.Attach(::CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
        ASSERT_TRUE(m_bitmap.IsValid());
        m_bits = static_cast<uint32_t*>(bits);
        m_dc.CreateCompatibleDC(nullptr);
        m_selected = std::make_unique<CSelectGuard>(m_dc, m_bitmap.Get());
        ::SetTextColor(m_dc, RGB(0, 0, 0));
        ::SetBkMode(m_dc, TRANSPARENT);
        ::SetTextAlign(m_dc, TA_LEFT | TA_BOTTOM);
        Clear();
    }

    void TearDown() override { EXPECT_TRUE(m_errors.empty()) << m_errors.front(); }

    void Clear() { std::memset(m_bits, 0xFF, sizeof(uint32_t) * m_size * m_size); }
    std::vector<uint32_t> Snapshot() const { return {m_bits, m_bits + m_size * m_size}; }
    bool Dark(int x, int y) const { return (m_bits[y * m_size + x] & 0xFFFFFF) != 0xFFFFFF; }

    // Radii and centre in the bitmap's pixels.
    double Centre() const { return LabelGeometry::LengthToPixels(2300, m_scale.dpi, 10); }
    double Pixels(int length) const { return LabelGeometry::LengthToPixels(length, m_scale.dpi, 10); }

    struct Ink
    {
        int total = 0;
        int inHole = 0;      // within the hole's radius
        int outsideRim = 0;  // beyond the disc's radius
        int top = INT32_MAX;
        int bottom = -1;
    };
    Ink CountInk(double holeRadius, double rimRadius) const
    {
        Ink ink;
        const double c = Centre();
        for (int y = 0; y < m_size; ++y)
            for (int x = 0; x < m_size; ++x) {
                if (!Dark(x, y))
                    continue;
                ++ink.total;
                ink.top = std::min(ink.top, y);
                ink.bottom = std::max(ink.bottom, y);
                const double r = std::hypot(x + 0.5 - c, y + 0.5 - c);
                if (r < holeRadius)
                    ++ink.inHole;
                if (r > rimRadius)
                    ++ink.outsideRim;
            }
        return ink;
    }

    LOGFONTA Font(int tenths, bool italic = false) const
    {
        LOGFONTA font{};
        std::strcpy(font.lfFaceName, "Arial");
        font.lfHeight = tenths;
        font.lfWeight = FW_NORMAL;
        font.lfItalic = italic ? TRUE : FALSE;
        return font;
    }

    bool DrawText(CString& cache, const CString& text, int left, int top, int width, int height,
                  const char* horizontal, const char* vertical, int tenths = 240)
    {
        LOGFONTA font = Font(tenths);
        CDC dc(m_dc.GetSafeHdc());
        return m_view.Renderer().DrawDiscText(&dc, font, cache, text, left, top, width, height, horizontal, vertical, TRUE,
                                   "Disc 1");
    }

    bool DrawTracks(CString& cache, const CString& tracks, const char* vertical, BOOL skipCenter, BOOL wrap,
                    const char* horizontal = "Left", int tenths = 240)
    {
        LOGFONTA font = Font(tenths);
        CDC dc(m_dc.GetSafeHdc());
        return m_view.Renderer().DrawDiscTrackList(&dc, font, cache, tracks, 500, 500, 4600, 4600, horizontal, vertical, TRUE,
                                        TRUE, skipCenter, wrap, "Disc 1");
    }

    // Hole top and bottom on the layout, the margin included.
    int HoleTop() const { return 500 + 2300 - (800 + 50); }
    int HoleBottom() const { return HoleTop() + 2 * (800 + 50); }

    CQuorbel6View m_view;
    DiscText::ScreenScale m_scale;
    int m_size = 0;
    CBitmap m_bitmap;
    uint32_t* m_bits = nullptr;
    CMemoryDC m_dc;
    std::unique_ptr<CSelectGuard> m_selected;
    std::vector<std::string> m_errors;
    ScopedErrorReportHook m_hook{[this](const ErrorReport& report) { m_errors.push_back(report.Text()); }};
};

std::vector<DiscText::CacheRecord> Records(const CString& cache)
{
    return DiscText::ParseCache(cache);
}

const char* const kSevenTracks =
    "7`Track 1`0:01`Track 2`0:02`Track 3`0:03`Track 4`0:04`Track 5`0:05`Track 6`0:06`Track 7`0:07`";

// ---- text ---------------------------------------------------------------------

TEST_F(DiscDrawing, TextAcrossTheWholeDiscStaysInTheRing)
{
    CString cache;
    const CString text = "Greatest Hits\r\nVolume Two\r\nLive at the Hall\r\nRemastered";
    ASSERT_TRUE(DrawText(cache, text, 500, 500, 4600, 4600, "Left", "Center"));

    ASSERT_FALSE(cache.IsEmpty());
    EXPECT_EQ(DiscText::CachedHeight(cache), [&] {
        const int end = cache.Find('`');
        return std::atoi(cache.Left(end).c_str());
    }());
    const auto records = Records(cache);
    ASSERT_EQ(records.size(), 4u);
    EXPECT_STREQ(records[0].text.c_str(), "Greatest Hits");
    EXPECT_STREQ(records[3].text.c_str(), "Remastered");

    const Ink ink = CountInk(Pixels(800), Pixels(2300));
    EXPECT_GT(ink.total, 0);
    EXPECT_EQ(ink.inHole, 0);
    EXPECT_EQ(ink.outsideRim, 0);
}

TEST_F(DiscDrawing, EveryTextRecordHasAnEmptyFourthField)
{
    CString cache;
    // A backtick in the text must not tear its record apart.
    ASSERT_TRUE(DrawText(cache, "One`s\r\nTwo", 500, 500, 4600, 4600, "Left", "Top"));
    ASSERT_EQ(Records(cache).size(), 2u);
    EXPECT_STREQ(Records(cache)[1].text.c_str(), "Two");
    ASSERT_FALSE(cache.IsEmpty());
    // height`, then text`left`right``bottom` per line
    int at = cache.Find('`') + 1;
    for (int line = 0; line < 2; ++line) {
        for (int field = 0; field < 3; ++field)
            at = cache.Find('`', at) + 1;
        EXPECT_EQ(cache.GetAt(at), '`') << "line " << line;
        at = cache.Find('`', at + 1) + 1;
    }
}

TEST_F(DiscDrawing, BottomAlignedTextKeepsTextOrderInTheCache)
{
    CString cache;
    ASSERT_TRUE(DrawText(cache, "First\r\nSecond\r\nThird", 500, 500, 4600, 4600, "Left", "Bottom"));
    const auto records = Records(cache);
    ASSERT_EQ(records.size(), 3u);
    EXPECT_STREQ(records[0].text.c_str(), "First");
    EXPECT_STREQ(records[2].text.c_str(), "Third");
    EXPECT_LT(records[0].bottom, records[1].bottom);
    EXPECT_LT(records[1].bottom, records[2].bottom);
    // Slid up from the bottom edge: below the hole.
    EXPECT_GT(records[0].bottom, HoleBottom());
}

TEST_F(DiscDrawing, TopAlignedTextSlidesDownFromTheRimAndRightAlignedGoesRightOfTheHole)
{
    CString top;
    ASSERT_TRUE(DrawText(top, "A rather long first line", 500, 500, 4600, 4600, "Left", "Top"));
    auto records = Records(top);
    ASSERT_EQ(records.size(), 1u);
    // The box's top edge is at the rim, where no chord exists: the line moved down.
    EXPECT_GT(records[0].bottom, 500 + 300);
    EXPECT_LT(records[0].bottom, HoleTop());

    // A short line in a band through the hole: left of it, or right when aligned "Right".
    const int bandTop = 500 + 2300 - 100;
    CString left, right;
    ASSERT_TRUE(DrawText(left, "Hi", 500, bandTop, 4600, 600, "Left", "Center"));
    ASSERT_TRUE(DrawText(right, "Hi", 500, bandTop, 4600, 600, "Right", "Center"));
    const auto l = Records(left), r = Records(right);
    ASSERT_EQ(l.size(), 1u);
    ASSERT_EQ(r.size(), 1u);
    EXPECT_LT(l[0].right, 500 + 2300 - 800);
    EXPECT_GT(r[0].left, 500 + 2300 + 800);
}

TEST_F(DiscDrawing, TextInsideTheHoleIsNotDrawn)
{
    CString cache;
    ASSERT_TRUE(DrawText(cache, "Nowhere to go", 500 + 2000, 500 + 2000, 600, 600, "Left", "Center"));
    EXPECT_TRUE(cache.IsEmpty());
    EXPECT_EQ(CountInk(Pixels(800), Pixels(2300)).total, 0);
}

TEST_F(DiscDrawing, GuidesOutlineTheBoxOfATextThatFoundNoRoom)
{
    m_view.Renderer().Options().objectGuides = true;
    CString cache;
    ASSERT_TRUE(DrawText(cache, "Nowhere to go", 500 + 2000, 500 + 2000, 600, 600, "Left", "Center"));
    EXPECT_TRUE(cache.IsEmpty());

    const int left = LabelGeometry::LengthToPixels(2500, m_scale.dpi, 10) - m_view.Renderer().Geometry().disc1.left;
    const int top = LabelGeometry::LengthToPixels(2500, m_scale.dpi, 10) - m_view.Renderer().Geometry().disc1.top;
    const int right = left + LabelGeometry::LengthToPixels(600, m_scale.dpi, 10);
    const int bottom = top + LabelGeometry::LengthToPixels(600, m_scale.dpi, 10);
    int onFrame = 0, elsewhere = 0;
    for (int y = 0; y < m_size; ++y)
        for (int x = 0; x < m_size; ++x) {
            if (!Dark(x, y))
                continue;
            const bool edge = (x == left || x == right - 1) && y >= top && y < bottom;
            const bool rim = (y == top || y == bottom - 1) && x >= left && x < right;
            ++(edge || rim ? onFrame : elsewhere);
        }
    EXPECT_GT(onFrame, 0);
    EXPECT_EQ(elsewhere, 0);
}

TEST_F(DiscDrawing, CacheIsFilledOnTheFirstDrawAndReusedAfterwards)
{
    CString cache;
    ASSERT_TRUE(DrawText(cache, "Side A\r\nSide B", 500, 500, 4600, 4600, "Center", "Top"));
    ASSERT_FALSE(cache.IsEmpty());
    const CString first = cache;
    const auto picture = Snapshot();

    // A filled cache is drawn as it stands, whatever the text now says.
    Clear();
    ASSERT_TRUE(DrawText(cache, "Something else entirely", 500, 500, 4600, 4600, "Center", "Top"));
    EXPECT_STREQ(cache.c_str(), first.c_str());
    EXPECT_TRUE(Snapshot() == picture);

    // An empty text empties it.
    ASSERT_TRUE(DrawText(cache, "", 500, 500, 4600, 4600, "Center", "Top"));
    EXPECT_TRUE(cache.IsEmpty());
}

TEST_F(DiscDrawing, RingClipRegionKeepsALineThroughTheHoleInsideTheRing)
{
    // A hand-made cache with one line straight across the middle of the disc.
    const int middle = 500 + 2300 + 100;
    const CString cache = CString("480`") + "WWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWW`500`5100``" +
                          std::to_string(middle).c_str() + "`";

    CString unclipped = cache;
    ASSERT_TRUE(DrawText(unclipped, "x", 500, 500, 4600, 4600, "Left", "Top", 480));
    const Ink plain = CountInk(Pixels(800), Pixels(2300));
    ASSERT_GT(plain.inHole, 0);

    // The clip the surface drawing sets: the disc's ellipse less the hole's.
    Clear();
    const int outer = static_cast<int>(Pixels(4600));
    const int inner = static_cast<int>(Pixels(1600));
    const int k = outer / 2 - inner / 2;
    CRgn ring, hole;
    ring.CreateEllipticRgn(0, 0, outer, outer);
    hole.CreateEllipticRgn(k, k, k + inner, k + inner);
    ASSERT_NE(ring.CombineRgn(ring, hole, RGN_DIFF), ERROR);
    ::SelectClipRgn(m_dc, ring);
    CString clipped = cache;
    ASSERT_TRUE(DrawText(clipped, "x", 500, 500, 4600, 4600, "Left", "Top", 480));
    ::SelectClipRgn(m_dc, nullptr);

    const Ink inside = CountInk(Pixels(800) - 1, Pixels(2300) + 1);
    EXPECT_GT(inside.total, 0);
    EXPECT_EQ(inside.inHole, 0);
    EXPECT_EQ(inside.outsideRim, 0);
    EXPECT_LT(inside.total, plain.total);
}

TEST_F(DiscDrawing, SmallZoomDrawsStrokesOnTheBandBottoms)
{
    m_view.Model().Shown().zoom = 2;
    m_view.UpdateScale();
    m_view.Renderer().SetScale(m_scale.dpi, 2);
    CString cache;
    ASSERT_TRUE(DrawText(cache, "Tiny", 500, 500, 4600, 4600, "Left", "Top", 100));
    ASSERT_FALSE(cache.IsEmpty());
    const auto records = Records(cache);
    ASSERT_EQ(records.size(), 1u);
    const int y = LabelGeometry::LengthToPixels(records[0].bottom - 500, m_scale.dpi, 2);
    int inkOnBand = 0, inkElsewhere = 0;
    for (int row = 0; row < m_size; ++row)
        for (int x = 0; x < m_size; ++x)
            if (Dark(x, row))
                ++(row == y ? inkOnBand : inkElsewhere);
    EXPECT_GT(inkOnBand, 0);
    EXPECT_EQ(inkElsewhere, 0);
}

// ---- track lists ----------------------------------------------------------------

TEST_F(DiscDrawing, TopAndBottomTrackListsLandAboveAndBelowTheHole)
{
    const char* shortList = "3`One`1:00`Two`2:00`Three`3:00`";
    CString top, bottom;
    ASSERT_TRUE(DrawTracks(top, shortList, "Top", FALSE, FALSE));
    const Ink above = CountInk(Pixels(800), Pixels(2300));
    Clear();
    ASSERT_TRUE(DrawTracks(bottom, shortList, "Bottom", FALSE, FALSE));
    const Ink below = CountInk(Pixels(800), Pixels(2300));

    ASSERT_EQ(Records(top).size(), 3u);
    ASSERT_EQ(Records(bottom).size(), 3u);
    EXPECT_GT(above.total, 0);
    EXPECT_GT(below.total, 0);
    EXPECT_LT(above.bottom, Centre() - Pixels(800));
    EXPECT_GT(below.top, Centre() + Pixels(800));
    EXPECT_EQ(above.inHole + below.inHole, 0);
    EXPECT_EQ(above.outsideRim + below.outsideRim, 0);

    // Top lists in track order from the top; bottom lists bottom band first.
    const auto t = Records(top), b = Records(bottom);
    EXPECT_NE(std::string(t[0].text.c_str()).find("One"), std::string::npos);
    EXPECT_LT(t[0].bottom, t[2].bottom);
    EXPECT_NE(std::string(b[0].text.c_str()).find("Three"), std::string::npos);
    EXPECT_GT(b[0].bottom, b[2].bottom);
}

TEST_F(DiscDrawing, SkipCenterLeavesTheHoleBandEmpty)
{
    const char* longList =
        "14`Alpha`1:01`Beta`1:02`Gamma`1:03`Delta`1:04`Epsilon`1:05`Zeta`1:06`Eta`1:07`Theta`1:08`"
        "Iota`1:09`Kappa`1:10`Lambda`1:11`Mu`1:12`Nu`1:13`Xi`1:14`";
    CString cache;
    ASSERT_TRUE(DrawTracks(cache, longList, "Top", TRUE, FALSE));
    const auto records = Records(cache);
    ASSERT_EQ(records.size(), 14u);

    int lineHeight = INT32_MAX;
    for (size_t i = 1; i < records.size(); ++i)
        if (records[i].bottom > records[i - 1].bottom)
            lineHeight = std::min(lineHeight, records[i].bottom - records[i - 1].bottom);
    ASSERT_LT(lineHeight, INT32_MAX);
    bool above = false, below = false;
    for (const auto& record : records) {
        EXPECT_FALSE(record.bottom > HoleTop() && record.bottom < HoleBottom() + lineHeight) << record.bottom;
        above |= record.bottom <= HoleTop();
        below |= record.bottom >= HoleBottom() + lineHeight;
    }
    EXPECT_TRUE(above);
    EXPECT_TRUE(below);
}

TEST_F(DiscDrawing, ANarrowLeftSideBesideTheHoleLeavesOnlyRightSides)
{
    // The box starts 1.2 inch left of the centre: beside the hole its left
    // side is far narrower than its right side.
    const char* longList =
        "14`Alpha`1:01`Beta`1:02`Gamma`1:03`Delta`1:04`Epsilon`1:05`Zeta`1:06`Eta`1:07`Theta`1:08`"
        "Iota`1:09`Kappa`1:10`Lambda`1:11`Mu`1:12`Nu`1:13`Xi`1:14`";
    const int boxLeft = 500 + 2300 - 1200;
    CString cache;
    LOGFONTA font = Font(140);
    CDC dc(m_dc.GetSafeHdc());
    ASSERT_TRUE(m_view.Renderer().DrawDiscTrackList(&dc, font, cache, longList, boxLeft, 500, 5100 - boxLeft, 4600, "Left",
                                         "Top", TRUE, TRUE, FALSE, FALSE, "Disc 1"));
    const auto records = Records(cache);
    ASSERT_EQ(records.size(), 14u);
    int besideHole = 0;
    for (const auto& record : records) {
        EXPECT_GE(record.left, boxLeft);
        if (record.bottom > HoleTop() && record.bottom < HoleBottom()) {
            ++besideHole;
            EXPECT_GT(record.left, 500 + 2300) << record.text.c_str();
        }
    }
    EXPECT_GT(besideHole, 0);
}

TEST_F(DiscDrawing, WrapDecidesWhetherTracksShareASpan)
{
    CString single, wrapped;
    ASSERT_TRUE(DrawTracks(single, kSevenTracks, "Top", FALSE, FALSE, "Left", 100));
    ASSERT_TRUE(DrawTracks(wrapped, kSevenTracks, "Top", FALSE, TRUE, "Left", 100));
    EXPECT_EQ(Records(single).size(), 7u);
    // Short tracks at a small size share spans.
    EXPECT_LT(Records(wrapped).size(), 7u);
    EXPECT_GT(Records(wrapped).size(), 0u);
}

TEST_F(DiscDrawing, CentredTrackListPutsTheMiddleTracksBesideTheHole)
{
    // A box on the hole's band only, so that the middle band crosses the hole.
    CString cache;
    LOGFONTA font = Font(240);
    CDC dc(m_dc.GetSafeHdc());
    ASSERT_TRUE(m_view.Renderer().DrawDiscTrackList(&dc, font, cache, "2`Left`1:00`Right`2:00`", 500, 500 + 2300 - 400, 4600,
                                         800, "Center", "Center", FALSE, FALSE, FALSE, FALSE, "Disc 1"));
    const auto records = Records(cache);
    ASSERT_EQ(records.size(), 2u);
    EXPECT_EQ(records[0].bottom, records[1].bottom);
    EXPECT_STREQ(records[0].text.c_str(), "Left");
    EXPECT_STREQ(records[1].text.c_str(), "Right");
    EXPECT_LT(records[0].right, records[1].left);

    // Centred in its span: the ink of each side lies around its span's middle.
    const Ink ink = CountInk(Pixels(800), Pixels(2300));
    EXPECT_EQ(ink.inHole, 0);
    EXPECT_GT(ink.total, 0);
}

TEST_F(DiscDrawing, TrackListAlignmentPlacesTextWithinItsSpan)
{
    auto columns = [&](const char* horizontal, CString& cache) {
        Clear();
        EXPECT_TRUE(DrawTracks(cache, "1`Solo`1:00`", "Top", FALSE, FALSE, horizontal));
        int first = INT32_MAX, last = -1;
        for (int y = 0; y < m_size; ++y)
            for (int x = 0; x < m_size; ++x)
                if (Dark(x, y)) {
                    first = std::min(first, x);
                    last = std::max(last, x);
                }
        return std::make_pair(first, last);
    };
    CString left, centre, right;
    const auto l = columns("Left", left), c = columns("Center", centre), r = columns("Right", right);
    ASSERT_EQ(Records(left).size(), 1u);
    // The same layout, drawn further right each time.
    EXPECT_STREQ(left.c_str(), right.c_str());
    EXPECT_LT(l.first, c.first);
    EXPECT_LT(c.first, r.first);
    EXPECT_LT(l.second, r.second);

    // Centred in the span: as much room on either side, give or take rounding.
    const auto span = Records(centre)[0];
    const int spanLeft = LabelGeometry::LengthToPixels(span.left - 500, m_scale.dpi, 10);
    const int spanRight = LabelGeometry::LengthToPixels(span.right - 500, m_scale.dpi, 10);
    EXPECT_NEAR(c.first - spanLeft, spanRight - c.second, 6);
}

TEST_F(DiscDrawing, TrackListCacheIsReusedAndAnEmptyListEmptiesIt)
{
    CString cache;
    ASSERT_TRUE(DrawTracks(cache, kSevenTracks, "Center", FALSE, FALSE));
    ASSERT_FALSE(cache.IsEmpty());
    const CString first = cache;
    const auto picture = Snapshot();
    Clear();
    ASSERT_TRUE(DrawTracks(cache, "1`Other`9:99`", "Center", FALSE, FALSE));
    EXPECT_STREQ(cache.c_str(), first.c_str());
    EXPECT_TRUE(Snapshot() == picture);

    ASSERT_TRUE(DrawTracks(cache, "", "Center", FALSE, FALSE));
    EXPECT_TRUE(cache.IsEmpty());
}

TEST_F(DiscDrawing, TrackListBoxInsideTheHoleBandWithSkipCenterDrawsNothing)
{
    CString cache;
    LOGFONTA font = Font(240);
    CDC dc(m_dc.GetSafeHdc());
    ASSERT_TRUE(m_view.Renderer().DrawDiscTrackList(&dc, font, cache, kSevenTracks, 500, HoleTop() + 100, 4600, 600, "Left",
                                         "Top", TRUE, TRUE, TRUE, FALSE, "Disc 1"));
    EXPECT_TRUE(cache.IsEmpty());
    EXPECT_EQ(CountInk(Pixels(800), Pixels(2300)).total, 0);
}

TEST_F(DiscDrawing, TrackListLongerThanTheRingHoldsDrawsTheTracksThatFit)
{
    const CString tracks = TrackListEdit::WithCount("", TrackListEdit::kMaxTracks);
    for (const char* vertical : {"Top", "Center", "Bottom"}) {
        SCOPED_TRACE(vertical);
        Clear();
        CString cache;
        ASSERT_TRUE(DrawTracks(cache, tracks, vertical, FALSE, FALSE));
        const auto records = Records(cache);
        ASSERT_FALSE(records.empty());
        // The first tracks, in order, from the top of the ring.
        const std::string first = records.front().text.c_str();
        EXPECT_EQ(first.rfind("1.", 0), 0u) << first;
        EXPECT_NE(first.find("Track 1 "), std::string::npos) << first;
        EXPECT_LT(records.size(), static_cast<size_t>(TrackListEdit::kMaxTracks));
        EXPECT_GT(CountInk(Pixels(800), Pixels(2300)).total, 0);

        // Asked for all or nothing, it leaves the list to the fitting mode.
        CString whole;
        LOGFONTA font = Font(240);
        CDC dc(m_dc.GetSafeHdc());
        ASSERT_TRUE(m_view.Renderer().DrawDiscTrackList(&dc, font, whole, tracks, 500, 500, 4600, 4600, "Left",
                                                        vertical, TRUE, TRUE, FALSE, FALSE, "Disc 1", false));
        EXPECT_TRUE(whole.IsEmpty());
    }
}

}  // namespace
