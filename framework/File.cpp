#include "framework/File.h"

#include <algorithm>
#include <utility>

namespace {

DWORD DesiredAccess(UINT flags)
{
    switch (flags & 0x3) {
    case CFile::modeWrite:
        return GENERIC_WRITE;
    case CFile::modeReadWrite:
        return GENERIC_READ | GENERIC_WRITE;
    default:
        return GENERIC_READ;
    }
}

DWORD ShareMode(UINT flags)
{
    switch (flags & 0x70) {
    case CFile::shareExclusive:
        return 0;
    case CFile::shareDenyWrite:
        return FILE_SHARE_READ;
    case CFile::shareDenyRead:
        return FILE_SHARE_WRITE;
    case CFile::shareDenyNone:
        return FILE_SHARE_READ | FILE_SHARE_WRITE;
    default:
        return FILE_SHARE_READ;
    }
}

DWORD Disposition(UINT flags)
{
    if (flags & CFile::modeCreate)
        return (flags & CFile::modeNoTruncate) ? OPEN_ALWAYS : CREATE_ALWAYS;
    return OPEN_EXISTING;
}

CString FullPath(const char* path)
{
    const DWORD needed = ::GetFullPathNameA(path, 0, nullptr, nullptr);
    if (needed == 0)
        return CString(path);
    CString full;
    const DWORD length = ::GetFullPathNameA(path, needed, full.GetBuffer(static_cast<int>(needed)), nullptr);
    full.ReleaseBuffer(length < needed ? static_cast<int>(length) : 0);
    return full.IsEmpty() ? CString(path) : full;
}

}  // namespace

CFile::CFile(const char* path, UINT openFlags)
{
    DWORD error = 0;
    if (!Open(path, openFlags, &error))
        CFileException::ThrowOsError(static_cast<LONG>(error), CString(path));
}

CFile::~CFile()
{
    Close();
}

CFile::CFile(CFile&& other) noexcept
    : m_hFile(std::exchange(other.m_hFile, INVALID_HANDLE_VALUE)), m_strFilePath(std::move(other.m_strFilePath))
{
}

CFile& CFile::operator=(CFile&& other) noexcept
{
    if (this != &other) {
        Close();
        m_hFile = std::exchange(other.m_hFile, INVALID_HANDLE_VALUE);
        m_strFilePath = std::move(other.m_strFilePath);
    }
    return *this;
}

bool CFile::Open(const char* path, UINT openFlags, DWORD* osError)
{
    Close();
    if (!path || !*path) {
        if (osError)
            *osError = ERROR_INVALID_NAME;
        return false;
    }
    const HANDLE file = ::CreateFileA(path, DesiredAccess(openFlags), ShareMode(openFlags), nullptr,
                                      Disposition(openFlags), FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        if (osError)
            *osError = ::GetLastError();
        return false;
    }
    m_hFile = file;
    m_strFilePath = FullPath(path);
    if (osError)
        *osError = 0;
    return true;
}

void CFile::Close() noexcept
{
    if (m_hFile != INVALID_HANDLE_VALUE) {
        ::CloseHandle(m_hFile);
        m_hFile = INVALID_HANDLE_VALUE;
    }
}

void CFile::RequireOpen() const
{
    if (!IsOpen())
        throw CFileException(CFileException::invalidFile, ERROR_INVALID_HANDLE, m_strFilePath);
}

UINT CFile::Read(void* buffer, UINT count)
{
    RequireOpen();
    if (count == 0)
        return 0;
    DWORD read = 0;
    if (!::ReadFile(m_hFile, buffer, count, &read, nullptr))
        CFileException::ThrowOsError(static_cast<LONG>(::GetLastError()), m_strFilePath);
    return read;
}

void CFile::Write(const void* buffer, UINT count)
{
    RequireOpen();
    const BYTE* bytes = static_cast<const BYTE*>(buffer);
    while (count > 0) {
        DWORD written = 0;
        if (!::WriteFile(m_hFile, bytes, count, &written, nullptr))
            CFileException::ThrowOsError(static_cast<LONG>(::GetLastError()), m_strFilePath);
        if (written == 0)  // nothing moved and no error: treat as a full disk rather than spin
            throw CFileException(CFileException::diskFull, ERROR_DISK_FULL, m_strFilePath);
        bytes += written;
        count -= written;
    }
}

ULONGLONG CFile::Seek(LONGLONG offset, SeekPosition from)
{
    RequireOpen();
    LARGE_INTEGER distance;
    distance.QuadPart = offset;
    LARGE_INTEGER position;
    const DWORD method = from == begin ? FILE_BEGIN : from == current ? FILE_CURRENT : FILE_END;
    if (!::SetFilePointerEx(m_hFile, distance, &position, method))
        CFileException::ThrowOsError(static_cast<LONG>(::GetLastError()), m_strFilePath);
    return static_cast<ULONGLONG>(position.QuadPart);
}

ULONGLONG CFile::GetPosition() const
{
    RequireOpen();
    LARGE_INTEGER zero{};
    LARGE_INTEGER position;
    if (!::SetFilePointerEx(m_hFile, zero, &position, FILE_CURRENT))
        CFileException::ThrowOsError(static_cast<LONG>(::GetLastError()), m_strFilePath);
    return static_cast<ULONGLONG>(position.QuadPart);
}

ULONGLONG CFile::GetLength() const
{
    RequireOpen();
    LARGE_INTEGER size;
    if (!::GetFileSizeEx(m_hFile, &size))
        CFileException::ThrowOsError(static_cast<LONG>(::GetLastError()), m_strFilePath);
    return static_cast<ULONGLONG>(size.QuadPart);
}

void CFile::SetLength(ULONGLONG length)
{
    const ULONGLONG position = GetPosition();
    Seek(static_cast<LONGLONG>(length), begin);
    if (!::SetEndOfFile(m_hFile))
        CFileException::ThrowOsError(static_cast<LONG>(::GetLastError()), m_strFilePath);
    Seek(static_cast<LONGLONG>(position < length ? position : length), begin);
}

void CFile::Flush()
{
    RequireOpen();
    if (!::FlushFileBuffers(m_hFile))
        CFileException::ThrowOsError(static_cast<LONG>(::GetLastError()), m_strFilePath);
}

CString CFile::GetFileName() const
{
    const int last = std::max(m_strFilePath.ReverseFind('\\'), m_strFilePath.ReverseFind('/'));
    return m_strFilePath.Mid(last + 1);
}
