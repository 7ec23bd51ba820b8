#pragma once
// The WM_ERASEBKGND answer of controls whose WM_PAINT paints every pixel:
// "not erased", and nothing done, so nothing flickers.
//
//     BOOL CMyControl::OnEraseBkgnd(HDC dc) override { return NoEraseBackground(dc); }

#include <windows.h>

inline BOOL NoEraseBackground(HDC)
{
    return FALSE;
}
