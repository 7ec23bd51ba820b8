// CImageFile over a block of memory.
#include "imaging/ImageFile.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>

namespace {

// itemSize × itemCount, or SIZE_MAX when the product does not fit.
std::size_t ByteCount(std::size_t itemSize, std::size_t itemCount)
{
    std::size_t bytes = 0;
    if (__builtin_mul_overflow(itemSize, itemCount, &bytes))
        return SIZE_MAX;
    return bytes;
}

}  // namespace

CImageMemFile::CImageMemFile() : m_open(true) {}

CImageMemFile::CImageMemFile(const void* block, std::size_t size)
{
    if (!block || size > kMaxSize)
        return;
    m_data = static_cast<const BYTE*>(block);
    m_size = size;
    m_open = true;
}

bool CImageMemFile::Close()
{
    std::free(m_owned);
    m_owned = nullptr;
    m_data = nullptr;
    m_size = 0;
    m_capacity = 0;
    m_position = 0;
    m_open = false;
    return true;
}

bool CImageMemFile::Reserve(std::size_t needed)
{
    if (m_owned && needed <= m_capacity)
        return true;
    if (needed > kMaxSize)
        return false;
    // Grow in whole steps beyond what there is, so writing byte by byte does
    // not reallocate at every byte.
    const std::size_t base = m_owned ? m_capacity : m_size;
    std::size_t capacity = base;
    if (needed > base)
        capacity = base + (needed - base + kGrowStep - 1) / kGrowStep * kGrowStep;
    capacity = std::max<std::size_t>(capacity, 1);
    if (capacity > kMaxSize)
        return false;

    BYTE* block = nullptr;
    if (m_owned) {
        block = static_cast<BYTE*>(std::realloc(m_owned, capacity));
    } else {
        // The caller's block is only read: the file's own copy takes the writes.
        block = static_cast<BYTE*>(std::malloc(capacity));
        if (block && m_size)
            std::memcpy(block, m_data, m_size);
    }
    if (!block)
        return false;
    m_owned = block;
    m_data = block;
    m_capacity = capacity;
    return true;
}

std::size_t CImageMemFile::Read(void* buffer, std::size_t itemSize, std::size_t itemCount)
{
    if (!m_open || !buffer || itemSize == 0 || m_position >= m_size)
        return 0;
    const std::size_t bytes = std::min(ByteCount(itemSize, itemCount), m_size - m_position);
    std::memcpy(buffer, m_data + m_position, bytes);
    m_position += bytes;
    return bytes / itemSize;
}

std::size_t CImageMemFile::Write(const void* buffer, std::size_t itemSize, std::size_t itemCount)
{
    const std::size_t bytes = ByteCount(itemSize, itemCount);
    if (!m_open || !buffer || bytes == 0 || bytes > kMaxSize || m_position > kMaxSize - bytes)
        return 0;
    const std::size_t end = m_position + bytes;
    if (!Reserve(std::max(end, m_size)))
        return 0;
    // A write after a seek past the end leaves no stale bytes in the gap.
    if (m_position > m_size)
        std::memset(m_owned + m_size, 0, m_position - m_size);
    std::memcpy(m_owned + m_position, buffer, bytes);
    m_position = end;
    m_size = std::max(m_size, end);
    return itemCount;
}

bool CImageMemFile::Seek(std::int32_t offset, int origin)
{
    if (!m_open)
        return false;
    std::int64_t base = 0;
    switch (origin) {
    case 0: base = 0; break;
    case 1: base = static_cast<std::int64_t>(m_position); break;
    case 2: base = static_cast<std::int64_t>(m_size); break;
    default: return false;
    }
    const std::int64_t position = base + offset;
    if (position < 0 || position > static_cast<std::int64_t>(kMaxSize))
        return false;
    m_position = static_cast<std::size_t>(position);
    return true;
}

std::int32_t CImageMemFile::Tell()
{
    return m_open ? static_cast<std::int32_t>(m_position) : -1;
}

std::int32_t CImageMemFile::Size()
{
    return m_open ? static_cast<std::int32_t>(m_size) : -1;
}

bool CImageMemFile::Flush()
{
    return m_open;
}

bool CImageMemFile::Eof()
{
    return !m_open || m_position >= m_size;
}

long CImageMemFile::Error()
{
    return m_open ? (m_position > m_size ? 1 : 0) : -1;
}

long CImageMemFile::GetC()
{
    if (!m_open || m_position >= m_size)
        return -1;
    return m_data[m_position++];
}

BYTE* CImageMemFile::Detach(std::int32_t& size)
{
    size = 0;
    if (!m_open)
        return nullptr;
    if (!m_owned && !Reserve(std::max<std::size_t>(m_size, 1)))
        return nullptr;
    BYTE* block = m_owned;
    size = static_cast<std::int32_t>(m_size);
    m_owned = nullptr;
    Close();
    return block;
}
