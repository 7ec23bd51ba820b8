#include "framework/Button.h"

IMPLEMENT_DYNAMIC(CButton, CWnd)

BOOL CButton::Create(LPCSTR caption, DWORD style, const RECT& rect, CWnd* parent, UINT id)
{
    if (!CWnd::Create("BUTTON", caption, style, rect, parent, id))
        return FALSE;
    PreSubclassWindow();
    return TRUE;
}

BOOL CButton::SubclassWindow(HWND window)
{
    if (!CWnd::SubclassWindow(window))
        return FALSE;
    PreSubclassWindow();
    return TRUE;
}

BOOL CButton::SubclassDlgItem(UINT id, CWnd* parent)
{
    if (!parent)
        return FALSE;
    HWND control = ::GetDlgItem(parent->m_hWnd, static_cast<int>(id));
    return control ? SubclassWindow(control) : FALSE;
}

void CButton::DrawItem(LPDRAWITEMSTRUCT) {}

void CButton::PreSubclassWindow() {}

BOOL CButton::OnChildNotify(UINT message, WPARAM, LPARAM lParam, LRESULT* result)
{
    if (message != WM_DRAWITEM)
        return FALSE;
    DrawItem(reinterpret_cast<LPDRAWITEMSTRUCT>(lParam));
    *result = TRUE;
    return TRUE;
}
