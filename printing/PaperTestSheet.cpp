#include "printing/PaperTestSheet.h"

#include "framework/Gdi.h"
#include "printing/DeviceOutlines.h"

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
    const DeviceOutlines outlines(dc, corner, dpi);
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
            outlines.Circle(disc.left, disc.top, disc.left + disc.outer, disc.top + disc.outer);
            outlines.Circle(centreX - disc.hole / 2.0, centreY - disc.hole / 2.0, centreX + disc.hole / 2.0,
                    centreY + disc.hole / 2.0);
        }
        return;
    }
    if (FrontCoverOnSheet()) {
        const double right = p.m_nLeft1 + p.m_nWidth1, bottom = p.m_nTop1 + p.m_nHeight1;
        outlines.Box(p.m_nLeft1, p.m_nTop1, right, bottom);
        if (p.m_nFolded)
            outlines.Vertical(p.m_nLeft1 + p.m_nWidth1 / 2.0, p.m_nTop1, bottom);
    }
    if (BackCoverOnSheet()) {
        const double right = p.m_nLeft2 + p.m_nWidth2, bottom = p.m_nTop2 + p.m_nHeight2;
        outlines.Box(p.m_nLeft2, p.m_nTop2, right, bottom);
        outlines.Vertical(p.m_nLeft2 + p.m_nTab, p.m_nTop2, bottom);
        outlines.Vertical(right - p.m_nTab, p.m_nTop2, bottom);
    }
}
