#include "label/BackgroundObject.h"

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

}  // namespace BackgroundObject
