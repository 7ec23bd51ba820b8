#pragma once
// Finding the background picture of a surface part in the label.

#include "framework/String.h"
#include "label/LabelRows.h"

namespace BackgroundObject
{
// The first row of the part's background: the first Image object, in row
// order, whose role is "Background" and whose "View" names the surface and the
// part; -1 when the part has none.
int Find(const PropertyRows& rows, const CString& surface, const CString& part);
}  // namespace BackgroundObject
