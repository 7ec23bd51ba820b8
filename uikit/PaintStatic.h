#pragma once
// CPaintStatic: a static that draws only its text, so the parent's panel
// background shows through around and behind it.

#include "framework/Static.h"

class CPaintStatic : public CStatic {
    DECLARE_DYNAMIC(CPaintStatic)

public:
    CPaintStatic() = default;

protected:
    void OnPaint() override;
    BOOL OnEraseBkgnd(HDC dc) override;
};
