#pragma once

#include "framework/String.h"

#include <windows.h>

#include <vector>

// Owns one open registry key and closes it when it goes.
class CRegistryKey
{
public:
    CRegistryKey() = default;
    ~CRegistryKey();
    CRegistryKey(CRegistryKey&& other) noexcept;
    CRegistryKey& operator=(CRegistryKey&& other) noexcept;
    CRegistryKey(const CRegistryKey&) = delete;
    CRegistryKey& operator=(const CRegistryKey&) = delete;

    // Opens an existing key; false (and nothing open) when it is not there or
    // the access is refused.
    bool Open(HKEY root, const char* path, REGSAM access);
    // Opens the key, creating it and its missing parents first.
    bool Create(HKEY root, const char* path, REGSAM access);
    void Close();

    bool IsOpen() const { return m_hKey != nullptr; }
    HKEY Handle() const { return m_hKey; }

    // A string value of any length; false when the value is missing or not a string.
    bool ReadString(const char* name, CString& value) const;
    // A 32-bit number; false when the value is missing or not a 32-bit number.
    bool ReadNumber(const char* name, DWORD& value) const;
    // Binary data; false (and `data` empty) when the value is missing or not binary.
    bool ReadBinary(const char* name, std::vector<BYTE>& data) const;
    bool ValueExists(const char* name) const;

    bool WriteString(const char* name, const CString& value) const;
    bool WriteNumber(const char* name, DWORD value) const;
    bool WriteBinary(const char* name, const void* data, DWORD size) const;
    // True also when the value was not there.
    bool DeleteValue(const char* name) const;

private:
    HKEY m_hKey = nullptr;
};
