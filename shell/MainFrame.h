#pragma once

#include "framework/FrameWnd.h"

// The program's main window. Its tool bars and docking panes arrive with the
// shell; for now it hosts the label view and carries the editing switch the
// view's start-up uses.
class CMainFrame : public CFrameWnd
{
    DECLARE_DYNCREATE(CMainFrame)

public:
    CMainFrame() = default;

    // TRUE disables the main window while the first-run dialogs are pending;
    // FALSE enables it again.
    void EnableEditing(BOOL disable);
    BOOL IsEditingDisabled() const { return m_bEditingDisabled; }

private:
    BYTE m_bEditingDisabled = 0;
};
