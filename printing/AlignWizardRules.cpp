#include "printing/AlignWizardRules.h"

#include "framework/Conversions.h"

#include <algorithm>
#include <cmath>

namespace
{
constexpr double kThousandthsPerMillimetre = 39.37007874015748;
constexpr double kMillimetresPerThousandth = 0.0254;

// Pulls a part back onto its sheet; a part larger than its sheet starts at the edge.
int KeepOnSheet(int position, int extent, int sheetExtent)
{
    if (position + extent > sheetExtent)
        position = sheetExtent - extent;
    return std::max(position, 0);
}
}  // namespace

const char* WizardValueKey(WizardValue which)
{
    switch (which)
    {
    case WizardValue::Left1: return "left1";
    case WizardValue::Top1: return "top1";
    case WizardValue::Left2: return "left2";
    case WizardValue::Top2: return "top2";
    case WizardValue::Width1: return "width1";
    case WizardValue::Height1: return "height1";
    }
    return "";
}

AlignWizardRules::AlignWizardRules(const CLabelDim& paper, bool frontSide, bool inches)
    : m_paper(paper), m_frontSide(frontSide), m_inches(inches)
{
    // A second sheet without a size takes the first one's.
    if (IsJewelCase() && (m_paper.m_nSheetWidth2 == 0 || m_paper.m_nSheetHeight2 == 0))
    {
        m_paper.m_nSheetWidth2 = m_paper.m_nSheetWidth1;
        m_paper.m_nSheetHeight2 = m_paper.m_nSheetHeight1;
    }
}

int& AlignWizardRules::SheetWidthFor(bool front)
{
    return front ? m_paper.m_nSheetWidth1 : m_paper.m_nSheetWidth2;
}

int& AlignWizardRules::SheetHeightFor(bool front)
{
    return front ? m_paper.m_nSheetHeight1 : m_paper.m_nSheetHeight2;
}

SIZE AlignWizardRules::ShownSheet() const
{
    return FrontSide() ? SIZE{m_paper.m_nSheetWidth1, m_paper.m_nSheetHeight1}
                       : SIZE{m_paper.m_nSheetWidth2, m_paper.m_nSheetHeight2};
}

int AlignWizardRules::Value(WizardValue which) const
{
    switch (which)
    {
    case WizardValue::Left1: return m_paper.m_nLeft1;
    case WizardValue::Top1: return m_paper.m_nTop1;
    case WizardValue::Left2: return m_paper.m_nLeft2;
    case WizardValue::Top2: return m_paper.m_nTop2;
    case WizardValue::Width1: return m_paper.m_nWidth1;
    case WizardValue::Height1: return m_paper.m_nHeight1;
    }
    return 0;
}

void AlignWizardRules::SetValue(WizardValue which, int value)
{
    switch (which)
    {
    case WizardValue::Left1: m_paper.m_nLeft1 = value; break;
    case WizardValue::Top1: m_paper.m_nTop1 = value; break;
    case WizardValue::Left2: m_paper.m_nLeft2 = value; break;
    case WizardValue::Top2: m_paper.m_nTop2 = value; break;
    case WizardValue::Width1: m_paper.m_nWidth1 = m_paper.m_nWidth2 = value; break;
    case WizardValue::Height1: m_paper.m_nHeight1 = m_paper.m_nHeight2 = value; break;
    }
    ClampValue(which);
}

bool AlignWizardRules::ClampValue(WizardValue which)
{
    CLabelDim& p = m_paper;
    // The back cover lies on sheet 1 when both covers share it or the front side is shown.
    const bool secondOnSheet1 = !IsJewelCase() || FrontSide();
    auto clamp = [](int& field, int value) {
        const bool changed = field != value;
        field = value;
        return changed;
    };
    switch (which)
    {
    case WizardValue::Left1:
        return clamp(p.m_nLeft1, KeepOnSheet(p.m_nLeft1, p.m_nWidth1, p.m_nSheetWidth1));
    case WizardValue::Top1:
        return clamp(p.m_nTop1, KeepOnSheet(p.m_nTop1, IsJewelCase() ? p.m_nHeight1 : p.m_nWidth1, p.m_nSheetHeight1));
    case WizardValue::Left2:
        return clamp(p.m_nLeft2,
                     KeepOnSheet(p.m_nLeft2, p.m_nWidth2, secondOnSheet1 ? p.m_nSheetWidth1 : p.m_nSheetWidth2));
    case WizardValue::Top2:
        if (IsJewelCase())
            return clamp(p.m_nTop2,
                         KeepOnSheet(p.m_nTop2, p.m_nHeight2, secondOnSheet1 ? p.m_nSheetHeight1 : p.m_nSheetHeight2));
        return clamp(p.m_nTop2, KeepOnSheet(p.m_nTop2, p.m_nWidth2, p.m_nSheetHeight1));
    case WizardValue::Width1:
    {
        const int bounded = std::clamp(p.m_nWidth1, kMinOuterDiameter, kMaxOuterDiameter);
        const bool changed = bounded != p.m_nWidth1 || bounded != p.m_nWidth2;
        p.m_nWidth1 = p.m_nWidth2 = bounded;
        return changed;
    }
    case WizardValue::Height1:
    {
        const int bounded = std::clamp(p.m_nHeight1, kMinHole, kMaxHole);
        const bool changed = bounded != p.m_nHeight1 || bounded != p.m_nHeight2;
        p.m_nHeight1 = p.m_nHeight2 = bounded;
        return changed;
    }
    }
    return false;
}

CString AlignWizardRules::ValueText(WizardValue which) const
{
    CString text;
    if (m_inches)
        text.Format("%.3f ''", Value(which) * 0.001);
    else
        text.Format("%.1f mm", Value(which) * kMillimetresPerThousandth);
    return text;
}

void AlignWizardRules::ReadValueText(WizardValue which, const CString& text)
{
    const double number = StrToFloat(text);
    const double thousandths = m_inches ? number * 1000.0 : number * kThousandthsPerMillimetre;
    SetValue(which, static_cast<int>(std::clamp(thousandths, -1e9, 1e9)));
}

void AlignWizardRules::Spin(WizardValue which, int delta)
{
    const int direction = delta < 0 ? 1 : -1;
    if (m_inches)
    {
        SetValue(which, Value(which) + direction * kInchStep);
        return;
    }
    // In millimetres the shown number moves by a tenth.
    const double shown = StrToFloat(ValueText(which));
    SetValue(which, static_cast<int>((shown + direction * 0.1) * kThousandthsPerMillimetre));
}

bool AlignWizardRules::ChoosePages(int pages)
{
    if (!IsJewelCase())
        return false;
    CLabelDim& p = m_paper;
    if (pages == 1)
    {
        if (p.m_nPage2 == 2)
            return false;
        p.m_nPage2 = 2;
        m_frontSide = true;
        ChooseOrientation(false);
        // Both covers share the upright sheet; the second keeps its size for the file.
        p.m_nSheetWidth2 = p.m_nSheetWidth1;
        p.m_nSheetHeight2 = p.m_nSheetHeight1;
        // A folded cover is twice as wide as the upright sheet has room for
        // beside the back cover: on one page the front cover lies flat.
        if (p.m_nFolded != 0)
        {
            p.m_nFolded = 0;
            p.m_nWidth1 /= 2;
        }
        p.m_nTop1 = 600;
        p.m_nLeft1 = 1870;
        p.m_nTop2 = 5750;
        p.m_nLeft2 = 1300;
    }
    else
    {
        if (p.m_nPage2 == 3)
            return false;
        p.m_nPage2 = 3;
        const SIZE sheet = m_inches ? kLetter : kA4;
        p.m_nSheetWidth2 = sheet.cx;
        p.m_nSheetHeight2 = sheet.cy;
        m_frontSide = true;
        ChooseOrientation(true);
        if (p.m_nFolded == 0)
        {
            p.m_nFolded = 1;
            p.m_nWidth1 *= 2;
        }
        p.m_nTop1 = 800;
        p.m_nLeft1 = 800;
        p.m_nLeft2 = 1300;
        p.m_nTop2 = 600;
    }
    m_frontSide = true;
    KeepPartsOnTheirSheets();
    return true;
}

void AlignWizardRules::ChoosePaperSize(int entry)
{
    const bool front = FrontSide();
    int& width = SheetWidthFor(front);
    int& height = SheetHeightFor(front);
    const SIZE portrait = entry == 1 ? kA4 : kLetter;
    if (width < height)
    {
        width = portrait.cx;
        height = portrait.cy;
    }
    else
    {
        width = portrait.cy;
        height = portrait.cx;
    }
}

void AlignWizardRules::ChooseOrientation(bool landscape)
{
    const int entry = PaperSizeEntry();
    const bool front = FrontSide();
    SheetWidthFor(front) = SheetHeightFor(front) + (landscape ? 1 : -1);
    ChoosePaperSize(entry);
}

void AlignWizardRules::ChooseFolded(bool folded)
{
    if (folded && m_paper.m_nFolded == 0)
    {
        m_paper.m_nFolded = 1;
        m_paper.m_nWidth1 *= 2;
    }
    else if (!folded && m_paper.m_nFolded != 0)
    {
        m_paper.m_nFolded = 0;
        m_paper.m_nWidth1 /= 2;
    }
    // The wider cover stays on its sheet where the sheet has room for it.
    ClampValue(WizardValue::Left1);
}

void AlignWizardRules::KeepPartsOnTheirSheets()
{
    // Each cover against the sheet it lies on, whichever side is shown.
    CLabelDim& p = m_paper;
    const bool shared = CoversShareASheet();
    p.m_nLeft1 = KeepOnSheet(p.m_nLeft1, p.m_nWidth1, p.m_nSheetWidth1);
    p.m_nTop1 = KeepOnSheet(p.m_nTop1, p.m_nHeight1, p.m_nSheetHeight1);
    p.m_nLeft2 = KeepOnSheet(p.m_nLeft2, p.m_nWidth2, shared ? p.m_nSheetWidth1 : p.m_nSheetWidth2);
    p.m_nTop2 = KeepOnSheet(p.m_nTop2, p.m_nHeight2, shared ? p.m_nSheetHeight1 : p.m_nSheetHeight2);
}

int AlignWizardRules::PaperSizeEntry() const
{
    const SIZE sheet = ShownSheet();
    return sheet.cx == kLetter.cy || sheet.cy == kLetter.cy ? 0 : 1;
}

CString AlignWizardRules::Caption() const
{
    CString caption = " Label Alignment Wizard  -  ";
    if (!IsJewelCase())
        return caption + "Disc Label";
    if (CoversShareASheet())
        return caption + "Front & Back Cover";
    return caption + (FrontSide() ? "Front Cover" : "Back Cover");
}

CString NewCustomTemplateName(const std::vector<std::unique_ptr<CLabelDim>>& templates, int kind)
{
    const CString base = kind == CLabelDim::kJewelCase ? "Custom Jewel Case" : "Custom Disc Label";
    int highest = 0;
    for (const auto& paper : templates)
    {
        const CString& name = paper->m_strName;
        if (name.GetLength() < base.GetLength() || name.Left(base.GetLength()) != base)
            continue;
        highest = std::max(highest, ParseLeadingInt(name.Mid(base.GetLength())));
    }
    return base + " " + IntToStr(highest + 1);
}
