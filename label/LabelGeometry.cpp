#include "label/LabelGeometry.h"

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <utility>

namespace LabelGeometry
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

ScreenGeometry ScaleGeometry(const SurfaceGeometry& document, int dpi, int zoom)
{
    auto px = [&](int length) { return PixelLength(LengthToPixels(length, dpi, zoom)); };
    auto disc = [&](const DiscGeometry& d) {
        return ScreenDisc{px(d.left), px(d.top), px(d.innerDiameter), px(d.outerDiameter), px(d.textMargin)};
    };
    ScreenGeometry screen;
    const BackCoverGeometry& back = document.back;
    screen.back = ScreenBackCover{px(back.left), px(back.top), px(back.width), px(back.height), px(back.tab)};
    const FrontCoverGeometry& front = document.front;
    screen.front = ScreenFrontCover{px(front.left), px(front.top), px(front.width), px(front.height)};
    screen.disc1 = disc(document.disc1);
    screen.disc2 = disc(document.disc2);
    return screen;
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
}  // namespace LabelGeometry
