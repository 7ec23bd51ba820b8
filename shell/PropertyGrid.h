#pragma once

#include "framework/ImageList.h"
#include "framework/ListCtrl.h"
#include "framework/String.h"
#include "label/PropertyGridRows.h"
#include "uikit/EllipsisButton.h"
#include "uikit/FlatComboBox.h"
#include "uikit/GridEdit.h"

#include <functional>
#include <vector>

class IPropertyGridHost;

// The two-column property box of the Properties pane: caption and value of
// every shown property of one object, edited in place (drop-down list, edit
// box, Yes/No toggle, or a "..." button that opens the row's dialog). Every
// change goes to the view through IPropertyGridHost, which applies it with an
// undo step. The grid holds copies of the rows it shows and refills them after
// each change.
class CPropertyGrid : public CListCtrl
{
    DECLARE_DYNAMIC(CPropertyGrid)

public:
    static constexpr UINT kEditId = 1086;
    static constexpr UINT kComboId = 1084;
    static constexpr UINT kEllipsisId = 1087;

    CPropertyGrid();
    ~CPropertyGrid() override;

    void AttachHost(IPropertyGridHost* host) { m_host = host; }
    // Asked after every fill so the pane lays the grid out again.
    void SetRelayout(std::function<void()> relayout) { m_relayout = std::move(relayout); }

    // Refills the grid with the rows of the named object.
    void ShowProperties(const CString& objectName);
    // Places the in-place editor of the selected row.
    void BeginEdit();
    // Ends the edit of the selected row, committing the edit box's text when asked.
    void EndEdit(bool commit);
    // Hands a new value of the selected row to the view; nothing for an
    // empty or unchanged value.
    void CommitValue(const CString& text, bool refresh);
    // The selected row's action: toggle, open the list or the row's dialog.
    void OnEllipsis();
    BOOL PreTranslateMessage(MSG* msg) override;

    const std::vector<GridRow>& Rows() const { return m_rows; }
    int SelectedRow() const { return m_nSelectedRow; }
    void SelectRow(int row) { m_nSelectedRow = row; }
    int CaptionWidth() const { return m_nCaptionWidth; }
    int RowHeight() const { return m_nRowHeight; }
    CGridEdit& EditBox() { return m_edit; }
    CFlatComboBox& DropDown() { return m_combo; }
    CEllipsisButton& Ellipsis() { return m_ellipsis; }

protected:
    int OnCreate(LPCREATESTRUCTA cs) override;
    void OnDestroy() override;
    void OnLButtonDown(UINT flags, POINT point) override;
    void OnLButtonDblClk(UINT flags, POINT point) override { OnLButtonDown(flags, point); }
    void OnPaint() override;
    void OnVScroll(UINT code, UINT pos, HWND scrollBar) override;
    void OnTimer(UINT_PTR id) override;
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;

private:
    void HideEditors();
    // After a commit: the surface redrawn, the rows refilled and the edit box
    // showing the value the view stored.
    void ShowCommitted(const GridRow& row, const CString& shown);
    void OnCloseUpCombo();
    // The value cell of a row, client coordinates.
    RECT ValueCell(int row) const;
    void MoveSelection(int step);
    void PaintColorSwatch(HDC dc);
    void PaintYesNoCells(HDC dc);
    // The three marker pictures, from the program's bitmaps.
    void LoadMarkers();
    void PaintGridLines(HDC dc);
    void PaintCaptions(HDC dc);

    static constexpr UINT_PTR kComboRedrawTimer = 1085;
    static constexpr UINT_PTR kEditRedrawTimer = 1089;
    static constexpr UINT_PTR kFlashTimer = 1096;

    IPropertyGridHost* m_host = nullptr;
    std::function<void()> m_relayout;
    std::vector<GridRow> m_rows;
    int m_nSelectedRow = -1;
    int m_nCaptionWidth = 0;
    CGridEdit m_edit;
    CFlatComboBox m_combo;
    CEllipsisButton m_ellipsis;
    int m_nDpiY = 96;
    int m_nPreviousRow = -1;
    int m_nColorRow = -1;
    int m_nRowHeight = 16;
    int m_nFlashTicks = 0;
    bool m_bCommitting = false;
    CImageList m_rowHeightImages;
    CImageList m_markers;  // the Yes/No markers: 0 "No", 1 "Yes", 2 "Disabled On"
};
