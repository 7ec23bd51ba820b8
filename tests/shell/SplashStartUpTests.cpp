// The splash picture in the program's start-up: shown by the application's
// initialisation above the main window, waited for by the view's start-up
// timer, and destroyed once it has hidden itself.
#include "app/Quorbel6App.h"
#include "framework/FrameWnd.h"

#include "support/MessagePump.h"

#include <gtest/gtest.h>

#include <functional>
#include <vector>

namespace {

using test_support::PumpUntil;

BOOL CALLBACK CollectWindow(HWND window, LPARAM list)
{
    reinterpret_cast<std::vector<HWND>*>(list)->push_back(window);
    return TRUE;
}

// Position of a top-level window in the Z order, 0 the topmost.
int ZPosition(HWND window)
{
    std::vector<HWND> windows;
    ::EnumWindows(&CollectWindow, reinterpret_cast<LPARAM>(&windows));
    for (size_t i = 0; i < windows.size(); ++i)
        if (windows[i] == window)
            return static_cast<int>(i);
    return -1;
}

// Settings of a program that has run before, so that no first-run dialog or
// choice of layout stops the start-up; the values as they were come back after.
class NotAFirstRun {
public:
    NotAFirstRun()
    {
        ::RegCreateKeyExA(HKEY_LOCAL_MACHINE, kSettingsPath, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &m_key, nullptr);
        for (const char* name : {"LabelUpdate", "HelpScreen", "Template"}) {
            DWORD value = 0;
            DWORD size = sizeof value;
            m_saved.push_back({name, ::RegQueryValueExA(m_key, name, nullptr, nullptr, reinterpret_cast<BYTE*>(&value),
                                                        &size) == ERROR_SUCCESS, value});
        }
        Set("LabelUpdate", 0);
        Set("HelpScreen", 0);
        Set("Template", 1);  // the single-CD template, without asking
    }
    ~NotAFirstRun()
    {
        for (const Saved& saved : m_saved) {
            if (saved.existed)
                Set(saved.name, saved.value);
            else
                ::RegDeleteValueA(m_key, saved.name);
        }
        ::RegCloseKey(m_key);
    }
    NotAFirstRun(const NotAFirstRun&) = delete;
    NotAFirstRun& operator=(const NotAFirstRun&) = delete;

private:
    static constexpr char kSettingsPath[] = "SOFTWARE\\Sleevory";
    struct Saved {
        const char* name;
        bool existed;
        DWORD value;
    };
    void Set(const char* name, DWORD value)
    {
        ::RegSetValueExA(m_key, name, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&value), sizeof value);
    }

    HKEY m_key = nullptr;
    std::vector<Saved> m_saved;
};

}  // namespace

TEST(SplashStartUp, MainWindowWaitsForTheSplashWhichIsThenDestroyed)
{
    NotAFirstRun settings;
    CQuorbel6App app;
    app.StartUp(::GetModuleHandleA(nullptr), "", SW_HIDE);
    const DWORD startedAt = ::GetTickCount();
    ASSERT_TRUE(app.InitInstance());

    HWND splash = app.m_splash.GetSafeHwnd();
    ASSERT_NE(splash, nullptr);
    EXPECT_TRUE(::IsWindowVisible(splash));
    HWND mainWindow = app.m_pMainWnd ? app.m_pMainWnd->GetSafeHwnd() : nullptr;
    ASSERT_NE(mainWindow, nullptr);
    EXPECT_LT(ZPosition(splash), ZPosition(mainWindow)) << "the picture stays in front of the main window";

    // Only meaningful while the picture's time is not up yet: on a loaded
    // machine InitInstance alone can take longer than that.
    PumpUntil([] { return false; }, 500);
    if (::GetTickCount() - startedAt < 2000) {
        EXPECT_TRUE(::IsWindowVisible(splash));
        EXPECT_FALSE(::IsZoomed(mainWindow)) << "the start-up waits while the picture is up";
    }

    // The start-up timer ends by destroying the picture and placing the main window.
    ASSERT_TRUE(PumpUntil([&] { return app.m_splash.GetSafeHwnd() == nullptr; }, 6000));
    EXPECT_GE(::GetTickCount() - startedAt, 2400u);
    EXPECT_FALSE(::IsWindow(splash)) << "destroyed, not only hidden";
    EXPECT_TRUE(::IsZoomed(mainWindow));

    ::DestroyWindow(mainWindow);
    app.ExitInstance();
    app.ShutDown();
    // The main window's end asked the message loop to stop; no later test's loop may see that.
    MSG quit;
    while (::PeekMessageA(&quit, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE)) {
    }
}
