#include "view/Quorbel6View.h"

#include "framework/Gdi.h"

void CQuorbel6View::OnDraw(CDC* dc)
{
    // Until the start-up has shown the main window nothing is painted.
    if (!m_bDrawingEnabled || !m_hWnd)
        return;
    // The surround is tiled from the window's own origin, not the scrolled one,
    // so the texture stays put while the label scrolls.
    CSaveDCGuard saved(dc->m_hDC);
    SetViewportOrgEx(dc->m_hDC, 0, 0, nullptr);
    RECT client{};
    ::GetClientRect(m_hWnd, &client);
    m_surround.Paint(dc->m_hDC, client, POINT{0, 0});
}

BOOL CQuorbel6View::OnEraseBkgnd(HDC)
{
    // The paint covers the whole client area.
    return TRUE;
}
