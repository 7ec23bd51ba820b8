// The main frame and the label view of the running program: the view tells
// the frame what is selected and which layout it shows, and the frame's bars
// and panes stay where the user put them when labels are made and opened.
#include "app/Quorbel6App.h"
#include "document/Quorbel6Doc.h"
#include "framework/DockBar.h"
#include "resource.h"
#include "shell/MainFrame.h"
#include "view/Quorbel6View.h"

#include "RunningApp.h"
#include "support/BarPlaces.h"

#include <gtest/gtest.h>

#include <functional>
#include <map>
#include <string>

namespace {

// Selects an object of one row, as a click on it would.
void Select(CQuorbel6View& view, const char* name)
{
    view.m_strSelectedObject = name;
    view.TellFrameSelection();
}

}  // namespace

TEST(FrameAndView, TheFrameFollowsTheViewsSelectionAndLayout)
{
    RunningApp program;
    CQuorbel6View* view = program.RunToLabel();
    ASSERT_NE(view, nullptr);
    auto* frame = dynamic_cast<CMainFrame*>(program.App().m_pMainWnd);
    ASSERT_NE(frame, nullptr);
    EXPECT_FALSE(frame->IsEditingDisabled());
    EXPECT_TRUE(::IsWindowEnabled(view->m_hWnd));

    // Objects inserted from the context menu take the size of an Add button.
    const RECT addButton = frame->ObjectToolBar().GetItemRect(1);
    EXPECT_GT(view->m_sizeContextMenuIcon.cx, 0);
    EXPECT_EQ(view->m_sizeContextMenuIcon.cx, addButton.right - addButton.left - 1);
    EXPECT_EQ(view->m_sizeContextMenuIcon.cy, addButton.bottom - addButton.top);

    // The first label told the frame its layout.
    const size_t expected = view->IsDoubleLayout() ? 14u : 13u;
    EXPECT_EQ(frame->ViewToolbarLayout().size(), expected);

    view->Model().AppendRow(PropertyEntry{"Title(1)", "Item Type", "Text", 1, "", "", 0});
    view->Model().AppendRow(PropertyEntry{"Picture(1)", "Item Type", "Image", 1, "", "", 0});
    Select(*view, "Title(1)");
    EXPECT_TRUE(frame->IsObjectSelected());
    EXPECT_FALSE(frame->IsSelectedImage());
    Select(*view, "Picture(1)");
    EXPECT_TRUE(frame->IsObjectSelected());
    EXPECT_TRUE(frame->IsSelectedImage());
    Select(*view, "Nothing(1)");
    EXPECT_FALSE(frame->IsObjectSelected());

    // A surface is selected when it is switched to: no object is.
    frame->SendMessage(WM_COMMAND, ID_VIEW_FRONT_COVER);
    EXPECT_EQ(view->m_strSelectedObject, CString("Front Cover"));
    EXPECT_FALSE(frame->IsObjectSelected());
}

namespace {

using test_support::BarPlace;

std::map<UINT, BarPlace> BarPlaces(CMainFrame& frame)
{
    return test_support::BarPlaces(frame, {ID_BAR_STANDARD, ID_BAR_OBJECT_LIST, ID_BAR_OBJECT, ID_BAR_VIEW,
                                           ID_BAR_PROPERTIES, ID_BAR_TEXT, ID_BAR_IMAGES});
}

void Settle(CMainFrame& frame)
{
    test_support::PumpPending();
    frame.RecalcLayout();
    test_support::PumpPending();
}

}  // namespace

TEST(FrameAndView, TheStartShowsThePanesAndNewAndOpenLeaveThemWhereTheUserPutThem)
{
    RunningApp program;
    CQuorbel6View* view = program.RunToLabel();
    ASSERT_NE(view, nullptr);
    auto* frame = dynamic_cast<CMainFrame*>(program.App().m_pMainWnd);
    ASSERT_NE(frame, nullptr);
    EXPECT_TRUE(frame->ArePaneStatesRestored());
    // Each shown tool bar carries its mark in the View menu from the start,
    // before the menu was ever opened.
    HMENU viewMenu = ::GetSubMenu(::GetMenu(frame->m_hWnd), 2);
    const struct {
        UINT bar;
        UINT command;
    } toolBars[] = {{ID_BAR_STANDARD, ID_VIEW_STANDARD_TOOLBAR},
                    {ID_BAR_OBJECT_LIST, ID_VIEW_SELECTED_TOOLBAR},
                    {ID_BAR_OBJECT, ID_VIEW_OBJECT_TOOLBAR},
                    {ID_BAR_VIEW, ID_VIEW_VIEW_TOOLBAR}};
    for (const auto& toolBar : toolBars) {
        EXPECT_TRUE(frame->GetControlBar(toolBar.bar)->IsVisible()) << toolBar.bar;
        EXPECT_TRUE(::GetMenuState(viewMenu, toolBar.command, MF_BYCOMMAND) & MF_CHECKED) << toolBar.command;
    }
    // Objects inserted by the context menu take the object tool bar's button size.
    const RECT button = frame->ObjectToolBarButtonRect(1);
    EXPECT_EQ(view->m_sizeContextMenuIcon.cx, button.right - button.left - 1);
    EXPECT_EQ(view->m_sizeContextMenuIcon.cy, button.bottom - button.top);
    EXPECT_GT(view->m_sizeContextMenuIcon.cx, 0);
    // The Show Guides button shows the guides setting.
    UINT command = 0, style = 0;
    int image = -1;
    frame->ViewToolBar().GetButtonInfo(ViewToolbarGuidesIndex(view->IsDoubleLayout()), command, style, image);
    EXPECT_EQ(command, static_cast<UINT>(ID_VIEW_SHOW_GUIDES));
    EXPECT_EQ(image, ViewToolbarGuidesImage(view->AreGuidesShown()));

    // The user's layout: Images floats, Text is hidden.
    frame->FloatControlBar(&frame->Pane(FramePane::Images), POINT{260, 180});
    if (frame->IsPaneShown(FramePane::Text))
        frame->SendMessage(WM_COMMAND, ID_VIEW_TEXT_EDITOR);
    if (!frame->IsPaneShown(FramePane::Properties))
        frame->SendMessage(WM_COMMAND, ID_VIEW_PROPERTIES);
    Settle(*frame);
    const std::map<UINT, BarPlace> before = BarPlaces(*frame);
    ASSERT_EQ(before.size(), 7u);

    char temp[MAX_PATH] = {};
    GetTempPathA(MAX_PATH, temp);
    const std::string path = std::string(temp) + "bars_" + std::to_string(GetCurrentProcessId()) + ".slv";
    auto* doc = dynamic_cast<CQuorbel6Doc*>(view->GetDocument());
    ASSERT_NE(doc, nullptr);
    doc->SetPathName(path.c_str(), FALSE);
    ASSERT_TRUE(doc->SaveDocumentFile());

    const std::function<void()> steps[] = {
        [&] {
            // A label of the same layout from its default template, without
            // the dialog: the view tool bar keeps its buttons.
            view->m_nStartPreset = view->IsDoubleLayout() ? 2 : 1;
            doc->OnFileNew();
        },
        [&] { program.App().OpenDocumentFile(path.c_str()); },
    };
    for (const auto& step : steps) {
        step();
        Settle(*frame);
        const std::map<UINT, BarPlace> after = BarPlaces(*frame);
        ASSERT_EQ(after.size(), before.size());
        for (const auto& [id, place] : before) {
            SCOPED_TRACE(id);
            EXPECT_EQ(after.at(id).visible, place.visible);
            EXPECT_EQ(after.at(id).floating, place.floating);
            EXPECT_TRUE(::EqualRect(&after.at(id).rect, &place.rect))
                << test_support::Describe(after.at(id).rect) << " was " << test_support::Describe(place.rect);
        }
    }
    DeleteFileA(path.c_str());
}
