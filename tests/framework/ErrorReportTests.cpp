// The one catch-all of the program's operations: a failing body reports its
// number and gives the neutral result.
#include "framework/ErrorReport.h"
#include "framework/Exceptions.h"
#include "framework/MessageBox.h"
#include "framework/WinApp.h"
#include "framework/Wnd.h"

#include <gtest/gtest.h>

#include <stdexcept>
#include <string>
#include <vector>

namespace {

class ErrorReporting : public ::testing::Test {
protected:
    ErrorReporting()
        : m_hook([this](const ErrorReport& report) { m_reports.push_back(report); })
    {
    }

    std::vector<ErrorReport> m_reports;
    ScopedErrorReportHook m_hook;
};

TEST_F(ErrorReporting, ResultPassesThroughWhenNothingFails)
{
    EXPECT_EQ(Guarded(279, ErrorSink::App(), FALSE, [] { return TRUE; }), TRUE);
    EXPECT_TRUE(m_reports.empty());
}

TEST_F(ErrorReporting, AnyExceptionGivesTheNeutralResultAndItsNumber)
{
    int stateAfter = 0;
    const auto failing = [&](auto thrown) {
        return Guarded(281, ErrorSink::App(), static_cast<const char*>(nullptr), [&]() -> const char* {
            stateAfter = 1;
            throw thrown;
        });
    };
    EXPECT_EQ(failing(std::runtime_error("x")), nullptr);
    EXPECT_EQ(failing(42), nullptr);
    EXPECT_EQ(failing(CFrameworkException("archive")), nullptr);
    ASSERT_EQ(m_reports.size(), 3u);
    for (const ErrorReport& report : m_reports) {
        EXPECT_EQ(report.number, 281);
        EXPECT_TRUE(report.viaApp);
        EXPECT_FALSE(report.step.has_value());
        EXPECT_EQ(report.Text(), "Error 281");
    }
    EXPECT_EQ(stateAfter, 1);
}

TEST_F(ErrorReporting, OperationsWithoutResultAndWithStepsReportToo)
{
    Guarded(108, ErrorSink::Window(static_cast<HWND>(nullptr)), [] { throw std::bad_alloc(); });
    const int result = GuardedSteps(24, ErrorSink::App(), -1, [](int& step) -> int {
        step = 1;
        step = 2;
        throw std::runtime_error("step two");
    });
    EXPECT_EQ(result, -1);
    GuardedSteps(167, ErrorSink::App(), [](int& step) { step = 5; });  // no failure, no report
    ASSERT_EQ(m_reports.size(), 2u);
    EXPECT_EQ(m_reports[0].Text(), "Error 108");
    EXPECT_FALSE(m_reports[0].viaApp);
    EXPECT_EQ(m_reports[1].Text(), "Error 24 - Step 2");
}

TEST_F(ErrorReporting, AWordNamingWhatFailedFollowsTheNumber)
{
    const ErrorSink sink = ErrorSink::Window(static_cast<HWND>(nullptr)).WithDetail("Left");
    EXPECT_EQ(Guarded(14, sink, std::string(), []() -> std::string { throw std::runtime_error("x"); }), "");
    Guarded(14, ErrorSink::App(), [] { throw 1; });
    ASSERT_EQ(m_reports.size(), 2u);
    EXPECT_EQ(m_reports[0].Text(), "Error 14 Left");
    EXPECT_FALSE(m_reports[0].viaApp);
    EXPECT_EQ(m_reports[1].Text(), "Error 14") << "a sink without a word adds none";
}

TEST_F(ErrorReporting, AnOperationWithoutANumberSaysErrorAlone)
{
    Guarded(0, ErrorSink::App(), [] { throw 1; });
    ASSERT_EQ(m_reports.size(), 1u);
    EXPECT_EQ(m_reports[0].Text(), "Error ");
}

// Without the hook, the reports become message boxes: the application's with
// the exclamation icon, a window's own without an icon; both captioned with
// the application's title and holding only an OK button.
TEST(ErrorReportBoxes, AppAndWindowBoxesLookAsTheProgramWants)
{
    CWinApp app("Error Box Test");
    CWnd window;
    ASSERT_TRUE(window.CreateEx(0, nullptr, "Owner", WS_OVERLAPPEDWINDOW, 0, 0, 100, 100, nullptr, nullptr));

    struct Box {
        HWND owner;
        std::string text;
        std::string caption;
        UINT type;
    };
    std::vector<Box> boxes;
    ScopedMessageBoxHook hook([&](HWND owner, LPCSTR text, LPCSTR caption, UINT type) {
        boxes.push_back(Box{owner, text, caption, type});
        return IDOK;
    });

    Guarded(279, ErrorSink::App(), [] { throw std::runtime_error("init"); });
    Guarded(556, ErrorSink::Window(&window), [] { throw std::runtime_error("setting"); });

    ASSERT_EQ(boxes.size(), 2u);
    EXPECT_EQ(boxes[0].text, "Error 279");
    EXPECT_EQ(boxes[0].caption, "Error Box Test");
    EXPECT_EQ(boxes[0].type, static_cast<UINT>(MB_OK | MB_ICONEXCLAMATION));
    EXPECT_EQ(boxes[1].text, "Error 556");
    EXPECT_EQ(boxes[1].caption, "Error Box Test");
    EXPECT_EQ(boxes[1].type, static_cast<UINT>(MB_OK));
    EXPECT_EQ(boxes[1].owner, window.GetSafeHwnd());
}

}  // namespace
