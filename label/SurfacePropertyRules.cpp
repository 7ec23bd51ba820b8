// The rules of covers, discs and pages: they keep the surface placement in
// step with the rows, keep surfaces inside the printable area while a user
// edits, fold and unfold the front cover, carry a surface's objects along
// when it moves or changes page, and bound the diameters and the text margin.
#include "label/PropertyPlanner.h"

#include "framework/Conversions.h"

#include <algorithm>
#include <cmath>

namespace {

constexpr int kMaxOuterDiameter = 5000;
constexpr int kMaxTextMargin = 300;
constexpr double kInchesPerMillimetre = 0.03937007874015748;
constexpr double kMillimetresPerInch = 25.4;

// Keeps [position, position + extent] inside [low, high]; the low bound wins.
int KeepInside(int position, int extent, LONG low, LONG high)
{
    if (position + extent > high)
        position = high - extent;
    if (position < low)
        position = low;
    return position;
}

// How far a surface moved from the position its row held.
int DistanceMoved(const CString& oldRow, int moved)
{
    return moved - LabelRows::ReadLength(oldRow);
}

CString MillimetreText(const CString& inches)
{
    CString text;
    text.Format("%.1f mm", StrToDouble(inches) * kMillimetresPerInch);
    return text;
}

}  // namespace

namespace PropertyRules
{
CString TextMarginInInches(const CString& value, const CString& units)
{
    if (units != "Millimeters")
        return value;
    CString inches;
    inches.Format("%.3f ''", StrToDouble(value) * kInchesPerMillimetre);
    return inches;
}
}  // namespace PropertyRules

bool PropertyPlanner::ApplySurfaceRule(int row, const CString& name, const CString& caption, const CString& value)
{
    const bool cover = name == "Front Cover" || name == "Back Cover";
    const bool disc = name == "Disc 1" || name == "Disc 2";
    if (caption == "Orientation" && (name == "Page 1" || name == "Page 2" || name == "Page 3"))
        PageOrientation(row, name, value);
    else if ((cover || disc) && caption == "Page")
        SurfacePage(row, name, value);
    else if (cover && (caption == "Left" || caption == "Top"))
        CoverPosition(row, name, caption, value);
    else if (name == "Front Cover" && caption == "Folded Cover")
        FoldedCover(row, value);
    else if ((cover || disc) && caption == "Print Border")
        PrintBorder(row, name, value);
    else if (disc && (caption == "Left" || caption == "Top"))
        DiscPosition(row, name, caption, value);
    else if (disc && caption == "Inner Diameter")
        InnerDiameter(row, name, value);
    else if (disc && caption == "Outer Diameter")
        OuterDiameter(row, name, value);
    else if (disc && caption == "Label Position") {
        // The page layout exchanges the discs and writes both rows itself.
        if (Row(row).m_strValue != value) {
            m_edit.discToSwitch = name;
            m_edit.shownSurface = name;
        }
    } else
        return false;
    return true;
}

DiscGeometry& PropertyPlanner::DiscOf(const CString& name)
{
    return name == "Disc 2" ? Placement().geometry.disc2 : Placement().geometry.disc1;
}

void PropertyPlanner::PageOrientation(int row, const CString& name, const CString& value)
{
    if (Row(row).m_strValue == value)
        return;
    m_edit.shownPage = name.Mid(5);
    SetRecorded(row, value);
    const int widthRow = Near(row, 3);
    const int heightRow = Near(row, 4);
    const CString width = Row(widthRow).m_strValue;
    const CString height = Row(heightRow).m_strValue;
    const int w = LabelRows::ReadLength(width);
    const int h = LabelRows::ReadLength(height);
    if ((value == "Landscape" && w < h) || (value == "Portrait" && w > h)) {
        SetRecorded(widthRow, height);
        SetRecorded(heightRow, width);
    }
}

void PropertyPlanner::SurfacePage(int row, const CString& name, const CString& value)
{
    if (Row(row).m_strValue == value)
        return;
    SetRecorded(row, value);
    SurfacePlacement& placement = Placement();
    if (name == "Front Cover")
        placement.frontCoverPage = value;
    else if (name == "Back Cover")
        placement.backCoverPage = value;
    else if (name == "Disc 1")
        placement.disc1Page = value;
    else
        placement.disc2Page = value;
    m_edit.shownPage = value;
    m_edit.shownSurface = name;
    // Every object on the surface goes to the new page with it.
    Search(CString(), "Page", CString(), false);
}

void PropertyPlanner::CoverPosition(int row, const CString& name, const CString& caption, const CString& value)
{
    const CString old = Row(row).m_strValue;
    if (old == value)
        return;
    const bool top = caption == "Top";
    SurfacePlacement& placement = Placement();
    DocLength& position = name == "Front Cover" ? (top ? placement.geometry.front.top : placement.geometry.front.left)
                                                : (top ? placement.geometry.back.top : placement.geometry.back.left);
    const int extent = name == "Front Cover" ? (top ? placement.geometry.front.height : placement.geometry.front.width)
                                             : (top ? placement.geometry.back.height : placement.geometry.back.width);
    int moved = LabelRows::ReadLength(value);
    if (m_context.GuideLimitsApply())
        moved = top ? KeepInside(moved, extent, m_context.guide.top, m_context.guide.bottom)
                    : KeepInside(moved, extent, m_context.guide.left, m_context.guide.right);
    position = moved;

    CString distance;
    distance.Format("%f", static_cast<double>(DistanceMoved(old, moved)));
    Search(CString(), caption, distance, false);
    SetRecorded(row, LabelRows::ObjectLengthText(moved), old, LabelRows::ObjectLengthText(moved));
    m_edit.result = LabelRows::ObjectLengthText(moved);
}

void PropertyPlanner::DiscPosition(int row, const CString& name, const CString& caption, const CString& value)
{
    const CString old = Row(row).m_strValue;
    if (old == value)
        return;
    const bool top = caption == "Top";
    DiscGeometry& disc = DiscOf(name);
    int moved = LabelRows::ReadLength(value);
    if (m_context.GuideLimitsApply())
        moved = top ? KeepInside(moved, disc.outerDiameter, m_context.guide.top, m_context.guide.bottom)
                    : KeepInside(moved, disc.outerDiameter, m_context.guide.left, m_context.guide.right);
    (top ? disc.top : disc.left) = moved;

    Search(CString(), caption, IntToStr(DistanceMoved(old, moved)), false);
    SetRecorded(row, LabelRows::ObjectLengthText(moved), old, LabelRows::ObjectLengthText(moved));
    m_edit.result = LabelRows::ObjectLengthText(moved);
}

void PropertyPlanner::PrintBorder(int row, const CString& name, const CString& value)
{
    if (Row(row).m_strValue == value)
        return;
    SetRecorded(row, value);
    SurfacePlacement& placement = Placement();
    const BYTE flag = value == "Yes" ? 1 : 0;
    if (name == "Front Cover")
        placement.frontCoverBorder = flag;
    else if (name == "Back Cover")
        placement.backCoverBorder = flag;
    else if (name == "Disc 1")
        placement.disc1Border = flag;
    else
        placement.disc2Border = flag;
}

// Unfolding keeps what lies on the inside: the inside's boundary, with its
// colour, and the objects placed there stay where they are, outside the
// narrower cover and so not drawn, and come back when the cover is folded
// again (which is also how an undo of the unfolding replays).
void PropertyPlanner::FoldedCover(int row, const CString& value)
{
    SurfacePlacement& placement = Placement();
    FrontCoverGeometry& front = placement.geometry.front;
    SetRecorded(row, value);
    if (value == "Yes" && !placement.folded) {
        front.left = front.left - front.width;
        front.width = front.width * 2;
        placement.folded = 1;
        const int inside = m_model.FindObjectRow("Front Cover (Inside)");
        if (inside < 0) {
            m_edit.addInsideCoverBoundary = true;
        } else {
            // The boundary kept from an earlier fold takes the new inside half.
            const int fields[] = {FindKey(inside, "Left"), FindKey(inside, "Top"), FindKey(inside, "Width"),
                                  FindKey(inside, "Height")};
            const int values[] = {front.left, front.top, front.width / 2, front.height};
            for (int i = 0; i < 4; ++i) {
                if (fields[i] >= 0)
                    Set(fields[i], LabelRows::ObjectLengthText(values[i]));
            }
        }
    } else if (value == "No" && placement.folded) {
        const int width = front.width;
        front.width = width / 2;
        front.left = front.left + width / 2;
        placement.folded = 0;
    }
    Set(Near(row, -4), LabelRows::ObjectLengthText(front.left));
    Set(Near(row, -2), LabelRows::ObjectLengthText(front.width));
}

void PropertyPlanner::InnerDiameter(int row, const CString& name, const CString& value)
{
    const CString old = Row(row).m_strValue;
    if (old == value)
        return;
    DiscGeometry& disc = DiscOf(name);
    int inner = LabelRows::ReadLength(value);
    if (disc.outerDiameter < inner) {
        inner = disc.outerDiameter;
        Message("The inner diameter cannot exceed the outer diameter.");
    }
    if (inner < 0)
        inner = 0;
    disc.innerDiameter = inner;
    m_edit.result = LabelRows::ObjectLengthText(inner);
    SetRecorded(row, m_edit.result, old, m_edit.result);
    ForgetLayoutsOn("Disc 1", "Disc 2");
}

void PropertyPlanner::OuterDiameter(int row, const CString& name, const CString& value)
{
    const CString old = Row(row).m_strValue;
    if (old == value)
        return;
    DiscGeometry& disc = DiscOf(name);
    int outer = LabelRows::ReadLength(value);
    if (outer < disc.innerDiameter) {
        outer = disc.innerDiameter;
        Message("The outer diameter cannot be smaller then the inner diameter.");
    }
    if (m_context.GuideLimitsApply()) {
        if (disc.left + outer > m_context.guide.right)
            outer = m_context.guide.right - disc.left;
        if (disc.top + outer > m_context.guide.bottom)
            outer = m_context.guide.bottom - disc.top;
        if (outer > kMaxOuterDiameter) {
            outer = kMaxOuterDiameter;
            Message("The outer diameter cannot exceed 5.000''");
        }
    }
    // Last, whatever the printable area allowed: the disc never becomes
    // smaller than its hole, and the hole never negative.
    outer = std::max(outer, std::max(static_cast<int>(disc.innerDiameter), 0));
    disc.outerDiameter = outer;
    m_edit.result = LabelRows::ObjectLengthText(outer);
    SetRecorded(row, m_edit.result, old, m_edit.result);
    FitTextsIntoDisc(disc);
}

void PropertyPlanner::FitTextsIntoDisc(const DiscGeometry& disc)
{
    const RECT square{disc.left, disc.top, disc.left + disc.outerDiameter, disc.top + disc.outerDiameter};
    for (int first = 0; first < RowCount(); first = LastRowOf(first) + 1) {
        const CString& type = Row(first).m_strValue;
        if (Row(first).m_strKey != "Item Type" || (type != "Text" && type != "Track"))
            continue;
        if (NearRow(first, 3).m_strValue != ShownSurface())
            continue;
        const int rows[] = {Near(first, 5), Near(first, 6), Near(first, 7), Near(first, 8)};
        const int left = LabelRows::ReadLength(Row(rows[0]).m_strValue);
        const int top = LabelRows::ReadLength(Row(rows[1]).m_strValue);
        RECT box{left, top, left + LabelRows::ReadLength(Row(rows[2]).m_strValue),
                 top + LabelRows::ReadLength(Row(rows[3]).m_strValue)};
        if (m_context.guideClamp) {
            if (box.left < square.left)
                ::OffsetRect(&box, square.left - box.left, 0);
            if (box.top < square.top)
                ::OffsetRect(&box, 0, square.top - box.top);
            if (box.right > square.right)
                ::OffsetRect(&box, square.right - box.right, 0);
            if (box.bottom > square.bottom)
                ::OffsetRect(&box, 0, square.bottom - box.bottom);
            RECT inside{};
            ::IntersectRect(&inside, &box, &square);
            box = inside;
        }
        // Rows are rewritten only where the box really changed: a rewrite of
        // an unmoved length would lose a thousandth to the reading's truncation.
        const int fitted[] = {box.left, box.top, box.right - box.left, box.bottom - box.top};
        const int was[] = {left, top, LabelRows::ReadLength(Row(rows[2]).m_strValue),
                           LabelRows::ReadLength(Row(rows[3]).m_strValue)};
        for (int i = 0; i < 4; ++i) {
            if (fitted[i] != was[i])
                SetRecorded(rows[i], LabelRows::ObjectLengthText(fitted[i]));
        }
        EmptyLayoutCache(Near(first, 10));
    }
}

PropertyEdit PropertyPlanner::PlanTextMargin(const CString& discName, const CString& value)
{
    const bool millimetres = m_context.units == "Millimeters";
    const CString inches = PropertyRules::TextMarginInInches(value, m_context.units);
    const auto shown = [&](const CString& stored) { return millimetres ? MillimetreText(stored) : stored; };
    m_edit.result = shown(inches);
    const int first = m_model.FindObjectRow(discName);
    if (first < 0)
        return std::move(m_edit);
    const int row = Near(first, 9);
    if (Row(row).m_strValue == inches) {
        m_edit.result = millimetres ? value : inches;
        return std::move(m_edit);
    }
    const CString old = Row(row).m_strValue;
    DiscGeometry& disc = DiscOf(discName);
    const int ring = static_cast<int>(std::trunc((disc.outerDiameter - disc.innerDiameter) * 0.5 * 0.2));
    int margin = LabelRows::ReadLength(inches);
    margin = std::min(margin, std::min(kMaxTextMargin, ring));
    margin = std::max(margin, 0);  // last: a damaged ring never gives a negative margin
    disc.textMargin = margin;
    const CString stored = LabelRows::ObjectLengthText(margin);
    SetRecorded(row, stored, old, stored);
    ForgetLayoutsOn(discName);
    m_edit.result = shown(stored);
    return std::move(m_edit);
}
