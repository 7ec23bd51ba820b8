#include "framework/SettingsKey.h"

#include "framework/Conversions.h"

#include <string>

namespace
{
constexpr const char kProgramSettingsPath[] = "SOFTWARE\\Sleevory";

struct SettingsKeyLocation
{
    HKEY root = HKEY_LOCAL_MACHINE;
    HKEY userRoot = HKEY_CURRENT_USER;
    std::string path = kProgramSettingsPath;
};

SettingsKeyLocation& Location()
{
    static SettingsKeyLocation location;
    return location;
}

// The user's key is the same key as the machine's when both roots are one.
bool UserKeyIsMachineKey()
{
    return SettingsUserKeyRoot() == SettingsKeyRoot();
}
}  // namespace

HKEY SettingsKeyRoot()
{
    return Location().root;
}

HKEY SettingsUserKeyRoot()
{
    return Location().userRoot;
}

const char* SettingsKeyPath()
{
    return Location().path.c_str();
}

void SetSettingsKeyLocation(HKEY root, const char* path, HKEY userRoot)
{
    if (path == nullptr || *path == '\0')
    {
        Location() = SettingsKeyLocation{};
        return;
    }
    Location().root = root;
    Location().userRoot = userRoot;
    Location().path = path;
}

bool OpenSettingsKeyForWriting(CRegistryKey& key)
{
    return key.Open(SettingsKeyRoot(), SettingsKeyPath(), KEY_SET_VALUE) ||
           key.Open(SettingsUserKeyRoot(), SettingsKeyPath(), KEY_SET_VALUE);
}

bool CreateSettingsKey(CRegistryKey& key)
{
    return key.Create(SettingsKeyRoot(), SettingsKeyPath(), KEY_ALL_ACCESS) ||
           key.Create(SettingsUserKeyRoot(), SettingsKeyPath(), KEY_ALL_ACCESS);
}

CSettingsReader::CSettingsReader()
{
    if (!UserKeyIsMachineKey())
        m_user.Open(SettingsUserKeyRoot(), SettingsKeyPath(), KEY_READ);
    m_machine.Open(SettingsKeyRoot(), SettingsKeyPath(), KEY_READ);
}

bool CSettingsReader::ReadString(const char* name, CString& value) const
{
    return m_user.ValueExists(name) ? m_user.ReadString(name, value) : m_machine.ReadString(name, value);
}

bool CSettingsReader::ReadNumber(const char* name, DWORD& value) const
{
    return m_user.ValueExists(name) ? m_user.ReadNumber(name, value) : m_machine.ReadNumber(name, value);
}

bool CSettingsReader::ValueExists(const char* name) const
{
    return m_user.ValueExists(name) || m_machine.ValueExists(name);
}

void CSettingsReader::Close()
{
    m_user.Close();
    m_machine.Close();
}

bool StoreSettingValue(const CString& kind, const CString& name, const CString& value)
{
    CRegistryKey key;
    if (!OpenSettingsKeyForWriting(key))
        return false;
    if (kind == "String")
        return key.WriteString(name, value);
    if (kind == "Number")
        return key.WriteNumber(name, static_cast<DWORD>(ParseLeadingInt(value)));
    return false;
}
