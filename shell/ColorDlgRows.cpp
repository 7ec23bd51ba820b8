#include "shell/ColorDlgRows.h"

#include "framework/Conversions.h"

#include <cmath>
#include <cstdlib>

namespace StyleRows
{
namespace
{
bool IsCoverType(const CString& type)
{
    return type == "Cover" || type == "Boundary";
}

CString ItemTypeAt(const PropertyRows& rows, int first)
{
    const PropertyEntry& row = rows[static_cast<size_t>(first)];
    return row.m_strKey == "Item Type" ? row.m_strValue : CString();
}

template <typename Accept>
std::vector<RowRef> RowsOfKind(const PropertyRows& rows, const CString& selected, const CString& caption,
                               const CString& otherCaption, const CString& kind, Accept accept)
{
    std::vector<RowRef> refs;
    refs.push_back(RowRef{selected, caption, LabelRows::FindPropertyRow(rows, selected, caption) >= 0
                                                 ? rows[static_cast<size_t>(
                                                            LabelRows::FindPropertyRow(rows, selected, caption))]
                                                       .m_strValue
                                                 : CString()});
    if (!OffersSetAll(kind))
        return refs;
    const int count = static_cast<int>(rows.size());
    for (int first = 0; first < count; first = LabelRows::NextObjectRow(rows, first)) {
        const CString& name = rows[static_cast<size_t>(first)].m_strObjectName;
        if (name == selected || !accept(name, ItemTypeAt(rows, first)))
            continue;
        const int row = LabelRows::FindPropertyRow(rows, name, otherCaption);
        if (row >= 0)
            refs.push_back(RowRef{name, otherCaption, rows[static_cast<size_t>(row)].m_strValue});
    }
    return refs;
}
}  // namespace

CString KindName(const CString& objectName, const CString& itemType, bool coverRule)
{
    if (coverRule && IsCoverType(itemType))
        return "Cover";
    CString kind = objectName;
    if (const int bracket = kind.Find('('); bracket >= 0)
        kind = kind.Left(bracket);
    if (const int dash = kind.Find('-'); dash >= 0)
        kind = kind.Left(dash > 0 ? dash - 1 : 0);
    return kind;
}

bool OffersSetAll(const CString& kind)
{
    return kind.Left(4) != "Text";
}

std::vector<RowRef> ColorRows(const PropertyRows& rows, const CString& selected, const CString& selectedType,
                              const CString& caption)
{
    const CString kind = KindName(selected, selectedType, true);
    return RowsOfKind(rows, selected, caption, "Color", kind, [&](const CString& name, const CString& type) {
        if (kind == "Cover")
            return IsCoverType(type);
        return !IsCoverType(type) && KindName(name, type, false) == kind;
    });
}

std::vector<RowRef> FontRows(const PropertyRows& rows, const CString& selected, const CString& caption)
{
    const CString kind = KindName(selected, "", false);
    return RowsOfKind(rows, selected, caption, "Font", kind,
                      [&](const CString& name, const CString&) { return KindName(name, "", false) == kind; });
}

CString ColorText(COLORREF color)
{
    CString text;
    text.Format("%d,%d,%d", GetRValue(color), GetGValue(color), GetBValue(color));
    return text;
}

COLORREF ParseColor(const CString& text)
{
    int parts[3] = {};
    int start = 0;
    for (int i = 0; i < 3; ++i) {
        const int comma = text.Find(',', start);
        const CString field = comma < 0 ? text.Mid(start) : text.Mid(start, comma - start);
        parts[i] = ParseLeadingInt(field) & 0xFF;
        if (comma < 0)
            break;
        start = comma + 1;
    }
    return RGB(parts[0], parts[1], parts[2]);
}

CString SetAllColorText(const CString& kind)
{
    return "Set all " + kind + "s the same color.";
}

CString SetAllFontText(const CString& kind)
{
    return "Set all " + kind + "s with the same font.";
}

CString FontValue(const CString& face, const CString& size, const CString& style)
{
    const bool bold = style == "Bold" || style == "Bold Italic";
    const bool italic = style == "Italic" || style == "Bold Italic";
    return face + "," + size + "," + (bold ? "700" : "400") + "," + (italic ? "1" : "0");
}

CString FontSizeField(const CString& fontValue)
{
    const int first = fontValue.Find(',');
    if (first < 0)
        return CString();
    const int second = fontValue.Find(',', first + 1);
    return second < 0 ? fontValue.Mid(first + 1) : fontValue.Mid(first + 1, second - first - 1);
}

CString AcceptedSize(const CString& typed, const CString& previous)
{
    // Every font the dialog offers is scalable: any size from 1 point up to
    // the largest the system's font dialog takes is one it can have. Sizes
    // are whole points on the label, so a fraction is rounded.
    constexpr double kSmallest = 1.0;
    constexpr double kLargest = 1638.0;
    CString size = typed;
    size.Trim();
    if (size.IsEmpty())
        return previous;
    char* end = nullptr;
    const double number = std::strtod(size.c_str(), &end);
    if (!end || *end != '\0' || !(number >= kSmallest - 0.5) || number >= kLargest + 0.5)
        return previous;
    const long points = std::lround(number);
    if (points < static_cast<long>(kSmallest))
        return previous;
    CString text;
    text.Format("%ld", points);
    return text;
}

CString FittedSizeText(const CString& layoutCache)
{
    const int end = layoutCache.Find('`');
    CString tenths = end < 0 ? layoutCache : layoutCache.Left(end);
    tenths.Trim();
    if (tenths.IsEmpty())
        return CString();
    const long value = std::strtol(tenths.c_str(), nullptr, 10);
    CString text;
    text.Format("%ld.%ld", value / 10, value % 10 < 0 ? -(value % 10) : value % 10);
    return text;
}

CString AutoFitText(const CString& fitted, const CString& chosen)
{
    if (fitted.IsEmpty())
        return "AutoFit Off";
    return StrToFloat(fitted) >= StrToFloat(chosen) ? "AutoFit Off" : "AutoFit On";
}
}  // namespace StyleRows
