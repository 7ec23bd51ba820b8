#pragma once
// CBackgroundDockBar: a frame's dock bar that shows the label view's tiled
// background, lined up with the tiles of the frame around it.

#include "framework/DockBar.h"

class CBackgroundDockBar : public CDockBar {
    DECLARE_DYNCREATE(CBackgroundDockBar)

public:
    CBackgroundDockBar();
    ~CBackgroundDockBar() override;

protected:
    BOOL OnEraseBkgnd(HDC dc) override;
    void OnSize(UINT type, int cx, int cy) override;
};
