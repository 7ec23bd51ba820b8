// Edits made in the Properties pane, the Text pane and the Edit menu of the
// running program, with the keys and clicks a user makes: what the program
// says about a value it limited or refused, Escape in a track cell, and the
// panes and menus following the label's state.
#include "app/Quorbel6App.h"
#include "imaging/ImageFixtures.h"
#include "imaging/PictureFile.h"
#include "label/LabelRows.h"
#include "label/TrackListEdit.h"
#include "resource.h"
#include "shell/MainFrame.h"
#include "view/Quorbel6View.h"

#include "support/DialogAnswers.h"

#include "ProgramTest.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

namespace
{
std::string Str(const CString& text)
{
    return text.c_str();
}

POINT Centre(const RECT& rect)
{
    return POINT{(rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2};
}

// The running program's label and main frame, started once per test.
class ProgramWithPanes : public ProgramTest
{
protected:
    CPropertyGrid& Grid() { return m_frame->PropertiesPane().Grid(); }
    std::string Value(const CString& name, const char* key) const { return Str(m_view->GetPropertyValue(name, key)); }
    std::string Choices(const CString& name, const char* key) const
    {
        const int row = m_view->FindPropertyRow(name, key);
        return row < 0 ? "<none>" : Str(m_view->Model().Row(row).m_strChoices);
    }

    // The grid row showing a caption, as the user sees it now.
    const GridRow* GridRowOf(const char* caption)
    {
        for (const GridRow& row : Grid().Rows())
            if (row.caption == caption)
                return &row;
        return nullptr;
    }
    // A click in the middle of a row's value cell.
    void ClickGridValue(const char* caption)
    {
        const std::vector<GridRow>& rows = Grid().Rows();
        int index = -1;
        for (size_t i = 0; i < rows.size(); ++i)
            if (rows[i].caption == caption)
                index = static_cast<int>(i);
        std::string captions;
        for (const GridRow& row : rows)
            captions += Str(row.caption) + "|";
        ASSERT_GE(index, 0) << caption << " among " << captions;
        RECT cell{};
        cell.top = 2;
        cell.left = LVIR_BOUNDS;
        Grid().SendMessage(LVM_GETSUBITEMRECT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&cell));
        m_program.Click(Grid().m_hWnd, Centre(cell));
    }

    // An image of the surface shown, selected as the Images pane's drop leaves it.
    CString AddImage(POINT labelCentre)
    {
        const std::string file = ImageFixturePath("png-rgb8.png");
        EXPECT_EQ(m_view->LoadImageFile(ReadPictureFile(file.c_str()), file.c_str(), -1), 1);
        const POINT screen = m_view->DocToScreenPoint(labelCentre);
        m_view->AddImageObject(RECT{screen.x - 40, screen.y - 40, screen.x + 40, screen.y + 40}, "Inside", false,
                               true);
        return m_view->m_strSelectedObject;
    }

    // The album's track list: one per disc on a double CD.
    CString TrackListName() const { return m_view->IsDoubleLayout() ? "Track List - Disc 1" : "Track List"; }
    // A new track list in the middle of a surface, selected and in the Text pane.
    CString AddTrackList(const char* surface)
    {
        const RECT part = m_view->GetSurfaceRect(surface);
        POINT middle = Centre(part);
        ::ClientToScreen(m_view->m_hWnd, &middle);
        m_view->AddTrackListObject(TrackListName(), RECT{middle.x - 20, middle.y - 20, middle.x + 20, middle.y + 20},
                                   "Inside");
        return m_view->m_strSelectedObject;
    }
    CString TrackText()
    {
        CString type;
        CString value;
        m_view->FindPaneText(TrackListName(), type, value);
        return value;
    }
};

}  // namespace

// The disc's diameters are limited by the view; the user is told why, in the
// program's message box, however the typed value is committed. (The 5.000''
// bound needs a printer's printable area, which the tests' Wine has not.)
TEST_F(ProgramWithPanes, PropertiesPaneShowsTheLimitOfAValueItStored)
{
    Command(ID_VIEW_DISC_LABEL);
    ASSERT_EQ(Str(m_frame->ShownObject()), "Disc 1");
    // The disc's lengths are listed, as in a document that shows them.
    PropertyRows rows;
    m_view->Model().SwapRows(rows);
    for (PropertyEntry& row : rows)
        if (row.m_strObjectName == "Disc 1" && (row.m_strKey == "Left" || row.m_strKey == "Top" ||
                                                row.m_strKey == "Inner Diameter" || row.m_strKey == "Outer Diameter"))
            row.m_bShown = 1;
    m_view->Model().SwapRows(rows);
    m_frame->ShowObject("Disc 1");
    const int inner = LabelRows::ReadLength(m_view->GetPropertyValue("Disc 1", "Inner Diameter"));

    enum class Commit { Enter, Tab, FocusToTheLabel };
    struct Case
    {
        const char* caption;
        const char* typed;
        Commit commit;
        const char* message;
        int stored;  // thousandths of an inch
    };
    const Case cases[] = {
        {"Outer Diameter", "1", Commit::Enter, "The outer diameter cannot be smaller then the inner diameter.", inner},
        {"Inner Diameter", "6", Commit::Tab, "The inner diameter cannot exceed the outer diameter.", inner},
        {"Outer Diameter", "0.5", Commit::FocusToTheLabel,
         "The outer diameter cannot be smaller then the inner diameter.", inner},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.caption) + " " + c.typed);
        DialogAnswers answers;
        ClickGridValue(c.caption);
        CGridEdit& edit = Grid().EditBox();
        ASSERT_TRUE(edit.IsWindowVisible());
        ASSERT_EQ(::GetFocus(), edit.m_hWnd);
        edit.SendMessage(EM_SETSEL, 0, -1);
        m_program.Type(c.typed);
        switch (c.commit) {
        case Commit::Enter:
            m_program.PressKey(VK_RETURN);
            break;
        case Commit::Tab:
            m_program.PressKey(VK_TAB);
            break;
        case Commit::FocusToTheLabel:
            ::SetFocus(m_view->m_hWnd);
            m_program.RunQueued();
            break;
        }
        EXPECT_EQ(LabelRows::ReadLength(m_view->GetPropertyValue("Disc 1", c.caption)), c.stored);
        EXPECT_EQ(answers.MessageTexts(), std::vector<std::string>{c.message});
    }
    // A value within the limits is stored without a word.
    DialogAnswers answers;
    ClickGridValue("Inner Diameter");
    Grid().EditBox().SendMessage(EM_SETSEL, 0, -1);
    m_program.Type("1.5");
    m_program.PressKey(VK_RETURN);
    EXPECT_EQ(LabelRows::ReadLength(m_view->GetPropertyValue("Disc 1", "Inner Diameter")), 1500);
    EXPECT_TRUE(answers.MessageTexts().empty());
}

// Set as Background and Bring to Front from the Layout menu: the Properties
// pane shows the new ticks, so the next click on them does what it shows.
TEST_F(ProgramWithPanes, LayoutCommandsOnAnImageRefreshThePropertiesPane)
{
    Command(ID_VIEW_DISC_LABEL);
    const DiscGeometry& disc = m_view->Model().Geometry().disc1;
    const POINT middle{disc.left + disc.outerDiameter / 2, disc.top + disc.outerDiameter / 4};
    const CString behind = AddImage(middle);
    const CString front = AddImage(middle);
    ASSERT_NE(behind, front);

    // The image behind comes to the front.
    m_view->SelectObject(behind);
    m_frame->ShowObject(behind);
    ASSERT_NE(GridRowOf("Bring to Front"), nullptr);
    ASSERT_EQ(Str(GridRowOf("Bring to Front")->value), "No");
    Command(ID_LAYOUT_BRING_TO_FRONT);
    ASSERT_NE(GridRowOf("Bring to Front"), nullptr);
    EXPECT_EQ(Str(GridRowOf("Bring to Front")->value), "Disabled On");
    EXPECT_EQ(Value(behind, "Bring to Front"), "Disabled On");

    // The other one becomes the disc's background.
    m_view->SelectObject(front);
    m_frame->ShowObject(front);
    Command(ID_LAYOUT_SET_AS_BACKGROUND);
    ASSERT_EQ(Choices(front, "Item Type"), "Background");
    ASSERT_NE(GridRowOf("Set as Background"), nullptr);
    EXPECT_EQ(Str(GridRowOf("Set as Background")->value), "Disabled On");
    EXPECT_EQ(Str(GridRowOf("Bring to Front")->value), "No");

    // A click on the tick it shows changes nothing, and makes no step of its
    // own: Undo takes back the menu command.
    ClickGridValue("Set as Background");
    ASSERT_EQ(Choices(front, "Item Type"), "Background");
    Command(ID_EDIT_UNDO);
    EXPECT_NE(Choices(front, "Item Type"), "Background");
}

// Copy of an image whose picture could not be read keeps nothing, so the Edit
// menu offers no Paste.
TEST_F(ProgramWithPanes, PasteIsNotOfferedAfterACopyThatKeptNothing)
{
    Command(ID_VIEW_DISC_LABEL);
    const DiscGeometry& disc = m_view->Model().Geometry().disc1;
    const POINT middle{disc.left + disc.outerDiameter / 2, disc.top + disc.outerDiameter / 4};
    const CString image = AddImage(middle);
    // Its slot holds no picture, as a document whose picture was damaged leaves it.
    const int slot = std::atoi(m_view->GetPropertyValue(image, "Image Number"));
    m_view->Model().ReplaceImage(slot, std::make_unique<CxImage>());

    POINT press = m_view->DocToScreenPoint(middle);
    ::ScreenToClient(m_view->m_hWnd, &press);
    m_program.Click(m_view->m_hWnd, press);
    ASSERT_EQ(Str(m_view->m_strSelectedObject), Str(image));
    Command(ID_EDIT_COPY);

    HMENU edit = ::GetSubMenu(::GetMenu(m_frame->m_hWnd), 1);
    m_frame->SendMessage(WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(edit), MAKELPARAM(1, FALSE));
    EXPECT_TRUE(::GetMenuState(edit, ID_EDIT_PASTE, MF_BYCOMMAND) & MF_GRAYED);
    EXPECT_FALSE(::GetMenuState(edit, ID_EDIT_COPY, MF_BYCOMMAND) & MF_GRAYED) << "the image is still selected";
}

// Escape in a track cell puts the cell, and the label's text, back as they
// were and closes the cell editor.
TEST_F(ProgramWithPanes, EscapeInATrackCellCancelsTheEdit)
{
    Command(ID_VIEW_FRONT_COVER);
    AddTrackList("Front Cover");
    CTrackListCtrl& list = m_frame->TextPane().TrackList();
    ASSERT_GT(list.GetItemCount(), 1);
    const CString before = TrackText();

    for (const int column : {CTrackListCtrl::kNameColumn, CTrackListCtrl::kTimeColumn}) {
        SCOPED_TRACE(column);
        const CString cell = list.GetItemText(1, column);
        m_program.Click(list.m_hWnd, Centre(list.EditorCell(1, column)));
        CCellEdit& editor = column == CTrackListCtrl::kNameColumn ? list.NameEditor() : list.TimeEditor();
        ASSERT_EQ(::GetFocus(), editor.m_hWnd);
        m_program.Type("abc");
        ASSERT_NE(Str(TrackText()), Str(before)) << "each key goes into the label at once";

        m_program.PressKey(VK_ESCAPE);
        EXPECT_FALSE(editor.IsWindowVisible());
        EXPECT_EQ(Str(list.GetItemText(1, column)), Str(cell));
        EXPECT_EQ(Str(TrackText()), Str(before));
        EXPECT_EQ(::GetFocus(), list.m_hWnd);
    }
    // Nothing was changed, so there is nothing to undo.
    Command(ID_EDIT_UNDO);
    EXPECT_EQ(m_view->FindObjectRow(TrackListName()) >= 0, false) << "the only step was the insertion";
}

// A time is minutes and seconds: a number of seconds is turned into that,
// anything else is refused with a message and the cell keeps its time.
TEST_F(ProgramWithPanes, TrackTimesAreCheckedWhenTheCellIsLeft)
{
    Command(ID_VIEW_FRONT_COVER);
    AddTrackList("Front Cover");
    CTrackListCtrl& list = m_frame->TextPane().TrackList();
    ASSERT_GT(list.GetItemCount(), 0);

    enum class Leave { Enter, FocusToTheLabel };
    struct Case
    {
        const char* typed;
        Leave leave;
        const char* stored;  // nullptr: the time it had
        bool refused;
    };
    const Case cases[] = {
        {"75", Leave::Enter, "1:15", false},
        {"abc", Leave::Enter, nullptr, true},
        {"2:05", Leave::FocusToTheLabel, "2:05", false},
        {"3:7", Leave::FocusToTheLabel, nullptr, true},
        {"185", Leave::FocusToTheLabel, "3:05", false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.typed);
        const CString had = TrackListEdit::Parse(TrackText())[0].time;
        m_program.Click(list.m_hWnd, Centre(list.EditorCell(0, CTrackListCtrl::kTimeColumn)));
        ASSERT_EQ(::GetFocus(), list.TimeEditor().m_hWnd);
        DialogAnswers answers;
        m_program.Type(c.typed);
        if (c.leave == Leave::Enter) {
            m_program.PressKey(VK_RETURN);
        } else {
            ::SetFocus(m_view->m_hWnd);
            m_program.RunQueued();
        }
        const std::string expected = c.stored ? c.stored : Str(had);
        EXPECT_EQ(Str(TrackListEdit::Parse(TrackText())[0].time), expected);
        EXPECT_EQ(Str(list.GetItemText(0, CTrackListCtrl::kTimeColumn)), expected);
        EXPECT_EQ(answers.MessageTexts().size(), c.refused ? 1u : 0u);
        // Refused on Enter, the editor stays on its cell for another try.
        if (c.refused && c.leave == Leave::Enter) {
            EXPECT_EQ(::GetFocus(), list.TimeEditor().m_hWnd);
        }
    }
}

// A count typed above what the list holds is limited, and the user told so;
// a list that long on a disc shows the tracks that fit.
TEST_F(ProgramWithPanes, TrackCountAboveTheLimitIsToldAndTheDiscShowsWhatFits)
{
    Command(ID_VIEW_DISC_LABEL);
    const CString name = AddTrackList("Outer Radius");
    ASSERT_EQ(Value(name, "View"), "Disc 1");
    CNumberComboBox& count = m_frame->TextPane().TrackCount();
    ASSERT_TRUE(count.IsWindowVisible());

    DialogAnswers answers;
    count.SetFocus();
    ::SendMessageA(::GetFocus(), EM_SETSEL, 0, -1);
    m_program.Type("500");
    m_program.PressKey(VK_RETURN);

    EXPECT_EQ(TrackListEdit::CountOf(TrackText()), TrackListEdit::kMaxTracks);
    EXPECT_EQ(m_frame->TextPane().TrackList().GetItemCount(), TrackListEdit::kMaxTracks);
    EXPECT_EQ(answers.MessageTexts().size(), 1u);
    for (const std::string& message : answers.MessageTexts())
        EXPECT_NE(message.find("200"), std::string::npos) << message;

    // The label is laid out again when the program is idle.
    m_program.App().OnIdle(0);
    m_view->ShowSurface("");
    EXPECT_FALSE(m_view->GetPropertyValue(name, "Vector Data").IsEmpty());
}
