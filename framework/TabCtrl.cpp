#include "framework/TabCtrl.h"

#include "framework/CommonControls.h"
#include "framework/WindowTexts.h"

IMPLEMENT_DYNAMIC(CTabCtrl, CWnd)

CTabCtrl::~CTabCtrl() = default;

BOOL CTabCtrl::Create(DWORD style, const RECT& rect, CWnd* parent, UINT id)
{
    EnsureCommonControls(ICC_TAB_CLASSES);
    if (!CWnd::Create(WC_TABCONTROLA, nullptr, style, rect, parent, id))
        return FALSE;
    PreSubclassWindow();
    return TRUE;
}

BOOL CTabCtrl::SubclassWindow(HWND window)
{
    if (!CWnd::SubclassWindow(window))
        return FALSE;
    PreSubclassWindow();
    return TRUE;
}

BOOL CTabCtrl::SubclassDlgItem(UINT id, CWnd* parent)
{
    if (!parent)
        return FALSE;
    HWND control = ::GetDlgItem(parent->m_hWnd, static_cast<int>(id));
    return control ? SubclassWindow(control) : FALSE;
}

int CTabCtrl::InsertItem(int index, LPCSTR text, int image)
{
    TCITEMA item{};
    item.mask = TCIF_TEXT | TCIF_IMAGE;
    item.pszText = const_cast<LPSTR>(text ? text : "");
    item.iImage = image;
    return static_cast<int>(SendMessage(TCM_INSERTITEMA, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&item)));
}

CString CTabCtrl::GetItemText(int index) const
{
    return TabItemTextOf(m_hWnd, index);
}

void CTabCtrl::DrawItem(LPDRAWITEMSTRUCT) {}

void CTabCtrl::PreSubclassWindow() {}

BOOL CTabCtrl::OnChildNotify(UINT message, WPARAM, LPARAM lParam, LRESULT* result)
{
    if (message != WM_DRAWITEM)
        return FALSE;
    DrawItem(reinterpret_cast<LPDRAWITEMSTRUCT>(lParam));
    *result = TRUE;
    return TRUE;
}
