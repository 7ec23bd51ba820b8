#pragma once
// A JPEG decoded only as large as its thumbnail needs: libjpeg scales by 1/2,
// 1/4 or 1/8 inside its transform, so a 12-megapixel photo costs a fraction
// of its full decode. The label still decodes pictures at full size.

#include "imaging/xImage.h"

// Decodes `path` into `image` at the smallest scale whose longer side still
// has `longSide` pixels; `width` and `height` receive the picture's full size.
// False (the image empty) when the file is no JPEG libjpeg can read in grey
// or colour.
bool DecodeJpegForThumbnail(const char* path, int longSide, CxImage& image, int& width, int& height);
