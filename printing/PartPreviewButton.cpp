#include "printing/PartPreviewButton.h"

#include "framework/ErrorReport.h"
#include "framework/Gdi.h"
#include "printing/SheetPreview.h"
#include "resources/resource.h"

#include <algorithm>

IMPLEMENT_DYNAMIC(CPartPreviewButton, CButton)

namespace
{
constexpr int kBottomGap = 10;
constexpr int kArrow = 4;

enum ArrowHead
{
    kLeftHead,
    kRightHead,
    kUpHead,
    kDownHead
};

void Line(HDC dc, int x1, int y1, int x2, int y2)
{
    ::MoveToEx(dc, x1, y1, nullptr);
    ::LineTo(dc, x2, y2);
}

}  // namespace

void CPartPreviewButton::PreSubclassWindow()
{
    Guarded(580, ErrorSink::App(), [&] {
        ModifyStyle(BS_TYPEMASK, BS_OWNERDRAW);
        CBitmap heads;
        if (!m_arrowHeads.GetSafeHandle() && heads.LoadBitmap(IDB_ARROW_HEADS) &&
            m_arrowHeads.Create(kArrowSide, kArrowSide, ILC_COLOR24 | ILC_MASK, 4, 0))
            m_arrowHeads.Add(heads, RGB(255, 255, 255));
    });
    CButton::PreSubclassWindow();
}

void CPartPreviewButton::Guide(HDC dc, int x1, int y1, int x2, int y2) const
{
    Line(dc, x1, y1, x2, y2);
    const int half = kArrowSide / 2;
    if (m_arrowHeads.GetImageCount() < 4) {
        // Without the pictures the heads are drawn as lines.
        if (y1 == y2) {
            Line(dc, x1, y1, x1 + kArrow, y1 - kArrow), Line(dc, x1, y1, x1 + kArrow, y1 + kArrow);
            Line(dc, x2, y2, x2 - kArrow, y2 - kArrow), Line(dc, x2, y2, x2 - kArrow, y2 + kArrow);
        } else {
            Line(dc, x1, y1, x1 - kArrow, y1 + kArrow), Line(dc, x1, y1, x1 + kArrow, y1 + kArrow);
            Line(dc, x2, y2, x2 - kArrow, y2 - kArrow), Line(dc, x2, y2, x2 + kArrow, y2 - kArrow);
        }
        return;
    }
    // Each head's tip on the guide's end.
    if (y1 == y2) {
        m_arrowHeads.Draw(dc, kLeftHead, POINT{x1, y1 - half}, ILD_TRANSPARENT);
        m_arrowHeads.Draw(dc, kRightHead, POINT{x2 - kArrowSide, y2 - half}, ILD_TRANSPARENT);
    } else {
        m_arrowHeads.Draw(dc, kUpHead, POINT{x1 - half, y1}, ILD_TRANSPARENT);
        m_arrowHeads.Draw(dc, kDownHead, POINT{x2 - half, y2 - kArrowSide}, ILD_TRANSPARENT);
    }
}

void CPartPreviewButton::UpdateLayout(int top, int left)
{
    Guarded(581, ErrorSink::App(), [&] {
        CWnd* parent = GetParent();
        if (!parent || !m_pRules)
            return;
        RECT client{};
        parent->GetClientRect(&client);
        const SIZE sheet = m_pRules->ShownSheet();
        const int roomHeight = client.bottom - top - kBottomGap;
        if (sheet.cx <= 0 || sheet.cy <= 0 || roomHeight <= 0)
            return;
        RECT current{};
        GetWindowRect(&current);
        parent->ScreenToClient(&current);
        // As high as the room allows, as wide as the sheet's proportions give.
        const int maxWidth = std::max(1, static_cast<int>(current.right - left));
        int height = roomHeight;
        int width = static_cast<int>(static_cast<double>(height) * sheet.cx / sheet.cy);
        if (width > maxWidth)
        {
            width = maxWidth;
            height = static_cast<int>(static_cast<double>(width) * sheet.cy / sheet.cx);
        }
        MoveWindow(RECT{left, top, left + width, top + height}, TRUE);
        Invalidate();
    });
}

void CPartPreviewButton::DrawItem(LPDRAWITEMSTRUCT item)
{
    Guarded(579, ErrorSink::App(), [&] {
        HDC dc = item->hDC;
        const RECT& rect = item->rcItem;
        const SIZE box{rect.right - rect.left, rect.bottom - rect.top};
        CBrush white;
        white.CreateSolidBrush(RGB(255, 255, 255));
        ::FillRect(dc, &rect, white);
        if (!m_pRules)
            return;
        const CLabelDim& paper = m_pRules->Paper();
        const int sheetNumber = m_pRules->FrontSide() ? 1 : 2;
        const SheetPreviewPlacement placement = PlaceSheetPreview(paper, sheetNumber, box, m_dpi, 0);
        if (::IsRectEmpty(&placement.sheet))
            return;
        const CLabelDim p = ScaledTemplate(paper, m_dpi, placement.scale);
        const int x0 = rect.left + placement.sheet.left;
        const int y0 = rect.top + placement.sheet.top;

        // Guides from the sheet's left and top edges to each part shown.
        CPen blue;
        blue.CreatePen(PS_SOLID, 2, RGB(0, 0, 255));
        {
            CSelectGuard pen(dc, blue);
            auto guides = [&](int left, int top, int height) {
                Guide(dc, x0, y0 + top + height / 2, x0 + left, y0 + top + height / 2);
                Guide(dc, x0 + left + kArrow * 2, y0, x0 + left + kArrow * 2, y0 + top);
            };
            const bool disc = paper.m_nPage1 == 1;
            if (disc || sheetNumber == 1)
                guides(p.m_nLeft1, p.m_nTop1, disc ? p.m_nWidth1 : p.m_nHeight1);
            if (disc || sheetNumber == 2 || paper.m_nPage1 == paper.m_nPage2)
                guides(p.m_nLeft2, p.m_nTop2, disc ? p.m_nWidth2 : p.m_nHeight2);
        }
        ::SetViewportOrgEx(dc, rect.left, rect.top, nullptr);
        DrawSheetPreview(dc, paper, sheetNumber, box, m_dpi, 0, {});
        ::SetViewportOrgEx(dc, 0, 0, nullptr);
    });
}
