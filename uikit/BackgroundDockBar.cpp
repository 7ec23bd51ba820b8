#include "uikit/BackgroundDockBar.h"

#include "framework/ErrorReport.h"
#include "framework/WinApp.h"
#include "uikit/PanelBackground.h"

IMPLEMENT_DYNCREATE(CBackgroundDockBar, CDockBar)

CBackgroundDockBar::CBackgroundDockBar() = default;

CBackgroundDockBar::~CBackgroundDockBar() = default;

BOOL CBackgroundDockBar::OnEraseBkgnd(HDC dc)
{
    Guarded(249, ErrorSink::App(), [&] {
        // The tiles start at the main window's client origin, as the frame's do.
        RECT client;
        GetClientRect(&client);
        PaintPanelAlignedWithMainWindow(m_hWnd, dc, client);
    });
    return FALSE;
}

void CBackgroundDockBar::OnSize(UINT type, int cx, int cy)
{
    CDockBar::OnSize(type, cx, cy);
    RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE);
}
