#include "uikit/PanelBackground.h"

#include "framework/ErrorReport.h"
#include "framework/TileBackground.h"
#include "framework/WinApp.h"
#include "framework/Wnd.h"

CPanelTextureHolder* PanelTextureHolder()
{
    return dynamic_cast<CPanelTextureHolder*>(GetApp());
}

void TilePanelTexture(HDC dc, const RECT& rect, POINT origin)
{
    const CPanelTextureHolder* holder = PanelTextureHolder();
    if (!holder) {
        TileBitmap(dc, rect, origin, nullptr);
        return;
    }
    Guarded(471, ErrorSink::App(), [&] { TileBitmap(dc, rect, origin, holder->PanelTextureDC()); });
}

void PaintPanelOnActiveView(HDC dc, const RECT& rect)
{
    const CPanelTextureHolder* holder = PanelTextureHolder();
    if (!holder || !holder->IsLabelViewActive())
        return;
    // Source 1 of the view's panel painter: the application-wide bitmap.
    TilePanelTexture(dc, rect, POINT{0, 0});
}

void PaintPanelAlignedWithMainWindow(HWND window, HDC dc, const RECT& rect)
{
    const CPanelTextureHolder* holder = PanelTextureHolder();
    CWnd* mainWindow = GetAppMainWnd();
    if (!holder || !holder->IsLabelViewActive() || !mainWindow || !mainWindow->m_hWnd)
        return;
    POINT origin{0, 0};
    ::ClientToScreen(mainWindow->m_hWnd, &origin);
    ::ScreenToClient(window, &origin);
    TilePanelTexture(dc, rect, origin);
}

void TileAppBackground(HDC dc, const RECT& rect)
{
    TilePanelTexture(dc, rect, POINT{0, 0});
}
