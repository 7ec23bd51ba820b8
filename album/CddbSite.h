#pragma once

#include "framework/String.h"

#include <windows.h>

// The album-database server the program asks, with the connection options that
// travel with it in the "FreedbOptions" setting (one field each, in that order).
struct CCddbSite
{
    CString m_strHost;
    int m_nPort = 80;
    CString m_strPath;
    CString m_strDescription;
    BYTE m_bProxy = 0;  // the connection goes through the proxy below
    CString m_strProxyHost;
    CString m_strProxyPort;  // as typed; read as a number when connecting
    CString m_strProxyUser;
    CString m_strProxyPassword;
};

// The server asked when the user has chosen none: a public CDDB mirror that
// still answers the HTTP gateway on port 80.
inline constexpr const char kDefaultCddbHost[] = "gnudb.gnudb.org";
inline constexpr const char kDefaultCddbPath[] = "/~cddb/cddb.cgi";
