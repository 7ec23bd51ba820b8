#include "uikit/GrayIcon.h"

#include "framework/Gdi.h"

#include <vector>

HICON CreateGrayIcon(HICON icon)
{
    ICONINFO info{};
    if (!icon || !::GetIconInfo(icon, &info))
        return nullptr;
    CBitmap color(info.hbmColor);
    CBitmap mask(info.hbmMask);
    if (!color.IsValid())
        return nullptr;  // a monochrome icon has no colours to grey

    const SIZE size = color.GetSize();
    BITMAPINFO format{};
    format.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    format.bmiHeader.biWidth = size.cx;
    format.bmiHeader.biHeight = -size.cy;
    format.bmiHeader.biPlanes = 1;
    format.bmiHeader.biBitCount = 32;
    format.bmiHeader.biCompression = BI_RGB;

    std::vector<RGBQUAD> pixels(static_cast<size_t>(size.cx) * static_cast<size_t>(size.cy));
    CMemoryDC screen(nullptr);
    if (pixels.empty() ||
        !::GetDIBits(screen.m_hDC, color, 0, static_cast<UINT>(size.cy), pixels.data(), &format, DIB_RGB_COLORS))
        return nullptr;

    for (RGBQUAD& pixel : pixels) {
        if (pixel.rgbRed == 0 && pixel.rgbGreen == 0 && pixel.rgbBlue == 0)
            continue;
        const auto gray = static_cast<BYTE>(0.299 * pixel.rgbRed + 0.587 * pixel.rgbGreen + 0.114 * pixel.rgbBlue);
        pixel.rgbRed = pixel.rgbGreen = pixel.rgbBlue = gray;
    }

    CBitmap grayColor;
    void* bits = nullptr;
    grayColor.Attach(::CreateDIBSection(screen.m_hDC, &format, DIB_RGB_COLORS, &bits, nullptr, 0));
    if (!grayColor.IsValid() || !bits)
        return nullptr;
    std::copy(pixels.begin(), pixels.end(), static_cast<RGBQUAD*>(bits));

    ICONINFO grayInfo = info;
    grayInfo.hbmColor = grayColor;
    grayInfo.hbmMask = mask;
    return ::CreateIconIndirect(&grayInfo);
}
