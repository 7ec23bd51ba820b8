// CMainFrame: its window's place and visibility, the look at the clipboard
// when it gets the focus, the Layout menu's grid marks, and its destruction.
#include "shell/MainFrame.h"

#include "framework/ClipboardOwner.h"
#include "framework/ErrorReport.h"
#include "framework/UserHandles.h"
#include "framework/View.h"
#include "resource.h"
#include "uikit/NewMenu.h"

namespace {

constexpr UINT kClipboardCheckWait = 200;  // milliseconds
constexpr int kViewMenu = 2;
constexpr int kLayoutMenu = 3;

struct ToolBarMark {
    UINT command;
    CToolBar& (CMainFrame::*bar)();
};
constexpr ToolBarMark kToolBarMarks[] = {{ID_VIEW_OBJECT_TOOLBAR, &CMainFrame::ObjectToolBar},
                                         {ID_VIEW_VIEW_TOOLBAR, &CMainFrame::ViewToolBar},
                                         {ID_VIEW_STANDARD_TOOLBAR, &CMainFrame::StandardToolBar},
                                         {ID_VIEW_SELECTED_TOOLBAR, &CMainFrame::ObjectListBar}};

}  // namespace

BOOL CMainFrame::PreCreateWindow(CREATESTRUCTA& cs)
{
    return Guarded(187, ErrorSink::Window(this), FALSE, [&] {
        RECT workArea{};
        SystemParametersInfoA(SPI_GETWORKAREA, 0, &workArea, 0);
        cs.x = 0;
        cs.y = 0;
        cs.cx = workArea.right;
        cs.cy = workArea.bottom;
        return CNewFrameWnd::PreCreateWindow(cs);
    });
}

void CMainFrame::ActivateFrame(int)
{
    Guarded(166, ErrorSink::Window(this), [&] { CNewFrameWnd::ActivateFrame(SW_HIDE); });
}

void CMainFrame::CheckPaste()
{
    const auto* view = dynamic_cast<const IFrameView*>(GetActiveView());
    // Another program holding the clipboard leaves the flag as it was.
    CClipboardOwner clipboard(m_hWnd, 1);  // busy: leave the flag as it is
    if (clipboard.IsOpen())
        m_bPastePossible = (::IsClipboardFormatAvailable(CF_DIB) || (view && view->HasCopiedObjects())) ? 1 : 0;
}

void CMainFrame::OnSetFocus(HWND oldWindow)
{
    GuardedSteps(167, ErrorSink::Window(this), [&](int& step) {
        step = 1;
        // While a Text pane field holds the focus the clipboard is its own
        // business: the frame leaves it alone.
        if (!m_bClipboardCheckPending && !m_textPane.HasFieldFocusFlag()) {
            m_bClipboardCheckPending = 1;
            step = 2;
            CheckPaste();
            step = 3;
            SetTimer(kClipboardCheckTimer, kClipboardCheckWait);
        }
        step = 4;
        CNewFrameWnd::OnSetFocus(oldWindow);
    });
}

void CMainFrame::OnTimer(UINT_PTR id)
{
    Guarded(168, ErrorSink::Window(this), [&] {
        if (id == kClipboardCheckTimer) {
            KillTimer(kClipboardCheckTimer);
            m_bClipboardCheckPending = 0;
        }
        CNewFrameWnd::OnTimer(id);
    });
}

void CMainFrame::CheckLayoutMenuItem(UINT command, BOOL check)
{
    CNewMenu& menu = GetNewMenu();
    HMENU layout = menu.GetSafeHmenu() ? ::GetSubMenu(menu.GetSafeHmenu(), kLayoutMenu) : nullptr;
    if (layout)
        ::CheckMenuItem(layout, command, MF_BYCOMMAND | (check ? MF_CHECKED : MF_UNCHECKED));
}

void CMainFrame::CheckSnapToGrid(BOOL check)
{
    Guarded(190, ErrorSink::Window(this), [&] { CheckLayoutMenuItem(ID_LAYOUT_SNAP_TO_GRID, check); });
}

void CMainFrame::CheckShowGrid(BOOL check)
{
    Guarded(191, ErrorSink::Window(this), [&] { CheckLayoutMenuItem(ID_LAYOUT_SHOW_GRID, check); });
}

void CMainFrame::CheckShownToolBars()
{
    CNewMenu& menu = GetNewMenu();
    HMENU view = menu.GetSafeHmenu() ? ::GetSubMenu(menu.GetSafeHmenu(), kViewMenu) : nullptr;
    if (!view)
        return;
    for (const ToolBarMark& mark : kToolBarMarks) {
        const CToolBar& bar = (this->*mark.bar)();
        ::CheckMenuItem(view, mark.command, MF_BYCOMMAND | (bar.m_hWnd && bar.IsVisible() ? MF_CHECKED : MF_UNCHECKED));
    }
}

void CMainFrame::OnDestroy()
{
    Guarded(505, ErrorSink::Window(this), [&] {
        for (CWnd* window : {static_cast<CWnd*>(&Pane(FramePane::Properties)), static_cast<CWnd*>(&Pane(FramePane::Text)),
                             static_cast<CWnd*>(&Pane(FramePane::Images)), static_cast<CWnd*>(&m_standardToolBar),
                             static_cast<CWnd*>(&m_objectToolBar), static_cast<CWnd*>(&m_viewToolBar),
                             static_cast<CWnd*>(&m_objectListBar)}) {
            if (window->m_hWnd)
                window->DestroyWindow();
        }
        KillTimer(kClipboardCheckTimer);
    });
    CNewFrameWnd::OnDestroy();
}
