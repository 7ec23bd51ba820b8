// The save-changes prompt of the label document.
#include "document/Quorbel6Doc.h"

#include "document/DocumentMessages.h"
#include "framework/ErrorReport.h"

BOOL CQuorbel6Doc::SaveModified()
{
    // A failure here keeps the document: nothing is dropped that was not saved.
    return Guarded(155, ErrorSink::App(), FALSE, [&]() -> BOOL {
        if (!IsModified())
            return TRUE;
        switch (AskYesNoCancel("Save changes to " + GetTitle() + "?")) {
        case 3:
            return FALSE;
        case 2:
            SetModifiedFlag(FALSE);
            return TRUE;
        default:
            // A save that failed or was cancelled keeps the document open.
            return SaveDocumentFile();
        }
    });
}
