#pragma once

#include "framework/String.h"

#include <windows.h>

// Where a text sits in its box, across and down.
enum class HorizontalAlignment
{
    Left,
    Center,
    Right
};
enum class VerticalAlignment
{
    Top,
    Center,
    Bottom
};

// The drawing properties of a Text or Track object as the drawing needs them:
// read from the object's "Font", "Alignment", "Angle" and "Color" rows once,
// when they change, instead of at every redraw.
struct ObjectStyle
{
    // lfHeight in tenths of a point; escapement and orientation from the angle.
    LOGFONTA font{};
    HorizontalAlignment horizontal = HorizontalAlignment::Center;
    VerticalAlignment vertical = VerticalAlignment::Center;
    COLORREF color = 0;
};

// "face,points,weight,italic": a missing size reads as 10 points, a missing
// weight as normal; a size beyond 1638 points (the font dialog's largest) or a
// weight beyond 1000 reads as that, a negative one as 0.
LOGFONTA ParseFontText(const CString& text);
// "Top Left" ... "Bottom Right"; anything else centres.
HorizontalAlignment ParseHorizontalAlignment(const CString& alignment);
VerticalAlignment ParseVerticalAlignment(const CString& alignment);
// "90 degrees" -> 900 tenths of a degree; "270 degrees" turns the other way (-900).
int ParseAngle(const CString& angle);
// "r,g,b" as a colour reference; false when the text is not three numbers.
bool ParseColor(const CString& text, COLORREF& color);

// The names the text drawing still speaks in: "Left", "Center", "Right",
// "Top", "Bottom".
const char* AlignmentName(HorizontalAlignment alignment);
const char* AlignmentName(VerticalAlignment alignment);
