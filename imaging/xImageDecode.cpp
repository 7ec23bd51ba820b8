// CxImage: decoding and encoding by format code, from and to files and memory,
// and the table of codecs the dispatch uses.
#include "imaging/ImageCodecs.h"
#include "imaging/ImageFile.h"
#include "imaging/xImage.h"

#include <cstdlib>
#include <memory>
#include <mutex>

namespace {

bool IsFormatCode(int format)
{
    return format >= 0 && format < kImageFormatCount;
}

// The table in use: the built-in codecs until a test replaces one. Decoding
// runs on worker threads as well, hence the lock.
struct CodecRegistry {
    std::mutex lock;
    ImageCodecTable codecs = BuiltInImageCodecs();
};

CodecRegistry& Registry()
{
    static CodecRegistry registry;
    return registry;
}

struct FileCloser {
    void operator()(std::FILE* stream) const { std::fclose(stream); }
};

}  // namespace

ImageCodec GetImageCodec(int format)
{
    if (!IsFormatCode(format))
        return ImageCodec{};
    CodecRegistry& registry = Registry();
    std::lock_guard<std::mutex> guard(registry.lock);
    return registry.codecs[format];
}

ImageCodec SetImageCodec(int format, ImageCodec codec)
{
    if (!IsFormatCode(format))
        return ImageCodec{};
    CodecRegistry& registry = Registry();
    std::lock_guard<std::mutex> guard(registry.lock);
    const ImageCodec previous = registry.codecs[format];
    registry.codecs[format] = codec;
    return previous;
}

bool CxImage::Decode(CImageFile& file, int format)
{
    if (!IsFormatCode(format)) {
        SetLastError(kUnsupportedFormatText);
        return false;
    }
    const ImageCodec codec = GetImageCodec(format);
    if (!codec.decode) {
        SetLastError(kNoDecoderText);
        return false;
    }

    // The decoder fills a fresh image, so a failure leaves this picture as it was.
    CxImage decoded(format);
    if (format == kImageFormatIco)
        decoded.SetIconFrame(GetIconFrame());
    decoded.SetCancel(IsCancelled());
    bool decodedOk = false;
    try {
        decodedOk = codec.decode(decoded, file);
    } catch (...) {
        // Codecs must not throw; should one, it is an ordinary failure here.
        decodedOk = false;
        if (!*decoded.GetLastError())
            decoded.SetLastError("Decoder failed");
    }
    if (decodedOk && !decoded.IsValid()) {
        decodedOk = false;
        decoded.SetLastError("Decoder gave no picture");
    }

    if (!decodedOk) {
        SetLastError(decoded.GetLastError());
        if (format == kImageFormatIco)
            SetIconFrameCount(decoded.GetIconFrameCount());
        return false;
    }
    Transfer(decoded);
    return true;
}

bool CxImage::Encode(CImageFile& file, int format)
{
    if (!IsFormatCode(format)) {
        SetLastError(kUnsupportedFormatText);
        return false;
    }
    if (!IsValid()) {
        SetLastError(kEmptyImageText);
        return false;
    }
    const ImageCodec codec = GetImageCodec(format);
    if (!codec.encode) {
        SetLastError(kNoEncoderText);
        return false;
    }

    // The encoder works on a view of this picture with all its settings.
    CxImage view(format);
    view.Ghost(*this);
    bool encodedOk = false;
    try {
        encodedOk = codec.encode(view, file);
    } catch (...) {
        encodedOk = false;
        if (!*view.GetLastError())
            view.SetLastError("Encoder failed");
    }
    if (!encodedOk)
        SetLastError(view.GetLastError());
    return encodedOk;
}

bool CxImage::LoadFile(const char* path, int format)
{
    if (!path)
        return false;
    std::unique_ptr<std::FILE, FileCloser> stream(std::fopen(path, "rb"));
    if (!stream)
        return false;
    return DecodeStream(stream.get(), format);
}

bool CxImage::DecodeStream(std::FILE* stream, int format)
{
    CImageDiskFile file(stream, false);
    return Decode(file, format);
}

bool CxImage::DecodeMemory(const BYTE* block, std::size_t size, int format)
{
    CImageMemFile file(block, size);
    return Decode(file, format);
}

bool CxImage::EncodeToMemory(BYTE*& block, std::int32_t& size, int format)
{
    if (block)
        return false;
    CImageMemFile file;
    if (!Encode(file, format))
        return false;
    std::int32_t length = 0;
    BYTE* encoded = file.Detach(length);
    if (!encoded) {
        SetLastError("Out of memory");
        return false;
    }
    block = encoded;
    size = length;
    return true;
}

bool CxImage::EncodeToMemory(std::vector<BYTE>& bytes, int format)
{
    CImageMemFile file;
    if (!Encode(file, format))
        return false;
    try {
        bytes.assign(file.GetBuffer(), file.GetBuffer() + file.Size());
    } catch (...) {
        SetLastError("Out of memory");
        return false;
    }
    return true;
}
