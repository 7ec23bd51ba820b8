#pragma once
// What every image fuzz target does with an input: decode it with the codec
// under test, check the picture it claims to have, write it back with the same
// codec and read that again. Anything wrong stops the run (abort), as a crash.

#include "imaging/ImageCodecs.h"
#include "imaging/ImageFile.h"
#include "imaging/xImage.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <vector>

inline void FuzzCheck(bool condition, const char* what)
{
    if (!condition) {
        std::fprintf(stderr, "fuzz check failed: %s\n", what);
        std::abort();
    }
}

// A decoded picture must be whole: its sizes, its DIB block and every pixel
// and palette entry readable (the sanitizers catch a short block).
inline void CheckPicture(const CxImage& image)
{
    FuzzCheck(image.IsValid(), "a decoder's success gives a picture");
    FuzzCheck(image.GetWidth() > 0 && image.GetHeight() > 0, "positive sizes");
    const int bpp = image.GetBpp();
    FuzzCheck(bpp == 1 || bpp == 4 || bpp == 8 || bpp == 24, "a supported depth");
    unsigned sum = 0;
    for (int y = 0; y < image.GetHeight(); y += 1 + image.GetHeight() / 64)
        for (int x = 0; x < image.GetWidth(); x += 1 + image.GetWidth() / 64) {
            const RGBQUAD color = image.GetPixelColor(x, y);
            sum += color.rgbRed + image.AlphaGetPixel(x, y);
        }
    const BYTE* last = image.GetBits(image.GetHeight() - 1);
    sum += last[image.GetEffWidth() - 1];
    FuzzCheck(sum != 0xFFFFFFFFu, "touch the pixels");
    FuzzCheck(*image.GetLastError() == '\0' || std::strlen(image.GetLastError()) < 256, "a bounded error text");
}

// Decodes `data` with `format`; a decoded picture is written back with the
// same codec, which must give a file that decodes to the same size.
inline void FuzzImageCodec(const std::uint8_t* data, std::size_t size, int format, int iconFrame = 0)
{
    CxImage image(format);
    image.SetIconFrame(iconFrame);
    if (!image.DecodeMemory(data, size, format)) {
        FuzzCheck(*image.GetLastError() != '\0', "a failed decode says why");
        FuzzCheck(!image.IsValid(), "a failed decode leaves no picture");
        return;
    }
    CheckPicture(image);

    std::vector<BYTE> encoded;
    if (!image.EncodeToMemory(encoded, format)) {
        FuzzCheck(*image.GetLastError() != '\0', "a failed encode says why");
        return;
    }
    CxImage again(format);
    FuzzCheck(again.DecodeMemory(encoded.data(), encoded.size(), format), "what the encoder wrote decodes");
    CheckPicture(again);
    FuzzCheck(again.GetWidth() == image.GetWidth() && again.GetHeight() == image.GetHeight(),
              "the same size after writing and reading");
}
