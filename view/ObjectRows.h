#pragma once

#include "framework/String.h"
#include "view/Quorbel6View.h"

#include <windows.h>

// Appends the rows of one object to the view's property rows, each with the
// number of rows still to come after it.
class ObjectRows
{
public:
    ObjectRows(CQuorbel6View& view, const CString& name, int rowCount) : m_view(view), m_name(name), m_left(rowCount) {}

    void Add(const char* key, const char* kind, const CString& value, const CString& choices, BYTE shown)
    {
        PropertyEntry row;
        row.m_strObjectName = m_name;
        row.m_strKey = key;
        row.m_strValue = value;
        row.m_bShown = shown;
        row.m_strEditorKind = kind;
        row.m_strChoices = choices;
        row.m_nRowsAfter = --m_left;
        m_view.AddObjectRecord(row);
    }

private:
    CQuorbel6View& m_view;
    CString m_name;
    int m_left;
};
