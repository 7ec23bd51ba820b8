// The main frame's tool bars and panes: the default layout, floating and
// docking back, the View menu's show and hide commands with their marks and
// tool bar buttons, the layout saved and built again from the profile, a
// damaged saved layout replaced by the default, and a layout that stays put
// when editing is switched off and on again, as New and Open do.
#include "app/Quorbel6App.h"
#include "framework/CommandIds.h"
#include "framework/DockBar.h"
#include "framework/RegistryKey.h"
#include "framework/SettingsKey.h"
#include "framework/View.h"
#include "resource.h"
#include "shell/MainFrame.h"
#include "shell/ViewToolbarLayout.h"

#include "SmallDialogTestSupport.h"
#include "support/BarPlaces.h"
#include "support/DockTestFrame.h"
#include "support/MessagePump.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <map>
#include <string>
#include <vector>

using dock_test::Center;
using dock_test::Height;
using dock_test::Width;

namespace {

constexpr char kProfileKey[] = "SleevoryFrameBarTests";
constexpr char kProfilePath[] = "Software\\SleevoryFrameBarTests";
constexpr RECT kFramePlace{20, 20, 1000, 740};
constexpr int kViewMenu = 2;
// The saved entry of the left dock bar: the dock bars come first, top,
// bottom, left, right.
constexpr char kLeftDockBarEntry[] = "Sleevory-Bar2";

class CBarsTestView : public CView, public IFrameView {
public:
    void OnDraw(CDC*) override {}
    CString SelectedObjectType() const override { return ""; }
    bool IsDoubleLayout() const override { return false; }
    bool AreGuidesShown() const override { return false; }
    bool HasCopiedObjects() const override { return false; }
};

const UINT kToolBarIds[] = {ID_BAR_STANDARD, ID_BAR_OBJECT_LIST, ID_BAR_OBJECT, ID_BAR_VIEW};
const UINT kPaneIds[] = {ID_BAR_PROPERTIES, ID_BAR_TEXT, ID_BAR_IMAGES};
// The three small tool bars side by side, the tall view tool bar in a row below.
const std::vector<std::vector<UINT>> kDefaultTopRows{{ID_BAR_STANDARD, ID_BAR_OBJECT_LIST, ID_BAR_OBJECT},
                                                     {ID_BAR_VIEW}};

struct PaneCommand {
    FramePane pane;
    UINT command;
    UINT barId;
};
const PaneCommand kPaneCommands[] = {{FramePane::Properties, ID_VIEW_PROPERTIES, ID_BAR_PROPERTIES},
                                     {FramePane::Text, ID_VIEW_TEXT_EDITOR, ID_BAR_TEXT},
                                     {FramePane::Images, ID_VIEW_IMAGES, ID_BAR_IMAGES}};

using test_support::BarPlace;
using test_support::Describe;

// The frame's four tool bars and three panes, each with its place.
std::map<UINT, BarPlace> BarPlaces(CMainFrame& frame)
{
    std::vector<UINT> ids(std::begin(kToolBarIds), std::end(kToolBarIds));
    ids.insert(ids.end(), std::begin(kPaneIds), std::end(kPaneIds));
    return test_support::BarPlaces(frame, ids);
}

// The bars of a dock bar, row by row.
std::vector<std::vector<UINT>> Rows(const CDockBar* dockBar)
{
    std::vector<std::vector<UINT>> rows;
    if (!dockBar)
        return rows;
    std::vector<UINT> row;
    for (size_t i = 1; i < dockBar->m_arrBars.size(); ++i) {
        if (CControlBar* bar = dockBar->m_arrBars[i]) {
            row.push_back(static_cast<UINT>(bar->GetDlgCtrlID()));
        } else if (!row.empty()) {
            rows.push_back(row);
            row.clear();
        }
    }
    return rows;
}

void DropQuit()
{
    MSG msg;
    while (::PeekMessageA(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE)) {
    }
}

class MainFrameBars : public ::testing::Test {
protected:
    MainFrameBars()
    {
        ::RegDeleteTreeA(HKEY_CURRENT_USER, kProfilePath);
        m_app.SetRegistryKey(kProfileKey);
    }
    ~MainFrameBars() override
    {
        m_app.m_pMainWnd = nullptr;
        DestroyFrame();
        ::RegDeleteTreeA(HKEY_CURRENT_USER, kProfilePath);
        DropQuit();
    }

    // As the program has been started before: the help screen was shown, so
    // a saved layout counts.
    void MarkStartedBefore()
    {
        CRegistryKey key;
        ASSERT_TRUE(OpenSettingsKeyForWriting(key));
        ASSERT_TRUE(key.WriteNumber("HelpScreen", 0));
    }

    // A frame (self-deleting) with its view, at a fixed place on the screen.
    CMainFrame& BuildFrame()
    {
        m_frame = new CMainFrame;  // goes with its window
        EXPECT_TRUE(m_frame->LoadFrame(IDR_MAINFRAME, WS_OVERLAPPEDWINDOW, nullptr, nullptr));
        m_window = m_frame->GetSafeHwnd();
        auto* view = new CBarsTestView;  // goes with its window
        EXPECT_TRUE(view->Create(nullptr, "", WS_CHILD | WS_VISIBLE, RECT{0, 0, 200, 150}, m_frame, FWID_PANE_FIRST));
        m_frame->SetActiveView(view, FALSE);
        m_app.m_pMainWnd = m_frame;
        m_frame->SetWindowPos(nullptr, kFramePlace.left, kFramePlace.top, Width(kFramePlace), Height(kFramePlace),
                              SWP_NOZORDER | SWP_NOACTIVATE | SWP_SHOWWINDOW);
        Settle();
        return *m_frame;
    }
    // The frame as the first label leaves it: editing on, the panes out.
    CMainFrame& BuildEditingFrame()
    {
        CMainFrame& frame = BuildFrame();
        frame.EnableEditing(FALSE);
        Settle();
        return frame;
    }
    void DestroyFrame()
    {
        // As closing the window would: the frame saves its layout first.
        if (m_window && ::IsWindow(m_window))
            m_frame->DestroyWindow();
        m_app.m_pMainWnd = nullptr;
        m_window = nullptr;
        m_frame = nullptr;
        Settle();
    }
    void Settle()
    {
        for (int i = 0; i < 4; ++i)
            test_support::PumpPending();
        if (m_frame && ::IsWindow(m_window))
            m_frame->RecalcLayout();
        test_support::PumpPending();
    }
    bool ViewMenuChecked(UINT command)
    {
        HMENU popup = ::GetSubMenu(::GetMenu(m_window), kViewMenu);
        m_frame->SendMessage(WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(popup), MAKELPARAM(kViewMenu, FALSE));
        return (::GetMenuState(popup, command, MF_BYCOMMAND) & MF_CHECKED) != 0;
    }
    bool ViewMenuGrayed(UINT command)
    {
        HMENU popup = ::GetSubMenu(::GetMenu(m_window), kViewMenu);
        m_frame->SendMessage(WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(popup), MAKELPARAM(kViewMenu, FALSE));
        return (::GetMenuState(popup, command, MF_BYCOMMAND) & MF_GRAYED) != 0;
    }
    int PaneButtonImage(FramePane pane)
    {
        UINT command = 0, style = 0;
        int image = -1;
        m_frame->ViewToolBar().GetButtonInfo(ViewToolbarPaneIndex(pane, false), command, style, image);
        return image;
    }

    ScratchSettingsKey m_settings;
    CQuorbel6App m_app;
    CMainFrame* m_frame = nullptr;
    HWND m_window = nullptr;
};

}  // namespace

TEST_F(MainFrameBars, TheFirstStartLaysOutFourBarsAndThreePanes)
{
    CMainFrame& frame = BuildFrame();
    for (UINT id : kToolBarIds) {
        CControlBar* bar = frame.GetControlBar(id);
        ASSERT_NE(bar, nullptr) << id;
        EXPECT_TRUE(bar->IsVisible()) << id;
    }
    // The tool bars at the top, in this order.
    EXPECT_EQ(Rows(frame.GetDockBar(FWID_DOCKBAR_TOP)),
              kDefaultTopRows);
    EXPECT_EQ(frame.StandardToolBar().GetCount(), 14);
    EXPECT_EQ(frame.ObjectToolBar().GetCount(), 8);
    EXPECT_EQ(frame.ViewToolBar().GetCount(), 13);
    EXPECT_EQ(frame.ObjectListBar().GetCount(), 1);
    EXPECT_EQ(frame.ObjectToolBar().GetItemID(0), static_cast<UINT>(ID_ADD_ARTIST));
    EXPECT_EQ(frame.StandardToolBar().GetItemID(13), static_cast<UINT>(ID_EDIT_REDO));
    const struct {
        CToolBar* bar;
        SIZE button;
    } sizes[] = {{&frame.StandardToolBar(), {23, 22}},
                 {&frame.ObjectToolBar(), {51, 22}},
                 {&frame.ViewToolBar(), {62, 46}},
                 {&frame.ObjectListBar(), {140, 22}}};
    for (const auto& size : sizes) {
        const RECT first = size.bar->GetItemRect(0);
        EXPECT_EQ(Width(first), size.button.cx);
        EXPECT_EQ(Height(first), size.button.cy);
    }
    // The object list lies over its slot.
    RECT combo, slot;
    ::GetWindowRect(frame.ObjectListCombo().m_hWnd, &combo);
    frame.ObjectListBar().GetWindowRect(&slot);
    EXPECT_GE(combo.left, slot.left);
    EXPECT_LE(combo.right, slot.right);

    // Properties above Text on the left, Images on the right; hidden while
    // editing is off, but meant to show.
    EXPECT_EQ(Rows(frame.GetDockBar(FWID_DOCKBAR_LEFT)),
              (std::vector<std::vector<UINT>>{{ID_BAR_PROPERTIES, ID_BAR_TEXT}}));
    EXPECT_EQ(Rows(frame.GetDockBar(FWID_DOCKBAR_RIGHT)), (std::vector<std::vector<UINT>>{{ID_BAR_IMAGES}}));
    for (const PaneCommand& pane : kPaneCommands) {
        EXPECT_FALSE(frame.Pane(pane.pane).IsVisible());
        EXPECT_TRUE(frame.IsPaneShown(pane.pane));
    }
    // The default layout was saved at once.
    EXPECT_TRUE(frame.VerifyBarState(CMainFrame::kLayoutProfileName));

    frame.EnableEditing(FALSE);
    Settle();
    EXPECT_TRUE(frame.ArePaneStatesRestored());
    for (const PaneCommand& pane : kPaneCommands) {
        EXPECT_TRUE(frame.Pane(pane.pane).IsVisible());
        EXPECT_EQ(PaneButtonImage(pane.pane), ViewToolbarPaneImage(pane.pane, true));
        EXPECT_TRUE(ViewMenuChecked(pane.command));
    }
    const RECT properties = dock_test::CTestDockFrame::WindowRectOf(frame.Pane(FramePane::Properties));
    const RECT text = dock_test::CTestDockFrame::WindowRectOf(frame.Pane(FramePane::Text));
    const RECT images = dock_test::CTestDockFrame::WindowRectOf(frame.Pane(FramePane::Images));
    EXPECT_LT(properties.top, text.top);
    EXPECT_LE(properties.bottom, text.top + 2);
    EXPECT_EQ(Width(properties), 180);
    EXPECT_EQ(Width(images), 154);
    EXPECT_LT(properties.right, images.left);
}

TEST_F(MainFrameBars, PanesFloatAndDockBackWithTheirSizes)
{
    CMainFrame& frame = BuildEditingFrame();
    for (const PaneCommand& command : kPaneCommands) {
        SCOPED_TRACE(command.barId);
        CSizingControlBarCF& pane = frame.Pane(command.pane);
        const BarPlace before = BarPlaces(frame)[command.barId];
        ASSERT_FALSE(before.floating);
        RECT client;
        pane.GetClientRect(&client);
        ::MapWindowPoints(pane.m_hWnd, nullptr, reinterpret_cast<POINT*>(&client), 2);
        dock_test::DoubleClick(pane.m_hWnd, Center(client));
        Settle();
        ASSERT_TRUE(pane.IsFloating());
        EXPECT_TRUE(pane.IsVisible());
        EXPECT_EQ(frame.PanePlace(command.pane), FramePanePlace::Floating);

        RECT floatingClient;
        pane.GetClientRect(&floatingClient);
        ::MapWindowPoints(pane.m_hWnd, nullptr, reinterpret_cast<POINT*>(&floatingClient), 2);
        dock_test::DoubleClick(pane.m_hWnd, Center(floatingClient));
        Settle();
        const BarPlace after = BarPlaces(frame)[command.barId];
        EXPECT_FALSE(after.floating);
        EXPECT_EQ(after.dockBar, before.dockBar);
        EXPECT_EQ(Width(after.rect), Width(before.rect)) << "docked back with its width";
        EXPECT_EQ(frame.PanePlace(command.pane), FramePanePlace::VertDocked);
        EXPECT_TRUE(pane.IsVertDocked());
    }
    // Along the bottom it lies across the frame.
    frame.DockControlBar(&frame.Pane(FramePane::Text), FWID_DOCKBAR_BOTTOM);
    Settle();
    EXPECT_EQ(frame.PanePlace(FramePane::Text), FramePanePlace::HorzDocked);
    EXPECT_TRUE(frame.Pane(FramePane::Text).IsHorzDocked());
    EXPECT_FALSE(frame.Pane(FramePane::Text).IsFloating());
}

TEST_F(MainFrameBars, ToolBarsThatDoNotFitBesideEachOtherWrapToANewRowAndComeBack)
{
    CMainFrame& frame = BuildEditingFrame();
    CDockBar* top = frame.GetDockBar(FWID_DOCKBAR_TOP);
    ASSERT_NE(top, nullptr);
    const auto widthOf = [&](UINT id) { return Width(BarPlaces(frame)[id].rect); };
    int widest = 0;
    for (UINT id : kToolBarIds)
        widest = std::max(widest, widthOf(id));
    // Room for the widest bar, not for the first row's three side by side.
    const int narrow = widest + 40;
    ASSERT_GT(widthOf(ID_BAR_STANDARD) + widthOf(ID_BAR_OBJECT_LIST) + widthOf(ID_BAR_OBJECT), narrow);

    RECT frameClient, frameWindow;
    frame.GetClientRect(&frameClient);
    frame.GetWindowRect(&frameWindow);
    const int border = Width(frameWindow) - Width(frameClient);
    frame.SetWindowPos(nullptr, 0, 0, narrow + border, Height(frameWindow), SWP_NOZORDER | SWP_NOMOVE | SWP_NOACTIVATE);
    Settle();
    // In the frame's client coordinates, as the bars' places are.
    RECT dock;
    top->GetWindowRect(&dock);
    ::MapWindowPoints(nullptr, frame.m_hWnd, reinterpret_cast<POINT*>(&dock), 2);
    std::map<UINT, BarPlace> places = BarPlaces(frame);
    for (UINT id : kToolBarIds) {
        SCOPED_TRACE(id);
        const RECT& rect = places[id].rect;
        EXPECT_GE(rect.left, dock.left - 2);
        EXPECT_LE(rect.right, dock.right + 2) << Describe(rect) << " in " << Describe(dock);
        EXPECT_LE(rect.bottom, dock.bottom + 2);
        for (UINT other : kToolBarIds) {
            if (other == id)
                continue;
            RECT overlap;
            ::IntersectRect(&overlap, &rect, &places[other].rect);
            EXPECT_TRUE(Width(overlap) <= 2 || Height(overlap) <= 2) << "over " << other;
        }
    }
    EXPECT_GT(places[ID_BAR_OBJECT].rect.top, places[ID_BAR_STANDARD].rect.top) << "the object bar went below";
    // The rows stay as they were made.
    EXPECT_EQ(Rows(top), kDefaultTopRows);
    // The view below the bars it does not share its place with.
    RECT view;
    ::GetWindowRect(frame.GetActiveView()->m_hWnd, &view);
    ::MapWindowPoints(nullptr, frame.m_hWnd, reinterpret_cast<POINT*>(&view), 2);
    EXPECT_GE(view.top, dock.bottom);

    frame.SetWindowPos(nullptr, 0, 0, Width(kFramePlace), Height(kFramePlace),
                       SWP_NOZORDER | SWP_NOMOVE | SWP_NOACTIVATE);
    Settle();
    places = BarPlaces(frame);
    EXPECT_EQ(places[ID_BAR_OBJECT].rect.top, places[ID_BAR_STANDARD].rect.top) << "back beside the others";
    EXPECT_EQ(places[ID_BAR_OBJECT_LIST].rect.top, places[ID_BAR_STANDARD].rect.top);
    EXPECT_GT(places[ID_BAR_VIEW].rect.top, places[ID_BAR_STANDARD].rect.top);
}

TEST_F(MainFrameBars, TheViewMenuMarksTheToolBarsThatAreShown)
{
    CMainFrame& frame = BuildEditingFrame();
    HMENU popup = ::GetSubMenu(::GetMenu(m_window), kViewMenu);
    ASSERT_NE(popup, nullptr);
    const UINT commands[] = {ID_VIEW_STANDARD_TOOLBAR, ID_VIEW_SELECTED_TOOLBAR, ID_VIEW_OBJECT_TOOLBAR,
                             ID_VIEW_VIEW_TOOLBAR};
    for (size_t hidden = 0; hidden < std::size(kToolBarIds); ++hidden) {
        SCOPED_TRACE(kToolBarIds[hidden]);
        for (size_t i = 0; i < std::size(kToolBarIds); ++i)
            frame.ShowControlBar(frame.GetControlBar(kToolBarIds[i]), i == hidden ? FALSE : TRUE, FALSE);
        frame.CheckShownToolBars();
        // Read as the menu holds them now, before any pop-up update.
        for (size_t i = 0; i < std::size(kToolBarIds); ++i) {
            const bool checked = (::GetMenuState(popup, commands[i], MF_BYCOMMAND) & MF_CHECKED) != 0;
            EXPECT_EQ(checked, i != hidden) << commands[i];
        }
    }
}

TEST_F(MainFrameBars, ToolBarsFloatByTheirGripperAndDockBackIntoTheirRow)
{
    CMainFrame& frame = BuildEditingFrame();
    for (UINT id : kToolBarIds) {
        SCOPED_TRACE(id);
        CControlBar* bar = frame.GetControlBar(id);
        const RECT docked = BarPlaces(frame)[id].rect;
        RECT window;
        bar->GetWindowRect(&window);
        const POINT gripper{window.left + 3, Center(window).y};
        dock_test::DoubleClick(bar->m_hWnd, gripper);
        Settle();
        ASSERT_TRUE(bar->IsFloating());
        EXPECT_TRUE(bar->IsVisible());

        bar->GetWindowRect(&window);
        dock_test::DoubleClick(bar->m_hWnd, POINT{window.left + 3, Center(window).y});
        Settle();
        EXPECT_FALSE(bar->IsFloating());
        EXPECT_EQ(Rows(frame.GetDockBar(FWID_DOCKBAR_TOP)),
                  kDefaultTopRows);
        EXPECT_TRUE(::EqualRect(&BarPlaces(frame)[id].rect, &docked)) << Describe(BarPlaces(frame)[id].rect);
    }
}

TEST_F(MainFrameBars, TheViewCommandsHideAndShowBarsAndPanes)
{
    CMainFrame& frame = BuildEditingFrame();
    for (const PaneCommand& pane : kPaneCommands) {
        SCOPED_TRACE(pane.barId);
        frame.SendMessage(WM_COMMAND, pane.command);
        Settle();
        EXPECT_FALSE(frame.Pane(pane.pane).IsVisible());
        EXPECT_FALSE(frame.IsPaneShown(pane.pane));
        EXPECT_FALSE(ViewMenuChecked(pane.command));
        EXPECT_EQ(PaneButtonImage(pane.pane), ViewToolbarPaneImage(pane.pane, false));
        frame.SendMessage(WM_COMMAND, pane.command);
        Settle();
        EXPECT_TRUE(frame.Pane(pane.pane).IsVisible());
        EXPECT_TRUE(ViewMenuChecked(pane.command));
        EXPECT_EQ(PaneButtonImage(pane.pane), ViewToolbarPaneImage(pane.pane, true));
    }
    const struct {
        UINT command;
        UINT barId;
    } toolBars[] = {{ID_VIEW_STANDARD_TOOLBAR, ID_BAR_STANDARD},
                    {ID_VIEW_OBJECT_TOOLBAR, ID_BAR_OBJECT},
                    {ID_VIEW_SELECTED_TOOLBAR, ID_BAR_OBJECT_LIST},
                    {ID_VIEW_VIEW_TOOLBAR, ID_BAR_VIEW}};
    for (const auto& toolBar : toolBars) {
        SCOPED_TRACE(toolBar.barId);
        EXPECT_TRUE(ViewMenuChecked(toolBar.command));
        frame.SendMessage(WM_COMMAND, toolBar.command);
        Settle();
        EXPECT_FALSE(frame.GetControlBar(toolBar.barId)->IsVisible());
        EXPECT_FALSE(ViewMenuChecked(toolBar.command));
        frame.SendMessage(WM_COMMAND, toolBar.command);
        Settle();
        EXPECT_TRUE(frame.GetControlBar(toolBar.barId)->IsVisible());
    }

    // A pane's close button hides it for good: the command it sends must not
    // bring it back.
    CSizingControlBarCF& text = frame.Pane(FramePane::Text);
    text.SendMessage(WM_NCLBUTTONUP, HTCLOSE, 0);
    Settle();
    EXPECT_FALSE(text.IsVisible());
    EXPECT_FALSE(frame.IsPaneShown(FramePane::Text));
    EXPECT_FALSE(ViewMenuChecked(ID_VIEW_TEXT_EDITOR));

    // With editing off the commands are gated and the panes hidden; on again
    // they come back as the user left them.
    frame.EnableEditing(TRUE);
    Settle();
    EXPECT_TRUE(ViewMenuGrayed(ID_VIEW_PROPERTIES));
    EXPECT_FALSE(frame.Pane(FramePane::Properties).IsVisible());
    frame.EnableEditing(FALSE);
    Settle();
    EXPECT_TRUE(frame.Pane(FramePane::Properties).IsVisible());
    EXPECT_FALSE(text.IsVisible());
}

TEST_F(MainFrameBars, ANewFrameFromTheSavedLayoutHasTheSameBars)
{
    MarkStartedBefore();
    CMainFrame& first = BuildEditingFrame();
    // The user's changes: a hidden tool bar, a floating pane, a hidden pane.
    first.SendMessage(WM_COMMAND, ID_VIEW_OBJECT_TOOLBAR);
    first.FloatControlBar(&first.Pane(FramePane::Images), POINT{300, 200});
    first.SendMessage(WM_COMMAND, ID_VIEW_TEXT_EDITOR);
    Settle();
    const std::map<UINT, BarPlace> saved = BarPlaces(first);
    ASSERT_EQ(saved.size(), 7u);
    ASSERT_TRUE(saved.at(ID_BAR_IMAGES).floating);
    DestroyFrame();  // saves the layout: editing is on

    CMainFrame& second = BuildEditingFrame();
    const std::map<UINT, BarPlace> restored = BarPlaces(second);
    ASSERT_EQ(restored.size(), 7u);
    for (const auto& [id, place] : saved) {
        SCOPED_TRACE(id);
        const BarPlace& again = restored.at(id);
        EXPECT_EQ(again.visible, place.visible);
        EXPECT_EQ(again.floating, place.floating);
        EXPECT_EQ(again.dockBar, place.dockBar);
        if (place.visible) {
            EXPECT_TRUE(::EqualRect(&again.rect, &place.rect)) << Describe(again.rect) << " was " << Describe(place.rect);
        }
    }
    EXPECT_FALSE(second.IsPaneShown(FramePane::Text));
    EXPECT_FALSE(ViewMenuChecked(ID_VIEW_TEXT_EDITOR));
    EXPECT_FALSE(ViewMenuChecked(ID_VIEW_OBJECT_TOOLBAR));
    EXPECT_EQ(PaneButtonImage(FramePane::Text), ViewToolbarPaneImage(FramePane::Text, false));
}

TEST_F(MainFrameBars, ADamagedOrForeignSavedLayoutGivesTheDefault)
{
    struct Case {
        const char* name;
        bool startedBefore;
        std::function<void(CWinApp&)> damage;
    };
    const Case cases[] = {
        {"first start", false, [](CWinApp&) {}},
        {"unknown bar in a dock bar", true,
         [](CWinApp& app) { app.WriteProfileInt(kLeftDockBarEntry, "Bar#0", 4242); }},
        {"an entry missing", true, [](CWinApp& app) { app.WriteProfileString("Sleevory-Bar1", nullptr, nullptr); }},
        {"more entries than there are", true,
         [](CWinApp& app) { app.WriteProfileInt("Sleevory-Summary", "Bars", 100000); }},
        {"no entries", true, [](CWinApp& app) { app.WriteProfileInt("Sleevory-Summary", "Bars", 0); }},
        {"a bar named twice", true,
         [](CWinApp& app) {
             const int id = static_cast<int>(app.GetProfileInt(kLeftDockBarEntry, "Bar#0", 0));
             app.WriteProfileInt(kLeftDockBarEntry, "Bar#2", id);
         }},
    };
    for (const Case& test : cases) {
        SCOPED_TRACE(test.name);
        ::RegDeleteTreeA(HKEY_CURRENT_USER, kProfilePath);
        if (test.startedBefore)
            MarkStartedBefore();
        // A saved layout unlike the default: every tool bar on the left, the panes at the bottom.
        CMainFrame& first = BuildEditingFrame();
        for (UINT id : kToolBarIds)
            first.DockControlBar(first.GetControlBar(id), FWID_DOCKBAR_LEFT);
        for (UINT id : kPaneIds)
            first.DockControlBar(first.GetControlBar(id), FWID_DOCKBAR_BOTTOM);
        Settle();
        DestroyFrame();
        test.damage(m_app);

        CMainFrame& second = BuildEditingFrame();
        EXPECT_EQ(Rows(second.GetDockBar(FWID_DOCKBAR_TOP)),
                  kDefaultTopRows);
        EXPECT_EQ(Rows(second.GetDockBar(FWID_DOCKBAR_LEFT)),
                  (std::vector<std::vector<UINT>>{{ID_BAR_PROPERTIES, ID_BAR_TEXT}}));
        EXPECT_EQ(Rows(second.GetDockBar(FWID_DOCKBAR_RIGHT)), (std::vector<std::vector<UINT>>{{ID_BAR_IMAGES}}));
        for (UINT id : kPaneIds)
            EXPECT_TRUE(second.GetControlBar(id)->IsVisible()) << id;
        // The default replaced the damage in the profile.
        EXPECT_TRUE(second.VerifyBarState(CMainFrame::kLayoutProfileName));
        DestroyFrame();
    }
}

TEST_F(MainFrameBars, NewAndOpenLeaveTheLayoutAsTheUserMadeIt)
{
    MarkStartedBefore();
    CMainFrame& frame = BuildEditingFrame();
    // Moved since the start: Images floats, the object tool bar is hidden;
    // the profile still holds the old layout.
    frame.FloatControlBar(&frame.Pane(FramePane::Images), POINT{320, 240});
    frame.ShowControlBar(&frame.ObjectToolBar(), FALSE, FALSE);
    Settle();
    const std::map<UINT, BarPlace> before = BarPlaces(frame);

    // A New or an Open switches editing off and on again.
    frame.EnableEditing(TRUE);
    Settle();
    frame.EnableEditing(FALSE);
    Settle();
    const std::map<UINT, BarPlace> after = BarPlaces(frame);
    for (const auto& [id, place] : before) {
        SCOPED_TRACE(id);
        EXPECT_EQ(after.at(id).visible, place.visible);
        EXPECT_EQ(after.at(id).floating, place.floating);
        EXPECT_TRUE(::EqualRect(&after.at(id).rect, &place.rect)) << Describe(after.at(id).rect) << " was " << Describe(place.rect);
    }
}
