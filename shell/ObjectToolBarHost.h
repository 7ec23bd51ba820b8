#pragma once

#include "framework/String.h"
#include "label/ObjectDrop.h"

#include <windows.h>

// What the object tool bar needs of the label view to drop new objects on
// it, without the view's class: the view implements it. Points and
// rectangles are in screen pixels.
class IObjectDropHost
{
public:
    // The parts of the page shown that take a drop, at the zoom and scroll of this moment.
    virtual ObjectDrop::DropParts DropPartsOnScreen() = 0;
    virtual bool IsDoubleLayout() const = 0;
    // Where a click on a button puts the new object: the middle of the view
    // (its surface becomes the one shown), or the ring of the disc shown.
    virtual POINT ClickDropPoint() = 0;
    // The surface a drop landed on becomes the one shown.
    virtual void ShowDropSurface(const CString& surface) = 0;
    // Creates what the button makes (`name` for texts and track lists) in the
    // outline, on the part; Add Image asks for the picture.
    virtual void CreateDroppedObject(int button, const CString& name, const RECT& outline, const CString& part) = 0;

protected:
    ~IObjectDropHost() = default;
};
