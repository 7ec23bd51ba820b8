// The program's message box run modally and driven from a timer: the result
// of each button with and without the check box, Escape and closing, the
// captions, icons and layout, and the save-changes prompt built on it.
#include "shell/AppMessageDlg.h"

#include "app/Quorbel6App.h"
#include "document/Quorbel6Doc.h"
#include "resource.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <string>
#include <vector>

namespace {

// Calls the action once the box is up, from a timer of the box's own modal loop.
class BoxDriver {
public:
    using Action = std::function<void(CAppMessageDlg&)>;

    static int Run(CAppMessageDlg& box, Action action)
    {
        BoxDriver driver{box, std::move(action)};
        s_current = &driver;
        const UINT_PTR timer = ::SetTimer(nullptr, 0, 20, &BoxDriver::Tick);
        const int result = static_cast<int>(box.DoModal());
        ::KillTimer(nullptr, timer);
        s_current = nullptr;
        return result;
    }

private:
    BoxDriver(CAppMessageDlg& box, Action action) : m_box(box), m_action(std::move(action)) {}

    static void CALLBACK Tick(HWND, UINT, UINT_PTR, DWORD)
    {
        BoxDriver* self = s_current;
        if (!self || !self->m_box.m_hWnd || !::IsWindowVisible(self->m_box.m_hWnd))
            return;
        if (!self->m_acted) {
            self->m_acted = true;
            self->m_action(self->m_box);
        } else if (++self->m_ticksAfter > 250) {
            ::PostMessageA(self->m_box.m_hWnd, WM_CLOSE, 0, 0);  // a test that forgot to end the box
        }
    }

    static BoxDriver* s_current;
    CAppMessageDlg& m_box;
    Action m_action;
    bool m_acted = false;
    int m_ticksAfter = 0;
};
BoxDriver* BoxDriver::s_current = nullptr;

HWND Item(CAppMessageDlg& box, int id)
{
    return ::GetDlgItem(box.m_hWnd, id);
}

void Press(CAppMessageDlg& box, int button)
{
    ::SendMessageA(Item(box, IDC_MESSAGE_BUTTON1 + button - 1), BM_CLICK, 0, 0);
}

void Tick(CAppMessageDlg& box)
{
    ::SendMessageA(Item(box, IDC_MESSAGE_DONT_SHOW), BM_CLICK, 0, 0);
}

void PressEscape(CAppMessageDlg& box)
{
    HWND focus = ::GetFocus();
    HWND target = focus && (focus == box.m_hWnd || ::IsChild(box.m_hWnd, focus)) ? focus : box.m_hWnd;
    ::PostMessageA(target, WM_KEYDOWN, VK_ESCAPE, 0);
    ::PostMessageA(target, WM_KEYUP, VK_ESCAPE, 0);
}

void CloseWindow(CAppMessageDlg& box)
{
    ::PostMessageA(box.m_hWnd, WM_CLOSE, 0, 0);
}

std::string TextOf(HWND window)
{
    char text[256] = {};
    ::GetWindowTextA(window, text, sizeof text);
    return text;
}

RECT RectIn(HWND parent, HWND child)
{
    RECT rect{};
    ::GetWindowRect(child, &rect);
    ::MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&rect), 2);
    return rect;
}

class MessageBoxTest : public ::testing::Test {
protected:
    void Request(LPCSTR text, int icon, LPCSTR buttons, BYTE checkBox = 0, LPCSTR caption = "")
    {
        app.m_strMessageText = text;
        app.m_nMessageIcon = icon;
        app.m_strMessageButtons = buttons;
        app.m_bMessageCheckBox = checkBox;
        app.m_strMessageCaption = caption;
    }
    int Run(BoxDriver::Action action)
    {
        CAppMessageDlg box;
        return BoxDriver::Run(box, std::move(action));
    }

    CQuorbel6App app;
};

}  // namespace

TEST_F(MessageBoxTest, EachButtonAnswersItsNumberAndThreeMoreWhenTicked)
{
    struct Case {
        const char* buttons;
        int button;
        BYTE offerCheckBox;
        bool tick;
        int expected;
    };
    const Case cases[] = {
        {"Yes`No`Cancel`", 1, 0, false, 1}, {"Yes`No`Cancel`", 2, 0, false, 2}, {"Yes`No`Cancel`", 3, 0, false, 3},
        {"Yes`No`Cancel`", 1, 1, true, 4},  {"Yes`No`Cancel`", 2, 1, true, 5},  {"Yes`No`Cancel`", 3, 1, true, 6},
        {"Yes`No`Cancel`", 2, 1, false, 2}, {"OK`", 1, 1, true, 4},             {"OK`", 1, 0, false, 1},
        // A box not offering the check box ignores it, ticked or not.
        {"Retry`Cancel`", 2, 0, true, 2},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.buttons << " button " << c.button << (c.tick ? " ticked" : ""));
        Request("Text", CAppMessageDlg::kIconExclamation, c.buttons, c.offerCheckBox);
        const int result = Run([&](CAppMessageDlg& box) {
            if (c.tick)
                Tick(box);
            Press(box, c.button);
        });
        EXPECT_EQ(result, c.expected);
        EXPECT_EQ(app.m_bMessageCheckBox, 0) << "the offer is reset when the box ends";
    }
}

TEST_F(MessageBoxTest, EscapeAndClosingAnswerTheCancelButton)
{
    struct Case {
        const char* buttons;
        bool escape;
        int expected;
    };
    const Case cases[] = {
        {"Yes`No`Cancel`", true, 3}, {"Yes`No`Cancel`", false, 3}, {"Retry`Cancel`", true, 2},
        {"Retry`Cancel`", false, 2}, {"OK`", true, 2},             {"Yes`No`", false, 2},
        {"OK", true, 2},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.buttons << (c.escape ? " Escape" : " close"));
        Request("Text", CAppMessageDlg::kIconStop, c.buttons, 1);
        const int result = Run([&](CAppMessageDlg& box) {
            Tick(box);
            if (c.escape)
                PressEscape(box);
            else
                CloseWindow(box);
        });
        EXPECT_EQ(result, c.expected) << "never more than 3: a cancel ignores the check box";
        EXPECT_EQ(app.m_bMessageCheckBox, 0);
    }
}

TEST_F(MessageBoxTest, ButtonsComeFromTheBacktickList)
{
    struct Case {
        const char* buttons;
        std::vector<std::string> shown;
    };
    const Case cases[] = {
        {"OK`", {"OK"}},
        {"Yes`No`", {"Yes", "No"}},
        {"Yes`No`Cancel`", {"Yes", "No", "Cancel"}},
        {"One`Two`Three`Four`", {"One", "Two", "Three"}},
        {"OK", {}},
        {"Yes`No", {"Yes"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.buttons);
        Request("Text", CAppMessageDlg::kIconInformation, c.buttons);
        std::vector<std::string> shown;
        Run([&](CAppMessageDlg& box) {
            for (int i = 0; i < 3; ++i) {
                HWND button = Item(box, IDC_MESSAGE_BUTTON1 + i);
                if (::IsWindowVisible(button))
                    shown.push_back(TextOf(button));
            }
            CloseWindow(box);
        });
        EXPECT_EQ(shown, c.shown);
    }
}

TEST_F(MessageBoxTest, ButtonRowIsCentred)
{
    for (const char* buttons : {"OK`", "Yes`No`", "Yes`No`Cancel`"}) {
        SCOPED_TRACE(buttons);
        Request("Text", CAppMessageDlg::kIconStop, buttons);
        Run([&](CAppMessageDlg& box) {
            RECT client{};
            ::GetClientRect(box.m_hWnd, &client);
            int left = client.right;
            int right = 0;
            int top = -1;
            for (int i = 0; i < 3; ++i) {
                HWND button = Item(box, IDC_MESSAGE_BUTTON1 + i);
                if (!::IsWindowVisible(button))
                    continue;
                const RECT r = RectIn(box.m_hWnd, button);
                left = std::min<int>(left, r.left);
                right = std::max<int>(right, r.right);
                if (top >= 0) {
                    EXPECT_EQ(r.top, top) << "one row";
                }
                top = r.top;
                EXPECT_LE(r.bottom, client.bottom);
            }
            EXPECT_NEAR((left + right) / 2.0, client.right / 2.0, 6.0);
            CloseWindow(box);
        });
    }
}

TEST_F(MessageBoxTest, TitleIsTheCaptionOrTheProgramsName)
{
    Request("Text", 0, "OK`", 0, "");
    std::string title;
    Run([&](CAppMessageDlg& box) {
        title = TextOf(box.m_hWnd);
        Press(box, 1);
    });
    EXPECT_EQ(title, " Sleevory");

    Request("Text", 4, "OK`", 1, " Sleevory Tip:");
    Run([&](CAppMessageDlg& box) {
        title = TextOf(box.m_hWnd);
        Press(box, 1);
    });
    EXPECT_EQ(title, " Sleevory Tip:");
}

TEST_F(MessageBoxTest, IconOfEachKind)
{
    struct Case {
        int kind;
        HICON expected;
    };
    const Case cases[] = {
        {0, nullptr},
        {1, ::LoadIconA(nullptr, IDI_HAND)},
        {2, ::LoadIconA(nullptr, IDI_EXCLAMATION)},
        {3, ::LoadIconA(nullptr, IDI_ASTERISK)},
        {4, ::LoadIconA(::GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDR_MAINFRAME))},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.kind);
        Request("Text", c.kind, "OK`");
        HICON shown = nullptr;
        Run([&](CAppMessageDlg& box) {
            shown = reinterpret_cast<HICON>(::SendMessageA(Item(box, IDC_MESSAGE_ICON), STM_GETICON, 0, 0));
            Press(box, 1);
        });
        EXPECT_EQ(shown, c.expected);
    }
}

TEST_F(MessageBoxTest, CheckBoxOnlyWhenOfferedAndNotOnTheNextBox)
{
    Request("Do you like tips?", 4, "OK`", 1);
    bool shownFirst = false;
    std::string caption;
    Run([&](CAppMessageDlg& box) {
        shownFirst = ::IsWindowVisible(Item(box, IDC_MESSAGE_DONT_SHOW)) != FALSE;
        caption = TextOf(Item(box, IDC_MESSAGE_DONT_SHOW));
        const RECT text = RectIn(box.m_hWnd, Item(box, IDC_MESSAGE_TEXT));
        const RECT check = RectIn(box.m_hWnd, Item(box, IDC_MESSAGE_DONT_SHOW));
        EXPECT_EQ(check.top, text.bottom + 10) << "under the text";
        CloseWindow(box);
    });
    EXPECT_TRUE(shownFirst);
    EXPECT_EQ(caption, "Do not show this message again.");

    app.m_strMessageText = "Another message";
    app.m_strMessageButtons = "OK`";
    bool shownSecond = true;
    Run([&](CAppMessageDlg& box) {
        shownSecond = ::IsWindowVisible(Item(box, IDC_MESSAGE_DONT_SHOW)) != FALSE;
        Press(box, 1);
    });
    EXPECT_FALSE(shownSecond);
}

TEST_F(MessageBoxTest, BoxGrowsWithItsTextAndCentresShortLinesOnTheIcon)
{
    Request("Short", 1, "OK`");
    RECT small{};
    Run([&](CAppMessageDlg& box) {
        ::GetWindowRect(box.m_hWnd, &small);
        Press(box, 1);
    });

    const std::string longLine(150, 'W');
    Request(longLine.c_str(), 1, "OK`");
    RECT wide{};
    std::string shownText;
    Run([&](CAppMessageDlg& box) {
        ::GetWindowRect(box.m_hWnd, &wide);
        shownText = TextOf(Item(box, IDC_MESSAGE_TEXT));
        Press(box, 1);
    });
    EXPECT_GT(wide.right - wide.left, small.right - small.left) << "a long line widens the box";
    EXPECT_EQ(shownText, longLine);
    RECT workArea{};
    ::SystemParametersInfoA(SPI_GETWORKAREA, 0, &workArea, 0);
    EXPECT_LE(wide.right - wide.left, workArea.right - workArea.left) << "but not beyond the screen";

    Request("One\r\nTwo", 2, "OK`");
    Run([&](CAppMessageDlg& box) {
        const RECT icon = RectIn(box.m_hWnd, Item(box, IDC_MESSAGE_ICON));
        const RECT text = RectIn(box.m_hWnd, Item(box, IDC_MESSAGE_TEXT));
        EXPECT_GE(text.bottom - text.top, 2 * 8) << "room for both lines";
        EXPECT_NEAR((text.top + text.bottom) / 2.0, (icon.top + icon.bottom) / 2.0, 1.0);
        EXPECT_EQ(::SendMessageA(Item(box, IDC_MESSAGE_TEXT), EM_GETLINECOUNT, 0, 0), 2) << "nothing wraps";
        Press(box, 1);
    });

    Request("A line without an icon", 0, "OK`");
    Run([&](CAppMessageDlg& box) {
        RECT window{};
        ::GetWindowRect(box.m_hWnd, &window);
        const RECT text = RectIn(box.m_hWnd, Item(box, IDC_MESSAGE_TEXT));
        EXPECT_NEAR(text.left + (text.right - text.left) / 2.0, (window.right - window.left) / 2.0 - 3, 2.0)
            << "centred without an icon";
        Press(box, 1);
    });
}

TEST_F(MessageBoxTest, MessageTextIsUsedUpByTheBox)
{
    Request("Invalid value.", 1, "OK`");
    std::string shown;
    Run([&](CAppMessageDlg& box) {
        shown = TextOf(Item(box, IDC_MESSAGE_TEXT));
        Press(box, 1);
    });
    EXPECT_EQ(shown, "Invalid value.");
    EXPECT_TRUE(app.m_strMessageText.IsEmpty()) << "so that it is not shown twice";
    EXPECT_EQ(app.m_strMessageButtons, CString("OK`"));
}

TEST_F(MessageBoxTest, WindowIconIsTheDialogImage)
{
    HBITMAP strip = static_cast<HBITMAP>(::LoadImageA(::GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDB_MENU_IMAGES),
                                                      IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION));
    app.m_imageList.Create(16, 16, ILC_COLOR24 | ILC_MASK, 25, 0);
    app.m_imageList.Add(strip, RGB(255, 0, 255));
    ::DeleteObject(strip);

    Request("Text", 0, "OK`");
    HICON icon = nullptr;
    Run([&](CAppMessageDlg& box) {
        icon = reinterpret_cast<HICON>(::SendMessageA(box.m_hWnd, WM_GETICON, ICON_SMALL, 0));
        Press(box, 1);
    });
    EXPECT_NE(icon, nullptr);
}

TEST_F(MessageBoxTest, ShowFillsTheRequestAndRunsTheBox)
{
    // Show builds its own box: the driver finds it as the active dialog.
    const UINT_PTR timer = ::SetTimer(nullptr, 0, 20, [](HWND, UINT, UINT_PTR id, DWORD) {
        HWND active = ::GetActiveWindow();
        if (!active || !::IsWindowVisible(active))
            return;
        ::KillTimer(nullptr, id);
        ::SendMessageA(::GetDlgItem(active, IDC_MESSAGE_BUTTON2), BM_CLICK, 0, 0);
    });
    const int result = CAppMessageDlg::Show("Replace the file?", 2, "Yes`No`");
    ::KillTimer(nullptr, timer);
    EXPECT_EQ(result, 2);
    EXPECT_EQ(app.m_nMessageIcon, 2);
}

// ---- the save-changes prompt -------------------------------------------------------

namespace {

int AnswerSavePrompt(CQuorbel6Doc& doc, const std::function<void(HWND)>& answer, std::string* prompt = nullptr)
{
    static std::function<void(HWND)> s_answer;
    static std::string* s_prompt = nullptr;
    s_answer = answer;
    s_prompt = prompt;
    const UINT_PTR timer = ::SetTimer(nullptr, 0, 20, [](HWND, UINT, UINT_PTR id, DWORD) {
        HWND active = ::GetActiveWindow();
        if (!active || !::IsWindowVisible(active) || !::GetDlgItem(active, IDC_MESSAGE_TEXT))
            return;
        ::KillTimer(nullptr, id);
        if (s_prompt)
            *s_prompt = TextOf(::GetDlgItem(active, IDC_MESSAGE_TEXT));
        s_answer(active);
    });
    const BOOL result = doc.SaveModified();
    ::KillTimer(nullptr, timer);
    return result;
}

}  // namespace

TEST_F(MessageBoxTest, SavePromptEscapeKeepsTheChanges)
{
    CQuorbel6Doc doc;
    doc.SetTitle("label.slv");
    doc.SetModifiedFlag(TRUE);

    std::string prompt;
    EXPECT_FALSE(AnswerSavePrompt(doc, [](HWND box) { ::PostMessageA(box, WM_KEYDOWN, VK_ESCAPE, 0); }, &prompt))
        << "Escape cancels the close instead of dropping the changes";
    EXPECT_EQ(prompt, "Save changes to label.slv?");
    EXPECT_TRUE(doc.IsModified());

    EXPECT_FALSE(AnswerSavePrompt(doc, [](HWND box) { ::PostMessageA(box, WM_CLOSE, 0, 0); }));
    EXPECT_TRUE(doc.IsModified());

    EXPECT_FALSE(AnswerSavePrompt(
        doc, [](HWND box) { ::SendMessageA(::GetDlgItem(box, IDC_MESSAGE_BUTTON3), BM_CLICK, 0, 0); }));
    EXPECT_TRUE(doc.IsModified());

    EXPECT_TRUE(AnswerSavePrompt(
        doc, [](HWND box) { ::SendMessageA(::GetDlgItem(box, IDC_MESSAGE_BUTTON2), BM_CLICK, 0, 0); }));
    EXPECT_FALSE(doc.IsModified()) << "No: the changes are dropped";

    EXPECT_TRUE(doc.SaveModified()) << "nothing to ask about";
}
