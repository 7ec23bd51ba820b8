#pragma once

#include "label/LabelDim.h"
#include "label/LabelModel.h"

// Fills an emptied model with a new layout: the covers, discs, pages and spine
// tabs where the two label papers put them, then the album texts of the
// model's layout ("Single" or "Double"). The disc 1 surface is shown, at zoom 10.
void AddLayoutRows(CLabelModel& model, const CLabelDim& jewel, const CLabelDim& disc);

// Appends the boundary "Front Cover (Inside)": the left half of a folded cover.
void AddInsideCoverBoundary(CLabelModel& model);
