#pragma once
// CPartPreviewButton: the alignment wizard's miniature of the sheet shown,
// with guide lines from the sheet's edges to each part and the parts' outlines.

#include "framework/Button.h"
#include "printing/AlignWizardRules.h"

class CPartPreviewButton : public CButton
{
    DECLARE_DYNAMIC(CPartPreviewButton)

public:
    // The template drawn; not owned.
    const AlignWizardRules* m_pRules = nullptr;
    SIZE m_dpi = {96, 96};

    void PreSubclassWindow() override;
    void DrawItem(LPDRAWITEMSTRUCT item) override;
    // Places the button in the parent's client area with the shown sheet's
    // proportions, `top` pixels down, at least `left` from the left edge and
    // 10 pixels from the bottom.
    void UpdateLayout(int top, int left);
};
