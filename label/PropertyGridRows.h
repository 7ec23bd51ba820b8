#pragma once

#include "framework/String.h"
#include "label/LabelRows.h"

#include <vector>

// One row of the property grid: a copy of what it shows of a property row.
// The grid keeps copies, never pointers or indices into the label's rows, so
// an edit that adds, removes or moves rows cannot leave it reading stale ones;
// a commit finds the row again by object name and caption.
struct GridRow
{
    CString objectName;
    CString caption;
    CString value;
    CString kind;     // "COMBO", "EDIT", "FONT", "COLOR", "PAPER" or ""
    CString choices;  // items each followed by "|"
    CString display;  // the value cell's text
};

// What the rows of an object need from outside the rows.
struct GridRowContext
{
    bool millimeters = false;     // the "Units" setting is "Millimeters"
    CString shownSurface;         // for a boundary's "Print Border"
    bool backCoverBorder = false;
    bool frontCoverBorder = false;
    CString discPaperName;        // for a page's "Label Paper"
    CString jewelPaperName;
};

namespace PropertyGridRows
{
// The grid's rows for an object: the synthetic row of a boundary or page,
// then the shown rows sorted by caption (byte order, stable), then the
// position rows of a surface unsorted. Empty for an unknown object.
std::vector<GridRow> RowsOf(const PropertyRows& rows, const CString& objectName, const GridRowContext& context);

// "Arial / 12.0 / Bold Italic" from a font value "face,height,weight,italic"
// and the size row's value (tenths of a point up to the first backtick).
CString FontDisplay(const CString& fontValue, const CString& sizeValue);

// A length in inches as millimetres, "%.1f mm".
CString MillimetreDisplay(const CString& inches);

// The items of a choices field ("Yes|No|" gives Yes, No).
std::vector<CString> SplitChoices(const CString& choices);

// What an editor hands over, made fit for a row: spaces trimmed on both ends,
// a backtick (the separator of the program's text records) as an apostrophe.
CString CleanEditorText(const CString& text);

// Whether the row is shown as a Yes/No marker.
inline bool IsYesNo(const GridRow& row) { return row.choices == "Yes|No|"; }
}  // namespace PropertyGridRows

// One entry of the object list: what it shows and which object it selects.
struct ObjectListEntry
{
    CString display;
    CString objectName;
};

namespace ObjectListNames
{
// The objects of a page under the names the object list shows: backgrounds as
// "Background" (or "Background (Inside)"), names cut before "(", images
// numbered from 1, duplicates made unique with " (copy n)". In row order.
std::vector<ObjectListEntry> EntriesOf(const PropertyRows& rows, const CString& page, const CString& layout);
}  // namespace ObjectListNames
