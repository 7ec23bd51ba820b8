#pragma once

#include "framework/String.h"

// What the Text pane needs of the label view, without the view's class: the
// view implements it.
class ITextPaneHost
{
public:
    virtual CString SelectedObjectName() const = 0;
    // The text row kept under `key`: its item type ("Text" or "Track") and
    // value; false when there is none.
    virtual bool FindPaneText(const CString& key, CString& itemType, CString& value) const = 0;
    // Writes a text at once into the rows kept under `key`, without undo, so
    // that the label follows the typing; the document becomes modified.
    virtual void WritePaneText(const CString& key, const CString& value) = 0;
    // A finished edit of an object's text: one undo step from `oldValue` to
    // `newValue`, applied through the property setter.
    virtual void CommitPaneText(const CString& objectName, const CString& oldValue, const CString& newValue) = 0;
    // Every object showing the text lays itself out again and the view repaints.
    virtual void RefreshTextObjects(const CString& key) = 0;

protected:
    ~ITextPaneHost() = default;
};

// Where a text changed by typing waits for the idle loop to lay its objects
// out again: the application implements it.
class ITextRefreshQueue
{
public:
    virtual void QueueTextRefresh(const CString& key) = 0;

protected:
    ~ITextRefreshQueue() = default;
};
