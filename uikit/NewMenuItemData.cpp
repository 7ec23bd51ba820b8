#include "uikit/NewMenuItemData.h"

#include "uikit/NewMenuIcons.h"

IMPLEMENT_DYNAMIC(CNewMenuItemData, CObject)

CNewMenuItemData::~CNewMenuItemData()
{
    SetIcon(nullptr, -1);
}

void CNewMenuItemData::SetIcon(CNewMenuIcons* iconSet, int iconIndex)
{
    if (iconSet)
        iconSet->AddRef();
    if (m_pIconSet)
        m_pIconSet->Release();
    m_pIconSet = iconSet;
    m_nIconIndex = iconSet ? iconIndex : -1;
}
