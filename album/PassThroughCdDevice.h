#pragma once
// CD drives reached through the system's SCSI pass-through on the device
// "\\.\X:" (Windows NT 4 and later).

#include "album/CdDevice.h"

class CPassThroughCdProvider : public ICdDeviceProvider
{
public:
    // osCode: GetOsVersionCode's value; NT 4 opens devices for reading only.
    explicit CPassThroughCdProvider(int osCode) : m_osCode(osCode) {}

    std::vector<CString> ListDrives() override;
    std::unique_ptr<ICdDevice> Open(int drive) override;

private:
    int m_osCode;
    std::vector<CString> m_letters;
};
