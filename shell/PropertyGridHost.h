#pragma once

#include "framework/String.h"
#include "label/LabelRows.h"
#include "label/PropertyGridRows.h"

#include <windows.h>

// What the Properties pane, its grid and the object list need of the label
// view, without the view's class: the view implements it.
class IPropertyGridHost
{
public:
    // The label's rows, read while a list is filled and never kept.
    virtual const PropertyRows& PropertyTable() const = 0;
    virtual GridRowContext GridContext() const = 0;
    // The page shown ("1", "2" or "3") and the layout ("Single" or "Double").
    virtual CString ShownPage() const = 0;
    virtual CString ShownLayout() const = 0;
    virtual CString SelectedObjectName() const = 0;
    // The item type of the selected object; empty when nothing is selected.
    virtual CString SelectedItemType() const = 0;

    // Makes the named object the selection, as a press in the view would,
    // without telling the panes.
    virtual void SelectObject(const CString& objectName) = 0;
    // Clears the surfaces before a change is drawn.
    virtual void ClearSurfaces() = 0;
    // Moves or resizes an object's box to a new "Left", "Top", "Width" or
    // "Height" (inches) as a drag would: one undo step. The value stored.
    virtual CString ApplyBoxEdit(const CString& objectName, const CString& caption, const CString& value) = 0;
    // Any other property: the value stored, empty after a failure. The undo
    // step stays open until CommitUndoStep.
    virtual CString ApplyGridProperty(const CString& objectName, const CString& caption, const CString& value) = 0;
    virtual void CommitUndoStep() = 0;
    // Redraws the surface shown.
    virtual void ShowCurrentSurface() = 0;
    virtual bool IsUndoRecording() const = 0;
    // The row's dialog: each applies what the user chose itself, with undo.
    virtual void ChooseObjectColor(const CString& objectName, COLORREF color) = 0;
    virtual void ChooseObjectFont(const CString& objectName, const LOGFONTA& font) = 0;
    virtual void ChangeLabelPaper() = 0;
    // Gives the keyboard focus back to the label.
    virtual void FocusLabel() = 0;

protected:
    ~IPropertyGridHost() = default;
};
