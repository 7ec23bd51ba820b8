#pragma once
// Drives the print dialog while it runs modally: a timer of the test's thread
// finds the dialog by its caption and acts on it as the user does.
#include "resources/resource.h"

#include <windows.h>

#include <functional>
#include <string>

// Finds the dialog of this thread with the caption and runs `act` on it once.
class DialogDriver
{
public:
    DialogDriver(const char* caption, std::function<void(HWND)> act) : m_caption(caption), m_act(std::move(act))
    {
        s_current = this;
        m_timer = ::SetTimer(nullptr, 0, 50, &DialogDriver::Tick);
    }
    ~DialogDriver()
    {
        ::KillTimer(nullptr, m_timer);
        s_current = nullptr;
    }
    bool Found() const { return m_done; }
    std::string Total() const { return m_total; }

private:
    static void CALLBACK Tick(HWND, UINT, UINT_PTR, DWORD)
    {
        DialogDriver* self = s_current;
        if (!self || self->m_done)
            return;
        HWND dialog = nullptr;
        struct Search
        {
            const std::string* caption;
            HWND* found;
        } search{&self->m_caption, &dialog};
        ::EnumThreadWindows(
            ::GetCurrentThreadId(),
            [](HWND window, LPARAM param) -> BOOL {
                auto* s = reinterpret_cast<Search*>(param);
                char text[128] = {};
                ::GetWindowTextA(window, text, sizeof text);
                if (*s->caption == text && ::GetDlgItem(window, IDC_PRINT_PARTS_GROUP)) {
                    *s->found = window;
                    return FALSE;
                }
                return TRUE;
            },
            reinterpret_cast<LPARAM>(&search));
        if (!dialog)
            return;
        self->m_done = true;
        self->m_act(dialog);
    }

    static inline DialogDriver* s_current = nullptr;
    std::string m_caption;
    std::function<void(HWND)> m_act;
    UINT_PTR m_timer = 0;
    bool m_done = false;
    std::string m_total;
};

// Whether a control is shown; the dialog itself may have no screen to be on.
inline bool Shown(HWND dialog, int id)
{
    return (::GetWindowLongA(::GetDlgItem(dialog, id), GWL_STYLE) & WS_VISIBLE) != 0;
}

inline std::string Text(HWND dialog, int id)
{
    char text[128] = {};
    ::GetDlgItemTextA(dialog, id, text, sizeof text);
    return text;
}

// Ticks or clears a part button the way a click does.
inline void Click(HWND dialog, int id)
{
    HWND button = ::GetDlgItem(dialog, id);
    const bool checked = ::SendMessageA(button, BM_GETCHECK, 0, 0) == BST_CHECKED;
    ::SendMessageA(button, BM_SETCHECK, checked ? BST_UNCHECKED : BST_CHECKED, 0);
    ::SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(button));
}

inline void Press(HWND dialog, int id)
{
    ::PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(::GetDlgItem(dialog, id)));
}
