#pragma once
// Support for the label-paper dialog tests: a host that keeps the paper store
// in memory and records what the dialogs asked of it, and a driver that works
// nested modal dialogs from a timer, each step waiting for its own caption.

#include "printing/LabelPaperHost.h"
#include "printing/LabelTemplateFile.h"

#include <gtest/gtest.h>
#include <windows.h>
#include <commctrl.h>

#include <functional>
#include <string>
#include <utility>
#include <vector>

class FakePaperHost : public ILabelPaperHost
{
public:
    std::vector<std::unique_ptr<CLabelDim>>& PaperTemplates() override { return store.templates; }
    int& DiscTemplateChoice() override { return store.discTemplate; }
    int& JewelTemplateChoice() override { return store.jewelTemplate; }
    BOOL SaveLabelTemplates() override
    {
        ++saves;
        written = LabelTemplateFile::ToBytes(store);
        return TRUE;
    }
    void RefreshAllParts() override { ++refreshes; }
    void PrintTestSheet(const PaperTestSheet& sheet) override { testSheets.push_back(sheet); }
    CString Units() const override { return units; }
    void SetUnits(const CString& value) override { units = value; }
    SIZE ScreenDpi() const override { return SIZE{96, 96}; }
    void PaintPreviewBackground(HDC dc, const RECT& rect) override
    {
        ::FillRect(dc, &rect, static_cast<HBRUSH>(::GetStockObject(GRAY_BRUSH)));
    }
    int AskUser(LPCSTR text, int, LPCSTR) override
    {
        questions.emplace_back(text);
        return answer;
    }
    void EnableNewAndOpen(bool enable) override { newAndOpenEnabled = enable; }

    void Add(int kind, const char* name)
    {
        auto paper = std::make_unique<CLabelDim>(kind == 0 ? CLabelDim::GenericDiscLabels() : CLabelDim::PlainPaper());
        paper->m_strName = name;
        store.templates.push_back(std::move(paper));
    }
    std::vector<std::string> Names() const
    {
        std::vector<std::string> names;
        for (const auto& paper : store.templates)
            names.emplace_back(static_cast<LPCSTR>(paper->m_strName));
        return names;
    }

    LabelTemplateList store;
    std::vector<BYTE> written;
    int saves = 0;
    int refreshes = 0;
    std::vector<PaperTestSheet> testSheets;
    int answer = 1;
    CString units = "Inches";
    std::vector<std::string> questions;
    bool newAndOpenEnabled = true;
};

// Runs each step on the visible dialog of this thread whose caption is the
// step's, one step per tick of a 20 ms timer. A dialog left open by the steps
// is closed after two seconds, and the driver says so.
class PaperDialogDriver
{
public:
    struct Step
    {
        std::string caption;
        std::function<void(HWND)> action;
    };

    explicit PaperDialogDriver(std::vector<Step> steps) : m_steps(std::move(steps)) {}

    template <class F>
    auto Run(F&& showModal)
    {
        s_current = this;
        const UINT_PTR timer = ::SetTimer(nullptr, 0, 20, &PaperDialogDriver::Tick);
        auto result = showModal();
        ::KillTimer(nullptr, timer);
        s_current = nullptr;
        return result;
    }
    bool AllStepsRun() const { return m_next == m_steps.size(); }
    static constexpr int kStepTimeoutTicks = 500;  // 10 s at 20 ms a tick
    bool ClosedByDriver() const { return m_closedByDriver; }

private:
    struct Search
    {
        const std::string* caption;
        HWND found;
    };
    static BOOL CALLBACK Match(HWND window, LPARAM param)
    {
        auto* search = reinterpret_cast<Search*>(param);
        char className[16] = {};
        char caption[160] = {};
        ::GetClassNameA(window, className, sizeof className);
        ::GetWindowTextA(window, caption, sizeof caption);
        if (std::string(className) == "#32770" && ::IsWindowVisible(window) &&
            (!search->caption || *search->caption == caption))
        {
            search->found = window;
            return FALSE;
        }
        return TRUE;
    }
    static HWND Find(const std::string* caption)
    {
        Search search{caption, nullptr};
        ::EnumThreadWindows(::GetCurrentThreadId(), &PaperDialogDriver::Match, reinterpret_cast<LPARAM>(&search));
        return search.found;
    }
    static void CALLBACK Tick(HWND, UINT, UINT_PTR, DWORD)
    {
        PaperDialogDriver* self = s_current;
        if (!self || self->m_busy)
            return;
        if (self->m_next < self->m_steps.size())
        {
            const Step& step = self->m_steps[self->m_next];
            if (HWND dialog = Find(&step.caption))
            {
                ++self->m_next;
                self->m_waited = 0;
                self->m_busy = true;  // a step may open a nested modal loop
                step.action(dialog);
                self->m_busy = false;
            }
            else if (++self->m_waited > kStepTimeoutTicks)
            {
                // The step's dialog never came: the rest is given up and what is open closed.
                ADD_FAILURE() << "no dialog \"" << step.caption << "\" came";
                self->m_next = self->m_steps.size() + 1;
            }
            return;
        }
        if (++self->m_ticksAfter > 100)
        {
            if (HWND dialog = Find(nullptr))
            {
                self->m_closedByDriver = true;
                ::PostMessageA(dialog, WM_CLOSE, 0, 0);
            }
        }
    }

    static inline PaperDialogDriver* s_current = nullptr;
    std::vector<Step> m_steps;
    size_t m_next = 0;
    int m_waited = 0;
    int m_ticksAfter = 0;
    bool m_busy = false;
    bool m_closedByDriver = false;
};

// ---- working controls as a user would ------------------------------------------------

inline void ClickButton(HWND dialog, int id)
{
    ::SendMessageA(::GetDlgItem(dialog, id), BM_CLICK, 0, 0);
}
// Posted, for a button whose handler opens a modal dialog of its own.
inline void PostClick(HWND dialog, int id)
{
    ::PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(::GetDlgItem(dialog, id)));
}
inline void ChooseListEntry(HWND dialog, int id, int entry)
{
    HWND list = ::GetDlgItem(dialog, id);
    ::SendMessageA(list, LB_SETCURSEL, static_cast<WPARAM>(entry), 0);
    ::SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(id, LBN_SELCHANGE), reinterpret_cast<LPARAM>(list));
}
inline void ChooseComboEntry(HWND dialog, int id, int entry)
{
    HWND combo = ::GetDlgItem(dialog, id);
    ::SendMessageA(combo, CB_SETCURSEL, static_cast<WPARAM>(entry), 0);
    ::SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(id, CBN_SELCHANGE), reinterpret_cast<LPARAM>(combo));
}
// Types into an edit and leaves it.
inline void TypeAndLeave(HWND dialog, int id, const char* text)
{
    HWND edit = ::GetDlgItem(dialog, id);
    ::SetWindowTextA(edit, text);
    ::SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(id, EN_KILLFOCUS), reinterpret_cast<LPARAM>(edit));
}
inline void Spin(HWND dialog, int spinId, int delta)
{
    NMUPDOWN change{};
    change.hdr.hwndFrom = ::GetDlgItem(dialog, spinId);
    change.hdr.idFrom = static_cast<UINT_PTR>(spinId);
    change.hdr.code = UDN_DELTAPOS;
    change.iDelta = delta;
    ::SendMessageA(dialog, WM_NOTIFY, static_cast<WPARAM>(spinId), reinterpret_cast<LPARAM>(&change));
}
inline std::string ControlText(HWND dialog, int id)
{
    char text[256] = {};
    ::GetDlgItemTextA(dialog, id, text, sizeof text);
    return text;
}
inline std::string WindowCaption(HWND window)
{
    char text[256] = {};
    ::GetWindowTextA(window, text, sizeof text);
    return text;
}
inline int ListCount(HWND dialog, int id)
{
    return static_cast<int>(::SendDlgItemMessageA(dialog, id, LB_GETCOUNT, 0, 0));
}
inline int ListSelection(HWND dialog, int id)
{
    return static_cast<int>(::SendDlgItemMessageA(dialog, id, LB_GETCURSEL, 0, 0));
}
inline std::string ListText(HWND dialog, int id, int entry)
{
    char text[256] = {};
    ::SendDlgItemMessageA(dialog, id, LB_GETTEXT, static_cast<WPARAM>(entry), reinterpret_cast<LPARAM>(text));
    return text;
}
