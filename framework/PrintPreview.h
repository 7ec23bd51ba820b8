#pragma once
// CPrintPreviewWnd: File > Print Preview. A window over the main frame that
// shows the pages a view prints, one at a time, drawn by the view's own print
// hooks (OnPrepareDC, OnPrint with CPrintInfo::m_bPreview set). Each page is
// drawn at the scale it is shown at, on a stand-in for the printer that
// answers with that resolution, so a one-pixel line stays one pixel at every
// zoom. Its buttons page through the job, zoom, print (the view's print
// command) and close; below them the page lies in a pane with scroll bars
// that the mouse wheel and the keys (arrows, Page Up/Down, Home/End) scroll.
//
// It opens with the whole page in the window; Zoom In goes to the sheet's
// size at screen resolution (100 %) and then to 200 %, Zoom Out back.

#include "framework/Gdi.h"
#include "framework/PrintInfo.h"
#include "framework/Wnd.h"

#include <memory>

class CView;
class CPrintPreviewPane;

class CPrintPreviewWnd : public CWnd {
public:
    explicit CPrintPreviewWnd(CView& view);
    ~CPrintPreviewWnd() override;

    // Prepares the job and shows the first page; false (no window) when the
    // view declines, for instance without a printer.
    bool Open(HWND owner);

    UINT PageCount() const { return m_info.GetMaxPage() - m_info.GetMinPage() + 1; }
    UINT CurrentPage() const { return m_info.m_nCurPage; }
    void ShowPage(UINT page);
    // Zoom in percent of the sheet's size at screen resolution, kMinZoom to kMaxZoom.
    void SetZoom(int percent);
    // The zoom that shows the whole page in the pane; the preview keeps it as
    // the pane changes size until the user zooms.
    void ZoomWholePage();
    int Zoom() const { return m_zoom; }
    bool ShowsWholePage() const { return m_wholePage; }
    // The current page as drawn at the current zoom, one bitmap pixel per screen pixel.
    HBITMAP PageBitmap() const { return m_page.Get(); }
    SIZE PageSize() const { return m_pageSize; }

    // The pane that shows the page, with the scroll bars; it takes the keys.
    HWND PagePane() const;
    // Where the page lies in the pane's client area, scrolled as shown.
    RECT PageRect() const;
    // How far the page is scrolled, in pixels from its top-left position.
    POINT ScrollPosition() const { return m_scroll; }

    enum ButtonId { kPrint = 1, kNext, kPrevious, kZoomIn, kZoomOut, kClose };
    static constexpr int kBarHeight = 30;
    static constexpr int kMinZoom = 10;
    static constexpr int kMaxZoom = 200;

protected:
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;
    void OnPaint() override;
    void OnSize(UINT type, int cx, int cy) override;
    BOOL OnMouseWheel(UINT flags, short delta, POINT point) override;
    void PostNcDestroy() override;
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    friend class CPrintPreviewPane;

    void RenderPage();
    void UpdateButtons();
    void ZoomIn();
    void ZoomOut();
    int WholePageZoom() const;
    SIZE PaneSize() const;
    // The scroll bars for the page's size at the zoom; keeps the position in range.
    void UpdateScrollBars();
    void ScrollTo(POINT position);
    void ScrollBy(int dx, int dy) { ScrollTo(POINT{m_scroll.x + dx, m_scroll.y + dy}); }
    bool CanScrollDown() const;

    // The pane's messages.
    void PaintPane(HDC dc) const;
    void OnPaneSize();
    void OnPaneScroll(int bar, UINT code);
    void OnPaneKey(UINT key);
    void OnPaneWheel(short delta);

    CView& m_view;
    CPrintInfo m_info;
    COwnedDC m_printer;  // the default printer: the pages' paper and orientation
    std::unique_ptr<CPrintPreviewPane> m_pane;
    CBitmap m_page;
    SIZE m_pageSize{};
    SIZE m_sheetAt100{};  // the current page's sheet at screen resolution
    int m_zoom = 100;
    bool m_wholePage = true;
    POINT m_scroll{};
    int m_renderDpi = 0;  // the resolution the view began its pages at
    int m_wheelRest = 0;  // wheel movement short of one notch
    bool m_laying = false;
    bool m_begun = false;
};
