// libjpeg's error, source and destination managers over a CImageFile.
#include "imaging/JpegManagers.h"

#include "imaging/ImageFile.h"
#include "imaging/xImage.h"

#include <csetjmp>

#include <jerror.h>

namespace {

JpegErrorManager& ErrorsOf(j_common_ptr codec)
{
    return *reinterpret_cast<JpegErrorManager*>(codec->err);
}

JpegSourceManager& SourceOf(j_decompress_ptr codec)
{
    return *reinterpret_cast<JpegSourceManager*>(codec->src);
}

JpegDestinationManager& DestinationOf(j_compress_ptr codec)
{
    return *reinterpret_cast<JpegDestinationManager*>(codec->dest);
}

}  // namespace

void JpegInstallErrorManager(jpeg_common_struct& codec, JpegErrorManager& errors, CxImage& image)
{
    codec.err = jpeg_std_error(&errors.pub);
    errors.pub.error_exit = JpegErrorExit;
    errors.pub.output_message = JpegOutputMessage;
    errors.image = &image;
}

void JpegInstallSource(jpeg_decompress_struct& codec, JpegSourceManager& source, CImageFile& file)
{
    source.file = &file;
    source.startOfFile = true;
    source.pub.init_source = JpegInitSource;
    source.pub.fill_input_buffer = JpegFillInputBuffer;
    source.pub.skip_input_data = JpegSkipInputData;
    source.pub.resync_to_restart = jpeg_resync_to_restart;
    source.pub.term_source = JpegTermSource;
    source.pub.bytes_in_buffer = 0;
    source.pub.next_input_byte = nullptr;
    codec.src = &source.pub;

    // The scan limit rides on the progress monitor.
    source.progress.progress_monitor = JpegLimitScans;
    codec.progress = &source.progress;
}

void JpegInstallDestination(jpeg_compress_struct& codec, JpegDestinationManager& destination, CImageFile& file)
{
    destination.file = &file;
    destination.pub.init_destination = JpegInitDestination;
    destination.pub.empty_output_buffer = JpegEmptyOutputBuffer;
    destination.pub.term_destination = JpegTermDestination;
    codec.dest = &destination.pub;
}

void JpegFail(jpeg_common_struct& codec, const char* text)
{
    JpegErrorManager& errors = ErrorsOf(&codec);
    errors.image->SetLastError(text);
    std::longjmp(errors.jump, 1);
}

extern "C" {

void JpegLimitScans(j_common_ptr codec)
{
    if (!codec->is_decompressor)
        return;
    const auto* decompressor = reinterpret_cast<j_decompress_ptr>(codec);
    if (decompressor->input_scan_number > kJpegMaxScans)
        JpegFail(*codec, "JPEG file has too many scans");
}

void JpegErrorExit(j_common_ptr codec)
{
    JpegErrorManager& errors = ErrorsOf(codec);
    char message[JMSG_LENGTH_MAX] = {};
    errors.pub.format_message(codec, message);
    errors.image->SetLastError(message);
    std::longjmp(errors.jump, 1);
}

void JpegOutputMessage(j_common_ptr /*codec*/)
{
    // Warnings (a file cut short, corrupt data) are counted by libjpeg; a
    // program without a console has nowhere to print them.
}

void JpegInitSource(j_decompress_ptr codec)
{
    SourceOf(codec).startOfFile = true;
}

boolean JpegFillInputBuffer(j_decompress_ptr codec)
{
    JpegSourceManager& source = SourceOf(codec);
    std::size_t count = source.file->Read(source.buffer, 1, sizeof(source.buffer));
    if (count == 0) {
        if (source.startOfFile)
            ERREXIT(codec, JERR_INPUT_EMPTY);
        // A file cut short: an end-of-image marker lets libjpeg finish the
        // picture with what it has.
        WARNMS(codec, JWRN_JPEG_EOF);
        source.buffer[0] = 0xFF;
        source.buffer[1] = JPEG_EOI;
        count = 2;
    }
    source.pub.next_input_byte = source.buffer;
    source.pub.bytes_in_buffer = count;
    source.startOfFile = false;
    return TRUE;
}

void JpegSkipInputData(j_decompress_ptr codec, long count)
{
    if (count <= 0)
        return;
    JpegSourceManager& source = SourceOf(codec);
    auto remaining = static_cast<std::size_t>(count);
    while (remaining > source.pub.bytes_in_buffer) {
        remaining -= source.pub.bytes_in_buffer;
        JpegFillInputBuffer(codec);
    }
    source.pub.next_input_byte += remaining;
    source.pub.bytes_in_buffer -= remaining;
}

void JpegTermSource(j_decompress_ptr /*codec*/) {}

void JpegInitDestination(j_compress_ptr codec)
{
    JpegDestinationManager& destination = DestinationOf(codec);
    destination.pub.next_output_byte = destination.buffer;
    destination.pub.free_in_buffer = sizeof(destination.buffer);
}

boolean JpegEmptyOutputBuffer(j_compress_ptr codec)
{
    JpegDestinationManager& destination = DestinationOf(codec);
    if (destination.file->Write(destination.buffer, 1, sizeof(destination.buffer)) != sizeof(destination.buffer))
        ERREXIT(codec, JERR_FILE_WRITE);
    destination.pub.next_output_byte = destination.buffer;
    destination.pub.free_in_buffer = sizeof(destination.buffer);
    return TRUE;
}

void JpegTermDestination(j_compress_ptr codec)
{
    JpegDestinationManager& destination = DestinationOf(codec);
    const std::size_t held = sizeof(destination.buffer) - destination.pub.free_in_buffer;
    if (held > 0 && destination.file->Write(destination.buffer, 1, held) != held)
        ERREXIT(codec, JERR_FILE_WRITE);
    destination.file->Flush();
    if (destination.file->Error())
        ERREXIT(codec, JERR_FILE_WRITE);
}

}  // extern "C"
