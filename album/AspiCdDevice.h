#pragma once
// CD drives reached through the ASPI layer ("WNASPI32.DLL", loaded at run
// time), the way to a drive on Windows 95, 98 and Me. The layer finds the
// drives by SCSI address; their letters come from the Windows 9x registry.

#include "album/AspiRequest.h"
#include "album/AspiRequestBlocks.h"
#include "album/CdDevice.h"
#include "album/CdDriveLetters.h"

#include <functional>

// What the ASPI way reads besides the layer: the system's by default.
struct AspiDriveSources
{
    CdRegistryPlaces registry = CdRegistryPlaces::System();
    std::function<std::vector<CString>()> cdRomLetters = SystemCdRomLetters;
    DWORD requestTimeoutMs = kAspiRequestTimeoutMs;
};

class CAspiCdProvider : public ICdDeviceProvider
{
public:
    // The system's layer, once Load has found it.
    CAspiCdProvider();
    // A layer of the caller's (tests) with its own registry places and letters.
    CAspiCdProvider(const aspi::EntryPoints& layer, AspiDriveSources sources);
    ~CAspiCdProvider() override;

    // Loads the layer (it stays loaded for the process); tells the user and
    // returns false when it or its functions are missing.
    bool Load();

    // The drives the layer finds, given their letters and sorted by them.
    std::vector<CString> ListDrives() override;
    std::unique_ptr<ICdDevice> Open(int drive) override;

    const std::vector<CdDriveRecord>& Drives() const { return m_drives; }

private:
    // The number of host adapters; -1 when the layer reports a failure.
    int GetAdapterCount() const;
    void ScanAdapters();
    CString InquireDeviceName(const AspiAddress& address) const;

    aspi::EntryPoints m_layer;
    AspiDriveSources m_sources;
    std::vector<CdDriveRecord> m_drives;
};
