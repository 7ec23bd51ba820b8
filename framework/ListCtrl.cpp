#include "framework/ListCtrl.h"

#include "framework/CommonControls.h"
#include "framework/WindowTexts.h"

#include <vector>

IMPLEMENT_DYNAMIC(CListCtrl, CWnd)

CListCtrl::~CListCtrl() = default;

BOOL CListCtrl::Create(DWORD style, const RECT& rect, CWnd* parent, UINT id)
{
    EnsureCommonControls(ICC_LISTVIEW_CLASSES);
    return CWnd::Create(WC_LISTVIEWA, nullptr, style, rect, parent, id);
}

int CListCtrl::InsertColumn(int column, LPCSTR heading, int format, int width)
{
    LVCOLUMNA info{};
    info.mask = LVCF_TEXT | LVCF_FMT | LVCF_SUBITEM;
    info.fmt = format;
    info.pszText = const_cast<LPSTR>(heading ? heading : "");
    info.iSubItem = column;
    if (width >= 0) {
        info.mask |= LVCF_WIDTH;
        info.cx = width;
    }
    return static_cast<int>(SendMessage(LVM_INSERTCOLUMNA, static_cast<WPARAM>(column), reinterpret_cast<LPARAM>(&info)));
}

int CListCtrl::InsertItem(int index, LPCSTR text, int image)
{
    LVITEMA item{};
    item.mask = LVIF_TEXT;
    item.iItem = index;
    item.pszText = const_cast<LPSTR>(text ? text : "");
    if (image >= 0) {
        item.mask |= LVIF_IMAGE;
        item.iImage = image;
    }
    return static_cast<int>(SendMessage(LVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&item)));
}

BOOL CListCtrl::SetItemText(int index, int column, LPCSTR text)
{
    LVITEMA item{};
    item.iSubItem = column;
    item.pszText = const_cast<LPSTR>(text ? text : "");
    return static_cast<BOOL>(SendMessage(LVM_SETITEMTEXTA, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&item)));
}

CString CListCtrl::GetItemText(int index, int column) const
{
    return ListViewItemTextOf(m_hWnd, index, column);
}

BOOL CListCtrl::SetItemState(int index, UINT state, UINT mask)
{
    LVITEMA item{};
    item.state = state;
    item.stateMask = mask;
    return static_cast<BOOL>(SendMessage(LVM_SETITEMSTATE, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&item)));
}

BOOL CListCtrl::SetItemData(int index, DWORD_PTR data)
{
    LVITEMA item{};
    item.mask = LVIF_PARAM;
    item.iItem = index;
    item.lParam = static_cast<LPARAM>(data);
    return static_cast<BOOL>(SendMessage(LVM_SETITEMA, 0, reinterpret_cast<LPARAM>(&item)));
}

DWORD_PTR CListCtrl::GetItemData(int index) const
{
    LVITEMA item{};
    item.mask = LVIF_PARAM;
    item.iItem = index;
    if (!SendMessage(LVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&item)))
        return 0;
    return static_cast<DWORD_PTR>(item.lParam);
}

BOOL CListCtrl::GetItemRect(int index, RECT* rect, UINT area) const
{
    if (!rect)
        return FALSE;
    rect->left = static_cast<LONG>(area);
    return static_cast<BOOL>(SendMessage(LVM_GETITEMRECT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(rect)));
}

void CListCtrl::ScrollToTop(int row)
{
    const int count = GetItemCount();
    if (count <= 0 || row <= 0)
        return;
    row = row < count ? row : count - 1;
    // LVM_SCROLL takes pixels in a report view: rows times the row height.
    RECT first{};
    RECT second{};
    if (!GetItemRect(0, &first, LVIR_BOUNDS))
        return;
    const int current = GetTopIndex();
    int height = first.bottom - first.top;
    if (count > 1 && GetItemRect(1, &second, LVIR_BOUNDS))
        height = second.top - first.top;
    if (height > 0)
        SendMessage(LVM_SCROLL, 0, static_cast<LPARAM>((row - current) * height));
}
