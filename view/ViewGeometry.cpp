#include "view/ViewGeometry.h"

#include "label/LabelGeometry.h"

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <utility>

namespace ViewGeometry
{
bool SurfacesFitBitmaps(const ScreenGeometry& screen, unsigned surfaces)
{
    if ((surfaces & kBackCoverSurface) &&
        (screen.back.width > kBackCoverBitmap.cx || screen.back.height > kBackCoverBitmap.cy))
        return false;
    if ((surfaces & kFrontCoverSurface) &&
        (screen.front.width > kFrontCoverBitmap.cx || screen.front.height > kFrontCoverBitmap.cy))
        return false;
    if ((surfaces & kDisc1Surface) && screen.disc1.outerDiameter > kDiscBitmap.cx)
        return false;
    if ((surfaces & kDisc2Surface) && screen.disc2.outerDiameter > kDiscBitmap.cx)
        return false;
    return true;
}

POINT CenterOrigin(SIZE client, SIZE page)
{
    POINT origin{-(client.cx - page.cx) / 2, -(client.cy - page.cy) / 2};
    origin.x = std::min<LONG>(origin.x, -kPageMargin);
    origin.y = std::min<LONG>(origin.y, -kPageMargin);
    return origin;
}

int FitZoom(SIZE target, SIZE page, SIZE client, SIZE scrollBars, int dpi)
{
    constexpr int kMaxFitZoom = 22;
    for (int zoom = kMinZoom; zoom <= kMaxFitZoom; zoom += kZoomStep) {
        const int availableWidth = client.cx - (LabelGeometry::LengthToPixels(page.cx, dpi, zoom) > client.cx ? scrollBars.cx : 0);
        const int availableHeight = client.cy - (LabelGeometry::LengthToPixels(page.cy, dpi, zoom) > client.cy ? scrollBars.cy : 0);
        if (LabelGeometry::LengthToPixels(target.cx, dpi, zoom) > availableWidth ||
            LabelGeometry::LengthToPixels(target.cy, dpi, zoom) > availableHeight)
            return zoom == kMinZoom ? kMinZoom : zoom - kZoomStep;
    }
    return kMaxFitZoom;
}

}  // namespace ViewGeometry
