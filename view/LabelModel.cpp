#include "view/Quorbel6View.h"

#include "framework/ErrorReport.h"

void CQuorbel6View::AddObjectRecord(const PropertyEntry& row)
{
    Guarded(3, ErrorSink::Window(this), [&] { m_propertyRows.push_back(row); });
}

void CQuorbel6View::MakeUniqueObjectName(CString& name)
{
    Guarded(37, ErrorSink::Window(this), [&] { name = LabelRows::UniqueObjectName(m_propertyRows, name); });
}

void CQuorbel6View::MakeUniqueTextName(CString& name)
{
    Guarded(137, ErrorSink::Window(this), [&] { name = LabelRows::UniqueTextName(m_textRows, name); });
}

int CQuorbel6View::FindObjectRow(const CString& objectName) const
{
    return LabelRows::FindObjectRow(m_propertyRows, objectName);
}

int CQuorbel6View::NextObjectRow(int index) const
{
    return LabelRows::NextObjectRow(m_propertyRows, index);
}

int CQuorbel6View::FindPropertyRow(const CString& objectName, const CString& key) const
{
    return LabelRows::FindPropertyRow(m_propertyRows, objectName, key);
}

CString CQuorbel6View::GetPropertyValue(const CString& objectName, const CString& key) const
{
    CString value;
    LabelRows::ReadPropertyValue(m_propertyRows, objectName, key, value);
    return value;
}

bool CQuorbel6View::ReplacePropertyValue(const CString& objectName, const CString& key, const CString& value)
{
    return LabelRows::ReplacePropertyValue(m_propertyRows, objectName, key, value);
}

int CQuorbel6View::EraseObjectRows(const CString& objectName)
{
    return LabelRows::EraseObjectRows(m_propertyRows, objectName);
}

int CQuorbel6View::FindTextRow(const CString& textName) const
{
    return LabelRows::FindTextRow(m_textRows, textName);
}

TextEntry* CQuorbel6View::FindTextOfObject(const CString& objectName)
{
    const int index = LabelRows::FindTextRow(m_textRows, LabelRows::TextNameOfObject(objectName));
    return index < 0 ? nullptr : &m_textRows[static_cast<size_t>(index)];
}
