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

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

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

// A bar's rectangle from the frame's client origin, and whether it shows.
struct BarPlace {
    RECT rect;
    bool visible;
    bool floating;
};

std::vector<BarPlace> BarPlaces(CMainFrame& frame)
{
    std::vector<BarPlace> places;
    for (UINT id : {ID_BAR_STANDARD, ID_BAR_OBJECT_LIST, ID_BAR_OBJECT, ID_BAR_VIEW, ID_BAR_PROPERTIES, ID_BAR_TEXT,
                    ID_BAR_IMAGES}) {
        CControlBar* bar = frame.GetControlBar(id);
        if (!bar) {
            places.push_back(BarPlace{});
            continue;
        }
        BarPlace place{};
        bar->GetWindowRect(&place.rect);
        place.floating = bar->IsFloating();
        if (!place.floating)
            ::MapWindowPoints(nullptr, frame.m_hWnd, reinterpret_cast<POINT*>(&place.rect), 2);
        place.visible = bar->IsVisible();
        places.push_back(place);
    }
    return places;
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
    for (UINT id : {ID_BAR_STANDARD, ID_BAR_OBJECT_LIST, ID_BAR_OBJECT, ID_BAR_VIEW})
        EXPECT_TRUE(frame->GetControlBar(id)->IsVisible()) << id;

    // The user's layout: Images floats, Text is hidden.
    frame->FloatControlBar(&frame->Pane(FramePane::Images), POINT{260, 180});
    if (frame->IsPaneShown(FramePane::Text))
        frame->SendMessage(WM_COMMAND, ID_VIEW_TEXT_EDITOR);
    if (!frame->IsPaneShown(FramePane::Properties))
        frame->SendMessage(WM_COMMAND, ID_VIEW_PROPERTIES);
    Settle(*frame);
    const std::vector<BarPlace> before = BarPlaces(*frame);

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
        const std::vector<BarPlace> after = BarPlaces(*frame);
        ASSERT_EQ(after.size(), before.size());
        for (size_t i = 0; i < before.size(); ++i) {
            SCOPED_TRACE(i);
            EXPECT_EQ(after[i].visible, before[i].visible);
            EXPECT_EQ(after[i].floating, before[i].floating);
            EXPECT_TRUE(::EqualRect(&after[i].rect, &before[i].rect))
                << after[i].rect.left << "," << after[i].rect.top << "," << after[i].rect.right << ","
                << after[i].rect.bottom << " was " << before[i].rect.left << "," << before[i].rect.top << ","
                << before[i].rect.right << "," << before[i].rect.bottom;
        }
    }
    DeleteFileA(path.c_str());
}
