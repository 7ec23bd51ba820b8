#pragma once
// CImageBar: the docking pane "Images": the "Image Search" button above a
// separator line, and below it the thumbnail panel with its scroll bar.

#include "framework/Thread.h"
#include "shell/ImagePanel.h"
#include "uikit/BevelButton.h"
#include "uikit/SizingControlBarCF.h"

#include <memory>

class IImagePaneTarget;
struct CImageSearchShared;

// Posted to the bar by the folder browser: lParam is a heap-made request the
// bar takes over and deletes.
constexpr UINT WM_IMAGE_FOLDER_CHOSEN = 0x44C;
struct ImageFolderRequest {
    CString folder;
    CString patterns;
    BYTE subFolders = 0;
};

class CImageBar : public CSizingControlBarCF {
    DECLARE_DYNAMIC(CImageBar)

public:
    static constexpr UINT kImageSearchId = 1099;
    static constexpr int kPanelTop = 44;
    static constexpr int kSeparatorY = 36;
    static constexpr int kScrollBarWidth = 16;

    CImageBar();
    ~CImageBar() override;

    // Where clicks and drops of the thumbnails go; may change at any time.
    void AttachTarget(IImagePaneTarget* target) { m_panel.AttachTarget(target); }
    CImagePanel& Panel() { return m_panel; }
    HWND ScrollBar() const { return m_scrollBar; }
    // The folder browser's window while it is open (null otherwise).
    HWND BrowseWindow() const;
    bool IsBrowserRunning() const;

    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

protected:
    int OnCreate(LPCREATESTRUCTA cs) override;
    void OnSize(UINT type, int cx, int cy) override;
    BOOL OnEraseBkgnd(HDC dc) override;
    void OnPaint() override;
    void OnVScroll(UINT code, UINT pos, HWND scrollBar) override;
    BOOL OnMouseWheel(UINT flags, short delta, POINT point) override;
    void OnLButtonDown(UINT flags, POINT point) override;
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;
    void OnDestroy() override;

private:
    void OnImageSearch();
    void OnFolderChosen(LPARAM request);
    // Closes the folder browser and waits for its thread.
    void CloseBrowser();

    CImagePanel m_panel;
    HWND m_scrollBar = nullptr;
    CBevelButton m_searchButton;
    std::shared_ptr<CImageSearchShared> m_search;
    CThreadHandle m_searchThread;
};
