#pragma once
// The program's application object started in the test process as its WinMain
// would start it, and ended when the test is done with it.
#include "app/Quorbel6App.h"
#include "view/Quorbel6View.h"

#include "support/MessagePump.h"

#include <windows.h>

class RunningApp
{
public:
    // commandLine: the program's arguments, as WinMain receives them.
    explicit RunningApp(const char* commandLine = "")
    {
        m_app.StartUp(GetModuleHandleA(nullptr), commandLine, SW_HIDE);
        m_started = m_app.InitInstance() != FALSE;
    }
    ~RunningApp()
    {
        if (m_app.m_pMainWnd && m_app.m_pMainWnd->m_hWnd)
            DestroyWindow(m_app.m_pMainWnd->m_hWnd);
        m_app.ExitInstance();
        m_app.ShutDown();
    }
    RunningApp(const RunningApp&) = delete;
    RunningApp& operator=(const RunningApp&) = delete;

    bool Started() const { return m_started; }
    CQuorbel6App& App() { return m_app; }
    CQuorbel6View* View() { return m_app.GetActiveView(); }
    HWND MainWindow() { return m_app.m_pMainWnd ? m_app.m_pMainWnd->m_hWnd : nullptr; }

    // The view once the whole start-up has run; null when any step failed.
    CQuorbel6View* RunToLabel() { return Started() && FinishStartUp() ? View() : nullptr; }

    // Runs the message loop until the start-up timer has placed the window.
    bool FinishStartUp()
    {
        // The first label enables drawing already; the timer's work ends with
        // the window shown maximised.
        return test_support::PumpUntil([this] { return MainWindow() && IsZoomed(MainWindow()); }, 5000);
    }

private:
    CQuorbel6App m_app;
    bool m_started = false;
};

