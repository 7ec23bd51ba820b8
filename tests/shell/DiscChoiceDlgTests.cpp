// The disc chooser run modally and worked from a timer: its answers, the
// prompt and icon it shows, and the disc it remembers from one run to the next.
#include "shell/DiscChoiceDlg.h"

#include "SmallDialogTestSupport.h"
#include "resource.h"

namespace {

constexpr char kCaption[] = " Sleevory - Double CD";
constexpr char kPrompt[] = "Which disc do you want this object attached to?";

class DiscChoiceDlgTest : public SmallDialogTest {
protected:
    INT_PTR Run(std::vector<ModalDriver::Step> steps, const char* prompt = kPrompt)
    {
        CDiscChoiceDlg dialog(prompt);
        ModalDriver driver(kCaption, std::move(steps));
        const INT_PTR result = driver.Run([&] { return dialog.DoModal(); });
        EXPECT_TRUE(driver.AllStepsRun());
        EXPECT_FALSE(driver.ClosedByDriver()) << "the dialog did not end by itself";
        return result;
    }
};

}  // namespace

TEST_F(DiscChoiceDlgTest, AnswersTheDiscChosenOrMinusOne)
{
    struct Case {
        const char* name;
        int lastDisc;  // what the main frame remembers at opening
        int click;     // radio button clicked, 0 for none
        bool cancel;
        bool escape;
        INT_PTR expected;
        int remembered;
    };
    const Case cases[] = {
        {"OK as opened with 1", 1, 0, false, false, 1, 1},
        {"OK as opened with 2", 2, 0, false, false, 2, 2},
        {"Disc 2 then OK", 1, IDC_DISC_CHOICE_DISC2, false, false, 2, 2},
        {"Disc 1 then OK", 2, IDC_DISC_CHOICE_DISC1, false, false, 1, 1},
        // A click is remembered at once, even when the dialog is then cancelled.
        {"Disc 2 then Cancel", 1, IDC_DISC_CHOICE_DISC2, true, false, -1, 2},
        {"Escape", 2, 0, false, true, -1, 2},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        frame.m_nLastDiscChoice = c.lastDisc;
        const INT_PTR result = Run({[&](HWND dialog) {
            if (c.click)
                Click(dialog, c.click);
            if (c.escape)
                PressEscape(dialog);
            else
                Click(dialog, c.cancel ? IDCANCEL : IDOK);
        }});
        EXPECT_EQ(result, c.expected);
        EXPECT_EQ(frame.m_nLastDiscChoice, c.remembered);
    }
}

TEST_F(DiscChoiceDlgTest, OpensWithTheDiscChosenLastTime)
{
    struct Opened {
        bool disc1 = false;
        bool disc2 = false;
    };
    auto runAndChoose = [&](int clickFirst) {
        Opened opened;
        Run({[&](HWND dialog) {
            opened.disc1 = IsChecked(dialog, IDC_DISC_CHOICE_DISC1);
            opened.disc2 = IsChecked(dialog, IDC_DISC_CHOICE_DISC2);
            if (clickFirst)
                Click(dialog, clickFirst);
            Click(dialog, IDOK);
        }});
        return opened;
    };
    const Opened first = runAndChoose(IDC_DISC_CHOICE_DISC2);
    EXPECT_TRUE(first.disc1 && !first.disc2) << "Disc 1 at the program's start";
    const Opened second = runAndChoose(IDC_DISC_CHOICE_DISC1);
    EXPECT_TRUE(!second.disc1 && second.disc2);
    const Opened third = runAndChoose(0);
    EXPECT_TRUE(third.disc1 && !third.disc2);
}

TEST_F(DiscChoiceDlgTest, ShowsItsPromptAndTheInformationIcon)
{
    std::string prompt;
    HICON icon = nullptr;
    Run({[&](HWND dialog) {
             prompt = TextOf(Item(dialog, IDC_DISC_CHOICE_PROMPT));
             icon = reinterpret_cast<HICON>(::SendMessageA(Item(dialog, IDC_DISC_CHOICE_ICON), STM_GETICON, 0, 0));
             Click(dialog, IDOK);
         }},
        "Put the track list on which disc?");
    EXPECT_EQ(prompt, "Put the track list on which disc?");
    EXPECT_EQ(icon, ::LoadIconA(nullptr, IDI_ASTERISK));
}

TEST_F(DiscChoiceDlgTest, WorksWithoutAMainFrame)
{
    app.m_pMainWnd = nullptr;
    bool disc1 = false;
    const INT_PTR result = Run({[&](HWND dialog) {
        disc1 = IsChecked(dialog, IDC_DISC_CHOICE_DISC1);
        Click(dialog, IDC_DISC_CHOICE_DISC2);
        Click(dialog, IDOK);
    }});
    EXPECT_TRUE(disc1);
    EXPECT_EQ(result, 2);
}
