#include "CddbTestServer.h"

#include <algorithm>
#include <chrono>

namespace {

std::string HeaderValue(const std::string& request, const std::string& name)
{
    const std::string key = "\r\n" + name + ": ";
    const std::size_t at = request.find(key);
    if (at == std::string::npos)
        return {};
    const std::size_t start = at + key.size();
    return request.substr(start, request.find("\r\n", start) - start);
}

std::vector<std::string> SplitAtPlus(const std::string& text)
{
    std::vector<std::string> words;
    std::size_t start = 0;
    for (;;) {
        const std::size_t plus = text.find('+', start);
        words.push_back(text.substr(start, plus - start));
        if (plus == std::string::npos)
            return words;
        start = plus + 1;
    }
}

}  // namespace

CddbTestServer::CddbTestServer()
{
    m_listener.Reset(::socket(AF_INET, SOCK_STREAM, IPPROTO_TCP));
    if (!m_listener.IsValid())
        return;
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = ::inet_addr("127.0.0.1");
    address.sin_port = 0;  // a free port, so test programs can run side by side
    int length = sizeof(address);
    if (::bind(m_listener.Get(), reinterpret_cast<sockaddr*>(&address), sizeof(address)) != 0 ||
        ::listen(m_listener.Get(), 8) != 0 ||
        ::getsockname(m_listener.Get(), reinterpret_cast<sockaddr*>(&address), &length) != 0)
        return;
    m_port = ::ntohs(address.sin_port);
    m_thread = std::thread([this] { Serve(); });
}

CddbTestServer::~CddbTestServer()
{
    m_stop = true;
    if (m_thread.joinable())
        m_thread.join();
}

void CddbTestServer::AddRecord(const std::string& category, const std::string& discId, const std::string& title,
                               const std::string& readBody)
{
    std::lock_guard<std::mutex> lock(m_mutex);
    m_records.push_back({category, discId, title, readBody});
}

void CddbTestServer::AnswerRaw(const std::string& reply)
{
    std::lock_guard<std::mutex> lock(m_mutex);
    m_rawReply = reply;
}

void CddbTestServer::SendInPieces(std::size_t pieceBytes, int pauseMilliseconds)
{
    std::lock_guard<std::mutex> lock(m_mutex);
    m_pieceBytes = pieceBytes;
    m_pauseMilliseconds = pauseMilliseconds;
}

void CddbTestServer::CloseAfter(std::size_t bytes)
{
    std::lock_guard<std::mutex> lock(m_mutex);
    m_closeAfter = bytes;
}

void CddbTestServer::StallAfter(std::size_t bytes, int milliseconds)
{
    std::lock_guard<std::mutex> lock(m_mutex);
    m_stallAfter = bytes;
    m_stallMilliseconds = milliseconds;
}

void CddbTestServer::UseBareLineFeeds(bool bare)
{
    std::lock_guard<std::mutex> lock(m_mutex);
    m_bareLineFeeds = bare;
}

void CddbTestServer::ActAsProxy(const std::string& base64Credentials)
{
    std::lock_guard<std::mutex> lock(m_mutex);
    m_proxy = true;
    m_proxyCredentials = base64Credentials;
}

std::vector<std::string> CddbTestServer::Requests() const
{
    std::lock_guard<std::mutex> lock(m_mutex);
    return m_requests;
}

bool CddbTestServer::Pause(int milliseconds)
{
    const auto until = std::chrono::steady_clock::now() + std::chrono::milliseconds(milliseconds);
    while (std::chrono::steady_clock::now() < until) {
        if (m_stop)
            return false;
        ::Sleep(5);
    }
    return !m_stop;
}

void CddbTestServer::Serve()
{
    while (!m_stop) {
        fd_set set;
        FD_ZERO(&set);
        FD_SET(m_listener.Get(), &set);
        timeval wait{0, 20000};
        if (::select(0, &set, nullptr, nullptr, &wait) <= 0)
            continue;
        OwnedSocket connection(::accept(m_listener.Get(), nullptr, nullptr));
        if (connection.IsValid())
            Answer(connection.Get());
    }
}

void CddbTestServer::Answer(SOCKET connection)
{
    std::string request;
    char buffer[2048];
    const auto giveUp = std::chrono::steady_clock::now() + std::chrono::seconds(10);
    while (request.find("\r\n\r\n") == std::string::npos && request.size() < 65536 && !m_stop &&
           std::chrono::steady_clock::now() < giveUp) {
        fd_set set;
        FD_ZERO(&set);
        FD_SET(connection, &set);
        timeval wait{0, 20000};
        if (::select(0, &set, nullptr, nullptr, &wait) <= 0)
            continue;
        const int got = ::recv(connection, buffer, sizeof(buffer), 0);
        if (got <= 0)
            return;
        request.append(buffer, static_cast<std::size_t>(got));
    }
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        m_requests.push_back(request);
    }
    SendReply(connection, ReplyTo(request));
    ::shutdown(connection, SD_SEND);
}

std::string CddbTestServer::ReplyTo(const std::string& request)
{
    std::lock_guard<std::mutex> lock(m_mutex);
    if (!m_rawReply.empty())
        return m_rawReply;

    const std::size_t firstBlank = request.find(' ');
    const std::size_t secondBlank = request.find(' ', firstBlank + 1);
    if (request.compare(0, 4, "GET ") != 0 || secondBlank == std::string::npos)
        return "HTTP/1.0 400 Bad Request\r\n\r\n";
    std::string target = request.substr(firstBlank + 1, secondBlank - firstBlank - 1);

    if (m_proxy) {
        if (target.compare(0, 7, "http://") != 0)
            return "HTTP/1.0 400 Bad Request\r\n\r\n";
        if (!m_proxyCredentials.empty() && HeaderValue(request, "Proxy-Authorization") != "Basic " + m_proxyCredentials)
            return "HTTP/1.0 407 Proxy Authentication Required\r\nProxy-Authenticate: Basic realm=\"loopback\"\r\n\r\n";
        const std::size_t pathStart = target.find('/', 7);
        target = pathStart == std::string::npos ? "/" : target.substr(pathStart);
    } else if (target.compare(0, 1, "/") != 0) {
        return "HTTP/1.0 400 Bad Request\r\n\r\n";
    }
    if (target.substr(0, target.find('?')) != kCgiPath)
        return "HTTP/1.0 404 Not Found\r\nContent-Type: text/html\r\n\r\n<html>Not Found</html>\r\n";

    std::string body = CgiReply(target);
    std::string header = "HTTP/1.0 200 OK\r\nContent-Type: text/plain\r\n\r\n";
    std::string reply;
    for (char c : header + body) {
        if (c == '\r')
            continue;
        if (c == '\n' && !m_bareLineFeeds)
            reply += '\r';
        reply += c;
    }
    return reply;
}

// The CGI program: "cmd=" words joined by "+", then "&hello=...&proto=N".
std::string CddbTestServer::CgiReply(const std::string& target)
{
    const std::size_t cmd = target.find("?cmd=");
    const std::size_t hello = target.find("&hello=");
    if (cmd == std::string::npos || hello == std::string::npos || target.find("&proto=") == std::string::npos)
        return "500 Command syntax error: no handshake.\n";
    const std::vector<std::string> words = SplitAtPlus(target.substr(cmd + 5, hello - cmd - 5));

    if (words.size() == 1 && words[0] == "sites") {
        return "210 OK, site information follows (until terminating `.')\n"
               "freedb.example http 80 /~cddb/cddb.cgi N037.23 W122.05 Random server, California\n"
               "cddbp.example cddbp 888 - N000.00 E000.00 Not over HTTP\n"
               "eu.example http 8080 /cgi/cddb.cgi S033.55 E151.10 A mirror down under\n"
               ".\n";
    }
    if (words.size() >= 3 && words[0] == "cddb" && words[1] == "query") {
        std::vector<const Record*> found;
        for (const Record& record : m_records) {
            if (record.discId == words[2])
                found.push_back(&record);
        }
        if (found.empty())
            return "202 No match for disc ID " + words[2] + ".\n";
        if (found.size() == 1)
            return "200 " + found[0]->category + " " + found[0]->discId + " " + found[0]->title + "\n";
        std::string list = "211 Found inexact matches, list follows (until terminating `.')\n";
        for (const Record* record : found)
            list += record->category + " " + record->discId + " " + record->title + "\n";
        return list + ".\n";
    }
    if (words.size() == 4 && words[0] == "cddb" && words[1] == "read") {
        for (const Record& record : m_records) {
            if (record.category == words[2] && record.discId == words[3])
                return record.readBody + ".\n";
        }
        return "401 " + words[2] + " " + words[3] + " No such CD entry in database.\n";
    }
    return "500 Unrecognized command.\n";
}

void CddbTestServer::SendReply(SOCKET connection, const std::string& reply)
{
    std::size_t pieceBytes, closeAfter, stallAfter;
    int pause, stall;
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        pieceBytes = m_pieceBytes ? m_pieceBytes : reply.size();
        pause = m_pauseMilliseconds;
        closeAfter = std::min(m_closeAfter, reply.size());
        stallAfter = m_stallAfter;
        stall = m_stallMilliseconds;
    }
    BOOL noDelay = TRUE;
    ::setsockopt(connection, IPPROTO_TCP, TCP_NODELAY, reinterpret_cast<const char*>(&noDelay), sizeof(noDelay));

    std::size_t sent = 0;
    while (sent < closeAfter) {
        if (sent > 0 && pause > 0 && !Pause(pause))
            return;
        std::size_t piece = std::min(pieceBytes, closeAfter - sent);
        if (stall > 0 && sent < stallAfter)
            piece = std::min(piece, stallAfter - sent);
        const int got = ::send(connection, reply.data() + sent, static_cast<int>(piece), 0);
        if (got <= 0)
            return;
        sent += static_cast<std::size_t>(got);
        if (stall > 0 && sent == stallAfter && !Pause(stall))
            return;
    }
}
