// The application's message loop, its idle work and the worker-thread start.
#include "WindowTestUtil.h"

#include "framework/Thread.h"
#include "framework/WinApp.h"
#include "framework/Wnd.h"

#include <gtest/gtest.h>

#include <atomic>
#include <stdexcept>
#include <vector>

namespace {

// Records its idle counts; after two idle periods it ends the loop.
class CIdleApp : public CWinApp {
public:
    CIdleApp() : CWinApp("Idle Test") {}

    BOOL OnIdle(LONG count) override
    {
        m_counts.push_back(count);
        if (count < 2)
            return TRUE;
        if (!m_restarted) {
            m_restarted = true;
            // Any message counts as activity and starts the counting again.
            ::PostThreadMessageA(::GetCurrentThreadId(), WM_NULL, 0, 0);
        } else {
            ::PostQuitMessage(7);
        }
        return FALSE;
    }

    std::vector<LONG> m_counts;
    bool m_restarted = false;
};

TEST(AppLoop, IdleCountsRiseUntilFalseAndRestartAfterMessages)
{
    window_test::PumpPending();
    CIdleApp app;
    EXPECT_EQ(app.Run(), 7) << "the quit code is the exit code";
    EXPECT_EQ(app.m_counts, (std::vector<LONG>{0, 1, 2, 0, 1, 2}));
}

TEST(AppLoop, OneApplicationObjectAtATime)
{
    EXPECT_EQ(GetApp(), nullptr);
    {
        CWinApp first("First");
        CWinApp second("Second");
        EXPECT_EQ(GetApp(), &first);
        EXPECT_STREQ(GetAppTitle(), "First");
    }
    EXPECT_EQ(GetApp(), nullptr);
    EXPECT_STREQ(GetAppTitle(), "");
}

UINT RecordPriority(LPVOID parameter)
{
    auto* priority = static_cast<std::atomic<int>*>(parameter);
    priority->store(::GetThreadPriority(::GetCurrentThread()));
    return 5;
}

UINT Throw(LPVOID)
{
    throw std::runtime_error("worker failed");
}

TEST(Threads, WorkerRunsAtItsPriorityAndReturnsItsCode)
{
    std::atomic<int> priority{-100};
    CThreadHandle worker = BeginThread(&RecordPriority, &priority, THREAD_PRIORITY_HIGHEST);
    ASSERT_TRUE(worker);
    ASSERT_EQ(worker.Wait(5000), WAIT_OBJECT_0);
    EXPECT_EQ(priority.load(), THREAD_PRIORITY_HIGHEST);
    DWORD code = 0;
    ASSERT_TRUE(worker.GetExitCode(code));
    EXPECT_EQ(code, 5u);
}

TEST(Threads, ExceptionEndsOnlyTheWorker)
{
    CThreadHandle worker = BeginThread(&Throw, nullptr);
    ASSERT_TRUE(worker);
    ASSERT_EQ(worker.Wait(5000), WAIT_OBJECT_0);
    DWORD code = 0;
    ASSERT_TRUE(worker.GetExitCode(code));
    EXPECT_EQ(code, kThreadFailedExitCode);
}

TEST(Threads, SuspendedWorkerWaitsForResume)
{
    std::atomic<int> priority{-100};
    CThreadHandle worker = BeginThread(&RecordPriority, &priority, THREAD_PRIORITY_NORMAL, 0, CREATE_SUSPENDED);
    ASSERT_TRUE(worker);
    EXPECT_EQ(worker.Wait(50), static_cast<DWORD>(WAIT_TIMEOUT));
    EXPECT_EQ(priority.load(), -100);
    worker.Resume();
    EXPECT_EQ(worker.Wait(5000), WAIT_OBJECT_0);
    EXPECT_EQ(priority.load(), THREAD_PRIORITY_NORMAL);
}

}  // namespace
