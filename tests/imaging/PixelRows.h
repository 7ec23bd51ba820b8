#pragma once
// Pictures as rows top first, the form of ImageMagick's raw output, for the
// JPEG and PNG tests: the alpha mask alone, everything a picture means as
// red, green, blue, alpha, and how far two sample runs lie apart.

#include "ImageFixtures.h"
#include "imaging/xImage.h"

#include <algorithm>
#include <cstdlib>
#include <string>
#include <vector>

// The alpha mask as rows top first.
inline std::vector<BYTE> TopDownAlpha(const CxImage& image)
{
    std::vector<BYTE> alpha;
    for (int row = image.GetHeight() - 1; row >= 0; --row) {
        for (int x = 0; x < image.GetWidth(); ++x)
            alpha.push_back(image.AlphaGetPixel(x, row));
    }
    return alpha;
}

// What a picture means, as rows top first of red, green, blue, alpha: the
// alpha mask (scaled by the alpha maximum), per-entry palette alpha, and a
// transparent palette entry or (24-bit) colour.
inline std::vector<BYTE> TopDownRgba(const CxImage& image)
{
    std::vector<BYTE> rgba;
    const int index = image.GetBackgroundIndex();
    const RGBQUAD key = image.GetTransColor();
    for (int row = image.GetHeight() - 1; row >= 0; --row) {
        for (int x = 0; x < image.GetWidth(); ++x) {
            const RGBQUAD color = image.GetPixelColor(x, row);
            unsigned alpha = 255;
            if (image.HasAlpha())
                alpha = image.AlphaGetPixel(x, row) * unsigned{image.GetAlphaMax()} / 255u;
            else if (image.GetBpp() <= 8 && image.HasPaletteAlpha())
                alpha = image.GetPaletteColor(image.GetPixelIndex(x, row)).rgbReserved;
            if (index >= 0) {
                const bool keyed = image.GetBpp() <= 8 ? image.GetPixelIndex(x, row) == index
                                                       : color.rgbRed == key.rgbRed && color.rgbGreen == key.rgbGreen &&
                                                             color.rgbBlue == key.rgbBlue;
                if (keyed)
                    alpha = 0;
            }
            rgba.insert(rgba.end(), {color.rgbRed, color.rgbGreen, color.rgbBlue, static_cast<BYTE>(alpha)});
        }
    }
    return rgba;
}

// The largest difference of two equally long sample runs; 256 when the lengths differ.
inline int LargestDifference(const std::vector<BYTE>& a, const std::vector<BYTE>& b)
{
    if (a.size() != b.size())
        return 256;
    int largest = 0;
    for (std::size_t i = 0; i < a.size(); ++i)
        largest = std::max(largest, std::abs(int{a[i]} - int{b[i]}));
    return largest;
}

// Index of the first differing sample, for messages; -1 when equal.
inline long FirstDifference(const std::vector<BYTE>& a, const std::vector<BYTE>& b)
{
    for (std::size_t i = 0; i < std::min(a.size(), b.size()); ++i) {
        if (a[i] != b[i])
            return static_cast<long>(i);
    }
    return a.size() == b.size() ? -1 : static_cast<long>(std::min(a.size(), b.size()));
}

// Leaves an encoded file with what it must show, in the form of
// LeaveForImageMagick, when the picture's meaning goes beyond an alpha mask
// and a transparent palette entry (palette alpha, a 24-bit colour key).
inline void LeaveRgbaForImageMagick(const std::string& name, const std::vector<BYTE>& encoded, const CxImage& image)
{
    const std::string size = std::to_string(image.GetWidth()) + "x" + std::to_string(image.GetHeight());
    ASSERT_TRUE(WriteWholeFile(EncodedImagePath(name), encoded)) << name;
    ASSERT_TRUE(WriteWholeFile(EncodedImagePath(name + "." + size + ".rgba"), TopDownRgba(image))) << name;
}
