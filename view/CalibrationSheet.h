#pragma once
// The parts of the calibration sheet that depend on how the paper is read:
// where a landscape sheet's words must go to read upright on the portrait
// paper it is printed on, and where the instructions fit beside the parts'
// outlines and the crosshair. Lengths in thousandths of an inch.
#include <windows.h>

#include <functional>
#include <string>
#include <vector>

// How the printer lays a sheet onto the paper it feeds.
enum class SheetTurn
{
    None,        // a portrait sheet: the sheet is the paper
    TopAtLeft,   // landscape, the paper's top edge is the sheet's left edge
    TopAtRight,  // landscape, the paper's top edge is the sheet's right edge
};

// The driver's landscape turn: its portrait turned this many degrees
// counter-clockwise gives landscape (90 or 270, as DC_ORIENTATION says).
SheetTurn SheetTurnOf(bool landscape, int landscapeDegrees);

// Points of the paper as it is read (x right, y down) on the sheet as drawn.
class PaperFrame
{
public:
    PaperFrame(SIZE sheet, SheetTurn turn) : m_sheet(sheet), m_turn(turn) {}

    SheetTurn Turn() const { return m_turn; }
    // The paper's width and height as it is read.
    SIZE Paper() const;
    POINT ToSheet(POINT onPaper) const;
    RECT ToPaper(const RECT& onSheet) const;
    // The escapement that makes words read upright on the paper (tenths of a degree).
    int Escapement() const;

private:
    SIZE m_sheet;
    SheetTurn m_turn;
};

// One line of the instructions placed on the paper: its top-left corner and
// its point size.
struct PlacedLine
{
    std::string text;
    POINT at;
    int points;
};

// Measures a text's width and height at a point size.
using MeasureText = std::function<SIZE(const std::string& text, int points)>;

// The title and instructions wrapped into the largest free place of `area`
// that keeps clear of `keepOut`, at the largest of the body sizes that fits
// (the title six points larger). Lines that fit nowhere are left out.
std::vector<PlacedLine> PlaceInstructions(const std::string& title, const std::vector<std::string>& lines,
                                          const RECT& area, const std::vector<RECT>& keepOut,
                                          const MeasureText& measure);
