#include "uikit/MenuLibrary.h"

#include "uikit/MenuDrawStyle.h"
#include "uikit/MenuSystemSettings.h"
#include "uikit/MenuWindowHook.h"
#include "uikit/NewMenuIcons.h"
#include "uikit/OsVersion.h"
#include "uikit/ShowLastError.h"

namespace {

bool StartHook(MenuLibraryState& state, MenuHookInstaller install)
{
    if (state.hook)
        return true;
    state.hook = install ? install() : InstallMenuHook();
    if (state.hook)
        return true;
    if (!state.hookFailureReported) {
        state.hookFailureReported = true;
        // The box must say something even when the system gave no reason.
        if (::GetLastError() == 0)
            ::SetLastError(ERROR_HOOK_NOT_INSTALLED);
        ShowLastError();
    }
    return false;
}

class CMenuLibrary {
public:
    CMenuLibrary()
    {
        OSVersionCode();
        IsMenuRemoteSession();
        m_state.imageLibrary = ::LoadLibraryA("Msimg32.dll");
        if (m_state.imageLibrary) {
            m_state.gradientFill = reinterpret_cast<GradientFillProc>(
                reinterpret_cast<void*>(::GetProcAddress(m_state.imageLibrary, "GradientFill")));
        }
        RegisterMenuDrawModes();
        CMenuDrawStyle::SetCurrentMode(CMenuDrawStyle::FindMode(2));
        m_state.running = true;
        // This runs while the file-scope objects are made: nothing may throw.
        StartHook(m_state, nullptr);
    }

    ~CMenuLibrary()
    {
        m_state.running = false;
        if (m_state.hook && !::UnhookWindowsHookEx(m_state.hook))
            ShowLastError();
        m_state.hook = nullptr;
        CMenuDrawStyle::DeleteAllModes();
        m_state.gradientFill = nullptr;
        if (m_state.imageLibrary)
            ::FreeLibrary(m_state.imageLibrary);
        m_state.imageLibrary = nullptr;
        CNewMenuIcons::DeleteIconSetList();
    }

    CMenuLibrary(const CMenuLibrary&) = delete;
    CMenuLibrary& operator=(const CMenuLibrary&) = delete;

    MenuLibraryState m_state;
};

CMenuLibrary& Library()
{
    static CMenuLibrary library;
    return library;
}

// Starts the library while the program's file-scope objects are made, before
// the application runs.
[[maybe_unused]] const bool g_menuLibraryStarted = (Library(), true);

}  // namespace

MenuLibraryState& MenuLibrary()
{
    return Library().m_state;
}

bool StartMenuHook(MenuHookInstaller install)
{
    return StartHook(MenuLibrary(), install);
}

GradientFillProc SetMenuGradientFill(GradientFillProc gradientFill)
{
    MenuLibraryState& state = MenuLibrary();
    const GradientFillProc previous = state.gradientFill;
    state.gradientFill = gradientFill;
    return previous;
}
