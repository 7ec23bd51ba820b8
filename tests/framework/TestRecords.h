#pragma once
// Small serialisable classes the framework tests write and read.

#include "framework/Archive.h"
#include "framework/Object.h"
#include "framework/String.h"

// Counts live instances of the test classes, so tests can show that a failed
// read frees everything it created.
struct LiveRecords {
    static int count;
};

class CTestRecord : public CObject {
    DECLARE_SERIAL(CTestRecord)
public:
    CTestRecord() { ++LiveRecords::count; }
    CTestRecord(int number, const CString& text) : m_number(number), m_text(text) { ++LiveRecords::count; }
    ~CTestRecord() override { --LiveRecords::count; }
    void Serialize(CArchive& ar) override;

    int m_number = 0;
    CString m_text;
};

// A second class, derived from the first, to see class tags of two classes.
class CTestDerived : public CTestRecord {
    DECLARE_SERIAL(CTestDerived)
public:
    CTestDerived() = default;
    explicit CTestDerived(BYTE flag) : m_flag(flag) {}
    void Serialize(CArchive& ar) override;

    BYTE m_flag = 0;
};

// Versionable with schema 4: notes the schema the archive reports while it reads.
class CTestVersioned : public CObject {
    DECLARE_SERIAL(CTestVersioned)
public:
    void Serialize(CArchive& ar) override;

    UINT m_schemaSeen = 0;
    UINT m_schemaAfterChild = 0;
    std::unique_ptr<CObject> m_child;
};

// Not versionable, schema 2: a different stored schema is refused.
class CTestFixedSchema : public CObject {
    DECLARE_SERIAL(CTestFixedSchema)
public:
    void Serialize(CArchive& ar) override;
    WORD m_value = 0;
};

// Refers to another object, possibly one written before or itself.
class CTestNode : public CObject {
    DECLARE_SERIAL(CTestNode)
public:
    CTestNode() { ++LiveRecords::count; }
    ~CTestNode() override { --LiveRecords::count; }
    void Serialize(CArchive& ar) override;

    CObject* m_next = nullptr;  // not owned
};

// Dynamically creatable but not serialisable.
class CTestCreatable : public CObject {
    DECLARE_DYNCREATE(CTestCreatable)
};

// Run-time class only.
class CTestDynamic : public CObject {
    DECLARE_DYNAMIC(CTestDynamic)
};
