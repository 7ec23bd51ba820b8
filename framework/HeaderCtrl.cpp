#include "framework/HeaderCtrl.h"

#include "framework/CommonControls.h"

IMPLEMENT_DYNAMIC(CHeaderCtrl, CWnd)

CHeaderCtrl::~CHeaderCtrl() = default;

BOOL CHeaderCtrl::Create(DWORD style, const RECT& rect, CWnd* parent, UINT id)
{
    EnsureCommonControls(ICC_LISTVIEW_CLASSES);
    return CWnd::Create(WC_HEADERA, nullptr, style, rect, parent, id);
}

int CHeaderCtrl::InsertItem(int index, LPCSTR text, int width)
{
    HDITEMA item{};
    item.mask = HDI_TEXT | HDI_WIDTH | HDI_FORMAT;
    item.fmt = HDF_LEFT | HDF_STRING;
    item.pszText = const_cast<LPSTR>(text ? text : "");
    item.cxy = width;
    return static_cast<int>(SendMessage(HDM_INSERTITEMA, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&item)));
}
