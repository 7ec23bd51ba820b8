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

// A window whose timer ends the loop after a number of ticks.
class CTickingWindow : public CWnd {
public:
    void OnTimer(UINT_PTR id) override
    {
        if (++m_ticks == kTicks) {
            KillTimer(id);
            ::PostQuitMessage(0);
        }
    }
    static constexpr int kTicks = 8;
    int m_ticks = 0;
};

// Counts the idle periods that begin (count 0) and never ends the loop itself.
class CIdleCountingApp : public CWinApp {
public:
    CIdleCountingApp() : CWinApp("Idle Count Test") {}
    BOOL OnIdle(LONG count) override
    {
        if (count == 0)
            ++m_idlePeriods;
        return FALSE;
    }
    int m_idlePeriods = 0;
};

// The idle update of every tool bar and pane runs after user activity; an
// animation's ticks (the marching ants) are none, a plain timer's are.
TEST(AppLoop, AnimationTimerTicksStartNoIdlePeriod)
{
    for (const bool animation : {false, true}) {
        window_test::PumpPending();
        CIdleCountingApp app;
        CTickingWindow window;
        ASSERT_TRUE(window.CreateEx(0, RegisterFrameworkWindowClass(0), "ticking", WS_POPUP, 0, 0, 10, 10, nullptr,
                                    nullptr));
        if (animation)
            window.SetAnimationTimer(1121, 10);
        else
            window.SetTimer(1121, 10);
        app.Run();
        EXPECT_EQ(window.m_ticks, CTickingWindow::kTicks);
        if (animation)
            EXPECT_LE(app.m_idlePeriods, 1) << "only the loop's first idle period";
        else
            EXPECT_GE(app.m_idlePeriods, CTickingWindow::kTicks - 1) << "each tick is activity";
        window.DestroyWindow();
    }
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
