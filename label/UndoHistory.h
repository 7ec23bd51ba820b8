#pragma once

#include "framework/Object.h"
#include "framework/String.h"
#include "label/LabelRows.h"

#include <deque>
#include <vector>

// The steps the history keeps: older ones can no longer be undone.
constexpr int kMaxUndoSteps = 50;

// The kinds and directions of undo entries.
namespace UndoKind
{
inline constexpr const char* kChange = "Change";
inline constexpr const char* kDelete = "Delete";
inline constexpr const char* kAdd = "Add";
// A text row taken away with the last object that showed it; the entry holds
// the whole text row, so that the object comes back with its text.
inline constexpr const char* kAddText = "Add Text";
}  // namespace UndoKind

namespace UndoDirection
{
inline constexpr const char* kFrom = "From";  // the state before a change, replayed by Undo
inline constexpr const char* kTo = "To";      // the state after it, replayed by Redo
}  // namespace UndoDirection

// One recorded change: a copy of one property row and the direction it restores.
class CUndoEntry : public CObject
{
public:
    CUndoEntry(const PropertyEntry& payload, int step, const CString& kind, const CString& direction,
               const CString& surface)
        : m_nStep(step), m_strKind(kind), m_payload(payload), m_strDirection(direction), m_strSurface(surface)
    {
    }

    // The image slot the payload names; -1 when it names none.
    int ImageNumber() const;

    int m_nStep;
    CString m_strKind;        // "Change", "Delete", "Add" or "Add Text"
    PropertyEntry m_payload;  // owned copy of the row
    CString m_strDirection;   // "From" or "To"
    CString m_strSurface;     // the surface shown when the entry was recorded
    // Only for "Add Text": the text row and its place among the text rows.
    TextEntry m_text;
    int m_nTextIndex = -1;
    // Only for the first row of a removed object ("Add", "From"): the place
    // of that row among the property rows when the object was removed.
    int m_nRowIndex = -1;
};

// The undo history of one label, without any window: which steps exist, which
// one is being recorded, and which entries Undo and Redo replay. The view does
// the replay itself (through the property setter and its row operations).
//
// Steps only grow. The history covers the steps from the floor (the lowest
// Undo can reach) to the highest (the highest Redo can reach); the current
// step is the one being recorded.
class CUndoHistory
{
public:
    // ---- recording ----------------------------------------------------------------------
    // Entries are stored only while recording (off while a step is replayed).
    bool IsRecording() const { return m_recording; }
    void SetRecording(bool recording) { m_recording = recording; }

    // Stores an entry in the current step. After an Undo the undone steps are
    // dropped first, so that Redo never replays changes made on another road.
    // Nothing is stored while not recording.
    // `rowIndex` goes with the first row of an object being removed: where
    // Undo puts the object back.
    void Record(const PropertyEntry& payload, const CString& kind, const CString& direction, const CString& surface,
                int rowIndex = -1);
    // The removal of a text row with the last object showing it, as an "Add
    // Text" entry of the current step (the text comes back with Undo).
    void RecordRemovedText(const PropertyEntry& payload, const TextEntry& text, int textIndex,
                           const CString& direction, const CString& surface);
    // Closes the current step. A step that recorded nothing is not opened.
    // Beyond kMaxUndoSteps the oldest step is dropped. Returns the image
    // numbers that dropped entries named, highest first, for the caller to
    // release where nothing else names them. Those of a dropped redo tail wait
    // until here: the command that dropped it may be about to use the slot again.
    std::vector<int> Commit();

    // ---- undo and redo ---------------------------------------------------------------------
    bool CanUndo() const { return m_current != m_floor; }
    bool CanRedo() const { return m_current < m_highest; }
    // Undo: moves down to the step to undo; false (staying) at the floor.
    // Either way any later recording first drops the undone steps.
    bool StepBack();
    // Redo, after the current step has been replayed: moves up past it.
    void StepForward();
    // The entries of the current step that act in `direction`, in the order
    // they are replayed: "From" newest first, "To" oldest first.
    std::vector<CUndoEntry> ActingEntries(const CString& direction) const;

    // A text row the replay of a step removed with its object: kept in that step
    // in `direction` (once), so that replaying the step the other way brings it back.
    void KeepRemovedText(int step, const CString& direction, const PropertyEntry& payload, const TextEntry& text,
                         int textIndex, const CString& surface);

    // ---- image numbers ---------------------------------------------------------------------
    bool RefersToImage(int imageNumber) const;
    // A slot below them was freed: every image number above `imageNumber` moves down by one.
    void LowerImageNumbersAbove(int imageNumber);

    // ---- state ------------------------------------------------------------------------------
    // Forgets every entry: steps 0, recording on.
    void Reset();
    int CurrentStep() const { return m_current; }
    int HighestStep() const { return m_highest; }
    int FloorStep() const { return m_floor; }
    const std::deque<CUndoEntry>& Entries() const { return m_entries; }

private:
    void Store(CUndoEntry entry);
    // Drops the entries of steps from `step` on; their image numbers, highest first.
    std::vector<int> DropFrom(int step);
    // Drops the entries of steps below `step`; their image numbers, highest first.
    std::vector<int> DropBelow(int step);

    std::deque<CUndoEntry> m_entries;  // in recording order, so in step order
    int m_current = 0;
    int m_highest = 0;
    int m_floor = 0;
    bool m_recording = true;
    bool m_dropTail = false;  // set by Undo: the next entry first drops the undone steps
    bool m_stepRecorded = false;  // the current step holds entries recorded since it was reached
    std::vector<int> m_imagesToRelease;  // named by the dropped redo tail, released at the next commit
};
