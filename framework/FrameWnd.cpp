#include "framework/FrameWnd.h"

#include "framework/CmdUI.h"
#include "framework/CommandIds.h"
#include "framework/DocTemplate.h"
#include "framework/FrameDocking.h"
#include "framework/Document.h"
#include "framework/Module.h"
#include "framework/View.h"
#include "framework/WinApp.h"

#include <algorithm>
#include <memory>

IMPLEMENT_DYNCREATE(CFrameWnd, CWnd)

BEGIN_COMMAND_MAP(CFrameWnd, CWnd)
END_COMMAND_MAP()

const RECT CFrameWnd::rectDefault{CW_USEDEFAULT, CW_USEDEFAULT, 0, 0};

UINT FrameworkSizeParentMessage()
{
    static const UINT message = ::RegisterWindowMessageA("Framework.SizeParent");
    return message;
}

CFrameWnd::CFrameWnd() = default;

CFrameWnd::~CFrameWnd()
{
    // A default menu still held here was detached from the window (OnDestroy
    // lets go of one the window takes with it).
    if (m_hMenuDefault && (!m_hWnd || ::GetMenu(m_hWnd) != m_hMenuDefault))
        ::DestroyMenu(m_hMenuDefault);
}

BOOL CFrameWnd::PreCreateWindow(CREATESTRUCTA& cs)
{
    if (!cs.lpszClass) {
        cs.lpszClass = RegisterFrameworkWindowClass(CS_DBLCLKS, ::LoadCursorA(nullptr, IDC_ARROW),
                                                    reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1));
    }
    // The view covers the client area; painting the frame under it would flicker.
    cs.style |= WS_CLIPCHILDREN;
    return CWnd::PreCreateWindow(cs);
}

BOOL CFrameWnd::LoadFrame(UINT resourceId, DWORD style, CWnd* parent, CCreateContext* context)
{
    m_nIDHelp = resourceId;
    CString documentStrings;
    if (documentStrings.LoadString(resourceId)) {
        const int newline = documentStrings.Find('\n');
        m_strTitle = newline < 0 ? documentStrings : documentStrings.Left(newline);
    }

    HICON icon = ::LoadIconA(GetResourceHandle(), MAKEINTRESOURCEA(resourceId));
    LPCSTR className = RegisterFrameworkWindowClass(CS_DBLCLKS, ::LoadCursorA(nullptr, IDC_ARROW),
                                                    reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1), icon);
    HRSRC menuResource = ::FindResourceA(GetResourceHandle(), MAKEINTRESOURCEA(resourceId), MAKEINTRESOURCEA(4));
    if (!Create(className, m_strTitle, style, rectDefault, parent,
                menuResource ? MAKEINTRESOURCEA(resourceId) : nullptr, 0, context))
        return FALSE;

    m_hMenuDefault = ::GetMenu(m_hWnd);
    m_hAccelTable = ::LoadAcceleratorsA(GetResourceHandle(), MAKEINTRESOURCEA(resourceId));
    if (!context)
        SendMessageToDescendants(FrameworkInitialUpdateMessage(), 0, 0, TRUE);
    return TRUE;
}

BOOL CFrameWnd::Create(LPCSTR className, LPCSTR title, DWORD style, const RECT& rect, CWnd* parent,
                       LPCSTR menuName, DWORD exStyle, CCreateContext* context)
{
    HMENU menu = nullptr;
    if (menuName) {
        menu = ::LoadMenuA(GetResourceHandle(), menuName);
        if (!menu) {
            PostNcDestroy();
            return FALSE;
        }
    }
    const int width = rect.left == CW_USEDEFAULT ? CW_USEDEFAULT : rect.right - rect.left;
    const int height = rect.left == CW_USEDEFAULT ? CW_USEDEFAULT : rect.bottom - rect.top;
    if (!CreateEx(exStyle, className, title, style, rect.left, rect.top, width, height,
                  parent ? parent->GetSafeHwnd() : nullptr, menu, context)) {
        // The window (if it got that far) took its menu with it; one that never
        // existed did not. Either way this object may be gone now.
        if (menu && ::IsMenu(menu))
            ::DestroyMenu(menu);
        return FALSE;
    }
    return TRUE;
}

int CFrameWnd::OnCreate(LPCREATESTRUCTA cs)
{
    if (CWnd::OnCreate(cs) == -1)
        return -1;
    auto* context = static_cast<CCreateContext*>(cs->lpCreateParams);
    if (!OnCreateClient(cs, context))
        return -1;
    RecalcLayout();
    return 0;
}

BOOL CFrameWnd::OnCreateClient(LPCREATESTRUCTA, CCreateContext* context)
{
    if (context && context->m_pNewViewClass)
        return CreateView(context, FWID_PANE_FIRST) != nullptr;
    return TRUE;
}

CView* CFrameWnd::CreateView(CCreateContext* context, UINT id)
{
    if (!context || !context->m_pNewViewClass)
        return nullptr;
    std::unique_ptr<CObject> object = context->m_pNewViewClass->CreateObject();
    auto* view = dynamic_cast<CView*>(object.get());
    if (!view)
        return nullptr;
    // Until the window exists the object is ours; a failed creation must not
    // let the view delete itself as well.
    view->m_bAutoDelete = false;
    RECT rect{0, 0, 0, 0};
    if (!view->Create(nullptr, nullptr, WS_CHILD | WS_VISIBLE | WS_BORDER, rect, this, id, context))
        return nullptr;
    view->m_bAutoDelete = true;
    object.release();  // the window owns it now
    return view;
}

void CFrameWnd::OnDestroy()
{
    m_pActiveView = nullptr;
    if (m_hMenuDefault && ::GetMenu(m_hWnd) == m_hMenuDefault)
        m_hMenuDefault = nullptr;  // the window destroys its own menu
    CWnd::OnDestroy();
}

void CFrameWnd::PostNcDestroy()
{
    if (m_bAutoDelete)
        delete this;
}

void CFrameWnd::SetActiveView(CView* view, BOOL notify)
{
    CView* previous = m_pActiveView;
    if (view == previous)
        return;
    m_pActiveView = view;
    if (notify) {
        if (previous)
            previous->OnActivateView(FALSE, view, previous);
        if (view)
            view->OnActivateView(TRUE, view, previous);
    }
}

CDocument* CFrameWnd::GetActiveDocument()
{
    return m_pActiveView ? m_pActiveView->GetDocument() : nullptr;
}

void CFrameWnd::RecalcLayout(BOOL)
{
    if (!m_hWnd)
        return;
    SizeParentLayout layout{};
    GetClientRect(&layout.remaining);
    HWND pane = ::GetDlgItem(m_hWnd, FWID_PANE_FIRST);
    for (HWND child = ::GetTopWindow(m_hWnd); child; child = ::GetNextWindow(child, GW_HWNDNEXT)) {
        if (child != pane)
            ::SendMessageA(child, FrameworkSizeParentMessage(), 0, reinterpret_cast<LPARAM>(&layout));
    }
    if (pane) {
        const RECT& rect = layout.remaining;
        ::SetWindowPos(pane, nullptr, rect.left, rect.top, std::max(0L, rect.right - rect.left),
                       std::max(0L, rect.bottom - rect.top), SWP_NOZORDER | SWP_NOACTIVATE);
    }
}

void CFrameWnd::OnSize(UINT type, int cx, int cy)
{
    CWnd::OnSize(type, cx, cy);
    if (type != SIZE_MINIMIZED)
        RecalcLayout();
}

void CFrameWnd::OnSetFocus(HWND oldWindow)
{
    if (m_pActiveView && m_pActiveView->GetSafeHwnd())
        m_pActiveView->SetFocus();
    else
        CWnd::OnSetFocus(oldWindow);
}

void CFrameWnd::ActivateFrame(int cmdShow)
{
    if (cmdShow == -1) {
        if (!IsWindowVisible())
            cmdShow = SW_SHOWNORMAL;
        else if (IsIconic())
            cmdShow = SW_RESTORE;
    }
    if (cmdShow != -1) {
        ShowWindow(cmdShow);
        if (cmdShow != SW_HIDE && cmdShow != SW_MINIMIZE && cmdShow != SW_SHOWMINNOACTIVE)
            BringWindowToTop();
    }
}

void CFrameWnd::InitialUpdateFrame(CDocument* doc, BOOL makeVisible)
{
    CView* firstView = nullptr;
    if (!m_pActiveView) {
        firstView = dynamic_cast<CView*>(FromHandlePermanent(::GetDlgItem(m_hWnd, FWID_PANE_FIRST)));
        if (firstView)
            SetActiveView(firstView, FALSE);
    }
    if (makeVisible) {
        SendMessageToDescendants(FrameworkInitialUpdateMessage(), 0, 0, TRUE);
        int cmdShow = -1;
        if (CWinApp* app = GetApp(); app && app->m_pMainWnd == this) {
            // The program's show command applies to its first frame only.
            cmdShow = app->m_nCmdShow;
            app->m_nCmdShow = -1;
        }
        ActivateFrame(cmdShow);
        if (firstView)
            firstView->OnActivateView(TRUE, firstView, firstView);
    }
    if (doc)
        doc->UpdateFrameCounts();
    OnUpdateFrameTitle(TRUE);
}

void CFrameWnd::OnUpdateFrameTitle(BOOL addToTitle)
{
    if (!m_hWnd || !(GetStyle() & FWS_ADDTOTITLE))
        return;
    CDocument* doc = GetActiveDocument();
    CString title;
    if (addToTitle && doc && !doc->GetTitle().IsEmpty()) {
        title = doc->GetTitle();
        if (!m_strTitle.IsEmpty())
            title += " - " + m_strTitle;
    } else {
        title = m_strTitle;
    }
    CString current;
    GetWindowText(current);
    if (current != title)
        SetWindowText(title);
}

BOOL CFrameWnd::PreTranslateMessage(MSG* msg)
{
    if (msg->message >= WM_KEYFIRST && msg->message <= WM_KEYLAST && m_hAccelTable)
        return ::TranslateAcceleratorA(m_hWnd, m_hAccelTable, msg) ? TRUE : FALSE;
    return FALSE;
}

bool CFrameWnd::OnCmdMsg(CommandRequest& request)
{
    // The active view may be destroyed by its own handler; hold what we need first.
    if (CView* view = m_pActiveView; view && view->OnCmdMsg(request))
        return true;
    if (CWnd::OnCmdMsg(request))
        return true;
    CWinApp* app = GetApp();
    return app && app->OnCmdMsg(request);
}

void CFrameWnd::OnInitMenuPopup(HMENU popup, UINT index, BOOL systemMenu)
{
    CWnd::OnInitMenuPopup(popup, index, systemMenu);
    if (!systemMenu)
        UpdateMenuCommandUI(*this, popup, m_bAutoMenuEnable);
}

void CFrameWnd::OnClose()
{
    CDocument* doc = GetActiveDocument();
    if (doc && !doc->CanCloseFrame(this))
        return;

    HWND self = m_hWnd;
    CWinApp* app = GetApp();
    if (app && app->m_pMainWnd == this) {
        if (!doc && !app->SaveAllModified())
            return;
        // Closing the documents destroys their frames, this one among them; this
        // object may be gone afterwards.
        app->CloseAllDocuments(FALSE);
        if (!::IsWindow(self))
            return;
    } else if (doc && doc->m_bAutoDelete && doc->GetViews().size() == 1) {
        doc->OnCloseDocument();
        return;
    }
    DestroyWindow();  // virtual: a derived frame saves its layout there
}

LRESULT CFrameWnd::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (HandleDockingMessage(message, wParam, lParam))
        return 0;
    if (message == WM_QUERYENDSESSION) {
        CWinApp* app = GetApp();
        return (app && app->m_pMainWnd == this) ? app->SaveAllModified() : TRUE;
    }
    if (message == WM_ENDSESSION) {
        if (CWinApp* app = GetApp(); wParam && app && app->m_pMainWnd == this)
            app->CloseAllDocuments(TRUE);
        return 0;
    }
    if (message == FrameworkIdleUpdateMessage()) {
        // Bars update their buttons; the frame passes the message on to them.
        SendMessageToDescendants(message, wParam, lParam, TRUE);
        return 0;
    }
    return CWnd::WindowProc(message, wParam, lParam);
}
