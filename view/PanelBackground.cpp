#include "view/Quorbel6View.h"

#include "framework/ErrorReport.h"
#include "uikit/PanelBackground.h"

void CQuorbel6View::PaintPanelBackground(HDC dc, const RECT& rect, POINT origin, int source) const
{
    Guarded(134, ErrorSink::Window(this), [&] {
        HDC texture = nullptr;
        if (source == kViewSurround)
            texture = m_surround.GetDC();
        else if (const CPanelTextureHolder* holder = PanelTextureHolder())
            texture = holder->PanelTextureDC();
        TileBitmap(dc, rect, origin, texture);
    });
}

void CQuorbel6View::LendPanelBackground(bool lend)
{
    CPanelTextureHolder* holder = PanelTextureHolder();
    if (!holder)
        return;
    if (lend) {
        ::SetStretchBltMode(m_panelTexture.GetDC(), COLORONCOLOR);
        holder->SetPanelTextureDC(m_panelTexture.GetDC());
    } else if (holder->PanelTextureDC() == m_panelTexture.GetDC()) {
        holder->SetPanelTextureDC(nullptr);
    }
}
