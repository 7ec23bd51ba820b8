#pragma once
// Holds the clipboard open on a thread of its own, as another program would,
// until it is told to let go (at destruction).
#include <windows.h>

class ClipboardHolder
{
public:
    ClipboardHolder()
    {
        m_thread = ::CreateThread(nullptr, 0, &ClipboardHolder::Run, this, 0, nullptr);
        ::WaitForSingleObject(m_opened, 5000);
    }
    ~ClipboardHolder()
    {
        ::SetEvent(m_release);
        ::WaitForSingleObject(m_thread, 5000);
        ::CloseHandle(m_thread);
        ::CloseHandle(m_opened);
        ::CloseHandle(m_release);
    }
    ClipboardHolder(const ClipboardHolder&) = delete;
    ClipboardHolder& operator=(const ClipboardHolder&) = delete;

    bool Holds() const { return m_holds; }

private:
    static DWORD WINAPI Run(LPVOID self)
    {
        auto* holder = static_cast<ClipboardHolder*>(self);
        holder->m_holds = ::OpenClipboard(nullptr) != FALSE;
        ::SetEvent(holder->m_opened);
        ::WaitForSingleObject(holder->m_release, 10000);
        if (holder->m_holds)
            ::CloseClipboard();
        return 0;
    }
    HANDLE m_opened = ::CreateEventA(nullptr, TRUE, FALSE, nullptr);
    HANDLE m_release = ::CreateEventA(nullptr, TRUE, FALSE, nullptr);
    HANDLE m_thread = nullptr;
    bool m_holds = false;
};
