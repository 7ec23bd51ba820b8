#include "label/BackgroundObject.h"

#include "framework/Conversions.h"

namespace BackgroundObject
{

int Find(const PropertyRows& rows, const CString& surface, const CString& part)
{
    const int count = static_cast<int>(rows.size());
    for (int first = 0; first < count; first = LabelRows::NextObjectRow(rows, first)) {
        const PropertyEntry& head = rows[static_cast<size_t>(first)];
        if (head.m_strKey != "Item Type" || head.m_strValue != "Image" || head.m_strChoices != "Background")
            continue;
        const int view = LabelRows::FindPropertyRow(rows, head.m_strObjectName, "View");
        if (view >= 0 && rows[static_cast<size_t>(view)].m_strValue == surface &&
            rows[static_cast<size_t>(view)].m_strChoices == part)
            return first;
    }
    return -1;
}

Removed FindRemoved(const std::vector<const PropertyEntry*>& records, const CString& surface, const CString& part)
{
    const size_t count = records.size();
    for (size_t i = 0; i + 3 < count; ++i) {
        const PropertyEntry* head = records[i];
        const PropertyEntry* view = records[i + 2];
        const PropertyEntry* number = records[i + 3];
        if (!head || !view || !number)
            continue;
        if (head->m_strKey != "Item Type" || head->m_strValue != "Image" || head->m_strChoices != "Background")
            continue;
        const CString& name = head->m_strObjectName;
        if (view->m_strObjectName != name || view->m_strValue != surface || view->m_strChoices != part)
            continue;
        if (number->m_strObjectName != name || number->m_strKey != "Image Number")
            continue;
        return Removed{name, ParseLeadingInt(number->m_strValue)};
    }
    return Removed{};
}

}  // namespace BackgroundObject
