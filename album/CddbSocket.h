#pragma once
// One TCP connection of the album-database client, closed on every way out
// of a request by its owner.

#include "framework/SocketHandle.h"

#include <windows.h>

class CCddbSocket
{
public:
    // A stream socket of the Internet family.
    BOOL Create();
    // Takes the host as a dotted address, else looks the name up and uses the
    // first address found. An unknown name sets WSAEINVAL.
    BOOL Connect(const char* host, int port);
    // Sends every byte (as many send calls as the socket layer needs).
    BOOL Send(const char* data, int length);
    // Bytes received (> 0), 0 when the peer closed the connection, < 0 on an error.
    int Receive(char* buffer, int size);
    // Waits up to `milliseconds` for data or a close; FALSE when the wait itself failed.
    BOOL IsReadable(DWORD milliseconds, bool& readable);
    void Close() { m_socket.Reset(); }
    bool IsOpen() const { return m_socket.IsValid(); }

private:
    OwnedSocket m_socket;
};
