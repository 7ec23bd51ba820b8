#include "uikit/PanelBackground.h"

#include "framework/ErrorReport.h"
#include "framework/TileBackground.h"
#include "framework/WinApp.h"

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

void TileAppBackground(HDC dc, const RECT& rect)
{
    TilePanelTexture(dc, rect, POINT{0, 0});
}
