// Title items of the owner-drawn menus (all draw modes).
#include "uikit/NewMenu.h"

#include "uikit/ColorHelpers.h"
#include "uikit/MenuItemPainting.h"
#include "uikit/MenuSystemSettings.h"
#include "uikit/MenuTitleFont.h"
#include "uikit/MenuWindowHook.h"

#include <algorithm>

namespace {

constexpr int kRoundedCorner = 10;
constexpr int kMaxRoundedIndent = 10;

void DrawEtchedLine(HDC dc, const RECT& line, UINT edge)
{
    RECT area = line;
    ::DrawEdge(dc, &area, EDGE_ETCHED, edge);
}

}  // namespace

LOGFONTA MenuTitleLogFont(bool vertical)
{
    LOGFONTA font{};
    font.lfHeight = 16;
    font.lfWeight = FW_BOLD;
    font.lfCharSet = DEFAULT_CHARSET;
    lstrcpynA(font.lfFaceName, "Arial", LF_FACESIZE);
    if (vertical) {
        font.lfEscapement = 900;
        font.lfOrientation = 900;
    }
    return font;
}

CFont CreateMenuTitleFont(bool vertical)
{
    CFont font;
    font.CreateFontIndirect(MenuTitleLogFont(vertical));
    return font;
}

void CNewMenu::DrawMenuTitle(LPDRAWITEMSTRUCT item, BOOL)
{
    const auto* data = reinterpret_cast<const CNewMenuItemData*>(item->itemData);
    if (!data)
        return;
    HDC dc = item->hDC;
    CSaveDCGuard saved(dc);
    const DWORD flags = data->m_nTitleFlags;
    const bool vertical = (flags & kMenuTitleVertical) != 0;
    const CString& text = data->m_strText;

    // The text's length along its baseline and its height, measured upright.
    SIZE textSize{};
    {
        CFont upright = CreateMenuTitleFont(false);
        CSelectGuard selected(dc, upright);
        ::GetTextExtentPoint32A(dc, text, text.GetLength(), &textSize);
    }
    CFont font = CreateMenuTitleFont(vertical);
    CSelectGuard selected(dc, font);
    ::SetTextColor(dc, ::GetSysColor(COLOR_CAPTIONTEXT));
    ::SetBkMode(dc, TRANSPARENT);
    const COLORREF light = MixColour86(::GetSysColor(COLOR_WINDOW), GetMenuColour());
    const COLORREF caption = ::GetSysColor(COLOR_ACTIVECAPTION);

    RECT band = item->rcItem;
    POINT textAt{};
    if (vertical) {
        band.right += ::GetSystemMetrics(SM_CXMENUCHECK);
        // The band runs down the whole menu, whatever height the item got;
        // printed into a memory DC, the menu's window still tells the height.
        HWND window = ::WindowFromDC(dc);
        if (!window)
            window = FindMenuWindowOf(m_hMenu);
        if (window) {
            RECT client{};
            if (::GetClientRect(window, &client))
                band.bottom = std::max(band.bottom, client.bottom);
        }
        textAt = POINT{band.left + 2, band.bottom - 4};
    } else {
        textAt = POINT{band.left + 2, band.top};
    }
    const int bandWidth = band.right - band.left;
    const int bandHeight = band.bottom - band.top;

    if (flags & kMenuTitleGradient) {
        FillGradient(dc, band, vertical ? caption : light, !vertical);
    } else if (flags & kMenuTitleRounded) {
        CBrush brush;
        brush.CreateSolidBrush(caption);
        CPen pen;
        pen.CreatePen(PS_SOLID, 1, caption);
        CSelectGuard brushSelected(dc, brush);
        CSelectGuard penSelected(dc, pen);
        if (vertical) {
            ::RoundRect(dc, band.left, band.top, band.left + textSize.cy, band.bottom, kRoundedCorner, kRoundedCorner);
            textAt.y -= 2;
        } else {
            ::RoundRect(dc, band.left, band.top, band.right, band.bottom, kRoundedCorner, kRoundedCorner);
            textAt.x = band.left + std::min(std::max<int>(0, (bandWidth - textSize.cx) / 2), kMaxRoundedIndent);
        }
    } else {
        FillMenuRect(dc, band, caption);
    }
    if (flags & kMenuTitleFrame)
        DrawMenuFrame3d(dc, band, ::GetSysColor(COLOR_BTNSHADOW), ::GetSysColor(COLOR_BTNHIGHLIGHT));
    if (flags & kMenuTitleCentred) {
        if (vertical)
            textAt.y = band.bottom - std::max<int>(0, (bandHeight - textSize.cx) / 2);
        else
            textAt.x = band.left + std::max<int>(0, (bandWidth - textSize.cx) / 2);
    }
    ::TextOutA(dc, textAt.x, textAt.y, text, text.GetLength());

    if (flags & kMenuTitleEtched) {
        if (vertical) {
            DrawEtchedLine(dc, RECT{band.left + 20, band.top + 5, band.left + 22, band.bottom - 5}, BF_LEFT);
            DrawEtchedLine(dc, RECT{band.left + 23, band.top + 15, band.left + 25, band.bottom - 15}, BF_LEFT);
        } else {
            DrawEtchedLine(dc, RECT{band.left + 2, band.bottom - 7, band.right - 2, band.bottom - 5}, BF_TOP);
            DrawEtchedLine(dc, RECT{band.left + 12, band.bottom - 4, band.right - 12, band.bottom - 2}, BF_TOP);
        }
    }
}
