#pragma once
// One SCSI data-in command sent through the ASPI layer and waited for. The
// request owns its block, its data area and its completion event, and hands
// the data to the caller only when the device completed the command. A
// request the device has not answered in time is aborted; when the layer
// might still complete it after that, the request is kept for the rest of the
// process rather than freed under the layer's feet.

#include "album/AspiRequestBlocks.h"

#include <windows.h>

#include <cstddef>

struct AspiAddress
{
    BYTE adapter = 0;
    BYTE target = 0;
    BYTE lun = 0;
};

constexpr DWORD kAspiRequestTimeoutMs = 10000;

// True when the device completed the command (status SS_COMP); only then is
// what arrived copied into `buffer`, which is otherwise left as it was.
bool ExecuteAspiCommand(const aspi::EntryPoints& layer, const AspiAddress& address, const BYTE* cdb, BYTE cdbLength,
                        BYTE* buffer, DWORD length, DWORD timeoutMs = kAspiRequestTimeoutMs);

// How many requests are kept because the layer may still write into them.
size_t AspiRequestsKeptForTheLayer();
