// Layout caches come back from document files, so a damaged file can hand the
// drawing any text at all where a layout should be. Drawing such a label must
// neither crash nor stop: the surfaces are drawn, the other objects are drawn
// as before, and no error box interrupts the user.
#include "view/Quorbel6View.h"

#include <gtest/gtest.h>

#include "SurfaceTestSupport.h"

#include <string>
#include <vector>

namespace
{
constexpr COLORREF kWhite = RGB(255, 255, 255);

class DamagedLayoutCache : public SurfaceTest
{
protected:
    DamagedLayoutCache() : SurfaceTest("Double") {}

    void SetUp() override
    {
        SurfaceTest::SetUp();
        m_view.Model().AppendTextRow(TextEntry{"Title", "Text", "FIRST ALBUM", 1});
        m_view.Model().AppendTextRow(TextEntry{"Track List", "Track", "3`One`1:00`Two`2:00`Three`3:00`", 2});
        AddText("Title(1)", "Text", "2", "Front Cover", "1.500 ''", "1.500 ''", "3.000 ''", "1.000 ''");
        AddText("Title(2)", "Text", "1", "Disc 1", "2.000 ''", "1.100 ''", "2.500 ''", "0.600 ''");
        AddText("Track List(1)", "Track", "3", "Back Cover", "1.500 ''", "1.500 ''", "4.000 ''", "3.000 ''");
        AddText("Track List(2)", "Track", "1", "Disc 2", "1.500 ''", "6.300 ''", "4.000 ''", "3.800 ''");
    }

    void AddText(const char* name, const char* type, const char* page, const char* surface, const char* left,
                 const char* top, const char* width, const char* height)
    {
        AddObject(name, type,
                  {{"Page", page}, {"View", surface}, {"Left", left}, {"Top", top}, {"Width", width},
                   {"Height", height}, {"Font", "Arial,20,700,0"}, {"Color", "0,0,0"}, {"Alignment", "Center"},
                   {"MultiLine", "No"}, {"Angle", "0 degrees"}, {"Track Numbers", "Yes"}, {"Track Times", "Yes"},
                   {"Offset Numbers", "No"}, {"Skip Center", "Yes"}, {"Wrap Tracks", "No"}, {"Vector Data", ""}});
    }

    void DrawEveryPage()
    {
        for (const char* page : {"1", "2", "3"}) {
            m_view.Model().Shown().page = page;
            Draw();
        }
    }

    int InkOn(int surface) const
    {
        const SIZE size = m_view.m_surfaceBitmaps.GetSize(surface);
        int ink = 0;
        for (int y = 0; y < size.cy; y += 2)
            for (int x = 0; x < size.cx; x += 2)
                if (const COLORREF c = Pixel(surface, x, y); GetRValue(c) < 60 && GetGValue(c) < 60 && GetBValue(c) < 60)
                    ++ink;
        return ink;
    }
};

TEST_F(DamagedLayoutCache, AnyCacheTextIsDrawnOrSkippedWithoutAnErrorAndTheOtherObjectsStayDrawn)
{
    DrawEveryPage();
    ASSERT_TRUE(m_errors.empty());
    const CString goodFront = m_view.GetPropertyValue("Title(1)", "Vector Data");
    for (const char* name : {"Title(1)", "Title(2)", "Track List(1)", "Track List(2)"})
        ASSERT_FALSE(m_view.GetPropertyValue(name, "Vector Data").IsEmpty()) << name << ": laid out by the first drawing";
    m_view.Model().Shown().page = "3";
    Draw();
    const int backInk = InkOn(CSurfaceBitmaps::kBackCover);
    ASSERT_GT(backInk, 50);

    const std::string longLine(20000, 'W');
    const std::vector<std::string> damaged = {
        "`",
        "````````````",
        "abc",
        "200`",                                  // a height and no records
        "200`TEXT`",                             // a torn record
        "200`TEXT`10`20`30`",                    // four of five fields
        "200`TEXT`x`y`z`w`",                     // no numbers where numbers belong
        "2147483647`TEXT`0`100`0`100`",          // the largest height
        "-2147483648`TEXT`0`100`0`100`",         // the smallest
        "200`TEXT`-2147483648`2147483647`-2147483648`2147483647`",
        "200`TEXT`99999999999999999999`1`1`1`",  // past any int
        "200`" + longLine + "`0`100`0`100`",
        "200`TEXT`0`100`0`100`TEXT`0`100`0`100`TEXT`0`100`0`100`",
        std::string("200`TE\0XT`0`100`0`100`", 23),
    };
    for (const std::string& cache : damaged) {
        SCOPED_TRACE(cache.size() > 80 ? cache.substr(0, 80) + "..." : cache);
        for (const char* name : {"Title(1)", "Title(2)", "Track List(2)"})
            m_view.ReplacePropertyValue(name, "Vector Data", CString(cache.data(), static_cast<int>(cache.size())));
        DrawEveryPage();
        EXPECT_TRUE(m_errors.empty()) << m_errors.size() << " error boxes, the first " << m_errors.front();
        m_errors.clear();
        // The back cover's list kept its own layout and is drawn as before.
        m_view.Model().Shown().page = "3";
        Draw();
        EXPECT_EQ(InkOn(CSurfaceBitmaps::kBackCover), backInk);
        // The disc hole is never painted, whatever the cache says.
        const ScreenDisc& disc = m_view.Renderer().Geometry().disc1;
        const int centre = disc.outerDiameter / 2;
        m_view.Model().Shown().page = "1";
        Draw();
        EXPECT_EQ(Pixel(CSurfaceBitmaps::kDisc1, centre, centre), kWhite);
    }

    // A good layout brings the text back.
    m_view.ReplacePropertyValue("Title(1)", "Vector Data", goodFront);
    m_view.Model().Shown().page = "2";
    Draw();
    EXPECT_GT(InkOn(CSurfaceBitmaps::kFrontCover), 20);
    EXPECT_TRUE(m_errors.empty());
}

}  // namespace
