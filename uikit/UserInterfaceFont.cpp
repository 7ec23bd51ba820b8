#include "uikit/UserInterfaceFont.h"

#include "app/Quorbel6App.h"

HFONT UserInterfaceFont(bool scaled)
{
    if (const auto* app = dynamic_cast<const CQuorbel6App*>(GetApp())) {
        const CFont& font = scaled ? app->m_fontUIScaled : app->m_fontUI;
        if (font.IsValid())
            return font;
    }
    return static_cast<HFONT>(::GetStockObject(DEFAULT_GUI_FONT));
}
