#pragma once
// Which drive letter belongs to which CD drive found through ASPI. The layer
// knows the drives only by their SCSI address and INQUIRY name; the Windows 9x
// registry lists the SCSI CD-ROM devices with their letters. The drives are
// matched to the registry's devices by name and address, then by address,
// and what is left takes the remaining CD-ROM letters in order.

#include "framework/String.h"

#include <windows.h>

#include <vector>

// One CD drive as the reader knows it.
struct CdDriveRecord
{
    CString m_strName;         // INQUIRY vendor and product (ASPI only)
    CString m_strCompactName;  // the name without blanks, for matching
    CString m_strLetter;       // "D:", or the name when letters run short
    BYTE m_nAdapter = 0;
    BYTE m_nTarget = 0;
    BYTE m_nLun = 0;
};

// One SCSI CD-ROM device as the registry describes it.
struct CdRegistryEntry
{
    CString m_strDescription;         // "DeviceDesc"
    CString m_strCompactDescription;  // the same without blanks
    CString m_strLetter;              // "CurrentDriveLetterAssignment" and ":"
    BYTE m_nTarget = 0;               // "SCSITargetID"
    BYTE m_nLun = 0;                  // "SCSILUN"
};

// Where the registry keeps the devices: the configuration manager's list of
// devices present, each naming its hardware key under the machine's "Enum".
struct CdRegistryPlaces
{
    HKEY presentRoot = nullptr;
    CString presentPath;
    HKEY hardwareRoot = nullptr;
    CString hardwarePath;

    // HKEY_DYN_DATA "Config Manager\Enum" and HKEY_LOCAL_MACHINE "Enum".
    static CdRegistryPlaces System();
};

// Every blank removed, white space trimmed at both ends.
CString CompactName(const CString& name);

// The SCSI CD-ROM devices the registry lists. When the list of present
// devices cannot be opened the user is told and the list is empty.
std::vector<CdRegistryEntry> GetDriveLettersFromRegistry(const CdRegistryPlaces& places);

// The letters whose drive type is DRIVE_CDROM, "A:" to "Z:".
std::vector<CString> SystemCdRomLetters();

// Gives every drive its letter from the registry entries (entries matched by
// address alone are used up) and then from `cdRomLetters`; when some drive is
// still without one, every drive shows its name instead.
void MatchDriveLetters(std::vector<CdDriveRecord>& drives, std::vector<CdRegistryEntry>& entries,
                       const std::vector<CString>& cdRomLetters);

// Orders the drives by the first character of their letter field.
void SortDrives(std::vector<CdDriveRecord>& drives);
