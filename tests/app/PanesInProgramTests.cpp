// The Text pane and the object tool bar in the running program: the pane
// follows what the view selects, edits the label through the frame's real
// windows, and Undo from the menu puts the label and the pane back.
#include "app/Quorbel6App.h"
#include "document/Quorbel6Doc.h"
#include "label/ObjectDrop.h"
#include "label/TrackListEdit.h"
#include "resource.h"
#include "shell/MainFrame.h"
#include "view/Quorbel6View.h"

#include "RunningApp.h"
#include "imaging/ImageFixtures.h"
#include "imaging/ScratchTree.h"
#include "shell/ThumbnailButton.h"
#include "support/MessagePump.h"
#include "support/SentMessageWatch.h"
#include "support/DialogAnswers.h"

#include <gtest/gtest.h>

#include <string>

namespace
{
bool HasVisibleStyle(const CWnd& window)
{
    return window.m_hWnd && (window.GetStyle() & WS_VISIBLE) != 0;
}

std::string Caption(const CWnd& window)
{
    CString text;
    window.GetWindowText(text);
    return text.c_str();
}

// The album's track list: one per disc on a double CD.
CString TrackListName(const CQuorbel6View& view)
{
    return view.IsDoubleLayout() ? "Track List - Disc 1" : "Track List";
}

CString TrackText(const CQuorbel6View& view)
{
    CString type;
    CString value;
    view.FindPaneText(TrackListName(view), type, value);
    return value;
}
}  // namespace

TEST(PanesInProgram, TextPaneFollowsTheViewAndUndoFromTheMenu)
{
    RunningApp program;
    CQuorbel6View* view = program.RunToLabel();
    ASSERT_NE(view, nullptr);
    auto* frame = dynamic_cast<CMainFrame*>(program.App().m_pMainWnd);
    ASSERT_NE(frame, nullptr);
    CTextEditorBar& pane = frame->TextPane();
    ASSERT_NE(pane.m_hWnd, nullptr);

    // Switching to a surface shows it in the panes: no text to edit.
    frame->SendMessage(WM_COMMAND, ID_VIEW_FRONT_COVER);
    EXPECT_EQ(Caption(pane), "Text Editor");
    EXPECT_TRUE(HasVisibleStyle(pane.Placeholder()));

    // A new track list is selected and the pane shows its tracks.
    const RECT cover = view->GetSurfaceRect("Front Cover");
    POINT middle{(cover.left + cover.right) / 2, (cover.top + cover.bottom) / 2};
    ::ClientToScreen(view->m_hWnd, &middle);
    view->AddTrackListObject(TrackListName(*view), RECT{middle.x - 20, middle.y - 20, middle.x + 20, middle.y + 20}, "Inside");
    EXPECT_EQ(Caption(pane), "Text Editor - " + std::string(TrackListName(*view).c_str()));
    EXPECT_TRUE(HasVisibleStyle(pane.TrackList()));
    EXPECT_FALSE(HasVisibleStyle(pane.Placeholder()));
    const CString before = TrackText(*view);
    EXPECT_EQ(pane.TrackList().GetItemCount(), TrackListEdit::CountOf(before));

    // The count box, through the pane's own window.
    CNumberComboBox& count = pane.TrackCount();
    count.SetCurSel(3);
    pane.SendMessage(WM_COMMAND, MAKEWPARAM(CTextEditorBar::kTrackCountId, CBN_SELCHANGE),
                     reinterpret_cast<LPARAM>(count.m_hWnd));
    EXPECT_EQ(TrackListEdit::CountOf(TrackText(*view)), 3);
    EXPECT_EQ(pane.TrackList().GetItemCount(), 3);

    // Undo from the menu: the label and the pane go back together.
    frame->SendMessage(WM_COMMAND, ID_EDIT_UNDO);
    EXPECT_EQ(std::string(TrackText(*view).c_str()), std::string(before.c_str()));
    EXPECT_EQ(pane.TrackList().GetItemCount(), TrackListEdit::CountOf(before));
}

TEST(PanesInProgram, ObjectDraggedFromTheFramesToolBarLandsOnTheCover)
{
    RunningApp program;
    CQuorbel6View* view = program.RunToLabel();
    ASSERT_NE(view, nullptr);
    auto* frame = dynamic_cast<CMainFrame*>(program.App().m_pMainWnd);
    ASSERT_NE(frame, nullptr);
    auto& bar = dynamic_cast<CObjectToolBar&>(frame->ObjectToolBar());
    int questions = 0;
    bar.SetDiscQuestion([&] {
        ++questions;
        return 1;
    });
    frame->SendMessage(WM_COMMAND, ID_VIEW_FRONT_COVER);

    const RECT button = bar.GetItemRect(ObjectDrop::kAddTitle);
    const POINT press{(button.left + button.right) / 2, (button.top + button.bottom) / 2};
    const RECT cover = view->GetSurfaceRect("Front Cover");
    POINT drop{(cover.left + cover.right) / 2, (cover.top + cover.bottom) / 2};
    ::ClientToScreen(view->m_hWnd, &drop);
    ::ScreenToClient(bar.m_hWnd, &drop);
    const LPARAM at = MAKELPARAM(static_cast<short>(drop.x), static_cast<short>(drop.y));
    bar.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(press.x, press.y));
    bar.SendMessage(WM_MOUSEMOVE, MK_LBUTTON, at);
    EXPECT_EQ(bar.State(), ObjectDrop::DragState::Inside);
    bar.SendMessage(WM_LBUTTONUP, 0, at);

    const CString title = view->IsDoubleLayout() ? "Title - Disc 1" : "Title";
    EXPECT_EQ(questions, view->IsDoubleLayout() ? 1 : 0);
    const CString made = view->m_strSelectedObject;
    EXPECT_EQ(std::string(made.Left(title.GetLength()).c_str()), std::string(title.c_str()));
    EXPECT_EQ(std::string(view->GetPropertyValue(made, "View").c_str()), "Front Cover");
    EXPECT_EQ(Caption(frame->TextPane()), "Text Editor - " + std::string(title.c_str()));
    EXPECT_TRUE(HasVisibleStyle(frame->TextPane().Edit()));
}

TEST(PanesInProgram, AnObjectDroppedOnADiscIsProposedForThatDisc)
{
    RunningApp program;
    CQuorbel6View* view = program.RunToLabel();
    CMainFrame* frame = program.Frame();
    ASSERT_TRUE(view && frame);
    auto* doc = dynamic_cast<CQuorbel6Doc*>(view->GetDocument());
    ASSERT_NE(doc, nullptr);
    view->m_nStartPreset = 2;  // a double label from its default template
    doc->OnFileNew();
    ASSERT_TRUE(view->IsDoubleLayout());
    auto& bar = dynamic_cast<CObjectToolBar&>(frame->ObjectToolBar());

    // Dropped on each disc's ring in turn; the question is answered with OK as it opens.
    for (const int disc : {2, 1, 2}) {
        frame->SendMessage(WM_COMMAND, disc == 2 ? ID_VIEW_DISC2 : ID_VIEW_DISC_LABEL);
        const RECT outer = view->GetSurfaceRect(disc == 2 ? "Outer Radius2" : "Outer Radius");
        const RECT inner = view->GetSurfaceRect(disc == 2 ? "Inner Radius2" : "Inner Radius");
        POINT drop{(outer.left + outer.right) / 2, (outer.top + inner.top) / 2};
        ::ClientToScreen(view->m_hWnd, &drop);
        ::ScreenToClient(bar.m_hWnd, &drop);
        const RECT button = bar.GetItemRect(ObjectDrop::kAddYear);
        const POINT press{(button.left + button.right) / 2, (button.top + button.bottom) / 2};
        const LPARAM at = MAKELPARAM(static_cast<short>(drop.x), static_cast<short>(drop.y));

        int proposed = 0;
        DialogAnswers answers([&](HWND dialog) {
            proposed = ::SendMessageA(::GetDlgItem(dialog, IDC_DISC_CHOICE_DISC2), BM_GETCHECK, 0, 0) == BST_CHECKED
                           ? 2
                           : 1;
            ::PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
        });
        bar.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(press.x, press.y));
        bar.SendMessage(WM_MOUSEMOVE, MK_LBUTTON, at);
        ASSERT_EQ(bar.State(), ObjectDrop::DragState::Inside) << "disc " << disc;
        bar.SendMessage(WM_LBUTTONUP, 0, at);

        EXPECT_EQ(answers.OtherDialogs(), 1);
        EXPECT_EQ(proposed, disc);
        const std::string year = "Year - Disc " + std::to_string(disc);
        const CString made = view->m_strSelectedObject;
        EXPECT_EQ(std::string(made.Left(static_cast<int>(year.size())).c_str()), year);
        EXPECT_EQ(std::string(view->GetPropertyValue(made, "View").c_str()), "Disc " + std::to_string(disc));
    }
}

namespace
{
// Answers the Units dialog with one of its entries and OK.
class UnitsAnswer
{
public:
    explicit UnitsAnswer(const char* units) : m_units(units)
    {
        s_current = this;
        m_hook = ::SetWindowsHookExA(WH_CALLWNDPROCRET, &UnitsAnswer::Hook, nullptr, ::GetCurrentThreadId());
    }
    ~UnitsAnswer()
    {
        ::UnhookWindowsHookEx(m_hook);
        s_current = nullptr;
    }
    UnitsAnswer(const UnitsAnswer&) = delete;
    UnitsAnswer& operator=(const UnitsAnswer&) = delete;

private:
    static LRESULT CALLBACK Hook(int code, WPARAM wParam, LPARAM lParam)
    {
        const auto* message = reinterpret_cast<const CWPRETSTRUCT*>(lParam);
        if (code == HC_ACTION && s_current && message->message == WM_INITDIALOG) {
            if (HWND list = ::GetDlgItem(message->hwnd, IDC_UNITS_LIST)) {
                ::SendMessageA(list, CB_SELECTSTRING, static_cast<WPARAM>(-1),
                               reinterpret_cast<LPARAM>(s_current->m_units));
                ::PostMessageA(message->hwnd, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
            }
        }
        return ::CallNextHookEx(nullptr, code, wParam, lParam);
    }
    static inline UnitsAnswer* s_current = nullptr;
    const char* m_units;
    HHOOK m_hook = nullptr;
};

std::string TextMarginShown(CMainFrame& frame)
{
    for (const GridRow& row : frame.PropertiesPane().Grid().Rows())
        if (row.caption == "Text Margin")
            return row.display.c_str();
    return "<none>";
}
}  // namespace

TEST(PanesInProgram, UnitsChangeTheLengthsThePropertiesPaneShows)
{
    RunningApp program;
    CQuorbel6View* view = program.RunToLabel();
    ASSERT_NE(view, nullptr);
    auto* frame = dynamic_cast<CMainFrame*>(program.App().m_pMainWnd);
    ASSERT_NE(frame, nullptr);
    // The disc label's surface command shows the disc in the panes.
    frame->SendMessage(WM_COMMAND, ID_VIEW_DISC_LABEL);
    ASSERT_EQ(std::string(frame->ShownObject().c_str()), "Disc 1");
    const std::string inches = TextMarginShown(*frame);
    ASSERT_NE(inches, "<none>");
    {
        UnitsAnswer answer("Millimeters");
        view->SendMessage(WM_COMMAND, ID_LAYOUT_UNITS);
    }
    const std::string millimeters = TextMarginShown(*frame);
    {
        // The setting goes back for the tests that follow.
        UnitsAnswer answer("Inches");
        view->SendMessage(WM_COMMAND, ID_LAYOUT_UNITS);
    }
    EXPECT_NE(millimeters.find("mm"), std::string::npos) << millimeters;
    EXPECT_EQ(TextMarginShown(*frame), inches);
}

TEST(PanesInProgram, AThumbnailDroppedInTheDiscsHoleIsRefusedAndItsFrameGoes)
{
    RunningApp program;
    CQuorbel6View* view = program.RunToLabel();
    CMainFrame* frame = program.Frame();
    ASSERT_TRUE(view && frame);
    ScratchTree folder("dropped-in-the-hole");
    const std::vector<BYTE> picture = ReadWholeFile(ImageFixturePath("thumb-small.jpg"));
    folder.File("small.jpg", std::string(picture.begin(), picture.end()));
    CImagePanel& panel = frame->ImagesPane().Panel();
    panel.LoadImages(folder.Root().c_str(), "*.jpg", false);
    CThumbnailButton* cell = nullptr;
    SIZE thumbnail{};
    ASSERT_TRUE(test_support::PumpUntil(
        [&] {
            for (const auto& each : panel.Cells()) {
                CImageListEntry entry;
                if (each->IsWindowVisible() && each->GetIndex() >= 0 &&
                    panel.State().list.Get(static_cast<size_t>(each->GetIndex()), entry) && entry.name == "small.jpg" &&
                    entry.thumbnail) {
                    cell = each.get();
                    thumbnail = entry.thumbnail->Size();
                    return true;
                }
            }
            return false;
        },
        10000));
    frame->SendMessage(WM_COMMAND, ID_VIEW_DISC_LABEL);
    const int images = view->Model().ImageCount();
    const size_t rows = view->Model().Rows().size();

    // Pressed on the picture's middle, released with the picture in the middle of the hole.
    const RECT hole = view->GetSurfaceRect("Inner Radius");
    ASSERT_GT(hole.right - hole.left, thumbnail.cx + 10);
    POINT release{(hole.left + hole.right) / 2, (hole.top + hole.bottom) / 2};
    ::ClientToScreen(view->m_hWnd, &release);
    ::ScreenToClient(cell->m_hWnd, &release);
    const LPARAM at = MAKELPARAM(static_cast<short>(release.x), static_cast<short>(release.y));
    test_support::PumpPending();
    DialogAnswers answers;
    cell->SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(62, 62));
    cell->SendMessage(WM_MOUSEMOVE, MK_LBUTTON, at);
    int paints = 0;
    int paintsBeforeADialog = -1;
    {
        SentMessageWatch watch([&](const CWPSTRUCT& message) {
            if (message.message == WM_PAINT && message.hwnd == view->m_hWnd)
                ++paints;
            if (message.message == WM_INITDIALOG && paintsBeforeADialog < 0)
                paintsBeforeADialog = paints;
        });
        cell->SendMessage(WM_LBUTTONUP, 0, at);
    }

    // The label under the drag frame is painted afresh before the user is told why nothing came of it.
    EXPECT_GT(paintsBeforeADialog, 0) << "the label under the drag frame was not repainted";
    EXPECT_EQ(answers.MessageTexts(),
              std::vector<std::string>{"The image was not inserted: drop it on a cover, or on the printable ring of a disc."});
    EXPECT_EQ(view->Model().ImageCount(), images);
    EXPECT_EQ(view->Model().Rows().size(), rows);
}
