#include "album/CddbRequest.h"

std::string EncodeBase64(std::string_view bytes)
{
    static constexpr char kAlphabet[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";
    std::string out;
    out.reserve((bytes.size() + 2) / 3 * 4);
    std::size_t i = 0;
    for (; i + 2 < bytes.size(); i += 3) {
        const unsigned group = (static_cast<unsigned char>(bytes[i]) << 16) |
                               (static_cast<unsigned char>(bytes[i + 1]) << 8) | static_cast<unsigned char>(bytes[i + 2]);
        out += kAlphabet[(group >> 18) & 63];
        out += kAlphabet[(group >> 12) & 63];
        out += kAlphabet[(group >> 6) & 63];
        out += kAlphabet[group & 63];
    }
    const std::size_t left = bytes.size() - i;
    if (left > 0) {
        unsigned group = static_cast<unsigned char>(bytes[i]) << 16;
        if (left == 2)
            group |= static_cast<unsigned char>(bytes[i + 1]) << 8;
        out += kAlphabet[(group >> 18) & 63];
        out += kAlphabet[(group >> 12) & 63];
        out += left == 2 ? kAlphabet[(group >> 6) & 63] : '=';
        out += '=';
    }
    return out;
}

std::string CddbHostAndPort(std::string_view host, int port)
{
    std::string text(host);
    if (port != 80)
        text += ":" + std::to_string(port);
    return text;
}

std::string BuildCddbRequest(std::string_view serverHost, int serverPort, std::string_view path,
                             std::string_view query, const CCddbProxySettings& proxy)
{
    const std::string host = CddbHostAndPort(serverHost, serverPort);
    std::string request = "GET ";
    if (!proxy.m_strHost.empty())
        request += "http://" + host;
    if (path.empty() || path.front() != '/')
        request += '/';
    request.append(path);
    request += "?";
    request.append(query);
    request += " HTTP/1.0\r\n";
    if (!proxy.m_strHost.empty() && !proxy.m_strUser.empty())
        request += "Proxy-Authorization: Basic " + EncodeBase64(proxy.m_strUser + ":" + proxy.m_strPassword) + "\r\n";
    request += "Host: " + host + "\r\n\r\n";
    return request;
}
