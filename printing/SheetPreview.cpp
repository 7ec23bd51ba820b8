#include "printing/SheetPreview.h"

#include "framework/Gdi.h"

#include <algorithm>

namespace
{
// Thousandths of an inch to screen pixels, truncated as the view does.
int ToPixels(int thousandths, int dpi)
{
    return dpi > 0 ? static_cast<int>(thousandths / (1000.0 / dpi)) : 0;
}

int Scaled(int thousandths, int dpi, double scale)
{
    return scale > 0.0 ? static_cast<int>(thousandths / (1000.0 / dpi) / scale) : 0;
}

void Line(HDC dc, int x1, int y1, int x2, int y2)
{
    ::MoveToEx(dc, x1, y1, nullptr);
    ::LineTo(dc, x2, y2);
}
}  // namespace

SheetPreviewPlacement PlaceSheetPreview(const CLabelDim& paper, int sheetNumber, SIZE box, SIZE dpi, int margin)
{
    SheetPreviewPlacement placement;
    const int width = ToPixels(sheetNumber == 2 ? paper.m_nSheetWidth2 : paper.m_nSheetWidth1, dpi.cx);
    const int height = ToPixels(sheetNumber == 2 ? paper.m_nSheetHeight2 : paper.m_nSheetHeight1, dpi.cy);
    const int roomX = box.cx - 2 * margin;
    const int roomY = box.cy - 2 * margin;
    if (width <= 0 || height <= 0 || roomX <= 0 || roomY <= 0)
        return placement;
    placement.landscape = height < width;
    placement.scale = placement.landscape ? static_cast<double>(width) / roomX : static_cast<double>(height) / roomY;
    const int shownWidth = static_cast<int>(width / placement.scale);
    const int shownHeight = static_cast<int>(height / placement.scale);
    const int left = placement.landscape ? margin : (box.cx - shownWidth) / 2;
    const int top = placement.landscape ? (box.cy - shownHeight) / 2 : margin;
    placement.sheet = RECT{left, top, left + shownWidth, top + shownHeight};
    return placement;
}

CLabelDim ScaledTemplate(const CLabelDim& paper, SIZE dpi, double scale)
{
    CLabelDim scaled(paper);
    auto x = [&](int& value) { value = Scaled(value, dpi.cx, scale); };
    auto y = [&](int& value) { value = Scaled(value, dpi.cy, scale); };
    x(scaled.m_nSheetWidth1);
    y(scaled.m_nSheetHeight1);
    x(scaled.m_nSheetWidth2);
    y(scaled.m_nSheetHeight2);
    x(scaled.m_nLeft1);
    x(scaled.m_nLeft2);
    y(scaled.m_nTop1);
    y(scaled.m_nTop2);
    x(scaled.m_nWidth1);
    x(scaled.m_nWidth2);
    // Disc paper keeps its hole diameters across, so the circles stay round.
    if (paper.m_nPage1 == 1)
    {
        x(scaled.m_nHeight1);
        x(scaled.m_nHeight2);
    }
    else
    {
        y(scaled.m_nHeight1);
        y(scaled.m_nHeight2);
    }
    x(scaled.m_nTab);
    for (RECT& rect : scaled.m_rcReserved)
    {
        int values[4] = {rect.left, rect.top, rect.right, rect.bottom};
        x(values[0]);
        y(values[1]);
        x(values[2]);
        y(values[3]);
        rect = RECT{values[0], values[1], values[2], values[3]};
    }
    return scaled;
}

void DrawSunkenBox(HDC dc, const RECT& box)
{
    auto pen = [&](int colorIndex, auto&& draw) {
        CPen line;
        line.CreatePen(PS_SOLID, 1, ::GetSysColor(colorIndex));
        CSelectGuard selected(dc, line);
        draw();
    };
    const int l = box.left, t = box.top, r = box.right - 1, b = box.bottom - 1;
    pen(COLOR_BTNSHADOW, [&] { Line(dc, l, b, l, t), Line(dc, l, t, r, t); });
    pen(COLOR_3DDKSHADOW, [&] { Line(dc, l + 1, b - 1, l + 1, t + 1), Line(dc, l + 1, t + 1, r - 1, t + 1); });
    pen(COLOR_BTNHIGHLIGHT, [&] { Line(dc, l, b, r + 1, b), Line(dc, r, t, r, b); });
    pen(COLOR_3DLIGHT, [&] { Line(dc, l + 1, b - 1, r, b - 1), Line(dc, r - 1, t + 1, r - 1, b - 1); });
}

void DrawSheetPreview(HDC dc, const CLabelDim& paper, int sheetNumber, SIZE box, SIZE dpi, int margin,
                      const std::function<void(HDC, const RECT&)>& paintBox)
{
    const RECT whole{0, 0, box.cx, box.cy};
    if (paintBox)
        paintBox(dc, whole);
    const SheetPreviewPlacement placement = PlaceSheetPreview(paper, sheetNumber, box, dpi, margin);
    if (::IsRectEmpty(&placement.sheet))
        return;

    const RECT& sheet = placement.sheet;
    CBrush white;
    white.CreateSolidBrush(RGB(255, 255, 255));
    ::FillRect(dc, &sheet, white);
    CPen black;
    black.CreatePen(PS_SOLID, 1, RGB(0, 0, 0));
    CSelectGuard pen(dc, black);
    CSelectGuard brush(dc, ::GetStockObject(HOLLOW_BRUSH));
    Line(dc, sheet.right - 1, sheet.top + 1, sheet.right - 1, sheet.bottom - 1);
    Line(dc, sheet.left, sheet.bottom - 1, sheet.right, sheet.bottom - 1);

    const CLabelDim p = ScaledTemplate(paper, dpi, placement.scale);
    const int x0 = sheet.left;
    const int y0 = sheet.top;
    auto circle = [&](int left, int top, int diameter) {
        ::Ellipse(dc, x0 + left, y0 + top, x0 + left + diameter, y0 + top + diameter);
    };
    if (paper.m_nPage1 == 1)
    {
        circle(p.m_nLeft1, p.m_nTop1, p.m_nWidth1);
        const int inset1 = p.m_nWidth1 / 2 - p.m_nHeight1 / 2;
        circle(p.m_nLeft1 + inset1, p.m_nTop1 + inset1, p.m_nHeight1);
        circle(p.m_nLeft2, p.m_nTop2, p.m_nWidth2);
        const int inset2 = p.m_nWidth2 / 2 - p.m_nHeight2 / 2;
        circle(p.m_nLeft2 + inset2, p.m_nTop2 + inset2, p.m_nHeight2);
        return;
    }
    if (sheetNumber == 1)
    {
        ::Rectangle(dc, x0 + p.m_nLeft1, y0 + p.m_nTop1, x0 + p.m_nLeft1 + p.m_nWidth1, y0 + p.m_nTop1 + p.m_nHeight1);
        if (paper.m_nFolded != 0)
        {
            const int fold = x0 + p.m_nLeft1 + p.m_nWidth1 / 2;
            Line(dc, fold, y0 + p.m_nTop1, fold, y0 + p.m_nTop1 + p.m_nHeight1);
        }
    }
    if (sheetNumber == 2 || paper.m_nPage1 == paper.m_nPage2)
    {
        const int left = x0 + p.m_nLeft2;
        const int top = y0 + p.m_nTop2;
        const int bottom = top + p.m_nHeight2;
        ::Rectangle(dc, left, top, left + p.m_nWidth2, bottom);
        Line(dc, left + p.m_nTab, top, left + p.m_nTab, bottom);
        Line(dc, left + p.m_nWidth2 - p.m_nTab, top, left + p.m_nWidth2 - p.m_nTab, bottom);
    }
}
