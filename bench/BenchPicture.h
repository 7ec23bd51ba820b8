#pragma once
// The benchmark's picture: 24 bits, photo-like (smooth light and colour,
// edges, texture at a few pixels' scale and fine grain, so neither JPEG nor
// PNG has it easier than with a photograph),
// the same at every run.

class CxImage;

// Makes `image` a width × height picture; false when memory runs out.
bool MakePhotoLikePicture(CxImage& image, int width, int height);
