#include "label/PropertyGridRows.h"

#include "framework/Conversions.h"

#include <cstdlib>
#include <cstring>

namespace {

bool IsPositionCaption(const CString& caption)
{
    return caption == "Left" || caption == "Top" || caption == "Width" || caption == "Height" ||
           caption == "Inner Diameter" || caption == "Outer Diameter";
}

// The fields of a comma-separated value; missing fields are empty.
std::vector<CString> SplitFields(const CString& value)
{
    std::vector<CString> fields;
    int start = 0;
    for (;;) {
        const int comma = value.Find(',', start);
        if (comma < 0) {
            fields.push_back(value.Mid(start));
            return fields;
        }
        fields.push_back(value.Mid(start, comma - start));
        start = comma + 1;
    }
}

CString DisplayOf(const PropertyRows& rows, size_t index, const GridRowContext& context)
{
    const PropertyEntry& row = rows[index];
    if (row.m_strKey == "Color" || row.m_strChoices == "Yes|No|")
        return CString();
    if (row.m_strKey == "Font") {
        const size_t sizeIndex = index + 6;
        const CString size = sizeIndex < rows.size() ? rows[sizeIndex].m_strValue : CString();
        return PropertyGridRows::FontDisplay(row.m_strValue, size);
    }
    if (row.m_strKey == "Text Margin" && context.millimeters)
        return PropertyGridRows::MillimetreDisplay(row.m_strValue);
    return row.m_strValue;
}

GridRow RowFrom(const PropertyRows& rows, size_t index, const GridRowContext& context)
{
    const PropertyEntry& row = rows[index];
    return GridRow{row.m_strObjectName, row.m_strKey,     row.m_strValue, row.m_strEditorKind,
                   row.m_strChoices,    DisplayOf(rows, index, context)};
}

}  // namespace

namespace PropertyGridRows
{

std::vector<GridRow> RowsOf(const PropertyRows& rows, const CString& objectName, const GridRowContext& context)
{
    std::vector<GridRow> sorted;
    const int first = LabelRows::FindObjectRow(rows, objectName);
    if (first < 0)
        return sorted;
    const int end = LabelRows::EndOfObject(rows, first);
    const CString itemType = rows[static_cast<size_t>(first)].m_strValue;

    if (itemType == "Boundary") {
        const bool prints = (context.shownSurface == "Back Cover" && context.backCoverBorder) ||
                            (context.shownSurface == "Front Cover" && context.frontCoverBorder);
        const CString value = prints ? "Yes" : "No";
        sorted.push_back(GridRow{context.shownSurface, "Print Border", value, "COMBO", "Yes|No|", CString()});
    } else if (itemType == "Page") {
        const bool disc = first + 1 < end && rows[static_cast<size_t>(first) + 1].m_strValue == "1";
        const CString paper = disc ? context.discPaperName : context.jewelPaperName;
        sorted.push_back(GridRow{objectName, "Label Paper", paper, "PAPER", CString(), paper});
    }

    int leftRow = -1;
    for (int i = first + 1; i < end; ++i) {
        const PropertyEntry& row = rows[static_cast<size_t>(i)];
        if (row.m_bShown != 1)
            continue;
        if (leftRow < 0 && row.m_strKey == "Left")
            leftRow = i;
        if (!IsPositionCaption(row.m_strKey))
            sorted.push_back(RowFrom(rows, static_cast<size_t>(i), context));
    }
    // Byte order of the captions; equal captions keep their order.
    for (size_t pass = 0; pass + 1 < sorted.size(); ++pass) {
        for (size_t j = 0; j + 1 < sorted.size() - pass; ++j) {
            if (std::strcmp(sorted[j].caption, sorted[j + 1].caption) > 0)
                std::swap(sorted[j], sorted[j + 1]);
        }
    }
    if (leftRow >= 0 && itemType != "Track" && itemType != "Text" && itemType != "Image") {
        const int count = (objectName == "Disc 1" || objectName == "Disc 2") ? 4 : 2;
        for (int i = leftRow; i < leftRow + count && i < end; ++i) {
            GridRow row = RowFrom(rows, static_cast<size_t>(i), context);
            row.display = row.value;
            sorted.push_back(row);
        }
    }
    return sorted;
}

CString FontDisplay(const CString& fontValue, const CString& sizeValue)
{
    const std::vector<CString> fields = SplitFields(fontValue);
    const CString face = fields[0];
    const int weight = fields.size() > 2 ? ParseLeadingInt(fields[2]) : 0;
    const bool italic = fields.size() > 3 && !fields[3].IsEmpty() && fields[3][0] > '0';

    CString size = sizeValue;
    if (const int tick = size.Find('`'); tick >= 0)
        size = size.Left(tick);
    if (size.IsEmpty())
        return face;
    // Tenths of a point: the point goes before the last digit.
    if (size.GetLength() == 1)
        size = "0" + size;
    size = size.Left(size.GetLength() - 1) + "." + size.Mid(size.GetLength() - 1);

    const bool bold = weight > 500;
    const char* style = bold && italic ? "Bold Italic" : bold ? "Bold" : italic ? "Italic" : "";
    CString shown = face + " / " + size;
    if (*style)
        shown += CString(" / ") + style;
    return shown;
}

CString MillimetreDisplay(const CString& inches)
{
    CString shown;
    shown.Format("%.1f mm", std::atof(inches) * 25.4);
    return shown;
}

std::vector<CString> SplitChoices(const CString& choices)
{
    std::vector<CString> items;
    int start = 0;
    for (int bar = choices.Find('|'); bar >= 0; bar = choices.Find('|', start)) {
        items.push_back(choices.Mid(start, bar - start));
        start = bar + 1;
    }
    if (start < choices.GetLength())
        items.push_back(choices.Mid(start));
    return items;
}

CString CleanEditorText(const CString& text)
{
    CString clean = text;
    clean.Trim(" ");
    clean.Replace('`', '\'');
    return clean;
}

}  // namespace PropertyGridRows

namespace ObjectListNames
{

std::vector<ObjectListEntry> EntriesOf(const PropertyRows& rows, const CString& page, const CString& layout)
{
    std::vector<ObjectListEntry> entries;
    if (layout != "Single" && layout != "Double")
        return entries;
    std::vector<int> imageNumbers;
    const int count = static_cast<int>(rows.size());
    for (int first = 0; first < count; first = LabelRows::NextObjectRow(rows, first)) {
        const int end = LabelRows::EndOfObject(rows, first);
        auto valueAt = [&](int offset) -> const PropertyEntry* {
            return first + offset < end ? &rows[static_cast<size_t>(first + offset)] : nullptr;
        };
        const PropertyEntry& head = rows[static_cast<size_t>(first)];
        const PropertyEntry* pageRow = valueAt(1);
        if (!pageRow || pageRow->m_strValue != page)
            continue;
        if (layout == "Single" && head.m_strObjectName == "Disc 2")
            continue;
        const bool image = head.m_strValue == "Image";
        CString display = head.m_strObjectName;
        if (image && head.m_strChoices == "Background") {
            const PropertyEntry* view = valueAt(2);
            display = view && view->m_strChoices == "Front Cover (Inside)" ? "Background (Inside)" : "Background";
        }
        const PropertyEntry* numberRow = valueAt(3);
        const int imageNumber = image && numberRow ? ParseLeadingInt(numberRow->m_strValue) : 0;
        entries.push_back(ObjectListEntry{display, head.m_strObjectName});
        imageNumbers.push_back(imageNumber);
    }
    for (size_t i = 0; i < entries.size(); ++i) {
        CString& display = entries[i].display;
        if (display.Find('(') >= 0 && display != "Front Cover (Inside)" && display != "Background (Inside)")
            display = display.Left(display.Find('('));
        if (display == "Image")
            display += " " + IntToStr(imageNumbers[i] + 1);
    }
    for (size_t i = 0; i < entries.size(); ++i) {
        if (entries[i].display.Find('(') >= 0)
            continue;
        int copy = 0;
        for (size_t j = i + 1; j < entries.size(); ++j) {
            if (entries[j].display == entries[i].display)
                entries[j].display += " (copy " + IntToStr(++copy) + ")";
        }
    }
    return entries;
}

}  // namespace ObjectListNames
