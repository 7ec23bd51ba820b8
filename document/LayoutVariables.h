#pragma once

#include "framework/Object.h"
#include "framework/String.h"

#include <windows.h>

class CArchive;

// The view state of a layout as the document file keeps it. It is written by
// a direct call of Serialize, so the file holds no class record for it.
class CVariables : public CObject
{
    DECLARE_SERIAL(CVariables)

public:
    // The first file version that stores the stacking counter.
    static constexpr int kStackingCounterVersion = 5;

    CVariables() = default;

    // Stored as: page, zoom, surface, visible centre (x, y), image count,
    // layout, stacking counter. Reading takes the stacking counter only from
    // files of m_nFileVersion 5 or more; the reader sets that field first.
    void Serialize(CArchive& ar) override;

    int m_nZoom = 0;            // tenths
    CString m_strSurface;       // "Front Cover", "Back Cover", "Disc 1", "Disc 2" ...
    CString m_strPage;          // "1", "2" or "3"
    CString m_strLayout;        // "Single" or "Double"
    POINT m_ptCentre = {};      // centre of the visible area when written; not used after reading
    int m_nImageCount = 0;      // image blocks that follow in the file
    int m_nStackingCounter = 0;
    int m_nFileVersion = -1;    // the version of the file being read
};
