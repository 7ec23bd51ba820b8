// Linked into every test program. A test that waits on a window nobody closes
// (a message box from an unexpected error, a dialog a timer failed to press)
// would otherwise sit until CTest kills the program, with nothing in the log
// saying what it waited on. The watchdog gives each test a time limit; past it,
// it writes the test's name and every window of the process with its texts,
// then ends the program with a failure.

#include <gtest/gtest.h>
#include <windows.h>

#include <chrono>
#include <condition_variable>
#include <cstdio>
#include <cstdlib>
#include <iterator>
#include <mutex>
#include <string>
#include <thread>

namespace {

// SLEEVORY_TEST_TIME_LIMIT (seconds) overrides the limit.
std::chrono::seconds TestTimeLimit()
{
    char value[16] = {};
    const DWORD length = GetEnvironmentVariableA("SLEEVORY_TEST_TIME_LIMIT", value, sizeof value);
    const long seconds = length > 0 && length < sizeof value ? std::strtol(value, nullptr, 10) : 0;
    return std::chrono::seconds(seconds > 0 ? seconds : 90);
}

// A window's text read without sending it a message: the thread that owns it
// may be the one that is stuck.
std::string TextOf(HWND window)
{
    WCHAR wide[256] = {};
    const int length = InternalGetWindowText(window, wide, static_cast<int>(std::size(wide)));
    char text[512] = {};
    if (length <= 0)
        return {};
    const int bytes = WideCharToMultiByte(CP_ACP, 0, wide, length, text, sizeof text - 1, nullptr, nullptr);
    return std::string(text, bytes > 0 ? bytes : 0);
}

void Describe(HWND window, int depth)
{
    char className[128] = {};
    GetClassNameA(window, className, sizeof className);
    std::fprintf(stderr, "%*s%s \"%s\"%s\n", depth * 2, "", className, TextOf(window).c_str(),
                 IsWindowVisible(window) ? " (visible)" : "");
}

BOOL CALLBACK DescribeChild(HWND child, LPARAM)
{
    Describe(child, 2);
    return TRUE;
}

BOOL CALLBACK DescribeTopLevel(HWND window, LPARAM)
{
    DWORD process = 0;
    GetWindowThreadProcessId(window, &process);
    if (process != GetCurrentProcessId())
        return TRUE;
    Describe(window, 1);
    EnumChildWindows(window, &DescribeChild, 0);
    return TRUE;
}

class HangWatchdog : public testing::EmptyTestEventListener
{
public:
    HangWatchdog() : m_thread([this] { Watch(); }) {}
    ~HangWatchdog() override { Stop(); }

    // The watch ends with the tests, before the program's exit code runs.
    void OnTestProgramEnd(const testing::UnitTest&) override { Stop(); }

    void OnTestStart(const testing::TestInfo& test) override
    {
        {
            std::lock_guard lock(m_mutex);
            m_name = std::string(test.test_suite_name()) + "." + test.name();
            m_deadline = std::chrono::steady_clock::now() + m_limit;
            m_running = true;
        }
        m_wake.notify_all();
    }

    void OnTestEnd(const testing::TestInfo&) override
    {
        std::lock_guard lock(m_mutex);
        m_running = false;
    }

private:
    void Stop()
    {
        {
            std::lock_guard lock(m_mutex);
            m_stop = true;
        }
        m_wake.notify_all();
        if (m_thread.joinable())
            m_thread.join();
    }

    void Watch()
    {
        std::unique_lock lock(m_mutex);
        while (!m_stop) {
            if (!m_running) {
                m_wake.wait(lock);
                continue;
            }
            if (m_wake.wait_until(lock, m_deadline) != std::cv_status::timeout || !m_running || m_stop)
                continue;
            if (std::chrono::steady_clock::now() < m_deadline)
                continue;
            std::fprintf(stderr, "\n%s has run for %lld s without ending. The windows of the program:\n",
                         m_name.c_str(), static_cast<long long>(m_limit.count()));
            EnumWindows(&DescribeTopLevel, 0);
            std::fflush(stderr);
            std::fflush(stdout);
            ExitProcess(3);
        }
    }

    const std::chrono::seconds m_limit = TestTimeLimit();
    std::mutex m_mutex;
    std::condition_variable m_wake;
    std::string m_name;
    std::chrono::steady_clock::time_point m_deadline{};
    bool m_running = false;
    bool m_stop = false;
    std::thread m_thread;  // last: starts once the members above exist
};

// Registered before main() runs; GoogleTest owns the listener from here.
const bool g_registered = [] {
    testing::UnitTest::GetInstance()->listeners().Append(new HangWatchdog);
    return true;
}();

}  // namespace
