#pragma once
// CDockBar: the strip along one edge of a frame (or the inside of a floating
// frame) that holds control bars in rows. Its array lists the bars row by
// row; a null entry ends a row and the array begins and ends with one.
// Hidden bars keep their place and take no room. A bar that does not fit
// beside the ones before it in its row is shown at the start of a row below
// them, while the array keeps the row as it was.
//
// Neighbouring bars overlap by 2 pixels and the outer 2 pixels of the bars
// at the ends of a row lie outside the dock bar, so their borders merge.

#include "framework/ControlBar.h"

#include <vector>

class CDockBar : public CControlBar {
    DECLARE_DYNCREATE(CDockBar)

public:
    explicit CDockBar(bool floating = false);
    ~CDockBar() override;

    // A child of `parent` with the dock bar's id (FWID_DOCKBAR_...); the
    // side comes from the CBRS_ALIGN_ bit of `style`.
    BOOL Create(CWnd* parent, DWORD style, UINT id);
    using CWnd::Create;

    bool IsDockBar() const override { return true; }
    bool IsFloatingDockBar() const { return m_bFloating; }

    // Lays the rows out (unless only asked) and returns the room they take.
    SIZE CalcFixedLayout(BOOL stretch, BOOL horz) override;

    // Takes the bar (out of its old dock bar). With a screen rectangle the bar
    // joins the row it falls on, or a new row before or after the others, at
    // the place along the row it points to; without one it opens a new last row.
    void DockControlBar(CControlBar* bar, const RECT* screenRect = nullptr);
    // Takes bars row by row, in order, replacing what the dock bar held.
    void SetRows(const std::vector<std::vector<CControlBar*>>& rows);
    // Lets the bar go; empty rows close up. False when it was not here.
    bool RemoveControlBar(CControlBar* bar);

    int FindBar(const CControlBar* bar) const;
    // Bars held, hidden ones too.
    int GetBarCount() const;
    int GetVisibleBarCount() const;

    // The array: bars, and nulls that end rows.
    std::vector<CControlBar*> m_arrBars{nullptr};
    // The rectangle the frame offered at the last layout (frame client coordinates).
    RECT m_rectLayout{};
    // Set while the frame only measures: the bars are not moved.
    bool m_bLayoutQuery = false;

    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

protected:
    void OnPaint() override;

private:
    // Row of each index: [first, last) ranges of the bars' indexes.
    void NormalizeRows();
    void TakeBar(CControlBar* bar);

    bool m_bFloating;
};
