// The main frame and the label view of the running program: the view tells
// the frame what is selected and which layout it shows.
#include "app/Quorbel6App.h"
#include "resource.h"
#include "shell/MainFrame.h"
#include "view/Quorbel6View.h"

#include "RunningApp.h"

#include <gtest/gtest.h>

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
