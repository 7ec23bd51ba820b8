#pragma once
// Older documents kept the label paper in their own layout rows. On the first
// start after an update, the geometry of such a document becomes two templates
// of the user's own: "My Current Disc Label" and "My Current Jewel Case".

#include "label/LabelDim.h"
#include "label/LabelModel.h"

#include <windows.h>

struct PageSheets
{
    SIZE page[3] = {};  // "Page 1" to "Page 3", thousandths of an inch
};

// The Width and Height of the layout's three Page objects; a page the layout
// does not hold stays 0 by 0.
PageSheets ReadPageSheets(const CLabelModel& model);

CLabelDim ConvertedDiscPaper(const PageSheets& sheets, const SurfacePlacement& placement);
CLabelDim ConvertedJewelPaper(const PageSheets& sheets, const SurfacePlacement& placement);

// The registry values of the earlier way of keeping the label paper, deleted by the conversion.
extern const char* const kFormerLabelPaperSettings[9];
