#include "uikit/UserInterfaceFont.h"

#include "uikit/UiResources.h"

HFONT UserInterfaceFont(bool scaled)
{
    if (const CUiResources* resources = UiResources()) {
        if (HFONT font = resources->UiFont(scaled))
            return font;
    }
    return static_cast<HFONT>(::GetStockObject(DEFAULT_GUI_FONT));
}
