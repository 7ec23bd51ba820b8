#pragma once
// Where the chosen label papers put the pages and surfaces of a layout: the
// property values the view writes, in the order it writes them. Pure: the
// view applies them through its property setter, which keeps the geometry and
// the objects on each surface in step.

#include "framework/String.h"
#include "label/LabelDim.h"

#include <vector>

struct PaperAssignment
{
    CString shownSurface;  // the surface shown while the value is set; empty: as it is
    CString object;
    CString key;
    CString value;
};

struct LayoutState
{
    bool coverFolded = false;    // the front cover's "Folded Cover" is "Yes"
    bool disc1AtBottom = false;  // Disc 1's "Label Position" is "Bottom"
    bool keepFold = false;       // the cover stays folded or flat whatever the paper says
};

// "Landscape" when the sheet is wider than high, else "Portrait".
CString SheetOrientation(int width, int height);

// Pages 1 to 3, the front and back covers' page and position (and the fold
// when the paper's differs from the cover's), then the two discs, disc 1
// taking the second label of the sheet when it sits at the bottom.
std::vector<PaperAssignment> PlanPageLayout(const CLabelDim& disc, const CLabelDim& jewel, const LayoutState& state);

// Whether the row already holds what the assignment would write. Lengths are
// compared as numbers: the plan writes "%.3f" while a row the setter wrote
// holds "%.3f ''", and the same place must not count as a change.
bool IsAssignmentInPlace(const PaperAssignment& assignment, const CString& stored);
