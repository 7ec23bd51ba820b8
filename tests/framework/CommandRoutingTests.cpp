// Commands and command UI through a real single-document set-up: application,
// template, document, frame and view made by the framework from their run-time
// classes, a frame menu and accelerators from the test resources.
#include "WindowTestIds.h"
#include "WindowTestUtil.h"

#include "framework/CmdUI.h"
#include "framework/CommandIds.h"
#include "framework/CommandLineInfo.h"
#include "framework/DocTemplate.h"
#include "framework/Document.h"
#include "framework/FrameWnd.h"
#include "framework/MessageBox.h"
#include "framework/RecentFileList.h"
#include "framework/View.h"
#include "framework/WinApp.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

namespace {

// What the test classes are told to do and what they saw.
struct RoutingState {
    bool viewTakes = true;
    bool docTakes = true;
    bool frameTakes = true;
    bool appTakes = true;
    bool checkedEnabled = true;
    int checkedMark = 0;
    std::vector<std::string> calls;
    std::vector<std::string> opened;
    int initialUpdates = 0;
    int updates = 0;
};
RoutingState g_state;

class CRoutingDoc : public CDocument {
    DECLARE_DYNCREATE(CRoutingDoc)
    DECLARE_COMMAND_MAP()

public:
    BOOL OnNewDocument() override
    {
        g_state.calls.push_back("doc:new");
        return CDocument::OnNewDocument();
    }
    BOOL OnOpenDocument(LPCSTR path) override
    {
        g_state.opened.push_back(path);
        return std::strstr(path, "missing") == nullptr;
    }

private:
    bool OnRouted()
    {
        if (!g_state.docTakes)
            return false;
        g_state.calls.push_back("doc");
        return true;
    }
    void OnChecked() { g_state.calls.push_back("doc:checked"); }
    void OnUpdateChecked(CCmdUI* ui)
    {
        ui->Enable(g_state.checkedEnabled);
        ui->SetCheck(g_state.checkedMark);
    }
};
IMPLEMENT_DYNCREATE(CRoutingDoc, CDocument)
BEGIN_COMMAND_MAP(CRoutingDoc, CDocument)
    ON_CMD(IDM_TEST_ROUTED, OnRouted)
    ON_CMD(IDM_TEST_CHECKED, OnChecked)
    ON_CMD_UI(IDM_TEST_CHECKED, OnUpdateChecked)
END_COMMAND_MAP()

class CRoutingView : public CView {
    DECLARE_DYNCREATE(CRoutingView)
    DECLARE_COMMAND_MAP()

public:
    void OnDraw(CDC*) override {}
    void OnInitialUpdate() override
    {
        ++g_state.initialUpdates;
        CView::OnInitialUpdate();
    }
    void OnUpdate(CView* sender, LPARAM hint, CObject* hintObject) override
    {
        ++g_state.updates;
        CView::OnUpdate(sender, hint, hintObject);
    }

private:
    bool OnRouted()
    {
        if (!g_state.viewTakes)
            return false;
        g_state.calls.push_back("view");
        return true;
    }
    void OnHandledOnly() { g_state.calls.push_back("view:handled-only"); }
};
IMPLEMENT_DYNCREATE(CRoutingView, CView)
BEGIN_COMMAND_MAP(CRoutingView, CView)
    ON_CMD(IDM_TEST_ROUTED, OnRouted)
    ON_CMD(IDM_TEST_HANDLED_ONLY, OnHandledOnly)
END_COMMAND_MAP()

class CRoutingFrame : public CFrameWnd {
    DECLARE_DYNCREATE(CRoutingFrame)
    DECLARE_COMMAND_MAP()

private:
    bool OnRouted()
    {
        if (!g_state.frameTakes)
            return false;
        g_state.calls.push_back("frame");
        return true;
    }
};
IMPLEMENT_DYNCREATE(CRoutingFrame, CFrameWnd)
BEGIN_COMMAND_MAP(CRoutingFrame, CFrameWnd)
    ON_CMD(IDM_TEST_ROUTED, OnRouted)
END_COMMAND_MAP()

class CRoutingApp : public CWinApp {
    DECLARE_COMMAND_MAP()

public:
    CRoutingApp() : CWinApp("Routing Test") {}

private:
    bool OnRouted()
    {
        if (!g_state.appTakes)
            return false;
        g_state.calls.push_back("app");
        return true;
    }
};
BEGIN_COMMAND_MAP(CRoutingApp, CWinApp)
    ON_CMD(IDM_TEST_ROUTED, OnRouted)
END_COMMAND_MAP()

class CommandRouting : public ::testing::Test {
protected:
    void SetUp() override
    {
        g_state = RoutingState();
        m_app.m_nCmdShow = SW_HIDE;
        m_app.AddDocTemplate(std::make_unique<CSingleDocTemplate>(
            IDR_TEST_FRAME, RUNTIME_CLASS(CRoutingDoc), RUNTIME_CLASS(CRoutingFrame), RUNTIME_CLASS(CRoutingView)));
    }
    void TearDown() override
    {
        m_app.ShutDown();
        window_test::DrainQuit();
    }

    // File New as the program's start does it.
    CFrameWnd* StartDocument()
    {
        CCommandLineInfo info;
        if (!m_app.ProcessShellCommand(info))
            return nullptr;
        return dynamic_cast<CFrameWnd*>(m_app.m_pMainWnd);
    }

    static UINT ItemState(HMENU menu, UINT id) { return ::GetMenuState(menu, id, MF_BYCOMMAND); }

    CRoutingApp m_app;
};

TEST_F(CommandRouting, FileNewMakesDocumentFrameAndView)
{
    CFrameWnd* frame = StartDocument();
    ASSERT_NE(frame, nullptr);
    CView* view = frame->GetActiveView();
    ASSERT_NE(view, nullptr);
    ASSERT_NE(view->GetDocument(), nullptr);
    EXPECT_TRUE(view->GetDocument()->IsKindOf(RUNTIME_CLASS(CRoutingDoc)));
    EXPECT_EQ(frame->GetActiveDocument(), view->GetDocument());
    EXPECT_EQ(::GetParent(view->GetSafeHwnd()), frame->GetSafeHwnd());
    EXPECT_EQ(::GetDlgCtrlID(view->GetSafeHwnd()), FWID_PANE_FIRST);
    EXPECT_EQ(g_state.initialUpdates, 1);
    EXPECT_EQ(g_state.calls, std::vector<std::string>{"doc:new"});
    EXPECT_NE(frame->GetMenu(), nullptr);
    EXPECT_NE(frame->m_hAccelTable, nullptr);

    // Title: the document's default title (document-type field 1) and the frame's (field 0).
    CString title;
    frame->GetWindowText(title);
    EXPECT_STREQ(title, "TestDoc - Frame Test");
    view->GetDocument()->SetTitle("Other.tst");
    frame->GetWindowText(title);
    EXPECT_STREQ(title, "Other.tst - Frame Test");

    // The view fills the client area of the frame.
    RECT client{};
    RECT viewRect{};
    frame->GetClientRect(&client);
    view->GetWindowRect(&viewRect);
    EXPECT_EQ(viewRect.right - viewRect.left, client.right);
    EXPECT_EQ(viewRect.bottom - viewRect.top, client.bottom);
}

TEST_F(CommandRouting, SecondFileNewReusesTheDocumentAndFrame)
{
    CFrameWnd* frame = StartDocument();
    ASSERT_NE(frame, nullptr);
    CDocument* doc = frame->GetActiveDocument();
    m_app.OnFileNew();
    EXPECT_EQ(m_app.m_pMainWnd, frame);
    EXPECT_EQ(frame->GetActiveDocument(), doc);
    EXPECT_EQ(g_state.initialUpdates, 2);
    EXPECT_EQ(g_state.calls, (std::vector<std::string>{"doc:new", "doc:new"}));
}

TEST_F(CommandRouting, FirstTargetOnTheRouteThatTakesTheCommandWins)
{
    struct Case {
        bool view, doc, frame, app;
        const char* winner;  // "" when nobody takes it
    };
    const Case cases[] = {
        {true, true, true, true, "view"},  {false, true, true, true, "doc"},   {false, false, true, true, "frame"},
        {false, false, false, true, "app"}, {false, false, false, false, ""}, {true, false, false, true, "view"},
        {false, true, false, true, "doc"},
    };
    CFrameWnd* frame = StartDocument();
    ASSERT_NE(frame, nullptr);
    for (const Case& c : cases) {
        g_state.viewTakes = c.view;
        g_state.docTakes = c.doc;
        g_state.frameTakes = c.frame;
        g_state.appTakes = c.app;
        g_state.calls.clear();
        frame->SendMessage(WM_COMMAND, MAKEWPARAM(IDM_TEST_ROUTED, 0), 0);
        const std::vector<std::string> expected =
            *c.winner ? std::vector<std::string>{c.winner} : std::vector<std::string>{};
        EXPECT_EQ(g_state.calls, expected) << "view " << c.view << " doc " << c.doc << " frame " << c.frame
                                           << " app " << c.app;
    }
}

TEST_F(CommandRouting, MenuPopupIsEnabledAndCheckedByItsHandlers)
{
    CFrameWnd* frame = StartDocument();
    ASSERT_NE(frame, nullptr);
    HMENU popup = ::GetSubMenu(frame->GetMenu(), 1);
    ASSERT_NE(popup, nullptr);

    struct Case {
        bool enabled;
        int mark;
    };
    for (const Case c : {Case{true, 1}, Case{false, 0}}) {
        // Start from the opposite of what the handlers will say.
        ::EnableMenuItem(popup, IDM_TEST_UNHANDLED, MF_BYCOMMAND | MF_ENABLED);
        ::EnableMenuItem(popup, IDM_TEST_CHECKED, MF_BYCOMMAND | (c.enabled ? MF_GRAYED : MF_ENABLED));
        ::CheckMenuItem(popup, IDM_TEST_CHECKED, MF_BYCOMMAND | (c.mark ? MF_UNCHECKED : MF_CHECKED));
        g_state.checkedEnabled = c.enabled;
        g_state.checkedMark = c.mark;

        frame->SendMessage(WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(popup), MAKELPARAM(1, FALSE));

        const UINT checked = ItemState(popup, IDM_TEST_CHECKED);
        EXPECT_EQ((checked & MF_GRAYED) == 0, c.enabled);
        EXPECT_EQ((checked & MF_CHECKED) != 0, c.mark != 0);
        // A command handler alone enables its item; no handler at all disables it.
        EXPECT_EQ(ItemState(popup, IDM_TEST_ROUTED) & MF_GRAYED, 0u);
        EXPECT_EQ(ItemState(popup, IDM_TEST_HANDLED_ONLY) & MF_GRAYED, 0u);
        EXPECT_NE(ItemState(popup, IDM_TEST_UNHANDLED) & MF_GRAYED, 0u);
        // System commands and pop-ups are left alone.
        EXPECT_EQ(ItemState(popup, IDM_TEST_SYSTEM_RANGE) & MF_GRAYED, 0u);
        EXPECT_EQ(::GetMenuState(popup, 6, MF_BYPOSITION) & MF_GRAYED, 0u);
    }

    // The system menu is not the frame's to update.
    ::EnableMenuItem(popup, IDM_TEST_UNHANDLED, MF_BYCOMMAND | MF_ENABLED);
    frame->SendMessage(WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(popup), MAKELPARAM(1, TRUE));
    EXPECT_EQ(ItemState(popup, IDM_TEST_UNHANDLED) & MF_GRAYED, 0u);

    // A frame that doesn't disable orphans leaves the item as it is.
    frame->m_bAutoMenuEnable = false;
    frame->SendMessage(WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(popup), MAKELPARAM(1, FALSE));
    EXPECT_EQ(ItemState(popup, IDM_TEST_UNHANDLED) & MF_GRAYED, 0u);
}

TEST_F(CommandRouting, DisabledCommandIsNotRunFromItsAccelerator)
{
    CFrameWnd* frame = StartDocument();
    ASSERT_NE(frame, nullptr);

    g_state.checkedEnabled = false;
    frame->SendMessage(WM_COMMAND, MAKEWPARAM(IDM_TEST_CHECKED, 1), 0);
    EXPECT_TRUE(g_state.calls.empty() || g_state.calls.back() != "doc:checked");

    g_state.checkedEnabled = true;
    frame->SendMessage(WM_COMMAND, MAKEWPARAM(IDM_TEST_CHECKED, 1), 0);
    ASSERT_FALSE(g_state.calls.empty());
    EXPECT_EQ(g_state.calls.back(), "doc:checked");
}

TEST_F(CommandRouting, FrameAcceleratorsTranslateKeysOfItsViews)
{
    CFrameWnd* frame = StartDocument();
    ASSERT_NE(frame, nullptr);
    g_state.calls.clear();

    BYTE keys[256] = {};
    ASSERT_TRUE(::GetKeyboardState(keys));
    BYTE pressed[256];
    std::memcpy(pressed, keys, sizeof(keys));
    pressed[VK_CONTROL] = 0x80;
    ::SetKeyboardState(pressed);

    MSG msg{};
    msg.hwnd = frame->GetActiveView()->GetSafeHwnd();
    msg.message = WM_KEYDOWN;
    msg.wParam = 'R';
    msg.lParam = 0x00130001;
    const BOOL eaten = m_app.PreTranslateMessage(&msg);
    ::SetKeyboardState(keys);

    EXPECT_TRUE(eaten);
    EXPECT_EQ(g_state.calls, std::vector<std::string>{"view"});
}

TEST_F(CommandRouting, RecentFilesAppearInTheFileMenuAndOpenThroughTheApplication)
{
    m_app.LoadStdProfileSettings(4);  // no registry key: starts empty, saves nothing
    CFrameWnd* frame = StartDocument();
    ASSERT_NE(frame, nullptr);
    HMENU file = ::GetSubMenu(frame->GetMenu(), 0);
    const int itemsBefore = ::GetMenuItemCount(file);

    // Empty list: the item keeps its own text, disabled.
    frame->SendMessage(WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(file), MAKELPARAM(0, FALSE));
    char text[256] = {};
    ::GetMenuStringA(file, FWID_FILE_MRU_FIRST, text, sizeof(text), MF_BYCOMMAND);
    EXPECT_STREQ(text, "Recent File");
    EXPECT_NE(ItemState(file, FWID_FILE_MRU_FIRST) & MF_GRAYED, 0u);

    m_app.AddToRecentFileList("C:\\labels\\old.tst");
    m_app.AddToRecentFileList("C:\\labels\\missing.tst");
    m_app.AddToRecentFileList("C:\\labels\\new.tst");
    for (int opening = 0; opening < 2; ++opening) {  // opening twice must not add the entries twice
        frame->SendMessage(WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(file), MAKELPARAM(0, FALSE));
        ASSERT_EQ(::GetMenuItemCount(file), itemsBefore + 2);
        EXPECT_EQ(::GetMenuItemID(file, 2), static_cast<UINT>(FWID_FILE_MRU_FIRST));
        EXPECT_EQ(::GetMenuItemID(file, 3), static_cast<UINT>(FWID_FILE_MRU_FIRST + 1));
        EXPECT_EQ(::GetMenuItemID(file, 4), static_cast<UINT>(FWID_FILE_MRU_FIRST + 2));
        ::GetMenuStringA(file, 2, text, sizeof(text), MF_BYPOSITION);
        EXPECT_STREQ(text, "&1 C:\\labels\\new.tst");
        ::GetMenuStringA(file, 4, text, sizeof(text), MF_BYPOSITION);
        EXPECT_STREQ(text, "&3 C:\\labels\\old.tst");
        for (int position = 2; position <= 4; ++position)
            EXPECT_EQ(::GetMenuState(file, position, MF_BYPOSITION) & MF_GRAYED, 0u);
    }

    // Opening an entry goes through the application; it comes first afterwards.
    frame->SendMessage(WM_COMMAND, MAKEWPARAM(FWID_FILE_MRU_FIRST + 2, 0), 0);
    ASSERT_EQ(g_state.opened.size(), 1u);
    EXPECT_EQ(g_state.opened.back(), "C:\\labels\\old.tst");
    CRecentFileList* list = m_app.GetRecentFileList();
    ASSERT_EQ(list->GetCount(), 3);
    EXPECT_STREQ((*list)[0], "C:\\labels\\old.tst");
    EXPECT_STREQ(frame->GetActiveDocument()->GetPathName(), "C:\\labels\\old.tst");
    EXPECT_STREQ(frame->GetActiveDocument()->GetTitle(), "old.tst");

    // An entry that fails to open is dropped from the list.
    frame->SendMessage(WM_COMMAND, MAKEWPARAM(FWID_FILE_MRU_FIRST + 2, 0), 0);
    EXPECT_EQ(g_state.opened.back(), "C:\\labels\\missing.tst");
    ASSERT_EQ(list->GetCount(), 2);
    EXPECT_STREQ((*list)[0], "C:\\labels\\old.tst");
    EXPECT_STREQ((*list)[1], "C:\\labels\\new.tst");
    frame->SendMessage(WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(file), MAKELPARAM(0, FALSE));
    EXPECT_EQ(::GetMenuItemCount(file), itemsBefore + 1);
}

TEST_F(CommandRouting, ClosingAModifiedDocumentAsksFirst)
{
    CFrameWnd* frame = StartDocument();
    ASSERT_NE(frame, nullptr);
    HWND window = frame->GetSafeHwnd();
    frame->GetActiveDocument()->SetModifiedFlag(TRUE);

    int answer = IDCANCEL;
    std::vector<std::string> prompts;
    std::vector<std::string> captions;
    ScopedMessageBoxHook hook([&](HWND, LPCSTR text, LPCSTR caption, UINT) {
        prompts.push_back(text);
        captions.push_back(caption);
        return answer;
    });

    ::SendMessageA(window, WM_CLOSE, 0, 0);
    EXPECT_TRUE(::IsWindow(window));
    ASSERT_EQ(prompts.size(), 1u);
    EXPECT_EQ(prompts[0], "Save changes to TestDoc?");
    EXPECT_EQ(captions[0], "Routing Test");

    answer = IDNO;
    ::SendMessageA(window, WM_CLOSE, 0, 0);
    EXPECT_FALSE(::IsWindow(window));
    EXPECT_EQ(m_app.m_pMainWnd, nullptr);
    EXPECT_TRUE(m_app.GetDocTemplates().front()->GetDocuments().empty());
    EXPECT_TRUE(window_test::DrainQuit());  // the main window's end ends the message loop
}

TEST_F(CommandRouting, OpeningAFileThatFailsLeavesNoWindowAndNoDocument)
{
    CCommandLineInfo info;
    ParseCommandLineText("C:\\labels\\missing.tst", info);
    ASSERT_EQ(info.m_nShellCommand, CCommandLineInfo::FileOpen);
    EXPECT_FALSE(m_app.ProcessShellCommand(info));
    EXPECT_EQ(m_app.m_pMainWnd, nullptr);
    EXPECT_TRUE(m_app.GetDocTemplates().front()->GetDocuments().empty());
    window_test::PumpPending();
}

TEST_F(CommandRouting, UpdateAllViewsSkipsTheSender)
{
    CFrameWnd* frame = StartDocument();
    ASSERT_NE(frame, nullptr);
    CDocument* doc = frame->GetActiveDocument();
    const int before = g_state.updates;
    doc->UpdateAllViews(nullptr);
    EXPECT_EQ(g_state.updates, before + 1);
    doc->UpdateAllViews(frame->GetActiveView());
    EXPECT_EQ(g_state.updates, before + 1);
}

}  // namespace
