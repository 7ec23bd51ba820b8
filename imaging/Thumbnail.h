#pragma once
// Making the Images pane's thumbnails: the size a picture's thumbnail takes
// and the scaled bitmap itself.

#include "imaging/ThumbnailList.h"

#include <windows.h>

#include <functional>

class CxImage;

// The square a thumbnail fits into, and the largest picture shown 1:1.
constexpr int kThumbnailBox = 125;
constexpr int kThumbnailMaxUnscaled = 124;
constexpr int kThumbnailMinSide = 3;

// A picture of at most 124 x 124 keeps its size; a larger one fits 125 x 125
// keeping its aspect ratio (the shorter side truncated). No side is below 3.
SIZE ThumbnailSize(int width, int height);

// The picture scaled to its thumbnail size on white (pictures with alpha are
// flattened onto white first, so `image` may change). Null without pixels or
// when the system gives no bitmap. Any thread may call it: it draws only into
// a memory DC of its own. `pictureSize`, when given, is the size of the
// picture `image` was decoded from at a smaller scale; the thumbnail's size
// follows it. A picture with a transparent colour is drawn over what
// `paintBehind` paints there (white without it).
ThumbnailPtr MakeThumbnail(CxImage& image, SIZE pictureSize = SIZE{0, 0},
                           const std::function<void(HDC dc, const RECT& rect)>& paintBehind = {});

// The plain white square of "[No Background]".
ThumbnailPtr MakeBlankThumbnail();
