#pragma once
// The rows of a new Text, Track or Image object, in their fixed order, with the
// defaults of a new object. Each list is complete: rows-after counts down to 0.

#include "framework/String.h"
#include "label/LabelRows.h"
#include "label/ObjectPlacement.h"

// What every new object takes from where it is made.
struct NewObjectPlace
{
    CString name;     // the object's unique name
    CString page;     // the page shown
    CString surface;  // the surface shown
    CString part;     // "Inside", "Left Tab", "Right Tab", "Front Cover (Inside)"
    DocBox box;       // thousandths of an inch
};

namespace NewObjectRows
{
constexpr int kTextRowCount = 13;
constexpr int kTrackRowCount = 15;
constexpr int kImageRowCount = 11;

// `font`: face, size, weight and italic flag ("Tahoma,72,400,0").
PropertyRows Text(const NewObjectPlace& place, const CString& font);
PropertyRows Track(const NewObjectPlace& place, const CString& font);
// An image in front of the others, with its stacking number and slot.
PropertyRows Image(const NewObjectPlace& place, int imageNumber, int stackingNumber, bool lockAspect);
// An image stretched over its part as the part's background.
PropertyRows Background(const NewObjectPlace& place, int imageNumber);

// The undo payload that names a new object: undoing its step removes it.
PropertyEntry InsertionMarker(const CString& objectName, const CString& surface);
}  // namespace NewObjectRows
