#pragma once
// CChangeNotifyEdit: an edit box that handles its own EN_CHANGE and
// EN_KILLFOCUS, reflected back to it by its parent, so the window it sits in
// needs no handlers for them. Derived editors say what a change and leaving
// the box do.

#include "framework/Edit.h"

class CChangeNotifyEdit : public CEdit
{
    DECLARE_DYNAMIC(CChangeNotifyEdit)

public:
    BOOL OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result) override;

protected:
    // The text changed, by a key or otherwise (paste, cut, a message).
    virtual void OnChange() = 0;
    // The box lost the keyboard focus.
    virtual void OnKillFocus() = 0;
};
