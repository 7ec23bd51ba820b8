// The background picture of a surface part: set from a file, replaced, removed.
#include "view/Quorbel6View.h"

#include "framework/Conversions.h"
#include "framework/Document.h"
#include "framework/ErrorReport.h"
#include "framework/WaitCursor.h"
#include "imaging/PictureFile.h"
#include "label/BackgroundObject.h"
#include "label/NewObjectRows.h"
#include "label/ObjectPlacement.h"

void CQuorbel6View::SetBackgroundFromFile(CString path)
{
    Guarded(142, ErrorSink::Window(this), [&] {
        CWaitCursor wait;
        const CString surface = Model().Shown().surface;
        const bool folded = Model().Placement().folded != 0;
        const int centre = SelectionCentreX();
        m_strCurrentPart = ObjectPlacement::BackgroundPart(m_strCurrentPart, surface, Model().Geometry(), folded, centre);
        const CString part = m_strCurrentPart;

        // A new picture always takes a new slot: the old picture stays where
        // Undo, and any other object showing it, still finds it.
        if (!LoadImageFile(ReadPictureFile(path), path, -1))
            return;
        const int imageNumber = Model().ImageCount() - 1;

        CString name;
        const int existing = BackgroundObject::Find(Model().Rows(), surface, part);
        if (existing >= 0) {
            name = Model().Row(existing).m_strObjectName;
            ApplyProperty(name, "Image Number", IntToStr(imageNumber));
            ApplyProperty(name, "Lock Aspect Ratio", "No");
        } else {
            name = "Image";
            MakeUniqueObjectName(name);
            AddUndoRecord(NewObjectRows::InsertionMarker(name, surface), "Delete", "From");
            const DocBox box = ObjectPlacement::BackgroundBox(surface, Model().Geometry(), folded, centre);
            const NewObjectPlace place{name, Model().Shown().page, surface, part, box};
            for (const PropertyEntry& row : NewObjectRows::Background(place, imageNumber))
                AddObjectRecord(row);
        }
        CommitUndoStep();

        SelectNewObject(name);
        TellFrameSelection();
    });
}

void CQuorbel6View::RemoveOtherBackground(bool commit, CString keep)
{
    Guarded(194, ErrorSink::Window(this), [&] {
        LoadSelection();
        const CString surface = Model().Shown().surface;
        m_strCurrentPart = ObjectPlacement::BackgroundPart(m_strCurrentPart, surface, Model().Geometry(),
                                                           Model().Placement().folded != 0, SelectionCentreX());
        const int background = BackgroundObject::Find(Model().Rows(), surface, m_strCurrentPart);
        if (background < 0)
            return;
        const CString name = Model().Row(background).m_strObjectName;
        if (name != keep)
            RemoveObject(name, commit);
        if (commit) {
            CommitUndoStep();
            m_strDragMode.Empty();
        }
        if (CDocument* doc = GetDocument())
            doc->SetModifiedFlag(TRUE);
        if (commit)
            ShowSurface("");
    });
}
