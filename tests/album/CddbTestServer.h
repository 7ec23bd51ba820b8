#pragma once
// A small album-database server on 127.0.0.1 for the client tests: an HTTP
// 1.0 server on a free port that answers the sites, query and read commands
// of its CGI program from the xmcd records it was given, one connection at a
// time on its own thread. It can answer slowly, in pieces, with a fixed raw
// reply, close early, or act as an HTTP proxy that asks for basic
// authorisation.

#include "framework/SocketHandle.h"

#include <atomic>
#include <map>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

class CddbTestServer
{
public:
    static constexpr const char* kCgiPath = "/~cddb/cddb.cgi";

    CddbTestServer();
    ~CddbTestServer();
    CddbTestServer(const CddbTestServer&) = delete;
    CddbTestServer& operator=(const CddbTestServer&) = delete;

    bool IsListening() const { return m_port != 0; }
    int Port() const { return m_port; }

    // A read reply body ("210 ..." and the record) served for "cddb read
    // category id"; the query command finds it by its id.
    void AddRecord(const std::string& category, const std::string& discId, const std::string& title,
                   const std::string& readBody);
    // Every request gets this raw reply (status line, header and body) instead.
    void AnswerRaw(const std::string& reply);
    // Replies go out in pieces of this many bytes, with a pause before each
    // piece after the first (0: no pause).
    void SendInPieces(std::size_t pieceBytes, int pauseMilliseconds);
    // After this many bytes of the reply the connection is closed (npos: the whole reply).
    void CloseAfter(std::size_t bytes);
    // After this many bytes the server stays silent for the pause, then goes on.
    void StallAfter(std::size_t bytes, int milliseconds);
    // Lines of generated replies end with "\n" alone.
    void UseBareLineFeeds(bool bare);
    // Acts as a proxy: requests must name the absolute address and carry
    // "Proxy-Authorization: Basic <credentials>" (empty: no header needed).
    void ActAsProxy(const std::string& base64Credentials);

    // The requests received so far, each up to its empty line.
    std::vector<std::string> Requests() const;

private:
    void Serve();
    void Answer(SOCKET connection);
    std::string ReplyTo(const std::string& request);
    std::string CgiReply(const std::string& target);
    void SendReply(SOCKET connection, const std::string& reply);
    bool Pause(int milliseconds);

    struct Record {
        std::string category;
        std::string discId;
        std::string title;
        std::string readBody;
    };

    OwnedSocket m_listener;
    int m_port = 0;
    std::atomic<bool> m_stop{false};
    std::thread m_thread;

    mutable std::mutex m_mutex;
    std::vector<Record> m_records;
    std::string m_rawReply;
    std::size_t m_pieceBytes = 0;
    int m_pauseMilliseconds = 0;
    std::size_t m_closeAfter = std::string::npos;
    std::size_t m_stallAfter = 0;
    int m_stallMilliseconds = 0;
    bool m_bareLineFeeds = false;
    bool m_proxy = false;
    std::string m_proxyCredentials;
    std::vector<std::string> m_requests;
};
