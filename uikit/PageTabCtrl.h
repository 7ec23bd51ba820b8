#pragma once
// CPageTabCtrl: tabs on the panel background with an image and a centred
// caption, shortened with an ellipsis when it does not fit. Its tab style
// (SetTabDrawFlag) picks the colours of the tab borders; any style other than
// 0 makes the tabs owner-drawn.
//
// Tab style bits:
//   kOwnColorUnselected  unselected tabs use the control's own colour
//   kOwnColorAsBase      the own colour replaces the button face as the base
//                        of the computed colours
//   kLightenSelected     selected tabs are lightened
//   kShadeUnselected     unselected tabs are shaded and get the full border
//
// The style belongs to the control rather than the process, so two tab
// strips never change each other's look.

#include "uikit/OwnerDrawTabCtrl.h"

class CPageTabCtrl : public COwnerDrawTabCtrl {
    DECLARE_DYNAMIC(CPageTabCtrl)

public:
    enum TabStyle {
        kOwnColorUnselected = 0x1,
        kOwnColorAsBase = 0x2,
        kLightenSelected = 0x4,
        kShadeUnselected = 0x10,
    };

    CPageTabCtrl() : COwnerDrawTabCtrl(kSystemDrawn) {}

    // The tab style becomes `value` when `flag` is TRUE, else 0; takes effect
    // when the window is taken over (or at once while it exists).
    void SetTabDrawFlag(BOOL flag, int value);
    int GetTabDrawFlag() const { return m_nTabStyle; }

    void PreSubclassWindow() override;
    void DrawItem(LPDRAWITEMSTRUCT item) override;
    void DrawMainBorder(LPDRAWITEMSTRUCT item) override;
    void DrawItemBorder(LPDRAWITEMSTRUCT item) override;
    COLORREF GetTabColor(BOOL selected) override;
    COLORREF GetTabTextColor(BOOL selected) override;

private:
    // The own colour where the style allows it as the base, else the button face.
    COLORREF BaseColor() const;

    int m_nTabStyle = 0;
};
