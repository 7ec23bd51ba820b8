#pragma once
// Text drawing shared by the owner-drawn controls: the window's own text, in
// the window's own font, on a transparent background.

#include "framework/String.h"
#include "framework/WindowTexts.h"

#include <windows.h>

// Shortens `text` in place, ending it with "..." where it is cut, so that it
// fits `width` on one line in the DC's font; the size of the result. Empty
// when not even the ellipsis fits.
SIZE FitTextWithEllipsis(CString& text, HDC dc, int width);

// Selects the window's font (WM_GETFONT; the DC's font when it has none) and
// a transparent background mode into a DC for the life of the object.
class CControlTextScope {
public:
    CControlTextScope(HDC dc, HWND window);
    ~CControlTextScope();
    CControlTextScope(const CControlTextScope&) = delete;
    CControlTextScope& operator=(const CControlTextScope&) = delete;

private:
    HDC m_dc;
    HGDIOBJ m_oldFont = nullptr;
    int m_oldMode = 0;
};
