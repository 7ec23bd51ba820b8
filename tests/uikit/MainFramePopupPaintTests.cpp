// A real pop-up of the main frame's menu, opened over a label view while the
// application has no background bitmap yet: printed from a timer inside the
// menu's loop, it must show the panel grey and the items' text, not a black
// or empty window.
#include "MenuTestSupport.h"
#include "OwnerDrawnTestSupport.h"

#include "app/Quorbel6App.h"
#include "resource.h"
#include "shell/MainFrame.h"
#include "view/Quorbel6View.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <functional>
#include <thread>

using namespace menu_test;

namespace {

std::function<void()>& TimerAction()
{
    static std::function<void()> action;
    return action;
}

void CALLBACK RunTimerAction(HWND, UINT, UINT_PTR timer, DWORD)
{
    ::KillTimer(nullptr, timer);
    if (TimerAction())
        TimerAction()();
}

// The main frame as the program makes it, with its label view active.
class MainFrameWithView {
public:
    explicit MainFrameWithView(CQuorbel6App& app) : m_app(app)
    {
        m_frame = new CMainFrame;  // deletes itself with its window
        if (!m_frame->LoadFrame(IDR_MAINFRAME, WS_OVERLAPPEDWINDOW, nullptr, nullptr))
            return;
        CCreateContext context;
        context.m_pNewViewClass = RUNTIME_CLASS(CQuorbel6View);
        m_view = dynamic_cast<CQuorbel6View*>(m_frame->CreateView(&context, FWID_PANE_FIRST));
        m_frame->SetActiveView(m_view, FALSE);
        m_app.m_pMainWnd = m_frame;
        ::SetWindowPos(m_frame->m_hWnd, nullptr, 20, 20, 600, 400, SWP_NOZORDER | SWP_SHOWWINDOW);
    }
    ~MainFrameWithView()
    {
        m_app.m_pMainWnd = nullptr;
        if (::IsWindow(m_frame->GetSafeHwnd()))
            ::DestroyWindow(m_frame->m_hWnd);
        MSG msg;
        while (::PeekMessageA(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE)) {
        }
    }
    MainFrameWithView(const MainFrameWithView&) = delete;
    MainFrameWithView& operator=(const MainFrameWithView&) = delete;

    CMainFrame* Frame() const { return m_frame; }
    CQuorbel6View* View() const { return m_view; }

private:
    CQuorbel6App& m_app;
    CMainFrame* m_frame = nullptr;
    CQuorbel6View* m_view = nullptr;
};

// What a timer inside the menu loop read from the printed pop-up.
struct PrintedPopup {
    int windows = 0;
    int pixels = 0;
    int blackPixels = 0;
    int panelPixels = 0;
    int saveAsPanelPixels = 0;
    int saveAsTextPixels = 0;
    int exitTextPixels = 0;
};

// The pixels of `colour`, or also of `other`, inside an item of the printed window.
int ItemPixels(const Canvas& canvas, HWND popup, HMENU menu, int position, COLORREF colour, bool textOnly,
               COLORREF other = CLR_INVALID)
{
    RECT item{};
    if (!::GetMenuItemRect(nullptr, menu, static_cast<UINT>(position), &item))
        return -1;
    RECT window{};
    ::GetWindowRect(popup, &window);
    ::OffsetRect(&item, -window.left, -window.top);
    if (textOnly)
        item.right = item.left + (item.right - item.left) * 2 / 3;  // the label, short of the accelerators
    return canvas.Count(item, [colour, other](COLORREF pixel) { return pixel == colour || pixel == other; });
}

}  // namespace

TEST(MainFramePopupPainting, PopupOverTheLabelViewWithoutBackgroundBitmapShowsPanelAndText)
{
    ScopedDrawMode mode(2);  // as the application sets it
    CQuorbel6App app;
    ASSERT_EQ(app.m_hBackgroundDC, nullptr);  // the view has not made one
    MainFrameWithView program(app);
    CMainFrame* frame = program.Frame();
    ASSERT_NE(frame->GetSafeHwnd(), nullptr);
    ASSERT_NE(program.View(), nullptr);
    ASSERT_EQ(app.GetActiveView(), program.View());

    CNewMenu* file = frame->GetNewMenu().GetSubMenu(0);
    ASSERT_NE(file, nullptr);
    const int saveAs = PositionOf(*file, ID_FILE_SAVE_AS);
    const int exit = PositionOf(*file, ID_APP_EXIT);
    ASSERT_GE(saveAs, 0);
    ASSERT_GE(exit, 0);

    // Without a document the update handlers may gray some items.
    const COLORREF text = Sys(COLOR_MENUTEXT);
    const COLORREF grayText = Sys(COLOR_GRAYTEXT);
    PrintedPopup seen;
    TimerAction() = [&] {
        const std::vector<HWND> windows = MenuWindowsOfThisThread();
        seen.windows = static_cast<int>(windows.size());
        if (!windows.empty()) {
            HWND popup = windows.front();
            RECT rect{};
            ::GetWindowRect(popup, &rect);
            Canvas canvas(rect.right - rect.left, rect.bottom - rect.top, RGB(0, 0, 0));
            ::PrintWindow(popup, canvas.DC(), 0);
            const RECT all{0, 0, canvas.Width(), canvas.Height()};
            seen.pixels = canvas.Width() * canvas.Height();
            seen.blackPixels = canvas.Count(all, RGB(0, 0, 0));
            seen.panelPixels = canvas.Count(all, uikit_test::kPanelGreyColor);
            seen.saveAsPanelPixels =
                ItemPixels(canvas, popup, file->m_hMenu, saveAs, uikit_test::kPanelGreyColor, false);
            seen.saveAsTextPixels = ItemPixels(canvas, popup, file->m_hMenu, saveAs, text, true, grayText);
            seen.exitTextPixels = ItemPixels(canvas, popup, file->m_hMenu, exit, text, true, grayText);
        }
        ::EndMenu();
    };
    // Should the menu never see the timer, the watchdog closes it.
    std::atomic<bool> done{false};
    std::thread watchdog([&] {
        for (int i = 0; i < 500 && !done; ++i)
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
        if (!done)
            ::PostMessageA(frame->m_hWnd, WM_CANCELMODE, 0, 0);
    });
    const UINT_PTR timer = ::SetTimer(nullptr, 0, 50, &RunTimerAction);
    ASSERT_NE(timer, 0u);
    ::TrackPopupMenu(file->m_hMenu, TPM_LEFTALIGN | TPM_RETURNCMD, 60, 60, 0, frame->m_hWnd, nullptr);
    done = true;
    watchdog.join();
    ::KillTimer(nullptr, timer);
    TimerAction() = nullptr;

    ASSERT_EQ(seen.windows, 1);
    ASSERT_GT(seen.pixels, 0);
    // The black canvas shows through nowhere but the text and the frame's darkest lines.
    EXPECT_LT(seen.blackPixels, seen.pixels / 10);
    // Items sit on the plain panel grey while there is no background bitmap.
    EXPECT_GT(seen.panelPixels, seen.pixels / 2);
    EXPECT_GT(seen.saveAsPanelPixels, 0);
    EXPECT_GT(seen.saveAsTextPixels, 10);
    EXPECT_GT(seen.exitTextPixels, 10);
}
