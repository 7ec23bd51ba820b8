#pragma once
// Leaves the view as its context menu does before an Insert command: the
// insertion box around a label point, the part under it and the last click.
#include "view/Quorbel6View.h"

#include <windows.h>

inline void PointInsertionAt(CQuorbel6View& view, POINT labelPoint, const char* part)
{
    const POINT screen = view.DocToScreenPoint(labelPoint);
    view.m_rectInsertion = RECT{screen.x - 8, screen.y - 8, screen.x + 8, screen.y + 8};
    view.m_bInsertionPending = 1;
    view.m_strCurrentPart = part;
    POINT client = screen;
    ::ScreenToClient(view.m_hWnd, &client);
    view.m_ptLastClick = client;
}
