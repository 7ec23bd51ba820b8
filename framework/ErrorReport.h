#pragma once
// The program's one way of surviving a failure inside an operation: the body
// runs inside a catch-all; on any exception the user sees "Error " and the
// operation's number (caption: the application's title, an OK button) and the
// operation returns a neutral result.
//
//     BOOL CMyDoc::OnSaveDocument(LPCSTR path)
//     {
//         return Guarded(150, ErrorSink::App(), FALSE, [&] { ...; return TRUE; });
//     }
//     void CMyView::OnTimer(UINT_PTR id)
//     {
//         Guarded(108, ErrorSink::Window(this), [&] { ... });
//     }
//
// Long operations that report the step they reached take the step counter:
//     GuardedSteps(24, ErrorSink::App(), [&](int& step) { step = 1; ...; step = 2; ... });
// which reports "Error 24 - Step 2".
//
// Tests redirect the reports with ScopedErrorReportHook instead of showing boxes.

#include <windows.h>

#include <functional>
#include <optional>
#include <string>
#include <type_traits>
#include <utility>

class CWnd;

// Where a report is shown: the application's message box (exclamation icon)
// or a window's own message box (no icon).
class ErrorSink {
public:
    static ErrorSink App() { return ErrorSink(true, nullptr); }
    // A window without a handle (not created yet, or gone) still gets a box
    // without an owner and without an icon.
    static ErrorSink Window(const CWnd* window);
    static ErrorSink Window(HWND window) { return ErrorSink(false, window); }

    // The same sink, with a word the report adds after its number ("Error 14 Left").
    ErrorSink WithDetail(std::string detail) const
    {
        ErrorSink sink = *this;
        sink.m_detail = std::move(detail);
        return sink;
    }

    bool IsApp() const { return m_viaApp; }
    HWND GetWindow() const { return m_window; }
    const std::string& Detail() const { return m_detail; }

private:
    ErrorSink(bool viaApp, HWND window) : m_viaApp(viaApp), m_window(window) {}
    bool m_viaApp;
    HWND m_window;
    std::string m_detail;
};

struct ErrorReport {
    int number = 0;
    std::optional<int> step;  // set for operations that count their steps
    bool viaApp = true;       // the application's box, else the window's
    HWND window = nullptr;    // the window whose box is used
    std::string detail;       // said after the number, when not empty

    // "Error 279", "Error 24 - Step 3" or "Error 14 Left".
    std::string Text() const;
};

using ErrorReportHook = std::function<void(const ErrorReport&)>;

// Replaces where reports go; an empty hook restores the message boxes.
// Returns the previous hook.
ErrorReportHook SetErrorReportHook(ErrorReportHook hook);

// Shows (or hands to the hook) one report. Never throws.
void ReportError(const ErrorReport& report) noexcept;

// Installs a hook for the lifetime of the object and restores the previous one.
class ScopedErrorReportHook {
public:
    explicit ScopedErrorReportHook(ErrorReportHook hook) : m_previous(SetErrorReportHook(std::move(hook))) {}
    ~ScopedErrorReportHook() { SetErrorReportHook(std::move(m_previous)); }
    ScopedErrorReportHook(const ScopedErrorReportHook&) = delete;
    ScopedErrorReportHook& operator=(const ScopedErrorReportHook&) = delete;

private:
    ErrorReportHook m_previous;
};

namespace error_report_detail {
void Report(int number, const ErrorSink& sink, std::optional<int> step) noexcept;
}

// Runs body(); on any exception reports `number` and returns `neutral`
// (converted to the body's result type, so nullptr works for pointers).
template <class N, class F>
std::invoke_result_t<F> Guarded(int number, const ErrorSink& sink, N&& neutral, F&& body) noexcept
{
    try {
        return std::forward<F>(body)();
    } catch (...) {
        error_report_detail::Report(number, sink, std::nullopt);
        return static_cast<std::invoke_result_t<F>>(std::forward<N>(neutral));
    }
}

// The same for operations without a result.
template <class F>
void Guarded(int number, const ErrorSink& sink, F&& body) noexcept
{
    try {
        std::forward<F>(body)();
    } catch (...) {
        error_report_detail::Report(number, sink, std::nullopt);
    }
}

// body(int& step) keeps `step` at the step it is in; a failure reports it.
template <class N, class F>
std::invoke_result_t<F, int&> GuardedSteps(int number, const ErrorSink& sink, N&& neutral, F&& body) noexcept
{
    int step = 0;
    try {
        return std::forward<F>(body)(step);
    } catch (...) {
        error_report_detail::Report(number, sink, step);
        return static_cast<std::invoke_result_t<F, int&>>(std::forward<N>(neutral));
    }
}

template <class F>
void GuardedSteps(int number, const ErrorSink& sink, F&& body) noexcept
{
    int step = 0;
    try {
        std::forward<F>(body)(step);
    } catch (...) {
        error_report_detail::Report(number, sink, step);
    }
}
