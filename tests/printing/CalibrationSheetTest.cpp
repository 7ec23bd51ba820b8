// Where the calibration sheet's words go: upright on the paper whichever way
// a landscape sheet is turned onto it, and the instructions beside the marks.
#include "view/CalibrationSheet.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

TEST(CalibrationSheet, PaperPointsLandOnTheEdgeThatIsTheirs)
{
    const SIZE landscape{11000, 8500};
    const struct
    {
        SheetTurn turn;
        POINT paperTopLeft;  // where the paper's top-left corner lies on the sheet
        int escapement;
    } cases[] = {{SheetTurn::TopAtLeft, {0, 8500}, 900}, {SheetTurn::TopAtRight, {11000, 0}, 2700}};
    for (const auto& c : cases) {
        const PaperFrame frame(landscape, c.turn);
        EXPECT_EQ(frame.Paper().cx, 8500);
        EXPECT_EQ(frame.Paper().cy, 11000);
        const POINT corner = frame.ToSheet(POINT{0, 0});
        EXPECT_EQ(corner.x, c.paperTopLeft.x);
        EXPECT_EQ(corner.y, c.paperTopLeft.y);
        EXPECT_EQ(frame.Escapement(), c.escapement);
        // A box of the sheet and back.
        const RECT onPaper = frame.ToPaper(RECT{800, 800, 10320, 5560});
        const POINT a = frame.ToSheet(POINT{onPaper.left, onPaper.top});
        const POINT b = frame.ToSheet(POINT{onPaper.right, onPaper.bottom});
        EXPECT_EQ(std::min(a.x, b.x), 800);
        EXPECT_EQ(std::max(a.y, b.y), 5560);
    }
    EXPECT_EQ(SheetTurnOf(false, 90), SheetTurn::None);
    EXPECT_EQ(SheetTurnOf(true, 90), SheetTurn::TopAtRight);
    EXPECT_EQ(SheetTurnOf(true, 270), SheetTurn::TopAtLeft);
}

TEST(CalibrationSheet, InstructionsWrapIntoTheFreePlaceAndKeepClearOfTheMarks)
{
    // 60 thousandths a character, lines a tenth of the size high.
    const MeasureText measure = [](const std::string& text, int points) {
        return SIZE{static_cast<LONG>(text.size()) * 60 * points / 9, 15 * points};
    };
    const std::vector<std::string> lines = {"", "A first line of words that is much wider than the column beside",
                                            "the outline", "", "and a last one."};
    const RECT area{250, 250, 8250, 10750};
    // An outline over the left of the paper and a crosshair in the middle.
    const std::vector<RECT> keepOut = {{650, 530, 5710, 10350}, {1850, 3100, 6650, 7900}};
    const std::vector<PlacedLine> placed = PlaceInstructions("Printer Calibration", lines, area, keepOut, measure);
    ASSERT_GE(placed.size(), 4u) << "the title and the three lines of words, wrapped";
    EXPECT_EQ(placed.front().points, 15) << "the largest size fits";
    for (const PlacedLine& line : placed) {
        SCOPED_TRACE(line.text);
        const SIZE size = measure(line.text, line.points);
        const RECT box{line.at.x, line.at.y, line.at.x + size.cx, line.at.y + size.cy};
        EXPECT_GE(box.left, area.left);
        EXPECT_LE(box.right, area.right);
        EXPECT_GE(box.top, area.top);
        EXPECT_LE(box.bottom, area.bottom);
        for (const RECT& mark : keepOut)
            EXPECT_FALSE(box.left < mark.right && mark.left < box.right && box.top < mark.bottom &&
                         mark.top < box.bottom);
    }
    // Nowhere to go: nothing is placed over the marks.
    EXPECT_TRUE(PlaceInstructions("Title", lines, area, {area}, measure).empty());
}
