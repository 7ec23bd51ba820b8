// The program's help as the user reaches it from the main window: Help >
// Contents and Index opens the help file at its contents, and a help file or
// help viewer that is missing is said once in the program's own message box,
// after which the program goes on.
#include "framework/ProgramFolder.h"
#include "framework/ProgramHelp.h"
#include "resource.h"
#include "view/Quorbel6View.h"

#include "RunningApp.h"
#include "support/DialogAnswers.h"
#include "support/RecordingHelpEngine.h"

#include <gtest/gtest.h>

#include <string>

namespace {

// The Help menu's command, as choosing it in the menu sends it.
void ChooseHelpContents(RunningApp& program)
{
    ::SendMessageA(program.MainWindow(), WM_COMMAND, MAKEWPARAM(ID_HELP_CONTENTS, 0), 0);
}

bool HelpMenuItemEnabled(RunningApp& program)
{
    HMENU bar = ::GetMenu(program.MainWindow());
    const int helpMenu = ::GetMenuItemCount(bar) - 1;
    HMENU popup = ::GetSubMenu(bar, helpMenu);
    ::SendMessageA(program.MainWindow(), WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(popup),
                   MAKELPARAM(helpMenu, FALSE));
    return (::GetMenuState(popup, ID_HELP_CONTENTS, MF_BYCOMMAND) & MF_GRAYED) == 0;
}

// A folder of its own, without a help file, as the program's folder for a while.
class ProgramFolderWithoutHelp {
public:
    ProgramFolderWithoutHelp()
    {
        char temp[MAX_PATH] = {};
        ::GetTempPathA(MAX_PATH, temp);
        m_folder = std::string(temp) + "sleevory-no-help-" + std::to_string(::GetCurrentProcessId()) + "\\";
        ::CreateDirectoryA(m_folder.c_str(), nullptr);
        SetProgramFolder(m_folder.c_str());
    }
    ~ProgramFolderWithoutHelp()
    {
        SetProgramFolder("");
        ::RemoveDirectoryA(m_folder.c_str());
    }
    ProgramFolderWithoutHelp(const ProgramFolderWithoutHelp&) = delete;
    ProgramFolderWithoutHelp& operator=(const ProgramFolderWithoutHelp&) = delete;

private:
    std::string m_folder;
};

}  // namespace

TEST(HelpInProgram, ContentsAndIndexOpensTheHelpFileAtItsContents)
{
    RunningApp program;
    ASSERT_NE(program.RunToLabel(), nullptr);
    ASSERT_EQ(::GetFileAttributesA(CProgramHelp::HelpFile()) & FILE_ATTRIBUTE_DIRECTORY, 0u)
        << "the build puts " << CProgramHelp::HelpFile().c_str() << " beside the test programs";
    const size_t before = program.HelpCallsMade().size();

    EXPECT_TRUE(HelpMenuItemEnabled(program));
    DialogAnswers answers;
    ChooseHelpContents(program);

    const HelpCalls made(program.HelpCallsMade().begin() + before, program.HelpCallsMade().end());
    EXPECT_EQ(made, HelpCalls{HelpFileAt(kHelpContents)});
    EXPECT_TRUE(answers.MessageTexts().empty());
    EXPECT_EQ(answers.OtherDialogs(), 0);
}

TEST(HelpInProgram, AMissingFileOrViewerIsSaidOnceAndTheProgramGoesOn)
{
    struct Case {
        const char* name;
        bool fileThere;
        bool viewerThere;
        const char* messagePart;  // what the one message names
    };
    const Case cases[] = {
        {"no help file", false, true, "Sleevory.chm"},
        {"no help file and no viewer", false, false, "Sleevory.chm"},
        {"no help viewer", true, false, "hhctrl.ocx"},
    };
    for (const Case& test : cases) {
        SCOPED_TRACE(test.name);
        RunningApp program;
        ASSERT_NE(program.RunToLabel(), nullptr);
        auto calls = RecordHelpCalls(program.App().Help(), test.viewerThere);
        {
            std::unique_ptr<ProgramFolderWithoutHelp> folder;
            if (!test.fileThere)
                folder = std::make_unique<ProgramFolderWithoutHelp>();
            DialogAnswers answers;
            ChooseHelpContents(program);
            ASSERT_EQ(answers.MessageTexts().size(), 1u) << "one message per request";
            EXPECT_NE(answers.MessageTexts()[0].find(test.messagePart), std::string::npos) << answers.MessageTexts()[0];
            EXPECT_EQ(answers.OtherDialogs(), 0);
            EXPECT_TRUE(calls->empty()) << "nothing is asked of the viewer";
        }
        // The program goes on: the window is there and takes the next command.
        ASSERT_TRUE(::IsWindow(program.MainWindow()));
        EXPECT_TRUE(::IsWindowEnabled(program.MainWindow()));
        RecordHelpCalls(program.App().Help());
        DialogAnswers answers;
        ChooseHelpContents(program);
        EXPECT_TRUE(answers.MessageTexts().empty());
    }
}

namespace {

// The windows of the system's help viewer that show this title.
int HelpViewerWindows(const std::string& title)
{
    struct Search {
        std::string title;
        int count = 0;
    } search{title};
    ::EnumWindows(
        [](HWND window, LPARAM param) -> BOOL {
            auto* s = reinterpret_cast<Search*>(param);
            char className[64] = {};
            char caption[256] = {};
            ::GetClassNameA(window, className, sizeof className);
            ::GetWindowTextA(window, caption, sizeof caption);
            if (std::string(className) == "HH Parent" && s->title == caption)
                ++s->count;
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&search));
    return search.count;
}

}  // namespace

// The real viewer, hhctrl.ocx, with the help file the build made: it opens
// the contents and both topics the program asks for, refuses a number the
// help does not map, and its windows go with it.
TEST(HelpViewer, OpensTheBuiltHelpFileAtItsContentsAndTopics)
{
    const CString file = CProgramHelp::HelpFile();
    struct Case {
        DWORD context;
        bool opens;
    };
    for (const Case test : {Case{kHelpContents, true}, Case{kHelpGettingStarted, true},
                            Case{kHelpAlbumInformation, true}, Case{9999, false}}) {
        SCOPED_TRACE(test.context);
        {
            CHtmlHelpEngine viewer;
            ASSERT_TRUE(viewer.IsAvailable());
            EXPECT_EQ(viewer.Show(nullptr, file, test.context), test.opens);
            EXPECT_EQ(HelpViewerWindows("Sleevory Help"), test.opens ? 1 : 0);
        }
        EXPECT_EQ(HelpViewerWindows("Sleevory Help"), 0);
    }
}
