// The property setter's search over the rows, its dispatch to the rule of a
// caption, and the rule every other caption takes.
#include "label/PropertyPlanner.h"

#include "framework/Conversions.h"

#include <cmath>
#include <cstdlib>
#include <stdexcept>

namespace PropertyRules
{
PropertyEdit PlanChange(const CLabelModel& model, const PropertyRuleContext& context, const CString& name,
                        const CString& caption, const CString& value, bool skipRow)
{
    return PropertyPlanner(model, context).PlanChange(name, caption, value, skipRow);
}

PropertyEdit PlanTextMargin(const CLabelModel& model, const PropertyRuleContext& context, const CString& discName,
                            const CString& value)
{
    return PropertyPlanner(model, context).PlanTextMargin(discName, value);
}

bool IsSurfaceObject(const CString& name)
{
    return name == "Front Cover" || name == "Back Cover" || name == "Disc 1" || name == "Disc 2";
}
}  // namespace PropertyRules

PropertyPlanner::PropertyPlanner(const CLabelModel& model, const PropertyRuleContext& context)
    : m_model(model), m_context(context)
{
}

// ---- the rows as planned ----------------------------------------------------------------------

const PropertyEntry& PropertyPlanner::Row(int index) const
{
    if (index < 0 || index >= RowCount())
        throw std::out_of_range("row");
    const auto changed = m_changed.find(index);
    return changed != m_changed.end() ? changed->second : m_model.Row(index);
}

int PropertyPlanner::Near(int index, int distance) const
{
    const int target = index + distance;
    if (target < 0 || target >= RowCount() || Row(target).m_strObjectName != Row(index).m_strObjectName)
        throw std::out_of_range("a row the object should have is missing");
    return target;
}

int PropertyPlanner::FirstRowOf(int index) const
{
    int first = index;
    while (first > 0 && Row(first - 1).m_strObjectName == Row(index).m_strObjectName &&
           Row(first).m_strKey != "Item Type")
        --first;
    return first;
}

int PropertyPlanner::LastRowOf(int index) const
{
    return LabelRows::NextObjectRow(m_model.Rows(), index) - 1;
}

int PropertyPlanner::FindKey(int first, const CString& key) const
{
    const int end = LastRowOf(first);
    for (int i = first; i <= end; ++i) {
        if (Row(i).m_strObjectName != Row(first).m_strObjectName)
            break;
        if (Row(i).m_strKey == key)
            return i;
    }
    return -1;
}

void PropertyPlanner::Set(int index, const CString& text, RowField field)
{
    const PropertyEntry& row = Row(index);
    const CString& before = field == RowField::Value ? row.m_strValue : row.m_strChoices;
    if (before == text)
        return;
    RowChange change;
    change.row = index;
    change.field = field;
    change.before = before;
    change.stored = text;
    Plan(change);
}

void PropertyPlanner::Plan(const RowChange& change)
{
    PropertyEntry planned = Row(change.row);
    (change.field == RowField::Value ? planned.m_strValue : planned.m_strChoices) = change.stored;
    m_changed[change.row] = planned;
    m_edit.rows.push_back(change);
}

void PropertyPlanner::SetRecorded(int index, const CString& text, RowField field)
{
    const PropertyEntry& row = Row(index);
    const CString before = field == RowField::Value ? row.m_strValue : row.m_strChoices;
    SetRecorded(index, text, before, text, field);
}

void PropertyPlanner::SetRecorded(int index, const CString& text, const CString& recordedFrom,
                                  const CString& recordedTo, RowField field)
{
    const PropertyEntry& row = Row(index);
    RowChange change;
    change.row = index;
    change.field = field;
    change.before = field == RowField::Value ? row.m_strValue : row.m_strChoices;
    change.stored = text;
    change.recorded = true;
    change.recordedFrom = recordedFrom;
    change.recordedTo = recordedTo;
    Plan(change);
}

void PropertyPlanner::ShiftLayoutCache(int index, const CString& axis, int distance)
{
    CString cache = Row(index).m_strValue;
    if (cache.IsEmpty())
        return;
    if (m_context.shiftLayoutCache)
        m_context.shiftLayoutCache(cache, axis, distance);
    else
        cache.Empty();
    Set(index, cache);
}

SurfacePlacement& PropertyPlanner::Placement()
{
    if (!m_edit.placement)
        m_edit.placement = m_model.Placement();
    return *m_edit.placement;
}

const CString& PropertyPlanner::ShownSurface() const
{
    return m_edit.shownSurface ? *m_edit.shownSurface : m_model.Shown().surface;
}

const CString& PropertyPlanner::ShownPage() const
{
    return m_edit.shownPage ? *m_edit.shownPage : m_model.Shown().page;
}

void PropertyPlanner::ForgetLayoutsOn(const CString& surface, const CString& otherSurface)
{
    for (int first = 0; first < RowCount(); first = LastRowOf(first) + 1) {
        const CString& type = Row(first).m_strValue;
        if (Row(first).m_strKey != "Item Type" || (type != "Text" && type != "Track"))
            continue;
        const CString& view = NearRow(first, 3).m_strValue;
        if (view == surface || (!otherSurface.IsEmpty() && view == otherSurface))
            EmptyLayoutCache(Near(first, 10));
    }
}

// ---- the search ----------------------------------------------------------------------------------

PropertyEdit PropertyPlanner::PlanChange(const CString& name, const CString& caption, const CString& value,
                                         bool skipRow)
{
    m_edit.result = value;
    // The shared text: every object named after it shows it.
    if (caption == "Text") {
        const int textRow = m_model.FindTextRow(LabelRows::TextNameOfObject(name));
        if (textRow >= 0 && m_model.Texts()[static_cast<size_t>(textRow)].m_strValue != value)
            m_edit.texts.push_back(TextChange{textRow, value});
    }
    const int row = Search(name, caption, value, skipRow);
    if (row >= 0)
        ApplyRule(row, name, caption, value);
    return std::move(m_edit);
}

int PropertyPlanner::Search(const CString& name, const CString& caption, const CString& value, bool skipRow)
{
    const bool surfaceWide = name.IsEmpty();
    const CString textName = LabelRows::TextNameOfObject(name);
    int objectFirst = 0;
    for (int i = 0; i < RowCount(); ++i) {
        if (i > LastRowOf(objectFirst))
            objectFirst = i;
        const PropertyEntry& row = Row(i);
        if (surfaceWide && caption == "Page" && row.m_strKey == "Page") {
            if (NearRow(i, 1).m_strValue == ShownSurface() || NearRow(i, 2).m_strValue == ShownSurface())
                Set(i, ShownPage());
            i = LastRowOf(i);
            continue;
        }
        if (surfaceWide && (caption == "Top" || caption == "Left") && row.m_strKey == caption &&
            !PropertyRules::IsSurfaceObject(row.m_strObjectName)) {
            MoveSurfaceObject(i, caption, value);
            i = LastRowOf(i);
            continue;
        }
        if (caption == "Text" && i == objectFirst) {
            if (LabelRows::TextNameOfObject(row.m_strObjectName) == textName)
                EmptyLayoutCache(Near(i, 10));
            i = LastRowOf(i);
            continue;
        }
        if (row.m_strObjectName == name && row.m_strKey == caption && !skipRow)
            return i;
    }
    return -1;
}

void PropertyPlanner::MoveSurfaceObject(int row, const CString& axis, const CString& distance)
{
    const bool top = axis == "Top";
    if (NearRow(row, top ? -3 : -2).m_strValue != ShownSurface())
        return;
    const long long moved = static_cast<long long>(LabelRows::ReadLength(Row(row).m_strValue)) +
                            std::llround(StrToDouble(distance));
    CString text;
    text.Format("%.3f ''", static_cast<double>(moved) * 0.001);
    Set(row, text);
    if (NearRow(row, top ? -2 : -1).m_strKey == "Font") {
        const int cache = Near(row, top ? 4 : 5);
        ShiftLayoutCache(cache, axis, std::atoi(distance));
    }
}

// ---- the dispatch ------------------------------------------------------------------------------------

void PropertyPlanner::ApplyRule(int row, const CString& name, const CString& caption, const CString& value)
{
    const bool ordinary = !PropertyRules::IsSurfaceObject(name);
    if (ordinary && (caption == "Left" || caption == "Top" || caption == "Width" || caption == "Height")) {
        ObjectLength(row, caption, value);
        return;
    }
    if (ApplySurfaceRule(row, name, caption, value) || ApplyObjectRule(row, caption, value))
        return;
    DefaultRule(row, value);
}

void PropertyPlanner::DefaultRule(int row, const CString& value)
{
    if (Row(row).m_strValue != value)
        SetRecorded(row, value);
}
