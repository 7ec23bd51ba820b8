#pragma once
// CGridEdit: the property grid's in-place edit box. It paints as an edit
// does, then replaces the 3-D border by a frame in the window colour with a
// light grey top and left edge, so it sits flat in its grid cell.

#include "framework/Edit.h"

class CGridEdit : public CEdit {
    DECLARE_DYNAMIC(CGridEdit)

public:
    CGridEdit() = default;

protected:
    void OnPaint() override;
};
