#pragma once
// Random access to the bytes of an MP3 file, so the frame scanner reads only
// the few places it needs and works the same on a file and on bytes in memory.
// Builds without <windows.h>.

#include <cstddef>
#include <cstdint>
#include <cstdio>

class IMpegByteSource
{
public:
    virtual ~IMpegByteSource() = default;
    // Bytes read at `offset`, at most `count`; fewer at the end.
    virtual std::size_t ReadAt(std::uint64_t offset, void* buffer, std::size_t count) = 0;
    virtual std::uint64_t Size() const = 0;
};

class CMpegMemorySource : public IMpegByteSource
{
public:
    CMpegMemorySource(const std::uint8_t* data, std::size_t size) : m_data(data), m_size(size) {}
    std::size_t ReadAt(std::uint64_t offset, void* buffer, std::size_t count) override;
    std::uint64_t Size() const override { return m_size; }

private:
    const std::uint8_t* m_data;
    std::size_t m_size;
};

class CMpegFileSource : public IMpegByteSource
{
public:
    explicit CMpegFileSource(const char* path);
    ~CMpegFileSource() override;
    CMpegFileSource(const CMpegFileSource&) = delete;
    CMpegFileSource& operator=(const CMpegFileSource&) = delete;

    bool IsOpen() const { return m_file != nullptr; }
    std::size_t ReadAt(std::uint64_t offset, void* buffer, std::size_t count) override;
    std::uint64_t Size() const override { return m_size; }

private:
    std::FILE* m_file = nullptr;
    std::uint64_t m_size = 0;
};
