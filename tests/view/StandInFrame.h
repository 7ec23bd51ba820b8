#pragma once
// A frame window standing in for the main frame in the view tests: it answers
// everything the view asks of its frame with nothing, and a test's own frame
// overrides what it records or forwards to a real pane.
#include "framework/FrameWnd.h"
#include "shell/FrameView.h"

#include <windows.h>

class StandInFrame : public CFrameWnd, public IViewFrame
{
public:
    void SetSelectionState(BOOL) override {}
    void UpdateDiscMenus() override {}
    void ShowObject(const CString&) override {}
    void ShowProperties(const CString&) override {}
    void SetPastePossible(bool) override {}
    void ClearTextFieldFocus() override {}
    HWND FocusedTextField() const override { return nullptr; }
    bool IsPropertiesPaneShown() const override { return true; }
    bool IsTextPaneShown() const override { return false; }
    int CdDriveCount() const override { return 0; }
    void SetUndoAvailable(bool) override {}
    void SetRedoAvailable(bool) override {}
    void SetGuidesButton(bool) override {}
    void CheckSnapToGrid(BOOL) override {}
    void CheckShowGrid(BOOL) override {}
    void CheckShownToolBars() override {}
    void RestorePaneStates() override {}
    // The object tool bar's buttons are 24 x 22 here.
    RECT ObjectToolBarButtonRect(int index) const override { return RECT{24 * index, 0, 24 * index + 24, 22}; }
    FramePanePlace PanePlace(FramePane) const override { return FramePanePlace::Floating; }
    void ShowPropertiesPaneAt(POINT) override {}
};
