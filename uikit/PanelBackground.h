#pragma once
// The program's panel background for the owner-drawn controls: the
// application-wide texture tiled from a point of the DC, or the panel grey
// RGB(185, 185, 185) without one.

#include <windows.h>

// The keeper of the application-wide texture. The label view lends it the
// memory DC its texture bitmap is selected into; panels tile from that DC.
class CPanelTextureHolder {
public:
    virtual ~CPanelTextureHolder() = default;

    // The lent DC; null while none is lent.
    virtual HDC PanelTextureDC() const = 0;
    virtual void SetPanelTextureDC(HDC dc) = 0;
    // Whether the main frame shows the label view (panels of the menus are
    // textured only then).
    virtual bool IsLabelViewActive() const = 0;
};

// The running application's holder; null without one.
CPanelTextureHolder* PanelTextureHolder();

// Fills `rect` of `dc` with the texture tiled from `origin`; grey without a
// holder or a lent texture.
void TilePanelTexture(HDC dc, const RECT& rect, POINT origin);

// Through the label view, as every panel of the program does: nothing is
// painted while the main frame has no active label view (no application
// object, or start-up not that far yet).
void PaintPanelOnActiveView(HDC dc, const RECT& rect);

// As PaintPanelOnActiveView, with the tiles lined up with those of the main
// window's client area: for bars and panes that sit inside the main window.
// `dc` is the one of `window`, `rect` in its client coordinates.
void PaintPanelAlignedWithMainWindow(HWND window, HDC dc, const RECT& rect);

// Through the application object; the plain grey when there is no
// application object of the program.
void TileAppBackground(HDC dc, const RECT& rect);
