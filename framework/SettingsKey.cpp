#include "framework/SettingsKey.h"

#include "framework/Conversions.h"

#include <string>

namespace
{
constexpr const char kProgramSettingsPath[] = "SOFTWARE\\Sleevory";

struct SettingsKeyLocation
{
    HKEY root = HKEY_LOCAL_MACHINE;
    std::string path = kProgramSettingsPath;
};

SettingsKeyLocation& Location()
{
    static SettingsKeyLocation location;
    return location;
}
}  // namespace

HKEY SettingsKeyRoot()
{
    return Location().root;
}

const char* SettingsKeyPath()
{
    return Location().path.c_str();
}

void SetSettingsKeyLocation(HKEY root, const char* path)
{
    if (path == nullptr || *path == '\0')
    {
        Location() = SettingsKeyLocation{};
        return;
    }
    Location().root = root;
    Location().path = path;
}

bool OpenSettingsKeyForWriting(CRegistryKey& key)
{
    return key.Open(SettingsKeyRoot(), SettingsKeyPath(), KEY_SET_VALUE);
}

bool CreateSettingsKey(CRegistryKey& key)
{
    return key.Create(SettingsKeyRoot(), SettingsKeyPath(), KEY_ALL_ACCESS);
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
