#pragma once
// Reads a picture file for the label: the file is read from disk once and
// decoded from those bytes by the format its extension names. A JPEG keeps
// exactly the bytes it was decoded from, which the document stores in place
// of a new encoding.

#include "imaging/xImage.h"

#include <memory>

// Null when the file cannot be read or its extension names no picture format;
// otherwise an image, which holds no picture (and says why in its last error)
// when the bytes could not be decoded.
std::unique_ptr<CxImage> ReadPictureFile(const char* path);

// A full copy of a picture: pixels, alpha and the file bytes a JPEG keeps.
// Null when the source holds no picture or the copy cannot be made.
std::unique_ptr<CxImage> ClonePicture(const CxImage& source);
