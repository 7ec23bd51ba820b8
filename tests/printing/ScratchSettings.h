#pragma once
// A printing test's own settings key and program folder, in scratch places
// that are thrown away afterwards, so that no test touches the program's
// real settings, its label papers or its default documents.
#include "PrintQueue.h"

#include "framework/ProgramFolder.h"
#include "framework/SettingsKey.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <cstring>
#include <string>

class ScratchSettingsTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        static int serial = 0;
        const std::string suffix = std::to_string(::GetCurrentProcessId()) + "_" + std::to_string(++serial);
        m_keyPath = "Software\\SleevoryTests\\Print_" + suffix;
        SetSettingsKeyLocation(HKEY_CURRENT_USER, m_keyPath.c_str());
        char temp[MAX_PATH] = {};
        ::GetTempPathA(MAX_PATH, temp);
        m_folder = std::string(temp) + "SleevoryPrintTest_" + suffix + "\\";
        ::CreateDirectoryA(m_folder.c_str(), nullptr);
        SetProgramFolder(m_folder.c_str());
    }

    void TearDown() override
    {
        SetSettingsKeyLocation(nullptr, "");
        SetProgramFolder("");
        ::RegDeleteTreeA(HKEY_CURRENT_USER, m_keyPath.c_str());
        ::RegDeleteKeyA(HKEY_CURRENT_USER, "Software\\SleevoryTests");
        // The files the program left there (its default documents, papers).
        WIN32_FIND_DATAA found{};
        HANDLE search = ::FindFirstFileA((m_folder + "*.*").c_str(), &found);
        if (search != INVALID_HANDLE_VALUE) {
            do {
                if (!(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY))
                    ::DeleteFileA((m_folder + found.cFileName).c_str());
            } while (::FindNextFileA(search, &found));
            ::FindClose(search);
        }
        ::RemoveDirectoryA(m_folder.c_str());
    }

    // The settings key, made as the program makes it at start.
    void CreateScratchKey() const
    {
        HKEY key = nullptr;
        ::RegCreateKeyExA(HKEY_CURRENT_USER, m_keyPath.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, nullptr);
        if (key)
            ::RegCloseKey(key);
    }

    // A Number setting as an earlier session of the program left it.
    void PutNumberSetting(const char* name, DWORD value) const
    {
        CreateScratchKey();
        ::RegSetKeyValueA(HKEY_CURRENT_USER, m_keyPath.c_str(), name, REG_DWORD, &value, sizeof value);
    }

    // Skips the test when this machine has no print queue to print to.
    bool QueueReady()
    {
        const std::string status = PrintQueue::Status();
        if (status != "ready") {
            m_skipReason = "no private print queue: " + status;
            return false;
        }
        return true;
    }

    // A setting as stored: a number in decimal, a text as it stands, or "(missing)".
    std::string Setting(const char* name) const
    {
        char value[64] = {};
        DWORD size = sizeof value;
        DWORD number = 0;
        DWORD type = 0;
        if (::RegGetValueA(HKEY_CURRENT_USER, m_keyPath.c_str(), name, RRF_RT_ANY, &type, value, &size) !=
            ERROR_SUCCESS)
            return "(missing)";
        if (type == REG_DWORD) {
            std::memcpy(&number, value, sizeof number);
            return std::to_string(number);
        }
        return value;
    }

    std::string m_keyPath;
    std::string m_folder;
    std::string m_skipReason;
};
