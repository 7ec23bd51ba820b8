#pragma once

#include "framework/Object.h"
#include "framework/String.h"

class CArchive;

// The text of one Text or Track object in its file form. The schema of its
// class record is the version of the whole document file.
class CText : public CObject
{
    DECLARE_SERIAL(CText)

public:
    static constexpr int kCurrentVersion = 6;

    CText() = default;
    CText(int origin, const CString& name, const CString& itemType, const CString& value);

    // Stored as: origin, name, item type, value. Reading notes the schema the
    // file gave the class in m_nFileVersion; a text longer than RecordLimits
    // allow fails the read.
    void Serialize(CArchive& ar) override;

    CString m_strName;
    CString m_strItemType;  // "Text" or "Track"
    CString m_strValue;
    int m_nOrigin = 0;       // 2: album text of a new layout, 1: free text
    int m_nFileVersion = -1;  // the schema this record was read with; -1 when made here
};
