#pragma once
// CCddbClient: speaks the CDDB protocol to an album-database server through
// its CGI program over HTTP 1.0, straight or through an HTTP proxy with basic
// authorisation. Each request opens its own connection, sends one GET, reads
// the whole reply, closes and parses the body. Runs on worker threads only;
// the socket layer must have been started in the process (WinsockSession).
//
// Failures never throw: requests return their result, set the socket error
// for the caller, keep the text received as the last reply and say why in
// the last error text.

#include "framework/SocketHandle.h"

#include "album/CddbRecords.h"
#include "album/CddbReplyReader.h"
#include "album/CddbRequest.h"
#include "album/CddbSite.h"

#include "framework/String.h"

#include <windows.h>

#include <atomic>
#include <string>
#include <vector>

class CCddbSocket;

using CCddbSiteArray = std::vector<CCddbSite>;

// Results of CCddbClient::Query.
enum : int
{
    kCddbQueryDone = 0,          // the match list holds the matches (none when the server knows none)
    kCddbQueryNoSocket = 1,      // the socket could not be created
    kCddbQueryNoConnection = 2,  // name lookup or connect failed
    kCddbQuerySendFailed = 3,
    kCddbQueryReadFailed = 4,    // time-out, early close or socket error while reading
    kCddbQueryRefused = 5,       // an HTTP or CDDB error code, or a reply that cannot be read
    kCddbQueryStopped = 6,       // the caller's stop flag was cleared while waiting for the reply
};

class CCddbClient
{
public:
    static constexpr int kDefaultTimeout = 20000;  // milliseconds of silence

    CCddbClient() = default;
    virtual ~CCddbClient() = default;
    CCddbClient(const CCddbClient&) = delete;
    CCddbClient& operator=(const CCddbClient&) = delete;

    void SetProxy(const CString& host, int port, const CString& user, const CString& password);
    void SetTimeout(int milliseconds) { m_nTimeout = milliseconds; }
    // While waiting for a reply the client looks at `keepRunning` several times
    // a second and gives up as soon as it is false (a cancelled search).
    void SetRunFlag(const std::atomic<bool>* keepRunning) { m_pKeepRunning = keepRunning; }
    bool IsStopped() const { return m_pKeepRunning && !m_pKeepRunning->load(); }

    // The site's server list, replacing `sites`; FALSE when it could not be had.
    BOOL GetSites(CCddbSiteArray& sites, const CCddbSite& site);
    BOOL GetSitesFrom(CCddbSiteArray& sites, const CString& host, const CString& path, int port);
    // Sends a query command ("cddb+query+..."); one of the kCddbQuery results.
    int Query(const CCddbSite& site, const CString& command, CCddbMatchArray& matches);
    // The record of one match. Once a reply has been read the record's disc id
    // is the one asked for, whatever the parse gave.
    BOOL ReadRecord(const CCddbSite& site, const CString& category, DWORD discId, CCddbDiscInfo& record);

    // The text of the last reply that could not be used; empty after a good one.
    const CString& GetLastReply() const { return m_strLastReply; }
    // Why the last request failed; empty after a good one.
    const CString& GetLastErrorText() const { return m_strLastError; }

    virtual CString MakeHello();
    virtual CString GetUserName();
    virtual CString GetHostName();

protected:
    // Reads the reply until it is whole, failed, or silent for the time-out.
    virtual BOOL ReadReply(CCddbSocket& socket, CCddbReplyReader& reader);

private:
    // One request on its own connection; a kCddbQuery result.
    int Exchange(const CCddbSite& site, const std::string& query, CCddbReplyReader& reader);
    int Fail(int result, int socketError, const std::string& why, const std::string& received);
    std::string QueryText(const char* command);

    CString m_strLastReply;
    CString m_strLastError;
    int m_nTimeout = kDefaultTimeout;
    CString m_strClientName = "MfcCDDB";
    CString m_strClientVersion = "1.22";
    int m_nProtocolLevel = 5;
    CCddbProxySettings m_proxy;
    const std::atomic<bool>* m_pKeepRunning = nullptr;
};
