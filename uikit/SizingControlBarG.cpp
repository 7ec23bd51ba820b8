#include "uikit/SizingControlBarG.h"

#include "framework/FrameWnd.h"
#include "framework/Gdi.h"
#include "framework/WinApp.h"
#include "uikit/EdgeDrawing.h"
#include "uikit/PaneCommands.h"

#include <windowsx.h>

#include <algorithm>
#include <cstring>

IMPLEMENT_DYNAMIC(CSizingControlBarG, CSizingControlBar)

CPaneCommands* MainWindowPaneCommands()
{
    return dynamic_cast<CPaneCommands*>(GetAppMainWnd());
}

CSizingControlBarG::CSizingControlBarG() = default;

CSizingControlBarG::~CSizingControlBarG() = default;

RECT CSizingControlBarG::CloseButtonRect() const
{
    const POINT at = closeButton.position;
    return RECT{at.x, at.y, at.x + kCloseButtonSize, at.y + kCloseButtonSize};
}

void CSizingControlBarG::CalcNcInsets(RECT& client, UINT dockBar)
{
    CSizingControlBar::CalcNcInsets(client, dockBar);
    if (!HasGripper())
        return;
    if (dockBar == FWID_DOCKBAR_TOP || dockBar == FWID_DOCKBAR_BOTTOM) {
        client.left += gripperSize;
        closeButton.position = POINT{client.left - 14, client.top};
    } else {
        client.top += gripperSize;
        closeButton.position = POINT{client.right - 12, 7};
    }
}

void CSizingControlBarG::PaintNcDecoration(HDC dc, const RECT& client)
{
    if (!HasGripper())
        return;
    const bool horz = IsHorzDocked();
    RECT gripper;
    if (horz) {
        gripper.left = client.left + 1 - gripperSize;
        gripper.right = gripper.left + 3;
        gripper.top = closeButton.position.y + 14;
        gripper.bottom = client.bottom - 1;
    } else {
        gripper.top = client.top + 1 - gripperSize;
        gripper.bottom = gripper.top + 3;
        gripper.left = client.left + 1;
        gripper.right = closeButton.position.x - 3;
    }
    const COLORREF light = ::GetSysColor(COLOR_BTNHIGHLIGHT);
    const COLORREF shadow = ::GetSysColor(COLOR_BTNSHADOW);
    Draw3dRect(dc, gripper, light, shadow);
    ::OffsetRect(&gripper, horz ? 3 : 0, horz ? 0 : 3);
    Draw3dRect(dc, gripper, light, shadow);
    DrawCloseButton(dc);
}

void CSizingControlBarG::DrawCloseButton(HDC dc) const
{
    const RECT button = CloseButtonRect();
    const COLORREF light = ::GetSysColor(COLOR_BTNHIGHLIGHT);
    const COLORREF shadow = ::GetSysColor(COLOR_BTNSHADOW);
    if (closeButton.pushed)
        Draw3dRect(dc, button, shadow, light);
    else if (closeButton.raised)
        Draw3dRect(dc, button, light, shadow);

    // The same glyph size in pixels at every resolution.
    const int dpi = std::max(1, ::GetDeviceCaps(dc, LOGPIXELSX));
    CFont glyphFont;
    if (!glyphFont.CreatePointFont(60 * 96 / dpi, "Marlett", dc))
        return;
    CSelectGuard font(dc, glyphFont);
    const COLORREF oldColor = ::SetTextColor(dc, ::GetSysColor(COLOR_BTNTEXT));
    const int oldMode = ::SetBkMode(dc, TRANSPARENT);
    ::TextOutA(dc, button.left + 2, button.top + 2, "r", 1);
    ::SetBkMode(dc, oldMode);
    ::SetTextColor(dc, oldColor);
}

void CSizingControlBarG::UpdateCloseButton()
{
    POINT cursor;
    ::GetCursorPos(&cursor);
    const LRESULT hit = SendMessage(WM_NCHITTEST, 0, MAKELPARAM(cursor.x, cursor.y));
    const bool pushed = hit == HTCLOSE && ::GetKeyState(VK_LBUTTON) < 0;
    const bool raised = hit == HTCLOSE && !pushed;
    if (pushed != closeButton.pushed || raised != closeButton.raised) {
        closeButton.pushed = pushed;
        closeButton.raised = raised;
        SendMessage(WM_NCPAINT);
    }
}

void CSizingControlBarG::OnUpdateCmdUI(CFrameWnd* target, BOOL disableIfNoHandler)
{
    CSizingControlBar::OnUpdateCmdUI(target, disableIfNoHandler);
    if (HasGripper())
        UpdateCloseButton();
}

LRESULT CSizingControlBarG::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_NCHITTEST) {
        const LRESULT hit = CSizingControlBar::WindowProc(message, wParam, lParam);
        if (hit != HTCLIENT)
            return hit;
        RECT window;
        GetWindowRect(&window);
        RECT button = CloseButtonRect();
        ::OffsetRect(&button, window.left, window.top);
        const POINT point{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
        return ::PtInRect(&button, point) ? HTCLOSE : HTCLIENT;
    }
    if (message == WM_NCLBUTTONUP && wParam == HTCLOSE) {
        CString title;
        GetWindowText(title);
        if (title != "View") {
            if (m_pDockSite)
                m_pDockSite->ShowControlBar(this, FALSE, FALSE);
            // Only the start of the title names the pane.
            if (CPaneCommands* commands = MainWindowPaneCommands()) {
                if (std::strncmp(title, "Properties", 10) == 0)
                    commands->OnViewProperties();
                else if (std::strncmp(title, "Text", 4) == 0)
                    commands->OnViewTextEditor();
                else if (std::strncmp(title, "Images", 6) == 0)
                    commands->OnShowImages();
            }
        }
    }
    return CSizingControlBar::WindowProc(message, wParam, lParam);
}
