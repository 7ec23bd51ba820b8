#pragma once
// CEllipsisButton: the small "..." button of the property grid that opens a
// row's dialog. It takes over an ordinary push button and draws itself.

#include "framework/Button.h"

class CEllipsisButton : public CButton
{
    DECLARE_DYNAMIC(CEllipsisButton)

public:
    void PreSubclassWindow() override;
    void DrawItem(LPDRAWITEMSTRUCT item) override;
};
