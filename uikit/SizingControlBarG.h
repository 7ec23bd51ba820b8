#pragma once
// CSizingControlBarG: a sizing bar with a gripper and a close button on a
// strip along its top (docked at the left or right, or floating) or along its
// left (docked at the top or bottom). The close button hides the pane and
// tells the main frame through its pane command.

#include "uikit/SizingControlBar.h"

class CSizingControlBarG : public CSizingControlBar {
    DECLARE_DYNAMIC(CSizingControlBarG)

public:
    CSizingControlBarG();
    ~CSizingControlBarG() override;

    virtual bool HasGripper() const { return true; }
    void OnUpdateCmdUI(CFrameWnd* target, BOOL disableIfNoHandler) override;
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

    struct CloseButton {
        bool pushed = false;
        bool raised = false;
        POINT position{};  // from the bar window's top-left corner
    };
    static constexpr int kCloseButtonSize = 11;

    int gripperSize = 17;
    CloseButton closeButton;

    // The close button's rectangle in window coordinates.
    RECT CloseButtonRect() const;

protected:
    void PaintNcDecoration(HDC dc, const RECT& client) override;
    void CalcNcInsets(RECT& client, UINT dockBar) override;
    void DrawCloseButton(HDC dc) const;
    // The hit code of the cursor and the button state it means; repaints the
    // frame when the state changed.
    void UpdateCloseButton();
};
