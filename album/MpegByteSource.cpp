#include "album/MpegByteSource.h"

#include <cstring>

namespace {

// Files above 2 GiB are possible: seek with 64-bit offsets.
bool SeekTo(std::FILE* file, std::uint64_t offset, int origin)
{
#ifdef _WIN32
    return _fseeki64(file, static_cast<long long>(offset), origin) == 0;
#else
    return fseeko(file, static_cast<off_t>(offset), origin) == 0;
#endif
}

std::uint64_t Position(std::FILE* file)
{
#ifdef _WIN32
    const long long at = _ftelli64(file);
#else
    const off_t at = ftello(file);
#endif
    return at < 0 ? 0 : static_cast<std::uint64_t>(at);
}

}  // namespace

std::size_t CMpegMemorySource::ReadAt(std::uint64_t offset, void* buffer, std::size_t count)
{
    if (offset >= m_size)
        return 0;
    const std::size_t available = m_size - static_cast<std::size_t>(offset);
    const std::size_t n = count < available ? count : available;
    std::memcpy(buffer, m_data + offset, n);
    return n;
}

CMpegFileSource::CMpegFileSource(const char* path) : m_file(path ? std::fopen(path, "rb") : nullptr)
{
    if (m_file && SeekTo(m_file, 0, SEEK_END))
        m_size = Position(m_file);
}

CMpegFileSource::~CMpegFileSource()
{
    if (m_file)
        std::fclose(m_file);
}

std::size_t CMpegFileSource::ReadAt(std::uint64_t offset, void* buffer, std::size_t count)
{
    if (!m_file || offset >= m_size || !SeekTo(m_file, offset, SEEK_SET))
        return 0;
    return std::fread(buffer, 1, count, m_file);
}
