#pragma once
// The alignment wizard's test print: the sheet the wizard shows, with the
// outlines of the label parts that lie on it at the places the template gives
// them (the discs and their holes; the front cover with its fold; the back
// cover with its spine lines), so the printout can be laid on the label stock.

#include "label/LabelDim.h"

#include <windows.h>

class PaperTestSheet
{
public:
    // `frontSide`: for jewel-case paper on two sheets, true prints the front
    // cover's sheet (sheet 1), false the back cover's (sheet 2).
    PaperTestSheet(const CLabelDim& paper, bool frontSide);

    const CLabelDim& Paper() const { return m_paper; }
    // The sheet printed, in thousandths of an inch; landscape when wider than high.
    SIZE Sheet() const;
    // Draws the outlines in device pixels: `corner` is where the sheet's
    // top-left corner lies on the device, `dpi` its resolution.
    void Draw(HDC dc, POINT corner, SIZE dpi) const;

private:
    bool BackCoverOnSheet() const;
    bool FrontCoverOnSheet() const;

    CLabelDim m_paper;
    bool m_frontSide;
};
