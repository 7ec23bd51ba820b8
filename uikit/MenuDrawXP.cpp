// The XP style of menu items (draw modes 2 and 3).
#include "uikit/NewMenu.h"

#include "framework/UserHandles.h"
#include "uikit/ColorHelpers.h"
#include "uikit/MenuItemPainting.h"
#include "uikit/MenuSystemSettings.h"
#include "uikit/NewMenuIcons.h"

#include <algorithm>

namespace {

// The fill of a selected pop-up item.
constexpr COLORREF kSelectedItemColour = RGB(182, 190, 211);
constexpr int kBarShadowColumns = 4;

struct XPColours {
    COLORREF light;
    COLORREF column;
    COLORREF selection;
};

XPColours ColoursFor(HDC dc)
{
    const COLORREF menu = GetMenuColour();
    const COLORREF window = ::GetSysColor(COLOR_WINDOW);
    XPColours colours{MixColour86(window, menu), MixColour86(menu, window),
                      MixColour70(window, ::GetSysColor(COLOR_HIGHLIGHT))};
    // On a display with few colours the two tints may come out the same.
    if (::GetNearestColor(dc, colours.light) == ::GetNearestColor(dc, colours.column)) {
        colours.column = menu;
        colours.light = window;
    }
    return colours;
}

// The shadow a selected menu-bar item casts into its 4 rightmost columns.
void DrawBarItemShadow(HDC dc, const RECT& item)
{
    for (int n = 1; n <= kBarShadowColumns; ++n) {
        const int x = item.right - n;
        for (int y = item.top + 4; y < item.bottom; ++y) {
            const int step = y - item.top - 3;  // 1 to 4 in the fade-in rows
            const int amount = step <= 4 ? 6 * step * n : 30 * n;
            ::SetPixel(dc, x, y, DarkenColour(amount, ::GetPixel(dc, x, y)));
        }
    }
}

void DrawIconAt(HDC dc, HICON icon, int x, int y, SIZE size, UINT extra = DSS_NORMAL, HBRUSH brush = nullptr)
{
    ::DrawStateA(dc, brush, nullptr, reinterpret_cast<LPARAM>(icon), 0, x, y, size.cx, size.cy, DST_ICON | extra);
}

}  // namespace

void CNewMenu::DrawItemXP(LPDRAWITEMSTRUCT item, BOOL menuBarItem)
{
    const auto* data = reinterpret_cast<const CNewMenuItemData*>(item->itemData);
    if (!data)
        return;
    HDC dc = item->hDC;
    CSaveDCGuard saved(dc);
    const RECT rect = item->rcItem;
    const UINT state = item->itemState;
    const XPColours colours = ColoursFor(dc);
    const int columnRight = rect.left + m_nIconWidth + 8;

    // Items sit on the label view's panel background, and are not painted at
    // all without one. A title covers its own item with its band.
    if (data->IsTitle()) {
        if (PaintMenuPanel(dc, rect))
            DrawTitle(item, menuBarItem);
        return;
    }
    if (menuBarItem) {
        if (!PaintMenuPanel(dc, rect))
            return;
    } else {
        if (!PaintMenuPanel(dc, RECT{rect.left - 1, rect.top, columnRight, rect.bottom + 1}))
            return;
        PaintMenuPanel(dc, RECT{columnRight, rect.top, rect.right, rect.bottom + 1});
    }

    const bool selected = (state & ODS_SELECTED) != 0;
    const bool hot = (state & ODS_HOTLIGHT) != 0;
    const bool inactive = (state & ODS_INACTIVE) != 0;
    const bool grayed = (state & (ODS_GRAYED | ODS_DISABLED)) != 0;
    const bool checked = (state & ODS_CHECKED) != 0;
    const RECT textArea = menuBarItem ? rect : RECT{columnRight + 4, rect.top, rect.right - 15, rect.bottom};

    if (data->IsSeparator()) {
        const int middle = (rect.top + rect.bottom) / 2;
        FillMenuRect(dc, RECT{textArea.left, middle, rect.right, middle + 1}, ::GetSysColor(COLOR_GRAYTEXT));
        return;
    }

    if (menuBarItem) {
        if ((selected || hot) && !inactive) {
            const RECT area{rect.left, rect.top, rect.right - kBarShadowColumns, rect.bottom};
            FillMenuRect(dc, area, hot ? colours.selection : colours.column);
            if (selected)
                DrawMenuFrame3d(dc, area, ::GetSysColor(COLOR_BTNHIGHLIGHT), ::GetSysColor(COLOR_3DDKSHADOW));
            if (selected && !hot)
                DrawBarItemShadow(dc, rect);
        }
    } else if (selected && !inactive) {
        if (!hot)
            FillMenuRect(dc, rect, kSelectedItemColour);
        DrawMenuFrame3d(dc, rect, ::GetSysColor(COLOR_BTNHIGHLIGHT), ::GetSysColor(COLOR_3DDKSHADOW));
    }

    if (!menuBarItem) {
        const RECT column{rect.left, rect.top, columnRight, rect.bottom};
        const int boxLeft = rect.left + 3;
        const COLORREF glyphColour = (grayed || inactive) ? ::GetSysColor(COLOR_GRAYTEXT) : ::GetSysColor(COLOR_MENUTEXT);
        if (const char glyph = SystemCommandGlyph(data->m_nCommandId)) {
            const int top = rect.top + ((rect.bottom - rect.top) - m_nIconHeight) / 2;
            const RECT box{boxLeft, top, boxLeft + m_nIconHeight, top + m_nIconHeight};
            const bool bold = (state & ODS_DEFAULT) != 0;
            if (selected && !grayed && !inactive) {
                RECT down = box;
                ::OffsetRect(&down, 1, 1);
                DrawMenuGlyph(dc, down, glyph, ::GetSysColor(COLOR_GRAYTEXT), bold);
                RECT up = box;
                ::OffsetRect(&up, -1, -1);
                DrawMenuGlyph(dc, up, glyph, ::GetSysColor(COLOR_MENUTEXT), bold);
            } else {
                DrawMenuGlyph(dc, box, glyph, glyphColour, bold);
            }
        } else if (data->HasIcon()) {
            if (checked) {
                RECT frame = column;
                ::InflateRect(&frame, -1, -1);
                const COLORREF highlight = ::GetSysColor(COLOR_HIGHLIGHT);
                FillMenuRect(dc, frame, MixColour86(selected ? kSelectedItemColour : colours.column, highlight));
                CBrush pen;
                pen.CreateSolidBrush(highlight);
                ::FrameRect(dc, &frame, pen);
            }
            HIMAGELIST icons = data->m_pIconSet->GetImageList();
            const SIZE size = data->m_pIconSet->GetImageSize();
            const int x = boxLeft + (m_nIconWidth - size.cx) / 2;
            const int y = rect.top + ((rect.bottom - rect.top) - size.cy) / 2;
            const int ownImage = MenuCommandImage(data->m_nCommandId);
            if (grayed) {
                if (ownImage >= 0 && MenuDisabledImages())
                    ::ImageList_Draw(MenuDisabledImages(), ownImage, dc, x, y, ILD_TRANSPARENT);
                else
                    ::ImageList_Draw(icons, data->m_nIconIndex + 2, dc, x, y, ILD_TRANSPARENT);
            } else if (selected && !checked) {
                const OwnedIcon icon((ownImage >= 0 && MenuHotImages())
                                   ? ::ImageList_GetIcon(MenuHotImages(), ownImage, ILD_NORMAL)
                                   : ::ImageList_GetIcon(icons, data->m_nIconIndex, ILD_NORMAL));
                CBrush shadow;
                shadow.CreateSolidBrush(ShadowTint(kSelectedItemColour));
                DrawIconAt(dc, icon.Get(), x + 1, y + 1, size, DSS_MONO, shadow);
                DrawIconAt(dc, icon.Get(), x - 1, y - 1, size);
            } else {
                ::ImageList_Draw(icons, data->m_nIconIndex, dc, x, y, ILD_TRANSPARENT);
            }
        } else if (checked) {
            HIMAGELIST marks = grayed ? MenuDisabledImages() : MenuHotImages();
            const bool ownBitmap = HasCheckedBitmap(m_hMenu, data->m_nCommandId);
            if (marks && !ownBitmap && ::ImageList_GetImageCount(marks) > kMenuCheckMarkImage) {
                ::ImageList_Draw(marks, kMenuCheckMarkImage, dc, rect.left + 6, rect.top + 1, ILD_TRANSPARENT);
            } else {
                // Without the program's check image the font's check mark stands in.
                DrawMenuGlyph(dc, column, ownBitmap ? 'i' : 'b', glyphColour, false);
            }
        }
    }

    CFont font = CreateMenuFont((state & ODS_DEFAULT) != 0);
    CSelectGuard fontSelected(dc, font);
    const bool greyText = grayed || (menuBarItem && inactive);
    DrawMenuItemText(dc, textArea, SplitMenuText(data->m_strText),
                     ::GetSysColor(greyText ? COLOR_GRAYTEXT : COLOR_MENUTEXT), menuBarItem != FALSE);
}
