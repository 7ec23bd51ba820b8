#include "imaging/Thumbnail.h"

#include "framework/Gdi.h"
#include "imaging/xImage.h"

#include <algorithm>

namespace {

// A 24-bit DIB section: a bitmap any DC of any thread can take.
HBITMAP CreateRgbSection(SIZE size)
{
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(info.bmiHeader);
    info.bmiHeader.biWidth = size.cx;
    info.bmiHeader.biHeight = size.cy;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 24;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    return ::CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
}

// Draws the picture stretched in one call; when the system refuses one call
// that large, in four vertical strips (the last one takes the rest).
void StretchPicture(HDC dc, const CxImage& image, SIZE size)
{
    const auto* info = reinterpret_cast<const BITMAPINFO*>(image.GetDIB());
    const int width = image.GetWidth();
    const int height = image.GetHeight();
    if (::StretchDIBits(dc, 0, 0, size.cx, size.cy, 0, 0, width, height, image.GetBits(), info, DIB_RGB_COLORS,
                        SRCCOPY) != 0)
        return;
    const int strip = width / 4;
    for (int i = 0; i < 4; ++i) {
        const int sourceLeft = i * strip;
        const int sourceWidth = i == 3 ? width - sourceLeft : strip;
        if (sourceWidth <= 0)
            continue;
        const int left = MulDiv(sourceLeft, size.cx, width);
        const int right = MulDiv(sourceLeft + sourceWidth, size.cx, width);
        ::StretchDIBits(dc, left, 0, right - left, size.cy, sourceLeft, 0, sourceWidth, height, image.GetBits(), info,
                        DIB_RGB_COLORS, SRCCOPY);
    }
}

}  // namespace

SIZE ThumbnailSize(int width, int height)
{
    SIZE size{width, height};
    if (width > kThumbnailMaxUnscaled || height > kThumbnailMaxUnscaled) {
        if (width > height)
            size = SIZE{kThumbnailBox, static_cast<LONG>(static_cast<long long>(height) * kThumbnailBox / width)};
        else if (height > width)
            size = SIZE{static_cast<LONG>(static_cast<long long>(width) * kThumbnailBox / height), kThumbnailBox};
        else
            size = SIZE{kThumbnailBox, kThumbnailBox};
    }
    size.cx = std::max<LONG>(size.cx, kThumbnailMinSide);
    size.cy = std::max<LONG>(size.cy, kThumbnailMinSide);
    return size;
}

ThumbnailPtr MakeThumbnail(CxImage& image, SIZE pictureSize,
                           const std::function<void(HDC dc, const RECT& rect)>& paintBehind)
{
    if (!image.IsValid() || image.GetWidth() < 1 || image.GetHeight() < 1)
        return nullptr;
    const bool hasAlpha = image.HasAlpha() || image.IsPaletteAlpha();
    if (hasAlpha) {
        image.SetBackgroundColor(RGBQUAD{255, 255, 255, 0});
        image.FlattenAlpha();
        if (!image.IsValid())
            return nullptr;
    }
    const SIZE size = pictureSize.cx > 0 && pictureSize.cy > 0 ? ThumbnailSize(pictureSize.cx, pictureSize.cy)
                                                               : ThumbnailSize(image.GetWidth(), image.GetHeight());
    HBITMAP bitmap = CreateRgbSection(size);
    if (!bitmap)
        return nullptr;
    auto thumbnail = std::make_shared<const CThumbnailBitmap>(bitmap, size);

    CMemoryDC dc(nullptr);
    if (!dc.m_hDC)
        return nullptr;
    {
        CSelectGuard selected(dc.m_hDC, bitmap);
        const RECT all{0, 0, size.cx, size.cy};
        ::FillRect(dc.m_hDC, &all, static_cast<HBRUSH>(::GetStockObject(WHITE_BRUSH)));
        if (image.GetBackgroundIndex() >= 0) {
            // A picture with alpha lies on white already.
            if (paintBehind && !hasAlpha)
                paintBehind(dc.m_hDC, all);
            image.DrawToDC(dc.m_hDC, 0, 0, size.cx, size.cy);
        } else {
            ::SetStretchBltMode(dc.m_hDC, HALFTONE);
            ::SetBrushOrgEx(dc.m_hDC, 0, 0, nullptr);
            StretchPicture(dc.m_hDC, image, size);
        }
    }
    ::GdiFlush();
    return thumbnail;
}

ThumbnailPtr MakeBlankThumbnail()
{
    const SIZE size{kThumbnailBox, kThumbnailBox};
    HBITMAP bitmap = CreateRgbSection(size);
    if (!bitmap)
        return nullptr;
    auto thumbnail = std::make_shared<const CThumbnailBitmap>(bitmap, size);
    CMemoryDC dc(nullptr);
    if (dc.m_hDC) {
        CSelectGuard selected(dc.m_hDC, bitmap);
        const RECT all{0, 0, size.cx, size.cy};
        ::FillRect(dc.m_hDC, &all, static_cast<HBRUSH>(::GetStockObject(WHITE_BRUSH)));
    }
    ::GdiFlush();
    return thumbnail;
}
