#include "uikit/OwnerDrawTabCtrl.h"

#include "framework/ErrorReport.h"
#include "framework/Gdi.h"
#include "uikit/PanelBackground.h"

IMPLEMENT_DYNAMIC(COwnerDrawTabCtrl, CTabCtrl)

COwnerDrawTabCtrl::COwnerDrawTabCtrl(int mode)
{
    SetDrawMode(mode);
}

BOOL COwnerDrawTabCtrl::SetDrawMode(int mode)
{
    if (mode < kSystemDrawn || mode > kSelfPainted)
        return FALSE;
    m_nDrawMode = mode;
    if (m_hWnd) {
        if (mode == kSystemDrawn)
            ModifyStyle(TCS_OWNERDRAWFIXED, 0);
        else
            ModifyStyle(0, TCS_OWNERDRAWFIXED);
        Invalidate();
    }
    return TRUE;
}

void COwnerDrawTabCtrl::PreSubclassWindow()
{
    if (m_nDrawMode != kSystemDrawn)
        ModifyStyle(0, TCS_OWNERDRAWFIXED);
}

void COwnerDrawTabCtrl::DrawMainBorder(LPDRAWITEMSTRUCT) {}

void COwnerDrawTabCtrl::DrawItemBorder(LPDRAWITEMSTRUCT) {}

COLORREF COwnerDrawTabCtrl::GetTabColor(BOOL)
{
    return ::GetSysColor(COLOR_BTNFACE);
}

COLORREF COwnerDrawTabCtrl::GetTabTextColor(BOOL)
{
    return ::GetSysColor(COLOR_WINDOWTEXT);
}

BOOL COwnerDrawTabCtrl::OnEraseBkgnd(HDC dc)
{
    const BOOL erased = CTabCtrl::OnEraseBkgnd(dc);
    const int count = GetItemCount();
    if (count <= 0)
        return erased;
    RECT row{};
    for (int index = 0; index < count; ++index) {
        RECT tab{};
        if (GetItemRect(index, &tab))
            ::UnionRect(&row, &row, &tab);
    }
    ::InflateRect(&row, 2, 3);
    RECT client{};
    GetClientRect(&client);
    // Above the row, a strip at its left and the rest of its height to the right.
    PaintPanelOnActiveView(dc, RECT{client.left, client.top, client.right, row.top});
    PaintPanelOnActiveView(dc, RECT{client.left, row.top, client.left + 2, row.bottom + 2});
    PaintPanelOnActiveView(dc, RECT{row.right, row.top, client.right, row.bottom + 2});
    return TRUE;
}

void COwnerDrawTabCtrl::OnPaint()
{
    if (m_nDrawMode != kSelfPainted) {
        CTabCtrl::OnPaint();
        return;
    }
    CPaintDC dc(m_hWnd);
    PaintAll(dc);
}

LRESULT COwnerDrawTabCtrl::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    // Printing into a caller's DC paints what WM_PAINT would.
    if (message == WM_PRINTCLIENT && m_nDrawMode == kSelfPainted) {
        PaintAll(reinterpret_cast<HDC>(wParam));
        return 0;
    }
    return CTabCtrl::WindowProc(message, wParam, lParam);
}

void COwnerDrawTabCtrl::PaintAll(HDC dc)
{
    CSaveDCGuard saved(dc);
    HFONT font = GetFont();
    if (font)
        ::SelectObject(dc, font);

    DRAWITEMSTRUCT item{};
    item.CtlType = ODT_TAB;
    item.CtlID = static_cast<UINT>(GetDlgCtrlID());
    item.hwndItem = m_hWnd;
    item.hDC = dc;
    item.itemAction = ODA_DRAWENTIRE;

    GetClientRect(&item.rcItem);
    AdjustRect(FALSE, &item.rcItem);
    item.rcItem.top -= 2;
    DrawMainBorder(&item);

    const int selected = GetCurSel();
    for (int index = GetItemCount() - 1; index >= 0; --index) {
        if (index == selected)
            continue;
        item.itemID = static_cast<UINT>(index);
        item.itemState = 0;
        GetItemRect(index, &item.rcItem);
        item.rcItem.bottom -= 2;
        DrawItem(&item);
        DrawItemBorder(&item);
    }
    if (selected >= 0) {
        item.itemID = static_cast<UINT>(selected);
        item.itemState = ODS_SELECTED;
        GetItemRect(selected, &item.rcItem);
        item.rcItem.top -= 2;
        item.rcItem.bottom += 2;
        DrawItem(&item);
        DrawItemBorder(&item);
    }
}
