#include "framework/Dialog.h"

#include "framework/Module.h"
#include "framework/WinApp.h"

IMPLEMENT_DYNAMIC(CDialog, CWnd)

BEGIN_COMMAND_MAP(CDialog, CWnd)
    ON_CMD(IDOK, OnOK)
    ON_CMD(IDCANCEL, OnCancel)
END_COMMAND_MAP()

namespace {

// The dialog manager's own procedure answers nothing: the framework
// subclassed the window before its first message and handles it there.
INT_PTR CALLBACK FrameworkDialogProcedure(HWND, UINT, WPARAM, LPARAM)
{
    return FALSE;
}

const DLGTEMPLATE* LoadDialogTemplate(UINT templateId)
{
    HINSTANCE module = GetResourceHandle();
    HRSRC resource = ::FindResourceA(module, MAKEINTRESOURCEA(templateId), MAKEINTRESOURCEA(5));
    if (!resource)
        return nullptr;
    HGLOBAL loaded = ::LoadResource(module, resource);
    return loaded ? static_cast<const DLGTEMPLATE*>(::LockResource(loaded)) : nullptr;
}

HWND TopLevelOf(HWND window)
{
    while (window && (::GetWindowLongPtrA(window, GWL_STYLE) & WS_CHILD)) {
        HWND parent = ::GetParent(window);
        if (!parent)
            break;
        window = parent;
    }
    return window;
}

}  // namespace

CDialog::CDialog(UINT templateId, CWnd* parent) : m_nIDTemplate(templateId), m_nIDHelp(templateId), m_pParentWnd(parent)
{
}

CDialog::~CDialog() = default;

BOOL CDialog::CreateFromTemplate(HWND owner)
{
    const DLGTEMPLATE* dialogTemplate = LoadDialogTemplate(m_nIDTemplate);
    if (!dialogTemplate || m_hWnd)
        return FALSE;
    HWND window = nullptr;
    {
        CWndCreationScope scope(this);
        window = ::CreateDialogIndirectParamA(GetResourceHandle(), dialogTemplate, owner, FrameworkDialogProcedure, 0);
    }
    return window != nullptr && m_hWnd == window;
}

BOOL CDialog::Create(UINT templateId, CWnd* parent)
{
    m_nIDTemplate = templateId;
    if (!m_nIDHelp)
        m_nIDHelp = templateId;
    if (parent)
        m_pParentWnd = parent;
    HWND owner = m_pParentWnd ? m_pParentWnd->GetSafeHwnd() : nullptr;
    if (!owner) {
        CWnd* main = GetAppMainWnd();
        owner = main ? main->GetSafeHwnd() : nullptr;
    }
    return CreateFromTemplate(owner);
}

INT_PTR CDialog::DoModal()
{
    HWND owner = m_pParentWnd ? m_pParentWnd->GetSafeHwnd() : nullptr;
    if (!owner) {
        CWnd* main = GetAppMainWnd();
        owner = main ? main->GetSafeHwnd() : nullptr;
    }
    // A child window can't own a dialog; its top-level window does.
    owner = TopLevelOf(owner);
    const bool disableOwner = owner && ::IsWindowEnabled(owner);
    if (disableOwner)
        ::EnableWindow(owner, FALSE);

    m_nModalResult = -1;
    m_endModal = false;
    m_inModalLoop = true;
    if (CreateFromTemplate(owner)) {
        // OnInitDialog may have ended the dialog already.
        if (!m_endModal)
            ShowWindow(SW_SHOWNORMAL);
        RunModalLoop();
    }
    m_inModalLoop = false;

    // The owner comes back before the dialog goes, so the activation returns to it.
    if (disableOwner)
        ::EnableWindow(owner, TRUE);
    if (owner && m_hWnd && ::GetActiveWindow() == m_hWnd)
        ::SetActiveWindow(owner);
    if (m_hWnd) {
        ::SetWindowPos(m_hWnd, nullptr, 0, 0, 0, 0,
                       SWP_HIDEWINDOW | SWP_NOSIZE | SWP_NOMOVE | SWP_NOACTIVATE | SWP_NOZORDER);
        DestroyWindow();
    }
    return m_nModalResult;
}

void CDialog::RunModalLoop()
{
    MSG msg;
    while (!m_endModal && m_hWnd) {
        const BOOL got = ::GetMessageA(&msg, nullptr, 0, 0);
        if (got <= 0) {
            // The program is ending: leave the quit message for the main loop.
            if (got == 0)
                ::PostQuitMessage(static_cast<int>(msg.wParam));
            break;
        }
        BOOL eaten = FALSE;
        if (msg.hwnd == m_hWnd || ::IsChild(m_hWnd, msg.hwnd))
            eaten = WalkPreTranslateTree(m_hWnd, &msg);
        if (!eaten) {
            ::TranslateMessage(&msg);
            ::DispatchMessageA(&msg);
        }
    }
}

void CDialog::EndDialog(int result)
{
    m_nModalResult = result;
    if (m_inModalLoop) {
        m_endModal = true;
        if (m_hWnd)
            ::PostMessageA(m_hWnd, WM_NULL, 0, 0);  // wakes the loop
    } else if (m_hWnd) {
        ::EndDialog(m_hWnd, result);
    }
}

BOOL CDialog::OnInitDialog()
{
    return TRUE;
}

void CDialog::OnOK()
{
    EndDialog(IDOK);
}

void CDialog::OnCancel()
{
    EndDialog(IDCANCEL);
}

BOOL CDialog::PreTranslateMessage(MSG* msg)
{
    if (msg->message < WM_KEYFIRST || msg->message > WM_KEYLAST || !m_hWnd)
        return FALSE;
    return ::IsDialogMessageA(m_hWnd, msg);
}

LRESULT CDialog::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_INITDIALOG)
        return OnInitDialog();
    return CWnd::WindowProc(message, wParam, lParam);
}
