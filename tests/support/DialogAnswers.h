#pragma once
// Answers the dialogs a command opens in the test's own thread: the program's
// message boxes, its small dialogs and the common file dialog.
#include "resources/resource.h"

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

// Runs `answer` for each top-level dialog of this thread right after its
// WM_INITDIALOG; the program's message boxes are answered with their first
// button (or the one chosen) and their texts and captions noted.
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
    const std::vector<std::string>& MessageCaptions() const { return m_captions; }
    // The button (1 to 3) that answers the program's message boxes from now on.
    void AnswerMessagesWith(int button) { m_button = button; }
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
            char caption[256] = {};
            ::GetWindowTextA(dialog, caption, sizeof caption);
            m_captions.push_back(caption);
            ::PostMessageA(::GetDlgItem(dialog, IDC_MESSAGE_BUTTON1 + m_button - 1), BM_CLICK, 0, 0);
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
    std::vector<std::string> m_captions;
    int m_button = 1;
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

// Answers the New Document dialog: a row of its list (0 single CD, 1 double CD),
// the default-template box, then OK.
inline DialogAnswers::Answer ChooseNewLabel(int row, bool fromTemplate)
{
    return [row, fromTemplate](HWND dialog) {
        ::SendDlgItemMessageA(dialog, IDC_NEW_DOCUMENT_LIST, LB_SETCURSEL, static_cast<WPARAM>(row), 0);
        ::SendDlgItemMessageA(dialog, IDC_NEW_DOCUMENT_DEFAULT, BM_SETCHECK, fromTemplate ? BST_CHECKED : BST_UNCHECKED,
                              0);
        ::PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
    };
}

// The file name a file dialog offers.
inline std::string OfferedFileName(HWND dialog)
{
    for (const int id : {0x47c, 0x480}) {  // the name's combo box, or its edit
        if (HWND field = ::GetDlgItem(dialog, id)) {
            char text[MAX_PATH] = {};
            ::GetWindowTextA(field, text, sizeof text);
            if (text[0])
                return text;
        }
    }
    return {};
}

// Types a file name into a file dialog and presses its OK button.
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
