#pragma once
// CCaptionFrameButton: a group frame whose etched (or, with BS_FLAT, black)
// border and caption the program paints itself, so that it sits cleanly on
// the textured panel background. The window is disabled: it is only a frame.

#include "framework/Button.h"

class CCaptionFrameButton : public CButton
{
    DECLARE_DYNAMIC(CCaptionFrameButton)

public:
    // A black line along the bottom and up the right side; set by the owner
    // before the frame is shown.
    bool extraLine = false;

    void PreSubclassWindow() override;
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

protected:
    void OnPaint() override;
};
