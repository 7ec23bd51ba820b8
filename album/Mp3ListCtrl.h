#pragma once
// CMp3ListCtrl: the list of a data CD's MP3 files in the album dialog. Per
// row: the track number (fixed to the row's place), a marker that chooses
// between the tag's name and the file's name, the play time and the name
// used, which is edited in place. Rows are selected by dragging over the
// number or time columns and moved up and down as a block; the list view's
// own selection is not used.

#include "framework/Edit.h"
#include "framework/ImageList.h"
#include "framework/ListCtrl.h"
#include "framework/String.h"

#include <vector>

class CMp3ListCtrl : public CListCtrl {
    DECLARE_DYNAMIC(CMp3ListCtrl)

public:
    enum Column : int {
        kHiddenColumn = 0,
        kNumberColumn = 1,
        kTagColumn = 2,
        kTimeColumn = 3,
        kNameColumn = 4,
        kTagStateColumn = 5,  // "0" file name shown, "1" tag name shown, "2" no choice
        kOtherNameColumn = 6,
    };
    static constexpr UINT kEditorId = 1035;

    CMp3ListCtrl() = default;
    ~CMp3ListCtrl() override;

    // Builds the markers, the editor, the columns and one row per name (the
    // files' display names, in the order found). The window must exist.
    void Init(const std::vector<CString>& names, HFONT font);
    // Clicks count only once the search that fills the list has finished.
    void SetClicksEnabled(bool enabled) { m_bClicksEnabled = enabled; }
    // Offers the tag's name for a row: shown at once when `useTag`, else kept
    // as the other choice. An empty name offers nothing.
    void OfferTagName(int row, const CString& tagName, bool useTag);
    void SetTime(int row, const CString& time) { SetItemText(row, kTimeColumn, time); }
    // Sizes the time and name columns to their content once every row is filled.
    void FitColumnsToContent();

    void MoveSelectedRows(bool up);
    // Orders the rows by their shown names, ignoring case; numbers stay in place.
    void SortByName();

    int GetCurrentRow() const { return m_nCurrentRow; }
    int GetCurrentColumn() const { return m_nCurrentColumn; }
    int GetSelectionFirst() const { return m_nSelectionFirst; }
    int GetSelectionLast() const { return m_nSelectionLast; }
    bool IsDragging() const { return m_bDragging; }
    CEdit& GetEditor() { return m_editor; }
    const CImageList& GetMarkers() const { return m_markers; }
    // The rectangle of a cell's label, in client coordinates.
    RECT CellRect(int row, int column) const;

    BOOL PreTranslateMessage(MSG* msg) override;

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    void OnPaint() override;
    void OnLButtonDown(UINT flags, POINT point) override;
    void OnMouseMove(UINT flags, POINT point) override;
    void OnLButtonUp(UINT flags, POINT point) override;
    void OnVScroll(UINT code, UINT pos, HWND scrollBar) override;
    void OnHScroll(UINT code, UINT pos, HWND scrollBar) override;
    BOOL OnMouseWheel(UINT flags, short delta, POINT point) override;
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;

private:
    void OnEditUpdate();
    void DrawList(HDC dc);
    void PlaceEditor(int selectionStart, int selectionEnd);
    void EnsureEditVisible(int row);
    void HideEditor();
    int HeaderBottom() const;
    int TopIndex() const { return static_cast<int>(SendMessage(LVM_GETTOPINDEX)); }
    int RowsPerPage() const { return static_cast<int>(SendMessage(LVM_GETCOUNTPERPAGE)); }
    void ScrollBy(int dy) { SendMessage(LVM_SCROLL, 0, dy); }
    bool HasSelection() const { return m_nSelectionFirst >= 0 && m_nSelectionLast >= 0; }
    bool IsSelected(int row) const;
    // Runs a scroll the list does itself, keeping the editor on its row.
    template <typename Scroll>
    void ScrollKeepingEditor(Scroll scroll);

    CEdit m_editor;
    CImageList m_markers;
    int m_nCurrentRow = -1;
    int m_nCurrentColumn = -1;
    int m_nSelectionFirst = -1;
    int m_nSelectionLast = -1;
    bool m_bDragging = false;
    bool m_bClicksEnabled = false;
};
