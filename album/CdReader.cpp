#include "album/CdReader.h"

#include "album/AlbumRecord.h"
#include "album/AspiCdDevice.h"
#include "album/CdTextDecoder.h"
#include "album/PassThroughCdDevice.h"
#include "framework/ErrorReport.h"

#include <cstring>

namespace {

constexpr BYTE kReadTocCdb[10] = {0x43, 0x02, 0x00, 0x00, 0x00, 0x00, 0x00, 0x03, 0x24, 0x00};
constexpr BYTE kReadCdTextCdb[10] = {0x43, 0x02, 0x05, 0x00, 0x00, 0x00, 0x00, 0x13, 0x88, 0x00};
constexpr DWORD kReadTocTimeoutSeconds = 5;
constexpr DWORD kReadCdTextTimeoutSeconds = 10;

}  // namespace

int GetOsVersionCode()
{
    OSVERSIONINFOA version{};
    version.dwOSVersionInfoSize = sizeof version;
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wdeprecated-declarations"
    if (!::GetVersionExA(&version))
        return 0;
#pragma GCC diagnostic pop
    if (version.dwPlatformId == VER_PLATFORM_WIN32_WINDOWS)
        return version.dwMinorVersion == 0 ? 1 : 2;
    if (version.dwPlatformId != VER_PLATFORM_WIN32_NT)
        return 0;
    switch (version.dwMajorVersion) {
    case 3:
        return version.dwMinorVersion >= 50 ? 3 : 6;
    case 4:
        return 4;
    case 5:
        return 5;
    default:
        return 6;
    }
}

CCdReader::CCdReader() = default;

CCdReader::CCdReader(std::unique_ptr<ICdDeviceProvider> provider) : m_provider(std::move(provider)) {}

CCdReader::~CCdReader() = default;

bool CCdReader::Init()
{
    return Guarded(203, ErrorSink::App(), false, [&] {
        if (m_bInitialised)
            return false;
        m_nOsCode = GetOsVersionCode();
        if (!m_provider) {
            if (m_nOsCode < 4) {
                auto aspi = std::make_unique<CAspiCdProvider>();
                if (!aspi->Load())
                    return false;
                m_provider = std::move(aspi);
            } else {
                m_provider = std::make_unique<CPassThroughCdProvider>(m_nOsCode);
            }
        }
        ScanDrives();
        m_bInitialised = true;
        return true;
    });
}

bool CCdReader::ScanDrives()
{
    return Guarded(590, ErrorSink::App(), false, [&] {
        m_drives = m_provider->ListDrives();
        return true;
    });
}

int CCdReader::GetDriveCount() const
{
    return m_bInitialised ? static_cast<int>(m_drives.size()) : 0;
}

CString CCdReader::GetDriveName(int drive) const
{
    return Guarded(593, ErrorSink::App(), CString(), [&] {
        if (drive < 0 || drive >= GetDriveCount())
            return CString();
        return m_drives[static_cast<size_t>(drive)];
    });
}

int CCdReader::ReadDisc(int drive, BYTE* toc, bool readCdText, CAlbumRecord* album)
{
    return Guarded(211, ErrorSink::App(), 0, [&] {
        if (!toc || drive < 0 || drive >= GetDriveCount())
            return -1;
        std::unique_ptr<ICdDevice> device = m_provider->Open(drive);
        if (!device)
            return -1;
        return ReadDiscThrough(*device, toc, readCdText, album);
    });
}

int CCdReader::ReadDiscThrough(ICdDevice& device, BYTE* toc, bool readCdText, CAlbumRecord* album)
{
    return Guarded(213, ErrorSink::App(), 0, [&] {
        device.StopAudio();
        std::memset(toc, 0, kTocBufferSize);
        const ScsiCommandResult read = device.ExecuteDataIn(kReadTocCdb, toc, kTocBufferSize, kReadTocTimeoutSeconds);
        if (read.completed && IsUsableToc(toc, read.transferred)) {
            if (readCdText && album) {
                ClearDataBuffer();
                const ScsiCommandResult text =
                    device.ExecuteDataIn(kReadCdTextCdb, m_dataBuffer.data(), kDataBufferSize, kReadCdTextTimeoutSeconds);
                if (text.completed)
                    DecodeCdText(album, text.transferred);
                ClearDataBuffer();
            }
            return 1;
        }
        // Some drives refuse the pass-through request but answer the system's own call.
        std::memset(toc, 0, kTocBufferSize);
        const ScsiCommandResult bySystem = device.ReadTocBySystem(toc, kTocBufferSize);
        if (bySystem.completed && IsUsableToc(toc, bySystem.transferred))
            return 1;
        // Whatever arrived is no table of contents: leave "no disc" for the caller.
        std::memset(toc, 0, kTocBufferSize);
        return -1;
    });
}

int CCdReader::DecodeCdText(CAlbumRecord* album, DWORD size)
{
    return Guarded(202, ErrorSink::App(), 0, [&] {
        if (!album)
            return 0;
        const CdTextAlbum decoded =
            DecodeCdTextPacks(m_dataBuffer.data(), size < kDataBufferSize ? size : kDataBufferSize);
        if (decoded.albumTitle)
            album->m_strTitle = *decoded.albumTitle;
        if (decoded.albumArtist)
            album->m_strArtist = *decoded.albumArtist;
        album->m_strMessage += decoded.message.c_str();
        for (size_t track = 1; track < decoded.trackNames.size(); ++track) {
            CTrackEntry entry;
            if (static_cast<int>(track) < album->GetTrackCount())
                entry = album->GetTrack(static_cast<int>(track));
            entry.m_strName = decoded.trackNames[track];
            album->SetTrackAtGrow(static_cast<int>(track), entry);
        }
        return decoded.found ? 1 : 0;
    });
}

DWORD CCdReader::GetCddbDiscId(const BYTE* toc) const
{
    return Guarded(215, ErrorSink::App(), DWORD{0}, [&] {
        return toc && IsUsableToc(toc, kTocBufferSize) ? static_cast<DWORD>(CddbDiscId(toc)) : DWORD{0};
    });
}

CString CCdReader::GetCddbQuery(const BYTE* toc) const
{
    return Guarded(214, ErrorSink::App(), CString(), [&] {
        return toc && IsUsableToc(toc, kTocBufferSize) ? CString(CddbQuery(toc)) : CString();
    });
}
