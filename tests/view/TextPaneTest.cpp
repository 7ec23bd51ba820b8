// The Text pane on a real label view: what it shows for each kind of object,
// typing into its edit box and its track cells, the track count, Delete,
// Move Up and Move Down, each with its undo step, and the edit commands that
// go to the field with the focus.
#include "app/Quorbel6App.h"
#include "document/AppSettings.h"
#include "framework/CommandIds.h"
#include "framework/FrameWnd.h"
#include "framework/ProgramFolder.h"
#include "label/TrackListEdit.h"
#include "resource.h"
#include "shell/FrameView.h"
#include "shell/TextEditorBar.h"
#include "view/Quorbel6View.h"

#include "support/DialogAnswers.h"
#include "support/MessagePump.h"

#include "StandInFrame.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <commctrl.h>

#include <string>
#include <vector>

namespace
{
// A main frame holding the Text pane, telling it what the view tells the frame.
class TextFrame : public StandInFrame
{
public:
    void ShowObject(const CString& objectName) override { pane.ShowObject(objectName); }
    void SetPastePossible(bool possible) override { pastePossible = possible; }
    void ClearTextFieldFocus() override { pane.ClearFocusFlags(); }
    HWND FocusedTextField() const override { return pane.FocusedField(); }
    bool IsPropertiesPaneShown() const override { return false; }
    bool IsTextPaneShown() const override { return true; }

    CTextEditorBar pane;
    bool pastePossible = false;
};

std::string Str(const CString& text)
{
    return text.c_str();
}

class TextPane : public ::testing::Test
{
protected:
    void SetUp() override
    {
        m_folder = UseScratchProgramFolder("SleevoryTextPane");

        m_view = OpenViewInFrame(m_app, m_frame);
        ASSERT_NE(m_view, nullptr);
        m_frame->ShowWindow(SW_SHOW);
        m_frame->RecalcLayout();

        ASSERT_TRUE(m_frame->pane.Create("Text", m_frame, ID_BAR_TEXT, WS_CHILD | WS_VISIBLE | CBRS_TOP));
        m_frame->pane.MoveWindow(0, 0, 260, 400);
        m_frame->pane.AttachHost(m_view);

        CQuorbel6View& view = *m_view;
        PrepareLabelView(view, m_settings, "Single");
        view.ShowSurface("Front Cover");

        const RECT cover = view.GetSurfaceRect("Front Cover");
        POINT middle{(cover.left + cover.right) / 2, (cover.top + cover.bottom) / 2};
        ::ClientToScreen(view.m_hWnd, &middle);
        const RECT area{middle.x - 40, middle.y - 10, middle.x + 40, middle.y + 10};
        view.AddTextObject("Artist", area, "Inside");
        view.AddTextObject("Artist", RECT{area.left, area.top + 40, area.right, area.bottom + 40}, "Inside");
        view.AddTrackListObject("Track List", RECT{area.left, area.top - 100, area.right, area.bottom - 100},
                                "Inside");
        ASSERT_GE(view.FindObjectRow("Artist(2)"), 0);
        ASSERT_GE(view.FindObjectRow("Track List(1)"), 0);
    }

    void TearDown() override
    {
        CloseViewInFrame(m_app, m_frame, m_folder);
    }

    // Makes the object the view's selection and the pane's, as a press would.
    void Select(const char* name)
    {
        m_view->SelectObject(name);
        m_frame->ShowObject(name);
    }
    std::string Text(const char* key) const
    {
        CString type;
        CString value;
        m_view->FindPaneText(key, type, value);
        return Str(value);
    }
    void SetTracks(const char* value)
    {
        m_view->WritePaneText("Track List", value);
        Select("Track List(1)");
    }
    // A message as the message loop hands it to the window it is for.
    void Deliver(UINT message, WPARAM wParam, HWND target)
    {
        MSG msg{target, message, wParam, 0, 0, {}};
        if (!CWnd::WalkPreTranslateTree(m_frame->m_hWnd, &msg))
            ::DispatchMessageA(&msg);
    }
    void Key(UINT key, HWND target)
    {
        Deliver(WM_KEYDOWN, key, target);
        Deliver(WM_KEYUP, key, target);
    }
    void Type(const char* text, HWND target)
    {
        for (const char* ch = text; *ch; ++ch) {
            const UINT key = static_cast<UINT>(::VkKeyScanA(*ch) & 0xFF);
            Deliver(WM_KEYDOWN, key, target);
            Deliver(WM_CHAR, static_cast<unsigned char>(*ch), target);
            Deliver(WM_KEYUP, key, target);
        }
    }
    std::string Caption() const
    {
        char text[128] = {};
        ::GetWindowTextA(m_frame->pane.m_hWnd, text, sizeof text);
        return text;
    }
    std::string WindowText(HWND window) const
    {
        char text[512] = {};
        ::GetWindowTextA(window, text, sizeof text);
        return text;
    }
    CTrackListCtrl& List() { return m_frame->pane.TrackList(); }
    // A press on a cell of the track list.
    void PressCell(int row, int column, UINT message = WM_LBUTTONDOWN)
    {
        RECT cell{};
        cell.top = column;
        cell.left = LVIR_BOUNDS;
        List().SendMessage(LVM_GETSUBITEMRECT, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&cell));
        const POINT at{(cell.left + cell.right) / 2, (cell.top + cell.bottom) / 2};
        List().SendMessage(message, message == WM_LBUTTONUP ? 0 : MK_LBUTTON, MAKELPARAM(at.x, at.y));
    }
    void ClickButton(int command)
    {
        CBevelButton& button = m_frame->pane.Button(command);
        button.SetFocus();
        m_frame->pane.SendMessage(WM_COMMAND, MAKEWPARAM(button.GetDlgCtrlID(), BN_CLICKED),
                                  reinterpret_cast<LPARAM>(button.m_hWnd));
    }
    void ChooseCount(int count)
    {
        CNumberComboBox& combo = m_frame->pane.TrackCount();
        combo.SetCurSel(count);
        m_frame->pane.SendMessage(WM_COMMAND, MAKEWPARAM(CTextEditorBar::kTrackCountId, CBN_SELCHANGE),
                                  reinterpret_cast<LPARAM>(combo.m_hWnd));
    }
    int UndoSteps() const { return m_view->UndoHistory().CurrentStep(); }

    CQuorbel6App m_app;
    CAppSettings m_settings;
    TextFrame* m_frame = nullptr;
    CQuorbel6View* m_view = nullptr;
    std::string m_folder;
};
}  // namespace

TEST_F(TextPane, ShowsTheEditorOfEachKindOfObject)
{
    CTextEditorBar& pane = m_frame->pane;
    // A copy edits the text of the object it was copied from.
    Select("Artist(2)");
    EXPECT_EQ(Caption(), "Text Editor - Artist");
    EXPECT_TRUE(pane.Edit().IsWindowVisible());
    EXPECT_FALSE(List().IsWindowVisible());
    EXPECT_FALSE(pane.Placeholder().IsWindowVisible());
    EXPECT_EQ(WindowText(pane.Edit().m_hWnd), "Artist");
    EXPECT_EQ(Str(pane.Edit().ObjectName()), "Artist(2)");

    Select("Track List(1)");
    EXPECT_EQ(Caption(), "Text Editor - Track List");
    EXPECT_FALSE(pane.Edit().IsWindowVisible());
    EXPECT_TRUE(List().IsWindowVisible());
    EXPECT_TRUE(pane.TrackCount().IsWindowVisible());
    EXPECT_TRUE(pane.Button(CTextEditorBar::kMoveDown).IsWindowVisible());
    ASSERT_EQ(List().GetItemCount(), 7);
    EXPECT_EQ(Str(List().GetItemText(2, CTrackListCtrl::kNumberColumn)), "3");
    EXPECT_EQ(Str(List().GetItemText(2, CTrackListCtrl::kNameColumn)), "Track 3");
    EXPECT_EQ(Str(List().GetItemText(2, CTrackListCtrl::kTimeColumn)), "0:03");
    EXPECT_EQ(pane.TrackCount().GetCurSel(), 7);

    for (const char* other : {"Front Cover", "Left Tab", ""}) {
        Select(other);
        EXPECT_EQ(Caption(), "Text Editor") << other;
        EXPECT_TRUE(pane.Placeholder().IsWindowVisible()) << other;
        EXPECT_FALSE(pane.Edit().IsWindowVisible()) << other;
        EXPECT_FALSE(List().IsWindowVisible()) << other;
        EXPECT_EQ(Str(pane.Edit().ObjectName()), "") << other;
    }
}

TEST_F(TextPane, TypingWritesAtOnceAndLeavingRecordsOneUndoStep)
{
    Select("Artist(1)");
    CTextEditorEdit& edit = m_frame->pane.Edit();
    edit.SetFocus();
    ASSERT_EQ(::GetFocus(), edit.m_hWnd);
    EXPECT_TRUE(m_frame->pane.EditHasFocusFlag());
    edit.SetSel(0, -1);
    const int steps = UndoSteps();
    Type("Rock `n` Roll ", edit.m_hWnd);
    // Each key reaches the label, the backticks as apostrophes, the trailing space trimmed.
    EXPECT_EQ(Text("Artist"), "Rock 'n' Roll");
    EXPECT_EQ(WindowText(edit.m_hWnd), "Rock 'n' Roll ");
    EXPECT_EQ(Str(m_app.m_strPendingRefresh), "Artist");
    EXPECT_EQ(UndoSteps(), steps);
    m_app.OnIdle(0);
    EXPECT_EQ(Str(m_app.m_strPendingRefresh), "");

    // Text set without a key (paste, a message) is written too, backticks and all.
    ::SendMessageA(edit.m_hWnd, EM_REPLACESEL, FALSE, reinterpret_cast<LPARAM>("&`Co"));
    EXPECT_EQ(Text("Artist"), "Rock 'n' Roll &'Co");
    EXPECT_EQ(WindowText(edit.m_hWnd).find('`'), std::string::npos);

    // Leaving the box is the one undo step of the whole edit.
    m_view->SetFocus();
    EXPECT_EQ(UndoSteps(), steps + 1);
    EXPECT_EQ(Str(edit.CommittedText()), "Rock 'n' Roll &'Co");
    m_view->OnEditUndo();
    EXPECT_EQ(Text("Artist"), "Artist");
    m_view->OnEditRedo();
    EXPECT_EQ(Text("Artist"), "Rock 'n' Roll &'Co");

    // Focus going and coming without a change records nothing.
    Select("Artist(1)");
    edit.SetFocus();
    m_view->SetFocus();
    EXPECT_EQ(UndoSteps(), steps + 1);
}

TEST_F(TextPane, TrackCountGrowsAndShrinksWithUndo)
{
    SetTracks("");
    EXPECT_EQ(Text("Track List"), "0`");
    EXPECT_EQ(List().GetItemCount(), 0);
    const int steps = UndoSteps();
    ChooseCount(3);
    EXPECT_EQ(Text("Track List"), "3`Track 1`0:01`Track 2`0:02`Track 3`0:03`");
    EXPECT_EQ(List().GetItemCount(), 3);
    EXPECT_EQ(UndoSteps(), steps + 1);

    ChooseCount(61);
    ASSERT_EQ(List().GetItemCount(), 61);
    EXPECT_EQ(Str(List().GetItemText(59, CTrackListCtrl::kTimeColumn)), "1:00");
    ChooseCount(0);
    // No tracks: the label keeps the count alone.
    EXPECT_EQ(Text("Track List"), "0`");
    EXPECT_EQ(List().GetItemCount(), 0);

    m_view->OnEditUndo();
    EXPECT_EQ(TrackListEdit::CountOf(Text("Track List").c_str()), 61);
    m_view->OnEditUndo();
    m_view->OnEditUndo();
    EXPECT_EQ(Text("Track List"), "0`");

    // A typed count beyond the box is cut to 200, and the user is told so.
    CNumberComboBox& combo = m_frame->pane.TrackCount();
    combo.SetCurSel(-1);
    combo.SetWindowText("950");
    DialogAnswers answers;
    m_frame->pane.OnTrackCountChange();
    EXPECT_EQ(List().GetItemCount(), TrackListEdit::kMaxTracks);
    EXPECT_EQ(combo.GetCurSel(), TrackListEdit::kMaxTracks);
    EXPECT_EQ(answers.MessageTexts(),
              std::vector<std::string>{"A track list holds at most 200 tracks: the count was set to 200."});
}

TEST_F(TextPane, CellEditorsWriteEachKeyAndCommitOnTheNextRow)
{
    SetTracks("3`Intro`0:45`Song`3:10`Outro`1:00`");
    PressCell(1, CTrackListCtrl::kNameColumn);
    CCellEdit& name = List().NameEditor();
    ASSERT_TRUE(name.IsWindowVisible());
    EXPECT_EQ(::GetFocus(), name.m_hWnd);
    EXPECT_TRUE(List().IsNameEditorActive());
    EXPECT_EQ(m_frame->FocusedTextField(), name.m_hWnd);
    const int steps = UndoSteps();
    Type("Ball`ad", name.m_hWnd);
    // The editor started with the whole name selected: typing replaced it.
    EXPECT_EQ(Text("Track List"), "3`Intro`0:45`Ball'ad`3:10`Outro`1:00`");
    EXPECT_EQ(Str(List().GetItemText(1, CTrackListCtrl::kNameColumn)), "Ball'ad");
    EXPECT_EQ(UndoSteps(), steps);

    // Down moves the editor to the next row and commits the edit.
    Key(VK_DOWN, name.m_hWnd);
    EXPECT_EQ(List().GetCurrentRow(), 2);
    EXPECT_EQ(UndoSteps(), steps + 1);
    EXPECT_EQ(WindowText(name.m_hWnd), "Outro");

    PressCell(0, CTrackListCtrl::kTimeColumn);
    CCellEdit& time = List().TimeEditor();
    EXPECT_TRUE(List().IsTimeEditorActive());
    EXPECT_FALSE(List().IsNameEditorActive());
    Type("1:23", time.m_hWnd);
    EXPECT_EQ(WindowText(time.m_hWnd), "1:23");
    EXPECT_EQ(Text("Track List"), "3`Intro`1:23`Ball'ad`3:10`Outro`1:00`");
    m_view->SetFocus();
    EXPECT_EQ(UndoSteps(), steps + 2);
    m_view->OnEditUndo();
    m_view->OnEditUndo();
    EXPECT_EQ(Text("Track List"), "3`Intro`0:45`Song`3:10`Outro`1:00`");

    // Showing the object anew (a press on the label) leaves the focus on the label.
    PressCell(1, CTrackListCtrl::kNameColumn);
    m_view->SetFocus();
    Select("Track List(1)");
    EXPECT_EQ(::GetFocus(), m_view->m_hWnd);
    EXPECT_EQ(List().GetCurrentRow(), -1);
}

TEST_F(TextPane, DeleteAndMoveOnTheEditedCell)
{
    SetTracks("3`Intro`0:45`Song`3:10`Outro`1:00`");
    const int steps = UndoSteps();
    // Move Up on the first row and Move Down on the last change nothing.
    PressCell(0, CTrackListCtrl::kNameColumn);
    ClickButton(CTextEditorBar::kMoveUp);
    PressCell(2, CTrackListCtrl::kTimeColumn);
    ClickButton(CTextEditorBar::kMoveDown);
    EXPECT_EQ(Text("Track List"), "3`Intro`0:45`Song`3:10`Outro`1:00`");
    EXPECT_EQ(UndoSteps(), steps);
    EXPECT_TRUE(List().TimeEditor().IsWindowVisible());

    // Move Up on a time moves that time only; the editor goes with it.
    ClickButton(CTextEditorBar::kMoveUp);
    EXPECT_EQ(Text("Track List"), "3`Intro`0:45`Song`1:00`Outro`3:10`");
    EXPECT_EQ(List().GetCurrentRow(), 1);
    EXPECT_EQ(UndoSteps(), steps + 1);

    // Delete on a name empties that name only; the row stays.
    PressCell(1, CTrackListCtrl::kNameColumn);
    ClickButton(CTextEditorBar::kDelete);
    EXPECT_EQ(Text("Track List"), "3`Intro`0:45``1:00`Outro`3:10`");
    EXPECT_EQ(List().GetItemCount(), 3);
    EXPECT_EQ(::GetFocus(), List().NameEditor().m_hWnd);
    EXPECT_EQ(UndoSteps(), steps + 2);
    // Leaving the editor afterwards records nothing more.
    m_view->SetFocus();
    EXPECT_EQ(UndoSteps(), steps + 2);
    // Deleting an empty name again is no change.
    PressCell(1, CTrackListCtrl::kNameColumn);
    ClickButton(CTextEditorBar::kDelete);
    EXPECT_EQ(UndoSteps(), steps + 2);

    m_view->OnEditUndo();
    m_view->OnEditUndo();
    EXPECT_EQ(Text("Track List"), "3`Intro`0:45`Song`3:10`Outro`1:00`");
}

TEST_F(TextPane, SelectedRowsMoveAndGo)
{
    SetTracks("4`a`0:01`b`0:02`c`0:03`d`0:04`");
    // Press on row 2's number and drag up to row 1: rows 1 and 2 are selected.
    PressCell(2, CTrackListCtrl::kNumberColumn);
    PressCell(1, CTrackListCtrl::kNumberColumn, WM_MOUSEMOVE);
    PressCell(1, CTrackListCtrl::kNumberColumn, WM_LBUTTONUP);
    ASSERT_TRUE(List().HasSelection());
    EXPECT_EQ(List().SelectionStart(), 1);
    EXPECT_EQ(List().SelectionEnd(), 2);
    const int steps = UndoSteps();

    ClickButton(CTextEditorBar::kMoveUp);
    EXPECT_EQ(Text("Track List"), "4`b`0:02`c`0:03`a`0:01`d`0:04`");
    EXPECT_EQ(List().SelectionStart(), 0);
    EXPECT_EQ(Str(List().GetItemText(0, CTrackListCtrl::kNumberColumn)), "1");
    // At the top the block stays.
    ClickButton(CTextEditorBar::kMoveUp);
    EXPECT_EQ(UndoSteps(), steps + 1);
    ClickButton(CTextEditorBar::kMoveDown);
    ClickButton(CTextEditorBar::kMoveDown);
    EXPECT_EQ(Text("Track List"), "4`a`0:01`d`0:04`b`0:02`c`0:03`");

    ClickButton(CTextEditorBar::kDelete);
    EXPECT_EQ(Text("Track List"), "2`a`0:01`d`0:04`");
    EXPECT_FALSE(List().HasSelection());
    EXPECT_EQ(m_frame->pane.TrackCount().GetCurSel(), 2);
    EXPECT_EQ(Str(List().GetItemText(1, CTrackListCtrl::kNumberColumn)), "2");
    EXPECT_EQ(UndoSteps(), steps + 4);
    m_view->OnEditUndo();
    EXPECT_EQ(Text("Track List"), "4`a`0:01`d`0:04`b`0:02`c`0:03`");
}

TEST_F(TextPane, EditCommandsActOnTheFocusedField)
{
    Select("Artist(1)");
    CTextEditorEdit& edit = m_frame->pane.Edit();
    edit.SetFocus();
    ASSERT_EQ(m_frame->FocusedTextField(), edit.m_hWnd);
    // Delete without a selection takes the character after the caret, not the object.
    edit.SetSel(0, 0);
    m_view->OnEditDelete();
    EXPECT_EQ(WindowText(edit.m_hWnd), "rtist");
    EXPECT_EQ(Text("Artist"), "rtist");
    EXPECT_GE(m_view->FindObjectRow("Artist(1)"), 0);

    // A press on the label ends that: Delete acts on the label again.
    m_view->SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(2, 2));
    m_view->SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(2, 2));
    EXPECT_FALSE(m_frame->pane.EditHasFocusFlag());
    EXPECT_EQ(m_frame->FocusedTextField(), nullptr);
}
