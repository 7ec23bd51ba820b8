#pragma once

#include "framework/Object.h"
#include "framework/String.h"

class CArchive;

// One property row of one object in its file form. The undo history and the
// program's own clipboard keep rows as these records too.
class CProperty : public CObject
{
    DECLARE_SERIAL(CProperty)

public:
    CProperty() = default;
    CProperty(const CString& objectName, const CString& key, const CString& value, int shown,
              const CString& editorKind, const CString& choices, int rowsAfter);

    // Stored as: key, choices, editor kind, value, rows after, object name, shown.
    // A failure of the archive reaches the caller, which decides what a damaged
    // file means; so does a text longer than RecordLimits allow.
    void Serialize(CArchive& ar) override;

    CString m_strObjectName;
    CString m_strKey;
    CString m_strValue;
    int m_nShown = 0;  // 1: listed in the Properties pane
    CString m_strEditorKind;
    CString m_strChoices;
    int m_nRowsAfter = 0;

private:
    void ReadBounded(CArchive& ar);
};
