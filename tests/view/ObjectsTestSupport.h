#pragma once
// A label view in a real window, showing a new layout made from the built-in
// papers at zoom 10, and the helpers that answer the dialogs its commands open.
#include "app/Quorbel6App.h"
#include "document/AppSettings.h"
#include "framework/Conversions.h"
#include "framework/ErrorReport.h"
#include "framework/Wnd.h"
#include "label/LabelRows.h"
#include "resources/resource.h"
#include "view/Quorbel6View.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <functional>
#include <string>
#include <vector>

// Runs `answer` for each top-level dialog of this thread right after its
// WM_INITDIALOG; the program's message boxes are answered with their first
// button and their texts noted.
class DialogAnswers
{
public:
    using Answer = std::function<void(HWND dialog)>;

    explicit DialogAnswers(Answer answer = {}) : m_answer(std::move(answer))
    {
        s_current = this;
        m_hook = ::SetWindowsHookExA(WH_CALLWNDPROCRET, &DialogAnswers::Hook, nullptr, ::GetCurrentThreadId());
    }
    ~DialogAnswers()
    {
        ::UnhookWindowsHookEx(m_hook);
        s_current = nullptr;
    }
    DialogAnswers(const DialogAnswers&) = delete;
    DialogAnswers& operator=(const DialogAnswers&) = delete;

    const std::vector<std::string>& MessageTexts() const { return m_texts; }
    int OtherDialogs() const { return m_others; }

private:
    static LRESULT CALLBACK Hook(int code, WPARAM wParam, LPARAM lParam)
    {
        const auto* message = reinterpret_cast<const CWPRETSTRUCT*>(lParam);
        if (code == HC_ACTION && s_current && message->message == WM_INITDIALOG)
            s_current->Respond(message->hwnd);
        return ::CallNextHookEx(nullptr, code, wParam, lParam);
    }
    void Respond(HWND dialog)
    {
        if (HWND text = ::GetDlgItem(dialog, IDC_MESSAGE_TEXT)) {
            char buffer[1024] = {};
            ::GetWindowTextA(text, buffer, sizeof buffer);
            m_texts.push_back(buffer);
            ::PostMessageA(::GetDlgItem(dialog, IDC_MESSAGE_BUTTON1), BM_CLICK, 0, 0);
            return;
        }
        if (::GetWindowLongA(dialog, GWL_STYLE) & WS_CHILD)
            return;
        ++m_others;
        if (m_answer)
            m_answer(dialog);
        else
            ::PostMessageA(dialog, WM_COMMAND, IDCANCEL, 0);
    }

    static inline DialogAnswers* s_current = nullptr;
    Answer m_answer;
    std::vector<std::string> m_texts;
    int m_others = 0;
    HHOOK m_hook = nullptr;
};

// Chooses a disc in the disc question and presses OK.
inline DialogAnswers::Answer ChooseDisc(int disc)
{
    return [disc](HWND dialog) {
        ::SendMessageA(::GetDlgItem(dialog, IDC_DISC_CHOICE_DISC1), BM_SETCHECK, disc == 1 ? BST_CHECKED : 0, 0);
        ::SendMessageA(::GetDlgItem(dialog, IDC_DISC_CHOICE_DISC2), BM_SETCHECK, disc == 2 ? BST_CHECKED : 0, 0);
        ::PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
    };
}

// Types a file name into the open-file dialog and presses its OK button.
inline DialogAnswers::Answer ChooseFile(const std::string& path)
{
    std::string windowsPath = path;
    for (char& ch : windowsPath)
        if (ch == '/')
            ch = '\\';
    return [path = windowsPath](HWND dialog) {
        constexpr int kFileNameCombo = 0x47c;
        constexpr int kFileNameEdit = 0x480;
        if (HWND combo = ::GetDlgItem(dialog, kFileNameCombo))
            ::SetWindowTextA(combo, path.c_str());
        if (HWND edit = ::GetDlgItem(dialog, kFileNameEdit))
            ::SetWindowTextA(edit, path.c_str());
        ::PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
    };
}

class ObjectsOnLabelTest : public ::testing::Test
{
protected:
    void MakeLabel(const char* layout)
    {
        ASSERT_TRUE(m_parent.CreateEx(0, nullptr, "Label", WS_OVERLAPPEDWINDOW, 0, 0, 1000, 800, nullptr, nullptr));
        m_view.m_bAutoDelete = false;
        ASSERT_TRUE(m_view.Create(nullptr, nullptr, WS_CHILD | WS_VISIBLE, RECT{0, 0, 960, 740}, &m_parent, 1));
        m_view.AttachAppSettings(&m_settings);
        m_view.PrepareBitmaps();
        m_view.LoadLabelTemplates();
        m_view.Model().Shown().layout = layout;
        m_view.CreateSurfaceProperties();
        m_view.LoadLayoutGeometry();
        Show("Front Cover");
    }

    void TearDown() override
    {
        if (m_view.m_hWnd)
            m_view.DestroyWindow();
        if (m_parent.m_hWnd)
            m_parent.DestroyWindow();
    }

    void Show(const char* surface) { m_view.ShowSurface(surface); }

    // Sends a menu command to the view, as the menu does.
    void Command(UINT id) { ::SendMessageA(m_view.m_hWnd, WM_COMMAND, MAKEWPARAM(id, 0), 0); }

    // Where the context menu would place an insertion centred on a label point.
    void InsertAt(POINT labelPoint, const char* part)
    {
        const POINT screen = m_view.DocToScreenPoint(labelPoint);
        m_view.m_rectInsertion = RECT{screen.x - 8, screen.y - 8, screen.x + 8, screen.y + 8};
        m_view.m_strCurrentPart = part;
        POINT client = screen;
        ::ScreenToClient(m_view.m_hWnd, &client);
        m_view.m_ptLastClick = client;
    }

    // An object's box in thousandths of an inch.
    RECT BoxOf(const CString& name) const
    {
        const auto length = [&](const char* key) { return LabelRows::ReadLength(Value(name, key)); };
        return RECT{length("Left"), length("Top"), length("Left") + length("Width"),
                    length("Top") + length("Height")};
    }
    CString Value(const CString& name, const char* key) const { return m_view.GetPropertyValue(name, key); }
    CString Choices(const CString& name, const char* key) const
    {
        const int row = m_view.FindPropertyRow(name, key);
        return row < 0 ? CString("<none>") : m_view.Model().Row(row).m_strChoices;
    }
    int ObjectCount() const
    {
        int count = 0;
        for (int row = 0; row < m_view.Model().RowCount(); row = m_view.NextObjectRow(row))
            ++count;
        return count;
    }

    // The program's message box takes its text from the application object.
    CQuorbel6App m_app;
    std::vector<int> m_errors;
    ScopedErrorReportHook m_hook{[this](const ErrorReport& report) { m_errors.push_back(report.number); }};
    CAppSettings m_settings;
    CWnd m_parent;
    CQuorbel6View m_view;
};
