#include "TextDrawingSupport.h"

#include "label/TextRedrawCache.h"

#include <stdexcept>
#include <string>

namespace
{
using TextRedrawCacheTest = TextDrawingTest;

// A memory context of the fixture's kind, drawn on through another mapping.
class ScaledContext
{
public:
    explicit ScaledContext(HDC like)
        : m_dc(like), m_bitmap(::CreateCompatibleBitmap(like, 8, 8)), m_selected(m_dc.m_hDC, m_bitmap)
    {
        ::SetMapMode(m_dc.m_hDC, MM_ANISOTROPIC);
        ::SetWindowExtEx(m_dc.m_hDC, 1, 1, nullptr);
        ::SetViewportExtEx(m_dc.m_hDC, 2, 2, nullptr);
    }
    operator HDC() const { return m_dc.m_hDC; }

private:
    CMemoryDC m_dc;
    CBitmap m_bitmap;
    CSelectGuard m_selected;  // last: the bitmap leaves the context before either goes
};

// The bitmap's pixels, to compare two drawings.
std::vector<DWORD> Pixels(const DWORD* bits, int size)
{
    ::GdiFlush();
    return std::vector<DWORD>(bits, bits + static_cast<size_t>(size) * size);
}

TEST_F(TextRedrawCacheTest, AnAnswerIsMeasuredAgainWhenAnythingItDependsOnDiffers)
{
    CTextMeasureMemo memo;
    int measured = 0;
    auto ask = [&](HDC dc, const LOGFONTA& font, const CString& text, int zoom) {
        return memo.ZoomedHeight(dc, font, text, zoom, [&] { return static_cast<LONG>(++measured); });
    };
    const LOGFONTA base = Font(240);
    ASSERT_EQ(ask(m_dc, base, "Title", 16), 1);
    EXPECT_EQ(ask(m_dc, base, "Title", 16), 1);
    EXPECT_EQ(measured, 1);

    // Fonts are made with their orientation at the escapement, and a face ends at its terminator.
    LOGFONTA same = base;
    same.lfOrientation = 450;
    std::memset(same.lfFaceName + std::strlen(same.lfFaceName) + 1, 'x', 3);
    EXPECT_EQ(ask(m_dc, same, "Title", 16), 1);

    struct Change
    {
        const char* what;
        void (*apply)(LOGFONTA& font, CString& text, int& zoom);
    } const changes[] = {
        {"zoom", [](LOGFONTA&, CString&, int& zoom) { zoom = 17; }},
        {"text", [](LOGFONTA&, CString& text, int&) { text = "Title!"; }},
        {"height", [](LOGFONTA& font, CString&, int&) { font.lfHeight = 239; }},
        {"face", [](LOGFONTA& font, CString&, int&) { std::strcpy(font.lfFaceName, "Arial"); }},
        {"weight", [](LOGFONTA& font, CString&, int&) { font.lfWeight = FW_BOLD; }},
        {"italic", [](LOGFONTA& font, CString&, int&) { font.lfItalic = 1; }},
        {"escapement", [](LOGFONTA& font, CString&, int&) { font.lfEscapement = 900; }},
    };
    for (const Change& change : changes) {
        LOGFONTA font = base;
        CString text = "Title";
        int zoom = 16;
        change.apply(font, text, zoom);
        const int before = measured;
        EXPECT_EQ(ask(m_dc, font, text, zoom), before + 1) << change.what;
    }

    // The same request on a context that maps its units differently.
    ScaledContext scaled(m_dc);
    const int before = measured;
    EXPECT_EQ(ask(scaled, base, "Title", 16), before + 1);
    EXPECT_EQ(ask(scaled, base, "Title", 16), before + 1);

    // The widest lines are a store of their own.
    int widest = 0;
    EXPECT_STREQ(memo.WidestLine(m_dc, base, "Title", [&] { return CString(std::to_string(++widest).c_str()); }), "1");
    EXPECT_STREQ(memo.WidestLine(m_dc, base, "Title", [&] { return CString(std::to_string(++widest).c_str()); }), "1");
}

TEST_F(TextRedrawCacheTest, AFailedMeasurementIsNotRemembered)
{
    CTextMeasureMemo memo;
    const LOGFONTA font = Font(240);
    EXPECT_THROW(memo.ZoomedHeight(m_dc, font, "Text", 10, []() -> LONG { throw std::runtime_error("font"); }),
                 std::runtime_error);
    EXPECT_EQ(memo.GetCount(), 0u);
    EXPECT_EQ(memo.ZoomedHeight(m_dc, font, "Text", 10, [] { return LONG{120}; }), 120);
}

TEST_F(TextRedrawCacheTest, ACacheReadInPlaceGivesTheRecordsOfItsCopies)
{
    const char* const caches[] = {
        "",
        "480",
        "480`",
        "480`One`1015`2985`1000`1500`",
        "480`One`1015`2985`1000`1500`Two`-15`0`1500`2000`",
        "300`Ring`10`20``950`Half`1`2`",            // a disc line's empty top, then a torn record
        "120``5`5`7`9`tail without a backtick",     // an empty line text
        "90`Odd`12abc` 7`+3`-0`",                     // numbers as std::atoi reads them
    };
    for (const char* text : caches) {
        const CString cache = text;
        const std::vector<TextLayout::CacheLine> copies = TextLayout::CacheLines(cache);
        const std::vector<TextLayout::CacheLineInPlace> lines = TextLayout::ReadCacheLines(cache);
        ASSERT_EQ(lines.size(), copies.size()) << text;
        for (size_t i = 0; i < lines.size(); ++i) {
            EXPECT_STREQ(CString(lines[i].text, lines[i].length), copies[i].text) << text;
            EXPECT_EQ(lines[i].x0, std::atoi(copies[i].x0)) << text;
            EXPECT_EQ(lines[i].x1, std::atoi(copies[i].x1)) << text;
            EXPECT_EQ(lines[i].y0, std::atoi(copies[i].y0)) << text;
            EXPECT_EQ(lines[i].y1, std::atoi(copies[i].y1)) << text;
        }
    }
}

TEST_F(TextRedrawCacheTest, ARedrawAfterOtherZoomsDrawsWhatAFreshViewDraws)
{
    struct Case
    {
        const char* text;
        const char* horizontal;
        const char* vertical;
        int escapement;
    } const cases[] = {
        {"Album Title", "Center", "Center", 0},
        {"Left and top\r\nTwo lines", "Left", "Top", 0},
        {"Turned", "Right", "Bottom", 900},
    };
    for (const Case& c : cases) {
        CString cache;
        // The view remembers what each zoom measured; a fresh one measures anew.
        for (int zoom : {10, 16, 6, 10}) {
            Clear();
            m_view.Model().Shown().zoom = zoom;
            m_view.UpdateScale();
            LOGFONTA font = Font(360, c.escapement);
            ASSERT_TRUE(m_view.Renderer().DrawTextObject(&m_dc, font, cache, c.text, 500, 500, 2500, 2000, c.horizontal,
                                              c.vertical, true, "Back Cover"));
            const LONG drawnHeight = font.lfHeight;
            const std::vector<DWORD> redrawn = Pixels(m_bits, kSize);

            Clear();
            CQuorbel6View fresh;
            fresh.Model().Shown().zoom = zoom;
            fresh.UpdateScale();
            font = Font(360, c.escapement);
            ASSERT_TRUE(fresh.Renderer().DrawTextObject(&m_dc, font, cache, c.text, 500, 500, 2500, 2000, c.horizontal,
                                             c.vertical, true, "Back Cover"));
            EXPECT_EQ(font.lfHeight, drawnHeight) << c.text << " zoom " << zoom;
            EXPECT_TRUE(Pixels(m_bits, kSize) == redrawn) << c.text << " zoom " << zoom;
        }
    }
    EXPECT_TRUE(m_errors.empty());
}

TEST_F(TextRedrawCacheTest, HeldFontsLeaveTheDrawingContextAloneAndStayFew)
{
    CWarmFonts warm;
    CFont drawn;
    ASSERT_TRUE(TextLayout::CreateFontFor(drawn, Font(240), m_dc));
    CSelectGuard selected(m_dc, drawn);
    warm.Hold(m_dc, drawn);
    warm.Hold(m_dc, drawn);
    EXPECT_EQ(warm.GetCount(), 1u);
    EXPECT_EQ(::GetCurrentObject(m_dc, OBJ_FONT), drawn.Get());

    // The held copy outlives the font it was made from.
    {
        CFont other;
        ASSERT_TRUE(TextLayout::CreateFontFor(other, Font(250), m_dc));
        warm.Hold(m_dc, other);
    }
    EXPECT_EQ(warm.GetCount(), 2u);

    for (int tenths = 100; tenths < 100 + static_cast<int>(CWarmFonts::kMostHeld) * 20; tenths += 10) {
        CFont font;
        ASSERT_TRUE(TextLayout::CreateFontFor(font, Font(tenths), m_dc));
        warm.Hold(m_dc, font);
    }
    EXPECT_EQ(warm.GetCount(), CWarmFonts::kMostHeld);
    warm.Hold(m_dc, nullptr);
    EXPECT_EQ(warm.GetCount(), CWarmFonts::kMostHeld);
}
}  // namespace
