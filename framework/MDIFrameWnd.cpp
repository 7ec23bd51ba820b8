#include "framework/MDIFrameWnd.h"

#include "framework/CommandIds.h"
#include "framework/Module.h"
#include "framework/WinApp.h"

IMPLEMENT_DYNAMIC(CMDIFrameWnd, CFrameWnd)
IMPLEMENT_DYNCREATE(CMDIChildWnd, CFrameWnd)

namespace {

// Ids the MDI client gives its children (and their "Window" menu items).
constexpr UINT kFirstMDIChildId = 0xFF00;

}  // namespace

// ---- CMDIFrameWnd --------------------------------------------------------------------

CMDIFrameWnd::~CMDIFrameWnd() = default;

BOOL CMDIFrameWnd::OnCreateClient(LPCREATESTRUCTA cs, CCreateContext*)
{
    CLIENTCREATESTRUCT client{};
    if (HMENU menu = cs->hMenu; menu && ::IsMenu(menu)) {
        const int count = ::GetMenuItemCount(menu);
        if (count >= 2)
            client.hWindowMenu = ::GetSubMenu(menu, count - 2);
    }
    client.idFirstChild = kFirstMDIChildId;
    m_hWndMDIClient = ::CreateWindowExA(WS_EX_CLIENTEDGE, "MDICLIENT", nullptr,
                                        WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN | WS_CLIPSIBLINGS | WS_VSCROLL |
                                            WS_HSCROLL,
                                        0, 0, 0, 0, m_hWnd, reinterpret_cast<HMENU>(static_cast<UINT_PTR>(FWID_PANE_FIRST)),
                                        GetInstanceHandle(), &client);
    return m_hWndMDIClient != nullptr;
}

CMDIChildWnd* CMDIFrameWnd::MDIGetActive(BOOL* maximized) const
{
    if (!m_hWndMDIClient)
        return nullptr;
    BOOL isMaximized = FALSE;
    HWND child = reinterpret_cast<HWND>(
        ::SendMessageA(m_hWndMDIClient, WM_MDIGETACTIVE, 0, reinterpret_cast<LPARAM>(&isMaximized)));
    if (maximized)
        *maximized = isMaximized;
    return dynamic_cast<CMDIChildWnd*>(FromHandlePermanent(child));
}

CDocument* CMDIFrameWnd::GetActiveDocument()
{
    if (CMDIChildWnd* child = MDIGetActive())
        return child->GetActiveDocument();
    return CFrameWnd::GetActiveDocument();
}

bool CMDIFrameWnd::OnCmdMsg(CommandRequest& request)
{
    if (CMDIChildWnd* child = MDIGetActive(); child && child->OnCmdMsg(request))
        return true;
    return CFrameWnd::OnCmdMsg(request);
}

BOOL CMDIFrameWnd::PreTranslateMessage(MSG* msg)
{
    if (m_hWndMDIClient && ::TranslateMDISysAccel(m_hWndMDIClient, msg))
        return TRUE;
    return CFrameWnd::PreTranslateMessage(msg);
}

LRESULT CMDIFrameWnd::DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    return ::DefFrameProcA(m_hWnd, m_hWndMDIClient, message, wParam, lParam);
}

// ---- CMDIChildWnd ---------------------------------------------------------------------

CMDIChildWnd::~CMDIChildWnd() = default;

CMDIFrameWnd* CMDIChildWnd::GetMDIFrame() const
{
    HWND client = ::GetParent(m_hWnd);
    return client ? dynamic_cast<CMDIFrameWnd*>(FromHandlePermanent(::GetParent(client))) : nullptr;
}

BOOL CMDIChildWnd::LoadFrame(UINT resourceId, DWORD style, CWnd* parent, CCreateContext* context)
{
    auto* frame = dynamic_cast<CMDIFrameWnd*>(parent ? parent : GetAppMainWnd());
    if (!frame || !frame->m_hWndMDIClient)
        return FALSE;
    m_nIDHelp = resourceId;
    CString documentStrings;
    if (documentStrings.LoadString(resourceId)) {
        const int newline = documentStrings.Find('\n');
        m_strTitle = newline < 0 ? documentStrings : documentStrings.Left(newline);
    }
    HICON icon = ::LoadIconA(GetResourceHandle(), MAKEINTRESOURCEA(resourceId));
    LPCSTR className = RegisterFrameworkWindowClass(CS_DBLCLKS, ::LoadCursorA(nullptr, IDC_ARROW),
                                                    reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1), icon);
    if (!Create(className, m_strTitle, style, rectDefault, frame, context))
        return FALSE;
    if (!context)
        SendMessageToDescendants(FrameworkInitialUpdateMessage(), 0, 0, TRUE);
    return TRUE;
}

BOOL CMDIChildWnd::Create(LPCSTR className, LPCSTR title, DWORD style, const RECT& rect, CMDIFrameWnd* parent,
                          CCreateContext* context)
{
    if (!parent || !parent->m_hWndMDIClient)
        return FALSE;
    const int width = rect.left == CW_USEDEFAULT ? CW_USEDEFAULT : rect.right - rect.left;
    const int height = rect.left == CW_USEDEFAULT ? CW_USEDEFAULT : rect.bottom - rect.top;
    return CreateEx(WS_EX_MDICHILD, className, title, style | WS_CHILD, rect.left, rect.top, width, height,
                    parent->m_hWndMDIClient, nullptr, context);
}

int CMDIChildWnd::OnCreate(LPCREATESTRUCTA cs)
{
    CREATESTRUCTA unwrapped = *cs;
    if (const auto* mdi = static_cast<const MDICREATESTRUCTA*>(cs->lpCreateParams))
        unwrapped.lpCreateParams = reinterpret_cast<LPVOID>(mdi->lParam);
    return CFrameWnd::OnCreate(&unwrapped);
}

void CMDIChildWnd::MDIActivate()
{
    ::SendMessageA(::GetParent(m_hWnd), WM_MDIACTIVATE, reinterpret_cast<WPARAM>(m_hWnd), 0);
}

void CMDIChildWnd::MDIDestroy()
{
    ::SendMessageA(::GetParent(m_hWnd), WM_MDIDESTROY, reinterpret_cast<WPARAM>(m_hWnd), 0);
}

void CMDIChildWnd::MDIMaximize()
{
    ::SendMessageA(::GetParent(m_hWnd), WM_MDIMAXIMIZE, reinterpret_cast<WPARAM>(m_hWnd), 0);
}

void CMDIChildWnd::MDIRestore()
{
    ::SendMessageA(::GetParent(m_hWnd), WM_MDIRESTORE, reinterpret_cast<WPARAM>(m_hWnd), 0);
}

LRESULT CMDIChildWnd::DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    return ::DefMDIChildProcA(m_hWnd, message, wParam, lParam);
}
