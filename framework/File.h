#pragma once
// Byte streams: CByteStream is what an archive reads and writes through; CFile
// is a disk file (it owns its handle), CMemFile a block of memory. Failures of the
// system throw CFileException; Open reports failure by its result instead, since
// a missing file is an everyday event.

#include "framework/Exceptions.h"
#include "framework/String.h"

#include <windows.h>

#include <cstddef>
#include <vector>

class CByteStream {
public:
    enum SeekPosition { begin = 0, current = 1, end = 2 };

    virtual ~CByteStream() = default;
    CByteStream(const CByteStream&) = delete;
    CByteStream& operator=(const CByteStream&) = delete;

    // Up to `count` bytes; fewer only at the end of the stream, 0 there.
    virtual UINT Read(void* buffer, UINT count) = 0;
    // All `count` bytes, or throws.
    virtual void Write(const void* buffer, UINT count) = 0;
    // The new position; a position before the start throws (badSeek).
    virtual ULONGLONG Seek(LONGLONG offset, SeekPosition from) = 0;
    virtual ULONGLONG GetPosition() const = 0;
    virtual ULONGLONG GetLength() const = 0;
    virtual void SetLength(ULONGLONG length) = 0;
    virtual void Flush() {}
    // The name used in messages (a disk file's full path).
    virtual CString GetFilePath() const = 0;

    void SeekToBegin() { Seek(0, begin); }
    ULONGLONG SeekToEnd() { return Seek(0, end); }

protected:
    CByteStream() = default;
};

class CFile : public CByteStream {
public:
    // Access, sharing and creation flags, combined with |.
    enum OpenFlags : UINT {
        modeRead = 0x0000,
        modeWrite = 0x0001,
        modeReadWrite = 0x0002,
        shareCompat = 0x0000,     // others may read
        shareExclusive = 0x0010,
        shareDenyWrite = 0x0020,
        shareDenyRead = 0x0030,
        shareDenyNone = 0x0040,
        modeCreate = 0x1000,      // create, truncating an existing file...
        modeNoTruncate = 0x2000,  // ...unless this is set too
        typeBinary = 0x8000,      // accepted and ignored: every file is binary
    };

    CFile() = default;
    // Opens or throws CFileException.
    CFile(const char* path, UINT openFlags);
    ~CFile() override;
    CFile(CFile&& other) noexcept;
    CFile& operator=(CFile&& other) noexcept;

    // False when the file can't be opened; `osError` (optional) receives the
    // system's error code. A file already open is closed first.
    bool Open(const char* path, UINT openFlags, DWORD* osError = nullptr);
    bool IsOpen() const noexcept { return m_hFile != INVALID_HANDLE_VALUE; }
    void Close() noexcept;
    HANDLE GetHandle() const noexcept { return m_hFile; }

    UINT Read(void* buffer, UINT count) override;
    void Write(const void* buffer, UINT count) override;
    ULONGLONG Seek(LONGLONG offset, SeekPosition from) override;
    ULONGLONG GetPosition() const override;
    ULONGLONG GetLength() const override;
    void SetLength(ULONGLONG length) override;
    void Flush() override;
    CString GetFilePath() const override { return m_strFilePath; }
    // The part of the path after the last backslash or slash.
    CString GetFileName() const;

private:
    void RequireOpen() const;

    HANDLE m_hFile = INVALID_HANDLE_VALUE;
    CString m_strFilePath;
};

class CMemFile : public CByteStream {
public:
    // An empty, growable, writable block.
    CMemFile() = default;
    // A writable block that starts with these bytes, positioned at the start.
    explicit CMemFile(std::vector<BYTE> bytes) : m_bytes(std::move(bytes)) {}
    // A read-only view of bytes the caller keeps alive while the file is used.
    CMemFile(const BYTE* data, std::size_t size) { Attach(data, size); }

    // Switches to a read-only view of the caller's bytes, at position 0.
    void Attach(const BYTE* data, std::size_t size);
    // The contents (copied from a view), leaving the file empty and writable.
    std::vector<BYTE> Detach();

    bool IsReadOnly() const noexcept { return m_view != nullptr; }
    const BYTE* GetData() const noexcept { return m_view ? m_view : m_bytes.data(); }
    void SetFilePath(const CString& name) { m_strName = name; }

    UINT Read(void* buffer, UINT count) override;
    void Write(const void* buffer, UINT count) override;  // throws accessDenied on a view
    ULONGLONG Seek(LONGLONG offset, SeekPosition from) override;
    ULONGLONG GetPosition() const override { return m_position; }
    ULONGLONG GetLength() const override { return m_view ? m_viewSize : m_bytes.size(); }
    void SetLength(ULONGLONG length) override;
    CString GetFilePath() const override { return m_strName; }

private:
    std::vector<BYTE> m_bytes;
    const BYTE* m_view = nullptr;
    std::size_t m_viewSize = 0;
    ULONGLONG m_position = 0;
    CString m_strName;
};
