#pragma once

#include "framework/RegistryKey.h"

#include <windows.h>

// The registry key that holds the program's own settings: HKEY_LOCAL_MACHINE
// "SOFTWARE\Sleevory". Tests move it to a scratch key of their own so that they
// never touch the program's real settings.
HKEY SettingsKeyRoot();
const char* SettingsKeyPath();

// Points every settings reader and writer at another key; an empty path goes
// back to the program's own key.
void SetSettingsKeyLocation(HKEY root, const char* path);

// Opens the settings key for setting values only; it is not created.
bool OpenSettingsKeyForWriting(CRegistryKey& key);
// Opens the settings key with full access, creating it when it is missing.
bool CreateSettingsKey(CRegistryKey& key);

// Writes one setting under the settings key: kind "String" stores the text,
// kind "Number" the decimal number at its start as a 32-bit value. True only
// when the value was written; the key is never created here, and another kind
// writes nothing.
bool StoreSettingValue(const CString& kind, const CString& name, const CString& value);
