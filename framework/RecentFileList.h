#pragma once
// The recent-file list: the last files opened or saved, newest first, kept in
// the application's profile and shown in the File menu in place of the item
// with the list's first command id.

#include "framework/String.h"

#include <windows.h>

#include <vector>

class CCmdUI;
class CWinApp;

class CRecentFileList {
public:
    // entryFormat: the profile entry of one file, with %d for its number from 1
    // ("File%d"). maxDisplayLength: longer paths are shortened in the menu.
    CRecentFileList(UINT firstCommandId, LPCSTR section, LPCSTR entryFormat, int maxEntries,
                    int maxDisplayLength = 40);

    int GetMaxSize() const { return m_maxEntries; }
    int GetCount() const { return static_cast<int>(m_paths.size()); }
    // Out of range gives an empty string.
    const CString& operator[](int index) const;

    // Puts the file first (its full path; a path already listed, in any
    // letter case, moves instead of appearing twice); the oldest drops out.
    void Add(LPCSTR path);
    void Remove(int index);
    void Remove(LPCSTR path);

    void ReadList(const CWinApp& app);
    // Replaces the profile section with the current list.
    void WriteList(CWinApp& app) const;

    // "&1 C:\...\name.slv": the menu text of one entry ('&' in paths doubled).
    CString GetMenuText(int index) const;

    // Update handler of the first list item: shows the list in the menu after
    // the item (or disables the item with its own text when the list is empty).
    void UpdateMenu(CCmdUI* ui);

private:
    CString DisplayName(const CString& path) const;

    UINT m_firstCommandId;
    CString m_section;
    CString m_entryFormat;
    int m_maxEntries;
    int m_maxDisplayLength;
    std::vector<CString> m_paths;
    CString m_placeholderText;  // the menu item's own text, shown while the list is empty
};
