#pragma once

#include "framework/String.h"
#include "label/SurfaceGeometry.h"

#include <windows.h>

#include <vector>

// The arithmetic of the view window's placement of the page, free of windows and contexts.
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
bool SurfacesFitBitmaps(const ScreenGeometry& screen, unsigned surfaces);

// The page origin for a client area: centred when the client is wider (higher)
// than the page plus both margins, else -kPageMargin so the page scrolls.
POINT CenterOrigin(SIZE client, SIZE page);

// The largest zoom from 6 to 22 in steps of 2 at which a surface of `target`
// size fits the client area, less a scroll bar on each axis where the page is
// larger than the client; 6 even when it does not fit at 6.
int FitZoom(SIZE target, SIZE page, SIZE client, SIZE scrollBars, int dpi);

}  // namespace ViewGeometry
