#include "label/DragGeometry.h"

#include <gtest/gtest.h>

#include <string>

namespace
{
std::string Text(const RECT& r)
{
    return std::to_string(r.left) + "," + std::to_string(r.top) + "," + std::to_string(r.right) + "," +
           std::to_string(r.bottom);
}

TEST(DragSnap, RoundsToTheNearestLineAndHalfWayDown)
{
    struct Case
    {
        int value, grid, snapped;
    };
    const Case cases[] = {
        {249, 100, 200}, {251, 100, 300}, {250, 100, 200}, {300, 100, 300}, {0, 100, 0},
        {-249, 100, -200}, {-260, 100, -200},  // toward zero
        {1049, 125, 1000}, {1063, 125, 1125}, {777, 0, 777},  // no grid: unchanged
    };
    for (const Case& c : cases)
        EXPECT_EQ(DragGeometry::SnapToGrid(c.value, c.grid), c.snapped) << c.value << " on " << c.grid;
}

TEST(DraggedRect, EachModeMovesItsEdges)
{
    const RECT box{1000, 2000, 3000, 2500};
    struct Case
    {
        const char* mode;
        const char* plain;    // dragged by (+149, -151)
        const char* snapped;  // the same on a 100 grid
    };
    const Case cases[] = {
        {"Move", "1149,1849,3149,2349", "1100,1800,3100,2300"},
        {"Top", "1000,1849,3000,2500", "1000,1800,3000,2500"},
        {"Bottom", "1000,2000,3000,2349", "1000,2000,3000,2300"},
        {"Left", "1149,2000,3000,2500", "1100,2000,3000,2500"},
        {"Right", "1000,2000,3149,2500", "1000,2000,3100,2500"},
        {"TopLeft", "1149,1849,3000,2500", "1100,1800,3000,2500"},
        {"TopRight", "1000,1849,3149,2500", "1000,1800,3100,2500"},
        {"BottomLeft", "1149,2000,3000,2349", "1100,2000,3000,2300"},
        {"BottomRight", "1000,2000,3149,2349", "1000,2000,3100,2300"},
        {"Cover", "1000,2000,3000,2500", "1000,2000,3000,2500"},
        {"", "1000,2000,3000,2500", "1000,2000,3000,2500"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(Text(DragGeometry::DraggedRect(box, c.mode, 149, -151, false, SIZE{100, 100})), c.plain) << c.mode;
        EXPECT_EQ(Text(DragGeometry::DraggedRect(box, c.mode, 149, -151, true, SIZE{100, 100})), c.snapped) << c.mode;
    }
    // A snapped move keeps an off-grid size.
    EXPECT_EQ(Text(DragGeometry::DraggedRect(RECT{1010, 1010, 1333, 1444}, "Move", 240, 0, true, SIZE{100, 50})),
              "1200,1000,1523,1434");
}

TEST(ClampDragRect, MovesStayInsideWithTheirSize)
{
    const RECT limits{1000, 1000, 6000, 4000};
    struct Case
    {
        RECT box;
        const char* clamped;
    };
    const Case cases[] = {
        {{500, 1500, 1500, 2000}, "1000,1500,2000,2000"},
        {{5500, 3800, 6500, 4300}, "5000,3500,6000,4000"},
        {{2000, 2000, 3000, 3000}, "2000,2000,3000,3000"},
        {{0, 0, 8000, 5000}, "-2000,-1000,6000,4000"},  // larger than the limits: ends on right and bottom
    };
    for (const Case& c : cases)
        EXPECT_EQ(Text(DragGeometry::ClampDragRect(c.box, "Move", limits, nullptr)), c.clamped);
}

TEST(ClampDragRect, ResizesKeepATenthOfAnInchAndStopAtTheLimits)
{
    const RECT limits{1000, 1000, 6000, 4000};
    // The right edge dragged past the left one.
    EXPECT_EQ(Text(DragGeometry::ClampDragRect(RECT{2000, 2000, 1500, 2500}, "Right", limits, nullptr)),
              "2000,2000,2100,2500");
    EXPECT_EQ(Text(DragGeometry::ClampDragRect(RECT{2050, 1800, 2000, 2500}, "TopLeft", limits, nullptr)),
              "1900,1800,2000,2500");
    // Past the limits the moved edge is cut, not shifted.
    EXPECT_EQ(Text(DragGeometry::ClampDragRect(RECT{2000, 500, 7000, 2500}, "TopRight", limits, nullptr)),
              "2000,1000,6000,2500");
}

TEST(ClampDragRect, ALockedImageFollowsItsProportionsCentredOnItsOldExtent)
{
    // A picture twice as wide as high.
    int calls = 0;
    const DragGeometry::AspectFit twoToOne = [&](double& width, double& height) {
        ++calls;
        if (width / height > 2.0)
            width = height * 2.0;
        else
            height = width / 2.0;
        return true;
    };
    const RECT limits{0, 0, 10000, 10000};
    // The right handle: 2000 wide asks for 1000 high, centred on the old 2000..2600.
    EXPECT_EQ(Text(DragGeometry::ClampDragRect(RECT{1000, 2000, 3000, 2600}, "Right", limits, twoToOne)),
              "1000,1800,3000,2800");
    // The bottom handle: 800 high asks for 1600 wide, centred on the old 1000..2000.
    EXPECT_EQ(Text(DragGeometry::ClampDragRect(RECT{1000, 2000, 2000, 2800}, "Bottom", limits, twoToOne)),
              "700,2000,2300,2800");
    // A corner: the fit within the dragged box, anchored at the fixed corner.
    EXPECT_EQ(Text(DragGeometry::ClampDragRect(RECT{1000, 2000, 4000, 3000}, "BottomRight", limits, twoToOne)),
              "1000,2000,3000,3000");
    EXPECT_EQ(calls, 3);
    // A picture that can't be fitted leaves the dragged box as it is.
    const DragGeometry::AspectFit refuses = [](double&, double&) { return false; };
    EXPECT_EQ(Text(DragGeometry::ClampDragRect(RECT{1000, 2000, 3000, 2600}, "Right", limits, refuses)),
              "1000,2000,3000,2600");
}
}  // namespace
