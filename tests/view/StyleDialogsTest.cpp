// The colour and font dialogs on a real label view, driven through their
// controls while they are up: the colour of one object or all of its kind,
// the live preview and Cancel, a font chosen by face, style and size, a size
// typed into the size field, and OK without a change.
#include "app/Quorbel6App.h"
#include "document/AppSettings.h"
#include "framework/CommandIds.h"
#include "framework/FrameWnd.h"
#include "framework/ProgramFolder.h"
#include "resource.h"
#include "shell/FrameView.h"
#include "view/Quorbel6View.h"

#include "support/MessagePump.h"

#include "StandInFrame.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <functional>
#include <string>

namespace
{
class StyleFrame : public StandInFrame
{
public:
    void ShowObject(const CString& objectName) override
    {
        ++shows;
        shown = objectName;
    }

    int shows = 0;
    CString shown;
};

// Runs `answer` on the common dialog right after it was set up.
class CommonDialogAnswer
{
public:
    using Answer = std::function<void(HWND dialog)>;
    explicit CommonDialogAnswer(Answer answer) : m_answer(std::move(answer))
    {
        s_current = this;
        m_hook = ::SetWindowsHookExA(WH_CALLWNDPROCRET, &CommonDialogAnswer::Hook, nullptr, ::GetCurrentThreadId());
    }
    ~CommonDialogAnswer()
    {
        ::UnhookWindowsHookEx(m_hook);
        s_current = nullptr;
    }
    CommonDialogAnswer(const CommonDialogAnswer&) = delete;
    CommonDialogAnswer& operator=(const CommonDialogAnswer&) = delete;
    int Dialogs() const { return m_dialogs; }

private:
    static LRESULT CALLBACK Hook(int code, WPARAM wParam, LPARAM lParam)
    {
        const auto* message = reinterpret_cast<const CWPRETSTRUCT*>(lParam);
        if (code == HC_ACTION && s_current && message->message == WM_INITDIALOG &&
            !(::GetWindowLongA(message->hwnd, GWL_STYLE) & WS_CHILD)) {
            ++s_current->m_dialogs;
            s_current->m_answer(message->hwnd);
        }
        return ::CallNextHookEx(nullptr, code, wParam, lParam);
    }
    static inline CommonDialogAnswer* s_current = nullptr;
    Answer m_answer;
    HHOOK m_hook = nullptr;
    int m_dialogs = 0;
};

// A one-shot thread timer: runs `step` once the dialog's loop is running.
class LaterStep
{
public:
    static void Run(std::function<void()> step)
    {
        s_step = std::move(step);
        ::SetTimer(nullptr, 0, 50, &LaterStep::Tick);
    }

private:
    static void CALLBACK Tick(HWND, UINT, UINT_PTR id, DWORD)
    {
        ::KillTimer(nullptr, id);
        auto step = std::move(s_step);
        s_step = nullptr;
        if (step)
            step();
    }
    static inline std::function<void()> s_step;
};

std::string Str(const CString& text)
{
    return text.c_str();
}

std::string ItemText(HWND dialog, int id)
{
    char text[256] = {};
    ::GetDlgItemTextA(dialog, id, text, sizeof text);
    return text;
}

void SetColorFields(HWND dialog, int red, int green, int blue)
{
    ::SetDlgItemInt(dialog, IDC_COLOR_RED, static_cast<UINT>(red), FALSE);
    ::SetDlgItemInt(dialog, IDC_COLOR_GREEN, static_cast<UINT>(green), FALSE);
    ::SetDlgItemInt(dialog, IDC_COLOR_BLUE, static_cast<UINT>(blue), FALSE);
}

void Press(HWND dialog, int id)
{
    ::PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(::GetDlgItem(dialog, id)));
}

void Check(HWND dialog, int id)
{
    ::CheckDlgButton(dialog, id, BST_CHECKED);
    ::SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(::GetDlgItem(dialog, id)));
}

class StyleDialogs : public ::testing::Test
{
protected:
    void SetUp() override
    {
        m_folder = UseScratchProgramFolder("SleevoryStyle");

        m_view = OpenViewInFrame(m_app, m_frame);
        ASSERT_NE(m_view, nullptr);
        m_frame->ShowWindow(SW_SHOW);
        m_frame->RecalcLayout();

        CQuorbel6View& view = *m_view;
        PrepareLabelView(view, m_settings, "Single");
        view.ShowSurface("Front Cover");
        const RECT cover = view.GetSurfaceRect("Front Cover");
        POINT middle{(cover.left + cover.right) / 2, (cover.top + cover.bottom) / 2};
        ::ClientToScreen(view.m_hWnd, &middle);
        for (int i = 0; i < 2; ++i)
            view.AddTextObject("Artist", RECT{middle.x - 40, middle.y - 60 + 50 * i, middle.x + 40, middle.y - 40 + 50 * i},
                               "Inside");
        view.AddTextObject("Text", RECT{middle.x - 40, middle.y + 60, middle.x + 40, middle.y + 80}, "Inside");
        view.AddTextObject("Title", RECT{middle.x - 40, middle.y + 100, middle.x + 40, middle.y + 120}, "Inside");
        ASSERT_GE(view.FindObjectRow("Artist(2)"), 0);
        ASSERT_GE(view.FindObjectRow("Text 1(1)"), 0);
        for (const char* name : {"Artist(1)", "Artist(2)", "Text 1(1)", "Title(1)"}) {
            view.ReplacePropertyValue(name, "Color", "0,0,0");
            view.ReplacePropertyValue(name, "Font", "Tahoma,12,400,0");
        }
    }

    void TearDown() override
    {
        CloseViewInFrame(m_app, m_frame, m_folder);
    }

    std::string Value(const char* name, const char* key) const { return Str(m_view->GetPropertyValue(name, key)); }
    int UndoStep() const { return m_view->UndoHistory().CurrentStep(); }
    void ChooseColor(const char* name)
    {
        m_view->SelectObject(name);
        m_view->ChooseObjectColor(name, RGB(0, 0, 0));
    }
    void ChooseFont(const char* name)
    {
        m_view->SelectObject(name);
        LOGFONTA font{};
        ::lstrcpynA(font.lfFaceName, "Tahoma", LF_FACESIZE);
        font.lfHeight = -16;
        font.lfWeight = 400;
        m_view->ChooseObjectFont(name, font);
    }

    CQuorbel6App m_app;
    CAppSettings m_settings;
    StyleFrame* m_frame = nullptr;
    CQuorbel6View* m_view = nullptr;
    std::string m_folder;
};
}  // namespace

TEST_F(StyleDialogs, ColorForAllOfAKindIsOneUndoStep)
{
    std::string checkText;
    const int step = UndoStep();
    CommonDialogAnswer answer([&](HWND dialog) {
        checkText = ItemText(dialog, IDC_STYLE_SET_ALL);
        SetColorFields(dialog, 10, 20, 30);
        Check(dialog, IDC_STYLE_SET_ALL);
        Press(dialog, IDOK);
    });
    ChooseColor("Artist(2)");
    ASSERT_EQ(answer.Dialogs(), 1);
    EXPECT_EQ(checkText, "Set all Artists the same color.");
    EXPECT_EQ(Value("Artist(1)", "Color"), "10,20,30");
    EXPECT_EQ(Value("Artist(2)", "Color"), "10,20,30");
    EXPECT_EQ(Value("Title(1)", "Color"), "0,0,0");
    EXPECT_EQ(Value("Text 1(1)", "Color"), "0,0,0");
    EXPECT_EQ(UndoStep(), step + 1);
    EXPECT_EQ(Str(m_frame->shown), "Artist(2)");

    m_view->OnEditUndo();
    EXPECT_EQ(Value("Artist(1)", "Color"), "0,0,0");
    EXPECT_EQ(Value("Artist(2)", "Color"), "0,0,0");
}

TEST_F(StyleDialogs, FreeTextHasNoSetAllAndChangesAlone)
{
    bool checkVisible = true;
    CommonDialogAnswer answer([&](HWND dialog) {
        checkVisible = (::GetWindowLongA(::GetDlgItem(dialog, IDC_STYLE_SET_ALL), GWL_STYLE) & WS_VISIBLE) != 0;
        SetColorFields(dialog, 200, 100, 50);
        Press(dialog, IDOK);
    });
    ChooseColor("Text 1(1)");
    EXPECT_FALSE(checkVisible);
    EXPECT_EQ(Value("Text 1(1)", "Color"), "200,100,50");
    EXPECT_EQ(Value("Artist(1)", "Color"), "0,0,0");
}

TEST_F(StyleDialogs, PreviewFollowsTheFieldsAndCancelPutsItBack)
{
    std::string previewed;
    std::string othersWithAll;
    std::string othersWithout;
    CommonDialogAnswer answer([&](HWND dialog) {
        SetColorFields(dialog, 1, 2, 3);
        Check(dialog, IDC_STYLE_SET_ALL);
        LaterStep::Run([&, dialog] {
            previewed = Value("Artist(1)", "Color");
            othersWithAll = Value("Artist(2)", "Color");
            // Unticked, the others go back at once.
            ::CheckDlgButton(dialog, IDC_STYLE_SET_ALL, BST_UNCHECKED);
            ::SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(IDC_STYLE_SET_ALL, BN_CLICKED),
                           reinterpret_cast<LPARAM>(::GetDlgItem(dialog, IDC_STYLE_SET_ALL)));
            othersWithout = Value("Artist(2)", "Color");
            Press(dialog, IDCANCEL);
        });
    });
    const int step = UndoStep();
    ChooseColor("Artist(1)");
    EXPECT_EQ(previewed, "1,2,3");
    EXPECT_EQ(othersWithAll, "1,2,3");
    EXPECT_EQ(othersWithout, "0,0,0");
    EXPECT_EQ(Value("Artist(1)", "Color"), "0,0,0");
    EXPECT_EQ(UndoStep(), step);
}

TEST_F(StyleDialogs, OkWithoutAChangeRecordsNothing)
{
    CommonDialogAnswer answer([&](HWND dialog) { Press(dialog, IDOK); });
    const int step = UndoStep();
    ChooseColor("Title(1)");
    EXPECT_EQ(Value("Title(1)", "Color"), "0,0,0");
    EXPECT_EQ(UndoStep(), step);
    ChooseFont("Title(1)");
    EXPECT_EQ(Value("Title(1)", "Font"), "Tahoma,12,400,0");
    EXPECT_EQ(UndoStep(), step);
    EXPECT_EQ(answer.Dialogs(), 2);
}

TEST_F(StyleDialogs, FontChosenByStyleAndSizeForTheKind)
{
    std::string checkText;
    const int step = UndoStep();
    CommonDialogAnswer answer([&](HWND dialog) {
        checkText = ItemText(dialog, IDC_STYLE_SET_ALL);
        HWND styles = ::GetDlgItem(dialog, IDC_FONT_STYLE);
        HWND sizes = ::GetDlgItem(dialog, IDC_FONT_SIZE);
        ::SendMessageA(styles, CB_SELECTSTRING, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>("Bold Italic"));
        ::SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(IDC_FONT_STYLE, CBN_SELCHANGE), reinterpret_cast<LPARAM>(styles));
        ::SendMessageA(sizes, CB_SELECTSTRING, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>("14"));
        ::SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(IDC_FONT_SIZE, CBN_SELCHANGE), reinterpret_cast<LPARAM>(sizes));
        Check(dialog, IDC_STYLE_SET_ALL);
        Press(dialog, IDOK);
    });
    ChooseFont("Artist(1)");
    ASSERT_EQ(answer.Dialogs(), 1);
    EXPECT_EQ(checkText, "Set all Artists with the same font.");
    const std::string chosen = Value("Artist(1)", "Font");
    EXPECT_NE(chosen.find(",14,700,1"), std::string::npos) << chosen;
    EXPECT_EQ(Value("Artist(2)", "Font"), chosen);
    EXPECT_EQ(Value("Title(1)", "Font"), "Tahoma,12,400,0");
    EXPECT_EQ(UndoStep(), step + 1);
    m_view->OnEditUndo();
    EXPECT_EQ(Value("Artist(1)", "Font"), "Tahoma,12,400,0");
}

TEST_F(StyleDialogs, ATypedSizeIsTakenWhenTheFontCanHaveIt)
{
    // Typed over the list's choice in the size field, then OK.
    const struct {
        const char* typed;
        const char* font;
    } cases[] = {{"13", "Tahoma,13,400,0"},   {"27", "Tahoma,27,400,0"},   {"abc", "Tahoma,12,400,0"},
                 {"0", "Tahoma,12,400,0"},    {"99999", "Tahoma,12,400,0"}};
    for (const auto& typedSize : cases) {
        std::string sizeShown;
        CommonDialogAnswer answer([&](HWND dialog) {
            LaterStep::Run([&, dialog] {
                COMBOBOXINFO sizes{};
                sizes.cbSize = sizeof sizes;
                ::GetComboBoxInfo(::GetDlgItem(dialog, IDC_FONT_SIZE), &sizes);
                HWND edit = sizes.hwndItem;
                ::SendMessageA(edit, EM_SETSEL, 0, -1);
                for (const char* ch = typedSize.typed; *ch; ++ch)
                    ::SendMessageA(edit, WM_CHAR, static_cast<WPARAM>(*ch), 1);
                ::SendMessageA(::GetDlgItem(dialog, IDOK), BM_CLICK, 0, 0);
                sizeShown = ItemText(dialog, IDC_FONT_SIZE);
            });
        });
        ChooseFont("Text 1(1)");
        EXPECT_EQ(answer.Dialogs(), 1) << typedSize.typed;
        EXPECT_EQ(Value("Text 1(1)", "Font"), typedSize.font) << typedSize.typed;
        // A refused entry shows the size kept.
        EXPECT_EQ(sizeShown, std::string(typedSize.font).substr(7, 2)) << typedSize.typed;
        m_view->ReplacePropertyValue("Text 1(1)", "Font", "Tahoma,12,400,0");
    }
}

TEST_F(StyleDialogs, ActualSizeShowsWhatTheTextFitsAt)
{
    std::string actual;
    std::string marker;
    CommonDialogAnswer answer([&](HWND dialog) {
        HWND sizes = ::GetDlgItem(dialog, IDC_FONT_SIZE);
        ::SendMessageA(sizes, CB_SELECTSTRING, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>("72"));
        ::SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(IDC_FONT_SIZE, CBN_SELCHANGE), reinterpret_cast<LPARAM>(sizes));
        actual = ItemText(dialog, IDC_FONT_ACTUAL_SIZE);
        marker = ItemText(dialog, IDC_FONT_AUTOFIT);
        Press(dialog, IDCANCEL);
    });
    ChooseFont("Title(1)");
    // 72 points do not fit the small box: the text was set smaller.
    ASSERT_FALSE(actual.empty());
    EXPECT_LT(std::stod(actual), 72.0) << actual;
    EXPECT_EQ(marker, "AutoFit On");
    // Cancel put the font back.
    EXPECT_EQ(Value("Title(1)", "Font"), "Tahoma,12,400,0");
}
