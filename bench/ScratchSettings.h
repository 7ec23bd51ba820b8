#pragma once
// A benchmark must never read or write the program's real settings or files:
// this moves the settings key to a scratch key under HKEY_CURRENT_USER and the
// program folder to an empty scratch folder, and removes both afterwards.

#include "framework/ProgramFolder.h"
#include "framework/RegistryKey.h"
#include "framework/SettingsKey.h"

#include <windows.h>

#include <string>

class ScratchSettings
{
public:
    explicit ScratchSettings(const char* name)
    {
        const std::string suffix = std::string(name) + "_" + std::to_string(::GetCurrentProcessId());
        m_keyPath = "Software\\SleevoryBench\\" + suffix;
        ::RegDeleteTreeA(HKEY_CURRENT_USER, m_keyPath.c_str());
        SetSettingsKeyLocation(HKEY_CURRENT_USER, m_keyPath.c_str());
        // The key exists, as it does after the program's first run.
        CRegistryKey key;
        CreateSettingsKey(key);

        char temp[MAX_PATH] = {};
        ::GetTempPathA(MAX_PATH, temp);
        m_folder = std::string(temp) + "SleevoryBench_" + suffix + "\\";
        ::CreateDirectoryA(m_folder.c_str(), nullptr);
        SetProgramFolder(m_folder.c_str());
    }

    ~ScratchSettings()
    {
        SetSettingsKeyLocation(nullptr, "");
        SetProgramFolder("");
        ::RegDeleteTreeA(HKEY_CURRENT_USER, m_keyPath.c_str());
        ::RegDeleteKeyA(HKEY_CURRENT_USER, "Software\\SleevoryBench");  // only when empty
        ::RemoveDirectoryA(m_folder.c_str());                           // only when empty
    }

    ScratchSettings(const ScratchSettings&) = delete;
    ScratchSettings& operator=(const ScratchSettings&) = delete;

private:
    std::string m_keyPath;
    std::string m_folder;
};
