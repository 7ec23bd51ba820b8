#pragma once
// CPartPreviewButton: the alignment wizard's miniature of the sheet shown,
// with guide lines from the sheet's edges to each part and the parts' outlines.

#include "framework/Button.h"
#include "framework/ImageList.h"
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

    // The arrow heads at the guides' ends, 10 x 10 each: left, right, up, down.
    static constexpr int kArrowSide = 10;
    const CImageList& ArrowHeads() const { return m_arrowHeads; }

private:
    // A guide line with an arrow head at each end, across or down.
    void Guide(HDC dc, int x1, int y1, int x2, int y2) const;

    CImageList m_arrowHeads;
};
