#pragma once
// CImagePanel: the grid of thumbnails inside the Images pane. It asks its
// two workers for the list of a folder's pictures and their thumbnails, lays
// out only the cells in view (reusing them while scrolling) and polls the
// workers with timers: the user-interface thread never waits for a picture.

#include "framework/String.h"
#include "framework/Thread.h"
#include "framework/Wnd.h"
#include "imaging/ThumbnailList.h"

#include <functional>
#include <memory>
#include <vector>

class CThumbnailButton;
class IImagePaneTarget;

class CImagePanel : public CWnd {
    DECLARE_DYNAMIC(CImagePanel)

public:
    static constexpr int kCellWidth = 129;   // column pitch
    static constexpr int kCellHeight = 147;  // row pitch
    static constexpr UINT_PTR kFillTimer = 1094;
    static constexpr UINT_PTR kReloadTimer = 1098;
    static constexpr UINT kPollPeriod = 100;  // milliseconds
    static constexpr int kWheelStep = 55;     // pixels per wheel message

    CImagePanel();
    ~CImagePanel() override;

    // The scroll bar the panel drives and the window whose title counts the
    // pictures (both the Images bar's).
    void AttachBar(CWnd* bar, HWND scrollBar);
    void AttachTarget(IImagePaneTarget* target);

    // Shows a new folder: stops the workers of the last one, and once both
    // have ended empties the list and starts the list filler.
    void LoadImages(const CString& folder, const CString& patterns, bool subFolders);
    // Starts the thumbnail maker unless it runs.
    void StartThumbnailThread();

    // The shared list and flags (read by the tests).
    const CImageFillState& State() const { return *m_state; }
    std::shared_ptr<const CImageFillState> SharedState() const { return m_state; }
    // For the folder browser, which may stop the finder.
    std::shared_ptr<CImageFillState> SharedFillState() const { return m_state; }
    int ShownCount() const { return m_nShown; }
    int ScrollOffset() const { return m_nOffset; }
    const std::vector<std::unique_ptr<CThumbnailButton>>& Cells() const { return m_cells; }
    // Lays the cells out for the client size, the list size and the scroll offset.
    void LayOut();
    // The procedures the list filler and the thumbnail maker run (the tests
    // put stand-ins around them); null gives back the pane's own.
    void SetWorkerProcedures(ThreadProcedure filler, ThreadProcedure maker);

protected:
    void OnSize(UINT type, int cx, int cy) override;
    void OnTimer(UINT_PTR id) override;
    void OnVScroll(UINT code, UINT pos, HWND scrollBar) override;
    BOOL OnMouseWheel(UINT flags, short delta, POINT point) override;
    BOOL OnEraseBkgnd(HDC dc) override;
    void OnPaint() override;
    void OnDestroy() override;

private:
    // Raises the stop flags and lets go of the workers without waiting for
    // them; true when both have ended already.
    bool StopWorkers();
    void StartFill();
    void SetTitle(const CString& title);
    void ShowScrollBar(bool show);

    std::shared_ptr<CImageFillState> m_state;
    CThreadHandle m_filler;
    CThreadHandle m_maker;
    ThreadProcedure m_fillerProcedure;
    ThreadProcedure m_makerProcedure;
    CWnd* m_bar = nullptr;
    HWND m_scrollBar = nullptr;
    IImagePaneTarget* m_target = nullptr;

    // The last request, kept while the last fill's workers stop.
    CString m_strFolder;
    CString m_strPatterns;
    bool m_bSubFolders = false;

    std::vector<std::unique_ptr<CThumbnailButton>> m_cells;
    int m_nOffset = 0;      // pixels scrolled
    int m_nScrollUnit = 1;  // pixels per scroll position
    int m_nLastFirst = -1;
    int m_nLastLast = -1;
    int m_nLastOffset = -1;
    int m_nShown = 0;       // entries the last layout knew of
};
