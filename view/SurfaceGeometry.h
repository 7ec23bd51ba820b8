#pragma once

// Where the surfaces of a label lie: in thousandths of an inch from the
// top-left corner of their sheet, or in pixels at the current zoom.
struct BackCoverGeometry
{
    int left = 0;
    int top = 0;
    int width = 0;  // spine tabs included
    int height = 0;
    int tab = 0;    // width of each spine tab
};

struct FrontCoverGeometry
{
    int left = 0;
    int top = 0;
    int width = 0;  // a folded cover is twice as wide: its left half is the inside
    int height = 0;
};

struct DiscGeometry
{
    int left = 0;  // of the square around the disc
    int top = 0;
    int innerDiameter = 0;
    int outerDiameter = 0;
    int textMargin = 0;
};

struct SurfaceGeometry
{
    BackCoverGeometry back;
    FrontCoverGeometry front;
    DiscGeometry disc1;
    DiscGeometry disc2;
};
