#include "label/LabelRows.h"

#include "framework/Conversions.h"

#include <cerrno>
#include <climits>
#include <cmath>
#include <cstdlib>
#include <limits>
#include <unordered_set>

namespace LabelRows
{
int NextObjectRow(const PropertyRows& rows, int index)
{
    const long long count = static_cast<long long>(rows.size());
    if (index < 0 || index >= count)
        return static_cast<int>(count);
    const int rowsAfter = rows[static_cast<size_t>(index)].m_nRowsAfter;
    if (rowsAfter < 0)
        return static_cast<int>(count);
    const long long next = static_cast<long long>(index) + rowsAfter + 1;
    return static_cast<int>(next < count ? next : count);
}

int EndOfObject(const PropertyRows& rows, int first)
{
    return NextObjectRow(rows, first);
}

int FindObjectRow(const PropertyRows& rows, const CString& objectName)
{
    const int count = static_cast<int>(rows.size());
    for (int i = 0; i < count; i = NextObjectRow(rows, i))
    {
        if (rows[static_cast<size_t>(i)].m_strObjectName == objectName)
            return i;
    }
    return -1;
}

int FindPropertyRow(const PropertyRows& rows, const CString& objectName, const CString& key)
{
    const int first = FindObjectRow(rows, objectName);
    if (first < 0)
        return -1;
    const int end = EndOfObject(rows, first);
    for (int i = first; i < end; ++i)
    {
        const PropertyEntry& row = rows[static_cast<size_t>(i)];
        if (row.m_strObjectName != objectName)
            break;
        if (row.m_strKey == key)
            return i;
    }
    return -1;
}

bool ReadPropertyValue(const PropertyRows& rows, const CString& objectName, const CString& key,
                       CString& value)
{
    const int index = FindPropertyRow(rows, objectName, key);
    if (index < 0)
        return false;
    value = rows[static_cast<size_t>(index)].m_strValue;
    return true;
}

bool ReplacePropertyValue(PropertyRows& rows, const CString& objectName, const CString& key,
                          const CString& value)
{
    const int index = FindPropertyRow(rows, objectName, key);
    if (index < 0)
        return false;
    rows[static_cast<size_t>(index)].m_strValue = value;
    return true;
}

int EraseObjectRows(PropertyRows& rows, const CString& objectName)
{
    const int first = FindObjectRow(rows, objectName);
    if (first < 0)
        return 0;
    // The run is as long as its count says, but never takes rows of another
    // object with it when the count is damaged.
    const int end = EndOfObject(rows, first);
    int last = first;
    while (last < end && rows[static_cast<size_t>(last)].m_strObjectName == objectName)
        ++last;
    rows.erase(rows.begin() + first, rows.begin() + last);
    return last - first;
}

int FindTextRow(const TextRows& texts, const CString& textName)
{
    const int count = static_cast<int>(texts.size());
    for (int i = 0; i < count; ++i)
    {
        if (texts[static_cast<size_t>(i)].m_strName == textName)
            return i;
    }
    return -1;
}

int ReadImageNumber(const CString& text)
{
    const char* start = text;
    if (!start || *start < '0' || *start > '9')
        return -1;
    char* end = nullptr;
    errno = 0;
    const long value = std::strtol(start, &end, 10);
    if (*end != '\0' || errno == ERANGE || value > INT_MAX)
        return -1;
    return static_cast<int>(value);
}

CString TextNameOfObject(const CString& objectName)
{
    const int bracket = objectName.Find('(');
    return bracket < 0 ? objectName : objectName.Left(bracket);
}

CString UniqueObjectName(const PropertyRows& rows, const CString& name)
{
    std::unordered_set<CString> taken;
    const int count = static_cast<int>(rows.size());
    for (int i = 0; i < count; i = NextObjectRow(rows, i))
        taken.insert(rows[static_cast<size_t>(i)].m_strObjectName);

    // At most one candidate per object can clash, so this ends.
    for (int n = 1;; ++n)
    {
        CString candidate = name + "(" + IntToStr(n) + ")";
        if (taken.count(candidate) == 0)
            return candidate;
    }
}

CString UniqueTextName(const TextRows& texts, const CString& name)
{
    std::unordered_set<CString> taken;
    for (const TextEntry& text : texts)
        taken.insert(text.m_strName);

    for (int n = 1;; ++n)
    {
        CString candidate = name + " " + IntToStr(n);
        if (taken.count(candidate) == 0)
            return candidate;
    }
}

int ReadLength(const CString& text)
{
    // Rounded, not truncated: 0.7 is a little less than 0.700 in binary, and a
    // truncated reading would lose a thousandth at every rewrite of the row.
    const double thousandths = std::round(StrToDouble(text) * 1000.0);
    if (thousandths >= static_cast<double>(std::numeric_limits<int>::max()))
        return std::numeric_limits<int>::max();
    if (thousandths <= static_cast<double>(std::numeric_limits<int>::min()))
        return std::numeric_limits<int>::min();
    return static_cast<int>(std::trunc(thousandths));
}

CString SurfaceLengthText(int thousandths)
{
    CString text;
    text.Format("%.3f", thousandths * 0.001);
    return text;
}

CString ObjectLengthText(int thousandths)
{
    CString text;
    text.Format("%.3f ''", thousandths * 0.001);
    return text;
}
}  // namespace LabelRows
