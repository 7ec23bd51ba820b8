// CWinApp: the application object, its message loop and idle work, its
// documents and the framework's main function. The profile is WinAppProfile.cpp.
#include "framework/WinApp.h"

#include "framework/CmdUI.h"
#include "framework/CommandIds.h"
#include "framework/CommandLineInfo.h"
#include "framework/DocTemplate.h"
#include "framework/Document.h"
#include "framework/MessageBox.h"
#include "framework/RecentFileList.h"
#include "framework/Wnd.h"

#include <commctrl.h>
#include <commdlg.h>

#include <string>

IMPLEMENT_DYNAMIC(CWinApp, CCmdTarget)

BEGIN_COMMAND_MAP(CWinApp, CCmdTarget)
    ON_CMD_UI(FWID_FILE_MRU_FIRST, OnUpdateRecentFileMenu)
    ON_CMD_RANGE(FWID_FILE_MRU_FIRST, FWID_FILE_MRU_LAST, OnOpenRecentFile)
    ON_CMD(FWID_APP_EXIT, OnAppExit)
END_COMMAND_MAP()

namespace {

// Constant-initialised, so it is valid before any file-scope constructor runs.
CWinApp* g_app = nullptr;

constexpr UINT kCaretBlinkTimer = 0x0118;  // system timer message; not user activity

}  // namespace

CWinApp* GetApp()
{
    return g_app;
}

CWnd* GetAppMainWnd()
{
    return g_app ? g_app->m_pMainWnd : nullptr;
}

LPCSTR GetAppTitle()
{
    return g_app ? g_app->m_strAppName.c_str() : "";
}

int AppMessageBox(LPCSTR text, UINT type)
{
    if ((type & MB_ICONMASK) == 0) {
        const UINT buttons = type & MB_TYPEMASK;
        if (buttons == MB_OK || buttons == MB_OKCANCEL)
            type |= MB_ICONEXCLAMATION;
        else if (buttons == MB_YESNO || buttons == MB_YESNOCANCEL)
            type |= MB_ICONQUESTION;
    }
    // Owned by what the user looks at: a dialog in front of the frame, else the frame.
    HWND owner = ::GetActiveWindow();
    if (!owner) {
        CWnd* main = GetAppMainWnd();
        owner = main ? main->GetSafeHwnd() : nullptr;
    }
    if (owner) {
        while (::GetWindowLongPtrA(owner, GWL_STYLE) & WS_CHILD) {
            HWND parent = ::GetParent(owner);
            if (!parent)
                break;
            owner = parent;
        }
        owner = ::GetLastActivePopup(owner);
    }
    return ShowMessageBox(owner, text, GetAppTitle(), type);
}

UINT FrameworkInitialUpdateMessage()
{
    static const UINT message = ::RegisterWindowMessageA("Framework.InitialUpdate");
    return message;
}

UINT FrameworkIdleUpdateMessage()
{
    static const UINT message = ::RegisterWindowMessageA("Framework.IdleUpdateCmdUI");
    return message;
}

CWinApp::CWinApp(LPCSTR appName)
    : m_hInstance(::GetModuleHandleA(nullptr)), m_strAppName(appName), m_nThreadID(::GetCurrentThreadId())
{
    if (!g_app)
        g_app = this;
}

CWinApp::~CWinApp()
{
    m_templates.clear();
    if (m_hDevMode)
        ::GlobalFree(m_hDevMode);
    if (m_hDevNames)
        ::GlobalFree(m_hDevNames);
    if (g_app == this)
        g_app = nullptr;
}

void CWinApp::StartUp(HINSTANCE instance, LPCSTR commandLine, int showCommand)
{
    m_hInstance = instance ? instance : ::GetModuleHandleA(nullptr);
    m_strCmdLine = commandLine;
    m_nCmdShow = showCommand;
    m_nThreadID = ::GetCurrentThreadId();
    if (m_strAppName.IsEmpty() && !m_strAppName.LoadString(FWIDS_APP_TITLE)) {
        char path[MAX_PATH] = {};
        ::GetModuleFileNameA(nullptr, path, MAX_PATH);
        CString name = path;
        name = name.Mid(name.ReverseFind('\\') + 1);
        const int dot = name.ReverseFind('.');
        m_strAppName = dot > 0 ? name.Left(dot) : name;
    }
}

void CWinApp::ShutDown()
{
    if (m_pMainWnd && m_pMainWnd->GetSafeHwnd())
        m_pMainWnd->DestroyWindow();
    CloseAllDocuments(TRUE);
    m_templates.clear();
    CWnd::DeleteTempMap();
}

BOOL CWinApp::InitInstance()
{
    return TRUE;
}

int CWinApp::ExitInstance()
{
    SaveStdProfileSettings();
    return m_exitCode;
}

BOOL CWinApp::PumpMessage()
{
    const BOOL got = ::GetMessageA(&m_msgCur, nullptr, 0, 0);
    if (got <= 0) {
        // WM_QUIT, or a broken queue (-1) that would spin forever.
        m_exitCode = got == 0 ? static_cast<int>(m_msgCur.wParam) : -1;
        return FALSE;
    }
    BOOL eaten = FALSE;
    try {
        eaten = PreTranslateMessage(&m_msgCur);
    } catch (...) {
        eaten = FALSE;
    }
    if (!eaten) {
        ::TranslateMessage(&m_msgCur);
        ::DispatchMessageA(&m_msgCur);
    }
    return TRUE;
}

bool CWinApp::IsIdleMessage(const MSG& msg)
{
    // A mouse standing still repeats its move message; that is no activity.
    if (msg.message == WM_MOUSEMOVE || msg.message == WM_NCMOUSEMOVE) {
        if (msg.message == m_lastMouseMessage && msg.pt.x == m_lastMousePoint.x && msg.pt.y == m_lastMousePoint.y)
            return false;
        m_lastMouseMessage = msg.message;
        m_lastMousePoint = msg.pt;
        return true;
    }
    if (msg.message == WM_TIMER) {
        const CWnd* window = CWnd::FromHandlePermanent(msg.hwnd);
        if (window && window->IsAnimationTimer(msg.wParam))
            return false;
    }
    return msg.message != WM_PAINT && msg.message != kCaretBlinkTimer;
}

int CWinApp::Run()
{
    bool idle = true;
    LONG idleCount = 0;
    MSG peeked;
    for (;;) {
        while (idle && !::PeekMessageA(&peeked, nullptr, 0, 0, PM_NOREMOVE)) {
            BOOL more = FALSE;
            try {
                more = OnIdle(idleCount++);
            } catch (...) {
                more = FALSE;
            }
            if (!more)
                idle = false;
        }
        do {
            if (!PumpMessage())
                return ExitInstance();
            if (IsIdleMessage(m_msgCur)) {
                idle = true;
                idleCount = 0;
            }
        } while (::PeekMessageA(&peeked, nullptr, 0, 0, PM_NOREMOVE));
    }
}

BOOL CWinApp::OnIdle(LONG count)
{
    if (count == 0) {
        if (m_pMainWnd && m_pMainWnd->GetSafeHwnd())
            m_pMainWnd->SendMessage(FrameworkIdleUpdateMessage(), TRUE, 0);
        return TRUE;
    }
    if (count == 1)
        CWnd::DeleteTempMap();
    return FALSE;
}

BOOL CWinApp::PreTranslateMessage(MSG* msg)
{
    HWND main = m_pMainWnd ? m_pMainWnd->GetSafeHwnd() : nullptr;
    if (CWnd::WalkPreTranslateTree(main, msg))
        return TRUE;
    if (!main)
        return FALSE;
    // A window outside the main frame (a floating bar) still gets the frame's accelerators.
    for (HWND window = msg->hwnd; window; window = ::GetParent(window)) {
        if (window == main)
            return FALSE;  // the walk has asked the frame already
    }
    return m_pMainWnd->PreTranslateMessage(msg);
}

CDocument* CWinApp::OpenDocumentFile(LPCSTR path)
{
    if (m_templates.empty())
        return nullptr;
    return m_templates.front()->OpenDocumentFile(path);
}

void CWinApp::AddToRecentFileList(LPCSTR path)
{
    if (m_recentFiles && path && *path)
        m_recentFiles->Add(path);
}

void CWinApp::AddDocTemplate(std::unique_ptr<CDocTemplate> docTemplate)
{
    if (docTemplate)
        m_templates.push_back(std::move(docTemplate));
}

BOOL CWinApp::SaveAllModified()
{
    for (const auto& docTemplate : m_templates) {
        if (!docTemplate->SaveAllModified())
            return FALSE;
    }
    return TRUE;
}

void CWinApp::CloseAllDocuments(BOOL endSession)
{
    for (const auto& docTemplate : m_templates)
        docTemplate->CloseAllDocuments(endSession);
}

void CWinApp::OnFileNew()
{
    if (!m_templates.empty())
        m_templates.front()->OpenDocumentFile(nullptr);
}

void CWinApp::OnFileOpen()
{
    // "name\0*.ext\0" per template, then all files.
    std::string filter;
    CString defaultExtension;
    for (const auto& docTemplate : m_templates) {
        CString name;
        CString extension;
        if (!docTemplate->GetDocString(name, CDocTemplate::filterName) ||
            !docTemplate->GetDocString(extension, CDocTemplate::filterExt))
            continue;
        if (extension[0] == '.')
            extension = extension.Mid(1);
        if (defaultExtension.IsEmpty())
            defaultExtension = extension;
        filter += name.str() + '\0' + "*." + extension.str() + '\0';
    }
    filter += std::string("All Files (*.*)") + '\0' + "*.*" + '\0' + '\0';

    char fileName[MAX_PATH] = {};
    OPENFILENAMEA dialog{};
    dialog.lStructSize = sizeof(dialog);
    dialog.hwndOwner = m_pMainWnd ? m_pMainWnd->GetSafeHwnd() : nullptr;
    dialog.lpstrFilter = filter.c_str();
    dialog.lpstrFile = fileName;
    dialog.nMaxFile = MAX_PATH;
    dialog.lpstrDefExt = defaultExtension.IsEmpty() ? nullptr : defaultExtension.c_str();
    dialog.Flags = OFN_HIDEREADONLY | OFN_FILEMUSTEXIST | OFN_PATHMUSTEXIST;
    if (::GetOpenFileNameA(&dialog))
        OpenDocumentFile(fileName);
}

void CWinApp::OnAppExit()
{
    if (m_pMainWnd && m_pMainWnd->GetSafeHwnd())
        m_pMainWnd->PostMessage(WM_CLOSE);
}

void CWinApp::SelectPrinter(HGLOBAL devNames, HGLOBAL devMode)
{
    if (m_hDevNames && m_hDevNames != devNames)
        ::GlobalFree(m_hDevNames);
    if (m_hDevMode && m_hDevMode != devMode)
        ::GlobalFree(m_hDevMode);
    m_hDevNames = devNames;
    m_hDevMode = devMode;
}

void CWinApp::OnFilePrintSetup()
{
    PRINTDLGA dialog{};
    dialog.lStructSize = sizeof(dialog);
    dialog.hwndOwner = m_pMainWnd ? m_pMainWnd->GetSafeHwnd() : nullptr;
    dialog.hDevMode = m_hDevMode;
    dialog.hDevNames = m_hDevNames;
    dialog.Flags = PD_PRINTSETUP;
    const BOOL chosen = ::PrintDlgA(&dialog);
    // The dialog may have replaced the handles even when cancelled: keep what it returned.
    m_hDevMode = nullptr;
    m_hDevNames = nullptr;
    SelectPrinter(dialog.hDevNames, dialog.hDevMode);
    (void)chosen;
}

void CWinApp::OnUpdateRecentFileMenu(CCmdUI* ui)
{
    if (!m_recentFiles) {
        ui->Enable(false);
        return;
    }
    m_recentFiles->UpdateMenu(ui);
}

BOOL CWinApp::OnOpenRecentFile(UINT id)
{
    if (!m_recentFiles)
        return FALSE;
    const int index = static_cast<int>(id - FWID_FILE_MRU_FIRST);
    if (index < 0 || index >= m_recentFiles->GetCount())
        return FALSE;
    // A copy: opening the file reorders the list.
    const CString path = (*m_recentFiles)[index];
    if (!OpenDocumentFile(path))
        m_recentFiles->Remove(path);
    return TRUE;
}

void CWinApp::ParseCommandLine(CCommandLineInfo& info) const
{
    ParseCommandLineText(m_strCmdLine, info);
}

BOOL CWinApp::ProcessShellCommand(CCommandLineInfo& info)
{
    switch (info.m_nShellCommand) {
    case CCommandLineInfo::FileNew:
        OnFileNew();
        return m_pMainWnd != nullptr;
    case CCommandLineInfo::FileOpen:
        return OpenDocumentFile(info.m_strFileName) != nullptr;
    case CCommandLineInfo::FilePrint:
    case CCommandLineInfo::FilePrintTo:
        // Print and leave: open, print without asking, close.
        if (!OpenDocumentFile(info.m_strFileName))
            return FALSE;
        if (m_pMainWnd && m_pMainWnd->GetSafeHwnd()) {
            m_pMainWnd->SendMessage(WM_COMMAND, FWID_FILE_PRINT_DIRECT);
            m_pMainWnd->PostMessage(WM_CLOSE);
        }
        return TRUE;
    case CCommandLineInfo::FileDDE:
    case CCommandLineInfo::FileNothing:
        return TRUE;
    }
    return FALSE;
}

int FrameworkWinMain(HINSTANCE instance, LPSTR commandLine, int showCommand)
{
    CWinApp* app = GetApp();
    if (!app)
        return -1;
    app->StartUp(instance, commandLine, showCommand);

    INITCOMMONCONTROLSEX controls{};
    controls.dwSize = sizeof(controls);
    controls.dwICC = ICC_WIN95_CLASSES | ICC_COOL_CLASSES | ICC_USEREX_CLASSES | ICC_STANDARD_CLASSES;
    ::InitCommonControlsEx(&controls);

    BOOL initialised = FALSE;
    try {
        initialised = app->InitInstance();
    } catch (...) {
        initialised = FALSE;
    }

    int result = 0;
    try {
        if (initialised) {
            result = app->Run();
        } else {
            if (app->m_pMainWnd && app->m_pMainWnd->GetSafeHwnd())
                app->m_pMainWnd->DestroyWindow();
            result = app->ExitInstance();
        }
    } catch (...) {
        result = -1;
    }
    app->ShutDown();
    return result;
}
