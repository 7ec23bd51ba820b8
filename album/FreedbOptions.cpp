#include "album/FreedbOptions.h"

#include "framework/RegistryKey.h"
#include "framework/SettingsKey.h"

#include <windows.h>

#include <wincrypt.h>

#include <cstdlib>
#include <vector>

namespace {

constexpr const char kPasswordValue[] = "ProxyPassword";

CString Field(const CString& record, int number)
{
    int start = 0;
    for (int field = 1; field < number; ++field) {
        const int tick = record.Find('`', start);
        if (tick < 0)
            return CString();
        start = tick + 1;
    }
    const int end = record.Find('`', start);
    return end < 0 ? record.Mid(start) : record.Mid(start, end - start);
}

// Frees what the data protection calls hand back.
struct LocalBlob {
    DATA_BLOB blob{};
    ~LocalBlob()
    {
        if (blob.pbData)
            ::LocalFree(blob.pbData);
    }
};

// The user's own settings key: the password never goes to the machine's.
HKEY OpenUserSettingsKey(REGSAM access)
{
    HKEY key = nullptr;
    if (::RegCreateKeyExA(SettingsUserKeyRoot(), SettingsKeyPath(), 0, nullptr, 0, access, nullptr, &key, nullptr) !=
        ERROR_SUCCESS)
        return nullptr;
    return key;
}

}  // namespace

CString FreedbOptionsField(CString text)
{
    text.Replace("`", "");
    return text;
}

CString MakeFreedbOptions(const CCddbSite& site)
{
    CString port;
    port.Format("%d", site.m_nPort);
    const CString fields[] = {site.m_strHost,      port,
                              site.m_strPath,      site.m_strDescription,
                              site.m_bProxy ? "1" : "0", site.m_strProxyHost,
                              site.m_strProxyPort, site.m_strProxyUser,
                              CString()};
    CString record;
    for (const CString& field : fields)
        record += FreedbOptionsField(field) + "`";
    return record;
}

CCddbSite ParseFreedbOptions(const CString& record)
{
    CCddbSite site;
    site.m_strHost = Field(record, 1);
    site.m_nPort = std::atoi(Field(record, 2));
    if (site.m_nPort <= 0 || site.m_nPort > 65535)
        site.m_nPort = 80;
    site.m_strPath = Field(record, 3);
    site.m_strDescription = Field(record, 4);
    site.m_bProxy = std::atoi(Field(record, 5)) != 0 ? 1 : 0;
    site.m_strProxyHost = Field(record, 6);
    site.m_strProxyPort = Field(record, 7);
    site.m_strProxyUser = Field(record, 8);
    site.m_strProxyPassword = Field(record, 9);
    return site;
}

bool StoreProxyPassword(const CString& password)
{
    HKEY key = OpenUserSettingsKey(KEY_SET_VALUE);
    if (!key)
        return false;
    bool stored = false;
    if (password.IsEmpty()) {
        const LONG result = ::RegDeleteValueA(key, kPasswordValue);
        stored = result == ERROR_SUCCESS || result == ERROR_FILE_NOT_FOUND;
    } else {
        DATA_BLOB plain{static_cast<DWORD>(password.GetLength()),
                        reinterpret_cast<BYTE*>(const_cast<char*>(password.c_str()))};
        LocalBlob sealed;
        if (::CryptProtectData(&plain, L"Sleevory proxy", nullptr, nullptr, nullptr, CRYPTPROTECT_UI_FORBIDDEN,
                               &sealed.blob))
            stored = ::RegSetValueExA(key, kPasswordValue, 0, REG_BINARY, sealed.blob.pbData, sealed.blob.cbData) ==
                     ERROR_SUCCESS;
    }
    ::RegCloseKey(key);
    return stored;
}

CString LoadProxyPassword()
{
    CRegistryKey key;
    std::vector<BYTE> bytes;
    if (!key.Open(SettingsUserKeyRoot(), SettingsKeyPath(), KEY_QUERY_VALUE) ||
        !key.ReadBinary(kPasswordValue, bytes) || bytes.empty())
        return CString();
    DATA_BLOB sealed{static_cast<DWORD>(bytes.size()), bytes.data()};
    LocalBlob plain;
    if (!::CryptUnprotectData(&sealed, nullptr, nullptr, nullptr, nullptr, CRYPTPROTECT_UI_FORBIDDEN, &plain.blob))
        return CString();
    return CString(reinterpret_cast<const char*>(plain.blob.pbData), static_cast<int>(plain.blob.cbData));
}
