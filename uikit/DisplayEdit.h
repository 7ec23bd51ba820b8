#pragma once
// CDisplayEdit: an edit box used to show text on the panel background. The
// display mode, set by the owner after attaching it, chooses the look:
//   0  transparent (hollow background)
//   3  a normal edit while enabled, panel grey while disabled
//   4  panel grey, the text painted centred (from the left when too wide)
//   5  panel grey in a sunken frame, the text painted from the left
//   other values: panel grey
// The mouse never puts the caret into it; the keyboard still does.

#include "framework/Edit.h"
#include "framework/Gdi.h"

class CDisplayEdit : public CEdit {
    DECLARE_DYNAMIC(CDisplayEdit)

public:
    CDisplayEdit();

    int m_nDisplayMode = 0;

    BOOL OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result) override;

protected:
    // The brush answered to the parent's WM_CTLCOLOR...; null lets the parent decide.
    HBRUSH CtlColor(HDC dc, UINT ctlType);
    void OnPaint() override;
    BOOL OnEraseBkgnd(HDC dc) override;
    void OnLButtonDown(UINT flags, POINT point) override;

private:
    void PaintCentredText(HDC dc, const RECT& client);
    void PaintFramedText(HDC dc, const RECT& client);

    CBrush m_greyBrush;
};
