#include "album/CddbSite.h"

#include "album/CddbRecords.h"

BOOL CCddbSite::ParseSiteLine(std::string_view line)
{
    CCddbSiteLine parsed;
    if (!parsed.ParseSiteLine(line))
        return FALSE;
    m_strHost = parsed.m_strHost;
    m_nPort = parsed.m_nPort;
    m_strPath = parsed.m_strPath;
    m_strDescription = parsed.m_strDescription;
    m_bNorth = parsed.m_bNorth ? 1 : 0;
    m_nLatitude = parsed.m_nLatitude;
    m_bEast = parsed.m_bEast ? 1 : 0;
    m_nLongitude = parsed.m_nLongitude;
    return TRUE;
}
