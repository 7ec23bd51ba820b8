#include "album/AspiCdDevice.h"

#include "framework/WinApp.h"

#include <algorithm>
#include <cstring>
#include <utility>

// The request blocks of the ASPI for Win32 interface.
#pragma pack(push, 1)
namespace {

constexpr BYTE kCommandAdapterInquiry = 0;
constexpr BYTE kCommandGetDeviceType = 1;
constexpr BYTE kCommandExecute = 2;
constexpr BYTE kStatusPending = 0;
constexpr BYTE kStatusComplete = 1;
constexpr BYTE kStatusNoAdapters = 0xE8;
constexpr BYTE kFlagDataIn = 0x08;
constexpr BYTE kFlagEventNotify = 0x40;
constexpr BYTE kDeviceTypeCdRom = 5;
constexpr BYTE kSenseLength = 14;
constexpr DWORD kRequestTimeoutMs = 10000;

struct AdapterInquiryBlock
{
    BYTE command;
    BYTE status;
    BYTE adapter;
    BYTE flags;
    DWORD reserved;
    BYTE adapterCount;
    BYTE adapterScsiId;
    BYTE managerId[16];
    BYTE identifier[16];
    BYTE unique[16];
    WORD reserved1;
};

struct DeviceTypeBlock
{
    BYTE command;
    BYTE status;
    BYTE adapter;
    BYTE flags;
    DWORD reserved;
    BYTE target;
    BYTE lun;
    BYTE deviceType;
    BYTE reserved1;
};

struct ExecuteBlock
{
    BYTE command;
    BYTE status;
    BYTE adapter;
    BYTE flags;
    DWORD reserved;
    BYTE target;
    BYTE lun;
    WORD reserved1;
    DWORD bufferLength;
    BYTE* buffer;
    BYTE senseLength;
    BYTE cdbLength;
    BYTE adapterStatus;
    BYTE targetStatus;
    void* completion;
    void* reserved2;
    BYTE reserved3[16];
    BYTE cdb[16];
    BYTE sense[kSenseLength + 2];
};

}  // namespace
#pragma pack(pop)

struct AspiEntryPoints
{
    DWORD(__cdecl* getSupportInfo)() = nullptr;
    DWORD(__cdecl* sendCommand)(void*) = nullptr;
};

namespace {

class OwnedEvent
{
public:
    OwnedEvent() : m_event(::CreateEventA(nullptr, TRUE, FALSE, nullptr)) {}
    ~OwnedEvent()
    {
        if (m_event)
            ::CloseHandle(m_event);
    }
    OwnedEvent(const OwnedEvent&) = delete;
    OwnedEvent& operator=(const OwnedEvent&) = delete;
    HANDLE Get() const { return m_event; }

private:
    HANDLE m_event;
};

// One data-in request; true when the device completed it.
bool Execute(const AspiEntryPoints& aspi, const CAspiCdProvider::Address& address, const BYTE* cdb, BYTE cdbLength,
             BYTE* buffer, DWORD length)
{
    OwnedEvent done;
    if (!done.Get())
        return false;
    ExecuteBlock block;
    std::memset(&block, 0, sizeof block);
    block.command = kCommandExecute;
    block.adapter = address.adapter;
    block.flags = kFlagDataIn | kFlagEventNotify;
    block.target = address.target;
    block.lun = address.lun;
    block.bufferLength = length;
    block.buffer = buffer;
    block.senseLength = kSenseLength;
    block.cdbLength = cdbLength;
    std::memcpy(block.cdb, cdb, cdbLength);
    block.completion = done.Get();
    ::ResetEvent(done.Get());
    if (aspi.sendCommand(&block) == kStatusPending)
        ::WaitForSingleObject(done.Get(), kRequestTimeoutMs);
    return block.status == kStatusComplete;
}

CString InquireDeviceName(const AspiEntryPoints& aspi, const CAspiCdProvider::Address& address)
{
    const BYTE cdb[6] = {0x12, static_cast<BYTE>(address.lun << 5), 0, 0, 0x24, 0};
    BYTE reply[37] = {};
    if (!Execute(aspi, address, cdb, sizeof cdb, reply, sizeof reply))
        return CString(static_cast<char>(0xFF), 1);
    // Vendor and product identification, as the device gives them.
    return CString(reinterpret_cast<const char*>(reply + 8), 24);
}

class CAspiCdDevice : public ICdDevice
{
public:
    CAspiCdDevice(const AspiEntryPoints& aspi, CAspiCdProvider::Address address) : m_aspi(aspi), m_address(address) {}

    void StopAudio() override
    {
        const BYTE pause[10] = {0x4B};
        BYTE data[16] = {};
        Execute(m_aspi, m_address, pause, sizeof pause, data, sizeof data);
    }

    ScsiCommandResult ExecuteDataIn(const BYTE (&cdb)[10], BYTE* buffer, DWORD length, DWORD) override
    {
        ScsiCommandResult result;
        result.completed = Execute(m_aspi, m_address, cdb, sizeof cdb, buffer, length);
        // ASPI does not report how much arrived: the allocation length in the
        // command block is all the reader can go by.
        result.transferred = result.completed ? length : 0;
        return result;
    }

    ScsiCommandResult ReadTocBySystem(BYTE*, DWORD) override { return {}; }

private:
    const AspiEntryPoints& m_aspi;
    CAspiCdProvider::Address m_address;
};

}  // namespace

CAspiCdProvider::CAspiCdProvider() = default;

CAspiCdProvider::~CAspiCdProvider() = default;

bool CAspiCdProvider::Load()
{
    // Loaded once and kept for the rest of the process.
    static AspiEntryPoints entryPoints;
    static HMODULE module = nullptr;
    if (!module) {
        module = ::LoadLibraryA("WNASPI32.DLL");
        if (!module) {
            AppMessageBox("Error: WNASPI32.DLL could not be found.");
            return false;
        }
    }
    entryPoints.getSupportInfo =
        reinterpret_cast<DWORD(__cdecl*)()>(reinterpret_cast<void*>(::GetProcAddress(module, "GetASPI32SupportInfo")));
    entryPoints.sendCommand =
        reinterpret_cast<DWORD(__cdecl*)(void*)>(reinterpret_cast<void*>(::GetProcAddress(module, "SendASPI32Command")));
    if (!entryPoints.getSupportInfo || !entryPoints.sendCommand) {
        AppMessageBox("Error: ASPI functions not supported.");
        return false;
    }
    m_entryPoints = &entryPoints;
    return true;
}

std::vector<CString> CAspiCdProvider::ListDrives()
{
    m_addresses.clear();
    std::vector<std::pair<Address, CString>> found;
    if (!m_entryPoints)
        return {};
    const DWORD support = m_entryPoints->getSupportInfo();
    const BYTE status = static_cast<BYTE>(support >> 8);
    const int adapters = status == kStatusComplete || status == kStatusNoAdapters ? static_cast<int>(support & 0xFF) : 0;
    for (int adapter = 0; adapter < adapters; ++adapter) {
        AdapterInquiryBlock inquiry{};
        inquiry.command = kCommandAdapterInquiry;
        inquiry.adapter = static_cast<BYTE>(adapter);
        m_entryPoints->sendCommand(&inquiry);
        if (inquiry.status != kStatusComplete)
            continue;
        for (BYTE target = 0; target < 8; ++target)
            for (BYTE lun = 0; lun < 8; ++lun) {
                DeviceTypeBlock device{};
                device.command = kCommandGetDeviceType;
                device.adapter = static_cast<BYTE>(adapter);
                device.target = target;
                device.lun = lun;
                m_entryPoints->sendCommand(&device);
                if (device.status == kStatusComplete && device.deviceType == kDeviceTypeCdRom) {
                    const Address address{static_cast<BYTE>(adapter), target, lun};
                    found.emplace_back(address, InquireDeviceName(*m_entryPoints, address));
                }
            }
    }

    // The CD-ROM letters, in order, go to the drives in the order found; when
    // there are too few, every drive is shown by its device name instead.
    std::vector<CString> letters;
    char root[] = "A:";
    for (char letter = 'A'; letter <= 'Z'; ++letter) {
        root[0] = letter;
        if (::GetDriveTypeA(root) == DRIVE_CDROM)
            letters.emplace_back(root);
    }
    std::vector<CString> names;
    for (size_t i = 0; i < found.size(); ++i) {
        m_addresses.push_back(found[i].first);
        if (letters.size() >= found.size()) {
            names.push_back(letters[i]);
        } else {
            CString name = found[i].second;
            name.TrimRight();
            name.Replace("  ", " ");
            name.Replace("  ", " ");
            names.push_back(name);
        }
    }
    return names;
}

std::unique_ptr<ICdDevice> CAspiCdProvider::Open(int drive)
{
    if (!m_entryPoints || drive < 0 || drive >= static_cast<int>(m_addresses.size()))
        return nullptr;
    return std::make_unique<CAspiCdDevice>(*m_entryPoints, m_addresses[static_cast<size_t>(drive)]);
}
