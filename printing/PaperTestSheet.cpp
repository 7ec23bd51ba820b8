#include "printing/PaperTestSheet.h"

#include "framework/Gdi.h"

#include <cmath>

namespace
{
constexpr COLORREF kOutlineColor = RGB(0, 0, 0);
}  // namespace

PaperTestSheet::PaperTestSheet(const CLabelDim& paper, bool frontSide) : m_paper(paper), m_frontSide(frontSide) {}

bool PaperTestSheet::FrontCoverOnSheet() const
{
    return m_frontSide || m_paper.m_nPage2 == m_paper.m_nPage1;
}

bool PaperTestSheet::BackCoverOnSheet() const
{
    return !m_frontSide || m_paper.m_nPage2 == m_paper.m_nPage1;
}

SIZE PaperTestSheet::Sheet() const
{
    const bool jewel = m_paper.m_nType == CLabelDim::kJewelCase;
    if (jewel && !FrontCoverOnSheet() && m_paper.m_nSheetWidth2 > 0 && m_paper.m_nSheetHeight2 > 0)
        return SIZE{m_paper.m_nSheetWidth2, m_paper.m_nSheetHeight2};
    return SIZE{m_paper.m_nSheetWidth1, m_paper.m_nSheetHeight1};
}

void PaperTestSheet::Draw(HDC dc, POINT corner, SIZE dpi) const
{
    // Each edge rounded once from the sheet's own lengths, one device pixel wide.
    auto x = [&](double thousandths) { return corner.x + static_cast<int>(std::lround(thousandths * dpi.cx / 1000.0)); };
    auto y = [&](double thousandths) { return corner.y + static_cast<int>(std::lround(thousandths * dpi.cy / 1000.0)); };
    // A rectangle or ellipse leaves out its right and bottom pixel: one more
    // puts those lines on the edges too.
    auto outline = [&](bool round, double left, double top, double right, double bottom) {
        const RECT box{x(left), y(top), x(right) + 1, y(bottom) + 1};
        if (round)
            ::Ellipse(dc, box.left, box.top, box.right, box.bottom);
        else
            ::Rectangle(dc, box.left, box.top, box.right, box.bottom);
    };
    auto vertical = [&](double at, double top, double bottom) {
        ::MoveToEx(dc, x(at), y(top), nullptr);
        ::LineTo(dc, x(at), y(bottom) + 1);
    };

    CPen pen;
    pen.CreatePen(PS_SOLID, 0, kOutlineColor);
    CSaveDCGuard saved(dc);
    ::SetMapMode(dc, MM_TEXT);
    CSelectGuard penGuard(dc, pen);
    CSelectGuard brushGuard(dc, ::GetStockObject(NULL_BRUSH));
    const CLabelDim& p = m_paper;
    if (p.m_nType != CLabelDim::kJewelCase) {
        // Two discs, each with its hole in the middle of its square.
        const struct
        {
            int left, top, outer, hole;
        } discs[] = {{p.m_nLeft1, p.m_nTop1, p.m_nWidth1, p.m_nHeight1},
                     {p.m_nLeft2, p.m_nTop2, p.m_nWidth2, p.m_nHeight2}};
        for (const auto& disc : discs) {
            const double centreX = disc.left + disc.outer / 2.0, centreY = disc.top + disc.outer / 2.0;
            outline(true, disc.left, disc.top, disc.left + disc.outer, disc.top + disc.outer);
            outline(true, centreX - disc.hole / 2.0, centreY - disc.hole / 2.0, centreX + disc.hole / 2.0,
                    centreY + disc.hole / 2.0);
        }
        return;
    }
    if (FrontCoverOnSheet()) {
        const double right = p.m_nLeft1 + p.m_nWidth1, bottom = p.m_nTop1 + p.m_nHeight1;
        outline(false, p.m_nLeft1, p.m_nTop1, right, bottom);
        if (p.m_nFolded)
            vertical(p.m_nLeft1 + p.m_nWidth1 / 2.0, p.m_nTop1, bottom);
    }
    if (BackCoverOnSheet()) {
        const double right = p.m_nLeft2 + p.m_nWidth2, bottom = p.m_nTop2 + p.m_nHeight2;
        outline(false, p.m_nLeft2, p.m_nTop2, right, bottom);
        vertical(p.m_nLeft2 + p.m_nTab, p.m_nTop2, bottom);
        vertical(right - p.m_nTab, p.m_nTop2, bottom);
    }
}
