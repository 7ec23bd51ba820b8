#pragma once
// The program's own clipboard: the rows of the last copied object, and the
// text it showed, so that a pasted text keeps its words even when the text row
// is gone from the label (or the paste goes into another label). Objects never
// go to the system clipboard.

#include "framework/String.h"
#include "label/LabelRows.h"
#include "label/SurfaceGeometry.h"

#include <windows.h>

#include <optional>

class CClipboardStore
{
public:
    // Keeps copies of an object's rows and of its text row, if it has one.
    void Keep(PropertyRows rows, std::optional<TextEntry> text);
    void Clear();
    bool IsEmpty() const { return m_rows.empty(); }
    const PropertyRows& Rows() const { return m_rows; }
    const TextEntry* Text() const { return m_text ? &*m_text : nullptr; }

    // The stored object's item type; empty when the store is empty.
    CString ItemType() const;
    bool IsBackground() const;
    // The slot a stored Image names; -1 for anything else.
    int ImageNumber() const;
    // Points a stored Image at another slot; nothing for anything else.
    void SetImageNumber(int number);

private:
    PropertyRows m_rows;
    std::optional<TextEntry> m_text;
};

// Where a paste puts the stored object.
struct PasteTarget
{
    CString name;     // the new, unique object name
    CString page;     // the page shown
    CString surface;  // the surface shown
    CString part;     // the current part
    POINT centre{};   // the last click, thousandths of an inch
    SurfaceGeometry geometry;
    bool folded = false;
    SIZE sheet{};         // the sheet shown, thousandths of an inch
    int stackingNumber = 0;  // an image's new place in the stacking order
};

// The stored rows made ready for the target: renamed, moved onto the surface
// and part shown, centred on the click and kept inside the surface (an image
// inside the sheet); texts and track lists no larger than the surface. An
// unknown item type is only renamed.
PropertyRows PreparePaste(const PropertyRows& stored, const PasteTarget& target);
