#pragma once
// CNewFrameWnd: the base of the program's main frame. The frame's menu bar,
// its pop-ups and its system menu are owner-drawn CNewMenus.

#include "framework/FrameWnd.h"
#include "uikit/MenuWindowGlue.h"

class CNewMenu;

class CNewFrameWnd : public CFrameWnd {
    DECLARE_DYNCREATE(CNewFrameWnd)

public:
    CNewFrameWnd();
    ~CNewFrameWnd() override;

    // The frame of a resource id: title, window class and icon, the menu as a
    // CNewMenu, accelerators; the help id is the resource id.
    BOOL LoadFrame(UINT resourceId, DWORD style = WS_OVERLAPPEDWINDOW | FWS_ADDTOTITLE, CWnd* parent = nullptr,
                   CCreateContext* context = nullptr) override;
    // A menu name loads the menu into the frame's CNewMenu; a menu that can't be
    // loaded fails the creation.
    BOOL Create(LPCSTR className, LPCSTR title, DWORD style, const RECT& rect, CWnd* parent, LPCSTR menuName,
                DWORD exStyle, CCreateContext* context) override;
    using CFrameWnd::Create;

    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

    CNewMenu& GetNewMenu() { return m_menuGlue.Menu(); }
    CNewMenu& GetNewSystemMenu() { return m_menuGlue.SystemMenu(); }
    const CMenuWindowGlue& GetMenuGlue() const { return m_menuGlue; }

private:
    CMenuWindowGlue m_menuGlue;
};
