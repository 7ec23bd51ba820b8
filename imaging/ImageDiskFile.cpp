// CImageFile's base operations and the standard-I/O implementation.
#include "imaging/ImageFile.h"

#include <climits>

bool CImageFile::PutC(BYTE value)
{
    return Write(&value, 1, 1) == 1;
}

bool CImageDiskFile::Close()
{
    bool closed = true;
    if (m_stream && m_ownsStream)
        closed = std::fclose(m_stream) == 0;
    m_stream = nullptr;
    return closed;
}

std::size_t CImageDiskFile::Read(void* buffer, std::size_t itemSize, std::size_t itemCount)
{
    if (!m_stream || !buffer)
        return 0;
    return std::fread(buffer, itemSize, itemCount, m_stream);
}

std::size_t CImageDiskFile::Write(const void* buffer, std::size_t itemSize, std::size_t itemCount)
{
    if (!m_stream || !buffer)
        return 0;
    return std::fwrite(buffer, itemSize, itemCount, m_stream);
}

bool CImageDiskFile::Seek(std::int32_t offset, int origin)
{
    if (!m_stream)
        return false;
    int whence = SEEK_SET;
    switch (origin) {
    case 0: whence = SEEK_SET; break;
    case 1: whence = SEEK_CUR; break;
    case 2: whence = SEEK_END; break;
    default: return false;
    }
    return std::fseek(m_stream, offset, whence) == 0;
}

std::int32_t CImageDiskFile::Tell()
{
    if (!m_stream)
        return -1;
    const long position = std::ftell(m_stream);
    // A stream beyond 2 GiB has no position this interface can express.
    return position < 0 || position > INT32_MAX ? -1 : static_cast<std::int32_t>(position);
}

std::int32_t CImageDiskFile::Size()
{
    if (!m_stream)
        return -1;
    const long position = std::ftell(m_stream);
    if (position < 0 || std::fseek(m_stream, 0, SEEK_END) != 0)
        return -1;
    const long size = std::ftell(m_stream);
    std::fseek(m_stream, position, SEEK_SET);
    return size < 0 || size > INT32_MAX ? -1 : static_cast<std::int32_t>(size);
}

bool CImageDiskFile::Flush()
{
    return m_stream && std::fflush(m_stream) == 0;
}

bool CImageDiskFile::Eof()
{
    return !m_stream || std::feof(m_stream) != 0;
}

long CImageDiskFile::Error()
{
    return m_stream ? std::ferror(m_stream) : -1;
}

bool CImageDiskFile::PutC(BYTE value)
{
    return m_stream && std::fputc(value, m_stream) != EOF;
}

long CImageDiskFile::GetC()
{
    if (!m_stream)
        return -1;
    const int value = std::fgetc(m_stream);
    return value == EOF ? -1 : value;
}
