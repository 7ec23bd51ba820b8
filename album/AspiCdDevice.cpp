#include "album/AspiCdDevice.h"

#include "framework/ErrorReport.h"
#include "framework/UserHandles.h"
#include "framework/WinApp.h"

#include <cstring>
#include <utility>

namespace {

AspiAddress AddressOf(const CdDriveRecord& drive)
{
    return AspiAddress{drive.m_nAdapter, drive.m_nTarget, drive.m_nLun};
}

class CAspiCdDevice : public ICdDevice
{
public:
    CAspiCdDevice(const aspi::EntryPoints& layer, AspiAddress address, DWORD timeoutMs)
        : m_layer(layer), m_address(address), m_timeoutMs(timeoutMs)
    {
    }

    void StopAudio() override
    {
        const BYTE pause[10] = {0x4B};
        BYTE data[16] = {};
        ExecuteAspiCommand(m_layer, m_address, pause, sizeof pause, data, sizeof data, m_timeoutMs);
    }

    ScsiCommandResult ExecuteDataIn(const BYTE (&cdb)[10], BYTE* buffer, DWORD length, DWORD) override
    {
        ScsiCommandResult result;
        result.completed = Guarded(198, ErrorSink::App(), false, [&] {
            return ExecuteAspiCommand(m_layer, m_address, cdb, sizeof cdb, buffer, length, m_timeoutMs);
        });
        // ASPI does not report how much arrived: the allocation length in the
        // command block is all the reader can go by.
        result.transferred = result.completed ? length : 0;
        return result;
    }

    ScsiCommandResult ReadTocBySystem(BYTE*, DWORD) override { return {}; }

private:
    aspi::EntryPoints m_layer;
    AspiAddress m_address;
    DWORD m_timeoutMs;
};

}  // namespace

CAspiCdProvider::CAspiCdProvider() = default;

CAspiCdProvider::CAspiCdProvider(const aspi::EntryPoints& layer, AspiDriveSources sources)
    : m_layer(layer), m_sources(std::move(sources))
{
}

CAspiCdProvider::~CAspiCdProvider() = default;

bool CAspiCdProvider::Load()
{
    // Loaded once and kept for the rest of the process: requests the layer
    // may still complete live in it.
    static OwnedModule module;
    if (!module.IsValid()) {
        module.Reset(::LoadLibraryA("WNASPI32.DLL"));
        if (!module.IsValid()) {
            AppMessageBox("Error: WNASPI32.DLL could not be found.");
            return false;
        }
    }
    aspi::EntryPoints layer;
    layer.getSupportInfo =
        reinterpret_cast<DWORD(__cdecl*)()>(reinterpret_cast<void*>(::GetProcAddress(module, "GetASPI32SupportInfo")));
    layer.sendCommand =
        reinterpret_cast<DWORD(__cdecl*)(void*)>(reinterpret_cast<void*>(::GetProcAddress(module, "SendASPI32Command")));
    if (!layer.getSupportInfo || !layer.sendCommand) {
        AppMessageBox("Error: ASPI functions not supported.");
        return false;
    }
    m_layer = layer;
    return true;
}

int CAspiCdProvider::GetAdapterCount() const
{
    return Guarded(209, ErrorSink::App(), 0, [&] {
        const DWORD support = m_layer.getSupportInfo();
        const BYTE status = static_cast<BYTE>(support >> 8);
        if (status != aspi::kStatusComplete && status != aspi::kStatusNoAdapters)
            return -1;
        return static_cast<int>(support & 0xFF);
    });
}

CString CAspiCdProvider::InquireDeviceName(const AspiAddress& address) const
{
    return Guarded(592, ErrorSink::App(), CString(), [&] {
        const BYTE cdb[6] = {0x12, static_cast<BYTE>(address.lun << 5), 0, 0, 0x24, 0};
        BYTE reply[37] = {};
        if (!ExecuteAspiCommand(m_layer, address, cdb, sizeof cdb, reply, sizeof reply, m_sources.requestTimeoutMs))
            return CString(static_cast<char>(0xFF), 1);
        // Vendor and product identification as the device gives them: the
        // text from byte 8 up to its end (the reply's last byte stays 0), at
        // most 32 characters, cut to 24.
        const char* text = reinterpret_cast<const char*>(reply + 8);
        const size_t length = ::strnlen(text, sizeof reply - 8);
        return CString(text, static_cast<int>(length < 32 ? length : 32)).Left(24);
    });
}

void CAspiCdProvider::ScanAdapters()
{
    Guarded(591, ErrorSink::App(), [&] {
        const int adapters = GetAdapterCount();
        for (int adapter = 0; adapter < adapters; ++adapter) {
            aspi::AdapterInquiryBlock inquiry;
            std::memset(&inquiry, 0, sizeof inquiry);
            inquiry.command = aspi::kCommandAdapterInquiry;
            inquiry.adapter = static_cast<BYTE>(adapter);
            m_layer.sendCommand(&inquiry);
            if (inquiry.status != aspi::kStatusComplete)
                continue;
            for (BYTE target = 0; target < 8; ++target)
                for (BYTE lun = 0; lun < 8; ++lun) {
                    aspi::DeviceTypeBlock device;
                    std::memset(&device, 0, sizeof device);
                    device.command = aspi::kCommandGetDeviceType;
                    device.adapter = static_cast<BYTE>(adapter);
                    device.target = target;
                    device.lun = lun;
                    m_layer.sendCommand(&device);
                    if (device.status != aspi::kStatusComplete || device.deviceType != aspi::kDeviceTypeCdRom)
                        continue;
                    CdDriveRecord drive;
                    drive.m_nAdapter = static_cast<BYTE>(adapter);
                    drive.m_nTarget = target;
                    drive.m_nLun = lun;
                    drive.m_strName = InquireDeviceName(AddressOf(drive));
                    drive.m_strCompactName = CompactName(drive.m_strName);
                    m_drives.push_back(drive);
                }
        }
    });
}

std::vector<CString> CAspiCdProvider::ListDrives()
{
    m_drives.clear();
    if (!m_layer.getSupportInfo || !m_layer.sendCommand)
        return {};
    ScanAdapters();
    std::vector<CdRegistryEntry> entries = GetDriveLettersFromRegistry(m_sources.registry);
    MatchDriveLetters(m_drives, entries, m_sources.cdRomLetters ? m_sources.cdRomLetters() : std::vector<CString>());
    SortDrives(m_drives);
    std::vector<CString> names;
    for (const CdDriveRecord& drive : m_drives)
        names.push_back(drive.m_strLetter);
    return names;
}

std::unique_ptr<ICdDevice> CAspiCdProvider::Open(int drive)
{
    if (!m_layer.sendCommand || drive < 0 || drive >= static_cast<int>(m_drives.size()))
        return nullptr;
    return std::make_unique<CAspiCdDevice>(m_layer, AddressOf(m_drives[static_cast<size_t>(drive)]),
                                           m_sources.requestTimeoutMs);
}
