// CxImage: the alpha mask, flattening onto the background colour, and flipping.
#include "imaging/xImage.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <new>

bool CxImage::AlphaCreate()
{
    FreeAlpha();
    if (!m_dib)
        return false;
    // Create keeps width × height within kMaxImageBytes.
    m_alpha = static_cast<BYTE*>(std::calloc(PixelCount(), 1));
    return m_alpha != nullptr;
}

void CxImage::AlphaDelete()
{
    FreeAlpha();
}

void CxImage::AlphaSet(BYTE value)
{
    if (m_alpha)
        std::memset(m_alpha, value, PixelCount());
}

void CxImage::AlphaSetPixel(int x, int y, BYTE alpha)
{
    if (m_alpha && IsInside(x, y))
        m_alpha[static_cast<std::size_t>(y) * GetWidth() + x] = alpha;
}

BYTE CxImage::AlphaGetPixel(int x, int y) const
{
    if (!m_alpha || !IsInside(x, y))
        return 0;
    return m_alpha[static_cast<std::size_t>(y) * GetWidth() + x];
}

bool CxImage::IsPaletteAlpha() const
{
    const RGBQUAD* palette = GetPalette();
    if (!palette)
        return false;
    return std::any_of(palette, palette + GetNumColors(), [](const RGBQUAD& entry) { return entry.rgbReserved != 0; });
}

void CxImage::FlattenAlpha()
{
    if (!m_dib || (!m_alpha && !m_info.paletteAlpha))
        return;

    const RGBQUAD background = m_info.backgroundColor;
    const auto blend = [](BYTE under, BYTE over, unsigned alpha) {
        return static_cast<BYTE>((under * (255u - alpha) + over * alpha) / 255u);
    };
    const auto alphaAt = [this](int x, int y) {
        return m_alpha ? AlphaGetPixel(x, y) * unsigned{m_info.alphaMax} / 255u : unsigned{m_info.alphaMax};
    };

    if (GetBpp() == 24) {
        for (int y = 0; y < GetHeight(); ++y) {
            BYTE* pixel = GetBits(y);
            for (int x = 0; x < GetWidth(); ++x, pixel += 3) {
                const unsigned alpha = alphaAt(x, y);
                pixel[0] = blend(background.rgbBlue, pixel[0], alpha);
                pixel[1] = blend(background.rgbGreen, pixel[1], alpha);
                pixel[2] = blend(background.rgbRed, pixel[2], alpha);
            }
        }
        AlphaDelete();
        return;
    }

    // A palette cannot hold the blends: the result is a new 24-bit picture.
    CxImage flat(GetWidth(), GetHeight(), 24, kImageFormatBmp);
    if (!flat.IsValid())
        return;
    for (int y = 0; y < GetHeight(); ++y) {
        BYTE* pixel = flat.GetBits(y);
        for (int x = 0; x < GetWidth(); ++x, pixel += 3) {
            const RGBQUAD color = GetPixelColor(x, y);
            unsigned alpha = alphaAt(x, y);
            if (m_info.paletteAlpha)
                alpha = alpha * color.rgbReserved / 255u;
            pixel[0] = blend(background.rgbBlue, color.rgbBlue, alpha);
            pixel[1] = blend(background.rgbGreen, color.rgbGreen, alpha);
            pixel[2] = blend(background.rgbRed, color.rgbRed, alpha);
        }
    }
    Transfer(flat);
}

bool CxImage::AlphaFlip()
{
    if (!m_alpha)
        return false;
    const std::size_t width = static_cast<std::size_t>(GetWidth());
    std::unique_ptr<BYTE[]> row(new (std::nothrow) BYTE[width]);
    if (!row)
        return false;
    for (int top = 0, bottom = GetHeight() - 1; top < bottom; ++top, --bottom) {
        BYTE* upper = m_alpha + static_cast<std::size_t>(top) * width;
        BYTE* lower = m_alpha + static_cast<std::size_t>(bottom) * width;
        std::memcpy(row.get(), upper, width);
        std::memcpy(upper, lower, width);
        std::memcpy(lower, row.get(), width);
    }
    return true;
}

bool CxImage::Flip()
{
    if (!m_dib)
        return false;
    const std::size_t rowBytes = GetEffWidth();
    std::unique_ptr<BYTE[]> row(new (std::nothrow) BYTE[rowBytes]);
    if (!row)
        return false;
    for (int top = 0, bottom = GetHeight() - 1; top < bottom; ++top, --bottom) {
        BYTE* upper = GetBits(top);
        BYTE* lower = GetBits(bottom);
        std::memcpy(row.get(), upper, rowBytes);
        std::memcpy(upper, lower, rowBytes);
        std::memcpy(lower, row.get(), rowBytes);
    }
    AlphaFlip();
    return true;
}
