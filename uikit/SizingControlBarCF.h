#pragma once
// CSizingControlBarCF: the program's pane: a gripper bar whose strip is a
// flat caption with a colour gradient, the application's small icon and the
// bar's title, repainted when the keyboard focus enters or leaves the bar.

#include "uikit/SizingControlBarG.h"

class CSizingControlBarCF : public CSizingControlBarG {
    DECLARE_DYNAMIC(CSizingControlBarCF)

public:
    CSizingControlBarCF();
    ~CSizingControlBarCF() override;

    void OnUpdateCmdUI(CFrameWnd* target, BOOL disableIfNoHandler) override;
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

    // The caption band (window coordinates) for a client rectangle in window coordinates.
    RECT CaptionRect(const RECT& client) const;
    // The colour of band `index` (0 to 63) of the gradient.
    static COLORREF BandColor(COLORREF start, COLORREF end, int index);
    // The gradient's end colour: the system's when gradient captions are on.
    static COLORREF GradientEndColor();

    bool active = false;

protected:
    void PaintNcDecoration(HDC dc, const RECT& client) override;
};
