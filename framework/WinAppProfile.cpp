// CWinApp: the application's profile under
// HKEY_CURRENT_USER\Software\<registry key>\<application name>, one subkey per
// section, and the recent-file list kept in it.
#include "framework/WinApp.h"

#include "framework/CommandIds.h"
#include "framework/RecentFileList.h"
#include "framework/RegistryKey.h"

#include <algorithm>

namespace {

constexpr char kRecentFileSection[] = "Recent File List";
constexpr char kRecentFileEntry[] = "File%d";

CString SectionPath(const CString& profilePath, LPCSTR section)
{
    return profilePath + "\\" + section;
}

}  // namespace

void CWinApp::SetRegistryKey(LPCSTR key)
{
    m_strRegistryKey = key;
}

CString CWinApp::GetProfileKeyPath() const
{
    if (m_strRegistryKey.IsEmpty() || m_strAppName.IsEmpty())
        return CString();
    return "Software\\" + m_strRegistryKey + "\\" + m_strAppName;
}

CString CWinApp::GetProfileString(LPCSTR section, LPCSTR entry, LPCSTR defaultValue) const
{
    const CString fallback = defaultValue ? defaultValue : "";
    const CString profile = GetProfileKeyPath();
    CRegistryKey key;
    if (profile.IsEmpty() || !section || !entry || !key.Open(HKEY_CURRENT_USER, SectionPath(profile, section), KEY_READ))
        return fallback;
    // The stored size may or may not count a terminator; the value stops at the first one.
    CString value;
    return key.ReadString(entry, value) ? value : fallback;
}

BOOL CWinApp::WriteProfileString(LPCSTR section, LPCSTR entry, LPCSTR value)
{
    const CString profile = GetProfileKeyPath();
    if (profile.IsEmpty() || !section)
        return FALSE;
    if (!entry) {
        // The whole section goes; a missing one is not a failure.
        const LSTATUS status = ::RegDeleteTreeA(HKEY_CURRENT_USER, SectionPath(profile, section));
        return status == ERROR_SUCCESS || status == ERROR_FILE_NOT_FOUND;
    }
    CRegistryKey key;
    if (!value) {
        if (!key.Open(HKEY_CURRENT_USER, SectionPath(profile, section), KEY_WRITE))
            return TRUE;
        return key.DeleteValue(entry);
    }
    return key.Create(HKEY_CURRENT_USER, SectionPath(profile, section), KEY_READ | KEY_WRITE) &&
           key.WriteString(entry, value);
}

UINT CWinApp::GetProfileInt(LPCSTR section, LPCSTR entry, int defaultValue) const
{
    const CString profile = GetProfileKeyPath();
    CRegistryKey key;
    DWORD value = 0;
    if (profile.IsEmpty() || !section || !entry || !key.Open(HKEY_CURRENT_USER, SectionPath(profile, section), KEY_READ) ||
        !key.ReadNumber(entry, value))
        return static_cast<UINT>(defaultValue);
    return value;
}

BOOL CWinApp::WriteProfileInt(LPCSTR section, LPCSTR entry, int value)
{
    const CString profile = GetProfileKeyPath();
    CRegistryKey key;
    return !profile.IsEmpty() && section && entry &&
           key.Create(HKEY_CURRENT_USER, SectionPath(profile, section), KEY_READ | KEY_WRITE) &&
           key.WriteNumber(entry, static_cast<DWORD>(value));
}

BOOL CWinApp::GetProfileBinary(LPCSTR section, LPCSTR entry, std::vector<BYTE>& data) const
{
    data.clear();
    const CString profile = GetProfileKeyPath();
    CRegistryKey key;
    return !profile.IsEmpty() && section && entry &&
           key.Open(HKEY_CURRENT_USER, SectionPath(profile, section), KEY_READ) && key.ReadBinary(entry, data);
}

BOOL CWinApp::WriteProfileBinary(LPCSTR section, LPCSTR entry, const void* data, UINT size)
{
    const CString profile = GetProfileKeyPath();
    CRegistryKey key;
    return !profile.IsEmpty() && section && entry && (data || !size) &&
           key.Create(HKEY_CURRENT_USER, SectionPath(profile, section), KEY_READ | KEY_WRITE) &&
           key.WriteBinary(entry, data, size);
}

void CWinApp::LoadStdProfileSettings(UINT maxRecentFiles)
{
    const int entries = static_cast<int>(std::min<UINT>(maxRecentFiles, FWID_FILE_MRU_LAST - FWID_FILE_MRU_FIRST + 1));
    if (entries <= 0) {
        m_recentFiles.reset();
        return;
    }
    m_recentFiles = std::make_unique<CRecentFileList>(FWID_FILE_MRU_FIRST, kRecentFileSection, kRecentFileEntry,
                                                      entries);
    m_recentFiles->ReadList(*this);
}

void CWinApp::SaveStdProfileSettings()
{
    if (m_recentFiles)
        m_recentFiles->WriteList(*this);
}
