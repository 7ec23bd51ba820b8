#include "document/PropertyRecord.h"

#include "document/RecordLimits.h"
#include "framework/Archive.h"

IMPLEMENT_SERIAL(CProperty, CObject, VERSIONABLE_SCHEMA | 6)

CProperty::CProperty(const CString& objectName, const CString& key, const CString& value, int shown,
                     const CString& editorKind, const CString& choices, int rowsAfter)
    : m_strObjectName(objectName),
      m_strKey(key),
      m_strValue(value),
      m_nShown(shown),
      m_strEditorKind(editorKind),
      m_strChoices(choices),
      m_nRowsAfter(rowsAfter)
{
}

void CProperty::Serialize(CArchive& ar)
{
    if (ar.IsStoring())
        ar << m_strKey << m_strChoices << m_strEditorKind << m_strValue << m_nRowsAfter << m_strObjectName << m_nShown;
    else
        ReadBounded(ar);
}

void CProperty::ReadBounded(CArchive& ar)
{
    using namespace RecordLimits;
    ar.ReadBoundedString(m_strKey, kRowTextLength);
    ar.ReadBoundedString(m_strChoices, kRowTextLength);
    ar.ReadBoundedString(m_strEditorKind, kRowTextLength);
    ar.ReadBoundedString(m_strValue, m_strKey == "Vector Data" ? kLayoutCacheLength : kRowTextLength);
    ar >> m_nRowsAfter;
    ar.ReadBoundedString(m_strObjectName, kRowTextLength);
    ar >> m_nShown;
}
