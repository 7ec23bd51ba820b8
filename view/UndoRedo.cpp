// The view's undo history: recording the changes of a command as one step,
// and replaying a step backwards (Undo) or forwards (Redo).
#include "view/Quorbel6View.h"

#include "framework/Document.h"
#include "framework/ErrorReport.h"
#include "framework/WinApp.h"

#include <algorithm>

namespace {

// Recording stays off while a step is replayed, whatever the replay does.
class RecordingPause
{
public:
    explicit RecordingPause(CUndoHistory& history) : m_history(history) { m_history.SetRecording(false); }
    ~RecordingPause() { m_history.SetRecording(true); }
    RecordingPause(const RecordingPause&) = delete;
    RecordingPause& operator=(const RecordingPause&) = delete;

private:
    CUndoHistory& m_history;
};

CString Opposite(const CString& direction)
{
    return direction == UndoDirection::kFrom ? UndoDirection::kTo : UndoDirection::kFrom;
}

// Covers and their pages, in the order a page looks for its surface.
const char* const kCovers[] = {"Front Cover", "Back Cover", "Disc 1", "Disc 2"};

}  // namespace

bool CQuorbel6View::IsUndoRecording() const
{
    // The model's switch is off while a file is read or a layout is built.
    return m_undoHistory.IsRecording() && Model().IsUndoRecording();
}

void CQuorbel6View::AddUndoRecord(const PropertyEntry& payload, const CString& kind, const CString& direction,
                                  int rowIndex)
{
    Guarded(6, ErrorSink::Window(this), [&] {
        if (!IsUndoRecording())
            return;
        m_undoHistory.Record(payload, kind, direction, Model().Shown().surface, rowIndex);
        TellFrameUndoState(true, false);
    });
}

void CQuorbel6View::CommitUndoStep()
{
    Guarded(41, ErrorSink::Window(this), [&] {
        if (!IsUndoRecording())
            return;
        ReleaseImageSlots(m_undoHistory.Commit());
        TellFrameUndoState(m_undoHistory.CanUndo(), m_undoHistory.CanRedo());
    });
}

void CQuorbel6View::OnEditUndo()
{
    Guarded(71, ErrorSink::Window(this), [&] {
        if (m_hWnd)
            ::SetFocus(m_hWnd);
        if (!m_undoHistory.StepBack())
            return;
        {
            RecordingPause pause(m_undoHistory);
            UndoRedo(UndoDirection::kFrom);
        }
        TellFrameUndoState(m_undoHistory.CanUndo(), m_undoHistory.CanRedo());
    });
}

void CQuorbel6View::OnEditRedo()
{
    Guarded(70, ErrorSink::Window(this), [&] {
        if (m_hWnd)
            ::SetFocus(m_hWnd);
        if (!m_undoHistory.CanRedo())
            return;
        {
            RecordingPause pause(m_undoHistory);
            UndoRedo(UndoDirection::kTo);
        }
        m_undoHistory.StepForward();
        TellFrameUndoState(m_undoHistory.CanUndo(), m_undoHistory.CanRedo());
    });
}

void CQuorbel6View::UndoRedo(const CString& direction)
{
    Guarded(100, ErrorSink::Window(this), [&] {
        m_strSelectedObject.Empty();
        m_strDragMode.Empty();
        const bool undoing = direction == UndoDirection::kFrom;
        const int step = m_undoHistory.CurrentStep();
        const CString surfaceBefore = Model().Shown().surface;
        // The rows of a deleted object come back together, in their order, once
        // its first row is met (the newest-first scan meets it last), at the
        // place they were taken from.
        std::vector<PropertyEntry> pending;
        const auto putBackPending = [&](int rowIndex) {
            Model().InsertObjectRows(rowIndex, std::vector<PropertyEntry>(pending.rbegin(), pending.rend()));
            pending.clear();
        };

        for (const CUndoEntry& entry : m_undoHistory.ActingEntries(direction)) {
            const PropertyEntry& payload = entry.m_payload;
            m_strSelectedObject = payload.m_strObjectName;
            Model().Shown().surface = entry.m_strSurface;
            if (entry.m_strKind == UndoKind::kChange) {
                // These two keys keep what they stand for in the choices.
                const bool inChoices = payload.m_strKey == "Item Type" || payload.m_strKey == "View";
                ApplyProperty(payload.m_strObjectName, payload.m_strKey,
                              inChoices ? payload.m_strChoices : payload.m_strValue);
            } else if (entry.m_strKind == UndoKind::kDelete) {
                const RemovedText removed = RemoveObjectRows(payload.m_strObjectName, true);
                // Replaying the step the other way must bring that text back too.
                if (removed.index >= 0)
                    m_undoHistory.KeepRemovedText(step, Opposite(direction), payload, removed.text, removed.index,
                                                  entry.m_strSurface);
                m_strSelectedObject = payload.m_strValue;
            } else if (entry.m_strKind == UndoKind::kAdd) {
                if (undoing) {
                    pending.push_back(payload);
                    if (payload.m_strKey == "Item Type")
                        putBackPending(entry.m_nRowIndex);
                } else {
                    AddObjectRecord(payload);
                }
            } else if (entry.m_strKind == UndoKind::kAddText) {
                if (Model().FindTextRow(entry.m_text.m_strName) < 0)
                    Model().InsertTextRow(entry.m_nTextIndex, entry.m_text);
            }
        }
        // Rows whose first row is missing are still put back rather than lost.
        putBackPending(-1);

        ShowReplayedSelection(surfaceBefore);
    });
}

void CQuorbel6View::ShowReplayedSelection(const CString& surfaceBefore)
{
    LoadSelection();
    m_nSelectionHandles = 8;
    if (CDocument* doc = GetDocument())
        doc->SetModifiedFlag(TRUE);
    LabelShown& shown = Model().Shown();
    if (const CString page = SelectedRowValue(1); !page.IsEmpty())
        shown.page = page;

    const CString type = SelectedRowValue(0);
    if (type == "Text" || type == "Track") {
        shown.surface = SelectedRowValue(3);
    } else if (type == "Image" || type == "Boundary") {
        shown.surface = SelectedRowValue(2);
    } else if (type == "Cover") {
        shown.surface = m_strSelectedObject;
        m_nSelectionHandles = 0;
    } else if (type == "Page") {
        m_nSelectionHandles = 0;
        const auto cover = std::find_if(std::begin(kCovers), std::end(kCovers), [&](const char* name) {
            return Model().GetPropertyValue(name, "Page") == shown.page;
        });
        if (cover != std::end(kCovers)) {
            shown.surface = *cover;
        } else {
            shown.surface = "Front Cover";
            shown.page = Model().GetPropertyValue("Front Cover", "Page");
            m_strSelectedObject = "Front Cover";
            LoadSelection();
        }
    }
    TellFrameSelection();
    TellFramePanes();
    // Another surface comes into view as its surface command shows it: at the
    // zoom that fits it, not at the zoom chosen for the one shown before.
    ScrollToCurrentPart(shown.surface != surfaceBefore);
    ReloadSelection();
    ShowSurface("");
    if (m_hWnd)
        ::SetFocus(m_hWnd);
}

CString CQuorbel6View::SelectedRowValue(int index) const
{
    const CLabelModel& model = Model();
    const int first = model.FindObjectRow(m_strSelectedObject);
    if (first < 0 || index < 0)
        return CString();
    const int row = first + index;
    return row < model.NextObjectRow(first) ? model.Row(row).m_strValue : CString();
}

void CQuorbel6View::ReleaseImageSlots(const std::vector<int>& imageNumbers)
{
    for (const int number : imageNumbers)
        ReleaseImageSlot(number);
}

void CQuorbel6View::TellFrameUndoState(bool undo, bool redo)
{
    if (auto* frame = dynamic_cast<IViewFrame*>(GetAppMainWnd())) {
        frame->SetUndoAvailable(undo);
        frame->SetRedoAvailable(redo);
    }
}
