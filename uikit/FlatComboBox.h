#pragma once
// CFlatComboBox: the property grid's in-place drop-down list. It paints as a
// combo box does, then covers the 3-D border with white and light grey lines
// so the box sits flat in its grid cell.

#include "framework/ComboBox.h"

class CFlatComboBox : public CComboBox {
    DECLARE_DYNAMIC(CFlatComboBox)

public:
    CFlatComboBox() = default;

    void DrawFrame();

protected:
    void OnPaint() override;
};
