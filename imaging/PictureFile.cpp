#include "imaging/PictureFile.h"

#include "imaging/ImageFormatFromPath.h"
#include "imaging/ImageTypes.h"

#include <cstdio>
#include <vector>

namespace {

// The whole file; false when it cannot be opened or read, or is too large to hold.
bool ReadWholeFile(const char* path, std::vector<BYTE>& bytes)
{
    std::FILE* file = std::fopen(path, "rb");
    if (!file)
        return false;
    bool ok = std::fseek(file, 0, SEEK_END) == 0;
    const long length = ok ? std::ftell(file) : -1;
    ok = ok && length >= 0 && static_cast<std::uint64_t>(length) <= kMaxImageBytes &&
         std::fseek(file, 0, SEEK_SET) == 0;
    if (ok) {
        bytes.resize(static_cast<size_t>(length));
        ok = length == 0 || std::fread(bytes.data(), 1, bytes.size(), file) == bytes.size();
    }
    std::fclose(file);
    return ok;
}

}  // namespace

std::unique_ptr<CxImage> ReadPictureFile(const char* path)
{
    const int format = GetImageFormatFromPath(path);
    if (format < 0)
        return nullptr;
    std::vector<BYTE> bytes;
    if (!ReadWholeFile(path, bytes))
        return nullptr;
    auto image = std::make_unique<CxImage>(format);
    if (!image->DecodeMemory(bytes.data(), bytes.size(), format))
        return image;
    if (format == kImageFormatJpeg && !image->CopyUserBuffer(bytes.data(), bytes.size()))
        image->Destroy();
    return image;
}

std::unique_ptr<CxImage> ClonePicture(const CxImage& source)
{
    if (!source.IsValid())
        return nullptr;
    auto copy = std::make_unique<CxImage>(source.GetFormat());
    if (!copy->CopyFrom(source, true, true) || !copy->IsValid())
        return nullptr;
    if (source.GetUserBuffer() && !copy->CopyUserBuffer(source.GetUserBuffer(), source.GetUserValue()))
        return nullptr;
    return copy;
}
