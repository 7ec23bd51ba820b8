#pragma once

// Lengths carry their unit in their type: thousandths of an inch on the
// label's sheets, or pixels at a resolution and zoom. A length reads as a plain
// number for arithmetic, but a length of one unit never becomes one of the
// other without going through the conversion (LabelGeometry::ScaleGeometry).
struct Thousandths
{
};
struct Pixels
{
};

template <class Unit>
class Length
{
public:
    constexpr Length(int value = 0) : m_value(value) {}
    constexpr operator int() const { return m_value; }
    constexpr int Get() const { return m_value; }
    Length& operator+=(int delta)
    {
        m_value += delta;
        return *this;
    }

private:
    int m_value;
};

// Where the surfaces of a label lie: from the top-left corner of their sheet,
// or of the page drawn at a zoom.
template <class Unit>
struct BackCoverGeometryIn
{
    Length<Unit> left;
    Length<Unit> top;
    Length<Unit> width;  // spine tabs included
    Length<Unit> height;
    Length<Unit> tab;    // width of each spine tab
};

template <class Unit>
struct FrontCoverGeometryIn
{
    Length<Unit> left;
    Length<Unit> top;
    Length<Unit> width;  // a folded cover is twice as wide: its left half is the inside
    Length<Unit> height;
};

template <class Unit>
struct DiscGeometryIn
{
    Length<Unit> left;  // of the square around the disc
    Length<Unit> top;
    Length<Unit> innerDiameter;
    Length<Unit> outerDiameter;
    Length<Unit> textMargin;
};

template <class Unit>
struct SurfaceGeometryIn
{
    BackCoverGeometryIn<Unit> back;
    FrontCoverGeometryIn<Unit> front;
    DiscGeometryIn<Unit> disc1;
    DiscGeometryIn<Unit> disc2;
};

// On the sheet, in thousandths of an inch.
using DocLength = Length<Thousandths>;
using BackCoverGeometry = BackCoverGeometryIn<Thousandths>;
using FrontCoverGeometry = FrontCoverGeometryIn<Thousandths>;
using DiscGeometry = DiscGeometryIn<Thousandths>;
using SurfaceGeometry = SurfaceGeometryIn<Thousandths>;

// Drawn, in pixels at a zoom.
using PixelLength = Length<Pixels>;
using ScreenBackCover = BackCoverGeometryIn<Pixels>;
using ScreenFrontCover = FrontCoverGeometryIn<Pixels>;
using ScreenDisc = DiscGeometryIn<Pixels>;
using ScreenGeometry = SurfaceGeometryIn<Pixels>;
