#pragma once
// CBevelButton: the push button of the program's dialogs. A flat hover button
// whose face is a shaded, slightly grainy picture rendered once for the
// button's size; it lightens while the mouse is over it.
//
//     m_ok.SubclassDlgItem(IDOK, this);
//     m_ok.BuildFaces(6, 8, 10, 0, 0);   // once the window has its size

#include "uikit/HoverButton.h"
#include "uikit/ShadeBitmap.h"

class CBevelButton : public CHoverButton
{
    DECLARE_DYNAMIC(CBevelButton)

public:
    // The soft-bump face: bright at the top-left, dark at the bottom-right.
    static constexpr int kSoftBump = 6;

    CBevelButton() = default;

    // Renders the faces for the window's current size: `style` 6 is the soft
    // bump (any other a plain grain), `granularity` the grain's amplitude,
    // `lighten` how many percent the hover face moves toward white, and the
    // normal face moves `tintPercent` toward `tint`.
    void BuildFaces(int style, BYTE granularity, int lighten, int tintPercent, COLORREF tint);

    const CShadeBitmap& NormalFace() const { return m_normalFace; }
    const CShadeBitmap& HoverFace() const { return m_hoverFace; }
    const CShadeBitmap& PressedFace() const { return m_pressedFace; }
    const CShadeBitmap& RowPattern() const { return m_rowPattern; }
    const CShadeBitmap& ColumnPattern() const { return m_columnPattern; }

protected:
    void DrawBackground(HDC dc, const RECT& rect) override;

private:
    CShadeBitmap m_normalFace;
    CShadeBitmap m_pressedFace;
    CShadeBitmap m_spareFace;
    CShadeBitmap m_hoverFace;
    CShadeBitmap m_rowPattern;
    CShadeBitmap m_columnPattern;
};
