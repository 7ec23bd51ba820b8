#include "album/CddbReplyReader.h"

#include "album/CddbReplyParser.h"

namespace {

// The end of the HTTP header: the first empty line, whichever line ends the
// server uses. Gives the start of the body, or npos.
std::size_t BodyStart(std::string_view text)
{
    const std::size_t crlf = text.find("\r\n\r\n");
    const std::size_t lf = text.find("\n\n");
    if (crlf != std::string_view::npos && (lf == std::string_view::npos || crlf + 2 <= lf))
        return crlf + 4;
    if (lf != std::string_view::npos)
        return lf + 2;
    return std::string_view::npos;
}

// "HTTP/1.0 200 OK": the status code, or -1 when the line is not of that form.
int HttpStatusOf(std::string_view statusLine)
{
    if (statusLine.substr(0, 5) != "HTTP/")
        return -1;
    const std::size_t blank = statusLine.find(' ');
    if (blank == std::string_view::npos)
        return -1;
    std::string_view rest = statusLine.substr(blank + 1);
    const int code = CCddbReplyParser::GetReplyCode(rest);
    if (code < 0 || (rest.size() > 3 && rest[3] != ' '))
        return -1;
    return code;
}

}  // namespace

CddbReadState CCddbReplyReader::Append(std::string_view bytes)
{
    if (m_state != CddbReadState::NeedMore)
        return m_state;
    if (bytes.size() > kMaxReplyBytes - m_received.size())
        return Fail("The reply is larger than 1 MiB.");
    m_received.append(bytes);
    return Judge(false);
}

CddbReadState CCddbReplyReader::EndOfStream()
{
    if (m_state != CddbReadState::NeedMore)
        return m_state;
    return Judge(true);
}

std::string_view CCddbReplyReader::Body() const
{
    if (m_state != CddbReadState::Complete)
        return {};
    return std::string_view(m_received).substr(m_bodyStart, m_bodyEnd - m_bodyStart);
}

CddbReadState CCddbReplyReader::Fail(std::string why)
{
    m_strError = std::move(why);
    m_state = CddbReadState::Failed;
    return m_state;
}

CddbReadState CCddbReplyReader::FailClosed(std::string why)
{
    m_bClosedEarly = true;
    return Fail(std::move(why));
}

CddbReadState CCddbReplyReader::Judge(bool closed)
{
    const std::string_view text = m_received;
    if (m_nHttpStatus < 0) {
        const std::size_t lineEnd = text.find('\n');
        if (lineEnd == std::string_view::npos) {
            if (closed)
                return FailClosed(text.empty() ? "The server closed the connection without a reply."
                                         : "The server closed the connection inside the reply's header.");
            return m_state;
        }
        m_nHttpStatus = HttpStatusOf(CCddbReplyParser::FirstLine(text));
        if (m_nHttpStatus < 0)
            return Fail("The server's reply is not HTTP: " + cddb_text::Excerpt(text));
        if (m_nHttpStatus < 200 || m_nHttpStatus > 299)
            return Fail("The server answered with HTTP error " + cddb_text::Excerpt(cddb_text::After(CCddbReplyParser::FirstLine(text), 9)));
    }
    if (m_bodyStart == std::string::npos) {
        // Looks only at what is new (and the three bytes before it), so a
        // reply trickling in byte by byte costs no more than one in a piece.
        const std::size_t from = m_scanned > 3 ? m_scanned - 3 : 0;
        m_scanned = text.size();
        m_bodyStart = BodyStart(text.substr(from));
        if (m_bodyStart != std::string::npos)
            m_bodyStart += from;
        if (m_bodyStart == std::string::npos) {
            if (closed)
                return FailClosed("The server closed the connection inside the reply's header.");
            return m_state;
        }
    }

    const std::string_view body = text.substr(m_bodyStart);
    const std::size_t firstLineEnd = body.find('\n');
    if (firstLineEnd == std::string_view::npos) {
        // The code is judged only on a whole line: "21" may yet become "210".
        if (closed)
            return FailClosed(body.empty() ? "The server closed the connection before the reply's body."
                                           : "The server closed the connection inside the reply's first line.");
        return m_state;
    }

    const int code = CCddbReplyParser::GetReplyCode(body);
    if (code < 210 || code > 219) {
        m_bodyEnd = m_bodyStart + firstLineEnd + 1;
        return m_state = CddbReadState::Complete;
    }

    // A list: it ends with a line that holds only ".", ended by "\r\n" or
    // "\n", or by the close.
    const std::size_t seen = m_listScanned > 3 ? m_listScanned - 3 : 0;
    std::size_t from = seen > firstLineEnd ? seen : firstLineEnd;
    m_listScanned = body.size();
    for (;;) {
        const std::size_t dot = body.find("\n.", from);
        if (dot == std::string_view::npos)
            break;
        const std::string_view after = body.substr(dot + 2);
        if (after.substr(0, 2) == "\r\n" || after.substr(0, 1) == "\n" || (closed && (after.empty() || after == "\r"))) {
            m_bodyEnd = m_bodyStart + dot + 1;
            return m_state = CddbReadState::Complete;
        }
        from = dot + 1;
    }
    if (closed)
        return FailClosed("The server closed the connection before the end of the list.");
    return m_state;
}
