#include "document/LayoutVariables.h"

#include "document/RecordLimits.h"
#include "framework/Archive.h"

IMPLEMENT_SERIAL(CVariables, CObject, VERSIONABLE_SCHEMA | 6)

void CVariables::Serialize(CArchive& ar)
{
    if (ar.IsStoring()) {
        ar << m_strPage << m_nZoom << m_strSurface;
        ar << static_cast<int>(m_ptCentre.x) << static_cast<int>(m_ptCentre.y);
        ar << m_nImageCount << m_strLayout << m_nStackingCounter;
        return;
    }
    int x = 0;
    int y = 0;
    ar.ReadBoundedString(m_strPage, RecordLimits::kRowTextLength);
    ar >> m_nZoom;
    ar.ReadBoundedString(m_strSurface, RecordLimits::kRowTextLength);
    ar >> x >> y >> m_nImageCount;
    ar.ReadBoundedString(m_strLayout, RecordLimits::kRowTextLength);
    m_ptCentre = POINT{x, y};
    if (m_nFileVersion >= kStackingCounterVersion)
        ar >> m_nStackingCounter;
}
