#pragma once
// CScrollView: a view larger than its window, with scroll bars that appear
// when the view's total size does not fit. Drawing code draws in document
// coordinates: OnPrepareDC moves the origin by the scroll position.

#include "framework/View.h"

class CScrollView : public CView {
    DECLARE_DYNAMIC(CScrollView)

public:
    CScrollView() = default;

    // Sizes in logical units of the mapping mode (MM_TEXT: pixels). A page or
    // line of 0 takes a tenth of the total and a tenth of the page.
    void SetScrollSizes(int mapMode, SIZE total, SIZE page = SIZE{0, 0}, SIZE line = SIZE{0, 0});
    int GetMapMode() const { return m_mapMode; }
    SIZE GetTotalSize() const { return m_totalLogical; }
    // The document point at the window's top-left corner, in logical units.
    POINT GetScrollPosition() const;
    POINT GetDeviceScrollPosition() const { return m_position; }
    // Scrolls so the logical point is at the top-left corner (as far as the bars go).
    void ScrollToPosition(POINT position);
    void ScrollToDevicePosition(POINT position);

    void OnPrepareDC(CDC* dc, CPrintInfo* info = nullptr) override;

protected:
    void OnSize(UINT type, int cx, int cy) override;
    void OnHScroll(UINT code, UINT pos, HWND scrollBar) override;
    void OnVScroll(UINT code, UINT pos, HWND scrollBar) override;
    BOOL OnMouseWheel(UINT flags, short delta, POINT point) override;

    // Shows, hides and sets the bars for the window's size; keeps the position in range.
    void UpdateBars();

private:
    SIZE ToDevice(SIZE logical) const;
    int NewPosition(int bar, UINT code, int current, int page, int line) const;

    int m_mapMode = MM_TEXT;
    SIZE m_totalLogical{0, 0};
    SIZE m_totalDevice{0, 0};
    SIZE m_pageDevice{0, 0};
    SIZE m_lineDevice{0, 0};
    POINT m_position{0, 0};  // device units
    SIZE m_visible{0, 0};    // client size the bars were set for
    bool m_updatingBars = false;
};
