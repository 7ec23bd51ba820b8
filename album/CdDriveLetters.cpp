#include "album/CdDriveLetters.h"

#include "framework/ErrorReport.h"
#include "framework/RegistryKey.h"
#include "framework/UserMessages.h"
#include "framework/WinApp.h"

#include <algorithm>
#include <cstdlib>

namespace {

constexpr BYTE kDeviceTypeCdRom = 5;
// No SCSI target or LUN is 9: an entry set to it matches no drive again.
constexpr BYTE kTakenAddress = 9;

void SayRegistryUnreadable()
{
    const char text[] = "Error getting drive letters, the registry may be corrupt.";
    auto* messages = dynamic_cast<IUserMessages*>(GetApp());
    if (!messages || messages->ShowUserMessage(text, IUserMessages::kStop, "OK`") < 0)
        AppMessageBox(text, MB_OK | MB_ICONSTOP);
}

// A number however the registry holds it: a DWORD, little-endian bytes (as
// Windows 9x keeps "DeviceType") or decimal text.
bool ReadInteger(const CRegistryKey& key, const char* name, DWORD& value)
{
    if (key.ReadNumber(name, value))
        return true;
    std::vector<BYTE> bytes;
    if (key.ReadBinary(name, bytes) && !bytes.empty()) {
        value = 0;
        for (size_t i = std::min<size_t>(bytes.size(), sizeof value); i-- > 0;)
            value = value << 8 | bytes[i];
        return true;
    }
    CString text;
    if (key.ReadString(name, text)) {
        value = static_cast<DWORD>(std::strtoul(text.c_str(), nullptr, 10));
        return true;
    }
    return false;
}

CString ReadText(const CRegistryKey& key, const char* name)
{
    CString text;
    key.ReadString(name, text);
    return text;
}

BYTE DecimalByte(const CString& text)
{
    return static_cast<BYTE>(std::strtoul(text.c_str(), nullptr, 10));
}

// The names of the key's subkeys, read to their real length.
std::vector<CString> SubkeyNames(const CRegistryKey& key)
{
    DWORD count = 0;
    DWORD longest = 0;
    if (::RegQueryInfoKeyA(key.Handle(), nullptr, nullptr, nullptr, &count, &longest, nullptr, nullptr, nullptr,
                           nullptr, nullptr, nullptr) != ERROR_SUCCESS)
        return {};
    std::vector<CString> names;
    std::vector<char> name(longest + 1);
    for (DWORD index = 0;; ++index) {
        DWORD length = static_cast<DWORD>(name.size());
        const LONG result =
            ::RegEnumKeyExA(key.Handle(), index, name.data(), &length, nullptr, nullptr, nullptr, nullptr);
        if (result == ERROR_MORE_DATA) {  // a key added since the count: room for it, same index again
            name.resize(name.size() * 2);
            --index;
            continue;
        }
        if (result != ERROR_SUCCESS)
            break;
        names.emplace_back(name.data(), static_cast<int>(length));
    }
    return names;
}

bool HasLetter(const CdDriveRecord& drive)
{
    return !drive.m_strLetter.IsEmpty();
}

bool AllHaveLetters(const std::vector<CdDriveRecord>& drives)
{
    return std::all_of(drives.begin(), drives.end(), HasLetter);
}

bool SameAddress(const CdRegistryEntry& entry, const CdDriveRecord& drive)
{
    return entry.m_nTarget == drive.m_nTarget && entry.m_nLun == drive.m_nLun;
}

bool NamesMatch(const CString& description, const CString& name)
{
    return description.Find(name) >= 0 || name.Find(description) >= 0;
}

}  // namespace

CdRegistryPlaces CdRegistryPlaces::System()
{
    return CdRegistryPlaces{HKEY_DYN_DATA, "Config Manager\\Enum", HKEY_LOCAL_MACHINE, "Enum"};
}

CString CompactName(const CString& name)
{
    CString compact = name;
    compact.Remove(' ');
    compact.TrimLeft();
    compact.TrimRight();
    return compact;
}

std::vector<CdRegistryEntry> GetDriveLettersFromRegistry(const CdRegistryPlaces& places)
{
    return Guarded(210, ErrorSink::App(), std::vector<CdRegistryEntry>(), [&] {
        std::vector<CdRegistryEntry> entries;
        CRegistryKey present;
        if (!present.Open(places.presentRoot, places.presentPath, KEY_READ)) {
            SayRegistryUnreadable();
            return entries;
        }
        for (const CString& subkey : SubkeyNames(present)) {
            CRegistryKey device;
            if (!device.Open(places.presentRoot, places.presentPath + "\\" + subkey, KEY_READ))
                continue;
            const CString hardwareKey = ReadText(device, "HardWareKey");
            if (hardwareKey.Left(4) != "SCSI")
                continue;
            CRegistryKey hardware;
            if (!hardware.Open(places.hardwareRoot, places.hardwarePath + "\\" + hardwareKey, KEY_READ))
                continue;
            DWORD type = 0;
            if (!ReadInteger(hardware, "DeviceType", type) || type != kDeviceTypeCdRom)
                continue;
            CdRegistryEntry entry;
            // A device without an assigned letter gives none (not a bare colon).
            const CString letter = ReadText(hardware, "CurrentDriveLetterAssignment");
            if (!letter.IsEmpty())
                entry.m_strLetter = letter + ":";
            entry.m_nLun = DecimalByte(ReadText(hardware, "SCSILUN"));
            entry.m_nTarget = DecimalByte(ReadText(hardware, "SCSITargetID"));
            entry.m_strDescription = ReadText(hardware, "DeviceDesc");
            entry.m_strCompactDescription = CompactName(entry.m_strDescription);
            entries.push_back(entry);
        }
        return entries;
    });
}

std::vector<CString> SystemCdRomLetters()
{
    std::vector<CString> letters;
    char root[] = "A:";
    for (char letter = 'A'; letter <= 'Z'; ++letter) {
        root[0] = letter;
        if (::GetDriveTypeA(root) == DRIVE_CDROM)
            letters.emplace_back(root);
    }
    return letters;
}

void MatchDriveLetters(std::vector<CdDriveRecord>& drives, std::vector<CdRegistryEntry>& entries,
                       const std::vector<CString>& cdRomLetters)
{
    Guarded(594, ErrorSink::App(), [&] {
        // By name and address.
        for (CdDriveRecord& drive : drives) {
            if (HasLetter(drive))
                continue;
            for (const CdRegistryEntry& entry : entries) {
                if (!entry.m_strLetter.IsEmpty() && SameAddress(entry, drive) &&
                    NamesMatch(entry.m_strCompactDescription, drive.m_strCompactName)) {
                    drive.m_strLetter = entry.m_strLetter;
                    break;
                }
            }
        }
        if (AllHaveLetters(drives))
            return;

        // By address alone; the entry is used up.
        for (CdDriveRecord& drive : drives) {
            if (HasLetter(drive))
                continue;
            for (CdRegistryEntry& entry : entries) {
                if (!entry.m_strLetter.IsEmpty() && SameAddress(entry, drive)) {
                    drive.m_strLetter = entry.m_strLetter;
                    entry.m_nTarget = kTakenAddress;
                    entry.m_nLun = kTakenAddress;
                    break;
                }
            }
        }
        if (AllHaveLetters(drives))
            return;

        // The CD-ROM letters no drive holds yet, in order.
        std::vector<CString> free;
        for (const CString& letter : cdRomLetters) {
            const bool held = std::any_of(drives.begin(), drives.end(), [&](const CdDriveRecord& drive) {
                return drive.m_strLetter.CompareNoCase(letter) == 0;
            });
            if (!held)
                free.push_back(letter);
        }
        size_t next = 0;
        for (CdDriveRecord& drive : drives) {
            if (!HasLetter(drive) && next < free.size())
                drive.m_strLetter = free[next++];
        }
        if (AllHaveLetters(drives))
            return;

        // Too few letters to tell the drives apart: their names instead.
        for (CdDriveRecord& drive : drives) {
            CString name = drive.m_strName;
            name.TrimRight();
            name.Replace("  ", " ");
            name.Replace("  ", " ");
            drive.m_strLetter = name;
        }
    });
}

void SortDrives(std::vector<CdDriveRecord>& drives)
{
    Guarded(595, ErrorSink::App(), [&] {
        std::stable_sort(drives.begin(), drives.end(), [](const CdDriveRecord& a, const CdDriveRecord& b) {
            const auto first = [](const CdDriveRecord& drive) {
                return drive.m_strLetter.IsEmpty() ? 0 : static_cast<unsigned char>(drive.m_strLetter[0]);
            };
            return first(a) < first(b);
        });
    });
}
