#include "framework/RecentFileList.h"

#include "framework/CmdUI.h"
#include "framework/WinApp.h"
#include "framework/WindowTexts.h"

#include <algorithm>

CRecentFileList::CRecentFileList(UINT firstCommandId, LPCSTR section, LPCSTR entryFormat, int maxEntries,
                                 int maxDisplayLength)
    : m_firstCommandId(firstCommandId),
      m_section(section),
      m_entryFormat(entryFormat),
      m_maxEntries(std::max(0, maxEntries)),
      m_maxDisplayLength(std::max(8, maxDisplayLength))
{
}

const CString& CRecentFileList::operator[](int index) const
{
    static const CString empty;
    if (index < 0 || index >= GetCount())
        return empty;
    return m_paths[static_cast<size_t>(index)];
}

void CRecentFileList::Add(LPCSTR path)
{
    if (!path || !*path || m_maxEntries == 0)
        return;
    char fullPath[MAX_PATH * 2] = {};
    const DWORD length = ::GetFullPathNameA(path, sizeof(fullPath), fullPath, nullptr);
    const CString entry = (length == 0 || length >= sizeof(fullPath)) ? CString(path) : CString(fullPath);
    Remove(entry);
    m_paths.insert(m_paths.begin(), entry);
    if (GetCount() > m_maxEntries)
        m_paths.resize(static_cast<size_t>(m_maxEntries));
}

void CRecentFileList::Remove(int index)
{
    if (index >= 0 && index < GetCount())
        m_paths.erase(m_paths.begin() + index);
}

void CRecentFileList::Remove(LPCSTR path)
{
    if (!path)
        return;
    const CString wanted = path;  // path may point into the list itself
    m_paths.erase(std::remove_if(m_paths.begin(), m_paths.end(),
                                 [&](const CString& entry) { return entry.CompareNoCase(wanted) == 0; }),
                  m_paths.end());
}

void CRecentFileList::ReadList(const CWinApp& app)
{
    m_paths.clear();
    for (int number = 1; number <= m_maxEntries; ++number) {
        CString entry;
        entry.Format(m_entryFormat, number);
        const CString path = app.GetProfileString(m_section, entry, "");
        if (!path.IsEmpty())
            m_paths.push_back(path);
    }
}

void CRecentFileList::WriteList(CWinApp& app) const
{
    app.WriteProfileString(m_section, nullptr, nullptr);
    for (int index = 0; index < GetCount(); ++index) {
        CString entry;
        entry.Format(m_entryFormat, index + 1);
        app.WriteProfileString(m_section, entry, m_paths[static_cast<size_t>(index)]);
    }
}

CString CRecentFileList::DisplayName(const CString& path) const
{
    if (path.GetLength() <= m_maxDisplayLength)
        return path;
    // Keep the root ("C:\" or "\\server\share\") and as many trailing
    // folders as fit, the file name always.
    int rootEnd = 0;
    if (path.Left(2) == "\\\\") {
        const int server = path.Find('\\', 2);
        const int share = server < 0 ? -1 : path.Find('\\', server + 1);
        rootEnd = share < 0 ? 0 : share + 1;
    } else {
        rootEnd = path.Find('\\') + 1;
    }
    const CString root = path.Left(rootEnd);
    CString rest = path.Mid(rootEnd);
    while (root.GetLength() + 4 + rest.GetLength() > m_maxDisplayLength) {
        const int slash = rest.Find('\\');
        if (slash < 0)
            break;
        rest = rest.Mid(slash + 1);
    }
    return root + "...\\" + rest;
}

CString CRecentFileList::GetMenuText(int index) const
{
    CString name = DisplayName((*this)[index]);
    name.Replace("&", "&&");
    CString text;
    if (index < 9)
        text.Format("&%d %s", index + 1, name.c_str());
    else
        text.Format("%d %s", index + 1, name.c_str());
    return text;
}

void CRecentFileList::UpdateMenu(CCmdUI* ui)
{
    HMENU menu = ui->m_hMenu;
    if (!menu || ui->m_hSubMenu) {
        ui->Enable(!m_paths.empty());
        return;
    }
    if (m_placeholderText.IsEmpty())
        m_placeholderText = MenuItemTextOf(menu, ui->m_nIndex, MF_BYPOSITION);
    // Entries after the first from an earlier opening of the menu.
    for (int offset = 1; offset < m_maxEntries; ++offset)
        ::DeleteMenu(menu, m_firstCommandId + static_cast<UINT>(offset), MF_BYCOMMAND);

    if (m_paths.empty()) {
        ui->SetText(m_placeholderText);
        ui->Enable(false);
        return;
    }
    ui->SetText(GetMenuText(0));
    ui->Enable(true);
    for (int index = 1; index < GetCount(); ++index) {
        ::InsertMenuA(menu, ui->m_nIndex + static_cast<UINT>(index), MF_BYPOSITION | MF_STRING,
                      m_firstCommandId + static_cast<UINT>(index), GetMenuText(index));
    }
    // The pass over the menu goes on after the entries inserted here.
    ui->m_nIndex += static_cast<UINT>(GetCount() - 1);
    ui->m_nIndexMax = static_cast<UINT>(::GetMenuItemCount(menu));
}
