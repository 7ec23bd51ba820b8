#pragma once

#include <windows.h>

// A frame window that can switch the editing of its document off (while
// something must be chosen first) and on again.
class IEditingSwitch
{
public:
    virtual void EnableEditing(BOOL disable) = 0;
    virtual BOOL IsEditingDisabled() const = 0;

protected:
    ~IEditingSwitch() = default;
};
