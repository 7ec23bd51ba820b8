#pragma once
// Watches every message sent to a window of this thread while it lives
// (after the sender, before the window's own procedure).
//
//     int paints = 0;
//     SentMessageWatch watch([&](const CWPSTRUCT& m) { paints += m.message == WM_PAINT; });

#include <windows.h>

#include <functional>
#include <utility>

class SentMessageWatch
{
public:
    using Watch = std::function<void(const CWPSTRUCT& message)>;

    explicit SentMessageWatch(Watch watch) : m_watch(std::move(watch))
    {
        s_current = this;
        m_hook = ::SetWindowsHookExA(WH_CALLWNDPROC, &SentMessageWatch::Hook, nullptr, ::GetCurrentThreadId());
    }
    ~SentMessageWatch()
    {
        ::UnhookWindowsHookEx(m_hook);
        s_current = nullptr;
    }
    SentMessageWatch(const SentMessageWatch&) = delete;
    SentMessageWatch& operator=(const SentMessageWatch&) = delete;

private:
    static LRESULT CALLBACK Hook(int code, WPARAM wParam, LPARAM lParam)
    {
        if (code == HC_ACTION && s_current)
            s_current->m_watch(*reinterpret_cast<const CWPSTRUCT*>(lParam));
        return ::CallNextHookEx(nullptr, code, wParam, lParam);
    }

    static inline SentMessageWatch* s_current = nullptr;
    Watch m_watch;
    HHOOK m_hook = nullptr;
};
