#pragma once
// Drives the print dialog while it runs modally: a timer of the test's thread
// finds the dialog by its caption and acts on it as the user does.
#include "label/LabelDim.h"
#include "resources/resource.h"

#include <windows.h>

#include <commctrl.h>

#include <functional>
#include <string>
#include <vector>

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

// Ticks or clears a part button with a click of the mouse.
inline void Click(HWND dialog, int id)
{
    ::SendMessageA(::GetDlgItem(dialog, id), BM_CLICK, 0, 0);
}

inline void Press(HWND dialog, int id)
{
    ::PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(::GetDlgItem(dialog, id)));
}

// ---- the paper pages of the print dialog ----------------------------------------

// The paper page the tab shows; its pages are the tab control's children.
inline HWND ShownPaperPage(HWND dialog)
{
    HWND shown = nullptr;
    ::EnumChildWindows(
        ::GetDlgItem(dialog, IDC_PRINT_PAPER_TAB),
        [](HWND window, LPARAM param) -> BOOL {
            if (::GetDlgItem(window, IDC_PAPER_LIST) && (::GetWindowLongA(window, GWL_STYLE) & WS_VISIBLE)) {
                *reinterpret_cast<HWND*>(param) = window;
                return FALSE;
            }
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&shown));
    return shown;
}

// Chooses a tab as a click on it does, and returns the page it shows.
inline HWND ShowPaperTab(HWND dialog, int index)
{
    HWND tab = ::GetDlgItem(dialog, IDC_PRINT_PAPER_TAB);
    ::SendMessageA(tab, TCM_SETCURSEL, static_cast<WPARAM>(index), 0);
    NMHDR change{tab, IDC_PRINT_PAPER_TAB, static_cast<UINT>(TCN_SELCHANGE)};
    ::SendMessageA(dialog, WM_NOTIFY, IDC_PRINT_PAPER_TAB, reinterpret_cast<LPARAM>(&change));
    return ShownPaperPage(dialog);
}

// The papers a page's list offers: their names, and the store index of the one chosen.
inline std::vector<std::string> ListedPapers(HWND page)
{
    HWND list = ::GetDlgItem(page, IDC_PAPER_LIST);
    std::vector<std::string> names;
    const int count = static_cast<int>(::SendMessageA(list, CB_GETCOUNT, 0, 0));
    for (int item = 0; item < count; ++item) {
        char text[128] = {};
        ::SendMessageA(list, CB_GETLBTEXT, static_cast<WPARAM>(item), reinterpret_cast<LPARAM>(text));
        names.push_back(text);
    }
    return names;
}

inline int ChosenPaper(HWND page)
{
    HWND list = ::GetDlgItem(page, IDC_PAPER_LIST);
    const LRESULT item = ::SendMessageA(list, CB_GETCURSEL, 0, 0);
    return item < 0 ? -1 : static_cast<int>(::SendMessageA(list, CB_GETITEMDATA, static_cast<WPARAM>(item), 0));
}

// Picks the list entry of the paper with the store index, as the user does.
inline void ChoosePaper(HWND page, int templateIndex)
{
    HWND list = ::GetDlgItem(page, IDC_PAPER_LIST);
    const int count = static_cast<int>(::SendMessageA(list, CB_GETCOUNT, 0, 0));
    for (int item = 0; item < count; ++item) {
        if (::SendMessageA(list, CB_GETITEMDATA, static_cast<WPARAM>(item), 0) == templateIndex)
            ::SendMessageA(list, CB_SETCURSEL, static_cast<WPARAM>(item), 0);
    }
    ::SendMessageA(page, WM_COMMAND, MAKEWPARAM(IDC_PAPER_LIST, CBN_SELCHANGE), reinterpret_cast<LPARAM>(list));
}

inline void ChooseRadio(HWND page, int id)
{
    ::CheckRadioButton(page, IDC_PAPER_TOP, IDC_PAPER_DUPLICATE, id);
    ::SendMessageA(page, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(::GetDlgItem(page, id)));
}

// Where a point of a paper's first sheet (thousandths of an inch) lies in its
// preview button: the sheet fills the preview inside a one-pixel frame.
inline POINT PreviewPoint(HWND preview, const CLabelDim& paper, int x, int y)
{
    RECT box{};
    ::GetClientRect(preview, &box);
    const double across = box.right - 2, down = box.bottom - 2;
    return POINT{1 + static_cast<int>(x * across / paper.m_nSheetWidth1),
                 1 + static_cast<int>(y * down / paper.m_nSheetHeight1)};
}
