#pragma once

#include "framework/String.h"
#include "label/LabelModel.h"

#include <windows.h>

// Appends the rows of one object to the label's property rows, each with the
// number of rows still to come after it.
class ObjectRows
{
public:
    ObjectRows(CLabelModel& model, const CString& name, int rowCount) : m_model(model), m_name(name), m_left(rowCount) {}

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
        m_model.AppendRow(row);
    }

private:
    CLabelModel& m_model;
    CString m_name;
    int m_left;
};
