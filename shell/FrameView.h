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
    // Makes the named object the one the Properties pane, the Text pane and
    // the object list show.
    virtual void ShowObject(const CString& objectName) = 0;
    // Refills the property grid with the named object's rows.
    virtual void ShowProperties(const CString& objectName) = 0;
    // Whether Paste has something to paste; the view tells at every press.
    virtual void SetPastePossible(bool possible) = 0;
    // A press in the view takes the focus from the Text pane's edit fields.
    virtual void ClearTextFieldFocus() = 0;
    virtual bool IsPropertiesPaneShown() const = 0;
    virtual bool IsTextPaneShown() const = 0;
    // Shows the Properties pane with its right edge at a screen point and its
    // middle at the point's height.
    virtual void ShowPropertiesPaneAt(POINT screenPoint) = 0;
    // The size an object gets when it is inserted from the context menu: an
    // Add button of the object tool bar, less one pixel in width; 0, 0 without one.
    virtual SIZE DefaultDropSize() const = 0;

protected:
    ~IViewFrame() = default;
};
