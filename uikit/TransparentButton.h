#pragma once
// CTransparentButton: a check box or radio button that shows its parent's
// background instead of a face of its own.

#include "framework/Button.h"

class CTransparentButton : public CButton
{
    DECLARE_DYNAMIC(CTransparentButton)

public:
    // Tile the application's background behind the button; set by the owner
    // before the button is shown.
    bool paintAppBackground = false;

    BOOL OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result) override;
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

protected:
    BOOL OnEraseBkgnd(HDC dc) override;

private:
    void OnEnable(WPARAM enable, LPARAM lParam);
};
