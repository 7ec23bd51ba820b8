#include "document/PropertyRecord.h"

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
        ar >> m_strKey >> m_strChoices >> m_strEditorKind >> m_strValue >> m_nRowsAfter >> m_strObjectName >> m_nShown;
}
