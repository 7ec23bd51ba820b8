#pragma once

#include "document/AppSettings.h"
#include "framework/ErrorReport.h"
#include "framework/ProgramFolder.h"
#include "framework/SettingsKey.h"
#include "view/Quorbel6View.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <optional>
#include <string>
#include <vector>

// A view without a window, with the settings key moved to a scratch key under
// HKEY_CURRENT_USER and the program folder moved to an empty scratch folder,
// both removed afterwards. Error reports are collected instead of shown.
class ViewWithScratchSettings : public ::testing::Test
{
protected:
    void SetUp() override
    {
        static int serial = 0;
        const std::string suffix = std::to_string(::GetCurrentProcessId()) + "_" + std::to_string(++serial);
        m_keyPath = "Software\\SleevoryTests\\View_" + suffix;
        ::RegDeleteTreeA(HKEY_CURRENT_USER, m_keyPath.c_str());
        SetSettingsKeyLocation(HKEY_CURRENT_USER, m_keyPath.c_str());

        char temp[MAX_PATH] = {};
        ::GetTempPathA(MAX_PATH, temp);
        m_folder = std::string(temp) + "SleevoryViewTest_" + suffix + "\\";
        ::CreateDirectoryA(m_folder.c_str(), nullptr);
        SetProgramFolder(m_folder.c_str());

        m_view.AttachAppSettings(&m_app);
    }

    void TearDown() override
    {
        SetSettingsKeyLocation(nullptr, "");
        SetProgramFolder("");
        ::RegDeleteTreeA(HKEY_CURRENT_USER, m_keyPath.c_str());
        ::RegDeleteKeyA(HKEY_CURRENT_USER, "Software\\SleevoryTests");  // only when empty
        ::DeleteFileA((m_folder + "labels.ini").c_str());
        ::RemoveDirectoryA(m_folder.c_str());
    }

    // ---- the scratch key, read and written with the plain system calls --------
    void CreateKey() const
    {
        HKEY key = nullptr;
        ASSERT_EQ(::RegCreateKeyExA(HKEY_CURRENT_USER, m_keyPath.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS,
                                    nullptr, &key, nullptr),
                  ERROR_SUCCESS);
        ::RegCloseKey(key);
    }
    bool KeyExists() const
    {
        HKEY key = nullptr;
        if (::RegOpenKeyExA(HKEY_CURRENT_USER, m_keyPath.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS)
            return false;
        ::RegCloseKey(key);
        return true;
    }
    void SetRaw(const char* name, DWORD type, const void* data, DWORD size) const
    {
        CreateKey();
        ASSERT_EQ(::RegSetKeyValueA(HKEY_CURRENT_USER, m_keyPath.c_str(), name, type, data, size), ERROR_SUCCESS);
    }
    void SetNumber(const char* name, DWORD value) const { SetRaw(name, REG_DWORD, &value, sizeof value); }
    void SetString(const char* name, const std::string& value) const
    {
        SetRaw(name, REG_SZ, value.c_str(), static_cast<DWORD>(value.size() + 1));
    }
    std::optional<DWORD> GetNumber(const char* name) const
    {
        DWORD value = 0, size = sizeof value, type = 0;
        if (::RegGetValueA(HKEY_CURRENT_USER, m_keyPath.c_str(), name, RRF_RT_ANY, &type, &value, &size) !=
                ERROR_SUCCESS ||
            type != REG_DWORD)
            return std::nullopt;
        return value;
    }
    std::optional<std::string> GetString(const char* name) const
    {
        DWORD size = 0, type = 0;
        if (::RegGetValueA(HKEY_CURRENT_USER, m_keyPath.c_str(), name, RRF_RT_ANY, &type, nullptr, &size) !=
                ERROR_SUCCESS ||
            type != REG_SZ)
            return std::nullopt;
        std::string value(size, '\0');
        if (::RegGetValueA(HKEY_CURRENT_USER, m_keyPath.c_str(), name, RRF_RT_REG_SZ, nullptr, value.data(),
                           &size) != ERROR_SUCCESS)
            return std::nullopt;
        value.resize(value.find('\0') == std::string::npos ? value.size() : value.find('\0'));
        return value;
    }
    bool ValueExists(const char* name) const
    {
        return ::RegGetValueA(HKEY_CURRENT_USER, m_keyPath.c_str(), name, RRF_RT_ANY, nullptr, nullptr, nullptr) ==
               ERROR_SUCCESS;
    }

    std::vector<int> m_errors;
    ScopedErrorReportHook m_hook{[this](const ErrorReport& report) { m_errors.push_back(report.number); }};
    std::string m_keyPath;
    std::string m_folder;
    CAppSettings m_app;
    CQuorbel6View m_view;
};
