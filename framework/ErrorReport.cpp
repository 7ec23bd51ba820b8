#include "framework/ErrorReport.h"

#include "framework/MessageBox.h"
#include "framework/WinApp.h"
#include "framework/Wnd.h"

#include <mutex>

namespace {

std::mutex& HookMutex()
{
    static std::mutex mutex;
    return mutex;
}

ErrorReportHook& Hook()
{
    static ErrorReportHook hook;
    return hook;
}

}  // namespace

ErrorSink ErrorSink::Window(const CWnd* window)
{
    return ErrorSink(false, window ? window->GetSafeHwnd() : nullptr);
}

std::string ErrorReport::Text() const
{
    // Number 0: an operation without a number of its own says "Error " alone.
    std::string text = number == 0 ? "Error " : "Error " + std::to_string(number);
    if (step)
        text += " - Step " + std::to_string(*step);
    if (!detail.empty())
        text += " " + detail;
    return text;
}

ErrorReportHook SetErrorReportHook(ErrorReportHook hook)
{
    const std::lock_guard<std::mutex> lock(HookMutex());
    ErrorReportHook previous = std::move(Hook());
    Hook() = std::move(hook);
    return previous;
}

void ReportError(const ErrorReport& report) noexcept
{
    try {
        ErrorReportHook hook;
        {
            const std::lock_guard<std::mutex> lock(HookMutex());
            hook = Hook();
        }
        if (hook) {
            hook(report);
            return;
        }
        const std::string text = report.Text();
        if (report.viaApp)
            AppMessageBox(text.c_str(), MB_OK | MB_ICONEXCLAMATION);
        else
            ShowMessageBox(report.window, text.c_str(), GetAppTitle(), MB_OK);
    } catch (...) {
        // A report that can't be shown (out of memory, a throwing hook) is dropped:
        // the caller is already on its way back with a neutral result.
    }
}

namespace error_report_detail {

void Report(int number, const ErrorSink& sink, std::optional<int> step) noexcept
{
    ErrorReport report;
    report.number = number;
    report.step = step;
    report.viaApp = sink.IsApp();
    report.window = sink.GetWindow();
    report.detail = sink.Detail();
    // A window that has gone since the sink was made can't own a box.
    if (report.window && !::IsWindow(report.window))
        report.window = nullptr;
    ReportError(report);
}

}  // namespace error_report_detail
