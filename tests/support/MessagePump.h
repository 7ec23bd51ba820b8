#pragma once
// Running the message queue from a test: until a condition holds, or what is
// queued now. WM_QUIT from a main window an earlier step destroyed is not the
// test's business and is dropped.

#include <windows.h>

#include <functional>

namespace test_support {

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
                continue;
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

}  // namespace test_support
