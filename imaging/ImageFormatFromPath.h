#pragma once
// The image format a file name's extension stands for.

#include "imaging/ImageTypes.h"

// The format code (kImageFormatBmp ... kImageFormatWmf) of the text after the
// path's last ".", compared without regard to case and surrounding white
// space: bmp/dib, jpg/jpeg, png, ico, pcx, wmf/emf; -1 for anything else.
int GetImageFormatFromPath(const char* path);
