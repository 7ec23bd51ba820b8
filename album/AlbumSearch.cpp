#include "framework/SocketHandle.h"

#include "album/AlbumSearch.h"

#include "album/CddbClient.h"

#include "album/AlbumRecord.h"
#include "album/CdPlayerFile.h"
#include "album/Mp3Names.h"
#include "album/Mp3Tags.h"
#include "album/MpegFrameHeader.h"
#include "framework/ErrorReport.h"
#include "framework/SocketHandle.h"

#include <fstream>
#include <iterator>
#include <sstream>
#include <string>

struct CAlbumSearch::Shared
{
    std::atomic<bool> keepRunning{true};

    mutable std::mutex lock;
    AlbumSearchProgress progress;
    CAlbumCandidates candidates;
    TocBuffer toc{};
    std::vector<CCddbSite> serverList;

    void SetStatusText(const CString& text)
    {
        std::lock_guard<std::mutex> guard(lock);
        progress.statusText = text;
    }
    void SetErrorText(const CString& text)
    {
        std::lock_guard<std::mutex> guard(lock);
        progress.errorText = text;
    }
    void SetStatus(int status)
    {
        std::lock_guard<std::mutex> guard(lock);
        progress.status = status;
    }
    void AddCandidate(std::unique_ptr<CCddbDiscInfo> candidate)
    {
        std::lock_guard<std::mutex> guard(lock);
        candidates.push_back(std::move(candidate));
    }
    bool Running() const { return keepRunning.load(); }
};

namespace {

constexpr int kWaitForOldSearchMilliseconds = 0;

struct SearchJob
{
    std::shared_ptr<CAlbumSearch::Shared> shared;
    AlbumSearchSettings settings;
    std::unique_ptr<CCdReader> reader;
    std::shared_ptr<IMp3FileFinder> finder;
};

// A backtick separates the fields of a track list: none may come in from outside.
std::string WithoutBackticks(std::string text)
{
    for (char& ch : text)
        if (ch == '`')
            ch = '\'';
    return text;
}

void CleanCandidate(CCddbDiscInfo& candidate)
{
    candidate.m_strArtist = WithoutBackticks(candidate.m_strArtist);
    candidate.m_strTitle = WithoutBackticks(candidate.m_strTitle);
    candidate.m_strGenre = WithoutBackticks(candidate.m_strGenre);
    for (std::string& title : candidate.m_trackTitles)
        title = WithoutBackticks(title);
}

class SearchWorker
{
public:
    explicit SearchWorker(SearchJob& job) : m_job(job), m_shared(*job.shared), m_settings(job.settings) {}

    void Run(int& step)
    {
        step = 1;
        CCdReader& reader = *m_job.reader;
        reader.Init();
        CAlbumRecord album;
        TocBuffer toc{};
        const bool read = reader.ReadDisc(m_settings.drive, toc.data(), m_settings.useCdText, &album) == 1;
        {
            std::lock_guard<std::mutex> guard(m_shared.lock);
            m_shared.toc = toc;
        }
        if (!m_shared.Running())
            return;
        // A TOC the reader did not vouch for may be half filled: no disc.
        if (!read || toc[2] == 0 || toc[3] == 0 || !IsUsableToc(toc.data(), toc.size())) {
            m_shared.SetStatus(kAlbumSearchNoDisc);
            return;
        }
        const int count = TocTrackCount(toc.data());
        int dataTracks = 0;
        for (int track = 0; track < count; ++track)
            dataTracks += TocIsDataTrack(toc.data(), track) ? 1 : 0;
        if (dataTracks == count) {
            step = 8;
            SearchMp3Files(reader.GetDriveName(m_settings.drive));
            return;
        }
        if (m_settings.useOnlineDatabase) {
            step = 5;
            if (!SearchAlbumDatabase(reader.GetCddbQuery(toc.data())))
                return;
        }
        if (m_settings.useCdText) {
            step = 6;
            AddCdTextCandidate(album, count);
        }
        if (m_settings.useCdPlayer) {
            step = 7;
            AddCdPlayerCandidate(toc);
        }
        if (m_shared.Running())
            m_shared.SetStatus(kAlbumSearchAudioDone);
    }

private:
    // False when the search was stopped on the way.
    bool SearchAlbumDatabase(const CString& command)
    {
        m_shared.SetStatusText(" Connecting to Freedb");
        WinsockSession sockets;
        if (!sockets.IsStarted()) {
            m_shared.SetErrorText(AlbumDatabaseErrorText(kCddbQueryNoSocket));
            return true;
        }
        if (!m_shared.Running())
            return false;
        CCddbClient client;
        client.SetTimeout(m_settings.timeoutMilliseconds);
        client.SetRunFlag(&m_shared.keepRunning);
        const CCddbSite& site = m_settings.site;
        if (site.m_bProxy) {
            client.SetProxy(site.m_strProxyHost, atoi(site.m_strProxyPort), site.m_strProxyUser,
                            site.m_strProxyPassword);
            CCddbSiteArray sites;
            if (client.GetSitesFrom(sites, m_settings.sitesHost, kDefaultCddbPath, m_settings.sitesPort)) {
                std::lock_guard<std::mutex> guard(m_shared.lock);
                m_shared.serverList = std::move(sites);
            }
            if (!m_shared.Running())
                return false;
        }
        m_shared.SetStatusText(" Searching Freedb");
        CCddbMatchArray matches;
        const int result = client.Query(site, command, matches);
        if (!m_shared.Running())
            return false;
        if (result != kCddbQueryDone) {
            m_shared.SetErrorText(AlbumDatabaseErrorText(result));
            return true;
        }
        if (!matches.empty())
            m_shared.SetStatusText(" Retrieving Freedb records");
        for (const CCddbMatch& match : matches) {
            if (!m_shared.Running())
                return false;
            auto record = std::make_unique<CCddbDiscInfo>();
            if (!client.ReadRecord(site, match.m_strCategory, match.m_dwDiscId, *record)) {
                if (!m_shared.Running())
                    return false;
                // The records read so far stay candidates.
                m_shared.SetErrorText("Error: Could not read the Freedb record.");
                break;
            }
            CleanCandidate(*record);
            record->m_strLabel = "Freedb";
            m_shared.AddCandidate(std::move(record));
        }
        return true;
    }

    void AddCdTextCandidate(CAlbumRecord& album, int discTracks)
    {
        m_shared.SetStatusText(" Scanning CD-TEXT ");
        if (album.m_strArtist.IsEmpty() && album.m_strTitle.IsEmpty() && album.GetTrackCount() == 0)
            return;
        auto candidate = std::make_unique<CCddbDiscInfo>();
        candidate->m_strArtist = album.m_strArtist.str();
        candidate->m_strTitle = album.m_strTitle.str();
        for (int entry = 1; entry < album.GetTrackCount() && entry <= discTracks; ++entry)
            candidate->m_trackTitles.push_back(album.GetTrack(entry).m_strName.str());
        CleanCandidate(*candidate);
        candidate->m_strLabel = "CD-TEXT";
        m_shared.AddCandidate(std::move(candidate));
        album.Clear();
    }

    void AddCdPlayerCandidate(const TocBuffer& toc)
    {
        m_shared.SetStatusText(" Scanning CDPlayer File ");
        std::ifstream file(m_settings.cdPlayerPath.c_str(), std::ios::binary);
        if (!file)
            return;
        // The file is the CD player's, not ours: a runaway one is not read whole.
        constexpr std::streamsize kMaxFileBytes = 16 << 20;
        std::string text;
        text.resize(static_cast<size_t>(kMaxFileBytes));
        file.read(text.data(), kMaxFileBytes);
        text.resize(static_cast<size_t>(file.gcount()));
        std::optional<CCddbDiscInfo> entry = FindCdPlayerEntry(text, CdPlayerSectionKey(toc.data()));
        if (!entry)
            return;
        auto candidate = std::make_unique<CCddbDiscInfo>(std::move(*entry));
        CleanCandidate(*candidate);
        candidate->m_strLabel = "CDPlayer.ini";
        m_shared.AddCandidate(std::move(candidate));
    }

    void SearchMp3Files(const CString& driveName)
    {
        if (!m_settings.useMp3) {
            m_shared.SetStatus(kAlbumSearchNoMusic);
            return;
        }
        CFolderMp3Finder systemFinder;
        IMp3FileFinder& finder = m_job.finder ? *m_job.finder : systemFinder;
        const std::vector<CString> paths = finder.FindMp3Files(driveName, m_shared.keepRunning);
        if (!m_shared.Running())
            return;
        if (paths.empty()) {
            m_shared.SetStatus(kAlbumSearchNoMusic);
            return;
        }
        std::vector<CString> names;
        for (const CString& path : paths)
            names.push_back(Mp3DisplayName(path));
        {
            std::lock_guard<std::mutex> guard(m_shared.lock);
            m_shared.progress.mp3Paths = paths;
            m_shared.progress.mp3Names = names;
            m_shared.progress.statusText = " " + names.back();
        }
        for (size_t i = 0; i < paths.size(); ++i) {
            if (!m_shared.Running())
                return;
            CString tagName = CleanMp3TagName(Mp3TagName(ReadMp3TagTexts(paths[i])));
            if (tagName.IsEmpty())
                tagName = names[i];
            tagName.Replace('`', '\'');
            CMpegFrameHeader header;
            const CString time = header.GetPlayTime(paths[i]).c_str();
            std::lock_guard<std::mutex> guard(m_shared.lock);
            m_shared.progress.statusText = " " + tagName;
            m_shared.progress.mp3TagNames.push_back(tagName);
            m_shared.progress.mp3Times.push_back(time);
        }
        m_shared.SetStatus(kAlbumSearchMp3Done);
    }

    SearchJob& m_job;
    CAlbumSearch::Shared& m_shared;
    const AlbumSearchSettings& m_settings;
};

UINT SearchThread(LPVOID parameter)
{
    std::unique_ptr<SearchJob> job(static_cast<SearchJob*>(parameter));
    std::shared_ptr<CAlbumSearch::Shared> shared = job->shared;
    bool finished = false;
    GuardedSteps(358, ErrorSink::App(), [&](int& step) {
        SearchWorker(*job).Run(step);
        finished = true;
    });
    // The report has been shown; the dialog must not wait for a status that never comes.
    if (!finished && shared->Running())
        shared->SetStatus(kAlbumSearchFailed);
    // The worker's reader, client and finder go here, on the worker's own thread.
    job.reset();
    return finished ? 1 : 0;
}

}  // namespace

CString AlbumDatabaseErrorText(int queryResult)
{
    switch (queryResult) {
    case kCddbQueryDone:
    case kCddbQueryStopped:
        return CString();
    case kCddbQueryNoSocket:
        return "Error: The Freedb option requires an internet connection.";
    case kCddbQueryNoConnection:
        return "Error: Could not connect to the Freedb server. Please check the connection settings.";
    case kCddbQueryReadFailed:
        return "Error: The Freedb server did not respond in time. (Timeout)";
    default:
        return "An unexpected error occurred while connected to the Freedb server.";
    }
}

CAlbumSearch::CAlbumSearch() : CAlbumSearch(nullptr, nullptr) {}

CAlbumSearch::CAlbumSearch(ReaderFactory readers, std::shared_ptr<IMp3FileFinder> finder)
    : m_readers(std::move(readers)), m_finder(std::move(finder)), m_shared(std::make_shared<Shared>())
{
    m_shared->progress.status = kAlbumSearchNoDisc;
    m_shared->keepRunning = false;
}

CAlbumSearch::~CAlbumSearch()
{
    Stop();
}

bool CAlbumSearch::Start(const AlbumSearchSettings& settings)
{
    Stop();
    Wait(kWaitForOldSearchMilliseconds);
    // A fresh state: a worker of an earlier search still ending writes only into its own.
    m_shared = std::make_shared<Shared>();
    m_shared->progress.statusText = kSearchScanningCd;
    auto job = std::make_unique<SearchJob>();
    job->shared = m_shared;
    job->settings = settings;
    job->reader = m_readers ? m_readers() : std::make_unique<CCdReader>();
    job->finder = m_finder;
    m_worker = BeginThread(&SearchThread, job.get(), THREAD_PRIORITY_HIGHEST);
    if (!m_worker) {
        m_shared->keepRunning = false;
        m_shared->progress.status = kAlbumSearchFailed;
        return false;
    }
    job.release();  // the worker owns it now
    return true;
}

void CAlbumSearch::Stop()
{
    m_shared->keepRunning = false;
}

bool CAlbumSearch::Wait(DWORD milliseconds) const
{
    return !m_worker || m_worker.Wait(milliseconds) == WAIT_OBJECT_0;
}

bool CAlbumSearch::IsSearching() const
{
    return m_worker.IsRunning();
}

int CAlbumSearch::GetStatus() const
{
    std::lock_guard<std::mutex> guard(m_shared->lock);
    return m_shared->progress.status;
}

AlbumSearchProgress CAlbumSearch::GetProgress() const
{
    std::lock_guard<std::mutex> guard(m_shared->lock);
    return m_shared->progress;
}

CAlbumCandidates CAlbumSearch::TakeCandidates()
{
    std::lock_guard<std::mutex> guard(m_shared->lock);
    return std::move(m_shared->candidates);
}

TocBuffer CAlbumSearch::GetToc() const
{
    std::lock_guard<std::mutex> guard(m_shared->lock);
    return m_shared->toc;
}

std::vector<CCddbSite> CAlbumSearch::GetServerList() const
{
    std::lock_guard<std::mutex> guard(m_shared->lock);
    return m_shared->serverList;
}
