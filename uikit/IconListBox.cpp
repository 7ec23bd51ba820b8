#include "uikit/IconListBox.h"

#include "framework/Gdi.h"
#include "uikit/ControlText.h"
#include "uikit/PanelBackground.h"

#include <algorithm>

IMPLEMENT_DYNAMIC(CIconListBox, CListBox)

namespace {

COLORREF Inverted(COLORREF color)
{
    return RGB(255 - GetRValue(color), 255 - GetGValue(color), 255 - GetBValue(color));
}

constexpr UINT kWrappedText = DT_WORDBREAK | DT_EXPANDTABS;

}  // namespace

CIconListBox::~CIconListBox() = default;

int CIconListBox::AddItem(LPCSTR text, int iconIndex)
{
    const int index = CListBox::AddString(text);
    if (index >= 0)
        SetItemInfo(index, 0, 0, iconIndex, 0, kIconListAll);
    return index;
}

void CIconListBox::FreeRecords()
{
    if (m_hWnd) {
        const int count = GetCount();
        for (int i = 0; i < count; ++i)
            SetItemData(i, 0);
    }
    m_records.clear();
}

void CIconListBox::ResetContent()
{
    FreeRecords();
    CListBox::ResetContent();
}

IconListItem* CIconListBox::GetItemInfo(int item) const
{
    if (!m_hWnd || item < 0 || item >= GetCount())
        return nullptr;
    const DWORD_PTR data = GetItemData(item);
    if (data == 0 || data == static_cast<DWORD_PTR>(LB_ERR))
        return nullptr;
    return reinterpret_cast<IconListItem*>(data);
}

bool CIconListBox::SetItemInfo(int item, int data1, int data2, int iconIndex, UINT flags, UINT mask)
{
    if (!m_hWnd || item < 0 || item >= GetCount())
        return false;
    IconListItem* record = GetItemInfo(item);
    if (!record) {
        m_records.push_back(std::make_unique<IconListItem>());
        record = m_records.back().get();
        SetItemData(item, reinterpret_cast<DWORD_PTR>(record));
    }
    if (mask & kIconListData1)
        record->m_nData1 = data1;
    if (mask & kIconListData2)
        record->m_nData2 = data2;
    if (mask & kIconListIcon)
        record->m_nIconIndex = iconIndex;
    if (mask & kIconListFlags)
        record->m_nFlags = flags;
    return true;
}

void CIconListBox::SetImageList(CImageList* imageList)
{
    m_pImageList = imageList;
    const SIZE size = imageList ? imageList->GetImageSize() : SIZE{0, 0};
    m_nIconWidth = size.cx;
    m_nIconHeight = size.cy;
    if (m_hWnd)
        Invalidate();
}

void CIconListBox::SetHighlightStyle(BYTE style, BOOL redraw)
{
    if (style > 2)
        return;
    m_nHighlightStyle = style;
    if (redraw && m_hWnd)
        Invalidate();
}

bool CIconListBox::IsItemEnabled(int item) const
{
    const IconListItem* record = GetItemInfo(item);
    return !record || (record->m_nFlags & kIconListItemDisabled) == 0;
}

SIZE CIconListBox::WrappedTextSize(HDC dc, const CString& text, int width) const
{
    RECT rect{0, 0, std::max(width, 1), 0};
    ::DrawTextA(dc, text, text.GetLength(), &rect, kWrappedText | DT_CALCRECT);
    return SIZE{rect.right - rect.left, rect.bottom - rect.top};
}

void CIconListBox::MeasureItem(LPMEASUREITEMSTRUCT item)
{
    CString text;
    GetText(static_cast<int>(item->itemID), text);
    RECT client{};
    GetClientRect(&client);
    CClientDC dc(m_hWnd);
    CControlTextScope textScope(dc, m_hWnd);
    int height = WrappedTextSize(dc, text, client.right - client.left).cy;
    if (m_pImageList)
        height = std::max(height, m_nIconHeight + 4);
    item->itemHeight = static_cast<UINT>(height + 4);
}

void CIconListBox::DrawItem(LPDRAWITEMSTRUCT item)
{
    if (static_cast<int>(item->itemID) < 0)
        return;
    IconListItem* record = GetItemInfo(static_cast<int>(item->itemID));
    if (!record)
        return;
    HDC dc = item->hDC;
    CSaveDCGuard saved(dc);
    CControlTextScope textScope(dc, m_hWnd);

    const COLORREF windowColor = ::GetSysColor(COLOR_WINDOW);
    const COLORREF highlightColor = ::GetSysColor(COLOR_HIGHLIGHT);
    const COLORREF textColor = ::GetSysColor(COLOR_WINDOWTEXT);
    const bool selected = (item->itemState & ODS_SELECTED) != 0;
    const bool focus = (item->itemState & ODS_FOCUS) != 0;
    const bool enabled = IsWindowEnabled() != FALSE;

    const RECT itemRect = item->rcItem;
    RECT iconCell{itemRect.left, itemRect.top, itemRect.left, itemRect.top};
    if (m_pImageList) {
        iconCell.right = itemRect.left + m_nIconWidth + 6;
        iconCell.bottom = itemRect.top + m_nIconHeight + 4;
    }
    const RECT textColumn{iconCell.right, itemRect.top, itemRect.right, itemRect.bottom};
    CString text;
    GetText(static_cast<int>(item->itemID), text);
    const SIZE textSize = WrappedTextSize(dc, text, textColumn.right - textColumn.left);
    RECT textRect{textColumn.left, 0, textColumn.left + textSize.cx, 0};
    textRect.top = textColumn.top + ((textColumn.bottom - textColumn.top) - textSize.cy) / 2;
    textRect.bottom = textRect.top + textSize.cy;

    if (m_pImageList)
        FillIconBackground(dc, iconCell, selected && m_nHighlightStyle == 0 ? highlightColor : windowColor);

    const bool shownSelected = selected && enabled;
    const COLORREF cellColor = shownSelected ? highlightColor : windowColor;
    FillItemBackground(dc, m_nHighlightStyle == 2 ? textRect : textColumn, cellColor);

    if (!enabled) {
        PaintPanelOnActiveView(dc, itemRect);
        if (m_bHideWhenDisabled)
            return;
    }

    if (m_pImageList)
        DrawItemIcon(dc, *record, POINT{iconCell.left + 3, iconCell.top + 2});

    ::SetTextColor(dc, shownSelected ? Inverted(textColor) : textColor);
    ::DrawTextA(dc, text, text.GetLength(), &textRect, kWrappedText);

    if (focus) {
        const RECT& focusRect = m_nHighlightStyle == 0 ? itemRect : m_nHighlightStyle == 1 ? textColumn : textRect;
        ::DrawFocusRect(dc, &focusRect);
    }
}

void CIconListBox::FillItemBackground(HDC dc, const RECT& rect, COLORREF color)
{
    CDC(dc).FillSolidRect(rect, color);
}

void CIconListBox::FillIconBackground(HDC dc, const RECT& rect, COLORREF color)
{
    CDC(dc).FillSolidRect(rect, color);
}

void CIconListBox::DrawItemIcon(HDC dc, const IconListItem& item, POINT topLeft)
{
    if (!m_pImageList)
        return;
    ImageList_DrawEx(m_pImageList->GetSafeHandle(), item.m_nIconIndex, dc, topLeft.x, topLeft.y, m_nIconWidth,
                     m_nIconHeight, CLR_NONE, CLR_DEFAULT, ILD_NORMAL);
}

void CIconListBox::DeleteItem(LPDELETEITEMSTRUCT item)
{
    // An item deleted on its own (LB_DELETESTRING) takes its record with it.
    auto* record = reinterpret_cast<IconListItem*>(item->itemData);
    if (!record)
        return;
    const auto found = std::find_if(m_records.begin(), m_records.end(),
                                    [record](const std::unique_ptr<IconListItem>& held) { return held.get() == record; });
    if (found != m_records.end())
        m_records.erase(found);
}

void CIconListBox::OnDestroy()
{
    FreeRecords();
    CListBox::OnDestroy();
}

BOOL CIconListBox::OnEraseBkgnd(HDC dc)
{
    if (IsWindowEnabled())
        return CListBox::OnEraseBkgnd(dc);
    RECT client{};
    GetClientRect(&client);
    PaintPanelOnActiveView(dc, client);
    return TRUE;
}

bool CIconListBox::OnDblClk()
{
    const DWORD position = ::GetMessagePos();
    POINT point{static_cast<short>(LOWORD(position)), static_cast<short>(HIWORD(position))};
    ScreenToClient(&point);
    BOOL outside = TRUE;
    const UINT index = ItemFromPoint(point, outside);
    return !outside && !IsItemEnabled(static_cast<int>(index));
}

BOOL CIconListBox::OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result)
{
    if (message == WM_COMMAND && HIWORD(wParam) == LBN_DBLCLK) {
        if (!OnDblClk())
            return FALSE;  // the parent gets it
        *result = 0;
        return TRUE;
    }
    return CListBox::OnChildNotify(message, wParam, lParam, result);
}
