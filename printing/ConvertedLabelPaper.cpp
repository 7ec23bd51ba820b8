#include "printing/ConvertedLabelPaper.h"

#include "framework/Conversions.h"
#include "label/LabelRows.h"

const char* const kFormerLabelPaperSettings[9] = {"Front",      "Back",    "Disc1",         "Disc2",        "Orientation",
                                                  "CDType",     "Jewel Type", "ResetDefault1", "ResetDefault2"};

namespace
{
int ToThousandths(const CString& text)
{
    return LabelRows::ReadLength(text);
}
}  // namespace

PageSheets ReadPageSheets(const CLabelModel& model)
{
    PageSheets sheets;
    for (int first = 0; first < model.RowCount(); first = model.NextObjectRow(first))
    {
        const CString name = model.Row(first).m_strObjectName;
        if (model.GetPropertyValue(name, "Item Type") != "Page")
            continue;
        const CString page = model.GetPropertyValue(name, "Page");
        const int number = page == "1" ? 1 : page == "2" ? 2 : page == "3" ? 3 : 0;
        if (number == 0)
            continue;
        sheets.page[number - 1] = SIZE{ToThousandths(model.GetPropertyValue(name, "Width")),
                                       ToThousandths(model.GetPropertyValue(name, "Height"))};
        if (number == 3)
            break;
    }
    return sheets;
}

CLabelDim ConvertedDiscPaper(const PageSheets& sheets, const SurfacePlacement& placement)
{
    const DiscGeometry& disc1 = placement.geometry.disc1;
    const DiscGeometry& disc2 = placement.geometry.disc2;
    CLabelDim paper;
    paper.m_nType = CLabelDim::kDiscLabels;
    paper.m_strName = "My Current Disc Label";
    paper.m_nPage1 = 1;
    paper.m_nPage2 = 0;
    paper.m_nSheetWidth1 = sheets.page[0].cx;
    paper.m_nSheetHeight1 = sheets.page[0].cy;
    paper.m_nLeft1 = disc1.left;
    paper.m_nTop1 = disc1.top;
    paper.m_nWidth1 = disc1.outerDiameter;
    paper.m_nHeight1 = disc1.innerDiameter;
    paper.m_nLeft2 = disc2.left;
    paper.m_nTop2 = disc2.top;
    paper.m_nWidth2 = disc2.outerDiameter;
    paper.m_nHeight2 = disc2.innerDiameter;
    return paper;
}

CLabelDim ConvertedJewelPaper(const PageSheets& sheets, const SurfacePlacement& placement)
{
    const FrontCoverGeometry& front = placement.geometry.front;
    const BackCoverGeometry& back = placement.geometry.back;
    CLabelDim paper;
    paper.m_nType = CLabelDim::kJewelCase;
    paper.m_strName = "My Current Jewel Case";
    paper.m_nPage1 = ParseLeadingInt(placement.frontCoverPage);
    paper.m_nPage2 = ParseLeadingInt(placement.backCoverPage);
    paper.m_nSheetWidth1 = sheets.page[1].cx;
    paper.m_nSheetHeight1 = sheets.page[1].cy;
    paper.m_nSheetWidth2 = sheets.page[2].cx;
    paper.m_nSheetHeight2 = sheets.page[2].cy;
    paper.m_nLeft1 = front.left;
    paper.m_nTop1 = front.top;
    paper.m_nWidth1 = front.width;
    paper.m_nHeight1 = front.height;
    paper.m_nLeft2 = back.left;
    paper.m_nTop2 = back.top;
    paper.m_nWidth2 = back.width;
    paper.m_nHeight2 = back.height;
    paper.m_nFolded = placement.folded != 0 ? 1 : 0;
    paper.m_nTab = back.tab;
    return paper;
}
