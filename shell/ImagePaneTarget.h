#pragma once
// What the Images pane asks of the label view, without the view's class.

#include "framework/String.h"

#include <windows.h>

class IImagePaneTarget {
public:
    // Makes a picture file the background of the part being shown, as one undo step.
    virtual void ApplyBackgroundFile(const CString& path) = 0;
    // "[No Background]": removes the background of the part being shown (one
    // undo step; none when there is no background).
    virtual void ClearShownBackground() = 0;
    // Whether a rectangle (screen pixels) touches a place a picture may be
    // dropped on: a cover or a disc's ring on the page being shown, outside
    // `leftOut` (screen pixels; empty for none).
    virtual bool IsImageDropTarget(const RECT& screenRect, const RECT& leftOut) = 0;
    // Adds an Image object showing the file in the rectangle (screen pixels);
    // false when nothing was added (the user has been told why).
    virtual bool DropImageFile(const CString& path, const RECT& screenRect) = 0;
    // A picture released where it may not be dropped: when that is over the
    // label, the user is told why nothing was added.
    virtual void RefuseImageDrop(const RECT& screenRect) = 0;

protected:
    ~IImagePaneTarget() = default;
};
