#pragma once
// The request blocks and codes of the ASPI for Win32 interface, byte for byte
// as the layer reads and writes them.

#include <windows.h>

namespace aspi {

constexpr BYTE kCommandAdapterInquiry = 0;  // SC_HA_INQUIRY
constexpr BYTE kCommandGetDeviceType = 1;   // SC_GET_DEV_TYPE
constexpr BYTE kCommandExecute = 2;         // SC_EXEC_SCSI_CMD
constexpr BYTE kCommandAbort = 3;           // SC_ABORT_SRB

constexpr BYTE kStatusPending = 0;       // SS_PENDING
constexpr BYTE kStatusComplete = 1;      // SS_COMP
constexpr BYTE kStatusAborted = 2;       // SS_ABORTED
constexpr BYTE kStatusNoAdapters = 0xE8; // SS_NO_ADAPTERS

constexpr BYTE kFlagDataIn = 0x08;       // SRB_DIR_IN
constexpr BYTE kFlagEventNotify = 0x40;  // SRB_EVENT_NOTIFY
constexpr BYTE kDeviceTypeCdRom = 5;     // DTYPE_CDROM
constexpr BYTE kSenseLength = 14;        // SENSE_LEN

#pragma pack(push, 1)

struct AdapterInquiryBlock  // SRB_HAInquiry
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

struct DeviceTypeBlock  // SRB_GDEVBlock
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

struct ExecuteBlock  // SRB_ExecSCSICmd
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

struct AbortBlock  // SRB_Abort
{
    BYTE command;
    BYTE status;
    BYTE adapter;
    BYTE flags;
    DWORD reserved;
    void* toAbort;
};

#pragma pack(pop)

// The layer's two entry points.
struct EntryPoints
{
    DWORD(__cdecl* getSupportInfo)() = nullptr;
    DWORD(__cdecl* sendCommand)(void* block) = nullptr;
};

}  // namespace aspi
