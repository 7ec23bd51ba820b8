#include "document/OlderFileConversion.h"

#include "framework/Conversions.h"

#include <set>

namespace {

constexpr int kImageRowCount = 11;
// The "View" row of an object lies this many records before its "Angle" row.
constexpr int kAngleToViewRows = 9;

bool IsOneOf(const CString& text, std::initializer_list<const char*> words)
{
    for (const char* word : words) {
        if (text == word)
            return true;
    }
    return false;
}

// Objects whose rows-after counts no longer match their rows: the counts are
// made again from the run of rows each object has.
void RecountRowsAfter(std::vector<PropertyEntry>& rows, const std::set<CString>& objects)
{
    const size_t count = rows.size();
    for (size_t first = 0; first < count;) {
        size_t end = first + 1;
        while (end < count && rows[end].m_strObjectName == rows[first].m_strObjectName &&
               rows[end].m_strKey != "Item Type")
            ++end;
        if (rows[first].m_strKey == "Item Type" && objects.count(rows[first].m_strObjectName) != 0) {
            for (size_t i = first; i < end; ++i)
                rows[i].m_nRowsAfter = static_cast<int>(end - i - 1);
        }
        first = end;
    }
}

}  // namespace

ConvertedRows ConvertOlderFileRows(const std::vector<PropertyEntry>& fileRows, int version, int& stackingCounter)
{
    ConvertedRows result;
    result.rows.reserve(fileRows.size());
    CString background;               // an image object noted as its surface's background
    std::set<CString> grownObjects;   // image objects that gained rows

    for (size_t index = 0; index < fileRows.size(); ++index) {
        PropertyEntry row = fileRows[index];
        const CString& key = row.m_strKey;

        if (version < 3 && key == "MultiLine")
            row.m_bShown = 1;

        if (version < 3 && key == "Angle" && index >= kAngleToViewRows &&
            !IsOneOf(fileRows[index - kAngleToViewRows].m_strValue, {"Disc 1", "Disc 2"})) {
            row.m_strChoices = "0 degrees|90 degrees|180 degrees|270 degrees|";
            row.m_bShown = 1;
            if (row.m_strValue == "180 degrees")
                row.m_strValue = "270 degrees";
        }

        if (version < 4 && key == "Wrap Tracks" && row.m_bShown == 0) {
            row.m_strValue = "No";
            row.m_bShown = 1;
        }

        if (version < 5 && IsOneOf(key, {"Left", "Top", "Width", "Height"}) && !row.m_strObjectName.IsEmpty() &&
            CString("ATYGI").Find(row.m_strObjectName[0]) >= 0)
            row.m_bShown = 0;

        if (version < 5 && key == "Item Type" && row.m_strValue == "Image") {
            if (row.m_strChoices != "Background")
                row.m_strChoices = IntToStr(++stackingCounter);
            else
                background = row.m_strObjectName;
        }

        if (version < 5 && key == "Aspect Ratio") {
            // One row of the old image becomes its last three rows.
            row.m_strKey = "Lock Aspect Ratio";
            row.m_strChoices = "Yes|No|";
            row.m_bShown = 1;
            row.m_strValue = row.m_strValue == "Locked" ? "Yes" : "No";
            result.rows.push_back(row);

            PropertyEntry setAsBackground = row;
            setAsBackground.m_strKey = "Set as Background";
            setAsBackground.m_strValue = "No";
            if (!background.IsEmpty() && background == row.m_strObjectName) {
                setAsBackground.m_strValue = "Disabled On";
                background.Empty();
            }
            setAsBackground.m_bShown = 1;
            setAsBackground.m_nRowsAfter = kImageRowCount - 10;
            result.rows.push_back(setAsBackground);

            row.m_strKey = "Bring to Front";
            row.m_strValue = "No";
            row.m_bShown = 1;
            row.m_nRowsAfter = kImageRowCount - 11;
            grownObjects.insert(row.m_strObjectName);
        }

        if (version < 6 && IsOneOf(row.m_strKey, {"Left", "Top", "Inner Diameter", "Outer Diameter", "Orientation",
                                                  "Folded Cover"}))
            row.m_bShown = 0;

        if (version < 6)
            result.converted = true;

        result.rows.push_back(row);
    }

    // Old image objects counted fewer rows than they have now.
    if (!grownObjects.empty())
        RecountRowsAfter(result.rows, grownObjects);
    return result;
}
