#pragma once
// The program's own clipboard: the rows of the last copied object, the text it
// showed and the picture it showed, so that a paste finds its words and its
// picture even when they are gone from the label (or the paste goes into
// another label). The store never names a picture slot of a label. Objects
// never go to the system clipboard.

#include "framework/String.h"
#include "imaging/xImage.h"
#include "label/LabelRows.h"
#include "label/SurfaceGeometry.h"

#include <windows.h>

#include <memory>
#include <optional>

class CClipboardStore
{
public:
    // Keeps copies of an object's rows, of its text row and of its picture,
    // where it has them.
    void Keep(PropertyRows rows, std::optional<TextEntry> text, std::unique_ptr<CxImage> picture = nullptr);
    void Clear();
    bool IsEmpty() const { return m_rows.empty(); }
    const PropertyRows& Rows() const { return m_rows; }
    const TextEntry* Text() const { return m_text ? &*m_text : nullptr; }
    const CxImage* Picture() const { return m_picture.get(); }

    // The stored object's item type; empty when the store is empty.
    CString ItemType() const;
    bool IsBackground() const;

private:
    PropertyRows m_rows;
    std::optional<TextEntry> m_text;
    std::unique_ptr<CxImage> m_picture;
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
