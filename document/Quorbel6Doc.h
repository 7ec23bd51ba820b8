#pragma once

#include "framework/Document.h"

// The label document: the records a label is saved as, its file version and
// whether panes are refreshed while it is read.
class CQuorbel6Doc : public CDocument
{
    DECLARE_DYNCREATE(CQuorbel6Doc)

public:
    CQuorbel6Doc() = default;

    int m_nFileVersion = -1;   // the version of the file read, -1 before one is read
    BOOL m_bRefresh = TRUE;    // clear only while the first document of a first run is made
};
