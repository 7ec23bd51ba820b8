#pragma once
// CCheckImageButton: a two-state button drawn as a 13 x 13 box image (clear,
// set, or disabled) followed by its text. It keeps its own state, flipped by
// every left-button press.

#include "framework/Button.h"
#include "framework/ImageList.h"

class CCheckImageButton : public CButton
{
    DECLARE_DYNAMIC(CCheckImageButton)

public:
    CCheckImageButton();

    bool IsChecked() const { return checkState; }
    // Stores the state and redraws at once.
    void SetChecked(bool checked);

    void DrawItem(LPDRAWITEMSTRUCT item) override;

protected:
    void OnLButtonDown(UINT flags, POINT point) override;

private:
    bool checkState = false;
    CImageList m_images;  // 0 clear, 1 set, 2 disabled
};
