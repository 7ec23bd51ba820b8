#include "uikit/PanelBackground.h"

#include "app/Quorbel6App.h"
#include "app/TileBackground.h"
#include "view/Quorbel6View.h"

namespace {

CQuorbel6App* ProgramApp()
{
    return dynamic_cast<CQuorbel6App*>(GetApp());
}

}  // namespace

void PaintPanelOnActiveView(HDC dc, const RECT& rect)
{
    CQuorbel6App* app = ProgramApp();
    if (!app || !app->GetActiveView())
        return;
    // Source 1 of the view's panel painter: the application-wide bitmap.
    app->TileBackground(dc, rect, POINT{0, 0});
}

void TileAppBackground(HDC dc, const RECT& rect)
{
    if (CQuorbel6App* app = ProgramApp()) {
        app->TileBackground(dc, rect, POINT{0, 0});
        return;
    }
    TileBitmap(dc, rect, POINT{0, 0}, nullptr);
}
