#include "framework/Thread.h"

#include "framework/Wnd.h"

#include <memory>

namespace {

struct ThreadStart {
    ThreadProcedure procedure;
    LPVOID parameter;
};

DWORD WINAPI RunThread(LPVOID startBlock)
{
    const std::unique_ptr<ThreadStart> start(static_cast<ThreadStart*>(startBlock));
    DWORD result = kThreadFailedExitCode;
    try {
        result = start->procedure(start->parameter);
    } catch (...) {
        // Nothing may unwind past the system's thread start.
        result = kThreadFailedExitCode;
    }
    // Window wrappers a worker made through FromHandle belong to it alone.
    CWnd::DeleteTempMap();
    return result;
}

}  // namespace

CThreadHandle BeginThread(ThreadProcedure procedure, LPVOID parameter, int priority, UINT stackSize,
                          DWORD createFlags)
{
    if (!procedure)
        return {};
    auto start = std::make_unique<ThreadStart>(ThreadStart{procedure, parameter});
    DWORD threadId = 0;
    // Suspended, so the priority is in place before the first instruction runs.
    HANDLE thread = ::CreateThread(nullptr, stackSize, &RunThread, start.get(), CREATE_SUSPENDED, &threadId);
    if (!thread)
        return {};
    start.release();  // the thread owns it now
    ::SetThreadPriority(thread, priority);
    if (!(createFlags & CREATE_SUSPENDED))
        ::ResumeThread(thread);
    return CThreadHandle(thread, threadId);
}
