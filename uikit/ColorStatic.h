#pragma once
// CColorStatic: a caption on the panel background: the application's
// background tiled behind its text, the text black while enabled and grey
// while disabled. It follows WM_ENABLE at once.

#include "framework/Static.h"

class CColorStatic : public CStatic {
    DECLARE_DYNAMIC(CColorStatic)

public:
    CColorStatic() = default;

    bool m_bEnabledLook = true;

    BOOL OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result) override;
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

protected:
    void OnPaint() override;
    BOOL OnEraseBkgnd(HDC dc) override;
    HBRUSH OnCtlColor(HDC dc, HWND control, UINT type) override;
    void OnEnable(BOOL enable);
};
