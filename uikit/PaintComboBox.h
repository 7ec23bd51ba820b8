#pragma once
// CPaintComboBox: the object list's combo box. While disabled it paints
// nothing at all, so the panel background behind it stays visible.

#include "framework/ComboBox.h"

class CPaintComboBox : public CComboBox {
    DECLARE_DYNAMIC(CPaintComboBox)

public:
    CPaintComboBox() = default;

protected:
    void OnPaint() override;
};
