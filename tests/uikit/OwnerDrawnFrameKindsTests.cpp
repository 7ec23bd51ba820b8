// The other frame kinds of the window bases (mini frame, MDI frame and MDI
// child) and the multiple-document template they work with: the same menu
// glue as the main frame's base, on top of the framework's frame kinds.
#include "OwnerDrawnTestIds.h"
#include "OwnerDrawnTestSupport.h"

#include "framework/Document.h"
#include "framework/View.h"
#include "framework/WinApp.h"
#include "support/DockTestFrame.h"
#include "uikit/NewMDIFrameWnd.h"
#include "uikit/NewMenu.h"
#include "uikit/NewMiniDockFrameWnd.h"
#include "uikit/NewMiniFrameWnd.h"
#include "uikit/NewMultiDocTemplate.h"

#include <gtest/gtest.h>

using namespace uikit_test;

class CKindDoc : public CDocument {
    DECLARE_DYNCREATE(CKindDoc)
};
IMPLEMENT_DYNCREATE(CKindDoc, CDocument)

class CKindView : public CView {
    DECLARE_DYNCREATE(CKindView)
    DECLARE_COMMAND_MAP()

public:
    void OnDraw(CDC*) override {}
    int m_nCommands = 0;

private:
    void OnHandled() { ++m_nCommands; }
};
IMPLEMENT_DYNCREATE(CKindView, CView)
BEGIN_COMMAND_MAP(CKindView, CView)
    ON_CMD(IDM_UIKIT_HANDLED, OnHandled)
END_COMMAND_MAP()

namespace {

bool IsOwnerDrawn(HMENU menu, UINT position)
{
    MENUITEMINFOA info{};
    info.cbSize = sizeof info;
    info.fMask = MIIM_FTYPE;
    return ::GetMenuItemInfoA(menu, position, TRUE, &info) && (info.fType & MFT_OWNERDRAW) != 0;
}

// The system menu is the glue's and is owner-drawn once it opens.
template <class Frame>
void ExpectOwnerDrawnSystemMenu(Frame& frame, const char* kind)
{
    HMENU system = ::GetSystemMenu(frame.m_hWnd, FALSE);
    ASSERT_NE(system, nullptr) << kind;
    EXPECT_EQ(frame.GetNewSystemMenu().m_hMenu, system) << kind;
    frame.SendMessage(WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(system), MAKELPARAM(0, TRUE));
    EXPECT_TRUE(IsOwnerDrawn(system, 0)) << kind;
}

TEST(NewMiniFrameWnd, IsAToolWindowWithAnOwnerDrawnSystemMenu)
{
    CHostWindow owner;
    auto* frame = new CNewMiniFrameWnd;  // deletes itself with its window
    ASSERT_TRUE(frame->Create(nullptr, "Floating", WS_CAPTION | WS_SYSMENU, RECT{0, 0, 200, 120}, &owner));
    EXPECT_NE(frame->GetExStyle() & WS_EX_TOOLWINDOW, 0u);
    EXPECT_EQ(::GetWindow(frame->m_hWnd, GW_OWNER), owner.m_hWnd);
    ExpectOwnerDrawnSystemMenu(*frame, "mini frame");
    frame->DestroyWindow();
}

// A menu named at creation becomes the frame's owner-drawn menu; a name that
// names no menu fails the creation.
template <class Frame>
void ExpectMenuLoadedAsNewMenu(const char* kind, DWORD style)
{
    SCOPED_TRACE(kind);
    {
        Frame frame;
        frame.m_bAutoDelete = false;
        ASSERT_TRUE(frame.Create(nullptr, kind, style, RECT{0, 0, 300, 200}, nullptr,
                                 MAKEINTRESOURCEA(IDR_UIKIT_DIALOG_MENU), 0, nullptr));
        HMENU menu = ::GetMenu(frame.m_hWnd);
        ASSERT_NE(menu, nullptr);
        EXPECT_EQ(frame.GetNewMenu().m_hMenu, menu);
        EXPECT_TRUE(IsOwnerDrawn(menu, 0));
        frame.DestroyWindow();
    }
    Frame missing;
    missing.m_bAutoDelete = false;
    EXPECT_FALSE(missing.Create(nullptr, kind, style, RECT{0, 0, 300, 200}, nullptr, MAKEINTRESOURCEA(9199), 0,
                                nullptr));
    EXPECT_EQ(missing.m_hWnd, nullptr);
}

TEST(FrameKinds, MDIAndMiniFramesLoadTheirMenusAsNewMenus)
{
    CWinApp app{"kinds"};
    ExpectMenuLoadedAsNewMenu<CNewMDIFrameWnd>("MDI frame", WS_OVERLAPPEDWINDOW);
    ExpectMenuLoadedAsNewMenu<CNewMiniFrameWnd>("mini frame", WS_POPUP | WS_CAPTION | WS_SYSMENU);
    MSG msg;
    while (::PeekMessageA(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE)) {
    }
}

TEST(NewMiniDockFrameWnd, FloatsABarWithAnOwnerDrawnSystemMenu)
{
    dock_test::CTestDockFrame site;
    ASSERT_TRUE(site.Make(RUNTIME_CLASS(CNewMiniDockFrameWnd)));
    dock_test::CFixedBar bar(SIZE{120, 30});
    ASSERT_TRUE(bar.Make(site, 4001));
    site.FloatControlBar(&bar, POINT{150, 150});
    auto* frame = dynamic_cast<CNewMiniDockFrameWnd*>(CWnd::FromHandlePermanent(::GetParent(::GetParent(bar))));
    ASSERT_NE(frame, nullptr);
    EXPECT_EQ(::GetWindow(frame->m_hWnd, GW_OWNER), site.m_hWnd);
    ExpectOwnerDrawnSystemMenu(*frame, "floating dock frame");
    site.DestroyWindow();
}

class MDIKindsTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        m_frame.m_bAutoDelete = false;
        ASSERT_TRUE(m_frame.Create(nullptr, "MDI", WS_OVERLAPPEDWINDOW | WS_VISIBLE, RECT{0, 0, 500, 400}, nullptr,
                                   MAKEINTRESOURCEA(IDR_UIKIT_DIALOG_MENU), 0, nullptr));
        m_app.m_pMainWnd = &m_frame;
    }
    void TearDown() override
    {
        m_app.m_pMainWnd = nullptr;
        if (m_frame.m_hWnd)
            m_frame.DestroyWindow();
        MSG msg;
        while (::PeekMessageA(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE)) {
        }
    }

    CWinApp m_app{"kinds"};
    CNewMDIFrameWnd m_frame;
    CNewMultiDocTemplate m_template{IDR_UIKIT_DIALOG_MENU, RUNTIME_CLASS(CKindDoc), RUNTIME_CLASS(CNewMDIChildWnd),
                                    RUNTIME_CLASS(CKindView)};
};

TEST_F(MDIKindsTest, EveryNewDocumentGetsAChildFrameInsideTheClient)
{
    ASSERT_NE(m_frame.m_hWndMDIClient, nullptr);
    EXPECT_EQ(::GetDlgCtrlID(m_frame.m_hWndMDIClient), static_cast<int>(FWID_PANE_FIRST));
    ExpectOwnerDrawnSystemMenu(m_frame, "MDI frame");

    CDocument* first = m_template.OpenDocumentFile(nullptr);
    CDocument* second = m_template.OpenDocumentFile(nullptr);
    ASSERT_NE(first, nullptr);
    ASSERT_NE(second, nullptr);
    EXPECT_NE(first, second);
    EXPECT_EQ(m_template.GetDocuments().size(), 2u);
    EXPECT_STRNE(first->GetTitle(), second->GetTitle());

    CMDIChildWnd* active = m_frame.MDIGetActive();
    ASSERT_NE(active, nullptr);
    EXPECT_EQ(::GetParent(active->m_hWnd), m_frame.m_hWndMDIClient);
    EXPECT_EQ(m_frame.GetActiveDocument(), second);
    auto* child = dynamic_cast<CNewMDIChildWnd*>(active);
    ASSERT_NE(child, nullptr);
    ExpectOwnerDrawnSystemMenu(*child, "MDI child");

    // A command given to the main frame reaches the active child's view.
    m_frame.SendMessage(WM_COMMAND, MAKEWPARAM(IDM_UIKIT_HANDLED, 0), 0);
    auto* view = dynamic_cast<CKindView*>(child->GetActiveView());
    ASSERT_NE(view, nullptr);
    EXPECT_EQ(view->m_nCommands, 1);

    // Closing a child closes its document.
    child->SendMessage(WM_CLOSE);
    EXPECT_EQ(m_template.GetDocuments().size(), 1u);
}

}  // namespace
