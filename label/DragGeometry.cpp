#include "label/DragGeometry.h"

#include <algorithm>

namespace DragGeometry
{
namespace
{
constexpr int kMinSize = 100;  // 0.1 inch
// The side a locked image's resize leaves open, so that the fit is decided by the dragged side.
constexpr int kOpenSide = 12000;
}  // namespace

unsigned MovedEdges(const CString& dragMode)
{
    struct ModeEdges
    {
        const char* mode;
        unsigned edges;
    };
    static constexpr ModeEdges kModes[] = {
        {"Move", kAllEdges},       {"Top", kTop},
        {"Bottom", kBottom},       {"Left", kLeft},
        {"Right", kRight},         {"TopLeft", kTop | kLeft},
        {"TopRight", kTop | kRight}, {"BottomLeft", kBottom | kLeft},
        {"BottomRight", kBottom | kRight},
    };
    for (const ModeEdges& entry : kModes)
        if (dragMode == entry.mode)
            return entry.edges;
    return 0;
}

int SnapToGrid(int value, int grid)
{
    if (grid <= 0)
        return value;
    const int whole = value / grid;
    const int rest = value - whole * grid;
    return whole * grid + (rest > grid / 2.0 ? grid : 0);
}

RECT DraggedRect(const RECT& box, const CString& dragMode, int dx, int dy, bool snap, SIZE grid)
{
    RECT rect = box;
    if (dragMode == "Move") {
        ::OffsetRect(&rect, dx, dy);
        if (snap)
            ::OffsetRect(&rect, SnapToGrid(rect.left, grid.cx) - rect.left, SnapToGrid(rect.top, grid.cy) - rect.top);
        return rect;
    }
    const unsigned edges = MovedEdges(dragMode);
    if (edges & kLeft)
        rect.left += dx;
    if (edges & kRight)
        rect.right += dx;
    if (edges & kTop)
        rect.top += dy;
    if (edges & kBottom)
        rect.bottom += dy;
    if (snap) {
        if (edges & kLeft)
            rect.left = SnapToGrid(rect.left, grid.cx);
        if (edges & kRight)
            rect.right = SnapToGrid(rect.right, grid.cx);
        if (edges & kTop)
            rect.top = SnapToGrid(rect.top, grid.cy);
        if (edges & kBottom)
            rect.bottom = SnapToGrid(rect.bottom, grid.cy);
    }
    return rect;
}

RECT ClampDragRect(RECT box, const CString& dragMode, const RECT& limits, const AspectFit& lockedAspect)
{
    if (dragMode == "Move") {
        if (box.left < limits.left)
            ::OffsetRect(&box, limits.left - box.left, 0);
        if (box.right > limits.right)
            ::OffsetRect(&box, limits.right - box.right, 0);
        if (box.top < limits.top)
            ::OffsetRect(&box, 0, limits.top - box.top);
        if (box.bottom > limits.bottom)
            ::OffsetRect(&box, 0, limits.bottom - box.bottom);
        return box;
    }

    const unsigned edges = MovedEdges(dragMode);
    int width = std::max<int>(box.right - box.left, kMinSize);
    int height = std::max<int>(box.bottom - box.top, kMinSize);
    const bool sideways = dragMode == "Left" || dragMode == "Right";
    const bool upright = dragMode == "Top" || dragMode == "Bottom";
    if (lockedAspect) {
        double w = sideways || !upright ? width : kOpenSide;
        double h = upright || !sideways ? height : kOpenSide;
        if (lockedAspect(w, h)) {
            width = static_cast<int>(w);
            height = static_cast<int>(h);
        } else {
            width = box.right - box.left;
            height = box.bottom - box.top;
        }
    }
    const RECT before = box;
    if (edges & kTop)
        box.top = box.bottom - height;
    if (edges & kBottom)
        box.bottom = box.top + height;
    if (edges & kLeft)
        box.left = box.right - width;
    if (edges & kRight)
        box.right = box.left + width;
    if (lockedAspect && sideways) {
        // The other side follows, centred on where it was.
        const int shift = static_cast<int>((before.bottom - before.top - height) * 0.5);
        box.top = before.top + shift;
        box.bottom = before.bottom - shift;
    } else if (lockedAspect && upright) {
        const int shift = static_cast<int>((before.right - before.left - width) * 0.5);
        box.left = before.left + shift;
        box.right = before.right - shift;
    }
    box.left = std::max(box.left, limits.left);
    box.right = std::min(box.right, limits.right);
    box.top = std::max(box.top, limits.top);
    box.bottom = std::min(box.bottom, limits.bottom);
    return box;
}
}  // namespace DragGeometry
