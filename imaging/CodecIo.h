#pragma once
// Small helpers the codecs share for reading and writing a CImageFile: whole
// reads and writes, the bytes left to read, and little-endian fields of byte
// buffers (file layouts are little-endian whatever the host is).

#include "imaging/ImageFile.h"
#include "imaging/ImageTypes.h"

#include <cstdint>

namespace codec_io {

// True when all `bytes` bytes were read (or there were none to read).
inline bool ReadExact(CImageFile& file, void* buffer, std::size_t bytes)
{
    return bytes == 0 || file.Read(buffer, 1, bytes) == bytes;
}

// True when all `bytes` bytes were written.
inline bool WriteExact(CImageFile& file, const void* buffer, std::size_t bytes)
{
    return bytes == 0 || file.Write(buffer, 1, bytes) == bytes;
}

// Bytes between the position and the end; -1 when the file cannot tell.
inline std::int64_t BytesLeft(CImageFile& file)
{
    const std::int64_t size = file.Size();
    const std::int64_t position = file.Tell();
    if (size < 0 || position < 0)
        return -1;
    return position >= size ? 0 : size - position;
}

// True when the file certainly holds fewer than `bytes` more bytes. A file
// that cannot tell its size is trusted; its reads still fail when short.
inline bool Lacks(CImageFile& file, std::uint64_t bytes)
{
    const std::int64_t left = BytesLeft(file);
    return left >= 0 && static_cast<std::uint64_t>(left) < bytes;
}

inline WORD Le16(const BYTE* bytes)
{
    return static_cast<WORD>(bytes[0] | (bytes[1] << 8));
}

inline DWORD Le32(const BYTE* bytes)
{
    return static_cast<DWORD>(bytes[0]) | (static_cast<DWORD>(bytes[1]) << 8) |
           (static_cast<DWORD>(bytes[2]) << 16) | (static_cast<DWORD>(bytes[3]) << 24);
}

inline void PutLe16(BYTE* bytes, WORD value)
{
    bytes[0] = static_cast<BYTE>(value);
    bytes[1] = static_cast<BYTE>(value >> 8);
}

inline void PutLe32(BYTE* bytes, DWORD value)
{
    bytes[0] = static_cast<BYTE>(value);
    bytes[1] = static_cast<BYTE>(value >> 8);
    bytes[2] = static_cast<BYTE>(value >> 16);
    bytes[3] = static_cast<BYTE>(value >> 24);
}

}  // namespace codec_io
