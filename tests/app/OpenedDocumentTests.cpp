// Documents opened by the running program: the one named on its command line,
// and files opened from the recent-file list, good, damaged and missing.
#include "app/Quorbel6App.h"
#include "document/Quorbel6Doc.h"
#include "framework/RecentFileList.h"
#include "label/LabelRows.h"
#include "resource.h"
#include "shell/MainFrame.h"
#include "view/Quorbel6View.h"

#include "RunningApp.h"
#include "support/DialogAnswers.h"
#include "support/InsertionPoint.h"
#include "support/PropertyGridDriver.h"

#include <gtest/gtest.h>

#include <algorithm>
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

// File > Open of a path, the file dialog answered with it; the texts of the
// program's message boxes it showed (each answered with OK).
std::vector<std::string> OpenFromFileMenu(RunningApp& program, const std::string& path)
{
    DialogAnswers answers(ChooseFile(path));
    SendMessageA(program.MainWindow(), WM_COMMAND, MAKEWPARAM(ID_FILE_OPEN, 0), 0);
    return answers.MessageTexts();
}

// Appends an item to the choices of one row of the label.
void OfferChoice(CQuorbel6View& view, const char* object, const char* key, const std::string& item)
{
    const int row = view.Model().FindPropertyRow(object, key);
    ASSERT_GE(row, 0) << object << " " << key;
    view.Model().SetRowChoices(row, view.Model().Row(row).m_strChoices + item.c_str() + "|");
}

// Picks the last item of a list row in the Properties pane as the user does:
// a click on the row's value opens its list, End goes to the last item and
// Enter takes it.
void PickLastChoice(CMainFrame& frame, const char* caption)
{
    CPropertyGrid& grid = frame.PropertiesPane().Grid();
    ASSERT_TRUE(ClickGridValue(grid, caption)) << caption;
    CComboBox& list = grid.DropDown();
    ASSERT_TRUE(list.IsWindowVisible()) << caption;
    PressKeyIn(frame.m_hWnd, list.m_hWnd, VK_END);
    ASSERT_EQ(list.GetCurSel(), list.GetCount() - 1);
    PressKeyIn(frame.m_hWnd, list.m_hWnd, VK_RETURN);
    EXPECT_FALSE(list.IsWindowVisible()) << "the list closed on the item";
}

std::string Value(const CQuorbel6View& view, const CString& object, const char* key)
{
    return view.GetPropertyValue(object, key).c_str();
}

}  // namespace

TEST(OpenedDocument, LongTextsOfADocumentMadeElsewhereArePickedWholeAndTooLongOnesAreRefused)
{
    ScratchFolder folder("SleevoryLongTexts");
    RunningApp program;
    CQuorbel6View* view = program.RunToLabel();
    ASSERT_NE(view, nullptr);
    auto* frame = dynamic_cast<CMainFrame*>(program.App().m_pMainWnd);
    ASSERT_NE(frame, nullptr);

    // A text on the disc, with a long text of many lines.
    view->ShowSurface("Disc 1");
    PointInsertionAt(*view, POINT{2300, 1500}, "Inside");
    SendMessageA(view->m_hWnd, WM_COMMAND, MAKEWPARAM(ID_INSERT_TEXT, 0), 0);
    const CString text = view->m_strSelectedObject;
    ASSERT_EQ(view->GetPropertyValue(text, "Item Type"), "Text");
    std::string lines;
    for (int i = 0; i < 2000; ++i)
        lines += "A line of a long text, number " + std::to_string(i) + "\r\n";
    const int textRow = view->Model().FindTextRow(LabelRows::TextNameOfObject(text));
    ASSERT_GE(textRow, 0);
    view->Model().SetTextRowValue(textRow, lines.c_str());

    // Choices far longer than any the program offers, written by its own writer:
    // one a little below what a document may hold, one beyond it.
    const std::string position = "Far " + std::string(60000, 'x') + " end";
    const std::string alignment = "Spread " + std::string(3000, 'y') + " end";
    OfferChoice(*view, "Disc 1", "Label Position", position);
    OfferChoice(*view, text, "Alignment", alignment);
    const std::string good = folder.PathOf("long choices.slv");
    ASSERT_TRUE(SaveLabel(*view, good));
    OfferChoice(*view, "Disc 1", "Label Position", std::string(70000, 'z'));
    const std::string beyond = folder.PathOf("too long.slv");
    ASSERT_TRUE(SaveLabel(*view, beyond));

    ASSERT_TRUE(OpenFromFileMenu(program, good).empty());
    CQuorbel6Doc* doc = DocumentOf(*view);
    ASSERT_EQ(std::string(doc->GetPathName().c_str()), good);
    ASSERT_EQ(view->Model().Texts()[static_cast<size_t>(textRow)].m_strValue, lines.c_str());

    // The disc in the Properties pane: its long item is taken and the labels
    // change places, the chosen text whole in the cell.
    SendMessageA(program.MainWindow(), WM_COMMAND, MAKEWPARAM(ID_VIEW_DISC_LABEL, 0), 0);
    CPropertyGrid& grid = frame->PropertiesPane().Grid();
    ASSERT_GE(GridRowOf(grid, "Label Position"), 0);
    const std::string before = Value(*view, "Disc 1", "Label Position");
    PickLastChoice(*frame, "Label Position");
    ASSERT_TRUE(IsWindow(view->m_hWnd));
    EXPECT_NE(Value(*view, "Disc 1", "Label Position"), before);
    const int positionRow = GridRowOf(grid, "Label Position");
    ASSERT_GE(positionRow, 0);
    EXPECT_EQ(std::string(grid.GetItemText(positionRow, 2).c_str()), position);

    // The text chosen in the object list: its long alignment is stored whole.
    CComboBox& objects = frame->ObjectListCombo();
    const int entry = objects.FindStringExact(-1, LabelRows::TextNameOfObject(text));
    ASSERT_GE(entry, 0);
    objects.SetCurSel(entry);
    frame->ObjectList().SendMessage(WM_COMMAND, MAKEWPARAM(CObjectListBar::kComboId, CBN_SELCHANGE),
                                    reinterpret_cast<LPARAM>(objects.m_hWnd));
    ASSERT_EQ(view->m_strSelectedObject, text);
    PickLastChoice(*frame, "Alignment");
    EXPECT_EQ(Value(*view, text, "Alignment"), alignment);
    doc->SetModifiedFlag(FALSE);

    // A document beyond what the reader takes: refused, and the label open
    // before stays with its file.
    const std::vector<std::string> messages = OpenFromFileMenu(program, beyond);
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0], "Error opening file.");
    EXPECT_EQ(std::string(doc->GetPathName().c_str()), good);
    EXPECT_EQ(Value(*view, text, "Alignment"), alignment);
    EXPECT_EQ(view->Model().Texts()[static_cast<size_t>(textRow)].m_strValue, lines.c_str());
    EXPECT_TRUE(view->Model().IsUndoRecording());
    EXPECT_TRUE(view->m_bDrawingEnabled);
}
