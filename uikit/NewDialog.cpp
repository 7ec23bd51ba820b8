#include "uikit/NewDialog.h"

#include "framework/CmdUI.h"
#include "framework/WindowTexts.h"

IMPLEMENT_DYNAMIC(CNewDialog, CDialog)

namespace {

// Ends what a pop-up must not open over: a captured mouse elsewhere, an open
// combo-box list.
void CancelModes(HWND window)
{
    HWND capture = ::GetCapture();
    if (capture && capture != window)
        ::SendMessageA(capture, WM_CANCELMODE, 0, 0);
    HWND focus = ::GetFocus();
    if (focus && ::IsChild(window, focus)) {
        HWND combo = ::lstrcmpiA(WindowClassNameOf(focus), "Edit") == 0 ? ::GetParent(focus) : focus;
        if (::lstrcmpiA(WindowClassNameOf(combo), "ComboBox") == 0)
            ::SendMessageA(combo, CB_SHOWDROPDOWN, FALSE, 0);
    }
}

}  // namespace

CNewDialog::CNewDialog(UINT templateId, CWnd* parent) : CDialog(templateId, parent) {}

CNewDialog::~CNewDialog() = default;

BOOL CNewDialog::OnInitDialog()
{
    const BOOL result = CDialog::OnInitDialog();

    m_menuGlue.TakeSystemMenu(::GetSystemMenu(m_hWnd, FALSE));
    m_menuGlue.TakeMenu(::GetMenu(m_hWnd));
    return result;
}

void CNewDialog::OnInitMenuPopupMessage(HMENU popup, UINT index, BOOL systemMenu)
{
    CancelModes(m_hWnd);
    if (!systemMenu)
        UpdateMenuCommandUI(*this, popup, true);
    Default();
    CMenuWindowGlue::InitMenuPopup(*this, popup, index, systemMenu);
}

LRESULT CNewDialog::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_INITMENUPOPUP) {
        OnInitMenuPopupMessage(reinterpret_cast<HMENU>(wParam), LOWORD(lParam), HIWORD(lParam));
        return 0;
    }
    LRESULT result = 0;
    if (m_menuGlue.HandleMessage(*this, message, wParam, lParam, result,
                                 [&] { return CDialog::WindowProc(message, wParam, lParam); }))
        return result;
    return CDialog::WindowProc(message, wParam, lParam);
}
