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

    // A menu name loads the menu into the frame's CNewMenu; a menu that can't
    // be loaded fails the creation.
    BOOL Create(LPCSTR className, LPCSTR title, DWORD style, const RECT& rect, CWnd* parent, LPCSTR menuName,
                DWORD exStyle, CCreateContext* context) override;
    using CMiniFrameWnd::Create;

    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

    CNewMenu& GetNewMenu() { return m_menuGlue.Menu(); }
    CNewMenu& GetNewSystemMenu() { return m_menuGlue.SystemMenu(); }
    const CMenuWindowGlue& GetMenuGlue() const { return m_menuGlue; }

private:
    CMenuWindowGlue m_menuGlue;
};
