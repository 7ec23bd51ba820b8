#pragma once
// The multiple-document frames of the window bases: CNewMDIFrameWnd and
// CNewMDIChildWnd get owner-drawn CNewMenus for their menus and system menus
// and route the menu messages to the menu library, as CNewFrameWnd does.

#include "framework/MDIFrameWnd.h"
#include "uikit/MenuWindowGlue.h"

class CNewMDIFrameWnd : public CMDIFrameWnd {
    DECLARE_DYNAMIC(CNewMDIFrameWnd)

public:
    CNewMDIFrameWnd();
    ~CNewMDIFrameWnd() override;

    // A menu name loads the menu into the frame's CNewMenu; a menu that can't
    // be loaded fails the creation.
    BOOL Create(LPCSTR className, LPCSTR title, DWORD style, const RECT& rect, CWnd* parent, LPCSTR menuName,
                DWORD exStyle, CCreateContext* context) override;
    using CMDIFrameWnd::Create;

    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

    CNewMenu& GetNewMenu() { return m_menuGlue.Menu(); }
    CNewMenu& GetNewSystemMenu() { return m_menuGlue.SystemMenu(); }
    const CMenuWindowGlue& GetMenuGlue() const { return m_menuGlue; }

private:
    CMenuWindowGlue m_menuGlue;
};

class CNewMDIChildWnd : public CMDIChildWnd {
    DECLARE_DYNCREATE(CNewMDIChildWnd)

public:
    CNewMDIChildWnd();
    ~CNewMDIChildWnd() override;

    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

    CNewMenu& GetNewMenu() { return m_menuGlue.Menu(); }
    CNewMenu& GetNewSystemMenu() { return m_menuGlue.SystemMenu(); }
    const CMenuWindowGlue& GetMenuGlue() const { return m_menuGlue; }

private:
    CMenuWindowGlue m_menuGlue;
};
