#pragma once

#include "framework/RegistryKey.h"
#include "framework/String.h"

#include <windows.h>

// The registry key that holds the application's own settings: HKEY_LOCAL_MACHINE
// "SOFTWARE\Sleevory", shared by every user of the machine. A user who may not
// write there (no administrator) keeps the settings under the same path in
// HKEY_CURRENT_USER instead; reading takes the user's value first and the
// machine's where the user has none. Tests move both to scratch keys of their
// own so that they never touch the program's real settings.
HKEY SettingsKeyRoot();
HKEY SettingsUserKeyRoot();
const char* SettingsKeyPath();

// Points every settings reader and writer at another key: `path` under `root`
// for the machine's settings and under `userRoot` for the user's. An empty
// path goes back to the program's own keys.
void SetSettingsKeyLocation(HKEY root, const char* path, HKEY userRoot = HKEY_CURRENT_USER);

// Opens the settings key for setting values only: the machine's, else the
// user's. Neither is created.
bool OpenSettingsKeyForWriting(CRegistryKey& key);
// Opens the settings key with full access, creating it when it is missing:
// the machine's, else (its creation refused) the user's.
bool CreateSettingsKey(CRegistryKey& key);

// The settings as they are read: each value from the user's key when it is
// there, else from the machine's. Both are opened for reading only.
class CSettingsReader
{
public:
    CSettingsReader();

    bool ReadString(const char* name, CString& value) const;
    bool ReadNumber(const char* name, DWORD& value) const;
    bool ValueExists(const char* name) const;
    void Close();

private:
    CRegistryKey m_user;
    CRegistryKey m_machine;
};

// Writes one setting under the settings key: kind "String" stores the text,
// kind "Number" the decimal number at its start as a 32-bit value. True only
// when the value was written; the key is never created here, and another kind
// writes nothing.
bool StoreSettingValue(const CString& kind, const CString& name, const CString& value);
