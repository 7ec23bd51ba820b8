// Dialogs from the test resources: a modal one driven by a timer the way a
// user would (typing, clicking, pressing Escape), and a modeless one.
#include "WindowTestIds.h"
#include "WindowTestUtil.h"

#include "framework/Dialog.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

class CModalTestDialog : public CDialog {
    DECLARE_COMMAND_MAP()

public:
    explicit CModalTestDialog(CWnd* parent = nullptr) : CDialog(IDD_TEST_MODAL, parent) {}

    BOOL OnInitDialog() override
    {
        CDialog::OnInitDialog();
        ++m_initCalls;
        SetDlgItemText(IDC_TEST_EDIT, "start");
        if (m_endWhileStarting)
            EndDialog(77);
        return TRUE;
    }
    void OnOK() override
    {
        GetDlgItemText(IDC_TEST_EDIT, m_okText);
        CDialog::OnOK();
    }

    int m_initCalls = 0;
    bool m_endWhileStarting = false;
    CString m_okText;

private:
    void OnOther() { EndDialog(IDC_TEST_OTHER); }
};
BEGIN_COMMAND_MAP(CModalTestDialog, CDialog)
    ON_CMD(IDC_TEST_OTHER, OnOther)
END_COMMAND_MAP()

// What the timer does to the dialog once it is up.
struct Driver {
    enum class Action { Click, Escape };
    Action action = Action::Click;
    int button = IDOK;
    const char* text = nullptr;
    HWND owner = nullptr;
    bool ownerWasEnabled = true;
    bool acted = false;
};
Driver g_driver;

HWND FindThreadWindow(const char* title)
{
    struct Search {
        const char* title;
        HWND found;
    } search{title, nullptr};
    ::EnumThreadWindows(
        ::GetCurrentThreadId(),
        [](HWND window, LPARAM param) -> BOOL {
            auto* s = reinterpret_cast<Search*>(param);
            char text[128] = {};
            ::GetWindowTextA(window, text, sizeof(text));
            if (std::string(text) == s->title && ::IsWindowVisible(window)) {
                s->found = window;
                return FALSE;
            }
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&search));
    return search.found;
}

void CALLBACK DriveDialog(HWND, UINT, UINT_PTR timer, DWORD)
{
    HWND dialog = FindThreadWindow("Framework Modal Test");
    if (!dialog || g_driver.acted)
        return;
    ::KillTimer(nullptr, timer);
    g_driver.acted = true;
    if (g_driver.owner)
        g_driver.ownerWasEnabled = ::IsWindowEnabled(g_driver.owner) != FALSE;
    if (g_driver.text)
        ::SetDlgItemTextA(dialog, IDC_TEST_EDIT, g_driver.text);
    if (g_driver.action == Driver::Action::Click) {
        ::SendMessageA(::GetDlgItem(dialog, g_driver.button), BM_CLICK, 0, 0);
    } else {
        // Through the queue, so the dialog's own key handling sees it.
        HWND edit = ::GetDlgItem(dialog, IDC_TEST_EDIT);
        ::SetFocus(edit);
        ::PostMessageA(edit, WM_KEYDOWN, VK_ESCAPE, 0x00010001);
    }
}

class OwnerWindow : public CWnd {};

TEST(ModalDialog, ReturnsTheButtonThatEndedIt)
{
    struct Case {
        Driver::Action action;
        int button;
        INT_PTR expected;
        const char* okText;
    };
    const Case cases[] = {
        {Driver::Action::Click, IDOK, IDOK, "typed"},
        {Driver::Action::Click, IDCANCEL, IDCANCEL, ""},
        {Driver::Action::Click, IDC_TEST_OTHER, IDC_TEST_OTHER, ""},
        {Driver::Action::Escape, 0, IDCANCEL, ""},
    };
    OwnerWindow owner;
    ASSERT_TRUE(owner.CreateEx(0, nullptr, "Owner", WS_OVERLAPPEDWINDOW, 0, 0, 300, 200, nullptr, nullptr));
    for (const Case& c : cases) {
        g_driver = Driver();
        g_driver.action = c.action;
        g_driver.button = c.button;
        g_driver.text = "typed";
        g_driver.owner = owner.GetSafeHwnd();
        const UINT_PTR timer = ::SetTimer(nullptr, 0, 20, DriveDialog);
        ASSERT_NE(timer, 0u);

        CModalTestDialog dialog(&owner);
        const INT_PTR result = dialog.DoModal();
        ::KillTimer(nullptr, timer);

        EXPECT_TRUE(g_driver.acted);
        EXPECT_EQ(result, c.expected) << "button " << c.button;
        EXPECT_EQ(dialog.m_initCalls, 1);
        EXPECT_STREQ(dialog.m_okText, c.okText);
        EXPECT_FALSE(g_driver.ownerWasEnabled) << "the owner is disabled while the dialog runs";
        EXPECT_TRUE(owner.IsWindowEnabled());
        EXPECT_EQ(dialog.GetSafeHwnd(), nullptr);
    }
}

TEST(ModalDialog, EndedWhileStartingReturnsAtOnce)
{
    CModalTestDialog dialog;
    dialog.m_endWhileStarting = true;
    EXPECT_EQ(dialog.DoModal(), 77);
    EXPECT_EQ(dialog.m_initCalls, 1);
}

TEST(ModalDialog, MissingTemplateFails)
{
    CDialog dialog(64999);
    EXPECT_EQ(dialog.DoModal(), -1);
}

// Counts the texts set on the control it subclasses; the control's own
// procedure still stores them.
class CCountingEdit : public CWnd {
public:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        if (message == WM_SETTEXT)
            ++m_texts;
        return CWnd::WindowProc(message, wParam, lParam);
    }
    int m_texts = 0;
};

class CModelessTestDialog : public CDialog {
public:
    BOOL OnInitDialog() override
    {
        CDialog::OnInitDialog();
        m_seen.push_back(WM_INITDIALOG);
        m_subclassed = m_edit.SubclassDlgItem(IDC_TEST_EDIT, this) != FALSE;
        return TRUE;
    }
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        if (message == WM_NCCREATE || message == WM_CREATE)
            m_seen.push_back(message);
        return CDialog::WindowProc(message, wParam, lParam);
    }
    void OnOK() override { ++m_okCount; }

    std::vector<UINT> m_seen;
    bool m_subclassed = false;
    int m_okCount = 0;
    CCountingEdit m_edit;
};

TEST(ModelessDialog, IsRoutedFromItsCreationAndGoesWithItsObject)
{
    HWND window = nullptr;
    HWND edit = nullptr;
    {
        CModelessTestDialog dialog;
        ASSERT_TRUE(dialog.Create(IDD_TEST_MODELESS));
        window = dialog.GetSafeHwnd();
        ASSERT_TRUE(::IsWindow(window));
        EXPECT_EQ(CWnd::FromHandlePermanent(window), &dialog);
        EXPECT_FALSE(dialog.IsModal());
        // Messages before WM_INITDIALOG reach the object too.
        EXPECT_EQ(dialog.m_seen, (std::vector<UINT>{WM_NCCREATE, WM_CREATE, WM_INITDIALOG}));

        ASSERT_TRUE(dialog.m_subclassed);
        edit = dialog.GetDlgItemHandle(IDC_TEST_EDIT);
        dialog.SetDlgItemText(IDC_TEST_EDIT, "hello");
        EXPECT_EQ(dialog.m_edit.m_texts, 1);
        CString text;
        dialog.GetDlgItemText(IDC_TEST_EDIT, text);
        EXPECT_STREQ(text, "hello");

        // Enter in the dialog's edit is the dialog's OK, through the dialog keys.
        MSG msg{};
        msg.hwnd = edit;
        msg.message = WM_KEYDOWN;
        msg.wParam = VK_RETURN;
        msg.lParam = 0x001C0001;
        EXPECT_TRUE(dialog.PreTranslateMessage(&msg));
        window_test::PumpPending();
        EXPECT_EQ(dialog.m_okCount, 1);
    }
    EXPECT_FALSE(::IsWindow(window));
    EXPECT_FALSE(::IsWindow(edit));
    EXPECT_EQ(CWnd::FromHandlePermanent(window), nullptr);
    EXPECT_EQ(CWnd::FromHandlePermanent(edit), nullptr);
}

TEST(ModelessDialog, EndDialogHidesIt)
{
    CModelessTestDialog dialog;
    ASSERT_TRUE(dialog.Create(IDD_TEST_MODELESS));
    dialog.ShowWindow(SW_SHOW);
    ASSERT_TRUE(dialog.IsWindowVisible());
    dialog.EndDialog(IDOK);
    EXPECT_FALSE(dialog.IsWindowVisible());
    EXPECT_TRUE(dialog.IsWindow());
}

}  // namespace
