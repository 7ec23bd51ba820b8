#include "framework/CommonControls.h"

#include <atomic>

bool EnsureCommonControls(DWORD classes)
{
    static std::atomic<DWORD> registered{0};
    if ((registered.load() & classes) == classes)
        return true;
    INITCOMMONCONTROLSEX init{};
    init.dwSize = sizeof init;
    init.dwICC = classes;
    if (!::InitCommonControlsEx(&init))
        return false;
    registered.fetch_or(classes);
    return true;
}
