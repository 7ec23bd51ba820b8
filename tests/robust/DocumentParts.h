#pragma once
// A document file taken apart into the program's own records (property rows,
// text records, layout values) and the raw image blocks after them, changed
// by a test and put together again: documents the program never wrote itself,
// but in the form its reader takes.
#include "document/LayoutVariables.h"
#include "document/PropertyRecord.h"
#include "document/TextRecord.h"
#include "framework/Archive.h"
#include "framework/Collections.h"
#include "framework/File.h"

#include <windows.h>

#include <memory>
#include <string>
#include <vector>

struct DocumentParts
{
    CObjectArray<CProperty> properties;
    CObjectArray<CText> texts;
    CVariables variables;
    std::vector<BYTE> imageBlocks;  // the bytes after the layout values, as they were

    // False when the file can't be read as a document of the current version.
    bool Read(const std::string& path)
    {
        try {
            CFile file(path.c_str(), CFile::modeRead);
            CArchive ar(&file, CArchive::load);
            properties.Serialize(ar);
            texts.Serialize(ar);
            variables.m_nFileVersion = CText::kCurrentVersion;
            variables.Serialize(ar);
            imageBlocks.resize(static_cast<size_t>(ar.GetBytesRemaining()));
            if (!imageBlocks.empty())
                ar.ReadAll(imageBlocks.data(), static_cast<UINT>(imageBlocks.size()));
            ar.Close();
            return true;
        } catch (const std::exception&) {
            return false;
        }
    }

    bool Write(const std::string& path)
    {
        try {
            CFile file(path.c_str(), CFile::modeCreate | CFile::modeWrite);
            CArchive ar(&file, CArchive::store);
            properties.Serialize(ar);
            texts.Serialize(ar);
            variables.Serialize(ar);
            if (!imageBlocks.empty())
                ar.Write(imageBlocks.data(), static_cast<UINT>(imageBlocks.size()));
            ar.Close();
            return true;
        } catch (const std::exception&) {
            return false;
        }
    }

    // The index of a row; -1 when the object has no such key.
    int RowOf(const char* object, const char* key) const
    {
        for (INT_PTR i = 0; i < properties.GetSize(); ++i)
            if (properties[i]->m_strObjectName == object && properties[i]->m_strKey == key)
                return static_cast<int>(i);
        return -1;
    }
    CProperty* Row(const char* object, const char* key) const
    {
        const int row = RowOf(object, key);
        return row < 0 ? nullptr : properties[row];
    }
    // The first row of each object, in order.
    std::vector<int> FirstRows() const
    {
        std::vector<int> first;
        for (INT_PTR i = 0; i < properties.GetSize(); ++i)
            if (properties[i]->m_strKey == "Item Type")
                first.push_back(static_cast<int>(i));
        return first;
    }
    // Every row of the object, in order.
    std::vector<int> RowsOf(const CString& object) const
    {
        std::vector<int> rows;
        for (INT_PTR i = 0; i < properties.GetSize(); ++i)
            if (properties[i]->m_strObjectName == object)
                rows.push_back(static_cast<int>(i));
        return rows;
    }
    // A copy of the object's rows under another name, appended at the end.
    void CopyObject(const CString& object, const CString& newName)
    {
        for (const int row : RowsOf(object)) {
            const CProperty& from = *properties[row];
            properties.Add(std::make_unique<CProperty>(newName, from.m_strKey, from.m_strValue, from.m_nShown,
                                                       from.m_strEditorKind, from.m_strChoices, from.m_nRowsAfter));
        }
    }
};
