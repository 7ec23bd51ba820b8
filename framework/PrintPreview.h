#pragma once
// CPrintPreviewWnd: File > Print Preview. A window over the main frame that
// shows the pages a view prints, one at a time, drawn by the view's own print
// hooks (OnPrepareDC, OnPrint with CPrintInfo::m_bPreview set) into a bitmap
// of the sheet at screen resolution. Its buttons page through the job, zoom,
// print (the view's print command) and close.

#include "framework/Gdi.h"
#include "framework/PrintInfo.h"
#include "framework/Wnd.h"

#include <memory>

class CView;

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
    // Zoom in percent of the sheet's size at screen resolution: 50, 100 or 200.
    void SetZoom(int percent);
    int Zoom() const { return m_zoom; }
    // The current page as drawn, one pixel per screen pixel at 100 %.
    HBITMAP PageBitmap() const { return m_page.Get(); }
    SIZE PageSize() const { return m_pageSize; }

    enum ButtonId { kPrint = 1, kNext, kPrevious, kZoomIn, kZoomOut, kClose };
    static constexpr int kBarHeight = 30;

protected:
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;
    void OnPaint() override;
    void PostNcDestroy() override;
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    void RenderPage();
    void UpdateButtons();

    CView& m_view;
    CPrintInfo m_info;
    COwnedDC m_printer;  // the default printer: the pages' paper and orientation
    CBitmap m_page;
    SIZE m_pageSize{};
    int m_zoom = 100;
    bool m_begun = false;
};
