#pragma once

#include "framework/ListCtrl.h"
#include "framework/String.h"
#include "label/TrackListEdit.h"
#include "uikit/CellEdit.h"
#include "uikit/TrackHeaderCtrl.h"

class ITextPaneHost;

// The Text pane's track list: number, name and time of each track, the name
// and time edited in place by a cell editor that writes every keystroke into
// the label; rows are selected by pressing and dragging over their numbers.
class CTrackListCtrl : public CListCtrl, public CCellEditOwner
{
    DECLARE_DYNAMIC(CTrackListCtrl)

public:
    static constexpr UINT kNameEditId = 1106;
    static constexpr UINT kTimeEditId = 1107;
    static constexpr int kNumberColumn = 1;
    static constexpr int kNameColumn = 2;
    static constexpr int kTimeColumn = 3;
    // BuildTrackListText: where the built text is kept.
    static constexpr int kStoreCommitted = 1;
    static constexpr int kStoreBuilt = 2;

    void AttachHost(ITextPaneHost* host) { m_host = host; }

    // CCellEditOwner
    int GetCurrentRow() const override { return m_nCurrentRow; }
    int GetCurrentColumn() const override { return m_nCurrentColumn; }
    // Records an undo step when the rows differ from the committed text.
    void ApplyChanges() override;
    // Escape in a cell editor: the list keeps the focus, the editor goes.
    void CloseCellEditor() override;

    // Opens the cell editor over the current cell (name or time column only).
    void BeginEdit();
    // The track-list text of the rows, kept as the committed or the built text.
    CString BuildTrackListText(int mode);
    // Scrolls the current cell into view, hiding the editors while it moves.
    void ScrollCellIntoView();
    void HideEditors();

    // The rows as tracks, and the rows refilled from tracks (numbers included).
    TrackListEdit::Tracks Tracks() const;
    void SetTracks(const TrackListEdit::Tracks& tracks);

    // Forgets the current cell and the selection.
    void ResetCell();
    void SetCurrentCell(int row, int column)
    {
        m_nCurrentRow = row;
        m_nCurrentColumn = column;
    }
    bool HasSelection() const { return m_nSelectionStart >= 0 && m_nSelectionEnd >= 0; }
    int SelectionStart() const { return m_nSelectionStart; }
    int SelectionEnd() const { return m_nSelectionEnd; }
    void SetSelection(int start, int end);
    // Which cell editor last received the focus; each clears the other.
    bool IsNameEditorActive() const { return m_bNameEditorActive; }
    bool IsTimeEditorActive() const { return m_bTimeEditorActive; }
    void ClearEditorFlags() { m_bNameEditorActive = m_bTimeEditorActive = false; }

    CCellEdit& NameEditor() { return m_nameEdit; }
    CCellEdit& TimeEditor() { return m_timeEdit; }
    HWND NameEditorWindow() const { return m_nameEdit.m_hWnd; }
    HWND TimeEditorWindow() const { return m_timeEdit.m_hWnd; }
    const CString& ObjectName() const { return m_strObjectName; }
    void SetObjectName(const CString& name) { m_strObjectName = name; }
    const CString& CommittedText() const { return m_strCommitted; }
    void SetCommittedText(const CString& text) { m_strCommitted = text; }
    // Widths of the number, name and time columns for the list's client width.
    void SizeColumns();
    // The cell's rectangle as the editor covers it: 2 pixels taller at the top,
    // 3 at the bottom, the time cell 2 pixels narrower.
    RECT EditorCell(int row, int column) const;

    BOOL PreTranslateMessage(MSG* msg) override;

protected:
    int OnCreate(LPCREATESTRUCTA cs) override;
    void OnDestroy() override;
    void OnLButtonDown(UINT flags, POINT point) override;
    void OnLButtonDblClk(UINT flags, POINT point) override { OnLButtonDown(flags, point); }
    void OnMouseMove(UINT flags, POINT point) override;
    void OnLButtonUp(UINT flags, POINT point) override;
    void OnVScroll(UINT code, UINT pos, HWND scrollBar) override;
    BOOL OnMouseWheel(UINT flags, short delta, POINT point) override;
    void OnPaint() override;
    void OnShowWindow(BOOL show, UINT status) override;
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;

private:
    // The row under a client point; -1 when none.
    int RowAt(POINT point, int* column) const;
    int HeaderBottom() const;
    void SaveCaret();
    // A time typed into the time cell becomes minutes and seconds, or is
    // refused with a message and the cell put back; false when refused.
    bool FinishTimeCell();
    // The editors follow their cell after the list scrolled.
    void FollowScroll();
    void PaintSelection(HDC dc);
    CCellEdit& EditorOf(int column) { return column == kTimeColumn ? m_timeEdit : m_nameEdit; }

    ITextPaneHost* m_host = nullptr;
    CCellEdit m_nameEdit;
    CCellEdit m_timeEdit;
    int m_nCurrentRow = -1;
    int m_nCurrentColumn = -1;
    CString m_strCommitted;
    CString m_strBuilt;
    CString m_strObjectName;
    bool m_bNameEditorActive = false;
    bool m_bTimeEditorActive = false;
    int m_nSelectionStart = -1;
    int m_nSelectionEnd = -1;
    bool m_bDragging = false;
    int m_nCaretStart = -1;
    int m_nCaretEnd = -1;
    CTrackHeaderCtrl m_header;
};
