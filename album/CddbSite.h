#pragma once

#include "framework/String.h"

#include <windows.h>

#include <string_view>

// The server asked when the user has chosen none: a public CDDB mirror that
// still answers the HTTP gateway on port 80.
inline constexpr const char kDefaultCddbHost[] = "gnudb.gnudb.org";
inline constexpr const char kDefaultCddbPath[] = "/~cddb/cddb.cgi";
inline constexpr const char kDefaultCddbSubmitPath[] = "/~cddb/submit.cgi";

// An album-database server: where it answers, where it stands (from a server
// list) and, for the server the program asks, the connection options that
// travel with it in the "FreedbOptions" setting (one field each, in that order).
struct CCddbSite
{
    // Built for queries (the query program's path) or for submission.
    explicit CCddbSite(bool forQueries = true) : m_strPath(forQueries ? kDefaultCddbPath : kDefaultCddbSubmitPath) {}

    CString m_strHost;
    int m_nPort = 80;
    CString m_strPath;
    CString m_strDescription;
    BYTE m_bProxy = 0;  // the connection goes through the proxy below
    CString m_strProxyHost;
    CString m_strProxyPort;  // as typed; read as a number when connecting
    CString m_strProxyUser;
    CString m_strProxyPassword;

    // Where the server stands, in minutes (degrees times 60 plus minutes).
    BYTE m_bNorth = 1;
    int m_nLatitude = 0;
    BYTE m_bEast = 1;
    int m_nLongitude = 0;

    // Takes host, port, path, position and description from one line of a
    // server list; FALSE (the site unchanged) when the line is not accepted.
    BOOL ParseSiteLine(std::string_view line);
};
