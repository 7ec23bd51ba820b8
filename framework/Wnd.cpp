// CWnd: binding objects to windows, creation, subclassing and the framework's
// window procedure.
#include "framework/Wnd.h"

#include "framework/Module.h"
#include "framework/WinApp.h"
#include "framework/WindowTexts.h"

#include <cstdio>
#include <map>
#include <memory>
#include <mutex>
#include <string>
#include <tuple>
#include <unordered_map>
#include <utility>

IMPLEMENT_DYNCREATE(CWnd, CCmdTarget)

LRESULT CALLBACK FrameworkWindowProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
LRESULT CALLBACK FrameworkCreationHook(int code, WPARAM wParam, LPARAM lParam);

namespace {

// Windows bound to objects, for every thread: a worker's window can be found
// from any thread (its messages still run on its own thread).
struct PermanentMap {
    std::mutex mutex;
    std::unordered_map<HWND, CWnd*> windows;
};

PermanentMap& Permanent()
{
    static PermanentMap map;
    return map;
}

// Wrappers handed out by FromHandle for windows nobody bound; per thread,
// deleted at idle time (and when a framework worker ends). A plain pointer:
// MinGW frees a thread's storage before running destructors of its
// thread_local objects, so a thread_local map would be destroyed in freed memory.
using TemporaryWindows = std::unordered_map<HWND, std::unique_ptr<CWnd>>;
thread_local TemporaryWindows* t_temporaryWindows = nullptr;

// The message each nested call of the window procedure is handling.
struct MessageFrame {
    MSG msg{};
    LRESULT defaultResult = 0;
    bool defaultCalled = false;
    MessageFrame* previous = nullptr;
};
thread_local MessageFrame* t_messageFrame = nullptr;

class MessageFrameScope {
public:
    MessageFrameScope(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
    {
        m_frame.msg.hwnd = window;
        m_frame.msg.message = message;
        m_frame.msg.wParam = wParam;
        m_frame.msg.lParam = lParam;
        m_frame.previous = t_messageFrame;
        t_messageFrame = &m_frame;
    }
    ~MessageFrameScope() { t_messageFrame = m_frame.previous; }
    MessageFrameScope(const MessageFrameScope&) = delete;
    MessageFrameScope& operator=(const MessageFrameScope&) = delete;

private:
    MessageFrame m_frame;
};

// The window being created on this thread, taken by the creation hook.
struct CreationState {
    CWnd* pending = nullptr;
    bool* boundFlag = nullptr;
    HHOOK hook = nullptr;
    int depth = 0;
};
thread_local CreationState t_creation;

bool IsImeWindow(HWND window)
{
    const CString className = WindowClassNameOf(window);
    return ::lstrcmpiA(className, "IME") == 0 || ::lstrcmpiA(className, "MSCTFIME UI") == 0;
}

// What a message answers when its handler failed.
LRESULT FailureResult(UINT message)
{
    switch (message) {
    case WM_CREATE:
        return -1;  // creation fails instead of leaving a half-made window
    case WM_NCCREATE:
        return FALSE;
    default:
        return 0;
    }
}

}  // namespace

LRESULT CALLBACK FrameworkWindowProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    CWnd* wnd = CWnd::FromHandlePermanent(window);
    if (!wnd)
        return ::DefWindowProcA(window, message, wParam, lParam);

    LRESULT result = 0;
    {
        MessageFrameScope frame(window, message, wParam, lParam);
        try {
            result = wnd->WindowProc(message, wParam, lParam);
        } catch (...) {
            // Last resort: handlers report their own failures; an exception must
            // still never cross the system's frames.
            ::OutputDebugStringA("framework: exception caught in a window procedure\n");
            result = FailureResult(message);
        }
    }
    // The handler may have deleted the object; only a still-bound one is finished.
    if (message == WM_NCDESTROY && CWnd::FromHandlePermanent(window) == wnd)
        wnd->FinishNcDestroy();
    return result;
}

LRESULT CALLBACK FrameworkCreationHook(int code, WPARAM wParam, LPARAM lParam)
{
    CreationState& state = t_creation;
    if (code == HCBT_CREATEWND && state.pending) {
        HWND window = reinterpret_cast<HWND>(wParam);
        if (!IsImeWindow(window)) {
            CWnd* wnd = state.pending;
            state.pending = nullptr;
            wnd->BindCreatedWindow(window);
            if (state.boundFlag)
                *state.boundFlag = true;
        }
    }
    return ::CallNextHookEx(state.hook, code, wParam, lParam);
}

CWndCreationScope::CWndCreationScope(CWnd* window)
    : m_previousPending(t_creation.pending), m_previousBoundFlag(t_creation.boundFlag)
{
    CreationState& state = t_creation;
    state.pending = window;
    state.boundFlag = &m_bound;
    if (state.depth++ == 0)
        state.hook = ::SetWindowsHookExA(WH_CBT, FrameworkCreationHook, nullptr, ::GetCurrentThreadId());
}

CWndCreationScope::~CWndCreationScope()
{
    CreationState& state = t_creation;
    state.pending = m_previousPending;
    state.boundFlag = m_previousBoundFlag;
    if (--state.depth == 0 && state.hook) {
        ::UnhookWindowsHookEx(state.hook);
        state.hook = nullptr;
    }
}

LPCSTR RegisterFrameworkWindowClass(UINT classStyle, HCURSOR cursor, HBRUSH background, HICON icon)
{
    static std::mutex mutex;
    static std::map<std::tuple<UINT, HCURSOR, HBRUSH, HICON>, std::string> registered;

    const std::lock_guard<std::mutex> lock(mutex);
    const auto key = std::make_tuple(classStyle, cursor, background, icon);
    const auto found = registered.find(key);
    if (found != registered.end())
        return found->second.c_str();

    char name[96];
    std::snprintf(name, sizeof(name), "Fw:%x:%p:%p:%p", classStyle, static_cast<void*>(cursor),
                  static_cast<void*>(background), static_cast<void*>(icon));
    WNDCLASSA windowClass{};
    windowClass.style = classStyle;
    // Every framework window is subclassed at creation; the class itself only
    // needs the system's default behaviour underneath.
    windowClass.lpfnWndProc = ::DefWindowProcA;
    windowClass.hInstance = GetInstanceHandle();
    windowClass.hCursor = cursor;
    windowClass.hbrBackground = background;
    windowClass.hIcon = icon;
    windowClass.lpszClassName = name;
    WNDCLASSA existing{};
    if (!::GetClassInfoA(windowClass.hInstance, name, &existing) && !::RegisterClassA(&windowClass))
        return nullptr;
    return registered.emplace(key, name).first->second.c_str();
}

CWnd::~CWnd()
{
    switch (m_binding) {
    case Binding::Created:
        // Messages sent while the window goes reach this object as a plain CWnd.
        if (::IsWindow(m_hWnd) && ::DestroyWindow(m_hWnd))
            break;
        UnsubclassWindow();  // a window of another thread can't be destroyed from here
        break;
    case Binding::Subclassed:
        UnsubclassWindow();
        break;
    case Binding::Attached:
        Detach();
        break;
    case Binding::Temporary:
    case Binding::None:
        break;
    }
}

CWnd* CWnd::FromHandlePermanent(HWND window)
{
    if (!window)
        return nullptr;
    PermanentMap& map = Permanent();
    const std::lock_guard<std::mutex> lock(map.mutex);
    const auto found = map.windows.find(window);
    return found == map.windows.end() ? nullptr : found->second;
}

CWnd* CWnd::FromHandle(HWND window)
{
    if (!window)
        return nullptr;
    if (CWnd* permanent = FromHandlePermanent(window))
        return permanent;
    if (!t_temporaryWindows)
        t_temporaryWindows = new TemporaryWindows();
    std::unique_ptr<CWnd>& temporary = (*t_temporaryWindows)[window];
    if (!temporary) {
        temporary = std::make_unique<CWnd>();
        temporary->m_hWnd = window;
        temporary->m_binding = Binding::Temporary;
    }
    return temporary.get();
}

void CWnd::DeleteTempMap()
{
    delete std::exchange(t_temporaryWindows, nullptr);
}

bool CWnd::Attach(HWND window)
{
    if (!window || m_hWnd)
        return false;
    {
        PermanentMap& map = Permanent();
        const std::lock_guard<std::mutex> lock(map.mutex);
        if (!map.windows.emplace(window, this).second)
            return false;  // someone else's window already
    }
    m_hWnd = window;
    m_binding = Binding::Attached;
    if (t_temporaryWindows)
        t_temporaryWindows->erase(window);
    return true;
}

HWND CWnd::Detach()
{
    HWND window = m_hWnd;
    if (window && m_binding != Binding::Temporary) {
        PermanentMap& map = Permanent();
        const std::lock_guard<std::mutex> lock(map.mutex);
        const auto found = map.windows.find(window);
        if (found != map.windows.end() && found->second == this)
            map.windows.erase(found);
    }
    m_hWnd = nullptr;
    m_binding = Binding::None;
    return window;
}

void CWnd::BindCreatedWindow(HWND window)
{
    if (!Attach(window))
        return;
    m_binding = Binding::Created;
    const auto previous = reinterpret_cast<WNDPROC>(
        ::SetWindowLongPtrA(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&FrameworkWindowProcedure)));
    m_pfnSuper = previous == &FrameworkWindowProcedure ? nullptr : previous;
}

BOOL CWnd::SubclassWindow(HWND window)
{
    if (!::IsWindow(window) || !Attach(window))
        return FALSE;
    const auto previous = reinterpret_cast<WNDPROC>(
        ::SetWindowLongPtrA(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&FrameworkWindowProcedure)));
    if (!previous) {
        Detach();
        return FALSE;
    }
    m_pfnSuper = previous == &FrameworkWindowProcedure ? nullptr : previous;
    m_binding = Binding::Subclassed;
    return TRUE;
}

BOOL CWnd::SubclassDlgItem(UINT id, CWnd* parent)
{
    if (!parent)
        return FALSE;
    HWND control = ::GetDlgItem(parent->m_hWnd, static_cast<int>(id));
    return control ? SubclassWindow(control) : FALSE;
}

HWND CWnd::UnsubclassWindow()
{
    if (!m_hWnd)
        return nullptr;
    if (m_pfnSuper && ::IsWindow(m_hWnd) &&
        reinterpret_cast<WNDPROC>(::GetWindowLongPtrA(m_hWnd, GWLP_WNDPROC)) == &FrameworkWindowProcedure)
        ::SetWindowLongPtrA(m_hWnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(m_pfnSuper));
    m_pfnSuper = nullptr;
    return Detach();
}

void CWnd::FinishNcDestroy()
{
    UnsubclassWindow();
    if (CWinApp* app = GetApp(); app && app->m_pMainWnd == this) {
        app->m_pMainWnd = nullptr;
        // The main window gone ends the program's message loop.
        if (app->m_nThreadID == ::GetCurrentThreadId())
            ::PostQuitMessage(0);
    }
    PostNcDestroy();
}

void CWnd::PostNcDestroy() {}

BOOL CWnd::PreCreateWindow(CREATESTRUCTA& cs)
{
    if (!cs.lpszClass)
        cs.lpszClass = RegisterFrameworkWindowClass(CS_DBLCLKS, ::LoadCursorA(nullptr, IDC_ARROW),
                                                    reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1));
    return cs.lpszClass != nullptr;
}

BOOL CWnd::CreateEx(DWORD exStyle, LPCSTR className, LPCSTR windowName, DWORD style, int x, int y, int width,
                    int height, HWND parent, HMENU menuOrId, LPVOID param)
{
    if (m_hWnd)
        return FALSE;
    CREATESTRUCTA cs{};
    cs.dwExStyle = exStyle;
    cs.lpszClass = className;
    cs.lpszName = windowName;
    cs.style = style;
    cs.x = x;
    cs.y = y;
    cs.cx = width;
    cs.cy = height;
    cs.hwndParent = parent;
    cs.hMenu = menuOrId;
    cs.hInstance = GetInstanceHandle();
    cs.lpCreateParams = param;
    if (!PreCreateWindow(cs)) {
        PostNcDestroy();
        return FALSE;
    }

    bool bound = false;
    HWND window = nullptr;
    {
        CWndCreationScope scope(this);
        window = ::CreateWindowExA(cs.dwExStyle, cs.lpszClass, cs.lpszName, cs.style, cs.x, cs.y, cs.cx, cs.cy,
                                   cs.hwndParent, cs.hMenu, cs.hInstance, cs.lpCreateParams);
        bound = scope.Bound();
    }
    if (!window) {
        // A window that got as far as its first message has been through
        // WM_NCDESTROY and PostNcDestroy already; don't touch the object then.
        if (!bound)
            PostNcDestroy();
        return FALSE;
    }
    return TRUE;
}

BOOL CWnd::CreateEx(DWORD exStyle, LPCSTR className, LPCSTR windowName, DWORD style, const RECT& rect,
                    CWnd* parent, UINT id, LPVOID param)
{
    return CreateEx(exStyle, className, windowName, style, rect.left, rect.top, rect.right - rect.left,
                    rect.bottom - rect.top, parent ? parent->m_hWnd : nullptr,
                    reinterpret_cast<HMENU>(static_cast<UINT_PTR>(id)), param);
}

BOOL CWnd::Create(LPCSTR className, LPCSTR windowName, DWORD style, const RECT& rect, CWnd* parent, UINT id,
                  LPVOID param)
{
    return CreateEx(0, className, windowName, style | WS_CHILD, rect, parent, id, param);
}

BOOL CWnd::DestroyWindow()
{
    if (!m_hWnd)
        return FALSE;
    return ::DestroyWindow(m_hWnd);
}

const MSG* CWnd::GetCurrentMessage()
{
    return t_messageFrame ? &t_messageFrame->msg : nullptr;
}

LRESULT CWnd::DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (m_pfnSuper)
        return ::CallWindowProcA(m_pfnSuper, m_hWnd, message, wParam, lParam);
    return ::DefWindowProcA(m_hWnd, message, wParam, lParam);
}

LRESULT CWnd::Default()
{
    MessageFrame* frame = t_messageFrame;
    if (!frame)
        return 0;
    frame->defaultResult = DefWindowProc(frame->msg.message, frame->msg.wParam, frame->msg.lParam);
    frame->defaultCalled = true;
    return frame->defaultResult;
}

LRESULT CWnd::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    // A derived WindowProc may pass on another message than it got: Default()
    // in the handler must see the one handled here.
    MessageFrameScope frame(m_hWnd, message, wParam, lParam);
    LRESULT result = 0;
    if (!OnWndMsg(message, wParam, lParam, &result))
        result = DefWindowProc(message, wParam, lParam);
    return result;
}

BOOL CWnd::PreTranslateMessage(MSG*)
{
    return FALSE;
}

BOOL CWnd::WalkPreTranslateTree(HWND last, MSG* msg)
{
    for (HWND window = msg->hwnd; window; window = ::GetParent(window)) {
        if (CWnd* wnd = FromHandlePermanent(window); wnd && wnd->PreTranslateMessage(msg))
            return TRUE;
        if (window == last)
            break;
    }
    return FALSE;
}

LRESULT CWnd::DefaultResultOfCurrentMessage(LRESULT ifNotCalled)
{
    if (!t_messageFrame || !t_messageFrame->defaultCalled)
        return ifNotCalled;
    return t_messageFrame->defaultResult;
}
