#pragma once

#include "framework/String.h"
#include "shell/ViewToolbarLayout.h"

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
    // The surface shown ("Front Cover", "Back Cover", "Disc 1", "Disc 2").
    virtual CString ShownSurfaceName() const { return CString(); }
    // Whether the view holds copied objects that Paste would put back.
    virtual bool HasCopiedObjects() const = 0;

protected:
    ~IFrameView() = default;
};

// Where a pane lies: along the top or bottom, along the left or right, or
// in a floating frame of its own.
enum class FramePanePlace { HorzDocked, VertDocked, Floating };

// What the view tells the main frame, and asks of it, without the frame's class.
class IViewFrame
{
public:
    // After every change of the selection: whether an object (not a surface
    // or page) is selected.
    virtual void SetSelectionState(BOOL selected) = 0;
    // After the layout (single or double CD) may have changed.
    virtual void UpdateDiscMenus() = 0;
    // The Show Guides button's picture for the guides being on or off.
    virtual void SetGuidesButton(bool guidesShown) = 0;
    // The marks of Snap to Grid and Show Grid in the Layout menu.
    virtual void CheckSnapToGrid(BOOL check) = 0;
    virtual void CheckShowGrid(BOOL check) = 0;
    // The View menu's marks of the four tool bars, from whether each is shown.
    virtual void CheckShownToolBars() = 0;
    // The saved pane sizes and bar layout, with the panes' menu marks.
    virtual void RestorePaneStates() = 0;
    // A button of the object tool bar, in the bar's client coordinates; the
    // objects the view inserts by its context menu take the size of its second one.
    virtual RECT ObjectToolBarButtonRect(int index) const = 0;
    virtual FramePanePlace PanePlace(FramePane pane) const = 0;
    // Makes the named object the one the Properties pane, the Text pane and
    // the object list show.
    virtual void ShowObject(const CString& objectName) = 0;
    // Refills the property grid with the named object's rows.
    virtual void ShowProperties(const CString& objectName) = 0;
    // Whether Paste has something to paste; the view tells at every press.
    virtual void SetPastePossible(bool possible) = 0;
    // A press in the view takes the focus from the Text pane's edit fields.
    virtual void ClearTextFieldFocus() = 0;
    // The Text pane's edit field that has the keyboard focus: the edit
    // commands act on its text instead of the label; null when none has.
    virtual HWND FocusedTextField() const = 0;
    virtual bool IsPropertiesPaneShown() const = 0;
    virtual bool IsTextPaneShown() const = 0;
    // Shows the Properties pane with its right edge at a screen point and its
    // middle at the point's height.
    virtual void ShowPropertiesPaneAt(POINT screenPoint) = 0;
    // After the undo history changed: whether Undo, respectively Redo, can run.
    // How many CD drives the album reader found.
    virtual int CdDriveCount() const = 0;
    // The drive's name as the reader lists it ("E:"); empty beyond the count.
    virtual CString CdDriveName(int /*drive*/) const { return CString(); }
    virtual void SetUndoAvailable(bool available) = 0;
    virtual void SetRedoAvailable(bool available) = 0;

protected:
    ~IViewFrame() = default;
};
