#pragma once

#include "framework/Object.h"
#include "framework/String.h"

#include <windows.h>

class CArchive;

// One label-paper template: where on which sheet each part of a label lands.
// Lengths are thousandths of an inch from the sheet's top-left corner. The
// same fields mean different parts for the two kinds of paper:
//   disc-label paper (m_nType 0): disc 1 and disc 2 at (m_nLeft1, m_nTop1) and
//     (m_nLeft2, m_nTop2), outer diameters m_nWidth1/2, hole diameters m_nHeight1/2;
//   jewel-case paper (m_nType 1): the front cover at (m_nLeft1, m_nTop1), m_nWidth1
//     by m_nHeight1, and the back cover at (m_nLeft2, m_nTop2), m_nWidth2 by m_nHeight2.
class CLabelDim : public CObject
{
    DECLARE_SERIAL(CLabelDim)
public:
    enum Kind
    {
        kDiscLabels = 0,
        kJewelCase = 1,
    };

    CLabelDim() = default;
    CLabelDim(const CLabelDim& other) = default;
    CLabelDim& operator=(const CLabelDim& other) = default;

    void Serialize(CArchive& ar) override;

    // The two papers the program knows without a template file.
    static CLabelDim GenericDiscLabels();  // "[Generic]"
    static CLabelDim PlainPaper();         // "[Plain Paper]"

    int m_nType = 0;
    CString m_strName;
    int m_nPage1 = 0;  // disc paper: 1; jewel case: the front cover's page, 2
    int m_nPage2 = 0;  // jewel case: the back cover's page, 2 (the front's sheet) or 3
    int m_nSheetWidth1 = 0;
    int m_nSheetHeight1 = 0;
    int m_nSheetWidth2 = 0;
    int m_nSheetHeight2 = 0;
    int m_nLeft1 = 0;
    int m_nLeft2 = 0;
    int m_nTop1 = 0;
    int m_nTop2 = 0;
    int m_nWidth1 = 0;
    int m_nWidth2 = 0;
    int m_nHeight1 = 0;
    int m_nHeight2 = 0;
    int m_nFolded = 0;  // 1: the front cover is a booklet folded at half its width
    int m_nTab = 0;     // width of the spine tab at each end of the back cover
    RECT m_rcReserved[6] = {};  // kept and written back unchanged
};
