#pragma once
// COwnerDrawTabCtrl: a tab control on the program's panel background. Its draw
// mode says who paints the tabs: 0 the system, 1 DrawItem for each tab
// (owner-drawn items), 2 the control itself, frame and tabs, through the
// virtual operations below. Around the tab row the panel background shows.

#include "framework/TabCtrl.h"

class COwnerDrawTabCtrl : public CTabCtrl {
    DECLARE_DYNAMIC(COwnerDrawTabCtrl)

public:
    enum DrawMode { kSystemDrawn = 0, kOwnerDrawnItems = 1, kSelfPainted = 2 };

    explicit COwnerDrawTabCtrl(int mode = kSystemDrawn);

    // FALSE for a mode outside 0..2 (nothing changes); else stores it, sets or
    // clears TCS_OWNERDRAWFIXED on the window and repaints.
    BOOL SetDrawMode(int mode);
    int GetDrawMode() const { return m_nDrawMode; }

    // The tab colour in place of the button face; -1: none.
    COLORREF m_crBackground = static_cast<COLORREF>(-1);

    void PreSubclassWindow() override;

    virtual void DrawMainBorder(LPDRAWITEMSTRUCT item);
    virtual void DrawItemBorder(LPDRAWITEMSTRUCT item);
    virtual COLORREF GetTabColor(BOOL selected);
    virtual COLORREF GetTabTextColor(BOOL selected);

    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

protected:
    BOOL OnEraseBkgnd(HDC dc) override;
    void OnPaint() override;

    bool HasOwnColor() const { return m_crBackground != static_cast<COLORREF>(-1); }

private:
    // Mode 2: the display-area frame, the other tabs last to first, the
    // selected tab on top.
    void PaintAll(HDC dc);

    int m_nDrawMode = kSystemDrawn;
};
