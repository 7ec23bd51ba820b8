#include "label/LabelDim.h"

#include "framework/Archive.h"

IMPLEMENT_SERIAL(CLabelDim, CObject, VERSIONABLE_SCHEMA | 1)

void CLabelDim::Serialize(CArchive& ar)
{
    // The same order both ways; the file format depends on it.
    int* const numbers[] = {&m_nPage1, &m_nPage2, &m_nSheetWidth1, &m_nSheetHeight1,
                            &m_nSheetWidth2, &m_nSheetHeight2, &m_nLeft1, &m_nLeft2,
                            &m_nTop1, &m_nTop2, &m_nWidth1, &m_nWidth2,
                            &m_nHeight1, &m_nHeight2, &m_nFolded, &m_nTab};
    if (ar.IsStoring())
    {
        ar << m_nType;
        ar << m_strName;
        for (int* number : numbers)
            ar << *number;
        for (const RECT& rect : m_rcReserved)
        {
            ar << static_cast<int>(rect.left) << static_cast<int>(rect.top);
            ar << static_cast<int>(rect.right) << static_cast<int>(rect.bottom);
        }
    }
    else
    {
        ar >> m_nType;
        ar >> m_strName;
        for (int* number : numbers)
            ar >> *number;
        for (RECT& rect : m_rcReserved)
        {
            int left = 0, top = 0, right = 0, bottom = 0;
            ar >> left >> top >> right >> bottom;
            rect = RECT{left, top, right, bottom};
        }
    }
}

CLabelDim CLabelDim::GenericDiscLabels()
{
    CLabelDim paper;
    paper.m_nType = kDiscLabels;
    paper.m_strName = "[Generic]";
    paper.m_nPage1 = 1;
    paper.m_nPage2 = 0;
    paper.m_nSheetWidth1 = 8500;
    paper.m_nSheetHeight1 = 11000;
    paper.m_nLeft1 = 1938;
    paper.m_nLeft2 = 1938;
    paper.m_nTop1 = 688;
    paper.m_nTop2 = 5688;
    paper.m_nWidth1 = 4625;
    paper.m_nWidth2 = 4625;
    paper.m_nHeight1 = 1600;
    paper.m_nHeight2 = 1600;
    return paper;
}

CLabelDim CLabelDim::PlainPaper()
{
    CLabelDim paper;
    paper.m_nType = kJewelCase;
    paper.m_strName = "[Plain Paper]";
    paper.m_nPage1 = 2;
    paper.m_nPage2 = 3;
    paper.m_nSheetWidth1 = 11000;
    paper.m_nSheetHeight1 = 8500;
    paper.m_nSheetWidth2 = 8500;
    paper.m_nSheetHeight2 = 11000;
    paper.m_nLeft1 = 800;
    paper.m_nLeft2 = 1300;
    paper.m_nTop1 = 800;
    paper.m_nTop2 = 600;
    paper.m_nWidth1 = 9520;
    paper.m_nWidth2 = 5910;
    paper.m_nHeight1 = 4760;
    paper.m_nHeight2 = 4650;
    paper.m_nFolded = 1;
    paper.m_nTab = 250;
    return paper;
}
