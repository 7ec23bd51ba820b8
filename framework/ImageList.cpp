#include "framework/ImageList.h"

bool CImageList::Create(int width, int height, UINT flags, int initial, int grow)
{
    DeleteImageList();
    m_hImageList = ImageList_Create(width, height, flags, initial, grow);
    return m_hImageList != nullptr;
}

void CImageList::DeleteImageList()
{
    if (m_hImageList)
        ImageList_Destroy(m_hImageList);
    m_hImageList = nullptr;
}

bool CImageList::Attach(HIMAGELIST list)
{
    if (list != m_hImageList) {
        DeleteImageList();
        m_hImageList = list;
    }
    return m_hImageList != nullptr;
}

SIZE CImageList::GetImageSize() const
{
    int width = 0;
    int height = 0;
    if (!m_hImageList || !ImageList_GetIconSize(m_hImageList, &width, &height))
        return SIZE{0, 0};
    return SIZE{width, height};
}
