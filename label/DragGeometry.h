#pragma once
// The arithmetic of dragging an object's box with the mouse or the arrow keys,
// in thousandths of an inch: which edges a drag mode moves, the snap to the
// grid and the clamping to the drag limits. No window is involved.
#include "framework/String.h"

#include <windows.h>

#include <functional>

namespace DragGeometry
{
enum Edge : unsigned
{
    kLeft = 1,
    kTop = 2,
    kRight = 4,
    kBottom = 8,
    kAllEdges = kLeft | kTop | kRight | kBottom,
};

// The edges a drag mode moves: all four for "Move", none for an empty mode or "Cover".
unsigned MovedEdges(const CString& dragMode);

// The nearest multiple of the grid; exactly half a grid rounds down, negative
// values round toward zero.
int SnapToGrid(int value, int grid);

// The box after dragging by (dx, dy): "Move" shifts it, the other modes move
// their edges. With snap, a move puts the top-left corner on the grid (the
// size stays) and a resize puts each moved edge on the grid.
RECT DraggedRect(const RECT& box, const CString& dragMode, int dx, int dy, bool snap, SIZE grid);

// Fits a width and height to an image's proportions; false when it can't.
using AspectFit = std::function<bool(double& width, double& height)>;

// Keeps a dragged box inside the limits. A move shifts the box back inside;
// a resize keeps at least 0.1 inch each way, follows the image's proportions
// when `lockedAspect` is given, and then cuts each edge at its limit.
RECT ClampDragRect(RECT box, const CString& dragMode, const RECT& limits, const AspectFit& lockedAspect);
}  // namespace DragGeometry
