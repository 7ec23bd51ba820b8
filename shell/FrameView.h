#pragma once

#include "framework/String.h"

#include <windows.h>

// What the main frame reads from the view it holds, without the view's class.
class IFrameView
{
public:
    // The item type of the selected object ("Text", "Image", "Cover" ...);
    // empty when nothing is selected.
    virtual CString SelectedObjectType() const = 0;
    virtual bool IsDoubleLayout() const = 0;
    virtual bool AreGuidesShown() const = 0;

protected:
    ~IFrameView() = default;
};

// What the view tells the main frame, without the frame's class.
class IViewFrame
{
public:
    // After every change of the selection: whether an object (not a surface
    // or page) is selected.
    virtual void SetSelectionState(BOOL selected) = 0;
    // After the layout (single or double CD) may have changed.
    virtual void UpdateDiscMenus() = 0;
    // After the undo history changed: whether Undo, respectively Redo, can run.
    virtual void SetUndoAvailable(bool available) = 0;
    virtual void SetRedoAvailable(bool available) = 0;

protected:
    ~IViewFrame() = default;
};
