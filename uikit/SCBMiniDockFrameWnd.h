#pragma once
// CSCBMiniDockFrameWnd: the floating frame of a sizing bar. It starts with a
// caption and gives it up at its first move or size while it holds a sizing
// bar (the bar's own caption or gripper takes its place); sizing the frame
// then sets the bar's floating size.

#include "framework/MiniDockFrameWnd.h"

class CSizingControlBar;

class CSCBMiniDockFrameWnd : public CMiniDockFrameWnd {
    DECLARE_DYNCREATE(CSCBMiniDockFrameWnd)

public:
    CSCBMiniDockFrameWnd();
    ~CSCBMiniDockFrameWnd() override;

    BOOL Create(CWnd* parent, DWORD barStyle) override;
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

    // The sizing bar the frame holds (the first bar of its dock bar), or null.
    CSizingControlBar* GetSizingControlBar() const;

protected:
    void OnSize(UINT type, int cx, int cy) override;
};
