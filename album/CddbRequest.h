#pragma once
// The HTTP request of one album-database command: a GET of the server's CGI
// program, sent either straight to the server or to an HTTP proxy (then with
// the absolute address and, when a user is set, basic authorisation).
//
// Builds without <windows.h>.

#include <string>
#include <string_view>

struct CCddbProxySettings
{
    std::string m_strHost;  // empty: connect to the server itself
    int m_nPort = 80;
    std::string m_strUser;  // empty: no authorisation
    std::string m_strPassword;
};

// RFC 4648 Base64 with "=" padding, in one piece.
std::string EncodeBase64(std::string_view bytes);

// "host" on the default HTTP port, else "host:port": what the Host line and
// an absolute address carry.
std::string CddbHostAndPort(std::string_view host, int port);

// The whole request for the CGI path on the server with the query text after
// "?" ("cmd=...&hello=...&proto=5").
std::string BuildCddbRequest(std::string_view serverHost, int serverPort, std::string_view path,
                             std::string_view query, const CCddbProxySettings& proxy);
