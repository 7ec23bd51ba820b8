// Removing a label object, and freeing the image slots nothing names any more.
#include "view/Quorbel6View.h"

#include "framework/ErrorReport.h"

namespace {

// The objects a command may remove; covers, discs and pages stay.
bool IsRemovableType(const CString& type)
{
    return type == "Text" || type == "Track" || type == "Boundary" || type == "Image";
}

bool AnyObjectShowsText(const CLabelModel& model, const CString& textName)
{
    for (int row = 0; row < model.RowCount(); row = model.NextObjectRow(row)) {
        if (LabelRows::TextNameOfObject(model.Row(row).m_strObjectName) == textName)
            return true;
    }
    return false;
}

}  // namespace

void CQuorbel6View::RemoveObject(const CString& objectName, bool refresh)
{
    Guarded(21, ErrorSink::Window(this), [&] {
        RemoveObjectRows(objectName, refresh);
        if (refresh)
            TellFramePanes();
    });
}

CQuorbel6View::RemovedText CQuorbel6View::RemoveObjectRows(const CString& objectName, bool refresh)
{
    RemovedText removed;
    CLabelModel& model = Model();
    const int first = model.FindObjectRow(objectName);
    if (first < 0)
        return removed;
    const CString type = model.Row(first).m_strValue;
    if (!IsRemovableType(type))
        return removed;
    if (refresh)
        DrawSurface(kDrawClear);

    const CString surface = model.Shown().surface;
    // A boundary belongs to its surface's layout, which has no undo of its own.
    const bool recorded = type != "Boundary" && IsUndoRecording();
    if (recorded) {
        const int end = model.NextObjectRow(first);
        // The first row keeps the object's place, for Undo to put it back there.
        for (int row = first; row < end; ++row)
            AddUndoRecord(model.Row(row), UndoKind::kAdd, UndoDirection::kFrom, row == first ? first : -1);
        PropertyEntry deletion;
        deletion.m_strObjectName = objectName;
        deletion.m_strValue = surface;
        AddUndoRecord(deletion, UndoKind::kDelete, UndoDirection::kTo);
    }
    model.EraseObjectRows(objectName);
    m_strSelectedObject = surface;

    // The text goes with the last object showing it; the album's own texts stay.
    if (type == "Text") {
        const CString textName = LabelRows::TextNameOfObject(objectName);
        if (!AnyObjectShowsText(model, textName)) {
            const TextRows& texts = model.Texts();
            for (int index = 0; index < static_cast<int>(texts.size()); ++index) {
                if (texts[static_cast<size_t>(index)].m_strName != textName ||
                    texts[static_cast<size_t>(index)].m_nOrigin == 2)
                    continue;
                removed.text = texts[static_cast<size_t>(index)];
                removed.index = index;
                model.EraseTextRow(index);
                break;
            }
        }
        if (recorded && removed.index >= 0) {
            PropertyEntry payload;
            payload.m_strObjectName = objectName;
            m_undoHistory.RecordRemovedText(payload, removed.text, removed.index, UndoDirection::kFrom, surface);
        }
    }
    if (refresh)
        DrawSurface(kDrawFull);
    return removed;
}

void CQuorbel6View::ReleaseImageSlot(int imageNumber)
{
    Guarded(193, ErrorSink::Window(this), [&] {
        CLabelModel& model = Model();
        if (imageNumber < 0 || imageNumber >= model.ImageCount())
            return;
        if (model.RefersToImage(imageNumber) || m_undoHistory.RefersToImage(imageNumber))
            return;
        model.RemoveImageSlot(imageNumber);
        m_undoHistory.LowerImageNumbersAbove(imageNumber);
    });
}
