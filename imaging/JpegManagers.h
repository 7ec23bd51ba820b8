#pragma once
// libjpeg's error, source and destination managers over a CImageFile, shared by
// the JPEG decoder and encoder (imaging/JpegImage.h).
//
// A fatal libjpeg error leaves libjpeg's message in the image's last error and
// jumps back to the setjmp of the operation. That setjmp sits in a function
// whose frame holds nothing with a destructor, and everything the operation
// owns lives in its caller's frame or in libjpeg's own pools, so the jump
// skips no clean-up: the caller destroys the codec object afterwards.

#include "imaging/ImageTypes.h"

#include <csetjmp>
#include <cstddef>
#include <cstdio>

#include <jpeglib.h>

class CxImage;
class CImageFile;

// Every file read and write goes through one block of this size.
inline constexpr std::size_t kJpegTransferBytes = 4096;

// What libjpeg may allocate for one picture besides the image itself: the
// coefficients of a large progressive file need about twice the picture's
// size. A file that needs more fails instead of exhausting memory.
inline constexpr long kJpegWorkMemory = 768L * 1024 * 1024;

// More scans than any real progressive file has; a file with more is built to
// make decoding crawl.
inline constexpr int kJpegMaxScans = 500;

// jpeg_std_error with the error exit and the message output replaced.
struct JpegErrorManager {
    jpeg_error_mgr pub{};  // first: libjpeg sees a pointer to this
    std::jmp_buf jump{};
    CxImage* image = nullptr;
};

// Reads the file in kJpegTransferBytes blocks, and limits the scans.
struct JpegSourceManager {
    jpeg_source_mgr pub{};  // first: libjpeg sees a pointer to this
    jpeg_progress_mgr progress{};
    CImageFile* file = nullptr;
    bool startOfFile = true;
    JOCTET buffer[kJpegTransferBytes]{};
};

// Writes the file in kJpegTransferBytes blocks.
struct JpegDestinationManager {
    jpeg_destination_mgr pub{};  // first: libjpeg sees a pointer to this
    CImageFile* file = nullptr;
    JOCTET buffer[kJpegTransferBytes]{};
};

// Points the object's error manager at `errors`, which sends fatal errors into
// `image`'s last error. Call before creating the codec object.
void JpegInstallErrorManager(jpeg_common_struct& codec, JpegErrorManager& errors, CxImage& image);
// Installs `source` reading from `file` (and its scan limit).
void JpegInstallSource(jpeg_decompress_struct& codec, JpegSourceManager& source, CImageFile& file);
// Installs `destination` writing to `file`.
void JpegInstallDestination(jpeg_compress_struct& codec, JpegDestinationManager& destination, CImageFile& file);
// Ends the operation with the program's own text instead of a libjpeg message.
[[noreturn]] void JpegFail(jpeg_common_struct& codec, const char* text);

// The managers' callbacks, as libjpeg calls them.
extern "C" {
void JpegErrorExit(j_common_ptr codec);
void JpegOutputMessage(j_common_ptr codec);
// Progress monitor: ends decoding past kJpegMaxScans scans.
void JpegLimitScans(j_common_ptr codec);
void JpegInitSource(j_decompress_ptr codec);
boolean JpegFillInputBuffer(j_decompress_ptr codec);
void JpegSkipInputData(j_decompress_ptr codec, long count);
void JpegTermSource(j_decompress_ptr codec);
void JpegInitDestination(j_compress_ptr codec);
boolean JpegEmptyOutputBuffer(j_compress_ptr codec);
void JpegTermDestination(j_compress_ptr codec);
}
