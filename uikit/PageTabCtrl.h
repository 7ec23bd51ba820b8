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
// The style is one value for the whole process, 0 at start: every page-tab
// strip of the program shares one look.

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

    // The process-wide tab style becomes `value` when `flag` is TRUE, else 0;
    // it takes effect when a window is taken over, and at once on this one
    // while it exists.
    void SetTabDrawFlag(BOOL flag, int value);
    static int GetTabDrawFlag() { return s_nTabStyle; }

    void PreSubclassWindow() override;
    void DrawItem(LPDRAWITEMSTRUCT item) override;
    void DrawMainBorder(LPDRAWITEMSTRUCT item) override;
    void DrawItemBorder(LPDRAWITEMSTRUCT item) override;
    COLORREF GetTabColor(BOOL selected) override;
    COLORREF GetTabTextColor(BOOL selected) override;

private:
    // The own colour where the style allows it as the base, else the button face.
    COLORREF BaseColor() const;

    static inline int s_nTabStyle = 0;
};
