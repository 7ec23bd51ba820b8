#pragma once

#include "framework/String.h"
#include "label/LabelRows.h"
#include "label/SurfaceGeometry.h"

#include <vector>

// The arithmetic of the label's geometry, free of windows and contexts.
namespace LabelGeometry
{
// A length in thousandths of an inch as pixels at `dpi` and `zoom` (tenths),
// truncated toward zero. Done in integers: going through 1000 / dpi as a float
// factor turns one inch at 96 dpi into 95 pixels.
int LengthToPixels(int length, int dpi, int zoom);
// A pixel length back to thousandths of an inch, truncated.
int PixelsToLength(int pixels, int dpi, int zoom);

// Every member of the sheet geometry scaled to pixels.
ScreenGeometry ScaleGeometry(const SurfaceGeometry& document, int dpi, int zoom);

// The distance from a disc's edge to its hole along a diameter (integer halves).
template <class Unit>
int DiscRingOffset(const DiscGeometryIn<Unit>& disc)
{
    return disc.outerDiameter / 2 - disc.innerDiameter / 2;
}

// The first rows of the Image objects on `page` in the order they are drawn:
// the backgrounds in row order, then the others by ascending stacking number
// (compared as numbers); images that share a number keep their row order.
std::vector<int> ImageDrawOrder(const PropertyRows& rows, const CString& page);
}  // namespace LabelGeometry
