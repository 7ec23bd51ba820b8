#pragma once

#include "framework/String.h"
#include "label/LabelRows.h"

#include <vector>

// What the colour and font dialogs need of the label view, without the view's
// class: the view implements it.
class IStyleDialogHost
{
public:
    virtual const PropertyRows& PropertyTable() const = 0;
    virtual CString SelectedObjectName() const = 0;
    virtual CString SelectedItemType() const = 0;
    // A preview: the value goes straight into the row, without undo; a "Font"
    // row also empties its object's layout so that the text is fitted anew.
    virtual void PreviewRowValue(const CString& objectName, const CString& caption, const CString& value) = 0;
    // Repaints the label with the values the rows hold now.
    virtual void RepaintLabel() = 0;

    // One row's change from the dialog's opening to its OK.
    struct StyleChange
    {
        CString objectName;
        CString caption;
        CString before;
        CString after;
    };
    // OK: the changes become one undo step through the property setter and
    // the panes show the selected object again. Nothing at all for no change.
    virtual void CommitStyleChanges(const std::vector<StyleChange>& changes) = 0;

protected:
    ~IStyleDialogHost() = default;
};
