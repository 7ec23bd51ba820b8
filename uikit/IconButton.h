#pragma once
// CIconButton: a check box drawn as one of two small icons (set and clear)
// followed by its text.

#include "framework/Button.h"
#include "framework/UserHandles.h"

class CIconButton : public CButton
{
    DECLARE_DYNAMIC(CIconButton)

public:
    CIconButton();

    // Tile the application's background behind the button; set by the owner
    // before the button is shown.
    bool paintAppBackground = false;

    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

protected:
    void OnPaint() override;
    void OnDestroy() override;

private:
    OwnedIcon m_setIcon;
    OwnedIcon m_clearIcon;
};
