#pragma once
// The byte stream every codec reads and writes: one interface, so the same
// decoder serves an image file on disk and an image block inside a document.
// Positions and sizes are signed 32-bit, as image files and document blocks are.

#include "imaging/ImageTypes.h"

#include <cstdint>
#include <cstdio>

class CImageFile {
public:
    CImageFile() = default;
    virtual ~CImageFile() = default;
    CImageFile(const CImageFile&) = delete;
    CImageFile& operator=(const CImageFile&) = delete;

    virtual bool Close() = 0;
    // Whole items read or written.
    virtual std::size_t Read(void* buffer, std::size_t itemSize, std::size_t itemCount) = 0;
    virtual std::size_t Write(const void* buffer, std::size_t itemSize, std::size_t itemCount) = 0;
    // origin: 0 start, 1 current position, 2 end.
    virtual bool Seek(std::int32_t offset, int origin) = 0;
    virtual std::int32_t Tell() = 0;
    virtual std::int32_t Size() = 0;
    virtual bool Flush() = 0;
    virtual bool Eof() = 0;
    virtual long Error() = 0;
    virtual bool PutC(BYTE value);
    // 0..255, or -1 at the end.
    virtual long GetC() = 0;
};

// A standard-I/O stream; closed when it goes only when owned.
class CImageDiskFile : public CImageFile {
public:
    explicit CImageDiskFile(std::FILE* stream = nullptr, bool ownsStream = false)
        : m_stream(stream), m_ownsStream(ownsStream)
    {
    }
    ~CImageDiskFile() override { Close(); }

    bool Close() override;
    std::size_t Read(void* buffer, std::size_t itemSize, std::size_t itemCount) override;
    std::size_t Write(const void* buffer, std::size_t itemSize, std::size_t itemCount) override;
    bool Seek(std::int32_t offset, int origin) override;
    std::int32_t Tell() override;
    std::int32_t Size() override;
    bool Flush() override;
    bool Eof() override;
    long Error() override;
    bool PutC(BYTE value) override;
    long GetC() override;

private:
    std::FILE* m_stream;
    bool m_ownsStream;
};

// A block of memory. Over a caller's block it reads that block and never
// changes or frees it: the first write that would touch it copies it into a
// block of the file's own. Made empty, it is a growing output buffer whose
// block the caller can take over with Detach.
class CImageMemFile : public CImageFile {
public:
    // An empty file for writing.
    CImageMemFile();
    // Reads a caller's block of `size` bytes; a null block gives a closed file.
    CImageMemFile(const void* block, std::size_t size);
    ~CImageMemFile() override { Close(); }

    bool Close() override;
    std::size_t Read(void* buffer, std::size_t itemSize, std::size_t itemCount) override;
    std::size_t Write(const void* buffer, std::size_t itemSize, std::size_t itemCount) override;
    bool Seek(std::int32_t offset, int origin) override;
    std::int32_t Tell() override;
    std::int32_t Size() override;
    bool Flush() override;
    bool Eof() override;
    long Error() override;
    long GetC() override;

    // The data (null when closed or empty); valid until the next write or close.
    const BYTE* GetBuffer() const { return m_data; }
    // Bytes allocated by the file for its own block.
    std::size_t GetCapacity() const { return m_capacity; }
    // Hands the data over as a malloc block the caller frees with free(), and
    // closes the file. Never null for an open file (a 1-byte block when empty);
    // null when closed or when memory runs out. `size` gets the data's length.
    BYTE* Detach(std::int32_t& size);

    // The most a memory file holds: positions are signed 32-bit.
    static constexpr std::size_t kMaxSize = 0x7FFFF000;
    static constexpr std::size_t kGrowStep = 4096;

private:
    // Makes the block the file's own with room for `needed` bytes.
    bool Reserve(std::size_t needed);

    const BYTE* m_data = nullptr;  // the bytes read: the caller's block or m_owned
    BYTE* m_owned = nullptr;       // the file's own block (malloc)
    std::size_t m_size = 0;        // bytes of data
    std::size_t m_capacity = 0;    // bytes of m_owned
    std::size_t m_position = 0;
    bool m_open = false;
};
