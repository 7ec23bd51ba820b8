// CWnd on real windows: creation, the objects' lifetimes, handlers and their
// defaults, timers, subclassing, commands and notifications of child controls.
#include "WindowTestUtil.h"

#include "framework/CmdTarget.h"
#include "framework/Wnd.h"

#include <gtest/gtest.h>

#include <commctrl.h>

#include <stdexcept>
#include <string>
#include <vector>

namespace {

HWND CreateTopLevel(CWnd& window, const char* title = "Test")
{
    if (!window.CreateEx(0, nullptr, title, WS_OVERLAPPEDWINDOW, 0, 0, 300, 200, nullptr, nullptr))
        return nullptr;
    return window.GetSafeHwnd();
}

class CTimerWnd : public CWnd {
public:
    int m_ticks = 0;
    UINT_PTR m_lastId = 0;

protected:
    void OnTimer(UINT_PTR id) override
    {
        ++m_ticks;
        m_lastId = id;
        if (m_ticks == 3)
            KillTimer(id);
    }
};

TEST(Window, TimerTicksUntilKilled)
{
    CTimerWnd window;
    ASSERT_NE(CreateTopLevel(window), nullptr);
    ASSERT_NE(window.SetTimer(7, 10), 0u);
    EXPECT_TRUE(window_test::PumpUntil([&] { return window.m_ticks >= 3; }));
    EXPECT_EQ(window.m_lastId, 7u);
    window_test::PumpUntil([] { return false; }, 100);
    EXPECT_EQ(window.m_ticks, 3);
}

class CThrowingWnd : public CWnd {
public:
    bool m_throwOnCreate = false;

protected:
    int OnCreate(LPCREATESTRUCTA cs) override
    {
        if (m_throwOnCreate)
            throw std::runtime_error("create");
        return CWnd::OnCreate(cs);
    }
    void OnLButtonDown(UINT, POINT) override { throw std::runtime_error("click"); }
};

TEST(Window, ExceptionNeverLeavesTheWindowProcedure)
{
    CThrowingWnd window;
    ASSERT_NE(CreateTopLevel(window), nullptr);
    EXPECT_EQ(window.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5)), 0);
    EXPECT_TRUE(window.IsWindow());

    // Failing in OnCreate fails the creation instead of leaving half a window.
    CThrowingWnd failing;
    failing.m_throwOnCreate = true;
    EXPECT_FALSE(failing.CreateEx(0, nullptr, "Failing", WS_OVERLAPPEDWINDOW, 0, 0, 100, 100, nullptr, nullptr));
    EXPECT_EQ(failing.GetSafeHwnd(), nullptr);
}

class CLifetimeWnd : public CWnd {
public:
    explicit CLifetimeWnd(bool* deleted) : m_deleted(deleted) {}
    ~CLifetimeWnd() override
    {
        if (m_deleted)
            *m_deleted = true;
    }
    bool m_selfDeleting = false;

protected:
    void PostNcDestroy() override
    {
        if (m_selfDeleting)
            delete this;
    }

private:
    bool* m_deleted;
};

TEST(Window, ObjectAndWindowGoTogether)
{
    // The object's end destroys a window it created.
    HWND window = nullptr;
    {
        CLifetimeWnd object(nullptr);
        window = CreateTopLevel(object);
        ASSERT_NE(window, nullptr);
        EXPECT_EQ(CWnd::FromHandlePermanent(window), &object);
    }
    EXPECT_FALSE(::IsWindow(window));
    EXPECT_EQ(CWnd::FromHandlePermanent(window), nullptr);

    // A self-deleting object goes with its window.
    bool deleted = false;
    auto* selfDeleting = new CLifetimeWnd(&deleted);
    selfDeleting->m_selfDeleting = true;
    window = CreateTopLevel(*selfDeleting);
    ASSERT_NE(window, nullptr);
    ::DestroyWindow(window);
    EXPECT_TRUE(deleted);
    EXPECT_EQ(CWnd::FromHandlePermanent(window), nullptr);
}

class CCloseWnd : public CWnd {
public:
    bool m_passOn = false;
    int m_closes = 0;

protected:
    void OnClose() override
    {
        ++m_closes;
        if (m_passOn)
            Default();  // the default procedure destroys the window
    }
};

TEST(Window, DefaultRunsTheOriginalBehaviour)
{
    CCloseWnd window;
    ASSERT_NE(CreateTopLevel(window), nullptr);
    window.SendMessage(WM_CLOSE);
    EXPECT_TRUE(window.IsWindow());
    window.m_passOn = true;
    window.SendMessage(WM_CLOSE);
    EXPECT_EQ(window.m_closes, 2);
    EXPECT_EQ(window.GetSafeHwnd(), nullptr);
}

class CCustomMessageWnd : public CWnd {
public:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        if (message == WM_APP + 1)
            return static_cast<LRESULT>(wParam * 2);
        return CWnd::WindowProc(message, wParam, lParam);
    }
};

TEST(Window, DerivedWindowProcHandlesAnyMessage)
{
    CCustomMessageWnd window;
    ASSERT_NE(CreateTopLevel(window), nullptr);
    EXPECT_EQ(window.SendMessage(WM_APP + 1, 21), 42);
    EXPECT_EQ(window.SendMessage(WM_GETTEXTLENGTH), 4);  // "Test", through the default procedure
}

class CCountingWnd : public CWnd {
public:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        if (message == WM_SETTEXT)
            ++m_texts;
        return CWnd::WindowProc(message, wParam, lParam);
    }
    int m_texts = 0;
};

TEST(Window, SubclassingRoutesAnExistingWindowAndUnsubclassingGivesItBack)
{
    HWND edit = ::CreateWindowExA(0, "EDIT", "", WS_OVERLAPPED, 0, 0, 100, 20, nullptr, nullptr,
                                  ::GetModuleHandleA(nullptr), nullptr);
    ASSERT_NE(edit, nullptr);
    const LONG_PTR original = ::GetWindowLongPtrA(edit, GWLP_WNDPROC);
    {
        CCountingWnd wrapper;
        ASSERT_TRUE(wrapper.SubclassWindow(edit));
        EXPECT_EQ(CWnd::FromHandlePermanent(edit), &wrapper);
        EXPECT_FALSE(CCountingWnd().SubclassWindow(edit)) << "a window has one object";
        ::SetWindowTextA(edit, "abc");
        EXPECT_EQ(wrapper.m_texts, 1);
        char text[16] = {};
        ::GetWindowTextA(edit, text, sizeof(text));
        EXPECT_STREQ(text, "abc");  // the control still does its own work

        EXPECT_EQ(wrapper.UnsubclassWindow(), edit);
        EXPECT_EQ(::GetWindowLongPtrA(edit, GWLP_WNDPROC), original);
        ::SetWindowTextA(edit, "def");
        EXPECT_EQ(wrapper.m_texts, 1);
    }
    // Subclassed, the object leaves the window alive when it goes.
    {
        CCountingWnd wrapper;
        ASSERT_TRUE(wrapper.SubclassWindow(edit));
    }
    EXPECT_TRUE(::IsWindow(edit));
    EXPECT_EQ(::GetWindowLongPtrA(edit, GWLP_WNDPROC), original);
    EXPECT_EQ(CWnd::FromHandlePermanent(edit), nullptr);
    ::DestroyWindow(edit);
}

TEST(Window, FromHandleWrapsForeignWindowsUntilTheTemporariesGo)
{
    HWND raw = ::CreateWindowExA(0, "STATIC", "raw", WS_OVERLAPPED, 0, 0, 10, 10, nullptr, nullptr,
                                 ::GetModuleHandleA(nullptr), nullptr);
    ASSERT_NE(raw, nullptr);
    EXPECT_EQ(CWnd::FromHandlePermanent(raw), nullptr);
    CWnd* temporary = CWnd::FromHandle(raw);
    ASSERT_NE(temporary, nullptr);
    EXPECT_EQ(temporary->GetSafeHwnd(), raw);
    EXPECT_EQ(CWnd::FromHandle(raw), temporary);
    CString text;
    temporary->GetWindowText(text);
    EXPECT_STREQ(text, "raw");
    CWnd::DeleteTempMap();
    EXPECT_TRUE(::IsWindow(raw)) << "a temporary never owns its window";
    EXPECT_EQ(CWnd::FromHandle(nullptr), nullptr);
    ::DestroyWindow(raw);
}

constexpr UINT kEditId = 101;
constexpr UINT kButtonId = 102;
constexpr UINT kCommandId = 40100;

class CControlsWnd : public CWnd {
    DECLARE_COMMAND_MAP()

public:
    std::vector<std::string> m_calls;

private:
    void OnCommand40100() { m_calls.push_back("command"); }
    void OnEditChanged() { m_calls.push_back("edit changed"); }
    void OnButton(UINT id) { m_calls.push_back("button " + std::to_string(id)); }
    void OnCustomNotify(NMHDR* header, LRESULT* result)
    {
        m_calls.push_back("notify " + std::to_string(header->idFrom));
        *result = 99;
    }
};
BEGIN_COMMAND_MAP(CControlsWnd, CWnd)
    ON_CMD(kCommandId, OnCommand40100)
    ON_CTL(EN_CHANGE, kEditId, OnEditChanged)
    ON_CMD_RANGE(kButtonId, kButtonId + 5, OnButton)
    ON_NOTIFY_CODE(NM_CLICK, kButtonId, OnCustomNotify)
END_COMMAND_MAP()

// A control that takes its own notifications back from its parent.
class CSelfHandlingEdit : public CWnd {
public:
    int m_reflected = 0;

protected:
    BOOL OnChildNotify(UINT message, WPARAM wParam, LPARAM, LRESULT* result) override
    {
        if (message != WM_COMMAND || HIWORD(wParam) != EN_CHANGE)
            return FALSE;
        ++m_reflected;
        *result = 0;
        return TRUE;
    }
};

TEST(Window, ControlNotificationsAndCommandsReachTheirHandlers)
{
    CControlsWnd parent;
    ASSERT_NE(CreateTopLevel(parent), nullptr);
    HWND edit = ::CreateWindowExA(0, "EDIT", "", WS_CHILD | WS_VISIBLE, 0, 0, 100, 20, parent.GetSafeHwnd(),
                                  reinterpret_cast<HMENU>(static_cast<UINT_PTR>(kEditId)),
                                  ::GetModuleHandleA(nullptr), nullptr);
    HWND button = ::CreateWindowExA(0, "BUTTON", "Press", WS_CHILD | WS_VISIBLE | BS_PUSHBUTTON, 0, 30, 100, 20,
                                    parent.GetSafeHwnd(), reinterpret_cast<HMENU>(static_cast<UINT_PTR>(kButtonId + 2)),
                                    ::GetModuleHandleA(nullptr), nullptr);
    ASSERT_NE(edit, nullptr);
    ASSERT_NE(button, nullptr);

    parent.SendMessage(WM_COMMAND, MAKEWPARAM(kCommandId, 0), 0);
    ::SetWindowTextA(edit, "x");  // EN_CHANGE to the parent
    ::SendMessageA(button, BM_CLICK, 0, 0);
    NMHDR header{button, kButtonId, static_cast<UINT>(NM_CLICK)};
    const LRESULT notifyResult = parent.SendMessage(WM_NOTIFY, kButtonId, reinterpret_cast<LPARAM>(&header));
    EXPECT_EQ(notifyResult, 99);
    EXPECT_EQ(parent.m_calls, (std::vector<std::string>{"command", "edit changed",
                                                        "button " + std::to_string(kButtonId + 2),
                                                        "notify " + std::to_string(kButtonId)}));

    // A bound control that handles its own notification keeps it from the parent.
    CSelfHandlingEdit selfHandling;
    ASSERT_TRUE(selfHandling.SubclassWindow(edit));
    parent.m_calls.clear();
    ::SetWindowTextA(edit, "y");
    EXPECT_EQ(selfHandling.m_reflected, 1);
    EXPECT_TRUE(parent.m_calls.empty());
}

TEST(Window, WindowTextAndPlacementRoundTrip)
{
    CWnd window;
    ASSERT_NE(CreateTopLevel(window), nullptr);
    window.SetWindowText("A longer title than the first");
    CString text;
    window.GetWindowText(text);
    EXPECT_STREQ(text, "A longer title than the first");

    WINDOWPLACEMENT placement{};
    ASSERT_TRUE(window.GetWindowPlacement(&placement));
    placement.rcNormalPosition = RECT{10, 20, 210, 170};
    placement.showCmd = SW_SHOWNORMAL;
    ASSERT_TRUE(window.SetWindowPlacement(&placement));
    WINDOWPLACEMENT back{};
    ASSERT_TRUE(window.GetWindowPlacement(&back));
    EXPECT_EQ(back.rcNormalPosition.left, 10);
    EXPECT_EQ(back.rcNormalPosition.bottom, 170);
}

}  // namespace
