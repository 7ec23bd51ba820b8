#include "view/ViewGeometry.h"

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <utility>

namespace ViewGeometry
{
int LengthToPixels(int length, int dpi, int zoom)
{
    return static_cast<int>(static_cast<int64_t>(length) * dpi * zoom / 10000);
}

int PixelsToLength(int pixels, int dpi, int zoom)
{
    const int64_t divisor = static_cast<int64_t>(dpi) * zoom;
    if (divisor == 0)
        return 0;
    return static_cast<int>(static_cast<int64_t>(pixels) * 10000 / divisor);
}

SurfaceGeometry ScaleGeometry(const SurfaceGeometry& document, int dpi, int zoom)
{
    auto px = [&](int length) { return LengthToPixels(length, dpi, zoom); };
    auto disc = [&](const DiscGeometry& d) {
        return DiscGeometry{px(d.left), px(d.top), px(d.innerDiameter), px(d.outerDiameter), px(d.textMargin)};
    };
    SurfaceGeometry screen;
    const BackCoverGeometry& back = document.back;
    screen.back = BackCoverGeometry{px(back.left), px(back.top), px(back.width), px(back.height), px(back.tab)};
    const FrontCoverGeometry& front = document.front;
    screen.front = FrontCoverGeometry{px(front.left), px(front.top), px(front.width), px(front.height)};
    screen.disc1 = disc(document.disc1);
    screen.disc2 = disc(document.disc2);
    return screen;
}

bool SurfacesFitBitmaps(const SurfaceGeometry& screen, unsigned surfaces)
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
        const int availableWidth = client.cx - (LengthToPixels(page.cx, dpi, zoom) > client.cx ? scrollBars.cx : 0);
        const int availableHeight = client.cy - (LengthToPixels(page.cy, dpi, zoom) > client.cy ? scrollBars.cy : 0);
        if (LengthToPixels(target.cx, dpi, zoom) > availableWidth ||
            LengthToPixels(target.cy, dpi, zoom) > availableHeight)
            return zoom == kMinZoom ? kMinZoom : zoom - kZoomStep;
    }
    return kMaxFitZoom;
}

bool ParseColor(const CString& text, COLORREF& color)
{
    const char* p = static_cast<LPCSTR>(text);
    int parts[3] = {};
    for (int i = 0; i < 3; ++i) {
        char* end = nullptr;
        const long value = std::strtol(p, &end, 10);
        if (end == p || value < 0 || value > 255)
            return false;
        parts[i] = static_cast<int>(value);
        p = end;
        if (i < 2) {
            if (*p != ',')
                return false;
            ++p;
        }
    }
    color = RGB(parts[0], parts[1], parts[2]);
    return true;
}

std::vector<int> ImageDrawOrder(const PropertyRows& rows, const CString& page)
{
    std::vector<int> backgrounds;
    std::vector<std::pair<long, int>> stacked;  // stacking number, first row
    const int count = static_cast<int>(rows.size());
    for (int first = 0; first < count; first = LabelRows::NextObjectRow(rows, first)) {
        const PropertyEntry& head = rows[static_cast<size_t>(first)];
        if (head.m_strKey != "Item Type" || head.m_strValue != "Image")
            continue;
        CString objectPage;
        if (!LabelRows::ReadPropertyValue(rows, head.m_strObjectName, "Page", objectPage) || objectPage != page)
            continue;
        if (head.m_strChoices == "Background")
            backgrounds.push_back(first);
        else
            stacked.emplace_back(std::strtol(static_cast<LPCSTR>(head.m_strChoices), nullptr, 10), first);
    }
    std::stable_sort(stacked.begin(), stacked.end(),
                     [](const auto& a, const auto& b) { return a.first < b.first; });
    for (const auto& entry : stacked)
        backgrounds.push_back(entry.second);
    return backgrounds;
}
}  // namespace ViewGeometry
