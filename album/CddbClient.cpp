#include "framework/SocketHandle.h"

#include "album/CddbClient.h"

#include "album/CddbReplyParser.h"
#include "album/CddbSocket.h"

#include <algorithm>
#include <cstdio>

namespace {

constexpr ULONGLONG kStopPollMilliseconds = 100;

// Letters and digits stay; anything else could break the greeting's fields.
CString OnlyLettersAndDigits(const char* text)
{
    CString out(text);
    for (int i = 0; i < out.GetLength(); ++i) {
        const char ch = out[i];
        const bool keep = (ch >= 'a' && ch <= 'z') || (ch >= 'A' && ch <= 'Z') || (ch >= '0' && ch <= '9');
        if (!keep)
            out.SetAt(i, '_');
    }
    return out;
}

// A category goes into the request line as it came from the server's match
// list: only a plain word is sent.
bool IsPlainWord(const CString& text)
{
    if (text.IsEmpty() || text.GetLength() > 64)
        return false;
    for (int i = 0; i < text.GetLength(); ++i) {
        const char ch = text[i];
        if (!((ch >= 'a' && ch <= 'z') || (ch >= 'A' && ch <= 'Z') || (ch >= '0' && ch <= '9')))
            return false;
    }
    return true;
}

}  // namespace

void CCddbClient::SetProxy(const CString& host, int port, const CString& user, const CString& password)
{
    m_proxy.m_strHost = host.str();
    m_proxy.m_nPort = port;
    m_proxy.m_strUser = user.str();
    m_proxy.m_strPassword = password.str();
}

CString CCddbClient::GetUserName()
{
    char name[261] = {};
    DWORD size = sizeof(name);
    if (!::GetUserNameA(name, &size) || name[0] == '\0')
        return "Unknown";
    return OnlyLettersAndDigits(name);
}

CString CCddbClient::GetHostName()
{
    char name[261] = {};
    if (::gethostname(name, sizeof(name) - 1) != 0 || name[0] == '\0')
        return "Unknown";
    return OnlyLettersAndDigits(name);
}

CString CCddbClient::MakeHello()
{
    CString hello;
    hello.Format("hello=%s+%s+%s+%s&proto=%d", GetUserName().c_str(), GetHostName().c_str(), m_strClientName.c_str(),
                 m_strClientVersion.c_str(), m_nProtocolLevel);
    return hello;
}

std::string CCddbClient::QueryText(const char* command)
{
    return std::string("cmd=") + command + "&" + MakeHello().str();
}

int CCddbClient::Fail(int result, int socketError, const std::string& why, const std::string& received)
{
    m_strLastReply = received;
    m_strLastError = why;
    ::WSASetLastError(socketError);
    return result;
}

BOOL CCddbClient::ReadReply(CCddbSocket& socket, CCddbReplyReader& reader)
{
    char chunk[4096];
    ULONGLONG lastData = ::GetTickCount64();
    while (reader.State() == CddbReadState::NeedMore) {
        const ULONGLONG silent = ::GetTickCount64() - lastData;
        if (silent >= static_cast<ULONGLONG>(m_nTimeout)) {
            ::WSASetLastError(WSAETIMEDOUT);
            return FALSE;
        }
        if (IsStopped())
            return FALSE;
        bool readable = false;
        // Short waits, so a stop is seen within a tenth of a second.
        const DWORD wait = static_cast<DWORD>(std::min<ULONGLONG>(m_nTimeout - silent, kStopPollMilliseconds));
        if (!socket.IsReadable(wait, readable))
            return FALSE;
        if (!readable)
            continue;
        const int got = socket.Receive(chunk, sizeof(chunk));
        if (got < 0)
            return FALSE;
        if (got == 0) {
            reader.EndOfStream();
            break;
        }
        lastData = ::GetTickCount64();
        reader.Append(std::string_view(chunk, static_cast<std::size_t>(got)));
    }
    return reader.State() == CddbReadState::Complete;
}

int CCddbClient::Exchange(const CCddbSite& site, const std::string& query, CCddbReplyReader& reader)
{
    const bool viaProxy = !m_proxy.m_strHost.empty();
    const std::string request = BuildCddbRequest(site.m_strHost.str(), site.m_nPort, site.m_strPath.str(), query, m_proxy);

    CCddbSocket socket;
    if (!socket.Create())
        return Fail(kCddbQueryNoSocket, ::WSAGetLastError(), "No socket could be created.", {});
    const std::string host = viaProxy ? m_proxy.m_strHost : site.m_strHost.str();
    const int port = viaProxy ? m_proxy.m_nPort : site.m_nPort;
    if (!socket.Connect(host.c_str(), port)) {
        const int error = ::WSAGetLastError();
        return Fail(kCddbQueryNoConnection, error, "Could not connect to " + CddbHostAndPort(host, port) + ".", {});
    }
    if (!socket.Send(request.data(), static_cast<int>(request.size())))
        return Fail(kCddbQuerySendFailed, ::WSAGetLastError(), "The request could not be sent.", {});

    if (IsStopped())
        return Fail(kCddbQueryStopped, WSAEINTR, "The request was stopped.", {});
    if (!ReadReply(socket, reader)) {
        const int error = ::WSAGetLastError();
        if (IsStopped())
            return Fail(kCddbQueryStopped, WSAEINTR, "The request was stopped.", reader.Received());
        if (reader.State() == CddbReadState::Failed && !reader.ClosedEarly())
            return Fail(kCddbQueryRefused, WSAEPROTONOSUPPORT, reader.Error(), reader.Received());
        if (reader.State() == CddbReadState::Failed)
            return Fail(kCddbQueryReadFailed, WSAECONNRESET, reader.Error(), reader.Received());
        if (error == WSAETIMEDOUT)
            return Fail(kCddbQueryReadFailed, WSAETIMEDOUT, "The server did not answer in time.", reader.Received());
        return Fail(kCddbQueryReadFailed, error ? error : WSAECONNRESET, "The reply could not be read.", reader.Received());
    }
    return kCddbQueryDone;
}

BOOL CCddbClient::GetSites(CCddbSiteArray& sites, const CCddbSite& site)
{
    CCddbReplyReader reader;
    if (Exchange(site, QueryText("sites"), reader) != kCddbQueryDone) {
        ::WSASetLastError(WSAEPROTONOSUPPORT);
        return FALSE;
    }
    std::vector<CCddbSiteLine> lines;
    const CCddbParseResult parsed = CCddbReplyParser::ParseSitesReply(reader.Body(), lines);
    if (!parsed.m_bSucceeded) {
        Fail(0, WSAEPROTONOSUPPORT, parsed.m_strError, reader.Received());
        return FALSE;
    }
    sites.clear();
    for (const CCddbSiteLine& line : lines) {
        CCddbSite entry(true);
        entry.m_strHost = line.m_strHost;
        entry.m_nPort = line.m_nPort;
        entry.m_strPath = line.m_strPath;
        entry.m_bNorth = line.m_bNorth ? 1 : 0;
        entry.m_nLatitude = line.m_nLatitude;
        entry.m_bEast = line.m_bEast ? 1 : 0;
        entry.m_nLongitude = line.m_nLongitude;
        entry.m_strDescription = line.m_strDescription;
        sites.push_back(entry);
    }
    m_strLastReply.Empty();
    m_strLastError.Empty();
    return TRUE;
}

BOOL CCddbClient::GetSitesFrom(CCddbSiteArray& sites, const CString& host, const CString& path, int port)
{
    CCddbSite site(true);
    site.m_strHost = host;
    site.m_strPath = path;
    site.m_nPort = port;
    return GetSites(sites, site);
}

int CCddbClient::Query(const CCddbSite& site, const CString& command, CCddbMatchArray& matches)
{
    matches.clear();
    CCddbReplyReader reader;
    const int exchanged = Exchange(site, QueryText(command.c_str()), reader);
    if (exchanged != kCddbQueryDone)
        return exchanged;
    const CCddbQueryResult parsed = CCddbReplyParser::ParseQueryReply(reader.Body(), matches);
    if (parsed.m_outcome == CddbQueryOutcome::Failed)
        return Fail(kCddbQueryRefused, WSAEPROTONOSUPPORT, parsed.m_strError, reader.Received());
    m_strLastReply.Empty();
    m_strLastError.Empty();
    return kCddbQueryDone;
}

BOOL CCddbClient::ReadRecord(const CCddbSite& site, const CString& category, DWORD discId, CCddbDiscInfo& record)
{
    if (!IsPlainWord(category)) {
        Fail(0, WSAEPROTONOSUPPORT, "The category is not a plain word: " + category.str(), {});
        return FALSE;
    }
    char command[128];
    std::snprintf(command, sizeof(command), "cddb+read+%s+%08lx", category.c_str(), static_cast<unsigned long>(discId));
    CCddbReplyReader reader;
    if (Exchange(site, QueryText(command), reader) != kCddbQueryDone) {
        ::WSASetLastError(WSAEPROTONOSUPPORT);
        return FALSE;
    }
    const CCddbParseResult parsed = CCddbReplyParser::ParseXmcdRecord(reader.Body(), record);
    record.m_dwDiscId = discId;
    if (!parsed.m_bSucceeded) {
        Fail(0, WSAEPROTONOSUPPORT, parsed.m_strError, reader.Received());
        return FALSE;
    }
    m_strLastReply.Empty();
    m_strLastError.Empty();
    return TRUE;
}
