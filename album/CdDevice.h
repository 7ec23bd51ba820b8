#pragma once
// How the CD reader reaches a drive: a short list of drives, each opened as a
// device that stops audio play and runs 10-byte data-in command blocks. The
// real ways are SCSI pass-through (PassThroughCdDevice.h) and ASPI
// (AspiCdDevice.h); tests hand the reader a stand-in that answers the same
// command blocks with bytes.

#include "framework/String.h"

#include <windows.h>

#include <memory>
#include <vector>

struct ScsiCommandResult
{
    bool completed = false;  // the request reached the drive and it answered GOOD
    DWORD transferred = 0;   // bytes the drive delivered into the buffer
};

class ICdDevice
{
public:
    virtual ~ICdDevice() = default;

    virtual void StopAudio() = 0;
    virtual ScsiCommandResult ExecuteDataIn(const BYTE (&cdb)[10], BYTE* buffer, DWORD length,
                                            DWORD timeoutSeconds) = 0;
    // The system's own READ TOC (format 0, MSF) for drives that refuse a
    // pass-through request; fills the same layout.
    virtual ScsiCommandResult ReadTocBySystem(BYTE* toc, DWORD length) = 0;
};

class ICdDeviceProvider
{
public:
    virtual ~ICdDeviceProvider() = default;

    // The drives in the order callers number them, each with the text shown
    // for it (the drive letter with its colon, or the device's name).
    virtual std::vector<CString> ListDrives() = 0;
    // nullptr when the drive cannot be opened.
    virtual std::unique_ptr<ICdDevice> Open(int drive) = 0;
};
