#pragma once
// The album-database server list, fetched on a worker thread from one server
// ("sites"). Like the album search it shares only a guarded state object with
// its caller, so the caller may go while a request still waits.

#include "album/CddbSite.h"
#include "framework/String.h"
#include "framework/Thread.h"

#include <memory>
#include <vector>

enum ServerListStatus : int
{
    kServerListRunning = 0,
    kServerListFetched = 1,
    kServerListFailed = 2,
    kServerListNoSockets = 3,
};

class CServerListFetch
{
public:
    CServerListFetch();
    // Stops a running request; the worker ends on its own.
    ~CServerListFetch();
    CServerListFetch(const CServerListFetch&) = delete;
    CServerListFetch& operator=(const CServerListFetch&) = delete;

    bool Start(const CString& host, int port, const CString& path, int timeoutMilliseconds);
    void Stop();
    bool Wait(DWORD milliseconds) const;
    int GetStatus() const;
    std::vector<CCddbSite> GetSites() const;

    struct Shared;

private:
    std::shared_ptr<Shared> m_shared;
    CThreadHandle m_worker;
};
