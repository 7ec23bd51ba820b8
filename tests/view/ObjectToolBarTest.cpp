// Dragging new objects from the object tool bar onto a real label view: a
// table of drops over covers, spine tabs and disc rings, a drop on nothing,
// a click on a button, and the disc question of a double CD.
#include "app/Quorbel6App.h"
#include "document/AppSettings.h"
#include "framework/CommandIds.h"
#include "framework/FrameWnd.h"
#include "framework/ProgramFolder.h"
#include "label/ObjectDrop.h"
#include "resource.h"
#include "shell/FrameView.h"
#include "shell/ObjectToolBar.h"
#include "view/Quorbel6View.h"

#include "support/MessagePump.h"

#include "StandInFrame.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <cstdlib>
#include <string>

namespace
{
class DropFrame : public StandInFrame
{
public:
    void ShowObject(const CString& objectName) override { shown = objectName; }
    RECT ObjectToolBarButtonRect(int index) const override { return bar.GetItemRect(index); }

    CObjectToolBar bar;
    CString shown;
};

std::string Str(const CString& text)
{
    return text.c_str();
}

class ObjectToolBarDrops : public ::testing::Test
{
protected:
    void Open(const char* layout)
    {
        m_folder = UseScratchProgramFolder("SleevoryDrops");

        m_view = OpenViewInFrame(m_app, m_frame);
        ASSERT_NE(m_view, nullptr);

        CObjectToolBar& bar = m_frame->bar;
        ASSERT_TRUE(bar.CreateEx(m_frame, TBSTYLE_FLAT, WS_CHILD | WS_VISIBLE | CBRS_TOP, RECT{}, ID_BAR_OBJECT));
        bar.SetSizes(SIZE{51, 22}, SIZE{44, 16});
        bar.SetButtons({ID_ADD_ARTIST, ID_ADD_TITLE, ID_ADD_TRACK_LIST, ID_ADD_YEAR, ID_ADD_TOTAL_TIME, ID_ADD_GENRE,
                        ID_ADD_TEXT, ID_ADD_IMAGE});
        bar.AttachHost(m_view);
        bar.SetDiscQuestion([this] {
            ++m_discQuestions;
            return m_discAnswer;
        });
        m_frame->ShowWindow(SW_SHOW);
        m_frame->RecalcLayout();
        // Undocked, the bar keeps the size it is given: room for its eight buttons.
        bar.MoveWindow(0, 0, 8 * 51 + 16, 30);

        CQuorbel6View& view = *m_view;
        PrepareLabelView(view, m_settings, layout);
    }

    void TearDown() override
    {
        CloseViewInFrame(m_app, m_frame, m_folder);
    }

    // The middle of a named part of the view, in screen pixels; `dy` moves it down.
    POINT PartPoint(const char* part, int dy = 0)
    {
        const RECT rect = m_view->GetSurfaceRect(part);
        POINT point{(rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2 + dy};
        ::ClientToScreen(m_view->m_hWnd, &point);
        return point;
    }
    // A point on disc 1's ring, above the hole.
    POINT RingPoint()
    {
        const RECT outer = m_view->GetSurfaceRect("Outer Radius");
        const RECT inner = m_view->GetSurfaceRect("Inner Radius");
        POINT point{(outer.left + outer.right) / 2, (outer.top + inner.top) / 2};
        ::ClientToScreen(m_view->m_hWnd, &point);
        return point;
    }
    POINT ButtonPoint(int button) const
    {
        const RECT item = m_frame->bar.GetItemRect(button);
        return POINT{(item.left + item.right) / 2, (item.top + item.bottom) / 2};
    }
    LPARAM BarPoint(POINT screen) const
    {
        ::ScreenToClient(m_frame->bar.m_hWnd, &screen);
        return MAKELPARAM(static_cast<short>(screen.x), static_cast<short>(screen.y));
    }
    // Press on the button, move in two steps to `screen`, release there.
    void Drag(int button, POINT screen)
    {
        CObjectToolBar& bar = m_frame->bar;
        const POINT start = ButtonPoint(button);
        bar.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(start.x, start.y));
        POINT halfway = start;
        ::ClientToScreen(bar.m_hWnd, &halfway);
        halfway = POINT{(halfway.x + screen.x) / 2, (halfway.y + screen.y) / 2};
        bar.SendMessage(WM_MOUSEMOVE, MK_LBUTTON, BarPoint(halfway));
        bar.SendMessage(WM_MOUSEMOVE, MK_LBUTTON, BarPoint(screen));
        m_stateAtDrop = bar.State();
        m_cursorAtDrop = bar.CurrentCursor();
        bar.SendMessage(WM_LBUTTONUP, 0, BarPoint(screen));
    }
    int ObjectCount() const
    {
        int count = 0;
        for (int row = 0; row < m_view->Model().RowCount(); row = m_view->NextObjectRow(row))
            ++count;
        return count;
    }
    std::string ViewOf(const char* name) const { return Str(m_view->GetPropertyValue(name, "View")); }
    std::string PartOf(const char* name) const
    {
        const int row = m_view->FindPropertyRow(name, "View");
        return row < 0 ? std::string("<none>") : Str(m_view->Model().Row(row).m_strChoices);
    }

    CQuorbel6App m_app;
    CAppSettings m_settings;
    DropFrame* m_frame = nullptr;
    CQuorbel6View* m_view = nullptr;
    std::string m_folder;
    int m_discAnswer = 1;
    int m_discQuestions = 0;
    ObjectDrop::DragState m_stateAtDrop = ObjectDrop::DragState::Outside;
    HCURSOR m_cursorAtDrop = nullptr;
};
}  // namespace

TEST_F(ObjectToolBarDrops, TableOfDropsOnTheCoversAndTabs)
{
    Open("Single");
    struct Case
    {
        int button;
        const char* part;  // where the drop goes
        const char* name;  // the object made; "" for none
        const char* surface;
        const char* objectPart;
    } cases[] = {
        {ObjectDrop::kAddArtist, "Front Cover", "Artist(1)", "Front Cover", "Inside"},
        {ObjectDrop::kAddTitle, "Back Cover", "Title(1)", "Back Cover", "Inside"},
        {ObjectDrop::kAddYear, "Left Tab", "Year(1)", "Back Cover", "Left Tab"},
        {ObjectDrop::kAddGenre, "Right Tab", "Genre(1)", "Back Cover", "Right Tab"},
        // A track list is not offered a spine tab: nothing is made there.
        {ObjectDrop::kAddTrackList, "Left Tab", "", "", ""},
        {ObjectDrop::kAddTrackList, "Front Cover", "Track List(1)", "Front Cover", "Inside"},
    };
    for (const Case& c : cases) {
        // Each cover may lie on a sheet of its own: the drop goes on the page shown.
        m_view->ShowSurface(CString(c.part) == "Front Cover" ? "Front Cover" : "Back Cover");
        const int before = ObjectCount();
        Drag(c.button, PartPoint(c.part));
        if (*c.name == '\0') {
            EXPECT_EQ(ObjectCount(), before) << c.part;
            EXPECT_EQ(m_stateAtDrop, ObjectDrop::DragState::Outside) << c.part;
            EXPECT_EQ(m_cursorAtDrop, m_frame->bar.NoDropCursor()) << c.part;
            continue;
        }
        EXPECT_EQ(ObjectCount(), before + 1) << c.name;
        EXPECT_EQ(m_cursorAtDrop, m_frame->bar.DropCursor()) << c.name;
        EXPECT_EQ(ViewOf(c.name), c.surface) << c.name;
        EXPECT_EQ(PartOf(c.name), c.objectPart) << c.name;
        EXPECT_EQ(Str(m_view->m_strSelectedObject), c.name);
        EXPECT_EQ(Str(m_frame->shown), c.name);
    }
    EXPECT_EQ(m_discQuestions, 0);
}

TEST_F(ObjectToolBarDrops, DiscRingTakesTheDropAndTheHoleDoesNot)
{
    Open("Single");
    m_view->ShowSurface("Disc 1");
    const int before = ObjectCount();
    // The middle of the disc is its hole.
    Drag(ObjectDrop::kAddArtist, PartPoint("Outer Radius"));
    EXPECT_EQ(ObjectCount(), before);
    Drag(ObjectDrop::kAddArtist, RingPoint());
    EXPECT_EQ(ObjectCount(), before + 1);
    EXPECT_EQ(ViewOf("Artist(1)"), "Disc 1");
}

TEST_F(ObjectToolBarDrops, ReleasedOverNothingMakesNothing)
{
    Open("Single");
    m_view->ShowSurface("Front Cover");
    const int before = ObjectCount();
    RECT client{};
    m_view->GetClientRect(&client);
    POINT corner{client.right - 3, client.bottom - 3};
    ::ClientToScreen(m_view->m_hWnd, &corner);
    Drag(ObjectDrop::kAddText, corner);
    EXPECT_EQ(ObjectCount(), before);
    EXPECT_FALSE(m_frame->bar.IsDragging());
    EXPECT_EQ(m_frame->bar.PressedButton(), -1);
}

TEST_F(ObjectToolBarDrops, ClickPutsTheObjectNearTheMiddle)
{
    Open("Single");
    m_view->ShowSurface("Front Cover");
    const int before = ObjectCount();
    CObjectToolBar& bar = m_frame->bar;
    const POINT at = ButtonPoint(ObjectDrop::kAddText);
    RECT barClient{};
    bar.GetClientRect(&barClient);
    ASSERT_TRUE(::PtInRect(&barClient, at)) << barClient.right << "x" << barClient.bottom << " " << at.x << "," << at.y;
    bar.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(at.x, at.y));
    bar.SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(at.x, at.y));
    ASSERT_EQ(ObjectCount(), before + 1) << Str(m_view->m_strSelectedObject) << " " << Str(m_frame->shown);
    const CString made = m_view->m_strSelectedObject;
    EXPECT_EQ(Str(made).rfind("Text", 0), 0u) << Str(made);
    // Within 50 pixels and half an object of the view's middle.
    RECT client{};
    m_view->GetClientRect(&client);
    const POINT middle{(client.left + client.right) / 2, (client.top + client.bottom) / 2};
    const RECT box = m_view->m_rcSelection;
    EXPECT_LT(std::abs((box.left + box.right) / 2 - middle.x), 50 + (box.right - box.left));
    EXPECT_LT(std::abs((box.top + box.bottom) / 2 - middle.y), 50 + (box.bottom - box.top));
}

TEST_F(ObjectToolBarDrops, DoubleLayoutAsksForTheDisc)
{
    Open("Double");
    m_view->ShowSurface("Disc 1");
    const RECT outer = m_view->GetSurfaceRect("Outer Radius2");
    const RECT inner = m_view->GetSurfaceRect("Inner Radius2");
    POINT onDisc2{(outer.left + outer.right) / 2, (outer.top + inner.top) / 2};
    ::ClientToScreen(m_view->m_hWnd, &onDisc2);

    m_discAnswer = 2;
    Drag(ObjectDrop::kAddTotalTime, onDisc2);
    EXPECT_EQ(m_discQuestions, 1);
    EXPECT_GE(m_view->FindObjectRow("Time - Disc 2(1)"), 0);
    EXPECT_EQ(ViewOf("Time - Disc 2(1)"), "Disc 2");

    // Cancelling the question makes nothing; a free text never asks.
    m_discAnswer = -1;
    const int before = ObjectCount();
    Drag(ObjectDrop::kAddArtist, onDisc2);
    EXPECT_EQ(ObjectCount(), before);
    Drag(ObjectDrop::kAddText, onDisc2);
    EXPECT_EQ(m_discQuestions, 2);
    EXPECT_EQ(ObjectCount(), before + 1);
}
