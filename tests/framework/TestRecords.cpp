#include "TestRecords.h"

int LiveRecords::count = 0;

IMPLEMENT_SERIAL(CTestRecord, CObject, VERSIONABLE_SCHEMA | 6)
IMPLEMENT_SERIAL(CTestDerived, CTestRecord, VERSIONABLE_SCHEMA | 6)
IMPLEMENT_SERIAL(CTestVersioned, CObject, VERSIONABLE_SCHEMA | 4)
IMPLEMENT_SERIAL(CTestFixedSchema, CObject, 2)
IMPLEMENT_SERIAL(CTestNode, CObject, 1)
IMPLEMENT_DYNCREATE(CTestCreatable, CObject)
IMPLEMENT_DYNAMIC(CTestDynamic, CObject)

void CTestRecord::Serialize(CArchive& ar)
{
    if (ar.IsStoring())
        ar << m_number << m_text;
    else
        ar >> m_number >> m_text;
}

void CTestDerived::Serialize(CArchive& ar)
{
    CTestRecord::Serialize(ar);
    if (ar.IsStoring())
        ar << m_flag;
    else
        ar >> m_flag;
}

void CTestVersioned::Serialize(CArchive& ar)
{
    if (ar.IsStoring()) {
        ar << m_child.get();
        return;
    }
    m_schemaSeen = ar.GetObjectSchema();
    m_child = ar.ReadNewObject(nullptr);
    m_schemaAfterChild = ar.GetObjectSchema();
}

void CTestFixedSchema::Serialize(CArchive& ar)
{
    if (ar.IsStoring())
        ar << m_value;
    else
        ar >> m_value;
}

void CTestNode::Serialize(CArchive& ar)
{
    if (ar.IsStoring())
        ar << m_next;
    else
        ar >> m_next;
}
