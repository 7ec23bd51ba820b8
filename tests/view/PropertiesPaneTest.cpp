// The Properties pane, its property grid and the object list on a real label
// view: choosing objects in the list and by pressing the label, editing each
// kind of row in place with the mouse and keys, and what reaches the rows.
#include "app/Quorbel6App.h"
#include "document/AppSettings.h"
#include "framework/CommandIds.h"
#include "framework/FrameWnd.h"
#include "framework/ProgramFolder.h"
#include "label/LabelRows.h"
#include "label/ObjectRows.h"
#include "resource.h"
#include "shell/FrameView.h"
#include "shell/PropertiesBar.h"
#include "view/Quorbel6View.h"

#include "support/MessagePump.h"
#include "support/PropertyGridDriver.h"

#include "StandInFrame.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <string>
#include <vector>

namespace
{
// A main frame holding the Properties pane and the object list, telling them
// what the view tells it, as the program's main frame does.
class PaneFrame : public StandInFrame
{
public:
    void ShowObject(const CString& objectName) override
    {
        ++shows;
        pane.ShowObject(objectName);
    }
    void ShowProperties(const CString& objectName) override { pane.Grid().ShowProperties(objectName); }

    CPropertiesBar pane;
    CObjectListBar list;
    int shows = 0;
};

std::string Str(const CString& text)
{
    return text.c_str();
}

class PropertiesPane : public ::testing::Test
{
protected:
    void SetUp() override
    {
        m_folder = UseScratchProgramFolder("SleevoryPanes");

        m_view = OpenViewInFrame(m_app, m_frame);
        ASSERT_NE(m_view, nullptr);
        m_frame->ShowWindow(SW_SHOW);
        m_frame->RecalcLayout();

        ASSERT_TRUE(m_frame->pane.Create("Properties", m_frame, ID_BAR_PROPERTIES, WS_CHILD | WS_VISIBLE | CBRS_TOP));
        m_frame->pane.MoveWindow(0, 0, 260, 400);
        ASSERT_TRUE(m_frame->list.CreateEx(m_frame, TBSTYLE_FLAT, WS_CHILD | WS_VISIBLE | CBRS_TOP, RECT{},
                                           ID_BAR_OBJECT_LIST));
        m_frame->list.SetSizes(SIZE{140, 22}, SIZE{16, 16});
        m_frame->list.SetButtons({ID_OBJECT_LIST_SLOT});
        m_frame->list.CreateCombo();
        m_frame->pane.AttachHost(m_view);
        m_frame->pane.AttachObjectList(&m_frame->list);
        m_frame->list.AttachHost(m_view);
        m_frame->list.SetOnChoose([this](const CString& name) { m_frame->ShowObject(name); });

        CQuorbel6View& view = *m_view;
        PrepareLabelView(view, m_settings, "Single");
        view.ShowSurface("Disc 1");
        AddText("Title(1)", 3000, 1000, 2000, 500);
        AddText("Title(2)", 3000, 2000, 2000, 500);
    }

    void TearDown() override
    {
        CloseViewInFrame(m_app, m_frame, m_folder);
    }

    void AddText(const char* name, int left, int top, int width, int height)
    {
        ObjectRows rows(m_view->Model(), name, 13);
        rows.Add("Item Type", "", "Text", "", 0);
        rows.Add("Page", "", "1", "", 0);
        rows.Add("Color", "COLOR", "0,0,0", "", 1);
        rows.Add("View", "", "Disc 1", "Inside", 0);
        rows.Add("Font", "FONT", "Arial,12,400,0", "", 1);
        rows.Add("Left", "EDIT", LabelRows::ObjectLengthText(left), "", 0);
        rows.Add("Top", "EDIT", LabelRows::ObjectLengthText(top), "", 0);
        rows.Add("Width", "EDIT", LabelRows::ObjectLengthText(width), "", 0);
        rows.Add("Height", "EDIT", LabelRows::ObjectLengthText(height), "", 0);
        rows.Add("Alignment", "COMBO", "Center",
                 "Center|Left|Right|Top|Bottom|Top Left|Top Right|Bottom Left|Bottom Right|", 1);
        rows.Add("Vector Data", "", "", "", 0);
        rows.Add("MultiLine", "COMBO", "Yes", "Yes|No|", 1);
        rows.Add("Angle", "COMBO", "0 degrees", "0 degrees|90 degrees|180 degrees|270 degrees|", 1);
    }

    std::string Value(const char* name, const char* key) const { return Str(m_view->GetPropertyValue(name, key)); }
    CPropertyGrid& Grid() { return m_frame->pane.Grid(); }

    int RowOf(const char* caption) { return GridRowOf(Grid(), caption); }
    // A click in the middle of a row's value cell.
    void ClickValue(const char* caption) { ASSERT_TRUE(ClickGridValue(Grid(), caption)) << caption; }
    // A key as the message loop hands it to the window with the focus.
    void Key(UINT key, HWND target) { PressKeyIn(m_frame->m_hWnd, target, key); }
    std::string PaneCaption() const
    {
        char text[128] = {};
        ::GetWindowTextA(m_frame->pane.m_hWnd, text, sizeof text);
        return text;
    }

    CQuorbel6App m_app;
    CAppSettings m_settings;
    PaneFrame* m_frame = nullptr;
    CQuorbel6View* m_view = nullptr;
    std::string m_folder;
};
}  // namespace

TEST_F(PropertiesPane, ObjectListChoosesAndPressingTheLabelShowsTheObject)
{
    m_frame->ShowObject("Title(2)");
    CComboBox& combo = m_frame->list.Combo();
    // Both texts share a name up to "(": the second one is told apart.
    EXPECT_GE(combo.FindStringExact(-1, "Title"), 0);
    EXPECT_GE(combo.FindStringExact(-1, "Title (copy 1)"), 0);
    EXPECT_EQ(PaneCaption(), "Properties - Title (copy 1)");
    EXPECT_EQ(Grid().GetItemCount(), 5);

    // Choosing an entry selects its object in the view and fills the pane.
    combo.SetCurSel(combo.FindStringExact(-1, "Title"));
    m_frame->list.SendMessage(WM_COMMAND, MAKEWPARAM(CObjectListBar::kComboId, CBN_SELCHANGE),
                              reinterpret_cast<LPARAM>(combo.m_hWnd));
    EXPECT_EQ(Str(m_view->m_strSelectedObject), "Title(1)");
    EXPECT_EQ(PaneCaption(), "Properties - Title");
    ASSERT_FALSE(Grid().Rows().empty());
    EXPECT_EQ(Str(Grid().Rows()[0].objectName), "Title(1)");

    // A press on the label selects through the view, which tells the frame.
    const int before = m_frame->shows;
    const POINT scroll = m_view->GetDeviceScrollPosition();
    const POINT at{m_view->DocToScreenLength(4000) - scroll.x - m_view->m_ptPageOrigin.x,
                   m_view->DocToScreenLength(2250) - scroll.y - m_view->m_ptPageOrigin.y};
    m_view->SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(at.x, at.y));
    m_view->SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(at.x, at.y));
    EXPECT_EQ(Str(m_view->m_strSelectedObject), "Title(2)");
    EXPECT_GT(m_frame->shows, before);
    EXPECT_EQ(PaneCaption(), "Properties - Title (copy 1)");
    EXPECT_EQ(combo.GetCurSel(), combo.FindStringExact(-1, "Title (copy 1)"));
}

TEST_F(PropertiesPane, ComboAndToggleRowsCommitToTheModel)
{
    m_view->SelectObject("Title(1)");
    m_frame->ShowObject("Title(1)");

    // A click on a list row opens its drop-down list over the cell.
    ClickValue("Alignment");
    CComboBox& dropDown = Grid().DropDown();
    EXPECT_TRUE(dropDown.IsWindowVisible());
    EXPECT_EQ(dropDown.GetCount(), 9);
    dropDown.SetCurSel(dropDown.FindStringExact(-1, "Bottom Right"));
    Grid().SendMessage(WM_COMMAND, MAKEWPARAM(CPropertyGrid::kComboId, CBN_CLOSEUP),
                       reinterpret_cast<LPARAM>(dropDown.m_hWnd));
    EXPECT_EQ(Value("Title(1)", "Alignment"), "Bottom Right");
    EXPECT_FALSE(dropDown.IsWindowVisible());
    // The grid was refilled from the rows: it shows the new value.
    ASSERT_GE(RowOf("Alignment"), 0);
    EXPECT_EQ(Str(Grid().Rows()[static_cast<size_t>(RowOf("Alignment"))].value), "Bottom Right");

    // A click on a Yes/No marker toggles it, and again back.
    ClickValue("MultiLine");
    EXPECT_EQ(Value("Title(1)", "MultiLine"), "No");
    ClickValue("MultiLine");
    EXPECT_EQ(Value("Title(1)", "MultiLine"), "Yes");
    // The other object kept its values.
    EXPECT_EQ(Value("Title(2)", "Alignment"), "Center");
}

TEST_F(PropertiesPane, EditRowTakesTypedTextWithoutBackticks)
{
    m_view->SelectObject("Disc 1");
    m_frame->ShowObject("Disc 1");
    ClickValue("Text Margin");
    CGridEdit& edit = Grid().EditBox();
    ASSERT_TRUE(edit.IsWindowVisible());
    EXPECT_EQ(::GetFocus(), edit.m_hWnd);

    // Set by message, then Enter: the value is written and shown again.
    edit.SetWindowText("  0.2  ");
    Key(VK_RETURN, edit.m_hWnd);
    const std::string written = Value("Disc 1", "Text Margin");
    EXPECT_EQ(LabelRows::ReadLength(written.c_str()), 200) << written;

    // Typed characters with a backtick: none reaches the rows.
    edit.SetWindowText("");
    for (char ch : std::string("0.3`"))
        edit.SendMessage(WM_CHAR, static_cast<WPARAM>(ch), 1);
    Key(VK_RETURN, edit.m_hWnd);
    for (const PropertyEntry& row : m_view->Model().Rows())
        EXPECT_EQ(std::string(row.m_strValue.c_str()).find('`'), std::string::npos)
            << row.m_strObjectName.c_str() << " " << row.m_strKey.c_str();
}

TEST_F(PropertiesPane, UpDownAndTabWrapAround)
{
    m_view->SelectObject("Title(1)");
    m_frame->ShowObject("Title(1)");
    const int count = static_cast<int>(Grid().Rows().size());
    ASSERT_EQ(count, 5);
    ClickValue("Alignment");  // the first row
    ASSERT_EQ(Grid().SelectedRow(), 0);
    Key(VK_UP, Grid().m_hWnd);
    EXPECT_EQ(Grid().SelectedRow(), count - 1);
    Key(VK_DOWN, Grid().m_hWnd);
    EXPECT_EQ(Grid().SelectedRow(), 0);
    for (int i = 0; i < count - 1; ++i)
        Key(VK_TAB, Grid().m_hWnd);
    EXPECT_EQ(Grid().SelectedRow(), count - 1);
    Key(VK_TAB, Grid().m_hWnd);
    EXPECT_EQ(Grid().SelectedRow(), 0);
    // Moving through rows commits nothing by itself.
    EXPECT_EQ(Value("Title(1)", "Alignment"), "Center");
}

TEST_F(PropertiesPane, BoxEditsMoveAndResizeAsADragDoes)
{
    m_view->SelectObject("Title(1)");
    struct Case
    {
        const char* caption;
        const char* typed;
        int left, top, width, height;
    };
    const Case cases[] = {
        {"Left", "3.5", 3500, 1000, 2000, 500},
        {"Top", "1.25", 3500, 1250, 2000, 500},
        {"Width", "1.5", 3500, 1250, 1500, 500},
        {"Height", "0.75", 3500, 1250, 1500, 750},
    };
    for (const Case& c : cases) {
        m_view->ApplyBoxEdit("Title(1)", c.caption, c.typed);
        EXPECT_EQ(LabelRows::ReadLength(Value("Title(1)", "Left").c_str()), c.left) << c.caption;
        EXPECT_EQ(LabelRows::ReadLength(Value("Title(1)", "Top").c_str()), c.top) << c.caption;
        EXPECT_EQ(LabelRows::ReadLength(Value("Title(1)", "Width").c_str()), c.width) << c.caption;
        EXPECT_EQ(LabelRows::ReadLength(Value("Title(1)", "Height").c_str()), c.height) << c.caption;
    }
    EXPECT_TRUE(m_view->m_strDragMode.IsEmpty());
}
