#pragma once
// The settings keys as a user without administrator rights meets them: the
// machine's settings key is there but its access list lets everyone read it
// and nobody write it or create it again, so opening it for writing really
// fails; the user's key is a scratch key. Both live under one scratch key of
// HKEY_CURRENT_USER, removed afterwards, and the settings key location points
// at them while the object lives.

#include "framework/SettingsKey.h"

#include <windows.h>

#include <sddl.h>

#include <optional>
#include <string>

namespace test_support {

class RefusedMachineSettings {
public:
    static constexpr const char* kPath = "SOFTWARE\\Sleevory";

    RefusedMachineSettings()
    {
        static int serial = 0;
        m_base = "Software\\SleevoryTests\\Refused_" + std::to_string(::GetCurrentProcessId()) + "_" +
                 std::to_string(++serial);
        ::RegDeleteTreeA(HKEY_CURRENT_USER, m_base.c_str());
        ::RegCreateKeyExA(HKEY_CURRENT_USER, (m_base + "\\Machine").c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr,
                          &m_machineRoot, nullptr);
        ::RegCreateKeyExA(HKEY_CURRENT_USER, (m_base + "\\User").c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr,
                          &m_userRoot, nullptr);
        HKEY machine = nullptr;
        ::RegCreateKeyExA(m_machineRoot, kPath, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &machine, nullptr);
        ::RegCloseKey(machine);
    }
    ~RefusedMachineSettings()
    {
        SetSettingsKeyLocation(nullptr, "");
        ::RegCloseKey(m_machineRoot);
        ::RegCloseKey(m_userRoot);
        ::RegDeleteTreeA(HKEY_CURRENT_USER, m_base.c_str());
        ::RegDeleteKeyA(HKEY_CURRENT_USER, "Software\\SleevoryTests");  // only when empty
    }
    RefusedMachineSettings(const RefusedMachineSettings&) = delete;
    RefusedMachineSettings& operator=(const RefusedMachineSettings&) = delete;

    // Values are put before Lock().
    void PutMachineString(const char* name, const std::string& value) const { Put(m_machineRoot, name, value); }
    void PutUserString(const char* name, const std::string& value) const { Put(m_userRoot, name, value); }
    void PutMachineNumber(const char* name, DWORD value) const
    {
        ::RegSetKeyValueA(m_machineRoot, kPath, name, REG_DWORD, &value, sizeof value);
    }
    void PutUserNumber(const char* name, DWORD value) const
    {
        ::RegSetKeyValueA(m_userRoot, kPath, name, REG_DWORD, &value, sizeof value);
    }

    // Takes the right to write away from the machine's key and points the
    // settings at the two keys. False when the system let the key stay writable.
    bool Lock() const
    {
        PSECURITY_DESCRIPTOR descriptor = nullptr;
        // Everyone may read it, read and change its access list, and delete it.
        if (!::ConvertStringSecurityDescriptorToSecurityDescriptorA("D:P(A;;KRSDWDRC;;;WD)", SDDL_REVISION_1,
                                                                    &descriptor, nullptr))
            return false;
        HKEY machine = nullptr;
        LONG result = ::RegOpenKeyExA(m_machineRoot, kPath, 0, WRITE_DAC, &machine);
        if (result == ERROR_SUCCESS) {
            result = ::RegSetKeySecurity(machine, DACL_SECURITY_INFORMATION, descriptor);
            ::RegCloseKey(machine);
        }
        ::LocalFree(descriptor);
        if (result != ERROR_SUCCESS)
            return false;
        SetSettingsKeyLocation(m_machineRoot, kPath, m_userRoot);
        return !CanOpen(m_machineRoot, KEY_SET_VALUE);
    }

    bool UserKeyExists() const { return CanOpen(m_userRoot, KEY_READ); }
    std::optional<std::string> MachineString(const char* name) const { return String(m_machineRoot, name); }
    std::optional<std::string> UserString(const char* name) const { return String(m_userRoot, name); }
    std::optional<DWORD> MachineNumber(const char* name) const { return Number(m_machineRoot, name); }
    std::optional<DWORD> UserNumber(const char* name) const { return Number(m_userRoot, name); }

private:
    static void Put(HKEY root, const char* name, const std::string& value)
    {
        ::RegSetKeyValueA(root, kPath, name, REG_SZ, value.c_str(), static_cast<DWORD>(value.size() + 1));
    }
    static bool CanOpen(HKEY root, REGSAM access)
    {
        HKEY key = nullptr;
        if (::RegOpenKeyExA(root, kPath, 0, access, &key) != ERROR_SUCCESS)
            return false;
        ::RegCloseKey(key);
        return true;
    }
    static std::optional<std::string> String(HKEY root, const char* name)
    {
        char value[256] = {};
        DWORD size = sizeof value;
        if (::RegGetValueA(root, kPath, name, RRF_RT_REG_SZ, nullptr, value, &size) != ERROR_SUCCESS)
            return std::nullopt;
        return std::string(value);
    }
    static std::optional<DWORD> Number(HKEY root, const char* name)
    {
        DWORD value = 0;
        DWORD size = sizeof value;
        if (::RegGetValueA(root, kPath, name, RRF_RT_REG_DWORD, nullptr, &value, &size) != ERROR_SUCCESS)
            return std::nullopt;
        return value;
    }

    std::string m_base;
    HKEY m_machineRoot = nullptr;
    HKEY m_userRoot = nullptr;
};

}  // namespace test_support
