#pragma once

#include "framework/String.h"

#include <windows.h>

#include <vector>

// One property of one object of the label. An object is a run of consecutive
// rows with the same object name; its first row has the key "Item Type".
struct PropertyEntry
{
    CString m_strObjectName;
    CString m_strKey;
    CString m_strValue;
    BYTE m_bShown = 0;  // listed in the Properties pane
    CString m_strEditorKind;  // "EDIT", "COMBO", "COLOR", "FONT" or ""
    CString m_strChoices;
    int m_nRowsAfter = 0;  // rows of the same object after this one
};

// The text of Text and Track objects; objects reach it by their name up to the first "(".
struct TextEntry
{
    CString m_strName;
    CString m_strItemType;  // "Text" or "Track"
    CString m_strValue;
    int m_nOrigin = 0;  // 2: album text of a new layout, 1: free text
};

using PropertyRows = std::vector<PropertyEntry>;
using TextRows = std::vector<TextEntry>;

// The pure row algorithms of the label model. The view keeps the rows and runs
// these over them; they never read or write outside the rows, whatever counts a
// damaged document put in them.
namespace LabelRows
{
// The first row of the object after the one that holds row `index`; the row
// count when there is none. A rows-after count that is negative or points past
// the end ends the walk instead of stepping backwards or out of the rows.
int NextObjectRow(const PropertyRows& rows, int index);

// Index of the row one past the last row of the object whose first row is
// `first`, never beyond the rows.
int EndOfObject(const PropertyRows& rows, int first);

// The first row of the named object, found by walking first rows only; -1 when
// there is no such object.
int FindObjectRow(const PropertyRows& rows, const CString& objectName);

// The row with that key inside the named object; -1 when either is missing.
int FindPropertyRow(const PropertyRows& rows, const CString& objectName, const CString& key);

// The value of one property; false (and the value untouched) when it is missing.
bool ReadPropertyValue(const PropertyRows& rows, const CString& objectName, const CString& key,
                       CString& value);

// Replaces the value of one property in place; false when it is missing.
bool ReplacePropertyValue(PropertyRows& rows, const CString& objectName, const CString& key,
                          const CString& value);

// Removes the whole run of the named object; the number of rows removed.
int EraseObjectRows(PropertyRows& rows, const CString& objectName);

// The text row of that name; -1 when there is none.
int FindTextRow(const TextRows& texts, const CString& textName);

// The name of the text row an object shows: its name up to the first "(".
CString TextNameOfObject(const CString& objectName);

// name + "(n)" with the smallest n from 1 that no object carries yet.
CString UniqueObjectName(const PropertyRows& rows, const CString& name);

// name + " n" with the smallest n from 1 that no text row carries yet.
CString UniqueTextName(const TextRows& texts, const CString& name);

// The slot an "Image Number" row names: decimal digits only; -1 for anything else.
int ReadImageNumber(const CString& text);

// A length as stored in a property ("1.250" or "1.250 ''") in thousandths of an
// inch, to the nearest thousandth: every length written with three decimals
// reads back as written ("0.700" is 700), so that moving an object back and
// forth leaves it where it was.
int ReadLength(const CString& text);

// A length in thousandths of an inch as a surface or page row stores it ("%.3f"),
// and as an object or boundary row stores it ("%.3f ''").
CString SurfaceLengthText(int thousandths);
CString ObjectLengthText(int thousandths);
}  // namespace LabelRows
