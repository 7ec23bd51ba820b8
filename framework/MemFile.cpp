#include "framework/File.h"

#include <algorithm>
#include <cstring>
#include <limits>

void CMemFile::Attach(const BYTE* data, std::size_t size)
{
    m_bytes.clear();
    m_bytes.shrink_to_fit();
    // A view of nothing still has to be read-only, so it points at a dummy byte.
    static const BYTE kNothing = 0;
    m_view = data ? data : &kNothing;
    m_viewSize = data ? size : 0;
    m_position = 0;
}

std::vector<BYTE> CMemFile::Detach()
{
    std::vector<BYTE> contents;
    if (m_view)
        contents.assign(m_view, m_view + m_viewSize);
    else
        contents.swap(m_bytes);
    m_view = nullptr;
    m_viewSize = 0;
    m_position = 0;
    return contents;
}

UINT CMemFile::Read(void* buffer, UINT count)
{
    const ULONGLONG length = GetLength();
    if (m_position >= length || count == 0)
        return 0;
    const UINT n = static_cast<UINT>(std::min<ULONGLONG>(count, length - m_position));
    std::memcpy(buffer, GetData() + m_position, n);
    m_position += n;
    return n;
}

void CMemFile::Write(const void* buffer, UINT count)
{
    if (m_view)
        throw CFileException(CFileException::accessDenied, ERROR_ACCESS_DENIED, m_strName);
    if (count == 0)
        return;
    const ULONGLONG end = m_position + count;
    if (end > std::numeric_limits<std::size_t>::max())
        throw CFileException(CFileException::diskFull, ERROR_NOT_ENOUGH_MEMORY, m_strName);
    if (end > m_bytes.size())
        m_bytes.resize(static_cast<std::size_t>(end));  // a gap left by a seek past the end reads as zeros
    std::memcpy(m_bytes.data() + m_position, buffer, count);
    m_position = end;
}

ULONGLONG CMemFile::Seek(LONGLONG offset, SeekPosition from)
{
    const LONGLONG base = from == begin ? 0 : from == current ? static_cast<LONGLONG>(m_position)
                                                              : static_cast<LONGLONG>(GetLength());
    if ((offset < 0 && base + offset < 0) ||
        (offset > 0 && base > std::numeric_limits<LONGLONG>::max() - offset))
        throw CFileException(CFileException::badSeek, ERROR_NEGATIVE_SEEK, m_strName);
    m_position = static_cast<ULONGLONG>(base + offset);
    return m_position;
}

void CMemFile::SetLength(ULONGLONG length)
{
    if (m_view)
        throw CFileException(CFileException::accessDenied, ERROR_ACCESS_DENIED, m_strName);
    if (length > std::numeric_limits<std::size_t>::max())
        throw CFileException(CFileException::diskFull, ERROR_NOT_ENOUGH_MEMORY, m_strName);
    m_bytes.resize(static_cast<std::size_t>(length));
    m_position = std::min(m_position, length);
}
