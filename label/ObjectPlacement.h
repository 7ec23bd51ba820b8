#pragma once
// Where a new, pasted or centred object goes on its surface: the fitting rules
// of each object kind, in thousandths of an inch. Pure arithmetic on the
// surface geometry; the view converts screen pixels before and after.

#include "framework/String.h"
#include "label/SurfaceGeometry.h"

#include <windows.h>

// A box on the sheet: its top-left corner and its size.
struct DocBox
{
    DocLength left;
    DocLength top;
    DocLength width;
    DocLength height;

    RECT AsRect() const { return RECT{left, top, left + width, top + height}; }
    static DocBox FromRect(const RECT& rect)
    {
        return DocBox{rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top};
    }
};

namespace ObjectPlacement
{
// The width of a text dropped on a spine tab, before it is fitted to the tab.
constexpr int kTabTextWidth = 250;
// A new track list is one inch square.
constexpr int kTrackListSide = 1000;

// A text object's box fitted to its part ("Inside", "Left Tab", "Right Tab")
// of the surface shown; any other part is left as it is.
DocBox FitTextBox(DocBox box, const CString& part, const CString& surface, const SurfaceGeometry& geometry);

// A track list's box: one inch square at `topLeft`, fitted to the surface shown.
DocBox FitTrackListBox(POINT topLeft, const CString& surface, const SurfaceGeometry& geometry);

// An image's box fitted to the whole surface shown (spine tabs included).
DocBox FitImageBox(DocBox box, const CString& surface, const SurfaceGeometry& geometry);

// The part a new image belongs to: the inside of a folded front cover when its
// left edge lies in the cover's left half, else `part`.
CString ImagePart(const DocBox& box, const CString& part, const CString& surface, const SurfaceGeometry& geometry,
                  bool folded);

// The rectangle a background covers. On a folded front cover the half that
// holds `selectionCentreX`; discs get their square grown by 80 on every side;
// any other surface gives an empty box.
DocBox BackgroundBox(const CString& surface, const SurfaceGeometry& geometry, bool folded, int selectionCentreX);
// The part a background belongs to: tabs count as "Inside"; on a folded front
// cover the half that holds `selectionCentreX` decides.
CString BackgroundPart(const CString& part, const CString& surface, const SurfaceGeometry& geometry, bool folded,
                       int selectionCentreX);

// Center Horizontally: the new left edge of a box of `width` whose left edge is
// `left`. Texts and track lists that start on a spine tab are centred on it;
// images always on the whole back cover.
int CenteredLeft(int left, int width, bool isImage, const CString& surface, const SurfaceGeometry& geometry,
                 bool folded);
// Center Vertically: the new top edge of a box of `height`; unchanged on any
// other surface.
int CenteredTop(int top, int height, const CString& surface, const SurfaceGeometry& geometry);

// The bounds a dragged or pasted object is kept in: the whole sheet for an
// image, the surface for anything else; empty for any other surface.
RECT DragLimits(const CString& itemType, const CString& surface, const SurfaceGeometry& geometry, SIZE sheet);

// Shifts a box inside `limits` without resizing it, as a move does; a box
// larger than the limits keeps its left or top edge on theirs.
RECT KeepInside(RECT box, const RECT& limits);

// A new image's default spot on the surface shown, before its jitter: 1250
// thousandths square; `start` serves any other surface.
POINT NewImageCorner(POINT start, const CString& surface, const CString& part, const SurfaceGeometry& geometry,
                     bool folded);
}  // namespace ObjectPlacement
