#pragma once
// CNewMiniDockFrameWnd: a floating dock frame whose system menu is an
// owner-drawn CNewMenu and whose menu messages go to the menu library, as
// every frame of the program's.

#include "framework/MiniDockFrameWnd.h"
#include "uikit/MenuWindowGlue.h"

class CNewMiniDockFrameWnd : public CMiniDockFrameWnd {
    DECLARE_DYNCREATE(CNewMiniDockFrameWnd)

public:
    CNewMiniDockFrameWnd();
    ~CNewMiniDockFrameWnd() override;

    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

    CNewMenu& GetNewMenu() { return m_menuGlue.Menu(); }
    CNewMenu& GetNewSystemMenu() { return m_menuGlue.SystemMenu(); }
    const CMenuWindowGlue& GetMenuGlue() const { return m_menuGlue; }

private:
    CMenuWindowGlue m_menuGlue;
};
