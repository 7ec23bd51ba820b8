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
#include <fstream>
#include <iterator>
#include <memory>
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

TEST(OpenedDocument, ACommandLineFileThatCannotBeOpenedLeavesNoLabelAndFileNewAsks)
{
    ScratchFolder folder("SleevoryMissingCommandLine");
    const std::string path = folder.PathOf("no such label.slv");
    std::vector<std::string> messages;
    std::unique_ptr<RunningApp> program;
    {
        DialogAnswers answers;
        program = std::make_unique<RunningApp>(("\"" + path + "\"").c_str());
        ASSERT_NE(program->RunToLabel(), nullptr);
        messages = answers.MessageTexts();
    }
    CQuorbel6View* view = program->View();
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0], "Error opening file.");
    EXPECT_EQ(view->Model().RowCount(), 0) << "no label was made in its place";
    EXPECT_TRUE(DocumentOf(*view)->GetPathName().IsEmpty());

    // The next File New asks which label to make, whatever the last layout was.
    {
        DialogAnswers answers(ChooseNewLabel(1, true));
        SendMessageA(program->MainWindow(), WM_COMMAND, MAKEWPARAM(ID_FILE_NEW, 0), 0);
        EXPECT_EQ(answers.OtherDialogs(), 1);
    }
    EXPECT_EQ(view->Model().Shown().layout, "Double");
    EXPECT_GT(view->Model().RowCount(), 0);
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

void Command(RunningApp& program, UINT id)
{
    SendMessageA(program.MainWindow(), WM_COMMAND, MAKEWPARAM(id, 0), 0);
}

// File > Open with the path typed into the open-file dialog.
bool OpenThroughMenu(RunningApp& program, const std::string& path)
{
    // The changes of the label shown are dropped, as the No of the save prompt does.
    if (CQuorbel6View* view = program.View(); view && DocumentOf(*view))
        DocumentOf(*view)->SetModifiedFlag(FALSE);
    DialogAnswers answers(ChooseFile(path));
    Command(program, ID_FILE_OPEN);
    CQuorbel6View* view = program.View();
    return view && DocumentOf(*view) && std::string(DocumentOf(*view)->GetPathName().c_str()) == path;
}

// A surface's box on its sheet, thousandths of an inch; a disc's is the square around it.
RECT SurfaceBox(const CQuorbel6View& view, const CString& surface)
{
    const SurfaceGeometry& geometry = view.Model().Geometry();
    if (surface == "Back Cover")
        return RECT{geometry.back.left, geometry.back.top, geometry.back.left + geometry.back.width,
                    geometry.back.top + geometry.back.height};
    if (surface == "Front Cover")
        return RECT{geometry.front.left, geometry.front.top, geometry.front.left + geometry.front.width,
                    geometry.front.top + geometry.front.height};
    const DiscGeometry& disc = surface == "Disc 2" ? geometry.disc2 : geometry.disc1;
    return RECT{disc.left, disc.top, disc.left + disc.outerDiameter, disc.top + disc.outerDiameter};
}

// The surface's bitmap and where its top-left pixel lies on the page drawn.
struct SurfaceBitmap
{
    int index;
    POINT origin;
};
SurfaceBitmap BitmapOf(const CQuorbel6View& view, const CString& surface)
{
    const ScreenGeometry& drawn = view.Renderer().Geometry();
    if (surface == "Back Cover")
        return {CSurfaceBitmaps::kBackCover, POINT{drawn.back.left, drawn.back.top}};
    if (surface == "Front Cover")
        return {CSurfaceBitmaps::kFrontCover, POINT{drawn.front.left, drawn.front.top}};
    if (surface == "Disc 2")
        return {CSurfaceBitmaps::kDisc2, POINT{drawn.disc2.left, drawn.disc2.top}};
    return {CSurfaceBitmaps::kDisc1, POINT{drawn.disc1.left, drawn.disc1.top}};
}

std::vector<COLORREF> BitmapPixels(const CQuorbel6View& view, int bitmap)
{
    const SIZE size = view.m_surfaceBitmaps.GetSize(bitmap);
    std::vector<COLORREF> pixels;
    pixels.reserve(static_cast<size_t>(size.cx) * static_cast<size_t>(size.cy));
    for (int y = 0; y < size.cy; ++y)
        for (int x = 0; x < size.cx; ++x)
            pixels.push_back(view.m_surfaceBitmaps.GetPixel(bitmap, x, y));
    return pixels;
}

// The pixels of a bitmap that changed strictly inside a box of the sheet (its
// edges left out, where an outline could stand).
int ChangedInside(const CQuorbel6View& view, const CString& surface, const RECT& box,
                  const std::vector<COLORREF>& before)
{
    const SurfaceBitmap bitmap = BitmapOf(view, surface);
    const SIZE size = view.m_surfaceBitmaps.GetSize(bitmap.index);
    const int left = std::max<int>(0, view.DocToScreenLength(box.left) - bitmap.origin.x + 2);
    const int top = std::max<int>(0, view.DocToScreenLength(box.top) - bitmap.origin.y + 2);
    const int right = std::min<int>(size.cx, view.DocToScreenLength(box.right) - bitmap.origin.x - 2);
    const int bottom = std::min<int>(size.cy, view.DocToScreenLength(box.bottom) - bitmap.origin.y - 2);
    int changed = 0;
    for (int y = top; y < bottom; ++y)
        for (int x = left; x < right; ++x)
            changed += view.m_surfaceBitmaps.GetPixel(bitmap.index, x, y) !=
                       before[static_cast<size_t>(y) * static_cast<size_t>(size.cx) + static_cast<size_t>(x)];
    return changed;
}

RECT ObjectBox(const CQuorbel6View& view, const CString& name)
{
    const int left = LabelRows::ReadLength(view.GetPropertyValue(name, "Left"));
    const int top = LabelRows::ReadLength(view.GetPropertyValue(name, "Top"));
    return RECT{left, top, left + LabelRows::ReadLength(view.GetPropertyValue(name, "Width")),
                top + LabelRows::ReadLength(view.GetPropertyValue(name, "Height"))};
}

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

// Edit > Insert from the menu bar (no context-menu point): right after a label
// is opened, and after each surface command, the new object lands on the
// surface shown, where the user sees it, and its text is drawn there.
TEST(OpenedDocument, InsertCommandsPutTheirObjectWhereItIsSeen)
{
    ScratchFolder folder("SleevoryInsertSeen");
    struct Insert
    {
        UINT command;
        const char* name;
    };
    const Insert inserts[] = {{ID_INSERT_TEXT, "Text"},   {ID_INSERT_ARTIST, "Artist"},
                              {ID_INSERT_TITLE, "Title"}, {ID_INSERT_YEAR, "Year"},
                              {ID_INSERT_TIME, "Time"},   {ID_INSERT_GENRE, "Genre"},
                              {ID_INSERT_TRACK_LIST, "Track List"}};
    struct Layout
    {
        const char* name;
        int newDocumentRow;
        std::vector<UINT> surfaceCommands;  // 0: the surface the label opens on
    };
    const Layout layouts[] = {
        {"Single", 0, {0, ID_VIEW_FRONT_COVER, ID_VIEW_BACK_COVER, ID_VIEW_DISC_LABEL}},
        {"Double", 1, {0, ID_VIEW_FRONT_COVER, ID_VIEW_BACK_COVER, ID_VIEW_DISC_LABEL, ID_VIEW_DISC2}},
    };

    RunningApp program;
    CQuorbel6View* view = program.RunToLabel();
    ASSERT_NE(view, nullptr);
    for (const Layout& layout : layouts) {
        SCOPED_TRACE(layout.name);
        const std::string path = folder.PathOf((std::string(layout.name) + ".slv").c_str());
        {
            DialogAnswers answers(ChooseNewLabel(layout.newDocumentRow, true));
            Command(program, ID_FILE_NEW);
        }
        ASSERT_EQ(view->Model().Shown().layout, layout.name);
        ASSERT_TRUE(SaveLabel(*view, path));

        for (const UINT surfaceCommand : layout.surfaceCommands) {
            ASSERT_TRUE(OpenThroughMenu(program, path));
            if (surfaceCommand != 0)
                Command(program, surfaceCommand);
            const CString surface = view->Model().Shown().surface;
            // Each insert is undone before the next, so each meets the label as opened.
            for (const Insert& insert : inserts) {
                SCOPED_TRACE(std::string(surface.c_str()) + ", " + insert.name);
                const std::vector<COLORREF> before = BitmapPixels(*view, BitmapOf(*view, surface).index);
                {
                    DialogAnswers answers(ChooseDisc(surface == "Disc 2" ? 2 : 1));
                    Command(program, insert.command);
                }
                const CString made = view->m_strSelectedObject;
                ASSERT_EQ(made.Left(static_cast<int>(strlen(insert.name))), insert.name) << made.c_str();
                EXPECT_EQ(view->GetPropertyValue(made, "View"), surface);

                const RECT box = ObjectBox(*view, made);
                const RECT on = SurfaceBox(*view, surface);
                RECT inside{};
                IntersectRect(&inside, &box, &on);
                EXPECT_TRUE(EqualRect(&inside, &box)) << "box " << box.left << "," << box.top << "," << box.right
                                                      << "," << box.bottom << " off its surface";
                // In the window: the middle of the box lies in the client area.
                POINT middle = view->DocToScreenPoint(POINT{(box.left + box.right) / 2, (box.top + box.bottom) / 2});
                ScreenToClient(view->m_hWnd, &middle);
                RECT client{};
                GetClientRect(view->m_hWnd, &client);
                EXPECT_TRUE(PtInRect(&client, middle)) << middle.x << "," << middle.y;
                EXPECT_GT(ChangedInside(*view, surface, box, before), 20) << "nothing drawn inside the new box";
                Command(program, ID_EDIT_UNDO);
                ASSERT_LT(view->FindObjectRow(made), 0);
            }
        }
    }
}

// A label opened after the one shown was zoomed in or out lands as it does
// when nothing was zoomed before: the same zoom, the same place in the window.
TEST(OpenedDocument, AnOpenedLabelLandsAsAfterNoZoom)
{
    ScratchFolder folder("SleevoryOpenAfterZoom");
    const std::string path = folder.PathOf("placed.slv");
    RunningApp program;
    CQuorbel6View* view = program.RunToLabel();
    ASSERT_NE(view, nullptr);
    ASSERT_TRUE(SaveLabel(*view, path));

    const auto placement = [&] {
        const RECT box = SurfaceBox(*view, view->Model().Shown().surface);
        return view->DocToScreenRect(box);
    };
    ASSERT_TRUE(OpenThroughMenu(program, path));
    const int zoom = view->Model().Shown().zoom;
    const RECT expected = placement();

    struct Case
    {
        const char* what;
        UINT command;
        int times;
    };
    const Case cases[] = {{"zoomed out fully", ID_VIEW_ZOOM_OUT, 12}, {"zoomed in", ID_VIEW_ZOOM_IN, 4},
                          {"zoomed out once", ID_VIEW_ZOOM_OUT, 1}, {"on another surface", ID_VIEW_BACK_COVER, 1}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        for (int i = 0; i < c.times; ++i)
            Command(program, c.command);
        ASSERT_TRUE(OpenThroughMenu(program, path));
        EXPECT_EQ(view->Model().Shown().zoom, zoom);
        const RECT placed = placement();
        EXPECT_TRUE(EqualRect(&placed, &expected))
            << placed.left << "," << placed.top << " instead of " << expected.left << "," << expected.top;
    }
}

// File > New with a default template: the template is the program's file, not
// one the user opened, and stays out of the recent-file list.
TEST(OpenedDocument, DefaultTemplatesStayOutOfTheRecentFileList)
{
    RunningApp program;
    CQuorbel6View* view = program.RunToLabel();
    ASSERT_NE(view, nullptr);
    CRecentFileList* list = program.App().GetRecentFileList();
    ASSERT_NE(list, nullptr);
    while (list->GetCount() > 0)
        list->Remove(0);
    // Twice each: the first may make the template, the second reads it.
    for (const int row : {0, 0, 1, 1}) {
        SCOPED_TRACE(row);
        DialogAnswers answers(ChooseNewLabel(row, true));
        Command(program, ID_FILE_NEW);
        EXPECT_EQ(DocumentOf(*view)->GetTitle(), row == 0 ? "Default1.slv" : "Default2.slv");
        EXPECT_EQ(list->GetCount(), 0) << list->GetMenuText(0).c_str();
    }
}

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
