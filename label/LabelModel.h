#pragma once

#include "framework/String.h"
#include "imaging/xImage.h"
#include "label/LabelRows.h"
#include "label/ObjectStyle.h"
#include "label/Surface.h"
#include "label/SurfaceGeometry.h"

#include <windows.h>

#include <map>
#include <memory>
#include <string>
#include <vector>

class CArchive;

// What the label shows, saved with the document.
struct LabelShown
{
    int zoom = 22;     // tenths
    CString surface;   // the surface shown
    CString page;      // "1", "2" or "3": the page shown
    CString layout;    // "Single" or "Double"
};

// Where the surfaces lie and on which page, read from the surface rows.
struct SurfacePlacement
{
    SurfaceGeometry geometry;  // thousandths of an inch
    CString backCoverPage;
    CString frontCoverPage;
    CString disc1Page;
    CString disc2Page;
    BYTE folded = 0;
    BYTE backCoverBorder = 0;  // print-border flags
    BYTE frontCoverBorder = 0;
    BYTE disc1Border = 0;
    BYTE disc2Border = 0;

    // The page a surface lies on; empty for Surface::None.
    const CString& PageOf(Surface surface) const;
};

// The label: its property rows (objects and their properties), its text rows,
// its image slots and stacking counter, the layout shown and the surface
// placement read from the rows. It knows no window: the view draws and edits
// it, the document reads and writes it. The rows change only through the
// operations here, so that every change can be seen (and later recorded).
class CLabelModel
{
public:
    CLabelModel() = default;
    CLabelModel(const CLabelModel&) = delete;
    CLabelModel& operator=(const CLabelModel&) = delete;

    // ---- property rows ------------------------------------------------------------
    const PropertyRows& Rows() const { return m_rows; }
    int RowCount() const { return static_cast<int>(m_rows.size()); }
    const PropertyEntry& Row(int index) const { return m_rows[static_cast<size_t>(index)]; }
    // The first row of the named object; -1 when there is none.
    int FindObjectRow(const CString& objectName) const;
    // The first row of the object after the one holding row `index`; the row count at the end.
    int NextObjectRow(int index) const;
    // The row of one property of an object; -1 when either is missing.
    int FindPropertyRow(const CString& objectName, const CString& key) const;
    // The value of one property; empty when it is missing.
    CString GetPropertyValue(const CString& objectName, const CString& key) const;
    // name -> name(n), the smallest n from 1 that no object carries.
    CString UniqueObjectName(const CString& name) const;

    // Appends a copy of the row at the end of the property rows.
    void AppendRow(const PropertyEntry& row);
    // Puts a copy of an object's rows back in front of the row at `index`
    // (at the end when `index` is past the rows or not the first row of an
    // object), so that the object keeps its place in the stacking and hit order.
    void InsertObjectRows(int index, const std::vector<PropertyEntry>& rows);
    // Replaces a value in place; false when the property is missing.
    bool ReplacePropertyValue(const CString& objectName, const CString& key, const CString& value);
    // Replaces the value, or the choices field, of the row at `index`; false
    // when there is no such row.
    bool SetRowValue(int index, const CString& value);
    bool SetRowChoices(int index, const CString& choices);
    // Removes every row of the object; the number of rows removed.
    int EraseObjectRows(const CString& objectName);
    // Exchanges all property rows with `rows` (a label state kept aside).
    void SwapRows(PropertyRows& rows);

    // ---- text rows ---------------------------------------------------------------------
    const TextRows& Texts() const { return m_texts; }
    // The text row of that name; -1 when there is none.
    int FindTextRow(const CString& textName) const;
    // The text row an object shows (by its name up to the first "("), or null.
    const TextEntry* FindTextOfObject(const CString& objectName) const;
    // name -> "name n", the smallest n from 1 that no text row carries.
    CString UniqueTextName(const CString& name) const;
    // Appends a text row; its value enters through SetTextRowValue.
    void AppendTextRow(const TextEntry& row);
    // The one way a text enters a text row: a backtick in a text, or in a
    // track's name or time, is stored as an apostrophe so that it can split
    // neither the track list nor a layout cache. False for a missing row.
    bool SetTextRowValue(int textRow, const CString& value);
    // Removes a text row; false for a missing one.
    bool EraseTextRow(int textRow);
    // Puts a text row back at `index` (at the end when past it), its value
    // entering through SetTextRowValue.
    void InsertTextRow(int index, const TextEntry& row);
    // A track list from names and times, cleaned the same way.
    static CString MakeTrackListText(const std::vector<CString>& names, const std::vector<CString>& times);

    // ---- image slots ----------------------------------------------------------------------
    int ImageCount() const { return static_cast<int>(m_images.size()); }
    // The picture of a slot; null for an empty or missing slot.
    const CxImage* Image(int number) const;
    const std::vector<std::unique_ptr<CxImage>>& Images() const { return m_images; }
    void AppendImage(std::unique_ptr<CxImage> image);
    // Puts a picture into an existing slot and hands back the one it held.
    std::unique_ptr<CxImage> ReplaceImage(int number, std::unique_ptr<CxImage> image);
    // Whether an object's "Image Number" row names the slot.
    bool RefersToImage(int number) const;
    // Frees a slot; every "Image Number" row above it moves down by one, so
    // that each object keeps its picture. False for a missing slot.
    bool RemoveImageSlot(int number);
    // Storing: writes the block of image `imageNumber`. Loading: reads one block
    // and appends its image (the number is not used). A failure throws, so the
    // document's reader and writer see a damaged file or a failed save as a whole.
    void SerializeImageData(CArchive& ar, int imageNumber);
    // Reads one image block of a version-1 file and appends its image.
    void LoadPictureFromStream(CArchive& ar);

    // The stacking number of the image brought to front last.
    int StackingCounter() const { return m_stackingCounter; }
    void SetStackingCounter(int counter) { m_stackingCounter = counter; }

    // ---- the layout shown and the surfaces --------------------------------------------
    LabelShown& Shown() { return m_shown; }
    const LabelShown& Shown() const { return m_shown; }
    SurfacePlacement& Placement() { return m_placement; }
    const SurfacePlacement& Placement() const { return m_placement; }
    const SurfaceGeometry& Geometry() const { return m_placement.geometry; }
    // Reads the surface rows at their fixed places into the placement. Old or
    // damaged models may lack rows: a missing row leaves its value as it was.
    void LoadLayoutGeometry();

    // ---- typed readers --------------------------------------------------------------------
    // The surface an object is drawn on ("View").
    Surface SurfaceOf(const CString& objectName) const;
    // A length property in thousandths of an inch.
    DocLength LengthOf(const CString& objectName, const CString& key) const;
    // A Yes/No property.
    bool IsYes(const CString& objectName, const CString& key) const;
    // Font, alignment, angle and colour of a Text or Track object, read once
    // after those rows change.
    const ObjectStyle& StyleOf(const CString& objectName) const;

    // ---- undo recording ---------------------------------------------------------------------
    // Rows and changes are recorded for undo while set; off while a file is
    // read and while undo or redo replays a step.
    bool IsUndoRecording() const { return m_undoRecording; }
    void SetUndoRecording(bool recording) { m_undoRecording = recording; }

    // Empties the rows, texts and images; the zoom and stacking counter start again.
    void Clear();

private:
    void ForgetStyle(const CString& objectName) const;

    PropertyRows m_rows;
    TextRows m_texts;
    std::vector<std::unique_ptr<CxImage>> m_images;
    int m_stackingCounter = 0;
    LabelShown m_shown;
    SurfacePlacement m_placement;
    bool m_undoRecording = true;
    mutable std::map<std::string, ObjectStyle> m_styles;
};
