#include "framework/RegistryKey.h"

#include <utility>
#include <vector>

CRegistryKey::~CRegistryKey()
{
    Close();
}

CRegistryKey::CRegistryKey(CRegistryKey&& other) noexcept : m_hKey(other.m_hKey)
{
    other.m_hKey = nullptr;
}

CRegistryKey& CRegistryKey::operator=(CRegistryKey&& other) noexcept
{
    if (this != &other)
    {
        Close();
        m_hKey = other.m_hKey;
        other.m_hKey = nullptr;
    }
    return *this;
}

bool CRegistryKey::Open(HKEY root, const char* path, REGSAM access)
{
    Close();
    HKEY key = nullptr;
    if (::RegOpenKeyExA(root, path, 0, access, &key) != ERROR_SUCCESS)
        return false;
    m_hKey = key;
    return true;
}

bool CRegistryKey::Create(HKEY root, const char* path, REGSAM access)
{
    Close();
    HKEY key = nullptr;
    if (::RegCreateKeyExA(root, path, 0, nullptr, REG_OPTION_NON_VOLATILE, access, nullptr, &key,
                          nullptr) != ERROR_SUCCESS)
        return false;
    m_hKey = key;
    return true;
}

void CRegistryKey::Close()
{
    if (m_hKey != nullptr)
    {
        ::RegCloseKey(m_hKey);
        m_hKey = nullptr;
    }
}

bool CRegistryKey::ReadString(const char* name, CString& value) const
{
    if (m_hKey == nullptr)
        return false;
    // The value may grow between the size query and the read; ask again then.
    for (int attempt = 0; attempt < 4; ++attempt)
    {
        DWORD type = 0;
        DWORD size = 0;
        if (::RegQueryValueExA(m_hKey, name, nullptr, &type, nullptr, &size) != ERROR_SUCCESS)
            return false;
        if (type != REG_SZ && type != REG_EXPAND_SZ)
            return false;
        std::vector<char> buffer(static_cast<size_t>(size) + 1, '\0');
        DWORD read = size;
        const LONG result = ::RegQueryValueExA(m_hKey, name, nullptr, &type,
                                               reinterpret_cast<BYTE*>(buffer.data()), &read);
        if (result == ERROR_MORE_DATA)
            continue;
        if (result != ERROR_SUCCESS || (type != REG_SZ && type != REG_EXPAND_SZ))
            return false;
        // A stored string need not carry its terminator: the extra byte is one.
        buffer[read < buffer.size() ? read : buffer.size() - 1] = '\0';
        value = CString(buffer.data());
        return true;
    }
    return false;
}

bool CRegistryKey::ReadNumber(const char* name, DWORD& value) const
{
    if (m_hKey == nullptr)
        return false;
    DWORD type = 0;
    DWORD number = 0;
    DWORD size = sizeof(number);
    if (::RegQueryValueExA(m_hKey, name, nullptr, &type, reinterpret_cast<BYTE*>(&number), &size) !=
        ERROR_SUCCESS)
        return false;
    if (type != REG_DWORD || size != sizeof(number))
        return false;
    value = number;
    return true;
}

bool CRegistryKey::ReadBinary(const char* name, std::vector<BYTE>& data) const
{
    data.clear();
    if (m_hKey == nullptr)
        return false;
    // The value may grow between the size query and the read; ask again then.
    for (int attempt = 0; attempt < 4; ++attempt) {
        DWORD type = 0;
        DWORD size = 0;
        if (::RegQueryValueExA(m_hKey, name, nullptr, &type, nullptr, &size) != ERROR_SUCCESS || type != REG_BINARY)
            return false;
        std::vector<BYTE> bytes(size);
        const LONG result = ::RegQueryValueExA(m_hKey, name, nullptr, &type, bytes.data(), &size);
        if (result == ERROR_MORE_DATA)
            continue;
        if (result != ERROR_SUCCESS || type != REG_BINARY)
            return false;
        bytes.resize(size);
        data = std::move(bytes);
        return true;
    }
    return false;
}

bool CRegistryKey::ValueExists(const char* name) const
{
    return m_hKey != nullptr &&
           ::RegQueryValueExA(m_hKey, name, nullptr, nullptr, nullptr, nullptr) == ERROR_SUCCESS;
}

bool CRegistryKey::WriteString(const char* name, const CString& value) const
{
    if (m_hKey == nullptr)
        return false;
    const char* text = static_cast<const char*>(value);
    const DWORD bytes = static_cast<DWORD>(value.GetLength()) + 1;
    return ::RegSetValueExA(m_hKey, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(text), bytes) ==
           ERROR_SUCCESS;
}

bool CRegistryKey::WriteNumber(const char* name, DWORD value) const
{
    if (m_hKey == nullptr)
        return false;
    return ::RegSetValueExA(m_hKey, name, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&value),
                            sizeof(value)) == ERROR_SUCCESS;
}

bool CRegistryKey::WriteBinary(const char* name, const void* data, DWORD size) const
{
    if (m_hKey == nullptr)
        return false;
    return ::RegSetValueExA(m_hKey, name, 0, REG_BINARY, static_cast<const BYTE*>(data), size) == ERROR_SUCCESS;
}

bool CRegistryKey::DeleteValue(const char* name) const
{
    if (m_hKey == nullptr)
        return false;
    const LONG result = ::RegDeleteValueA(m_hKey, name);
    return result == ERROR_SUCCESS || result == ERROR_FILE_NOT_FOUND;
}
