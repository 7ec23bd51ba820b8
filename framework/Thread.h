#pragma once
// The framework's thread start: a worker runs a plain function with one
// parameter at a chosen priority. An exception never leaves the thread: the
// thread then ends with kThreadFailedExitCode.
//
//     CThreadHandle worker = BeginThread(&SearchThread, this, THREAD_PRIORITY_HIGHEST);
//     ...
//     worker.Wait(INFINITE);

#include <windows.h>

#include <utility>

using ThreadProcedure = UINT (*)(LPVOID parameter);

constexpr DWORD kThreadFailedExitCode = 0xFFFFFFFF;

// Owns a thread's handle. Letting it go does not stop or wait for the thread.
class CThreadHandle {
public:
    CThreadHandle() = default;
    CThreadHandle(HANDLE thread, DWORD threadId) : m_hThread(thread), m_nThreadID(threadId) {}
    ~CThreadHandle() { Close(); }
    CThreadHandle(CThreadHandle&& other) noexcept
        : m_hThread(std::exchange(other.m_hThread, nullptr)), m_nThreadID(std::exchange(other.m_nThreadID, 0))
    {
    }
    CThreadHandle& operator=(CThreadHandle&& other) noexcept
    {
        if (this != &other) {
            Close();
            m_hThread = std::exchange(other.m_hThread, nullptr);
            m_nThreadID = std::exchange(other.m_nThreadID, 0);
        }
        return *this;
    }
    CThreadHandle(const CThreadHandle&) = delete;
    CThreadHandle& operator=(const CThreadHandle&) = delete;

    bool IsValid() const { return m_hThread != nullptr; }
    explicit operator bool() const { return IsValid(); }
    HANDLE GetHandle() const { return m_hThread; }
    DWORD GetThreadId() const { return m_nThreadID; }

    // WAIT_OBJECT_0 when the thread has ended, WAIT_TIMEOUT otherwise.
    DWORD Wait(DWORD milliseconds = INFINITE) const
    {
        return m_hThread ? ::WaitForSingleObject(m_hThread, milliseconds) : WAIT_FAILED;
    }
    bool IsRunning() const { return m_hThread && Wait(0) == WAIT_TIMEOUT; }
    // False while the thread runs or without a thread.
    bool GetExitCode(DWORD& code) const
    {
        return m_hThread && ::GetExitCodeThread(m_hThread, &code) && code != STILL_ACTIVE;
    }
    DWORD Resume() const { return ::ResumeThread(m_hThread); }
    void Close()
    {
        if (m_hThread)
            ::CloseHandle(m_hThread);
        m_hThread = nullptr;
        m_nThreadID = 0;
    }

private:
    HANDLE m_hThread = nullptr;
    DWORD m_nThreadID = 0;
};

// Starts procedure(parameter) on a new thread. createFlags may hold
// CREATE_SUSPENDED (then Resume starts it). An invalid handle when the thread
// could not be made.
CThreadHandle BeginThread(ThreadProcedure procedure, LPVOID parameter, int priority = THREAD_PRIORITY_NORMAL,
                          UINT stackSize = 0, DWORD createFlags = 0);
