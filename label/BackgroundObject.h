#pragma once
// Finding the background picture of a surface part, in the label and among
// the rows the undo history still holds.

#include "framework/String.h"
#include "label/LabelRows.h"

#include <vector>

namespace BackgroundObject
{
// The first row of the part's background: the first Image object, in row
// order, whose role is "Background" and whose "View" names the surface and the
// part; -1 when the part has none.
int Find(const PropertyRows& rows, const CString& surface, const CString& part);

// A background of the part removed earlier, as the undo history recorded its
// rows (oldest first): an "Item Type" record of an Image with the role
// "Background", its "View" record two entries later naming the surface and
// part, and its "Image Number" record three entries later. Entries near the
// end of the history are looked at only as far as it reaches.
struct Removed
{
    CString name;          // empty: none was found
    int imageNumber = -1;
};
Removed FindRemoved(const std::vector<const PropertyEntry*>& records, const CString& surface, const CString& part);
}  // namespace BackgroundObject
