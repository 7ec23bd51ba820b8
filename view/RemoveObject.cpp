#include "view/Quorbel6View.h"

#include "framework/ErrorReport.h"

void CQuorbel6View::RemoveObject(const CString& objectName, bool refresh)
{
    Model().EraseObjectRows(objectName);
    if (refresh)
        DrawSurface(kDrawFull);
}

void CQuorbel6View::ReleaseImageSlot(int) {}
