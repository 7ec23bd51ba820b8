#include "album/PassThroughCdDevice.h"

#include <ntddcdrm.h>
#include <ntddscsi.h>

#include <cstddef>
#include <cstring>

namespace {

constexpr UCHAR kScsiStatusGood = 0x00;

// The request and room for the drive's sense data after it, in one block that
// is both input and output of the device call.
struct PassThroughRequest
{
    SCSI_PASS_THROUGH_DIRECT request;
    ULONG alignment;
    UCHAR sense[32];
};

class OwnedDeviceHandle
{
public:
    explicit OwnedDeviceHandle(HANDLE handle) : m_handle(handle) {}
    ~OwnedDeviceHandle()
    {
        if (IsValid())
            ::CloseHandle(m_handle);
    }
    OwnedDeviceHandle(const OwnedDeviceHandle&) = delete;
    OwnedDeviceHandle& operator=(const OwnedDeviceHandle&) = delete;

    bool IsValid() const { return m_handle != INVALID_HANDLE_VALUE && m_handle != nullptr; }
    HANDLE Get() const { return m_handle; }

private:
    HANDLE m_handle;
};

class CPassThroughCdDevice : public ICdDevice
{
public:
    explicit CPassThroughCdDevice(HANDLE handle) : m_device(handle) {}

    void StopAudio() override
    {
        DWORD returned = 0;
        ::DeviceIoControl(m_device.Get(), IOCTL_CDROM_STOP_AUDIO, nullptr, 0, nullptr, 0, &returned, nullptr);
    }

    ScsiCommandResult ExecuteDataIn(const BYTE (&cdb)[10], BYTE* buffer, DWORD length, DWORD timeoutSeconds) override
    {
        PassThroughRequest block;
        std::memset(&block, 0, sizeof block);
        block.request.Length = sizeof(SCSI_PASS_THROUGH_DIRECT);
        block.request.CdbLength = sizeof cdb;
        block.request.SenseInfoLength = sizeof block.sense;
        block.request.SenseInfoOffset = offsetof(PassThroughRequest, sense);
        block.request.DataIn = SCSI_IOCTL_DATA_IN;
        block.request.DataTransferLength = length;
        block.request.TimeOutValue = timeoutSeconds;
        block.request.DataBuffer = buffer;
        std::memcpy(block.request.Cdb, cdb, sizeof cdb);

        DWORD returned = 0;
        ScsiCommandResult result;
        if (!::DeviceIoControl(m_device.Get(), IOCTL_SCSI_PASS_THROUGH_DIRECT, &block, sizeof block, &block,
                               sizeof block, &returned, nullptr))
            return result;
        // The call succeeds even when the drive answered CHECK CONDITION: only
        // the drive's status says whether the data is there.
        result.completed = block.request.ScsiStatus == kScsiStatusGood;
        result.transferred = block.request.DataTransferLength <= length ? block.request.DataTransferLength : 0;
        return result;
    }

    ScsiCommandResult ReadTocBySystem(BYTE* toc, DWORD length) override
    {
        DWORD returned = 0;
        ScsiCommandResult result;
        result.completed =
            ::DeviceIoControl(m_device.Get(), IOCTL_CDROM_READ_TOC, nullptr, 0, toc, length, &returned, nullptr) != 0;
        result.transferred = returned <= length ? returned : 0;
        return result;
    }

private:
    OwnedDeviceHandle m_device;
};

}  // namespace

std::vector<CString> CPassThroughCdProvider::ListDrives()
{
    m_letters.clear();
    char root[] = "A:";
    for (char letter = 'A'; letter <= 'Z'; ++letter) {
        root[0] = letter;
        if (::GetDriveTypeA(root) == DRIVE_CDROM)
            m_letters.emplace_back(root);
    }
    return m_letters;
}

std::unique_ptr<ICdDevice> CPassThroughCdProvider::Open(int drive)
{
    if (drive < 0 || drive >= static_cast<int>(m_letters.size()))
        return nullptr;
    const CString path = CString("\\\\.\\") + m_letters[static_cast<size_t>(drive)];
    const DWORD access = m_osCode == 4 ? GENERIC_READ : GENERIC_READ | GENERIC_WRITE;
    // Another program (a player, the shell) may hold the drive open: share both ways.
    HANDLE handle = ::CreateFileA(path, access, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING, 0, nullptr);
    if (handle == INVALID_HANDLE_VALUE)
        handle = ::CreateFileA(path, MAXIMUM_ALLOWED, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING, 0,
                               nullptr);
    if (handle == INVALID_HANDLE_VALUE)
        return nullptr;
    return std::make_unique<CPassThroughCdDevice>(handle);
}
