#include "framework/SocketHandle.h"

#include "album/ServerListFetch.h"

#include "album/CddbClient.h"
#include "framework/ErrorReport.h"

#include <atomic>
#include <mutex>

struct CServerListFetch::Shared
{
    std::atomic<bool> keepRunning{true};
    mutable std::mutex lock;
    int status = kServerListRunning;
    std::vector<CCddbSite> sites;
};

namespace {

struct FetchJob
{
    std::shared_ptr<CServerListFetch::Shared> shared;
    CString host;
    int port = 80;
    CString path;
    int timeout = 0;
};

UINT ServerListThread(LPVOID parameter)
{
    std::unique_ptr<FetchJob> job(static_cast<FetchJob*>(parameter));
    CServerListFetch::Shared& shared = *job->shared;
    int status = kServerListFailed;
    Guarded(359, ErrorSink::App(), [&] {
        WinsockSession sockets;
        if (!sockets.IsStarted()) {
            status = kServerListNoSockets;
            return;
        }
        CCddbClient client;
        client.SetTimeout(job->timeout);
        client.SetRunFlag(&shared.keepRunning);
        std::vector<CCddbSite> sites;
        if (client.GetSitesFrom(sites, job->host, job->path, job->port)) {
            std::lock_guard<std::mutex> guard(shared.lock);
            shared.sites = std::move(sites);
            status = kServerListFetched;
        }
    });
    std::lock_guard<std::mutex> guard(shared.lock);
    shared.status = status;
    return status == kServerListFetched ? 1 : 0;
}

}  // namespace

CServerListFetch::CServerListFetch() : m_shared(std::make_shared<Shared>())
{
    m_shared->status = kServerListFailed;
}

CServerListFetch::~CServerListFetch()
{
    Stop();
}

bool CServerListFetch::Start(const CString& host, int port, const CString& path, int timeoutMilliseconds)
{
    Stop();
    m_shared = std::make_shared<Shared>();
    auto job = std::make_unique<FetchJob>(FetchJob{m_shared, host, port, path, timeoutMilliseconds});
    m_worker = BeginThread(&ServerListThread, job.get(), THREAD_PRIORITY_HIGHEST);
    if (!m_worker) {
        m_shared->status = kServerListFailed;
        return false;
    }
    job.release();  // the worker owns it now
    return true;
}

void CServerListFetch::Stop()
{
    m_shared->keepRunning = false;
}

bool CServerListFetch::Wait(DWORD milliseconds) const
{
    return !m_worker || m_worker.Wait(milliseconds) == WAIT_OBJECT_0;
}

int CServerListFetch::GetStatus() const
{
    std::lock_guard<std::mutex> guard(m_shared->lock);
    return m_shared->status;
}

std::vector<CCddbSite> CServerListFetch::GetSites() const
{
    std::lock_guard<std::mutex> guard(m_shared->lock);
    return m_shared->sites;
}
