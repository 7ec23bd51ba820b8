#pragma once
// Which objects of the label lie under a point: the hit test a press runs, the
// precedence between pages, covers and their parts, and the cycling through
// stacked objects on repeated presses. Pure row logic: the caller hands in the
// rows, the point in both coordinate systems and the disc rings it sees.
#include "framework/String.h"
#include "label/LabelRows.h"
#include "label/SurfaceGeometry.h"

#include <windows.h>

#include <vector>

namespace HitTest
{
// A disc as the hit test sees it: the squares around its outer circle and its
// hole, in the coordinates of the point tested against them (client pixels).
struct DiscRing
{
    CString name;             // "Disc 1" or "Disc 2"
    bool onPage = false;      // the disc lies on the page shown
    RECT outer{};
    RECT inner{};
    DocLength outerDiameter;  // of the label, for its area
};

// Where the press is: on the screen (for the rings) and on the sheet.
struct Probe
{
    POINT screen{};  // client pixels
    POINT label{};   // thousandths of an inch from the sheet's corner
    SIZE paper{};    // the sheet shown, thousandths of an inch
    CString page;    // the page shown: "1", "2" or "3"
};

struct Hit
{
    CString name;  // empty when nothing is under the point
    CString part;  // "Inside", "Left Tab", "Right Tab", ... of the object hit
};

// Whether a point lies inside the ellipse drawn in a box (pixel centres).
bool InEllipse(const RECT& box, POINT point);

// The smallest object under the point that is not in `skip`; among equal areas
// the one whose rows come later. Nothing outside the paper is hit.
Hit BestHit(const PropertyRows& rows, const std::vector<DiscRing>& discs, const Probe& probe,
            const std::vector<CString>& skip);

// Every object under the point, smallest first.
std::vector<CString> AllHits(const PropertyRows& rows, const std::vector<DiscRing>& discs, const Probe& probe);

// Removes the first page hit after the first entry: a page is selected only
// where nothing else lies.
void DropPageUnlessAlone(std::vector<CString>& hits);

// Of the hits of one press, keeps what a press may select: a page only when
// it is the sole hit, the inside of a folded front cover rather than the
// cover, a spine tab rather than the back cover.
void ApplyPrecedence(std::vector<CString>& hits);

// The object a press selects from its hits (after precedence). The same hits
// as the press before move on from the selected object to the next larger one,
// wrapping round; a surface just switched to, or different hits, take the first.
CString ChooseHit(const std::vector<CString>& hits, const std::vector<CString>& previousHits,
                  const CString& selected, bool surfaceJustSwitched);
// The object a press inside the selected object selects instead of dragging
// it: the first text, track list or picture that the hits (smallest first)
// list before the selection. Empty when the selection itself comes first, or
// only surfaces, tabs and pages lie on it, or it is not under the point.
CString SmallerObjectAbove(const PropertyRows& rows, const std::vector<CString>& hits, const CString& selected);
}  // namespace HitTest
