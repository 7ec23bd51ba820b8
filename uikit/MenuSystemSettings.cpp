#include "uikit/MenuSystemSettings.h"

#include "uikit/OsVersion.h"

COLORREF GetMenuColour()
{
    if (OSVersionCode() == 7) {
        BOOL flat = FALSE;
        if (::SystemParametersInfoA(SPI_GETFLATMENU, 0, &flat, 0) && flat)
            return ::GetSysColor(COLOR_MENUBAR);
    }
    return ::GetSysColor(COLOR_MENU);
}

BOOL IsMenuShadowOn()
{
    BOOL shadow = FALSE;
    if (!::SystemParametersInfoA(SPI_GETDROPSHADOW, 0, &shadow, 0))
        return FALSE;
    return shadow ? TRUE : FALSE;
}

bool IsMenuRemoteSession()
{
    static const bool remote = OSVersionCode() > 5 && ::GetSystemMetrics(SM_REMOTESESSION) != 0;
    return remote;
}
