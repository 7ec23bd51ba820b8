#pragma once
// CArchive: the framework's binary serialisation format over a byte stream.
//
// Byte form (all numbers little-endian):
// - BYTE/char 1 byte, WORD/short 2, int/UINT/LONG/DWORD/float 4, LONGLONG/double 8.
// - A string: its length as one byte when below 255; else 0xFF and a WORD when
//   below 0xFFFE; else 0xFF, 0xFFFF and a DWORD; then the characters, no terminator.
// - A count: a WORD, or 0xFFFF and a DWORD when the count is 0xFFFF or more.
// - An object reference: WORD 0 for a null pointer. Classes and objects are
//   numbered together from 1 in the order they first appear. The first object of
//   a class is preceded by a class record (0xFFFF, the schema WORD, the name's
//   length WORD, the name); a later object of a known class by 0x8000 | class
//   index. The object's fields follow. An object written before is written as its
//   index alone. An index of 0x7FFF or more takes the WORD 0x7FFF and a DWORD:
//   0x80000000 | index for a class, the plain index for an object.
//
// Every read is checked: reading past the end, a damaged tag, an unknown class or
// a count larger than the bytes left throws CArchiveException. After an object
// read has failed, the archive refuses further object reads, since objects it
// handed out may have been freed by the code that unwound.
//
// Ownership: an object read for the first time belongs to the caller; a reference
// to an object read before returns the same pointer again (ReadObject) or is
// refused (ReadNewObject, for owners that must not share).

#include "framework/Exceptions.h"
#include "framework/File.h"
#include "framework/Object.h"
#include "framework/String.h"

#include <windows.h>

#include <cstddef>
#include <memory>
#include <unordered_map>
#include <vector>

class CArchive {
public:
    enum Mode : UINT {
        store = 0,
        load = 1,
        bNoFlushOnDelete = 2,  // the destructor of a storing archive does not write its buffer
    };
    static constexpr int kDefaultBufferSize = 4096;
    // How deeply objects may nest inside objects being read; a damaged file must
    // not be able to recurse until the stack runs out.
    static constexpr int kMaxObjectDepth = 256;

    // The stream must outlive the archive. A loading archive reads from the
    // stream's current position.
    CArchive(CByteStream* file, UINT mode, int bufferSize = kDefaultBufferSize);
    // A storing archive writes what is buffered (errors are swallowed here: call
    // Close to see them).
    ~CArchive();
    CArchive(const CArchive&) = delete;
    CArchive& operator=(const CArchive&) = delete;

    bool IsLoading() const noexcept { return (m_nMode & load) != 0; }
    bool IsStoring() const noexcept { return !IsLoading(); }
    CByteStream* GetFile() const noexcept { return m_pFile; }

    // Storing: writes the buffer to the stream.
    void Flush();
    // Storing: flushes. Loading: moves the stream back to the first byte not
    // consumed, so the stream's position is the archive's. Either way the
    // archive is then detached from the stream.
    void Close();
    // Detaches without writing anything.
    void Abort() noexcept;

    // Up to `count` bytes; fewer only at the end.
    UINT Read(void* buffer, UINT count);
    // Exactly `count` bytes, or throws endOfFile.
    void ReadAll(void* buffer, UINT count);
    void Write(const void* buffer, UINT count);

    // Bytes left to read, including the buffered ones (loading only).
    ULONGLONG GetBytesRemaining() const;
    // Throws endOfFile when fewer than `count` bytes are left: call before
    // allocating for a length read from the file.
    void RequireBytes(ULONGLONG count) const;

    CArchive& operator<<(BYTE value) { return WriteValue(value); }
    CArchive& operator<<(char value) { return WriteValue(value); }
    CArchive& operator<<(WORD value) { return WriteValue(value); }
    CArchive& operator<<(short value) { return WriteValue(value); }
    CArchive& operator<<(int value) { return WriteValue(value); }
    CArchive& operator<<(UINT value) { return WriteValue(value); }
#ifdef _WIN32
    // Types of their own on Windows; in the host build of the fuzz targets they
    // are int and UINT, whose operators serve them.
    CArchive& operator<<(LONG value) { return WriteValue(value); }
    CArchive& operator<<(DWORD value) { return WriteValue(value); }
#endif
    CArchive& operator<<(LONGLONG value) { return WriteValue(value); }
    CArchive& operator<<(ULONGLONG value) { return WriteValue(value); }
    CArchive& operator<<(float value) { return WriteValue(value); }
    CArchive& operator<<(double value) { return WriteValue(value); }
    CArchive& operator<<(const RECT& value);
    CArchive& operator<<(const POINT& value);
    CArchive& operator<<(const SIZE& value);
    CArchive& operator<<(const CString& value);
    CArchive& operator<<(const CObject* object);

    CArchive& operator>>(BYTE& value) { return ReadValue(value); }
    CArchive& operator>>(char& value) { return ReadValue(value); }
    CArchive& operator>>(WORD& value) { return ReadValue(value); }
    CArchive& operator>>(short& value) { return ReadValue(value); }
    CArchive& operator>>(int& value) { return ReadValue(value); }
    CArchive& operator>>(UINT& value) { return ReadValue(value); }
#ifdef _WIN32
    CArchive& operator>>(LONG& value) { return ReadValue(value); }
    CArchive& operator>>(DWORD& value) { return ReadValue(value); }
#endif
    CArchive& operator>>(LONGLONG& value) { return ReadValue(value); }
    CArchive& operator>>(ULONGLONG& value) { return ReadValue(value); }
    CArchive& operator>>(float& value) { return ReadValue(value); }
    CArchive& operator>>(double& value) { return ReadValue(value); }
    CArchive& operator>>(RECT& value);
    CArchive& operator>>(POINT& value);
    CArchive& operator>>(SIZE& value);
    // Also reads the wide-character form other writers use (0xFF, 0xFFFE, then a
    // length in characters), converted to the ANSI code page.
    CArchive& operator>>(CString& value);
    // A string of at most `maxLength` characters; a longer one throws tooLong
    // before anything is allocated for it.
    CArchive& ReadBoundedString(CString& value, ULONGLONG maxLength);
    // Any serialisable class; see ReadObject for ownership.
    CArchive& operator>>(CObject*& object);

    // Writes a reference to `object` (null allowed): a class record or tag and
    // the object's fields the first time, its index after that.
    void WriteObject(const CObject* object);
    // Reads a reference. `requestedClass` (null: any) is the class the object
    // must be of. A new object is created from its class record and belongs to
    // the caller; a reference to an earlier one returns that pointer again.
    CObject* ReadObject(const CRuntimeClass* requestedClass);
    // Like ReadObject, but refuses (badIndex) a reference to an object read
    // before, so every non-null result has exactly one owner.
    std::unique_ptr<CObject> ReadNewObject(const CRuntimeClass* requestedClass);

    void WriteCount(ULONGLONG count);
    // Refuses a count that would need more than the bytes left, given that each
    // item takes at least `minBytesPerItem` bytes in the archive (0: unchecked).
    ULONGLONG ReadCount(UINT minBytesPerItem = 1);

    // The schema number stored in the class record of the object whose Serialize
    // is running (for versionable classes, the version being read); (UINT)-1
    // outside an object's Serialize.
    UINT GetObjectSchema() const noexcept { return m_nObjectSchema; }
    void SetObjectSchema(UINT schema) noexcept { m_nObjectSchema = schema; }

    // Plain characters, no length and no terminator.
    void WriteString(const char* text);
    // One line of plain characters up to a line feed or the end of the data; the
    // line end ("\n" or "\r\n") is not stored. False when nothing was left.
    bool ReadString(CString& line);

private:
    struct LoadedEntry {
        const CRuntimeClass* runtimeClass = nullptr;  // set for a class entry
        UINT schema = 0;
        CObject* object = nullptr;                    // set for an object entry
    };
    struct ReadResult {
        CObject* object;
        bool isNew;
    };

    template <class T>
    CArchive& WriteValue(T value)
    {
        Write(&value, sizeof value);
        return *this;
    }
    template <class T>
    CArchive& ReadValue(T& value)
    {
        ReadAll(&value, sizeof value);
        return *this;
    }

    [[noreturn]] void ThrowArchive(int cause) const;
    void RequireOpen() const;
    void RequireLoading() const;
    void RequireStoring() const;
    bool FillBuffer();

    void WriteClass(const CRuntimeClass* runtimeClass);
    void WriteIndexTag(DWORD index, bool isClass);
    DWORD NextIndex();
    // Reads a tag; returns the class for a class record or class tag, or null
    // and sets `objectIndex` for an object tag.
    const CRuntimeClass* ReadClass(const CRuntimeClass* requestedClass, UINT& schema, DWORD& objectIndex);
    ReadResult ReadObjectTracked(const CRuntimeClass* requestedClass);
    ULONGLONG ReadStringLength(bool& wide);

    CByteStream* m_pFile;
    UINT m_nMode;
    std::vector<BYTE> m_buffer;
    std::size_t m_bufferPos = 0;  // next byte to read or write
    std::size_t m_bufferEnd = 0;  // loading: end of the valid bytes

    // Loading: how much the stream held after the start position, and how much
    // of it has been pulled in, so the bytes left are known without a system call.
    bool m_lengthKnown = false;
    ULONGLONG m_streamAvailable = 0;
    ULONGLONG m_streamConsumed = 0;

    DWORD m_nNextIndex = 1;
    std::unordered_map<const CObject*, DWORD> m_storedObjects;
    std::unordered_map<const CRuntimeClass*, DWORD> m_storedClasses;
    std::vector<LoadedEntry> m_loaded;  // by index; [0] is the null object
    UINT m_nObjectSchema = static_cast<UINT>(-1);
    int m_nDepth = 0;
    bool m_bObjectReadFailed = false;
};
