#pragma once
// Gathers an HTTP reply of an album-database server from the pieces the socket
// delivers and says when it is whole. A CDDB reply inside the HTTP body is
// either one line (its code is not 210-219) or a list that ends with a line
// holding only "."; the code is judged only once the body's first line has
// arrived whole. Replies ending their lines with bare line feeds are read the
// same way, and an orderly close right after a complete body (or after the
// list's "." line before its line end) is fine.
// Replies are capped in size; an HTTP status other than 2xx is a failure.
//
// Builds without <windows.h> (the fuzz targets use it on the host).

#include <cstddef>
#include <string>
#include <string_view>

enum class CddbReadState
{
    NeedMore,  // the reply is not whole yet
    Complete,  // Body() holds the CDDB reply
    Failed,    // Error() says why
};

class CCddbReplyReader
{
public:
    static constexpr std::size_t kMaxReplyBytes = 1024 * 1024;

    // Adds received bytes; once complete or failed, further bytes are ignored.
    CddbReadState Append(std::string_view bytes);
    // The server closed the connection in an orderly way.
    CddbReadState EndOfStream();

    CddbReadState State() const { return m_state; }
    // Everything received so far (kept for diagnosis).
    const std::string& Received() const { return m_received; }
    // The CDDB reply: the HTTP body up to, not including, its "." line.
    std::string_view Body() const;
    const std::string& Error() const { return m_strError; }
    // The HTTP status code, or -1 before the status line has arrived.
    int HttpStatus() const { return m_nHttpStatus; }
    // The failure was the server closing before the reply was whole (not a
    // reply that was whole but refused or unreadable).
    bool ClosedEarly() const { return m_bClosedEarly; }

private:
    CddbReadState Judge(bool closed);
    CddbReadState Fail(std::string why);
    CddbReadState FailClosed(std::string why);

    std::string m_received;
    std::size_t m_bodyStart = std::string::npos;
    std::size_t m_bodyEnd = 0;
    std::size_t m_scanned = 0;      // bytes searched for the header's end
    std::size_t m_listScanned = 0;  // bytes of the body searched for the list's end
    int m_nHttpStatus = -1;
    bool m_bClosedEarly = false;
    std::string m_strError;
    CddbReadState m_state = CddbReadState::NeedMore;
};
