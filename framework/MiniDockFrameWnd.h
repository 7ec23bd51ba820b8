#pragma once
// CMiniDockFrameWnd: the small frame a floating control bar lives in. Its
// one dock bar (FWID_DOCKBAR_FLOAT) fills the client area; the frame takes
// the size its bars ask for. Double-clicking the caption docks the bar back,
// dragging the caption moves the bar with its dock context, closing hides it.
//
// The dock site (the main frame) owns these frames.

#include "framework/DockBar.h"
#include "framework/MiniFrameWnd.h"

// Small-frame style bits (low word of the window style, free for a frame class).
constexpr DWORD MFS_SYNCACTIVE = 0x0100;
constexpr DWORD MFS_4THICKFRAME = 0x0200;
constexpr DWORD MFS_THICKFRAME = 0x0400;
constexpr DWORD MFS_MOVEFRAME = 0x0800;
constexpr DWORD MFS_BLOCKSYSMENU = 0x1000;
constexpr DWORD FWS_SNAPTOBARS = 0x4000;

class CMiniDockFrameWnd : public CMiniFrameWnd {
    DECLARE_DYNCREATE(CMiniDockFrameWnd)

public:
    CMiniDockFrameWnd();
    ~CMiniDockFrameWnd() override;

    // An owned pop-up of `parent` (the dock site) with its dock bar; the bar
    // style gives the dock bar's orientation.
    virtual BOOL Create(CWnd* parent, DWORD barStyle);
    using CMiniFrameWnd::Create;

    // Sizes the frame around its bars; hides it while none is visible.
    void RecalcLayout(BOOL notify = TRUE) override;

    // The frame's outer size for a bar of that floating size with the frame's style.
    static SIZE FrameSizeForBar(SIZE barSize, DWORD style, DWORD exStyle);

    CDockBar m_wndDockBar{true};

    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

protected:
    // Creates the frame with that style and its dock bar; no layout runs
    // until something is docked.
    BOOL CreateFrame(CWnd* parent, DWORD barStyle, DWORD frameStyle);
    void OnSize(UINT type, int cx, int cy) override;
    void OnClose() override;
    // The first visible bar of the dock bar, or null.
    CControlBar* FirstBar() const;

    // Set while the frame sizes itself, so that its own sizes are not taken
    // for the user's.
    bool m_bInRecalcLayout = false;
};
