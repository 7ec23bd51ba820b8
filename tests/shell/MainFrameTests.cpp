// The main frame around a view: the editing switch disables the view (and the
// windows that follow it) but never the frame, the edit commands follow the
// selection flags, the view tool bar's layout follows the view's layout, and
// failures while creating or destroying the frame are told as failures.
#include "app/Quorbel6App.h"
#include "framework/CommandIds.h"
#include "framework/Dialog.h"
#include "framework/ErrorReport.h"
#include "framework/View.h"
#include "resource.h"
#include "shell/MainFrame.h"
#include "shell/ViewToolbarLayout.h"

#include "SmallDialogTestSupport.h"
#include "support/MessagePump.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <stdexcept>
#include <thread>
#include <vector>

namespace {

// A view that runs a few of the frame's gated commands and tells the frame
// what it shows.
class CFrameTestView : public CView, public IFrameView {
    DECLARE_COMMAND_MAP()

public:
    void OnDraw(CDC*) override {}
    CString SelectedObjectType() const override { return m_type; }
    bool IsDoubleLayout() const override { return m_double; }
    bool AreGuidesShown() const override { return m_guides; }
    bool HasCopiedObjects() const override { return m_copies; }

    CString m_type;
    bool m_double = false;
    bool m_guides = false;
    bool m_copies = false;

private:
    void OnCommand() {}
};

BEGIN_COMMAND_MAP(CFrameTestView, CView)
    ON_CMD(ID_EDIT_CUT, OnCommand)
    ON_CMD(ID_EDIT_UNDO, OnCommand)
    ON_CMD(ID_EDIT_PASTE, OnCommand)
    ON_CMD(ID_LAYOUT_SET_AS_BACKGROUND, OnCommand)
    ON_CMD(ID_FILE_SAVE, OnCommand)
    ON_CMD(ID_VIEW_FRONT_COVER, OnCommand)
END_COMMAND_MAP()

bool IsGrayed(HMENU menu, UINT command)
{
    return (::GetMenuState(menu, command, MF_BYCOMMAND) & MF_GRAYED) != 0;
}

void DropQuit()
{
    MSG msg;
    while (::PeekMessageA(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE)) {
    }
}

class MainFrameTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        m_frame = new CMainFrame;  // goes with its window
        ASSERT_TRUE(m_frame->LoadFrame(IDR_MAINFRAME, WS_OVERLAPPEDWINDOW, nullptr, nullptr));
        m_window = m_frame->GetSafeHwnd();
        m_view = new CFrameTestView;  // goes with its window
        ASSERT_TRUE(m_view->Create(nullptr, "", WS_CHILD | WS_VISIBLE, RECT{0, 0, 200, 150}, m_frame,
                                   FWID_PANE_FIRST));
        m_frame->SetActiveView(m_view, FALSE);
        m_app.m_pMainWnd = m_frame;
    }
    void TearDown() override
    {
        m_app.m_pMainWnd = nullptr;
        if (::IsWindow(m_window))
            ::DestroyWindow(m_window);
        DropQuit();
    }

    // The pop-up's items as the frame enables them when it opens.
    HMENU OpenPopup(int position)
    {
        HMENU popup = ::GetSubMenu(::GetMenu(m_window), position);
        m_frame->SendMessage(WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(popup), MAKELPARAM(position, FALSE));
        return popup;
    }

    CQuorbel6App m_app;
    CMainFrame* m_frame = nullptr;
    CFrameTestView* m_view = nullptr;
    HWND m_window = nullptr;
};

constexpr int kFileMenu = 0;
constexpr int kEditMenu = 1;
constexpr int kLayoutMenu = 3;

}  // namespace

TEST_F(MainFrameTest, EditingOffDisablesTheViewButLeavesTheFrameAndNewOpenExit)
{
    int cdDrives = 0;
    for (char letter = 'A'; letter <= 'Z'; ++letter) {
        const char root[] = {letter, ':', '\\', 0};
        if (::GetDriveTypeA(root) == DRIVE_CDROM)
            ++cdDrives;
    }
    EXPECT_EQ(m_frame->CdDriveCount(), cdDrives) << "the frame counts the system's CD drives";
    for (int drive = 0; drive < cdDrives; ++drive)
        EXPECT_EQ(m_frame->CdDriveName(drive).GetLength(), 2);
    EXPECT_TRUE(m_frame->CdDriveName(cdDrives).IsEmpty());
    HWND follower = ::CreateWindowExA(0, "STATIC", "", WS_CHILD | WS_VISIBLE, 0, 0, 20, 20, m_window, nullptr,
                                      nullptr, nullptr);
    ASSERT_NE(follower, nullptr);
    m_frame->FollowEditingSwitch(follower);

    m_frame->EnableEditing(TRUE);
    EXPECT_TRUE(m_frame->IsEditingDisabled());
    EXPECT_TRUE(::IsWindowEnabled(m_window));
    EXPECT_FALSE(::IsWindowEnabled(m_view->m_hWnd));
    EXPECT_FALSE(::IsWindowEnabled(follower));
    HMENU file = OpenPopup(kFileMenu);
    EXPECT_FALSE(IsGrayed(file, ID_FILE_NEW));
    EXPECT_FALSE(IsGrayed(file, ID_FILE_OPEN));
    EXPECT_FALSE(IsGrayed(file, ID_APP_EXIT));
    EXPECT_TRUE(IsGrayed(file, ID_FILE_SAVE)) << "handled, but editing is off";
    EXPECT_TRUE(IsGrayed(file, ID_FILE_PRINT_SETUP));

    // A modal dialog gives its owner back when it closes; that must not
    // undo the switch.
    ModalDriver driver(" Units", {[](HWND dialog) { ::PostMessageA(dialog, WM_COMMAND, IDCANCEL, 0); }});
    CDialog dialog(IDD_UNITS, m_frame);
    driver.Run([&] { return dialog.DoModal(); });
    EXPECT_TRUE(driver.AllStepsRun());
    EXPECT_TRUE(::IsWindowEnabled(m_window));
    EXPECT_FALSE(::IsWindowEnabled(m_view->m_hWnd));
    EXPECT_FALSE(::IsWindowEnabled(follower));

    m_frame->EnableEditing(FALSE);
    EXPECT_FALSE(m_frame->IsEditingDisabled());
    EXPECT_TRUE(::IsWindowEnabled(m_view->m_hWnd));
    EXPECT_TRUE(::IsWindowEnabled(follower));
    file = OpenPopup(kFileMenu);
    EXPECT_FALSE(IsGrayed(file, ID_FILE_SAVE));
    EXPECT_FALSE(IsGrayed(file, ID_FILE_PRINT_SETUP));
    EXPECT_TRUE(IsGrayed(file, ID_FILE_PRINT)) << "no handler yet";
    // The switch can be thrown again as often as it likes.
    m_frame->EnableEditing(TRUE);
    EXPECT_FALSE(::IsWindowEnabled(m_view->m_hWnd));
    EXPECT_TRUE(::IsWindowEnabled(m_window));
}

TEST_F(MainFrameTest, EditCommandsFollowTheSelectionAndTheFlags)
{
    struct Case {
        const char* type;
        BOOL selected;
        bool undo;
        bool paste;
        BOOL editingDisabled;
        bool cut;
        bool background;
        bool undoEnabled;
        bool pasteEnabled;
    };
    const Case cases[] = {
        {"", FALSE, false, false, FALSE, false, false, false, false},
        {"Text", TRUE, false, false, FALSE, true, false, false, false},
        {"Image", TRUE, true, true, FALSE, true, true, true, true},
        // Editing off gates them all, an undo step or not.
        {"Image", TRUE, true, true, TRUE, false, false, false, false},
        {"Cover", FALSE, true, false, FALSE, false, false, true, false},
    };
    for (const Case& test : cases) {
        SCOPED_TRACE(std::string(test.type) + (test.editingDisabled ? " editing off" : ""));
        m_view->m_type = test.type;
        m_frame->EnableEditing(test.editingDisabled);
        m_frame->SetUndoAvailable(test.undo);
        m_frame->SetPastePossible(test.paste);
        m_frame->SetSelectionState(test.selected);
        EXPECT_EQ(m_frame->IsObjectSelected(), test.selected != FALSE);
        EXPECT_EQ(m_frame->IsSelectedImage(), std::string(test.type) == "Image");

        HMENU edit = OpenPopup(kEditMenu);
        EXPECT_EQ(!IsGrayed(edit, ID_EDIT_CUT), test.cut);
        EXPECT_EQ(!IsGrayed(edit, ID_EDIT_UNDO), test.undoEnabled);
        EXPECT_EQ(!IsGrayed(edit, ID_EDIT_PASTE), test.pasteEnabled);
        // Commands still to come never show as usable.
        EXPECT_TRUE(IsGrayed(edit, ID_EDIT_COPY));
        EXPECT_TRUE(IsGrayed(edit, ID_EDIT_REDO));
        HMENU layout = OpenPopup(kLayoutMenu);
        EXPECT_EQ(!IsGrayed(layout, ID_LAYOUT_SET_AS_BACKGROUND), test.background);
        EXPECT_TRUE(IsGrayed(layout, ID_LAYOUT_BRING_TO_FRONT));
    }
}

TEST_F(MainFrameTest, TheViewToolbarLayoutFollowsTheViewsLayout)
{
    struct Case {
        bool doubleLayout;
        bool guides;
        size_t buttons;
        int discImage;
        int textPaneIndex;
        int guidesImage;
    };
    for (const Case test : {Case{false, false, 13, 2, 10, 7}, Case{true, true, 14, 12, 11, 6}}) {
        SCOPED_TRACE(test.doubleLayout ? "Double" : "Single");
        m_view->m_double = test.doubleLayout;
        m_view->m_guides = test.guides;
        m_frame->UpdateDiscMenus();
        const std::vector<ViewToolbarButton>& buttons = m_frame->ViewToolbarLayout();
        ASSERT_EQ(buttons.size(), test.buttons);
        EXPECT_EQ(buttons[2].command, static_cast<UINT>(ID_VIEW_DISC_LABEL));
        EXPECT_EQ(buttons[2].image, test.discImage);
        EXPECT_EQ(buttons[3].command, test.doubleLayout ? UINT{ID_VIEW_DISC2} : 0u);
        EXPECT_EQ(buttons[test.textPaneIndex - 1].command, static_cast<UINT>(ID_VIEW_SHOW_GUIDES));
        EXPECT_EQ(buttons[test.textPaneIndex - 1].image, test.guidesImage);
        // The panes are hidden: each shows its off image.
        const struct {
            FramePane pane;
            UINT command;
            int image;
        } panes[] = {{FramePane::Text, ID_VIEW_TEXT_EDITOR, 9},
                     {FramePane::Properties, ID_VIEW_PROPERTIES, 11},
                     {FramePane::Images, ID_VIEW_IMAGES, 15}};
        for (const auto& pane : panes) {
            const int index = ViewToolbarPaneIndex(pane.pane, test.doubleLayout);
            ASSERT_GE(index, 0);
            ASSERT_LT(static_cast<size_t>(index), buttons.size());
            EXPECT_EQ(buttons[static_cast<size_t>(index)].command, pane.command);
            EXPECT_EQ(buttons[static_cast<size_t>(index)].image, pane.image);
            EXPECT_EQ(ViewToolbarPaneImage(pane.pane, true), pane.image - 1);
        }
        EXPECT_EQ(ViewToolbarPaneIndex(FramePane::Text, test.doubleLayout), test.textPaneIndex);
    }
}

TEST_F(MainFrameTest, TheShowGuidesButtonTakesItsPictureInEitherLayout)
{
    struct Case {
        bool doubleLayout;
        bool guides;
        int index;
        int image;
    };
    for (const Case test : {Case{false, true, 9, 6}, Case{false, false, 9, 7}, Case{true, true, 10, 6},
                            Case{true, false, 10, 7}}) {
        SCOPED_TRACE(::testing::Message() << test.doubleLayout << test.guides);
        m_view->m_double = test.doubleLayout;
        m_view->m_guides = !test.guides;  // the bar still shows the old state
        m_frame->UpdateDiscMenus();
        m_frame->SetGuidesButton(test.guides);
        UINT command = 0, style = 0;
        int image = -1;
        m_frame->ViewToolBar().GetButtonInfo(test.index, command, style, image);
        EXPECT_EQ(command, static_cast<UINT>(ID_VIEW_SHOW_GUIDES));
        EXPECT_EQ(image, test.image);
        EXPECT_EQ(m_frame->ViewToolbarLayout()[static_cast<size_t>(test.index)].image, test.image)
            << "a later change of a pane's picture keeps it";
    }
}

TEST_F(MainFrameTest, TheGridMarksOfTheLayoutMenuFollowTheirChecks)
{
    HMENU layout = ::GetSubMenu(::GetMenu(m_window), kLayoutMenu);
    ASSERT_NE(layout, nullptr);
    const auto checked = [&](UINT command) {
        return (::GetMenuState(layout, command, MF_BYCOMMAND) & MF_CHECKED) != 0;
    };
    for (const BOOL on : {TRUE, FALSE, TRUE}) {
        m_frame->CheckSnapToGrid(on);
        EXPECT_EQ(checked(ID_LAYOUT_SNAP_TO_GRID), on != FALSE);
        m_frame->CheckShowGrid(!on);
        EXPECT_EQ(checked(ID_LAYOUT_SHOW_GRID), on == FALSE);
        EXPECT_EQ(checked(ID_LAYOUT_SNAP_TO_GRID), on != FALSE) << "the other mark stays";
    }
}

TEST_F(MainFrameTest, TheFocusLooksAtTheClipboardOnceInAWhile)
{
    const auto putPicture = [&](bool picture) {
        ASSERT_TRUE(::OpenClipboard(m_window));
        ::EmptyClipboard();
        if (picture) {
            HGLOBAL memory = ::GlobalAlloc(GMEM_MOVEABLE, sizeof(BITMAPINFOHEADER) + 4);
            ASSERT_NE(memory, nullptr);
            auto* header = static_cast<BITMAPINFOHEADER*>(::GlobalLock(memory));
            *header = BITMAPINFOHEADER{sizeof(BITMAPINFOHEADER), 1, 1, 1, 32, BI_RGB, 4, 0, 0, 0, 0};
            ::GlobalUnlock(memory);
            ASSERT_NE(::SetClipboardData(CF_DIB, memory), nullptr);  // the clipboard owns it now
        }
        ::CloseClipboard();
    };
    const auto focus = [&] { m_frame->SendMessage(WM_SETFOCUS, 0, 0); };
    const auto waitEnds = [&] { m_frame->SendMessage(WM_TIMER, CMainFrame::kClipboardCheckTimer, 0); };

    putPicture(true);
    focus();
    EXPECT_TRUE(m_frame->IsPastePossible());
    EXPECT_TRUE(m_frame->IsClipboardCheckPending());
    putPicture(false);
    focus();
    EXPECT_TRUE(m_frame->IsPastePossible()) << "the second focus within the wait does not look again";
    waitEnds();
    EXPECT_FALSE(m_frame->IsClipboardCheckPending());
    focus();
    EXPECT_FALSE(m_frame->IsPastePossible());
    waitEnds();
    // Objects copied in the view count as much as a picture.
    m_view->m_copies = true;
    focus();
    EXPECT_TRUE(m_frame->IsPastePossible());
    waitEnds();

    // While another window holds the clipboard open the flag stays as it was,
    // and the wait still begins.
    m_view->m_copies = false;
    HANDLE opened = ::CreateEventA(nullptr, TRUE, FALSE, nullptr);
    HANDLE release = ::CreateEventA(nullptr, TRUE, FALSE, nullptr);
    bool holderOpened = false;
    std::thread holder([&] {
        holderOpened = ::OpenClipboard(nullptr) != FALSE;
        ::SetEvent(opened);
        ::WaitForSingleObject(release, INFINITE);
        if (holderOpened)
            ::CloseClipboard();
    });
    ::WaitForSingleObject(opened, INFINITE);
    focus();
    ::SetEvent(release);
    holder.join();
    ::CloseHandle(opened);
    ::CloseHandle(release);
    ASSERT_TRUE(holderOpened);
    EXPECT_TRUE(m_frame->IsPastePossible());
    EXPECT_TRUE(m_frame->IsClipboardCheckPending());
    waitEnds();
}

TEST_F(MainFrameTest, TheFrameCoversTheWorkAreaAndStaysHiddenWhenActivated)
{
    RECT workArea{};
    ::SystemParametersInfoA(SPI_GETWORKAREA, 0, &workArea, 0);
    RECT place;
    ::GetWindowRect(m_window, &place);
    EXPECT_EQ(place.left, 0);
    EXPECT_EQ(place.top, 0);
    EXPECT_EQ(place.right, workArea.right);
    EXPECT_EQ(place.bottom, workArea.bottom);
    for (const int show : {SW_SHOW, SW_SHOWNORMAL, -1}) {
        m_frame->ActivateFrame(show);
        EXPECT_FALSE(::IsWindowVisible(m_window)) << show;
    }
}

TEST_F(MainFrameTest, TheObjectToolBarsSecondButtonGivesTheInsertionSize)
{
    const RECT button = m_frame->ObjectToolBarButtonRect(1);
    EXPECT_EQ(button.right - button.left, 51);
    EXPECT_EQ(button.bottom - button.top, 22);
    const RECT none = m_frame->ObjectToolBarButtonRect(8);
    EXPECT_TRUE(::IsRectEmpty(&none)) << "the bar has eight buttons";
}

namespace {

// Every window destroyed on this thread while it lives, by control id.
class DestroyRecorder {
public:
    DestroyRecorder() : m_hook(::SetWindowsHookExA(WH_CBT, &DestroyRecorder::Hook, nullptr, ::GetCurrentThreadId()))
    {
        s_ids = &m_ids;
    }
    ~DestroyRecorder()
    {
        ::UnhookWindowsHookEx(m_hook);
        s_ids = nullptr;
    }
    const std::vector<UINT>& Ids() const { return m_ids; }

private:
    static LRESULT CALLBACK Hook(int code, WPARAM wParam, LPARAM lParam)
    {
        if (code == HCBT_DESTROYWND && s_ids)
            s_ids->push_back(static_cast<UINT>(::GetDlgCtrlID(reinterpret_cast<HWND>(wParam))));
        return ::CallNextHookEx(nullptr, code, wParam, lParam);
    }
    static inline std::vector<UINT>* s_ids = nullptr;
    HHOOK m_hook;
    std::vector<UINT> m_ids;
};

}  // namespace

TEST_F(MainFrameTest, ThePanesAndBarsGoInTheirOrderWhenTheFrameIsDestroyed)
{
    std::vector<UINT> bars;
    {
        DestroyRecorder recorder;
        m_app.m_pMainWnd = nullptr;
        ::DestroyWindow(m_window);
        const std::vector<UINT> order{ID_BAR_PROPERTIES, ID_BAR_TEXT,  ID_BAR_IMAGES,     ID_BAR_STANDARD,
                                      ID_BAR_OBJECT,     ID_BAR_VIEW, ID_BAR_OBJECT_LIST};
        for (UINT id : recorder.Ids()) {
            if (std::find(order.begin(), order.end(), id) != order.end())
                bars.push_back(id);
        }
        // Left to the system, they would go dock bar by dock bar.
        EXPECT_EQ(bars, order);
    }
    EXPECT_FALSE(::IsWindow(m_window));
}

namespace {

// A main frame whose own parts, or whose layout saving, fail.
class CFailingFrame : public CMainFrame {
public:
    CFailingFrame(bool failCreate, bool* gone) : m_failCreate(failCreate), m_gone(gone) {}
    ~CFailingFrame() override { *m_gone = true; }

protected:
    void CreateFrameParts() override
    {
        if (m_failCreate)
            throw std::runtime_error("no parts");
        CMainFrame::CreateFrameParts();
    }
    void SaveLayout() override { throw std::runtime_error("no layout"); }

private:
    bool m_failCreate;
    bool* m_gone;
};

int ThreadWindowCount()
{
    int count = 0;
    ::EnumThreadWindows(
        ::GetCurrentThreadId(),
        [](HWND, LPARAM param) {
            ++*reinterpret_cast<int*>(param);
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&count));
    return count;
}

}  // namespace

TEST(MainFrameLifetime, AFailureWhileCreatingFailsTheCreation)
{
    CQuorbel6App app;
    std::vector<int> reports;
    ScopedErrorReportHook hook([&](const ErrorReport& report) { reports.push_back(report.number); });
    const int windowsBefore = ThreadWindowCount();

    bool gone = false;
    auto* frame = new CFailingFrame(true, &gone);  // goes with its window
    EXPECT_FALSE(frame->LoadFrame(IDR_MAINFRAME, WS_OVERLAPPEDWINDOW, nullptr, nullptr));
    EXPECT_TRUE(gone) << "the half-built frame went with its window";
    EXPECT_EQ(reports, std::vector<int>{174});
    EXPECT_EQ(ThreadWindowCount(), windowsBefore);
    DropQuit();
}

TEST(MainFrameLifetime, DestroyTellsWhetherTheWindowWent)
{
    CQuorbel6App app;
    std::vector<int> reports;
    ScopedErrorReportHook hook([&](const ErrorReport& report) { reports.push_back(report.number); });

    // Another thread can't destroy the window: that is a failure, not a success.
    bool gone = false;
    auto* frame = new CFailingFrame(false, &gone);  // goes with its window
    ASSERT_TRUE(frame->LoadFrame(IDR_MAINFRAME, WS_OVERLAPPEDWINDOW, nullptr, nullptr));
    HWND window = frame->GetSafeHwnd();
    BOOL fromOtherThread = TRUE;
    std::thread([&] { fromOtherThread = frame->DestroyWindow(); }).join();
    EXPECT_FALSE(fromOtherThread);
    EXPECT_TRUE(::IsWindow(window));
    EXPECT_FALSE(gone);

    // Editing is off at first: the layout is not saved and nothing fails.
    reports.clear();
    frame->EnableEditing(TRUE);
    ASSERT_TRUE(frame->DestroyWindow());
    EXPECT_TRUE(gone);
    EXPECT_FALSE(::IsWindow(window));
    EXPECT_TRUE(reports.empty());

    // With editing on, a layout that can't be saved is reported but never
    // keeps the window from closing.
    gone = false;
    frame = new CFailingFrame(false, &gone);  // goes with its window
    ASSERT_TRUE(frame->LoadFrame(IDR_MAINFRAME, WS_OVERLAPPEDWINDOW, nullptr, nullptr));
    window = frame->GetSafeHwnd();
    frame->EnableEditing(FALSE);
    EXPECT_TRUE(frame->DestroyWindow());
    EXPECT_TRUE(gone);
    EXPECT_FALSE(::IsWindow(window));
    EXPECT_EQ(reports, std::vector<int>{176});
    DropQuit();
}
