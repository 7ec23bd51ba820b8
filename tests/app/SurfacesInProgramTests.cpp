// The surfaces of a label in the running program: what the surface commands
// bring along (the object list, the Properties pane, the selection, the View
// menu's marks), objects of another surface, and Undo across surfaces.
#include "app/Quorbel6App.h"
#include "label/LabelRows.h"
#include "label/PropertyGridRows.h"
#include "resource.h"
#include "shell/MainFrame.h"
#include "view/Quorbel6View.h"

#include "RunningApp.h"
#include "support/DialogAnswers.h"
#include "support/MouseOnWindow.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

namespace {

// The running program as its user drives it: menu commands to the main window.
class Program
{
public:
    Program() : m_view(m_program.RunToLabel()), m_frame(dynamic_cast<CMainFrame*>(m_program.App().m_pMainWnd)) {}

    bool Ready() const { return m_view && m_frame; }
    CQuorbel6View& View() { return *m_view; }
    CMainFrame& Frame() { return *m_frame; }

    void Command(UINT id) { ::SendMessageA(m_program.MainWindow(), WM_COMMAND, MAKEWPARAM(id, 0), 0); }
    // File > New: a single (row 0) or double (row 1) CD from its default template.
    void NewLabel(int row)
    {
        DialogAnswers answers(ChooseNewLabel(row, true));
        Command(ID_FILE_NEW);
    }
    // A surface command, then Edit > Insert > Text; the new object's name.
    CString InsertTextOn(UINT surfaceCommand)
    {
        Command(surfaceCommand);
        Command(ID_INSERT_TEXT);
        return m_view->m_strSelectedObject;
    }

    // The entries of the object list, in name order.
    std::vector<std::string> ListedNames()
    {
        CComboBox& combo = m_frame->ObjectListCombo();
        std::vector<std::string> names;
        for (int item = 0; item < combo.GetCount(); ++item) {
            CString text;
            combo.GetLBText(item, text);
            names.emplace_back(text.c_str());
        }
        std::sort(names.begin(), names.end());
        return names;
    }
    // What the list must hold for the page shown.
    std::vector<std::string> PageObjectNames()
    {
        std::vector<std::string> names;
        for (const ObjectListEntry& entry : ObjectListNames::EntriesOf(
                 m_view->Model().Rows(), m_view->Model().Shown().page, m_view->Model().Shown().layout))
            names.emplace_back(entry.display.c_str());
        std::sort(names.begin(), names.end());
        return names;
    }
    // Picks the object in the object list, as the user does in its drop-down.
    bool ChooseInList(const CString& objectName)
    {
        const auto entries = ObjectListNames::EntriesOf(m_view->Model().Rows(), m_view->Model().Shown().page,
                                                        m_view->Model().Shown().layout);
        const auto entry = std::find_if(entries.begin(), entries.end(),
                                        [&](const ObjectListEntry& e) { return e.objectName == objectName; });
        CComboBox& combo = m_frame->ObjectListCombo();
        const int item = entry == entries.end()
                             ? CB_ERR
                             : static_cast<int>(combo.SendMessage(CB_FINDSTRINGEXACT, static_cast<WPARAM>(-1),
                                                                  reinterpret_cast<LPARAM>(entry->display.c_str())));
        if (item == CB_ERR)
            return false;
        combo.SetCurSel(item);
        ::SendMessageA(m_frame->ObjectList().m_hWnd, WM_COMMAND, MAKEWPARAM(CObjectListBar::kComboId, CBN_SELCHANGE),
                       reinterpret_cast<LPARAM>(combo.m_hWnd));
        return true;
    }
    std::string PaneTitle()
    {
        CString title;
        m_frame->PropertiesPane().GetWindowText(title);
        return title.c_str();
    }
    // Whether the View menu marks a command, as the menu shows when it opens.
    bool ViewMenuChecks(UINT command)
    {
        HMENU viewMenu = ::GetSubMenu(::GetMenu(m_frame->m_hWnd), kViewMenu);
        ::SendMessageA(m_frame->m_hWnd, WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(viewMenu), MAKELPARAM(kViewMenu, 0));
        return (::GetMenuState(viewMenu, command, MF_BYCOMMAND) & MF_CHECKED) != 0;
    }

    static constexpr int kViewMenu = 2;

private:
    RunningApp m_program;
    CQuorbel6View* m_view;
    CMainFrame* m_frame;
};

RECT ObjectBox(const CQuorbel6View& view, const CString& name)
{
    const int left = LabelRows::ReadLength(view.GetPropertyValue(name, "Left"));
    const int top = LabelRows::ReadLength(view.GetPropertyValue(name, "Top"));
    return RECT{left, top, left + LabelRows::ReadLength(view.GetPropertyValue(name, "Width")),
                top + LabelRows::ReadLength(view.GetPropertyValue(name, "Height"))};
}

RECT DiscSquare(const DiscGeometry& disc)
{
    return RECT{disc.left, disc.top, disc.left + disc.outerDiameter, disc.top + disc.outerDiameter};
}

std::vector<CString> ObjectOrder(const CQuorbel6View& view)
{
    std::vector<CString> names;
    for (int row = 0; row < view.Model().RowCount(); row = view.NextObjectRow(row))
        names.push_back(view.Model().Row(row).m_strObjectName);
    return names;
}

bool Contains(const RECT& outer, const RECT& inner)
{
    RECT both{};
    ::IntersectRect(&both, &outer, &inner);
    return ::EqualRect(&both, &inner) != FALSE;
}

}  // namespace

// Every surface command brings the object list, the Properties pane's title
// and the selection to the surface it shows.
TEST(SurfacesInProgram, TheListThePaneAndTheSelectionFollowEverySurfaceCommand)
{
    Program user;
    ASSERT_TRUE(user.Ready());
    user.NewLabel(0);
    // Something of its own on every page.
    user.InsertTextOn(ID_VIEW_DISC_LABEL);
    user.InsertTextOn(ID_VIEW_FRONT_COVER);
    user.InsertTextOn(ID_VIEW_BACK_COVER);
    struct Step
    {
        UINT command;
        const char* surface;
    };
    const Step steps[] = {{ID_VIEW_DISC_LABEL, "Disc 1"},   {ID_VIEW_FRONT_COVER, "Front Cover"},
                          {ID_VIEW_BACK_COVER, "Back Cover"}, {ID_VIEW_DISC_LABEL, "Disc 1"},
                          {ID_VIEW_BACK_COVER, "Back Cover"}, {ID_VIEW_FRONT_COVER, "Front Cover"}};
    for (const Step& step : steps) {
        SCOPED_TRACE(step.surface);
        user.Command(step.command);
        EXPECT_EQ(user.View().Model().Shown().surface, step.surface);
        EXPECT_EQ(user.ListedNames(), user.PageObjectNames());
        EXPECT_EQ(user.PaneTitle(), std::string("Properties - ") + step.surface);
        EXPECT_EQ(user.View().m_strSelectedObject, step.surface);
        EXPECT_EQ(user.View().m_selectionCache[0], "Cover") << "the selection was loaded";
        EXPECT_EQ(user.View().m_strCurrentPart, "Inside");
    }
}

// On a double CD the object list holds both discs' objects. One of the other
// disc chosen there is shown and edited on its own disc: dragging its handle
// far away keeps it on its disc, not on the disc that was shown.
TEST(SurfacesInProgram, AnObjectOfTheOtherDiscIsEditedOnItsOwnDisc)
{
    Program user;
    ASSERT_TRUE(user.Ready());
    user.NewLabel(1);
    CQuorbel6View& view = user.View();
    const CString text = user.InsertTextOn(ID_VIEW_DISC_LABEL);
    ASSERT_EQ(view.GetPropertyValue(text, "View"), "Disc 1");
    user.Command(ID_VIEW_DISC2);
    ASSERT_TRUE(user.ChooseInList(text));
    EXPECT_EQ(view.m_strSelectedObject, text);
    EXPECT_EQ(view.Model().Shown().surface, "Disc 1");

    // The bottom-right handle dragged down and right, a long way.
    const RECT handle = view.m_rcHandles[5];
    const POINT from{(handle.left + handle.right) / 2, (handle.top + handle.bottom) / 2};
    test_support::DragOn(view.m_hWnd, from, POINT{from.x + 600, from.y + 600});
    const RECT box = ObjectBox(view, text);
    EXPECT_GT(box.right - box.left, 0);
    EXPECT_TRUE(Contains(DiscSquare(view.Model().Geometry().disc1), box))
        << box.left << "," << box.top << "," << box.right << "," << box.bottom;
    EXPECT_EQ(view.GetPropertyValue(text, "View"), "Disc 1");
}

// The View menu marks the surface shown and, while they are shown, the guides.
TEST(SurfacesInProgram, TheViewMenuMarksTheSurfaceShownAndTheGuides)
{
    Program user;
    ASSERT_TRUE(user.Ready());
    user.NewLabel(1);
    // Disc 2 has its command on the view tool bar only: while it is shown no item is marked.
    const UINT surfaces[] = {ID_VIEW_FRONT_COVER, ID_VIEW_BACK_COVER, ID_VIEW_DISC_LABEL, ID_VIEW_DISC2};
    const UINT menuItems[] = {ID_VIEW_FRONT_COVER, ID_VIEW_BACK_COVER, ID_VIEW_DISC_LABEL};
    for (const UINT shown : surfaces) {
        user.Command(shown);
        for (const UINT command : menuItems)
            EXPECT_EQ(user.ViewMenuChecks(command), command == shown) << shown << " shown, " << command;
    }
    const bool guides = user.View().AreGuidesShown();
    EXPECT_EQ(user.ViewMenuChecks(ID_VIEW_SHOW_GUIDES), guides);
    user.Command(ID_VIEW_SHOW_GUIDES);
    EXPECT_EQ(user.ViewMenuChecks(ID_VIEW_SHOW_GUIDES), !guides);
    user.Command(ID_VIEW_SHOW_GUIDES);
    EXPECT_EQ(user.ViewMenuChecks(ID_VIEW_SHOW_GUIDES), guides);
}

// Undo of a Delete puts the object back in its place among the others (its
// stacking and hit order); an Undo that brings another surface back shows it
// as its surface command does, whole.
TEST(SurfacesInProgram, UndoOfADeleteRestoresThePlaceAndShowsTheSurfaceWhole)
{
    Program user;
    ASSERT_TRUE(user.Ready());
    user.NewLabel(0);
    CQuorbel6View& view = user.View();
    const CString first = user.InsertTextOn(ID_VIEW_DISC_LABEL);
    user.Command(ID_INSERT_TEXT);
    user.Command(ID_INSERT_TEXT);
    const int fittedZoom = view.Model().Shown().zoom;
    const std::vector<CString> order = ObjectOrder(view);

    ASSERT_TRUE(user.ChooseInList(first));
    user.Command(ID_EDIT_DELETE);
    ASSERT_LT(view.FindObjectRow(first), 0);
    // Elsewhere, zoomed in, before the Undo.
    user.Command(ID_VIEW_FRONT_COVER);
    user.Command(ID_VIEW_ZOOM_IN);
    user.Command(ID_VIEW_ZOOM_IN);
    user.Command(ID_VIEW_ZOOM_IN);
    user.Command(ID_EDIT_UNDO);

    EXPECT_EQ(ObjectOrder(view), order);
    EXPECT_EQ(view.Model().Shown().surface, "Disc 1");
    EXPECT_EQ(view.Model().Shown().zoom, fittedZoom);
    RECT disc = view.DocToScreenRect(DiscSquare(view.Model().Geometry().disc1));
    ::MapWindowPoints(nullptr, view.m_hWnd, reinterpret_cast<POINT*>(&disc), 2);
    RECT client{};
    ::GetClientRect(view.m_hWnd, &client);
    EXPECT_TRUE(Contains(client, disc)) << disc.left << "," << disc.top << "," << disc.right << "," << disc.bottom;
}
