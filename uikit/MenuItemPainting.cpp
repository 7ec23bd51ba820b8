#include "uikit/MenuItemPainting.h"

#include "uikit/MenuLibrary.h"
#include "uikit/PanelBackground.h"

#include <algorithm>

namespace {

struct MenuImages {
    HIMAGELIST hot = nullptr;
    HIMAGELIST disabled = nullptr;
};

MenuImages& Images()
{
    static MenuImages images;
    return images;
}

// The program's own painter: the panel texture, while the main frame's active
// view is the label view.
bool PaintLabelViewPanel(HDC dc, const RECT& rect)
{
    const CPanelTextureHolder* holder = PanelTextureHolder();
    if (!holder || !holder->IsLabelViewActive())
        return false;
    TilePanelTexture(dc, rect, POINT{0, 0});
    return true;
}

MenuPanelPainter& Painter()
{
    static MenuPanelPainter painter = PaintLabelViewPanel;
    return painter;
}

struct CommandImage {
    UINT commandId;
    int image;
};

// Commands whose selected and disabled images come from the application's lists.
constexpr CommandImage kCommandImages[] = {
    {57600, 0}, {57601, 1}, {57603, 2}, {57607, 3}, {57635, 4}, {57634, 5}, {57637, 6}, {32788, 7},
    {57643, 8}, {57644, 9}, {32868, 10}, {57609, 11}, {32858, 13}, {32859, 14}, {32860, 15}, {32888, 22},
};

}  // namespace

MenuItemText SplitMenuText(const CString& text)
{
    const int tab = text.ReverseFind('\t');
    if (tab < 0)
        return MenuItemText{text, CString()};
    return MenuItemText{text.Left(tab), text.Mid(tab + 1)};
}

bool IsSystemCommand(UINT_PTR commandId)
{
    const UINT_PTR masked = commandId & ~static_cast<UINT_PTR>(0xF);
    return masked >= 0xF000 && masked <= 0xF150;
}

char SystemCommandGlyph(UINT_PTR commandId)
{
    switch (commandId & ~static_cast<UINT_PTR>(0xF)) {
    case SC_CLOSE: return 'r';
    case SC_MINIMIZE: return '0';
    case SC_MAXIMIZE: return '1';
    case SC_RESTORE: return '2';
    default: return 0;
    }
}

CFont CreateMenuFont(bool bold)
{
    NONCLIENTMETRICSA metrics{};
    metrics.cbSize = sizeof metrics;
    LOGFONTA font{};
    if (::SystemParametersInfoA(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0)) {
        font = metrics.lfMenuFont;
    } else {
        ::GetObjectA(::GetStockObject(DEFAULT_GUI_FONT), sizeof font, &font);
    }
    if (bold)
        font.lfWeight = FW_BOLD;
    CFont result;
    result.CreateFontIndirect(font);
    return result;
}

CFont CreateMarlettFont(int height, bool bold)
{
    LOGFONTA font{};
    font.lfHeight = std::max(height, 1);
    font.lfWeight = bold ? FW_BOLD : FW_NORMAL;
    font.lfCharSet = SYMBOL_CHARSET;
    lstrcpynA(font.lfFaceName, "Marlett", LF_FACESIZE);
    CFont result;
    result.CreateFontIndirect(font);
    return result;
}

void DrawMenuGlyph(HDC dc, const RECT& box, char glyph, COLORREF colour, bool bold)
{
    CFont font = CreateMarlettFont(box.bottom - box.top - 4, bold);
    CSelectGuard selected(dc, font);
    ::SetBkMode(dc, TRANSPARENT);
    ::SetTextColor(dc, colour);
    RECT area = box;
    const char text[2] = {glyph, 0};
    ::DrawTextA(dc, text, 1, &area, DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
}

void DrawMenuItemText(HDC dc, const RECT& area, const MenuItemText& text, COLORREF colour, bool centred)
{
    ::SetBkMode(dc, TRANSPARENT);
    ::SetTextColor(dc, colour);
    RECT labelArea = area;
    ::DrawTextA(dc, text.label, text.label.GetLength(), &labelArea,
                (centred ? DT_CENTER : DT_LEFT) | DT_VCENTER | DT_SINGLELINE);
    if (!text.accelerator.IsEmpty()) {
        RECT acceleratorArea = area;
        ::DrawTextA(dc, text.accelerator, text.accelerator.GetLength(), &acceleratorArea,
                    DT_RIGHT | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
    }
}

void FillMenuRect(HDC dc, const RECT& rect, COLORREF colour)
{
    if (rect.right <= rect.left || rect.bottom <= rect.top)
        return;
    CDC target(dc);
    target.FillSolidRect(rect, colour);
}

void DrawMenuFrame3d(HDC dc, const RECT& rect, COLORREF topLeft, COLORREF bottomRight)
{
    const int width = rect.right - rect.left;
    const int height = rect.bottom - rect.top;
    if (width <= 0 || height <= 0)
        return;
    FillMenuRect(dc, RECT{rect.left, rect.top, rect.right - 1, rect.top + 1}, topLeft);
    FillMenuRect(dc, RECT{rect.left, rect.top, rect.left + 1, rect.bottom - 1}, topLeft);
    FillMenuRect(dc, RECT{rect.right - 1, rect.top, rect.right, rect.bottom}, bottomRight);
    FillMenuRect(dc, RECT{rect.left, rect.bottom - 1, rect.right, rect.bottom}, bottomRight);
}

void FillGradient(HDC dc, const RECT& rect, COLORREF end, bool horizontal)
{
    const int width = rect.right - rect.left;
    const int height = rect.bottom - rect.top;
    if (width <= 0 || height <= 0)
        return;
    const COLORREF start = kMenuGradientStart;
    if (GradientFillProc gradientFill = MenuLibrary().gradientFill) {
        TRIVERTEX vertices[2] = {
            {rect.left, rect.top, static_cast<COLOR16>(GetRValue(start) << 8),
             static_cast<COLOR16>(GetGValue(start) << 8), static_cast<COLOR16>(GetBValue(start) << 8), 0},
            {rect.right, rect.bottom, static_cast<COLOR16>(GetRValue(end) << 8),
             static_cast<COLOR16>(GetGValue(end) << 8), static_cast<COLOR16>(GetBValue(end) << 8), 0},
        };
        GRADIENT_RECT mesh{0, 1};
        if (gradientFill(dc, vertices, 2, &mesh, 1, horizontal ? GRADIENT_FILL_RECT_H : GRADIENT_FILL_RECT_V))
            return;
    }
    // Bands 4 pixels wide, each a step closer to the end colour.
    FillMenuRect(dc, rect, end);
    const int length = horizontal ? width : height;
    const int span = length - 4;
    if (span <= 0)
        return;  // too short for a band: the end colour alone
    for (int offset = 0; offset <= span; offset += 4) {
        const auto channel = [&](int from, int to) { return static_cast<BYTE>(from + (to - from) * offset / span); };
        const COLORREF colour = RGB(channel(GetRValue(start), GetRValue(end)), channel(GetGValue(start), GetGValue(end)),
                                    channel(GetBValue(start), GetBValue(end)));
        const RECT band = horizontal ? RECT{rect.left + offset, rect.top, rect.left + offset + 4, rect.bottom}
                                     : RECT{rect.left, rect.top + offset, rect.right, rect.top + offset + 4};
        FillMenuRect(dc, band, colour);
    }
}

bool PaintMenuPanel(HDC dc, const RECT& rect)
{
    const MenuPanelPainter& painter = Painter();
    return painter && painter(dc, rect);
}

HIMAGELIST MenuHotImages()
{
    return Images().hot;
}

HIMAGELIST MenuDisabledImages()
{
    return Images().disabled;
}

int MenuCommandImage(UINT_PTR commandId)
{
    for (const CommandImage& entry : kCommandImages) {
        if (entry.commandId == commandId)
            return entry.image;
    }
    return -1;
}

bool HasCheckedBitmap(HMENU menu, UINT_PTR commandId)
{
    if (!menu)
        return false;
    MENUITEMINFOA info{};
    info.cbSize = sizeof info;
    info.fMask = MIIM_CHECKMARKS;
    if (!::GetMenuItemInfoA(menu, static_cast<UINT>(commandId), FALSE, &info))
        return false;
    return info.hbmpChecked != nullptr;
}

void CNewMenu::SetMenuImageLists(HIMAGELIST hotImages, HIMAGELIST disabledImages)
{
    Images() = MenuImages{hotImages, disabledImages};
}

MenuPanelPainter CNewMenu::SetMenuPanelPainter(MenuPanelPainter painter)
{
    MenuPanelPainter previous = std::move(Painter());
    Painter() = std::move(painter);
    return previous;
}
