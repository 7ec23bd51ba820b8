#pragma once
// The program's application object started in the test process as its WinMain
// would start it, and ended when the test is done with it.
#include "app/Quorbel6App.h"
#include "shell/MainFrame.h"
#include "view/Quorbel6View.h"

#include "support/MessagePump.h"
#include "support/RecordingHelpEngine.h"

#include <windows.h>

#include <string>

class RunningApp
{
public:
    // commandLine: the program's arguments, as WinMain receives them.
    explicit RunningApp(const char* commandLine = "")
    {
        // What the help viewer would show is noted, not shown.
        m_helpCalls = RecordHelpCalls(m_app.Help());
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
    // What the program asked the help viewer to show, in order.
    const HelpCalls& HelpCallsMade() const { return *m_helpCalls; }

    // Runs what is queued through the program's own loop step, which offers
    // each message to the windows' key handling and the accelerators before
    // dispatching it, as the running program does; at most `limitMs` long.
    void RunQueued(DWORD limitMs = 2000)
    {
        const DWORD start = ::GetTickCount();
        MSG next;
        while (::PeekMessageA(&next, nullptr, 0, 0, PM_NOREMOVE) && ::GetTickCount() - start < limitMs) {
            if (next.message == WM_QUIT) {
                ::PeekMessageA(&next, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE);
                continue;
            }
            m_app.PumpMessage();
        }
    }
    // The pointer comes to rest on a client point of the window (it picks its
    // cursor), then the left button goes down there, moves to `to` and comes up.
    void Drag(HWND window, POINT from, POINT to)
    {
        POINT screen = from;
        ::ClientToScreen(window, &screen);
        ::SetCursorPos(screen.x, screen.y);
        ::SendMessageA(window, WM_SETCURSOR, reinterpret_cast<WPARAM>(window), MAKELPARAM(HTCLIENT, WM_MOUSEMOVE));
        ::PostMessageA(window, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(from.x, from.y));
        ::PostMessageA(window, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM((from.x + to.x) / 2, (from.y + to.y) / 2));
        ::PostMessageA(window, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(to.x, to.y));
        ::PostMessageA(window, WM_LBUTTONUP, 0, MAKELPARAM(to.x, to.y));
        RunQueued();
    }
    // A left click at a point of a window's client area.
    void Click(HWND window, POINT at) { Drag(window, at, at); }
    CMainFrame* Frame() { return dynamic_cast<CMainFrame*>(m_app.m_pMainWnd); }

    // The view once the whole start-up has run; null when any step failed.
    CQuorbel6View* RunToLabel() { return Started() && FinishStartUp() ? View() : nullptr; }

    // Runs the message loop until the start-up timer has placed the window.
    bool FinishStartUp()
    {
        // A first start asks for the label paper in a modal dialog; it is
        // answered with OK from a timer of the dialog's own loop.
        s_sawLabelPaperDialog = false;
        const UINT_PTR timer = ::SetTimer(nullptr, 0, 50, &RunningApp::AnswerLabelPaperDialog);
        // The first label enables drawing already; the timer's work ends with
        // the window shown maximised.
        const bool finished = test_support::PumpUntil(
            [this] { return MainWindow() && IsZoomed(MainWindow()) && IsWindowEnabled(MainWindow()); }, 5000);
        ::KillTimer(nullptr, timer);
        return finished;
    }
    // Whether the last FinishStartUp met the Change Label Paper dialog.
    static bool SawLabelPaperDialog() { return s_sawLabelPaperDialog; }

    // ---- the user's keys, through the program's message loop ---------------
    // A key pressed on the window with the keyboard focus and let go on the
    // one that has it then.
    void PressKey(UINT key)
    {
        const LPARAM scan = static_cast<LPARAM>(::MapVirtualKeyA(key, MAPVK_VK_TO_VSC)) << 16;
        ::PostMessageA(::GetFocus(), WM_KEYDOWN, key, scan | 1);
        RunQueued();
        ::PostMessageA(::GetFocus(), WM_KEYUP, key, scan | 1 | 0xC0000000);
        RunQueued();
    }
    // Characters typed on the keyboard, one key each, Shift held where a
    // character needs it.
    void Type(const char* text)
    {
        for (const char* ch = text; *ch; ++ch) {
            const SHORT key = ::VkKeyScanA(*ch);
            BYTE keys[256] = {};
            ::GetKeyboardState(keys);
            const BYTE shift = keys[VK_SHIFT];
            keys[VK_SHIFT] = (HIBYTE(key) & 1) ? 0x80 : 0;
            ::SetKeyboardState(keys);
            PressKey(LOBYTE(key));
            keys[VK_SHIFT] = shift;
            ::SetKeyboardState(keys);
        }
    }
private:
    static BOOL CALLBACK FindLabelPaperDialog(HWND window, LPARAM found)
    {
        char caption[64] = {};
        ::GetWindowTextA(window, caption, sizeof caption);
        if (::IsWindowVisible(window) && std::string(caption) == " Change Label Paper") {
            *reinterpret_cast<HWND*>(found) = window;
            return FALSE;
        }
        return TRUE;
    }
    static void CALLBACK AnswerLabelPaperDialog(HWND, UINT, UINT_PTR, DWORD)
    {
        HWND dialog = nullptr;
        ::EnumThreadWindows(::GetCurrentThreadId(), &RunningApp::FindLabelPaperDialog,
                            reinterpret_cast<LPARAM>(&dialog));
        if (!dialog)
            return;
        s_sawLabelPaperDialog = true;
        ::PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
    }

    static inline bool s_sawLabelPaperDialog = false;
    CQuorbel6App m_app;
    std::shared_ptr<HelpCalls> m_helpCalls;
    bool m_started = false;
};

