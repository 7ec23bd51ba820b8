#pragma once
// What the album dialog needs of the label it fills, without the view's
// class: the layout, the texts objects show now, and one call that writes an
// import as a single undo step.

#include "album/AlbumLabelTexts.h"
#include "framework/String.h"

class IAlbumLabel
{
public:
    virtual bool IsDoubleLayout() const = 0;
    // The text the named object shows; empty when the label has no such object.
    virtual CString ObjectText(const CString& objectName) const = 0;
    // Writes every text (objects the label lacks are passed over) as one undo
    // step, asks the page's track lists to refit and shows the result. On a
    // failure part-way the label is put back as it was and false returned.
    virtual bool WriteAlbumTexts(const AlbumTextWrites& writes) = 0;

protected:
    ~IAlbumLabel() = default;
};
