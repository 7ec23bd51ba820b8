#pragma once

#include "framework/String.h"
#include "view/LabelRows.h"
#include "view/SurfaceGeometry.h"

#include <windows.h>

#include <vector>

// The arithmetic of the view's screen geometry, free of windows and contexts.
namespace ViewGeometry
{
// Pixels kept around the page on each side; the page origin never rises above -kPageMargin.
constexpr int kPageMargin = 17;
constexpr int kMinZoom = 6;
constexpr int kZoomStep = 2;

// The fixed sizes of the off-screen surface bitmaps.
constexpr SIZE kBackCoverBitmap{1250, 1000};
constexpr SIZE kFrontCoverBitmap{2100, 1050};
constexpr SIZE kDiscBitmap{1060, 1060};

// A length in thousandths of an inch as pixels at `dpi` and `zoom` (tenths),
// truncated toward zero. Done in integers: going through 1000 / dpi as a float
// factor turns one inch at 96 dpi into 95 pixels.
int LengthToPixels(int length, int dpi, int zoom);
// A pixel length back to thousandths of an inch, truncated.
int PixelsToLength(int pixels, int dpi, int zoom);

// Every member of the document geometry scaled to pixels.
SurfaceGeometry ScaleGeometry(const SurfaceGeometry& document, int dpi, int zoom);

// The surfaces whose bitmaps a zoom must keep them inside.
enum SurfaceFlags : unsigned
{
    kBackCoverSurface = 1,
    kFrontCoverSurface = 2,
    kDisc1Surface = 4,
    kDisc2Surface = 8,
};
// True when each surface named by `surfaces` fits its own bitmap at the
// on-screen geometry (a size equal to the bitmap's still fits).
bool SurfacesFitBitmaps(const SurfaceGeometry& screen, unsigned surfaces);

// The page origin for a client area: centred when the client is wider (higher)
// than the page plus both margins, else -kPageMargin so the page scrolls.
POINT CenterOrigin(SIZE client, SIZE page);

// The largest zoom from 6 to 22 in steps of 2 at which a surface of `target`
// size fits the client area, less a scroll bar on each axis where the page is
// larger than the client; 6 even when it does not fit at 6.
int FitZoom(SIZE target, SIZE page, SIZE client, SIZE scrollBars, int dpi);

// The distance from a disc's edge to its hole along a diameter (integer halves).
inline int DiscRingOffset(const DiscGeometry& disc)
{
    return disc.outerDiameter / 2 - disc.innerDiameter / 2;
}

// "r,g,b" as a colour reference; false when the text is not three numbers.
bool ParseColor(const CString& text, COLORREF& color);

// The first rows of the Image objects on `page` in the order they are drawn:
// the backgrounds in row order, then the others by ascending stacking number
// (compared as numbers); images that share a number keep their row order.
std::vector<int> ImageDrawOrder(const PropertyRows& rows, const CString& page);
}  // namespace ViewGeometry
