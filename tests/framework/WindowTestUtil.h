#pragma once
// Helpers of the window-layer tests: running the message queue for a while.

#include <windows.h>

#include <functional>

namespace window_test {

// Dispatches messages until done() or the time is up; false on time-out.
inline bool PumpUntil(const std::function<bool()>& done, DWORD timeoutMs = 3000)
{
    const DWORD start = ::GetTickCount();
    while (!done()) {
        if (::GetTickCount() - start > timeoutMs)
            return false;
        MSG msg;
        while (::PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
            if (msg.message == WM_QUIT)
                continue;  // a main window gone in an earlier step; not this loop's business
            ::TranslateMessage(&msg);
            ::DispatchMessageA(&msg);
        }
        if (!done())
            ::Sleep(2);
    }
    return true;
}

// Dispatches what is queued now.
inline void PumpPending()
{
    MSG msg;
    while (::PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
        if (msg.message == WM_QUIT)
            continue;
        ::TranslateMessage(&msg);
        ::DispatchMessageA(&msg);
    }
}

// Removes a WM_QUIT that a destroyed main window left in the queue.
inline bool DrainQuit()
{
    MSG msg;
    bool found = false;
    while (::PeekMessageA(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE))
        found = true;
    return found;
}

}  // namespace window_test
