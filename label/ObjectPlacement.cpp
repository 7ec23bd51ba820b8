#include "label/ObjectPlacement.h"

#include <algorithm>

namespace {

const DiscGeometry* DiscOf(const CString& surface, const SurfaceGeometry& geometry)
{
    if (surface == "Disc 1")
        return &geometry.disc1;
    if (surface == "Disc 2")
        return &geometry.disc2;
    return nullptr;
}

// Pushes [start, start + size) right to `low`, else left to end at `high`.
int PushInside(int start, int size, int low, int high)
{
    if (start < low)
        return low;
    if (start + size > high)
        return high - size;
    return start;
}

// Pulls a box into the square around a disc, then trims it to the square's side.
void KeepInsideDiscSquare(int& left, int& top, int& width, int& height, const DiscGeometry& disc)
{
    const int outer = disc.outerDiameter;
    left = std::max<int>(left, disc.left);
    top = std::max<int>(top, disc.top);
    if (left + width > disc.left + outer)
        left = disc.left + outer - width;
    if (top + height > disc.top + outer)
        top = disc.top + outer - height;
    width = std::min(width, outer);
    height = std::min(height, outer);
}

}  // namespace

namespace ObjectPlacement
{

DocBox FitTextBox(DocBox box, const CString& part, const CString& surface, const SurfaceGeometry& geometry)
{
    int left = box.left, top = box.top, width = box.width, height = box.height;
    const bool onTab = part == "Left Tab" || part == "Right Tab";
    if (onTab)
        width = kTabTextWidth;

    const BackCoverGeometry& back = geometry.back;
    const FrontCoverGeometry& front = geometry.front;
    if (part == "Inside" && surface == "Back Cover") {
        left = std::max<int>(left, back.left + back.tab);
        if (left + width > back.left + back.width - back.tab)
            left = back.left + back.width - back.tab - width;
        top = std::max<int>(top, back.top);
        if (top + height > back.top + back.height)
            top = back.top + back.height - height;
        width = std::min<int>(width, back.width - 2 * back.tab);
        height = std::min<int>(height, back.height);
    } else if (part == "Inside" && surface == "Front Cover") {
        left = std::max<int>(left, front.left);
        if (left + width > front.left + front.width)
            left = front.left + front.width - width;
        width = std::min<int>(width, front.width);
        top = std::max<int>(top, front.top);
        if (top + height > front.top + front.height)
            top = front.top + front.height - height;
        height = std::min<int>(height, front.height);
    } else if (const DiscGeometry* disc = part == "Inside" ? DiscOf(surface, geometry) : nullptr) {
        KeepInsideDiscSquare(left, top, width, height, *disc);
    } else if (onTab) {
        if (part == "Left Tab") {
            if (left < back.left)
                left = back.left;
            else if (left + width > back.left + back.tab)
                left = back.left + back.tab - width;
        } else {
            const int tabLeft = back.left + back.width - back.tab;
            if (left < tabLeft)
                left = tabLeft;
            else if (left + width > back.left + back.width)
                left = back.left + back.width - width;
        }
        if (top < back.top)
            top = back.top;
        else if (top + height > back.top + back.height)
            top = back.top + back.height - height;
        width = std::min<int>(width, back.tab);
        height = std::min<int>(height, back.height);
    }
    return DocBox{left, top, width, height};
}

DocBox FitTrackListBox(POINT topLeft, const CString& surface, const SurfaceGeometry& geometry)
{
    int left = topLeft.x, top = topLeft.y, width = kTrackListSide, height = kTrackListSide;
    const BackCoverGeometry& back = geometry.back;
    const FrontCoverGeometry& front = geometry.front;
    if (surface == "Back Cover") {
        left = PushInside(left, kTrackListSide, back.left + back.tab, back.left + back.width - back.tab);
        top = PushInside(top, kTrackListSide, back.top, back.top + back.height);
        width = std::min<int>(kTrackListSide, back.width - 2 * back.tab);
        height = std::min<int>(kTrackListSide, back.height);
    } else if (surface == "Front Cover") {
        left = PushInside(left, kTrackListSide, front.left, front.left + front.width);
        width = std::min<int>(kTrackListSide, front.width);
        top = PushInside(top, kTrackListSide, front.top, front.top + front.height);
        height = std::min<int>(kTrackListSide, front.height);
    } else if (const DiscGeometry* disc = DiscOf(surface, geometry)) {
        const int outer = disc->outerDiameter;
        left = std::max<int>(left, disc->left);
        top = std::max<int>(top, disc->top);
        if (left + kTrackListSide > disc->left + outer)
            left = disc->left + outer - kTrackListSide;
        if (top + kTrackListSide > disc->top + outer)
            top = disc->top + outer - kTrackListSide;
        if (outer < kTrackListSide)
            width = height = outer;
    }
    return DocBox{left, top, width, height};
}

DocBox FitImageBox(DocBox box, const CString& surface, const SurfaceGeometry& geometry)
{
    int left = box.left, top = box.top, width = box.width, height = box.height;
    const auto fitFlat = [&](int surfaceLeft, int surfaceTop, int surfaceWidth, int surfaceHeight) {
        left = PushInside(left, width, surfaceLeft, surfaceLeft + surfaceWidth);
        top = PushInside(top, height, surfaceTop, surfaceTop + surfaceHeight);
        width = std::min(width, surfaceWidth);
        height = std::min(height, surfaceHeight);
    };
    if (surface == "Back Cover") {
        fitFlat(geometry.back.left, geometry.back.top, geometry.back.width, geometry.back.height);
    } else if (surface == "Front Cover") {
        fitFlat(geometry.front.left, geometry.front.top, geometry.front.width, geometry.front.height);
    } else if (const DiscGeometry* disc = DiscOf(surface, geometry)) {
        KeepInsideDiscSquare(left, top, width, height, *disc);
    }
    return DocBox{left, top, width, height};
}

CString ImagePart(const DocBox& box, const CString& part, const CString& surface, const SurfaceGeometry& geometry,
                  bool folded)
{
    if (surface == "Front Cover" && folded && box.left < geometry.front.left + geometry.front.width / 2)
        return "Front Cover (Inside)";
    return part;
}

DocBox BackgroundBox(const CString& surface, const SurfaceGeometry& geometry, bool folded, int selectionCentreX)
{
    const BackCoverGeometry& back = geometry.back;
    const FrontCoverGeometry& front = geometry.front;
    if (surface == "Back Cover")
        return DocBox{back.left, back.top, back.width, back.height};
    if (surface == "Front Cover") {
        if (!folded)
            return DocBox{front.left, front.top, front.width, front.height};
        const int half = front.width / 2;
        if (selectionCentreX < front.left + half)
            return DocBox{front.left, front.top, half, front.height};
        return DocBox{front.left + half, front.top, half, front.height};
    }
    if (const DiscGeometry* disc = DiscOf(surface, geometry)) {
        // A little beyond the disc, so that no white rim shows when it is cut.
        constexpr int kBleed = 80;
        return DocBox{disc->left - kBleed, disc->top - kBleed, disc->outerDiameter + 2 * kBleed,
                      disc->outerDiameter + 2 * kBleed};
    }
    return DocBox{};
}

CString BackgroundPart(const CString& part, const CString& surface, const SurfaceGeometry& geometry, bool folded,
                       int selectionCentreX)
{
    if (surface == "Front Cover" && folded)
        return selectionCentreX < geometry.front.left + geometry.front.width / 2 ? "Front Cover (Inside)" : "Inside";
    // Nothing selected yet counts as the surface's inside too.
    if (part.IsEmpty() || part == "Left Tab" || part == "Right Tab")
        return "Inside";
    return part;
}

int CenteredLeft(int left, int width, bool isImage, const CString& surface, const SurfaceGeometry& geometry,
                 bool folded)
{
    const BackCoverGeometry& back = geometry.back;
    const FrontCoverGeometry& front = geometry.front;
    if (surface == "Back Cover") {
        if (!isImage && left < back.left + back.tab)
            return back.left + (back.tab - width) / 2;
        if (!isImage && left + width > back.left + back.width - back.tab)
            return back.left + back.width - back.tab + (back.tab - width) / 2;
        return back.left + (back.width - width) / 2;
    }
    if (surface == "Front Cover") {
        const int half = front.width / 2;
        if (folded && left < front.left + half)
            return front.left + (half - width) / 2;
        if (folded)
            return front.left + half + (half - width) / 2;
        return front.left + (front.width - width) / 2;
    }
    if (const DiscGeometry* disc = DiscOf(surface, geometry))
        return disc->left + (disc->outerDiameter - width) / 2;
    return left;
}

int CenteredTop(int top, int height, const CString& surface, const SurfaceGeometry& geometry)
{
    if (surface == "Back Cover")
        return geometry.back.top + (geometry.back.height - height) / 2;
    if (surface == "Front Cover")
        return geometry.front.top + (geometry.front.height - height) / 2;
    if (const DiscGeometry* disc = DiscOf(surface, geometry))
        return disc->top + (disc->outerDiameter - height) / 2;
    return top;
}

RECT DragLimits(const CString& itemType, const CString& surface, const SurfaceGeometry& geometry, SIZE sheet)
{
    if (itemType == "Image")
        return RECT{0, 0, sheet.cx, sheet.cy};
    if (surface == "Back Cover")
        return DocBox{geometry.back.left, geometry.back.top, geometry.back.width, geometry.back.height}.AsRect();
    if (surface == "Front Cover")
        return DocBox{geometry.front.left, geometry.front.top, geometry.front.width, geometry.front.height}.AsRect();
    if (const DiscGeometry* disc = DiscOf(surface, geometry))
        return DocBox{disc->left, disc->top, disc->outerDiameter, disc->outerDiameter}.AsRect();
    return RECT{};
}

RECT KeepInside(RECT box, const RECT& limits)
{
    if (box.right > limits.right)
        OffsetRect(&box, limits.right - box.right, 0);
    if (box.left < limits.left)
        OffsetRect(&box, limits.left - box.left, 0);
    if (box.bottom > limits.bottom)
        OffsetRect(&box, 0, limits.bottom - box.bottom);
    if (box.top < limits.top)
        OffsetRect(&box, 0, limits.top - box.top);
    return box;
}

POINT NewImageCorner(POINT start, const CString& surface, const CString& part, const SurfaceGeometry& geometry,
                     bool folded)
{
    constexpr int kHalfSide = 625;
    if (const DiscGeometry* disc = DiscOf(surface, geometry))
        return POINT{disc->left + 150, disc->top + disc->outerDiameter / 2 - kHalfSide};
    if (surface == "Back Cover")
        return POINT{geometry.back.left + geometry.back.width / 2 - kHalfSide,
                     geometry.back.top + geometry.back.height / 2 - kHalfSide};
    if (surface == "Front Cover" && folded) {
        const FrontCoverGeometry& front = geometry.front;
        const int x = part == "Front Cover (Inside)" ? front.left + front.width / 4 - kHalfSide
                                                     : front.left + front.width / 2 + front.width / 4 - kHalfSide;
        return POINT{x, front.top + front.height / 2 - kHalfSide};
    }
    return start;
}

}  // namespace ObjectPlacement
