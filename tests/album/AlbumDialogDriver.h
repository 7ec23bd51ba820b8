#pragma once
// Drives modal dialogs from inside their own message loop: a thread timer
// runs the steps of a script in turn, each step repeated until it says it is
// done. A script that is not through by its deadline cancels every dialog of
// the thread, so a hung test fails instead of waiting for ever.

#include "framework/Wnd.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <chrono>
#include <functional>
#include <string>
#include <utility>
#include <vector>

namespace album_test {

// The visible dialog of this thread that holds a control with this id, or null.
inline HWND FindDialogWith(int controlId)
{
    struct Search {
        int id;
        HWND found;
    } search{controlId, nullptr};
    ::EnumThreadWindows(
        ::GetCurrentThreadId(),
        [](HWND window, LPARAM param) -> BOOL {
            auto* s = reinterpret_cast<Search*>(param);
            char className[32] = {};
            ::GetClassNameA(window, className, sizeof className);
            if (std::string(className) == "#32770" && ::IsWindowVisible(window) && ::GetDlgItem(window, s->id)) {
                s->found = window;
                return FALSE;
            }
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&search));
    return search.found;
}

inline void Click(HWND dialog, int id)
{
    ::SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(::GetDlgItem(dialog, id)));
}

inline std::string WindowText(HWND window)
{
    char text[512] = {};
    ::GetWindowTextA(window, text, sizeof text);
    return text;
}

// A step waits until its condition holds, then acts. The step counts as done
// before its action runs, since an action that opens another modal dialog
// returns only when that dialog has gone, and the next steps must drive it.
struct ScriptStep {
    std::string name;
    std::function<bool()> ready;
    std::function<void()> action;
};

// A step that only waits.
inline ScriptStep WaitUntil(std::string name, std::function<bool()> ready)
{
    return ScriptStep{std::move(name), std::move(ready), nullptr};
}

// The user asks the dialog that holds `control` for help in both ways: F1
// pressed and released on the focused control, and, once `helpShown` says the
// first request was answered, a click on the help button of the caption,
// which the dialog must keep for itself (else the system would start its own
// context-help mode).
inline std::vector<ScriptStep> AskForHelp(int control, std::function<size_t()> helpShown)
{
    return {
        {"press and release F1", [=] { return FindDialogWith(control) != nullptr; },
         [=] {
             HWND dialog = FindDialogWith(control);
             HWND focus = ::GetFocus();
             if (!focus || (focus != dialog && !::IsChild(dialog, focus)))
                 focus = dialog;
             ::PostMessageA(focus, WM_KEYDOWN, VK_F1, 0x003B0001);
             ::PostMessageA(focus, WM_KEYUP, VK_F1, 0xC03B0001);
         }},
        WaitUntil("the help for F1", [=] { return helpShown() == 1; }),
        {"click the caption's help button", nullptr,
         [=] {
             HWND dialog = FindDialogWith(control);
             RECT frame{};
             ::GetWindowRect(dialog, &frame);
             MSG click{dialog, WM_NCLBUTTONDOWN, HTHELP, MAKELPARAM(frame.right - 30, frame.top + 10), 0, {}};
             EXPECT_TRUE(CWnd::WalkPreTranslateTree(dialog, &click)) << "the dialog keeps the click";
         }},
        WaitUntil("the help for the button", [=] { return helpShown() == 2; }),
    };
}

class ModalScript {
public:
    ModalScript(std::vector<ScriptStep> steps, std::chrono::milliseconds deadline)
        : m_steps(std::move(steps)), m_deadline(std::chrono::steady_clock::now() + deadline)
    {
        s_current = this;
        m_timer = ::SetTimer(nullptr, 0, 30, &ModalScript::Tick);
    }
    ~ModalScript()
    {
        ::KillTimer(nullptr, m_timer);
        s_current = nullptr;
        EXPECT_TRUE(Finished()) << "the script stopped at: " << StepName();
    }
    ModalScript(const ModalScript&) = delete;
    ModalScript& operator=(const ModalScript&) = delete;

    bool Finished() const { return m_next >= m_steps.size(); }
    std::string StepName() const { return Finished() ? "the end" : m_steps[m_next].name; }

private:
    static void CALLBACK Tick(HWND, UINT, UINT_PTR, DWORD)
    {
        ModalScript* script = s_current;
        if (!script || script->Finished())
            return;
        if (std::chrono::steady_clock::now() > script->m_deadline) {
            ADD_FAILURE() << "timed out at: " << script->StepName();
            script->m_next = script->m_steps.size();
            // Every dialog of the thread goes, the innermost first.
            while (HWND dialog = FindDialogWith(IDCANCEL)) {
                ::ShowWindow(dialog, SW_HIDE);
                ::PostMessageA(dialog, WM_COMMAND, IDCANCEL, 0);
            }
            return;
        }
        ScriptStep& step = script->m_steps[script->m_next];
        if (step.ready && !step.ready())
            return;
        ++script->m_next;
        if (step.action)
            step.action();
    }

    static inline ModalScript* s_current = nullptr;
    std::vector<ScriptStep> m_steps;
    std::chrono::steady_clock::time_point m_deadline;
    size_t m_next = 0;
    UINT_PTR m_timer = 0;
};

}  // namespace album_test
