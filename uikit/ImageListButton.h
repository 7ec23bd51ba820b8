#pragma once
// CImageListButton: a 145 x 36 two-state picture button, a switch between two
// sides. A click in its left 64 pixels chooses the left part (picture 0),
// elsewhere the right part (picture 1); the owner then follows the new part.

#include "framework/Button.h"
#include "framework/ImageList.h"

// What the button needs of the window it sits in: a refresh after a click
// changed the part.
class CImageListButtonOwner {
public:
    virtual ~CImageListButtonOwner() = default;
    virtual void OnImageListButtonClicked() = 0;
};

class CImageListButton : public CButton {
    DECLARE_DYNAMIC(CImageListButton)

public:
    static constexpr int kWidth = 145;
    static constexpr int kHeight = 36;
    static constexpr int kLeftPartWidth = 64;

    CImageListButton();

    // The last click was in the left part. The owner sets it before the
    // button is first drawn; until then the button shows the left part.
    bool m_bLeftPart = true;

    void PreSubclassWindow() override;
    void DrawItem(LPDRAWITEMSTRUCT item) override;

    // The two pictures: 0 left part, 1 right part.
    const CImageList& Images() const { return m_images; }

protected:
    void OnLButtonDown(UINT flags, POINT point) override;

private:
    CImageList m_images;
};
