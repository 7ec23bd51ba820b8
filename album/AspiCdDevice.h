#pragma once
// CD drives reached through the ASPI layer ("WNASPI32.DLL", loaded at run
// time), the way to a drive on Windows 95, 98 and Me.

#include "album/CdDevice.h"

struct AspiEntryPoints;

class CAspiCdProvider : public ICdDeviceProvider
{
public:
    CAspiCdProvider();
    ~CAspiCdProvider() override;

    // Loads the layer (it stays loaded for the process); tells the user and
    // returns false when it or its functions are missing.
    bool Load();

    std::vector<CString> ListDrives() override;
    std::unique_ptr<ICdDevice> Open(int drive) override;

    struct Address
    {
        BYTE adapter = 0;
        BYTE target = 0;
        BYTE lun = 0;
    };

private:
    const AspiEntryPoints* m_entryPoints = nullptr;
    std::vector<Address> m_addresses;
};
