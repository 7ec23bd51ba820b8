#pragma once

#include "framework/Gdi.h"

#include <windows.h>

#include <optional>

// Panels and the view's surround are textured with a bitmap tiled from the
// client origin, so neighbouring windows line up. Without a bitmap the area is
// the plain panel grey.
constexpr COLORREF kPanelGrey = RGB(185, 185, 185);

// Fills `rect` of `dest` with the bitmap selected into `source`, tiled from
// `origin` (at or above and left of the rectangle); grey when `source` is null
// or holds no bitmap of its own.
void TileBitmap(HDC dest, const RECT& rect, POINT origin, HDC source);

// A bitmap from the program's resources held selected in a memory DC, ready to
// be tiled over a window's background.
class CTexture
{
public:
    explicit CTexture(UINT bitmapId);
    CTexture(const CTexture&) = delete;
    CTexture& operator=(const CTexture&) = delete;

    // Tiles the texture over `rect` from `origin`; grey when it failed to load.
    void Paint(HDC dest, const RECT& rect, POINT origin) const;
    HDC GetDC() const { return m_dc.m_hDC; }

private:
    CMemoryDC m_dc;
    CBitmap m_bitmap;
    std::optional<CSelectGuard> m_selected;
};
