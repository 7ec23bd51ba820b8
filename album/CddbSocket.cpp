#include "album/CddbSocket.h"

BOOL CCddbSocket::Create()
{
    m_socket.Reset(::socket(AF_INET, SOCK_STREAM, IPPROTO_TCP));
    return m_socket.IsValid();
}

BOOL CCddbSocket::Connect(const char* host, int port)
{
    if (!m_socket.IsValid() || port <= 0 || port > 65535)
        return FALSE;
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_port = ::htons(static_cast<u_short>(port));
    address.sin_addr.s_addr = ::inet_addr(host);
    if (address.sin_addr.s_addr == INADDR_NONE) {
        const hostent* entry = ::gethostbyname(host);
        if (!entry || entry->h_addrtype != AF_INET || !entry->h_addr_list || !entry->h_addr_list[0]) {
            ::WSASetLastError(WSAEINVAL);
            return FALSE;
        }
        memcpy(&address.sin_addr, entry->h_addr_list[0], sizeof(address.sin_addr));
    }
    return ::connect(m_socket.Get(), reinterpret_cast<const sockaddr*>(&address), sizeof(address)) == 0;
}

BOOL CCddbSocket::Send(const char* data, int length)
{
    while (length > 0) {
        const int sent = ::send(m_socket.Get(), data, length, 0);
        if (sent == SOCKET_ERROR || sent <= 0)
            return FALSE;
        data += sent;
        length -= sent;
    }
    return TRUE;
}

int CCddbSocket::Receive(char* buffer, int size)
{
    const int got = ::recv(m_socket.Get(), buffer, size, 0);
    return got == SOCKET_ERROR ? -1 : got;
}

BOOL CCddbSocket::IsReadable(DWORD milliseconds, bool& readable)
{
    fd_set set;
    FD_ZERO(&set);
    FD_SET(m_socket.Get(), &set);
    timeval wait{};
    wait.tv_sec = static_cast<long>(milliseconds / 1000);
    wait.tv_usec = static_cast<long>((milliseconds % 1000) * 1000);
    const int ready = ::select(0, &set, nullptr, nullptr, &wait);
    if (ready == SOCKET_ERROR)
        return FALSE;
    readable = ready > 0;
    return TRUE;
}
