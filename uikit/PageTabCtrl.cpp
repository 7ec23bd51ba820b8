#include "uikit/PageTabCtrl.h"

#include "framework/Gdi.h"
#include "framework/String.h"
#include "uikit/ColorHelpers.h"
#include "uikit/ControlText.h"
#include "uikit/EdgeDrawing.h"
#include "uikit/PanelBackground.h"

IMPLEMENT_DYNAMIC(CPageTabCtrl, COwnerDrawTabCtrl)

namespace {

constexpr int kContentInset = 3;
constexpr int kImageWidth = 19;  // a 16-pixel image and its gap

}  // namespace

void CPageTabCtrl::SetTabDrawFlag(BOOL flag, int value)
{
    s_nTabStyle = flag ? value : 0;
    if (m_hWnd && s_nTabStyle != 0 && GetDrawMode() == kSystemDrawn) {
        ModifyStyle(0, TCS_OWNERDRAWFIXED);
        Invalidate();
    }
}

void CPageTabCtrl::PreSubclassWindow()
{
    COwnerDrawTabCtrl::PreSubclassWindow();
    if (s_nTabStyle != 0)
        ModifyStyle(0, TCS_OWNERDRAWFIXED);
}

COLORREF CPageTabCtrl::BaseColor() const
{
    if ((s_nTabStyle & kOwnColorAsBase) && HasOwnColor())
        return m_crBackground;
    return ::GetSysColor(COLOR_BTNFACE);
}

COLORREF CPageTabCtrl::GetTabColor(BOOL selected)
{
    if (!selected) {
        if ((s_nTabStyle & kShadeUnselected) || !(s_nTabStyle & kOwnColorUnselected))
            return DarkenColor(BaseColor(), 0.9);
        if (HasOwnColor())
            return m_crBackground;
    } else if (s_nTabStyle & kLightenSelected) {
        return LightenColor(BaseColor(), 1.4);
    }
    return ::GetSysColor(COLOR_BTNFACE);
}

COLORREF CPageTabCtrl::GetTabTextColor(BOOL selected)
{
    if (selected)
        return ::GetSysColor(COLOR_WINDOWTEXT);
    if ((s_nTabStyle & (kOwnColorUnselected | kOwnColorAsBase)) && HasOwnColor())
        return DarkenColor(m_crBackground, 0.5);
    return DarkenColor(::GetSysColor(COLOR_BTNFACE), 0.5);
}

void CPageTabCtrl::DrawItem(LPDRAWITEMSTRUCT item)
{
    const bool selected = (item->itemState & ODS_SELECTED) != 0;
    HDC dc = item->hDC;
    RECT rect = item->rcItem;
    if (selected)
        rect.bottom -= 1;
    else
        rect.bottom += 2;
    PaintPanelOnActiveView(dc, rect);

    TCITEMA tab{};
    tab.mask = TCIF_IMAGE;
    if (!GetItem(static_cast<int>(item->itemID), &tab))
        return;

    POINT content{rect.left + kContentInset, rect.top + kContentInset + (selected ? 1 : 0)};
    HIMAGELIST images = GetImageList();
    if (images && tab.iImage >= 0) {
        ImageList_Draw(images, tab.iImage, dc, content.x, content.y, ILD_TRANSPARENT);
        content.x += kImageWidth;
    }

    CSaveDCGuard saved(dc);
    HFONT font = GetFont();
    if (font)
        ::SelectObject(dc, font);
    CString text = TabItemTextOf(m_hWnd, static_cast<int>(item->itemID));
    RECT textRect{content.x, content.y, rect.right - kContentInset, rect.bottom};
    FitTextWithEllipsis(text, dc, textRect.right - textRect.left);
    ::SetTextColor(dc, RGB(0, 0, 0));
    ::SetBkMode(dc, TRANSPARENT);
    ::DrawTextA(dc, text, text.GetLength(), &textRect, DT_CENTER | DT_SINGLELINE | DT_NOPREFIX);
}

void CPageTabCtrl::DrawItemBorder(LPDRAWITEMSTRUCT item)
{
    const bool selected = (item->itemState & ODS_SELECTED) != 0;
    const COLORREF tabColor = GetTabColor(selected);
    const COLORREF light = LightenColor(tabColor, 1.5);
    const COLORREF dark = DarkenColor(tabColor, 0.75);
    const RECT& r = item->rcItem;
    if (selected || (s_nTabStyle & kShadeUnselected)) {
        const int leftBottom = r.bottom - (selected ? 2 : 0) + 1;
        DrawLine(item->hDC, r.left, r.top, r.left, leftBottom, light);
        DrawLine(item->hDC, r.left, r.top, r.right - 1, r.top, light);
        DrawLine(item->hDC, r.right - 1, r.top + 1, r.right - 1, r.bottom, dark);
    } else {
        DrawLine(item->hDC, r.left, r.top, r.left, r.bottom, dark);
        DrawLine(item->hDC, r.right - 1, r.top, r.right - 1, r.bottom, dark);
    }
}

void CPageTabCtrl::DrawMainBorder(LPDRAWITEMSTRUCT item)
{
    const COLORREF tabColor = GetTabColor(FALSE);
    Draw3dRect(item->hDC, item->rcItem, LightenColor(tabColor, 1.5), DarkenColor(tabColor, 0.75));
}
