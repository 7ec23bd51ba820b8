#include "view/Quorbel6View.h"

#include "framework/Document.h"
#include "framework/ErrorReport.h"

// For now every caption takes the plain rule: store a changed value and record it.
CString CQuorbel6View::ApplyProperty(CString name, CString caption, CString value, bool skipRow)
{
    CString result;
    Guarded(14, ErrorSink::Window(this), [&] {
        if (CDocument* doc = GetDocument())
            doc->SetModifiedFlag(TRUE);
        result = value;
        if (skipRow)
            return;
        const int row = Model().FindPropertyRow(name, caption);
        if (row < 0)
            return;
        PropertyEntry before = Model().Rows()[row];
        if (before.m_strValue == value)
            return;
        PropertyEntry after = before;
        after.m_strValue = value;
        AddUndoRecord(before, "Change", "From");
        Model().ReplacePropertyValue(name, caption, value);
        AddUndoRecord(after, "Change", "To");
    });
    return result;
}
