#pragma once
// CIconStatic: a static that shows its icon (STM_SETICON) at its top-left
// corner at the icon's own size, without the static's own scaling or background.

#include "framework/Static.h"

class CIconStatic : public CStatic {
    DECLARE_DYNAMIC(CIconStatic)

public:
    CIconStatic() = default;

protected:
    void OnPaint() override;
};
