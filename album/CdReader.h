#pragma once
// CCdReader finds the machine's CD drives and reads the table of contents of
// the disc in one of them, and on request its CD-Text. From a TOC it makes the
// album-database disc id and query. One thread uses a reader at a time.

#include "album/CdDevice.h"
#include "album/CdToc.h"
#include "framework/String.h"

#include <windows.h>

#include <array>
#include <memory>
#include <vector>

class CAlbumRecord;

// The reader's own numbering of Windows versions: below 4 the drives are
// reached through ASPI, from 4 on through SCSI pass-through.
int GetOsVersionCode();

class CCdReader
{
public:
    CCdReader();
    // The drives come from `provider` instead of the system (tests).
    explicit CCdReader(std::unique_ptr<ICdDeviceProvider> provider);
    virtual ~CCdReader();
    CCdReader(const CCdReader&) = delete;
    CCdReader& operator=(const CCdReader&) = delete;

    bool Init();
    int GetDriveCount() const;
    CString GetDriveName(int drive) const;
    // Fills the 804-byte `toc` (first track 0: no disc). 1 when the TOC was
    // read, -1 when it was not, 0 after an unexpected failure.
    int ReadDisc(int drive, BYTE* toc, bool readCdText, CAlbumRecord* album);

    DWORD GetCddbDiscId(const BYTE* toc) const;
    CString GetCddbQuery(const BYTE* toc) const;
    static int DigitSum(unsigned value) { return ::DigitSum(value); }

    // Decodes the CD-Text reply of `size` bytes that lies in the data buffer.
    int DecodeCdText(CAlbumRecord* album, DWORD size);

    static constexpr DWORD kDataBufferSize = 5000;

private:
    bool ScanDrives();
    int ReadDiscThrough(ICdDevice& device, BYTE* toc, bool readCdText, CAlbumRecord* album);
    void ClearDataBuffer() { m_dataBuffer.fill(0); }

    bool m_bInitialised = false;
    int m_nOsCode = 0;
    std::unique_ptr<ICdDeviceProvider> m_provider;
    std::vector<CString> m_drives;
    std::array<BYTE, kDataBufferSize> m_dataBuffer{};
};
