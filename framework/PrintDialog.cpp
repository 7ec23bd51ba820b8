#include "framework/PrintDialog.h"

#include "framework/WinApp.h"

#include <cstring>

IMPLEMENT_DYNAMIC(CPrintDialog, CWnd)

namespace
{
// A copy of a global memory block (the application's printer choice), or null.
HGLOBAL CopyBlock(HGLOBAL source)
{
    if (!source)
        return nullptr;
    const SIZE_T size = ::GlobalSize(source);
    HGLOBAL copy = ::GlobalAlloc(GMEM_MOVEABLE, size);
    if (!copy)
        return nullptr;
    const void* from = ::GlobalLock(source);
    void* to = ::GlobalLock(copy);
    if (from && to)
        std::memcpy(to, from, size);
    if (to)
        ::GlobalUnlock(copy);
    if (from)
        ::GlobalUnlock(source);
    if (!from || !to) {
        ::GlobalFree(copy);
        return nullptr;
    }
    return copy;
}
}  // namespace

CPrintDialog::CPrintDialog(BOOL printSetupOnly, DWORD flags, CWnd* parent)
{
    m_pd.lStructSize = sizeof m_pd;
    m_pd.Flags = flags | PD_ENABLEPRINTHOOK | PD_ENABLESETUPHOOK;
    if (printSetupOnly)
        m_pd.Flags |= PD_PRINTSETUP;
    m_pd.hwndOwner = parent ? parent->GetSafeHwnd() : nullptr;
    m_pd.lpfnPrintHook = &CPrintDialog::HookProc;
    m_pd.lpfnSetupHook = &CPrintDialog::HookProc;
    m_pd.lCustData = reinterpret_cast<LPARAM>(this);
    m_pd.nFromPage = 1;
    m_pd.nToPage = 1;
    m_pd.nMinPage = 1;
    m_pd.nMaxPage = 0xFFFF;
    m_pd.nCopies = 1;
}

CPrintDialog::~CPrintDialog()
{
    if (m_hWnd)
        UnsubclassWindow();
    if (m_pd.hDC)
        ::DeleteDC(m_pd.hDC);
    FreeBlocks();
}

void CPrintDialog::FreeBlocks()
{
    if (m_pd.hDevMode)
        ::GlobalFree(m_pd.hDevMode);
    if (m_pd.hDevNames)
        ::GlobalFree(m_pd.hDevNames);
    m_pd.hDevMode = nullptr;
    m_pd.hDevNames = nullptr;
}

INT_PTR CPrintDialog::DoModal()
{
    if (!m_pd.hDevNames && !m_pd.hDevMode) {
        if (CWinApp* app = GetApp()) {
            m_pd.hDevNames = CopyBlock(app->GetDevNames());
            m_pd.hDevMode = CopyBlock(app->GetDevMode());
        }
    }
    if (!m_pd.hwndOwner) {
        if (CWinApp* app = GetApp(); app && app->m_pMainWnd)
            m_pd.hwndOwner = app->m_pMainWnd->GetSafeHwnd();
    }
    if (m_pd.hDC) {
        ::DeleteDC(m_pd.hDC);
        m_pd.hDC = nullptr;
    }
    const BOOL chosen = ::PrintDlgA(&m_pd);
    if (m_hWnd)
        UnsubclassWindow();
    return chosen ? IDOK : IDCANCEL;
}

BOOL CPrintDialog::GetDefaults()
{
    // The dialog refuses defaults when it is handed blocks of its own.
    FreeBlocks();
    if (m_pd.hDC) {
        ::DeleteDC(m_pd.hDC);
        m_pd.hDC = nullptr;
    }
    const DWORD flags = m_pd.Flags;
    m_pd.Flags = (flags & ~(PD_ENABLEPRINTTEMPLATE | PD_ENABLEPRINTHOOK | PD_ENABLESETUPHOOK | PD_PRINTSETUP)) |
                 PD_RETURNDEFAULT;
    const BOOL found = ::PrintDlgA(&m_pd);
    m_pd.Flags = flags;
    return found;
}

UINT_PTR CALLBACK CPrintDialog::HookProc(HWND dialog, UINT message, WPARAM, LPARAM lParam)
{
    if (message != WM_INITDIALOG)
        return 0;
    const auto* request = reinterpret_cast<const PRINTDLGA*>(lParam);
    auto* self = request ? reinterpret_cast<CPrintDialog*>(request->lCustData) : nullptr;
    if (!self || self->m_hWnd)
        return 0;
    self->SubclassWindow(dialog);
    return self->OnInitDialog();
}

BOOL CPrintDialog::OnInitDialog()
{
    return TRUE;
}

void CPrintDialog::OnCancel()
{
    if (m_hWnd)
        ::PostMessageA(m_hWnd, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
}

int CPrintDialog::GetFromPage() const
{
    return PrintRange() ? m_pd.nFromPage : static_cast<int>(m_pd.nMinPage);
}

int CPrintDialog::GetToPage() const
{
    return PrintRange() ? m_pd.nToPage : static_cast<int>(m_pd.nMaxPage);
}

int CPrintDialog::GetCopies() const
{
    int copies = m_pd.nCopies;
    if (const DEVMODEA* mode = LockDevMode()) {
        if ((mode->dmFields & DM_COPIES) && mode->dmCopies > copies)
            copies = mode->dmCopies;
        UnlockDevMode();
    }
    return copies < 1 ? 1 : copies;
}

CString CPrintDialog::GetDeviceName() const
{
    CString name;
    if (!m_pd.hDevNames)
        return name;
    if (const auto* names = static_cast<const DEVNAMES*>(::GlobalLock(m_pd.hDevNames))) {
        name = reinterpret_cast<const char*>(names) + names->wDeviceOffset;
        ::GlobalUnlock(m_pd.hDevNames);
    }
    return name;
}

DEVMODEA* CPrintDialog::LockDevMode() const
{
    return m_pd.hDevMode ? static_cast<DEVMODEA*>(::GlobalLock(m_pd.hDevMode)) : nullptr;
}

void CPrintDialog::UnlockDevMode() const
{
    if (m_pd.hDevMode)
        ::GlobalUnlock(m_pd.hDevMode);
}

HDC CPrintDialog::TakeDC()
{
    HDC dc = m_pd.hDC;
    m_pd.hDC = nullptr;
    if (dc || !m_pd.hDevNames)
        return dc;
    const auto* names = static_cast<const DEVNAMES*>(::GlobalLock(m_pd.hDevNames));
    if (!names)
        return nullptr;
    const char* base = reinterpret_cast<const char*>(names);
    const DEVMODEA* mode = LockDevMode();
    dc = ::CreateDCA(base + names->wDriverOffset, base + names->wDeviceOffset, nullptr, mode);
    UnlockDevMode();
    ::GlobalUnlock(m_pd.hDevNames);
    return dc;
}
