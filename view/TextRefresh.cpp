// Laying out again every object that shows one text.
#include "framework/ErrorReport.h"
#include "view/Quorbel6View.h"
#include "label/LabelRows.h"

void CQuorbel6View::UpdateTextObjects(CString name)
{
    Guarded(102, ErrorSink::Window(this), [&] {
        CLabelModel& model = Model();
        const int rowCount = model.RowCount();
        for (int first = 0; first < rowCount; first = model.NextObjectRow(first)) {
            const CString objectName = model.Row(first).m_strObjectName;
            // Only objects that have a layout cache (Text and Track) carry the row.
            if (LabelRows::TextNameOfObject(objectName) == name)
                model.ReplacePropertyValue(objectName, "Vector Data", "");
        }
        DrawSurface(kDrawClear);
        DrawSurface(kDrawFull);
        // Show the new layout now rather than at the next paint message.
        DrawNow();
    });
}

