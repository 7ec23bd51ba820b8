#pragma once
// libpng's read, write, flush, error and warning callbacks over a CImageFile,
// shared by the PNG decoder and encoder (imaging/PngImage.h).
//
// The I/O pointer is the CImageFile, the error pointer the CxImage whose last
// error gets libpng's message. An error jumps back to the setjmp of the
// operation, which sits in a function whose frame holds nothing with a
// destructor; what the operation owns lives in its caller's frame.

#include "imaging/ImageTypes.h"

#include <png.h>

extern "C" {
// Reads exactly the bytes libpng asks for; a short read is "Read Error".
void PngReadData(png_structp png, png_bytep data, size_t length);
// Writes all the bytes; a short write is "Write Error".
void PngWriteData(png_structp png, png_bytep data, size_t length);
// A failed flush is "Flush Error".
void PngFlushData(png_structp png);
// Keeps libpng's message (at most 255 characters) in the image's last error
// and jumps back; never returns.
PNG_NORETURN void PngErrorFn(png_structp png, png_const_charp message);
// Warnings are dropped: the picture is still good.
void PngWarningFn(png_structp png, png_const_charp message);
}

// Widens a row of `width` 2-bit pixels into 4-bit pixels in place, from the
// last pixel backwards; the row must hold (width + 1) / 2 bytes.
void PngExpand2To4(BYTE* row, std::size_t width);
