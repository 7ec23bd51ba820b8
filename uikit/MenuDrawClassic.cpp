// The classic style of menu items (draw modes 0 and 1, and the pop-up items of
// modes 4 and 5) and the flat menu bar of modes 4 and 5.
#include "uikit/NewMenu.h"

#include "framework/UserHandles.h"
#include "uikit/MenuItemPainting.h"
#include "uikit/MenuSystemSettings.h"
#include "uikit/NewMenuIcons.h"
#include "uikit/OsVersion.h"

namespace {

void DrawEdgeAround(HDC dc, const RECT& rect, UINT edge)
{
    RECT area = rect;
    ::DrawEdge(dc, &area, edge, BF_RECT);
}

}  // namespace

void CNewMenu::DrawItemClassic(LPDRAWITEMSTRUCT item, BOOL menuBarItem)
{
    const auto* data = reinterpret_cast<const CNewMenuItemData*>(item->itemData);
    if (!data)
        return;
    if (data->IsTitle()) {
        DrawTitle(item, menuBarItem);
        return;
    }
    HDC dc = item->hDC;
    CSaveDCGuard saved(dc);
    const RECT rect = item->rcItem;
    const UINT state = item->itemState;
    const COLORREF background = menuBarItem ? GetMenuColour() : ::GetSysColor(COLOR_MENU);
    FillMenuRect(dc, rect, background);

    if (data->IsSeparator()) {
        RECT line = rect;
        line.top += (rect.bottom - rect.top) / 2;
        ::DrawEdge(dc, &line, EDGE_ETCHED, BF_TOP);
        return;
    }

    const bool selected = (state & ODS_SELECTED) != 0;
    const bool hot = (state & ODS_HOTLIGHT) != 0;
    const bool inactive = (state & ODS_INACTIVE) != 0;
    const bool grayed = (state & (ODS_GRAYED | ODS_DISABLED)) != 0;
    const bool checked = (state & ODS_CHECKED) != 0;
    const bool framed = OSVersionCode() > 1;
    RECT textArea = rect;
    COLORREF textColour = ::GetSysColor(COLOR_MENUTEXT);

    if (!menuBarItem) {
        const RECT column{rect.left, rect.top, rect.left + m_nIconWidth + 8, rect.bottom};
        if (selected) {
            RECT highlight = rect;
            if (data->HasIcon() || checked)
                highlight.left = rect.left + m_nIconWidth + 6;
            FillMenuRect(dc, highlight, ::GetSysColor(COLOR_HIGHLIGHT));
            textColour = ::GetSysColor(COLOR_HIGHLIGHTTEXT);
        }
        if (data->HasIcon()) {
            const SIZE size = data->m_pIconSet->GetImageSize();
            const int x = column.left + ((column.right - column.left) - size.cx) / 2;
            const int y = rect.top + ((rect.bottom - rect.top) - size.cy) / 2;
            if (framed && (checked || selected)) {
                const RECT around{x - 2, y - 2, x + size.cx + 2, y + size.cy + 2};
                DrawEdgeAround(dc, around, checked ? BDR_SUNKENOUTER : BDR_RAISEDINNER);
            }
            const OwnedIcon icon(::ImageList_GetIcon(data->m_pIconSet->GetImageList(), data->m_nIconIndex, ILD_NORMAL));
            ::DrawStateA(dc, nullptr, nullptr, reinterpret_cast<LPARAM>(icon.Get()), 0, x, y, size.cx, size.cy,
                         DST_ICON | (grayed ? DSS_DISABLED : DSS_NORMAL));
        } else if (const char glyph = SystemCommandGlyph(data->m_nCommandId)) {
            const COLORREF colour = selected ? ::GetSysColor(COLOR_HIGHLIGHTTEXT)
                                             : ::GetSysColor((grayed || inactive) ? COLOR_GRAYTEXT : COLOR_MENUTEXT);
            DrawMenuGlyph(dc, column, glyph, colour, (state & ODS_DEFAULT) != 0);
        } else if (checked) {
            const int side = m_nIconHeight;
            const int top = rect.top + ((rect.bottom - rect.top) - side) / 2;
            const int left = column.left + ((column.right - column.left) - side) / 2;
            RECT box{left, top, left + side, top + side};
            if (framed)
                DrawEdgeAround(dc, box, EDGE_SUNKEN);
            ::OffsetRect(&box, 1, 2);
            const bool ownBitmap = HasCheckedBitmap(m_hMenu, data->m_nCommandId);
            DrawMenuGlyph(dc, box, ownBitmap ? 'i' : 'b',
                          ::GetSysColor((grayed || inactive) ? COLOR_GRAYTEXT : COLOR_MENUTEXT),
                          (state & ODS_DEFAULT) != 0);
        }
        textArea.left = rect.left + m_nIconWidth + 12;
        textArea.right = rect.right - 8;
    } else {
        if (selected && !inactive)
            DrawEdgeAround(dc, rect, BDR_SUNKENOUTER);
        else if (hot && !inactive)
            DrawEdgeAround(dc, rect, BDR_RAISEDINNER);
        textArea.left = rect.left + 6;
    }

    CFont font = CreateMenuFont((state & ODS_DEFAULT) != 0);
    CSelectGuard fontSelected(dc, font);
    const MenuItemText text = SplitMenuText(data->m_strText);
    if (grayed) {
        if (selected && !menuBarItem) {
            DrawMenuItemText(dc, textArea, text, background, false);
        } else {
            RECT raised = textArea;
            ::OffsetRect(&raised, 1, 1);
            DrawMenuItemText(dc, raised, text, ::GetSysColor(COLOR_BTNHIGHLIGHT), false);
            DrawMenuItemText(dc, textArea, text, ::GetSysColor(COLOR_GRAYTEXT), false);
        }
    } else {
        DrawMenuItemText(dc, textArea, text, textColour, false);
    }
}

void CNewMenu::DrawItemFlatBar(LPDRAWITEMSTRUCT item, BOOL menuBarItem)
{
    if (!menuBarItem) {
        DrawItemClassic(item, FALSE);
        return;
    }
    const auto* data = reinterpret_cast<const CNewMenuItemData*>(item->itemData);
    if (!data)
        return;
    if (data->IsTitle()) {
        DrawTitle(item, TRUE);
        return;
    }
    HDC dc = item->hDC;
    CSaveDCGuard saved(dc);
    const UINT state = item->itemState;
    const bool lit = (state & (ODS_SELECTED | ODS_HOTLIGHT)) != 0;
    FillMenuRect(dc, item->rcItem, lit ? ::GetSysColor(COLOR_HIGHLIGHT) : GetMenuColour());
    CFont font = CreateMenuFont((state & ODS_DEFAULT) != 0);
    CSelectGuard fontSelected(dc, font);
    int colour = COLOR_MENUTEXT;
    if (state & (ODS_GRAYED | ODS_DISABLED))
        colour = COLOR_GRAYTEXT;
    else if (lit)
        colour = COLOR_HIGHLIGHTTEXT;
    DrawMenuItemText(dc, item->rcItem, SplitMenuText(data->m_strText), ::GetSysColor(colour), true);
}
