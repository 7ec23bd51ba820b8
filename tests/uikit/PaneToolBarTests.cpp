// The pane tool bar: behind a label view it erases its client area, and 2
// pixels below it, with the panel background; without one it leaves the
// erasing to the tool bar control.
#include "uikit/PaneToolBar.h"

#include "framework/DockBar.h"
#include "framework/Gdi.h"
#include "support/DockTestFrame.h"
#include "OwnerDrawnTestSupport.h"

#include <gtest/gtest.h>

#include <memory>

using namespace dock_test;

namespace {

constexpr UINT kBarId = 3301;
constexpr UINT kFirstCommand = 3302;
constexpr COLORREF kUntouched = RGB(1, 2, 3);

TEST(PaneToolBar, ErasesWithThePanelBackgroundOnlyBehindALabelView)
{
    for (const bool withProgram : {false, true}) {
        SCOPED_TRACE(withProgram);
        std::unique_ptr<uikit_test::ProgramWithView> program;
        if (withProgram)
            program = std::make_unique<uikit_test::ProgramWithView>();
        CTestDockFrame frame;
        ASSERT_TRUE(frame.Make());
        CPaneToolBar bar;
        ASSERT_TRUE(bar.CreateEx(&frame, TBSTYLE_FLAT | TBSTYLE_TRANSPARENT,
                                 WS_CHILD | WS_VISIBLE | CBRS_TOP | CBRS_GRIPPER, RECT{}, kBarId));
        ASSERT_TRUE(bar.SetButtons({kFirstCommand, 0, kFirstCommand + 1}));
        bar.EnableDocking(CBRS_ALIGN_ANY);
        frame.DockControlBar(&bar, FWID_DOCKBAR_TOP);
        frame.RecalcLayout();
        RECT client;
        bar.GetClientRect(&client);
        ASSERT_GT(client.bottom, 4);
        ASSERT_GT(client.right, 4);

        CMemoryDC memory(nullptr);
        const int width = client.right + 8;
        const int height = client.bottom + 8;
        CBitmap bitmap(::CreateBitmap(width, height, 1, 32, nullptr));
        CSelectGuard selected(memory, bitmap);
        memory.FillSolidRect(RECT{0, 0, width, height}, kUntouched);
        const LRESULT erased = bar.SendMessage(WM_ERASEBKGND, reinterpret_cast<WPARAM>(memory.m_hDC));

        const COLORREF inside = ::GetPixel(memory, client.right / 2, client.bottom / 2) & 0xFFFFFF;
        const COLORREF below = ::GetPixel(memory, client.right / 2, client.bottom + 1) & 0xFFFFFF;
        const COLORREF further = ::GetPixel(memory, client.right / 2, client.bottom + 2) & 0xFFFFFF;
        const COLORREF right = ::GetPixel(memory, client.right, client.bottom / 2) & 0xFFFFFF;
        if (withProgram) {
            EXPECT_NE(erased, 0);
            EXPECT_EQ(inside, uikit_test::kPanelGreyColor);
            EXPECT_EQ(below, uikit_test::kPanelGreyColor) << "2 pixels below the client area too";
            EXPECT_EQ(further, kUntouched);
            EXPECT_EQ(right, kUntouched);
        } else {
            EXPECT_NE(inside, uikit_test::kPanelGreyColor);
            EXPECT_NE(below, uikit_test::kPanelGreyColor);
        }
        frame.DestroyWindow();
    }
}

}  // namespace
