// Editing the label in the running program the way a user does it: clicks on
// the label, keys on the focused window, the menu commands and the panes.
#include "app/Quorbel6App.h"
#include "document/Quorbel6Doc.h"
#include "label/LabelRows.h"
#include "label/TextLayout.h"
#include "resource.h"
#include "shell/MainFrame.h"
#include "view/Quorbel6View.h"

#include "ProgramTest.h"
#include "imaging/ImageFixtures.h"
#include "imaging/PictureFile.h"
#include "support/DialogAnswers.h"
#include "support/InsertionPoint.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

std::string Str(const CString& text)
{
    return text.c_str();
}

class EditingOnLabel : public ProgramTest
{
protected:
    // The client point of a label point.
    POINT Client(POINT label) const
    {
        POINT point = m_view->DocToScreenPoint(label);
        ::ScreenToClient(m_view->m_hWnd, &point);
        return point;
    }
    int Length(const CString& name, const char* key) const
    {
        return LabelRows::ReadLength(m_view->GetPropertyValue(name, key));
    }
    POINT LabelCentre(const CString& name) const
    {
        return POINT{Length(name, "Left") + Length(name, "Width") / 2, Length(name, "Top") + Length(name, "Height") / 2};
    }
    void ClickLabel(POINT label) { m_program.Click(m_view->m_hWnd, Client(label)); }
    void ClickObject(const CString& name) { ClickLabel(LabelCentre(name)); }
    bool Exists(const CString& name) const { return m_view->FindObjectRow(name) >= 0; }

    // A middle point of the shown front cover's outer half.
    POINT FrontCoverPoint(int dx = 0, int dy = 0) const
    {
        const FrontCoverGeometry& front = m_view->Model().Geometry().front;
        const int left = front.left;
        const int width = front.width;
        const int top = front.top;
        const int height = front.height;
        const int outerLeft = m_view->Model().Placement().folded ? left + width / 2 : left;
        return POINT{outerLeft + (left + width - outerLeft) / 2 + dx, top + height / 2 + dy};
    }
    // Edit > Insert > Text where the context menu was opened; the new text is selected.
    CString InsertTextAt(const char* surface, POINT label)
    {
        m_view->ShowSurface(surface);
        PointInsertionAt(*m_view, label, "Inside");
        Command(ID_INSERT_TEXT);
        return m_view->m_strSelectedObject;
    }

};

// A click in the middle of a row's value cell of the property grid.
void ClickGridValue(RunningApp& program, CPropertyGrid& grid, const char* caption)
{
    const std::vector<GridRow>& rows = grid.Rows();
    int row = -1;
    for (size_t i = 0; i < rows.size(); ++i)
        if (rows[i].caption == caption)
            row = static_cast<int>(i);
    ASSERT_GE(row, 0) << caption;
    RECT cell{};
    cell.top = 2;
    cell.left = LVIR_BOUNDS;
    grid.SendMessage(LVM_GETSUBITEMRECT, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&cell));
    program.Click(grid.m_hWnd, POINT{cell.left + 30, (cell.top + cell.bottom) / 2});
}

std::string WindowText(HWND window)
{
    const int length = ::GetWindowTextLengthA(window);
    std::string text(static_cast<size_t>(length) + 1, '\0');
    ::GetWindowTextA(window, text.data(), length + 1);
    text.resize(static_cast<size_t>(length));
    return text;
}

}  // namespace

TEST_F(EditingOnLabel, DeleteAndBackspaceDeleteTheSelectedObjectAndStillEditInThePanes)
{
    Command(ID_VIEW_FRONT_COVER);
    const CString first = InsertTextAt("Front Cover", FrontCoverPoint(0, -600));
    const CString second = InsertTextAt("Front Cover", FrontCoverPoint(0, 600));
    ASSERT_TRUE(Exists(first) && Exists(second));

    for (const UINT key : {VK_DELETE, VK_BACK}) {
        SCOPED_TRACE(key == VK_DELETE ? "Delete" : "Backspace");
        ClickObject(first);
        ASSERT_EQ(Str(m_view->m_strSelectedObject), Str(first));
        ASSERT_EQ(::GetFocus(), m_view->m_hWnd) << "a click gives the label the keys";
        const int stepBefore = m_view->UndoHistory().CurrentStep();
        m_program.PressKey(key);
        EXPECT_FALSE(Exists(first)) << "the key deletes the selected text";
        EXPECT_TRUE(Exists(second));
        EXPECT_EQ(m_view->UndoHistory().CurrentStep(), stepBefore + 1) << "one undo step";
        Command(ID_EDIT_UNDO);
        EXPECT_TRUE(Exists(first)) << "Undo brings it back";
    }

    // A cover is never deleted by the keys.
    ClickLabel(FrontCoverPoint(0, 1500));
    ASSERT_EQ(Str(m_view->m_strSelectedObject), "Front Cover");
    m_program.PressKey(VK_DELETE);
    m_program.PressKey(VK_BACK);
    EXPECT_TRUE(Exists("Front Cover"));
    EXPECT_TRUE(Exists(first) && Exists(second));

    // In the Text pane's edit field the keys edit the text, and the object stays.
    ClickObject(second);
    ASSERT_EQ(Str(m_view->m_strSelectedObject), Str(second));
    CTextEditorEdit& edit = m_frame->TextPane().Edit();
    if (!::IsWindowVisible(edit.m_hWnd))
        Command(ID_VIEW_TEXT_EDITOR);  // the pane may have been closed in an earlier run
    ASSERT_TRUE(::IsWindowVisible(edit.m_hWnd));
    ::SetFocus(edit.m_hWnd);
    ASSERT_EQ(::GetFocus(), edit.m_hWnd);
    ::SetWindowTextA(edit.m_hWnd, "abcd");
    edit.SendMessage(EM_SETSEL, 4, 4);
    m_program.PressKey(VK_BACK);
    EXPECT_EQ(WindowText(edit.m_hWnd), "abc");
    edit.SendMessage(EM_SETSEL, 0, 0);
    m_program.PressKey(VK_DELETE);
    EXPECT_EQ(WindowText(edit.m_hWnd), "bc");
    EXPECT_TRUE(Exists(second)) << "keys in the Text pane never delete the object";

    // In the property grid the keys stay with the grid's editors.
    ClickObject(second);
    ASSERT_EQ(Str(m_view->m_strSelectedObject), Str(second));
    CPropertyGrid& grid = m_frame->PropertiesPane().Grid();
    ClickGridValue(m_program, grid, "Alignment");
    ASSERT_NE(::GetFocus(), m_view->m_hWnd);
    m_program.PressKey(VK_DELETE);
    m_program.PressKey(VK_BACK);
    EXPECT_TRUE(Exists(second)) << "keys in the Properties pane never delete the object";

    // A length typed in the grid's edit box loses its last character to Backspace.
    Command(ID_VIEW_DISC_LABEL);
    const DiscGeometry& disc = m_view->Model().Geometry().disc1;
    const int discLeft = disc.left, discTop = disc.top, discSize = disc.outerDiameter;
    ClickLabel(POINT{discLeft + discSize / 2, discTop + discSize / 20});
    ASSERT_EQ(Str(m_view->m_strSelectedObject), "Disc 1");
    ClickGridValue(m_program, grid, "Text Margin");
    CGridEdit& box = grid.EditBox();
    ASSERT_EQ(::GetFocus(), box.m_hWnd);
    const std::string typed = WindowText(box.m_hWnd);
    ASSERT_FALSE(typed.empty());
    box.SendMessage(EM_SETSEL, static_cast<WPARAM>(typed.size()), static_cast<LPARAM>(typed.size()));
    m_program.PressKey(VK_BACK);
    EXPECT_EQ(WindowText(box.m_hWnd), typed.substr(0, typed.size() - 1));
}

TEST_F(EditingOnLabel, ArrowKeysThereAndBackLeaveANewTextWhereItWas)
{
    Command(ID_VIEW_FRONT_COVER);
    // Several places, so that many stored thousandths are met on the way.
    for (int place = 0; place < 4; ++place) {
        SCOPED_TRACE("text " + std::to_string(place));
        const CString text = InsertTextAt("Front Cover", FrontCoverPoint(-300 + 137 * place, -900 + 451 * place));
        ASSERT_TRUE(Exists(text));
        ASSERT_EQ(::GetFocus(), m_view->m_hWnd);
        const int left = Length(text, "Left");
        const int top = Length(text, "Top");
        const struct
        {
            UINT there, back;
            const char* key;
        } trips[] = {{VK_RIGHT, VK_LEFT, "Left"}, {VK_DOWN, VK_UP, "Top"}};
        for (const auto& trip : trips) {
            const int start = Length(text, trip.key);
            for (int i = 0; i < 30; ++i)
                m_program.PressKey(trip.there);
            EXPECT_GT(Length(text, trip.key), start) << trip.key << " moved by the keys";
            for (int i = 0; i < 30; ++i)
                m_program.PressKey(trip.back);
        }
        EXPECT_EQ(Length(text, "Left"), left) << Str(m_view->GetPropertyValue(text, "Left"));
        EXPECT_EQ(Length(text, "Top"), top) << Str(m_view->GetPropertyValue(text, "Top"));
    }
}

TEST_F(EditingOnLabel, PressOnATextOverTheSelectedBackgroundSelectsTheTextAndADragMovesIt)
{
    Command(ID_VIEW_DISC_LABEL);
    const DiscGeometry& disc = m_view->Model().Geometry().disc1;
    const int radius = disc.outerDiameter / 2;
    const int discLeft = disc.left, discTop = disc.top;
    const POINT centre{discLeft + radius, discTop + radius};
    // A text on the ring above the hole, then a picture made the disc's background.
    const CString text = InsertTextAt("Disc 1", POINT{centre.x, centre.y - radius * 2 / 3});
    ASSERT_TRUE(Exists(text));
    {
        DialogAnswers messages;
        m_view->ShowSurface("Disc 1");
        PointInsertionAt(*m_view, POINT{centre.x, centre.y + radius / 2}, "Inside");
        // The picture as Insert > Image reads it from its file.
        const std::string file = ImageFixturePath("png-rgb8.png");
        ASSERT_EQ(m_view->LoadImageFile(ReadPictureFile(file.c_str()), file.c_str(), -1), 1);
        const POINT screen = m_view->DocToScreenPoint(POINT{centre.x, centre.y + radius / 2});
        m_view->AddImageObject(RECT{screen.x - 40, screen.y - 40, screen.x + 40, screen.y + 40}, "Inside", false,
                               true);
    }
    const CString background = m_view->m_strSelectedObject;
    ASSERT_EQ(Str(m_view->GetPropertyValue(background, "Item Type")), "Image");
    DialogAnswers messages;  // the program's tips and questions get their first button
    Command(ID_LAYOUT_SET_AS_BACKGROUND);
    ASSERT_EQ(Str(m_view->m_strSelectedObject), Str(background));

    // The background is chosen by clicks on a free place of the ring: the
    // disc first, the picture under it on the next click.
    const POINT free{centre.x - radius * 3 / 4, centre.y};
    for (int click = 0; click < 3 && m_view->m_strSelectedObject != background; ++click)
        ClickLabel(free);
    ASSERT_EQ(Str(m_view->m_strSelectedObject), Str(background));

    // A click on the text selects the text, the smaller object above.
    const int backgroundLeft = Length(background, "Left");
    ClickObject(text);
    EXPECT_EQ(Str(m_view->m_strSelectedObject), Str(text));

    // A drag from the text then moves the text, not the background.
    const int textLeft = Length(text, "Left");
    const POINT from = Client(LabelCentre(text));
    m_program.Drag(m_view->m_hWnd, from, POINT{from.x + 20, from.y});
    EXPECT_GT(Length(text, "Left"), textLeft);
    EXPECT_EQ(Length(background, "Left"), backgroundLeft);

    // A drag on a free place of the selected background still moves the background.
    for (int click = 0; click < 3 && m_view->m_strSelectedObject != background; ++click)
        ClickLabel(free);
    ASSERT_EQ(Str(m_view->m_strSelectedObject), Str(background));
    const POINT at = Client(free);
    m_program.Drag(m_view->m_hWnd, at, POINT{at.x + 10, at.y});
    EXPECT_NE(Length(background, "Left"), backgroundLeft);
}

TEST_F(EditingOnLabel, ChangeLabelPaperCancelledChangesNothingAfterACoverWasEdited)
{
    auto* doc = dynamic_cast<CQuorbel6Doc*>(m_view->GetDocument());
    ASSERT_NE(doc, nullptr);
    // The front cover moved on its sheet and back, as a paper change does:
    // its rows now hold the lengths as the setter writes them.
    Command(ID_VIEW_FRONT_COVER);
    const int top = m_view->Model().Geometry().front.top;
    m_view->ApplyProperty("Front Cover", "Top", LabelRows::ObjectLengthText(top + 100));
    m_view->ApplyProperty("Front Cover", "Top", LabelRows::ObjectLengthText(top));
    m_view->CommitUndoStep();
    ASSERT_EQ(Str(m_view->GetPropertyValue("Front Cover", "Top")), Str(LabelRows::ObjectLengthText(top)));
    // Then a cover edit, and the label saved.
    ClickLabel(FrontCoverPoint(0, 1500));
    ASSERT_EQ(Str(m_view->m_strSelectedObject), "Front Cover");
    m_view->ApplyProperty("Front Cover", "Color", "200,220,240");
    m_view->CommitUndoStep();
    doc->SetModifiedFlag(FALSE);

    const int step = m_view->UndoHistory().CurrentStep();
    const size_t entries = m_view->UndoHistory().Entries().size();
    {
        DialogAnswers cancel;  // presses Cancel in the dialog
        Command(ID_FILE_CHANGE_LABEL_PAPER);
        EXPECT_EQ(cancel.OtherDialogs(), 1);
    }
    EXPECT_FALSE(doc->IsModified()) << "Cancel is no change";
    EXPECT_EQ(m_view->UndoHistory().CurrentStep(), step);
    EXPECT_EQ(m_view->UndoHistory().Entries().size(), entries);
    Command(ID_EDIT_UNDO);
    EXPECT_EQ(Str(m_view->GetPropertyValue("Front Cover", "Color")), "255,255,255")
        << "the next Undo takes back the user's own edit";
}

TEST_F(EditingOnLabel, LoneCarriageReturnBreaksTheLineAndLosesNoCharacter)
{
    const DiscGeometry& disc = m_view->Model().Geometry().disc1;
    const int discLeft = disc.left, discTop = disc.top, discSize = disc.outerDiameter;
    const struct
    {
        const char* surface;
        POINT at;
    } places[] = {{"Front Cover", FrontCoverPoint(0, -300)}, {"Disc 1", POINT{discLeft + discSize / 2, discTop + discSize / 5}}};
    const struct
    {
        const char* text;
        std::vector<std::string> lines;
    } texts[] = {{"Side\rTwo", {"Side", "Two"}},
                 {"Side\r\nTwo", {"Side", "Two"}},
                 {"A\rB\r\nC", {"A", "B", "C"}},
                 {"End\r", {"End", ""}}};
    for (const auto& place : places) {
        const CString object = InsertTextAt(place.surface, place.at);
        ASSERT_TRUE(Exists(object));
        // The object is made tall enough for three lines at a readable size.
        m_view->ApplyProperty(object, "Height", LabelRows::ObjectLengthText(900));
        for (const auto& text : texts) {
            SCOPED_TRACE(std::string(place.surface) + ": " + std::to_string(text.lines.size()) + " lines");
            // As the album import writes a text into the label.
            m_view->ApplyProperty(object, "Text", text.text);
            m_view->ShowSurface(place.surface);
            std::vector<std::string> drawn;
            for (const TextLayout::CacheLine& line :
                 TextLayout::CacheLines(m_view->GetPropertyValue(object, "Vector Data")))
                drawn.push_back(Str(line.text));
            EXPECT_EQ(drawn, text.lines);
        }
    }
}
