#pragma once
// CAlbumSearch: the background search of the album dialog. It reads the TOC
// of the disc in the chosen drive and gathers candidate albums from the
// album database, the disc's CD-Text and the CD player's file; for a disc
// with data tracks only it lists the disc's MP3 files with their tag names
// and play times instead.
//
// The worker shares nothing with its caller but one state object, guarded by
// a lock and kept alive by both sides, so a caller may stop a search and go
// (or start the next one) without waiting for the worker to notice.

#include "album/CdReader.h"
#include "album/CddbRecords.h"
#include "album/CddbSite.h"
#include "album/CdToc.h"
#include "album/Mp3FileFinder.h"
#include "framework/String.h"
#include "framework/Thread.h"

#include <array>
#include <atomic>
#include <functional>
#include <memory>
#include <mutex>
#include <vector>

enum AlbumSearchStatus : int
{
    kAlbumSearchRunning = 0,
    kAlbumSearchAudioDone = 1,  // an audio CD: the candidates and the TOC are complete
    kAlbumSearchNoMusic = 2,    // a data CD without MP3 files (or the MP3 source off)
    kAlbumSearchNoDisc = 3,     // no TOC could be read
    kAlbumSearchMp3Done = 4,    // a data CD: every MP3 row has its tag name and time
    kAlbumSearchFailed = 5,     // an unexpected failure, already reported
};

// Milliseconds of silence after which an album-database request fails.
inline constexpr int kAlbumDatabaseTimeout = 20000;

// Status texts the dialog shows as its caption.
inline constexpr const char kSearchScanningCd[] = " Scanning CD ";

struct AlbumSearchSettings
{
    int drive = 0;
    bool useOnlineDatabase = true;
    bool useCdText = true;
    bool useCdPlayer = true;
    bool useMp3 = true;
    CString cdPlayerPath;
    // The album-database server asked, with the proxy settings it travels with.
    CCddbSite site;
    // Asked for its server list (through the proxy) when a proxy is used.
    CString sitesHost = kDefaultCddbHost;
    int sitesPort = 80;
    int timeoutMilliseconds = kAlbumDatabaseTimeout;
};

// A copy of what the search has reported so far.
struct AlbumSearchProgress
{
    int status = kAlbumSearchRunning;
    CString statusText;
    CString errorText;
    // Filled for a data CD: the names first (all at once), then tag names and
    // times file by file.
    std::vector<CString> mp3Paths;
    std::vector<CString> mp3Names;
    std::vector<CString> mp3TagNames;
    std::vector<CString> mp3Times;
};

using CAlbumCandidates = std::vector<std::unique_ptr<CCddbDiscInfo>>;
using TocBuffer = std::array<BYTE, kTocBufferSize>;

class CAlbumSearch
{
public:
    // Makes the reader each search reads the disc with (tests hand in a stand-in drive).
    using ReaderFactory = std::function<std::unique_ptr<CCdReader>()>;

    CAlbumSearch();
    CAlbumSearch(ReaderFactory readers, std::shared_ptr<IMp3FileFinder> finder);
    // Stops a running search; the worker ends on its own.
    ~CAlbumSearch();
    CAlbumSearch(const CAlbumSearch&) = delete;
    CAlbumSearch& operator=(const CAlbumSearch&) = delete;

    // Starts a new search, stopping any that still runs; false when no thread could be made.
    bool Start(const AlbumSearchSettings& settings);
    // The worker stops at its next check, also inside a network wait.
    void Stop();
    // Waits for the worker to end; true when it has (or none ran).
    bool Wait(DWORD milliseconds) const;
    bool IsSearching() const;

    int GetStatus() const;
    AlbumSearchProgress GetProgress() const;
    // The candidates found so far, handed over to the caller.
    CAlbumCandidates TakeCandidates();
    TocBuffer GetToc() const;
    // The server list fetched on the way (only when a proxy is used).
    std::vector<CCddbSite> GetServerList() const;

    struct Shared;

private:
    ReaderFactory m_readers;
    std::shared_ptr<IMp3FileFinder> m_finder;
    std::shared_ptr<Shared> m_shared;
    CThreadHandle m_worker;
};

// The error texts of the album database's results.
CString AlbumDatabaseErrorText(int queryResult);
