// Documents opened by the running program: the one named on its command line,
// and files opened from the recent-file list, good, damaged and missing.
#include "app/Quorbel6App.h"
#include "document/Quorbel6Doc.h"
#include "framework/RecentFileList.h"
#include "resource.h"
#include "view/Quorbel6View.h"

#include "RunningApp.h"
#include "support/DialogAnswers.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

namespace {

// A scratch folder for the test's documents, removed with what it holds.
class ScratchFolder
{
public:
    explicit ScratchFolder(const char* name)
    {
        char temp[MAX_PATH] = {};
        GetTempPathA(MAX_PATH, temp);
        m_path = std::string(temp) + name + "_" + std::to_string(GetCurrentProcessId()) + "\\";
        CreateDirectoryA(m_path.c_str(), nullptr);
    }
    ~ScratchFolder()
    {
        WIN32_FIND_DATAA found{};
        HANDLE search = FindFirstFileA((m_path + "*").c_str(), &found);
        if (search != INVALID_HANDLE_VALUE) {
            do
                DeleteFileA((m_path + found.cFileName).c_str());
            while (FindNextFileA(search, &found));
            FindClose(search);
        }
        RemoveDirectoryA(m_path.c_str());
    }
    ScratchFolder(const ScratchFolder&) = delete;
    ScratchFolder& operator=(const ScratchFolder&) = delete;

    std::string PathOf(const char* name) const { return m_path + name; }

private:
    std::string m_path;
};

CQuorbel6Doc* DocumentOf(CQuorbel6View& view)
{
    return dynamic_cast<CQuorbel6Doc*>(view.GetDocument());
}

// Saves the running program's label under a path of its own.
bool SaveLabel(CQuorbel6View& view, const std::string& path)
{
    CQuorbel6Doc* doc = DocumentOf(view);
    if (!doc)
        return false;
    doc->SetPathName(path.c_str(), FALSE);
    return doc->SaveDocumentFile() != FALSE;
}

// Answers the program's message boxes with their first button, noting each text.
class MessageBoxAnswers
{
public:
    MessageBoxAnswers()
    {
        s_current = this;
        m_hook = SetWindowsHookExA(WH_CALLWNDPROCRET, &MessageBoxAnswers::Hook, nullptr, GetCurrentThreadId());
    }
    ~MessageBoxAnswers()
    {
        UnhookWindowsHookEx(m_hook);
        s_current = nullptr;
    }
    MessageBoxAnswers(const MessageBoxAnswers&) = delete;
    MessageBoxAnswers& operator=(const MessageBoxAnswers&) = delete;

    const std::vector<std::string>& Texts() const { return m_texts; }

private:
    static LRESULT CALLBACK Hook(int code, WPARAM wParam, LPARAM lParam)
    {
        const auto* message = reinterpret_cast<const CWPRETSTRUCT*>(lParam);
        if (code == HC_ACTION && s_current && message->message == WM_INITDIALOG) {
            if (HWND text = GetDlgItem(message->hwnd, IDC_MESSAGE_TEXT)) {
                char buffer[1024] = {};
                GetWindowTextA(text, buffer, sizeof buffer);
                s_current->m_texts.push_back(buffer);
            }
            // Posted, so it is pressed inside the box's own modal loop.
            PostMessageA(GetDlgItem(message->hwnd, IDC_MESSAGE_BUTTON1), BM_CLICK, 0, 0);
        }
        return CallNextHookEx(nullptr, code, wParam, lParam);
    }

    static inline MessageBoxAnswers* s_current = nullptr;
    HHOOK m_hook = nullptr;
    std::vector<std::string> m_texts;
};

std::vector<std::string> Entries(const CRecentFileList& list)
{
    std::vector<std::string> entries;
    for (int i = 0; i < list.GetCount(); ++i)
        entries.emplace_back(list[i].c_str());
    return entries;
}

}  // namespace

TEST(OpenedDocument, CommandLineDocumentKeepsItsStoredZoomAndSurface)
{
    ScratchFolder folder("SleevoryCommandLine");
    const std::string path = folder.PathOf("stored view.slv");
    int fittedZoom = 0;
    int storedZoom = 0;
    {
        // A label saved showing its back cover at a zoom fitting would not choose.
        RunningApp program;
        CQuorbel6View* view = program.RunToLabel();
        ASSERT_NE(view, nullptr);
        view->OnViewBackCover();
        fittedZoom = view->Model().Shown().zoom;
        storedZoom = fittedZoom > 10 ? fittedZoom - 4 : fittedZoom + 4;
        view->Model().Shown().zoom = storedZoom;
        ASSERT_TRUE(SaveLabel(*view, path));
    }

    RunningApp program(("\"" + path + "\"").c_str());
    CQuorbel6View* view = program.RunToLabel();
    ASSERT_NE(view, nullptr);
    ASSERT_EQ(DocumentOf(*view)->GetTitle(), "stored view.slv") << "the command line's document was opened";
    EXPECT_EQ(view->Model().Shown().zoom, storedZoom);
    EXPECT_EQ(view->Model().Shown().surface, "Back Cover");
    EXPECT_EQ(view->Model().Shown().page, "3");
    EXPECT_TRUE(view->m_bGeometryReady);
    EXPECT_EQ(view->m_sizePaperScreen.cx, view->DocToScreenLength(view->m_sizePaper.cx)) << "scaled for that zoom";

    // The stored surface is in view: its centre lies in the client area.
    const BackCoverGeometry& back = view->Model().Placement().geometry.back;
    POINT centre = view->DocToScreenPoint(POINT{back.left + back.width / 2, back.top + back.height / 2});
    ScreenToClient(view->m_hWnd, &centre);
    RECT client{};
    GetClientRect(view->m_hWnd, &client);
    EXPECT_TRUE(PtInRect(&client, centre)) << centre.x << "," << centre.y;

    // Fitting would have chosen another zoom: the test shows a kept one.
    view->FitZoomToSurface();
    EXPECT_EQ(view->Model().Shown().zoom, fittedZoom);
    EXPECT_NE(view->Model().Shown().zoom, storedZoom);
}

TEST(OpenedDocument, OnlyAFileThatOpensGoesToTheTopOfTheRecentFileList)
{
    ScratchFolder folder("SleevoryRecentFiles");
    RunningApp program;
    CQuorbel6View* view = program.RunToLabel();
    ASSERT_NE(view, nullptr);
    CRecentFileList* list = program.App().GetRecentFileList();
    ASSERT_NE(list, nullptr);

    // A good label, a damaged copy of it (its first half) and a path with no file.
    const std::string good = folder.PathOf("good.slv");
    const std::string damaged = folder.PathOf("damaged.slv");
    const std::string missing = folder.PathOf("missing.slv");
    const std::string other = folder.PathOf("other.slv");
    ASSERT_TRUE(SaveLabel(*view, good));
    ASSERT_TRUE(CopyFileA(good.c_str(), damaged.c_str(), FALSE));
    {
        HANDLE file = CreateFileA(damaged.c_str(), GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, 0, nullptr);
        ASSERT_NE(file, INVALID_HANDLE_VALUE);
        SetFilePointer(file, static_cast<LONG>(GetFileSize(file, nullptr) / 2), nullptr, FILE_BEGIN);
        SetEndOfFile(file);
        CloseHandle(file);
    }

    while (list->GetCount() > 0)
        list->Remove(0);
    for (const std::string& path : {good, missing, damaged, other})
        program.App().AddToRecentFileList(path.c_str());
    const std::vector<std::string> before = {other, damaged, missing, good};
    ASSERT_EQ(Entries(*list), before);

    // The File menu's recent-file commands, as the user picks them.
    auto openEntry = [&](const std::string& path) {
        const auto entries = Entries(*list);
        const auto at = std::find(entries.begin(), entries.end(), path);
        if (at == entries.end()) {
            ADD_FAILURE() << path << " is not in the list to be picked";
            return;
        }
        SendMessageA(program.MainWindow(), WM_COMMAND, MAKEWPARAM(ID_FILE_MRU_FILE1 + (at - entries.begin()), 0), 0);
    };
    struct Case {
        const char* what;
        std::string path;
        bool fromList;  // picked in the list, or opened by name (the command line, the shell)
        bool opens;
        std::vector<std::string> after;
    };
    const std::string outside = folder.PathOf("outside.slv");
    ASSERT_TRUE(CopyFileA(damaged.c_str(), outside.c_str(), FALSE));
    const Case cases[] = {
        {"damaged, in the list", damaged, true, false, before},
        {"missing, in the list", missing, true, false, before},
        {"damaged, not in the list", outside, false, false, before},
        {"missing, not in the list", folder.PathOf("nowhere.slv"), false, false, before},
        {"good", good, true, true, {good, other, damaged, missing}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        MessageBoxAnswers boxes;
        if (c.fromList)
            openEntry(c.path);
        else
            program.App().OpenDocumentFile(c.path.c_str());
        EXPECT_EQ(boxes.Texts().size(), c.opens ? 0u : 1u) << "an error is shown for a file that does not open";
        EXPECT_EQ(Entries(*list), c.after);
        CQuorbel6Doc* doc = DocumentOf(*view);
        ASSERT_NE(doc, nullptr);
        if (c.opens)
            EXPECT_EQ(std::string(doc->GetPathName().c_str()), c.path);
        else
            EXPECT_NE(std::string(doc->GetPathName().c_str()), c.path);
    }
    while (list->GetCount() > 0)
        list->Remove(0);
}

namespace {

std::string FileBytes(const std::string& path)
{
    std::ifstream file(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
}

// File > Save As from the main frame: the save dialog offers a name, gets
// `typed` and Save; a second showing of it (after No) is cancelled. The
// program's questions are answered with `button`.
struct SaveAsRun {
    std::string offered;
    int saveDialogs = 0;
    std::vector<std::string> questions;
    std::vector<std::string> captions;
};

SaveAsRun SaveAsFromTheMenu(RunningApp& program, const std::string& typed, int button)
{
    // The system's save dialog makes the chosen folder the current one; this
    // test program's other tests find their files from the one they started in.
    char startedIn[MAX_PATH] = {};
    ::GetCurrentDirectoryA(MAX_PATH, startedIn);
    struct BackToTheStartFolder {
        const char* folder;
        ~BackToTheStartFolder() { ::SetCurrentDirectoryA(folder); }
    } back{startedIn};
    SaveAsRun run;
    DialogAnswers answers([&](HWND dialog) {
        if (++run.saveDialogs == 1) {
            run.offered = OfferedFileName(dialog);
            ChooseFile(typed)(dialog);
        } else {
            ::PostMessageA(dialog, WM_COMMAND, IDCANCEL, 0);
        }
    });
    answers.AnswerMessagesWith(button);
    ::SendMessageA(program.MainWindow(), WM_COMMAND, MAKEWPARAM(ID_FILE_SAVE_AS, 0), 0);
    run.questions = answers.MessageTexts();
    run.captions = answers.MessageCaptions();
    return run;
}

}  // namespace

TEST(OpenedDocument, SaveAsOffersTheLabelsOwnNameAndAsksBeforeReplacingAFile)
{
    ScratchFolder folder("SleevorySaveAs");
    RunningApp program;
    CQuorbel6View* view = program.RunToLabel();
    ASSERT_NE(view, nullptr);
    CQuorbel6Doc* doc = DocumentOf(*view);
    ASSERT_NE(doc, nullptr);

    // A new label is offered as "Untitled.slv"; a file that is not there is written without a question.
    const std::string work = folder.PathOf("work.slv");
    {
        const SaveAsRun run = SaveAsFromTheMenu(program, folder.PathOf("work"), 1);
        EXPECT_EQ(run.offered, "Untitled.slv");
        EXPECT_EQ(run.questions, std::vector<std::string>{});
    }
    const std::string saved = FileBytes(work);
    ASSERT_FALSE(saved.empty());
    ASSERT_EQ(doc->GetTitle(), "work.slv");

    // The label changes; work.slv is chosen again, with the extension typed or not.
    view->SetTextRowValue(1, "A Title Written Later");
    const std::string question = "File already exists. Do you want to replace it?";
    const struct {
        const char* typed;
        int answer;  // 1 Yes, 2 No
        bool replaced;
    } cases[] = {{"work", 2, false}, {"work.slv", 2, false}, {"WORK.SLV", 2, false}, {"work", 1, true}};
    for (const auto& c : cases) {
        const SaveAsRun run = SaveAsFromTheMenu(program, folder.PathOf(c.typed), c.answer);
        // (the dialog may show the name alone, in its folder)
        EXPECT_EQ(run.offered.substr(run.offered.find_last_of('\\') + 1), "work.slv")
            << "a label with a file is offered under its own name";
        EXPECT_EQ(run.questions, std::vector<std::string>{question}) << c.typed;
        EXPECT_EQ(run.captions, std::vector<std::string>{" Sleevory"}) << c.typed;
        // No gives the dialog back to choose another name (cancelled here).
        EXPECT_EQ(run.saveDialogs, c.replaced ? 1 : 2) << c.typed;
        EXPECT_EQ(FileBytes(work) != saved, c.replaced) << c.typed;
    }
    EXPECT_FALSE(doc->IsModified());
}
