// CxImage::DrawToDC: the picture stretched onto a device context, with its
// transparent colour left out when it has one.
#include "framework/Gdi.h"
#include "imaging/xImage.h"

namespace {

// Sets a DC's stretch mode for a scope and puts the old one back.
class CStretchModeGuard {
public:
    CStretchModeGuard(HDC dc, int mode) : m_dc(dc), m_old(::SetStretchBltMode(dc, mode))
    {
        if (mode == HALFTONE)
            ::SetBrushOrgEx(dc, 0, 0, nullptr);  // HALFTONE needs the brush origin reset
    }
    ~CStretchModeGuard()
    {
        if (m_old)
            ::SetStretchBltMode(m_dc, m_old);
    }
    CStretchModeGuard(const CStretchModeGuard&) = delete;
    CStretchModeGuard& operator=(const CStretchModeGuard&) = delete;

private:
    HDC m_dc;
    int m_old;
};

}  // namespace

bool CxImage::DrawToDC(HDC dc, int x, int y, int width, int height) const
{
    if (!m_dib || !dc || width == 0 || height == 0 || !m_info.enabled)
        return false;
    if (width < 0)
        width = GetWidth();
    if (height < 0)
        height = GetHeight();

    ::SetTextColor(dc, RGB(0, 0, 0));
    ::SetBkColor(dc, RGB(255, 255, 255));
    const auto* info = reinterpret_cast<const BITMAPINFO*>(m_dib);

    if (m_info.backgroundIndex == -1) {
        CStretchModeGuard mode(dc, HALFTONE);
        return ::StretchDIBits(dc, x, y, width, height, 0, 0, GetWidth(), GetHeight(), GetBits(), info,
                               DIB_RGB_COLORS, SRCCOPY) != 0;
    }

    const RECT target{x, y, x + width, y + height};
    if (!::RectVisible(dc, &target))
        return true;

    // The picture 1:1 in a colour bitmap, and from it a mask that is 1 where
    // the pixel has the transparent colour. Then destination XOR picture, AND
    // NOT mask, XOR picture: the picture where the mask is 0, the destination
    // unchanged where it is 1.
    CMemoryDC colorDC(dc);
    CMemoryDC maskDC(dc);
    CBitmap colorBitmap;
    CBitmap maskBitmap;
    if (!colorDC.GetSafeHdc() || !maskDC.GetSafeHdc() ||
        !colorBitmap.CreateCompatibleBitmap(dc, GetWidth(), GetHeight()) ||
        !maskBitmap.CreateBitmap(GetWidth(), GetHeight(), 1, 1, nullptr))
        return false;
    {
        CSelectGuard colorSelected(colorDC, colorBitmap);
        CSelectGuard maskSelected(maskDC, maskBitmap);
        {
            CStretchModeGuard mode(colorDC, COLORONCOLOR);
            ::StretchDIBits(colorDC, 0, 0, GetWidth(), GetHeight(), 0, 0, GetWidth(), GetHeight(), GetBits(), info,
                            DIB_RGB_COLORS, SRCCOPY);
        }
        const RGBQUAD transparent = GetBpp() > 23 ? m_info.backgroundColor
                                                  : GetPaletteColor(static_cast<BYTE>(m_info.backgroundIndex));
        const COLORREF oldBackground =
            ::SetBkColor(colorDC, RGB(transparent.rgbRed, transparent.rgbGreen, transparent.rgbBlue));
        ::BitBlt(maskDC, 0, 0, GetWidth(), GetHeight(), colorDC, 0, 0, SRCCOPY);

        CStretchModeGuard mode(dc, COLORONCOLOR);
        ::StretchBlt(dc, x, y, width, height, colorDC, 0, 0, GetWidth(), GetHeight(), SRCINVERT);
        ::StretchBlt(dc, x, y, width, height, maskDC, 0, 0, GetWidth(), GetHeight(), SRCAND);
        ::StretchBlt(dc, x, y, width, height, colorDC, 0, 0, GetWidth(), GetHeight(), SRCINVERT);
        ::SetBkColor(dc, oldBackground);
    }
    return true;
}
