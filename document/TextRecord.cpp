#include "document/TextRecord.h"

#include "document/RecordLimits.h"
#include "framework/Archive.h"

IMPLEMENT_SERIAL(CText, CObject, VERSIONABLE_SCHEMA | CText::kCurrentVersion)

CText::CText(int origin, const CString& name, const CString& itemType, const CString& value)
    : m_strName(name), m_strItemType(itemType), m_strValue(value), m_nOrigin(origin)
{
}

void CText::Serialize(CArchive& ar)
{
    if (ar.IsStoring()) {
        ar << m_nOrigin << m_strName << m_strItemType << m_strValue;
        return;
    }
    m_nFileVersion = static_cast<int>(ar.GetObjectSchema());
    ar >> m_nOrigin;
    ar.ReadBoundedString(m_strName, RecordLimits::kRowTextLength);
    ar.ReadBoundedString(m_strItemType, RecordLimits::kRowTextLength);
    ar.ReadBoundedString(m_strValue, RecordLimits::kTextValueLength);
}
