#pragma once
// CSwatchButton: an owner-drawn button that shows a picture: its preview
// bitmap, or else the picture of a DC its owner lends it. A click on a button
// with a preview tells the parent where the preview was clicked.

#include "framework/Button.h"
#include "framework/Gdi.h"

#include <memory>

// Posted to the parent on a click on a button with a preview: wParam 0,
// lParam the point in the button's client coordinates (signed x in the low
// word, y in the high word). The point travels in the message itself, so no
// memory is lost when the message is never delivered.
constexpr UINT WM_SWATCH_CLICKED = WM_USER + 0x40;

class CSwatchButton : public CButton {
    DECLARE_DYNAMIC(CSwatchButton)

public:
    CSwatchButton() = default;

    // Whose picture the button shows without a preview; not owned.
    HDC m_pFaceDC = nullptr;
    // The preview; released with the button's window.
    std::unique_ptr<CBitmap> m_pPreview;
    // Draw the preview instead of the face DC's picture.
    bool m_bShowPreview = false;

    void PreSubclassWindow() override;
    void DrawItem(LPDRAWITEMSTRUCT item) override;

protected:
    void OnLButtonDown(UINT flags, POINT point) override;
    void OnDestroy() override;
    BOOL OnEraseBkgnd(HDC dc) override;
};
