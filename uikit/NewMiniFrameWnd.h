#pragma once
// CNewMiniFrameWnd: a mini frame whose system menu is an owner-drawn CNewMenu
// and whose menu messages go to the menu library, as every frame of the program's.

#include "framework/MiniFrameWnd.h"
#include "uikit/MenuWindowGlue.h"

class CNewMiniFrameWnd : public CMiniFrameWnd {
    DECLARE_DYNCREATE(CNewMiniFrameWnd)

public:
    CNewMiniFrameWnd();
    ~CNewMiniFrameWnd() override;

    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

    CNewMenu& GetNewMenu() { return m_menuGlue.Menu(); }
    CNewMenu& GetNewSystemMenu() { return m_menuGlue.SystemMenu(); }
    const CMenuWindowGlue& GetMenuGlue() const { return m_menuGlue; }

private:
    CMenuWindowGlue m_menuGlue;
};
