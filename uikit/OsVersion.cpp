#include "uikit/OsVersion.h"

#include "uikit/ShowLastError.h"

int GetOSVersionCode()
{
    OSVERSIONINFOA version{};
    version.dwOSVersionInfoSize = sizeof version;
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wdeprecated-declarations"
    if (!::GetVersionExA(&version)) {
        ShowLastError();
        return 1;
    }
#pragma GCC diagnostic pop
    switch (version.dwPlatformId) {
    case VER_PLATFORM_WIN32s:
        return 0;
    case VER_PLATFORM_WIN32_WINDOWS:
        if (version.dwMajorVersion == 4 && version.dwMinorVersion == 10)
            return 3;
        if (version.dwMajorVersion == 4 && version.dwMinorVersion == 90)
            return 4;
        return 2;
    default:
        if (version.dwMajorVersion == 4)
            return 5;
        if (version.dwMajorVersion == 5 && version.dwMinorVersion == 0)
            return 6;
        if (version.dwMajorVersion == 5 && version.dwMinorVersion == 1)
            return 7;
        return 1;
    }
}

int OSVersionCode()
{
    static const int code = GetOSVersionCode();
    return code;
}
