#pragma once
// CPaneToolBar: a tool bar that shows the label view's tiled background
// behind its transparent buttons, as the dock bars around it do.

#include "framework/ToolBar.h"

class CPaneToolBar : public CToolBar {
    DECLARE_DYNAMIC(CPaneToolBar)

public:
    CPaneToolBar();
    ~CPaneToolBar() override;

    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

protected:
    // TRUE when the background was painted; without a label view the tool
    // bar's own erasing is left to run.
    BOOL OnEraseBkgnd(HDC dc) override;

private:
    // The client area, 2 pixels longer at the bottom so that no seam is left
    // above the dock bar's own background. False when there is no label
    // view to take the background from.
    bool PaintBackground(HDC dc) const;
};
