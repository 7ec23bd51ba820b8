#pragma once

#include "album/CddbSite.h"
#include "framework/String.h"

#include <windows.h>

#include <vector>

// The settings that several parts of the program share through the application
// object. The view's settings reader fills them at start; each writer of a
// setting keeps its member here in step with the registry.
struct CAppSettings
{
    // Which parts a print job prints.
    BYTE m_bPrintFront = 0;
    BYTE m_bPrintBack = 0;
    BYTE m_bPrintDisc1 = 1;
    BYTE m_bPrintDisc2 = 1;
    // Set by the print dialog for one job: the job's page 2 prints the cover
    // paper's second sheet (a back cover on its own sheet, no front cover).
    BYTE m_bPrintPage2AsPage3 = 0;

    // Where album data comes from.
    CString m_strCDPlayerPath;
    BYTE m_bCDText = 1;
    BYTE m_bCDPlayer = 1;
    BYTE m_bFreedb = 1;

    // The whole "FreedbOptions" record, and the server it names.
    CString m_strFreedbOptions;
    CCddbSite m_cddbSite;
    // The CD drive the album dialog reads, by its place in the reader's list.
    int m_nSelectedDrive = 0;
    // The servers the database listed; fetched once a run, not stored.
    std::vector<CCddbSite> m_serverList;

    BYTE m_bMp3 = 1;
    BYTE m_bMp3Tag = 1;

    // The Images pane: its folder, the folder it shows now, and how it searches.
    CString m_strBrowseDefaultPath;
    CString m_strBrowseFolder;
    int m_nBrowseSubfolder = 1;
    int m_nBrowseFilter = 0;

    // One-time hints: the image hint is still to be shown while set; the
    // drag-and-drop hint has been shown once set.
    BYTE m_bHelpImage = 1;
    BYTE m_bHelpDragDrop = 0;

    // Pages "1", "2" and "3": an album has just been written into the label, so
    // the track lists of the page refit once, at its next drawing. Not stored.
    BYTE m_bLayoutFit[3] = {0, 0, 0};
};

// Whoever keeps the shared settings: the application.
class IAppSettingsOwner
{
public:
    virtual CAppSettings& SharedSettings() = 0;

protected:
    ~IAppSettingsOwner() = default;
};
