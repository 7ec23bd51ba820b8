#pragma once
// An output file that fails: it takes only so many bytes, or cannot flush.

#include "imaging/ImageFile.h"

class CLimitedFile : public CImageMemFile {
public:
    explicit CLimitedFile(std::size_t limit, bool flushes = true) : m_limit(limit), m_flushes(flushes) {}
    std::size_t Write(const void* buffer, std::size_t itemSize, std::size_t itemCount) override
    {
        if (static_cast<std::size_t>(Size()) + itemSize * itemCount > m_limit)
            return 0;
        return CImageMemFile::Write(buffer, itemSize, itemCount);
    }
    bool Flush() override { return m_flushes && CImageMemFile::Flush(); }

private:
    std::size_t m_limit;
    bool m_flushes;
};
