#pragma once
// CTrackButton: a white sunken well, the Text pane's placeholder where the
// track list sits. Owner-drawn; it looks the same in every state.

#include "framework/Button.h"

class CTrackButton : public CButton
{
    DECLARE_DYNAMIC(CTrackButton)

public:
    void DrawItem(LPDRAWITEMSTRUCT item) override;

protected:
    BOOL OnEraseBkgnd(HDC dc) override;
};
