#pragma once
// Owners for Windows Sockets: the socket layer started for the process (one
// WSAStartup balanced by one WSACleanup) and one socket handle (closed when
// its owner goes or takes another socket).

#include <winsock2.h>
#include <ws2tcpip.h>
#include <windows.h>

#include <utility>

class WinsockSession
{
public:
    // Starts the socket layer at the version asked for (1.1 is all the program needs).
    explicit WinsockSession(WORD version = MAKEWORD(1, 1))
    {
        WSADATA data{};
        m_started = ::WSAStartup(version, &data) == 0;
    }
    ~WinsockSession()
    {
        if (m_started)
            ::WSACleanup();
    }
    WinsockSession(const WinsockSession&) = delete;
    WinsockSession& operator=(const WinsockSession&) = delete;

    bool IsStarted() const { return m_started; }

private:
    bool m_started = false;
};

class OwnedSocket
{
public:
    OwnedSocket() = default;
    explicit OwnedSocket(SOCKET socket) : m_socket(socket) {}
    ~OwnedSocket() { Reset(); }
    OwnedSocket(OwnedSocket&& other) noexcept : m_socket(other.Detach()) {}
    OwnedSocket& operator=(OwnedSocket&& other) noexcept
    {
        if (this != &other)
            Reset(other.Detach());
        return *this;
    }
    OwnedSocket(const OwnedSocket&) = delete;
    OwnedSocket& operator=(const OwnedSocket&) = delete;

    SOCKET Get() const { return m_socket; }
    bool IsValid() const { return m_socket != INVALID_SOCKET; }

    void Reset(SOCKET socket = INVALID_SOCKET)
    {
        if (m_socket != INVALID_SOCKET && m_socket != socket)
            ::closesocket(m_socket);
        m_socket = socket;
    }
    SOCKET Detach() { return std::exchange(m_socket, INVALID_SOCKET); }

private:
    SOCKET m_socket = INVALID_SOCKET;
};
