// CWinApp: the application's profile under
// HKEY_CURRENT_USER\Software\<registry key>\<application name>, one subkey per
// section, and the recent-file list kept in it.
#include "framework/WinApp.h"

#include "framework/CommandIds.h"
#include "framework/RecentFileList.h"

#include <algorithm>
#include <utility>

namespace {

constexpr char kRecentFileSection[] = "Recent File List";
constexpr char kRecentFileEntry[] = "File%d";

// One open key, closed when it goes.
class ProfileKey {
public:
    ProfileKey() = default;
    ~ProfileKey()
    {
        if (m_key)
            ::RegCloseKey(m_key);
    }
    ProfileKey(const ProfileKey&) = delete;
    ProfileKey& operator=(const ProfileKey&) = delete;

    bool Open(const CString& path, REGSAM access)
    {
        return ::RegOpenKeyExA(HKEY_CURRENT_USER, path, 0, access, &m_key) == ERROR_SUCCESS;
    }
    bool Create(const CString& path)
    {
        return ::RegCreateKeyExA(HKEY_CURRENT_USER, path, 0, nullptr, REG_OPTION_NON_VOLATILE,
                                 KEY_READ | KEY_WRITE, nullptr, &m_key, nullptr) == ERROR_SUCCESS;
    }
    HKEY Get() const { return m_key; }

private:
    HKEY m_key = nullptr;
};

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
    ProfileKey key;
    if (profile.IsEmpty() || !section || !entry || !key.Open(SectionPath(profile, section), KEY_READ))
        return fallback;
    DWORD type = 0;
    DWORD size = 0;
    if (::RegQueryValueExA(key.Get(), entry, nullptr, &type, nullptr, &size) != ERROR_SUCCESS ||
        (type != REG_SZ && type != REG_EXPAND_SZ))
        return fallback;
    CString value;
    char* buffer = value.GetBuffer(static_cast<int>(size));
    if (::RegQueryValueExA(key.Get(), entry, nullptr, &type, reinterpret_cast<BYTE*>(buffer), &size) !=
        ERROR_SUCCESS) {
        value.ReleaseBuffer(0);
        return fallback;
    }
    // The stored size may or may not count a terminator; stop at the first one.
    value.ReleaseBuffer(-1);
    return value;
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
    if (!value) {
        ProfileKey key;
        if (!key.Open(SectionPath(profile, section), KEY_WRITE))
            return TRUE;
        const LSTATUS status = ::RegDeleteValueA(key.Get(), entry);
        return status == ERROR_SUCCESS || status == ERROR_FILE_NOT_FOUND;
    }
    ProfileKey key;
    if (!key.Create(SectionPath(profile, section)))
        return FALSE;
    const DWORD size = static_cast<DWORD>(::lstrlenA(value) + 1);
    return ::RegSetValueExA(key.Get(), entry, 0, REG_SZ, reinterpret_cast<const BYTE*>(value), size) == ERROR_SUCCESS;
}

UINT CWinApp::GetProfileInt(LPCSTR section, LPCSTR entry, int defaultValue) const
{
    const CString profile = GetProfileKeyPath();
    ProfileKey key;
    if (profile.IsEmpty() || !section || !entry || !key.Open(SectionPath(profile, section), KEY_READ))
        return static_cast<UINT>(defaultValue);
    DWORD type = 0;
    DWORD value = 0;
    DWORD size = sizeof(value);
    if (::RegQueryValueExA(key.Get(), entry, nullptr, &type, reinterpret_cast<BYTE*>(&value), &size) !=
            ERROR_SUCCESS ||
        type != REG_DWORD || size != sizeof(value))
        return static_cast<UINT>(defaultValue);
    return value;
}

BOOL CWinApp::WriteProfileInt(LPCSTR section, LPCSTR entry, int value)
{
    const CString profile = GetProfileKeyPath();
    ProfileKey key;
    if (profile.IsEmpty() || !section || !entry || !key.Create(SectionPath(profile, section)))
        return FALSE;
    const auto stored = static_cast<DWORD>(value);
    return ::RegSetValueExA(key.Get(), entry, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&stored),
                            sizeof(stored)) == ERROR_SUCCESS;
}

BOOL CWinApp::GetProfileBinary(LPCSTR section, LPCSTR entry, std::vector<BYTE>& data) const
{
    data.clear();
    const CString profile = GetProfileKeyPath();
    ProfileKey key;
    if (profile.IsEmpty() || !section || !entry || !key.Open(SectionPath(profile, section), KEY_READ))
        return FALSE;
    DWORD type = 0;
    DWORD size = 0;
    if (::RegQueryValueExA(key.Get(), entry, nullptr, &type, nullptr, &size) != ERROR_SUCCESS || type != REG_BINARY)
        return FALSE;
    std::vector<BYTE> bytes(size);
    if (::RegQueryValueExA(key.Get(), entry, nullptr, &type, bytes.data(), &size) != ERROR_SUCCESS)
        return FALSE;
    bytes.resize(size);
    data = std::move(bytes);
    return TRUE;
}

BOOL CWinApp::WriteProfileBinary(LPCSTR section, LPCSTR entry, const void* data, UINT size)
{
    const CString profile = GetProfileKeyPath();
    ProfileKey key;
    if (profile.IsEmpty() || !section || !entry || (!data && size) || !key.Create(SectionPath(profile, section)))
        return FALSE;
    return ::RegSetValueExA(key.Get(), entry, 0, REG_BINARY, static_cast<const BYTE*>(data), size) == ERROR_SUCCESS;
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
