#include "view/Quorbel6View.h"

#include "app/Quorbel6App.h"
#include "framework/ErrorReport.h"

void CQuorbel6View::PaintPanelBackground(HDC dc, const RECT& rect, POINT origin, int source) const
{
    Guarded(134, ErrorSink::Window(this), [&] {
        HDC texture = nullptr;
        if (source == kViewSurround)
            texture = m_surround.GetDC();
        else if (const auto* app = dynamic_cast<const CQuorbel6App*>(GetApp()))
            texture = app->m_hBackgroundDC;
        TileBitmap(dc, rect, origin, texture);
    });
}

void CQuorbel6View::LendPanelBackground(bool lend)
{
    auto* app = dynamic_cast<CQuorbel6App*>(GetApp());
    if (!app)
        return;
    if (lend) {
        ::SetStretchBltMode(m_panelTexture.GetDC(), COLORONCOLOR);
        app->m_hBackgroundDC = m_panelTexture.GetDC();
    } else if (app->m_hBackgroundDC == m_panelTexture.GetDC()) {
        app->m_hBackgroundDC = nullptr;
    }
}
