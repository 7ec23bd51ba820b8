// Disk files in the host build of the fuzz targets: there are none. The
// readers under test take their bytes from memory; what else of CFile and the
// program folder they link refuses, so a target that reached for the disk
// would fail loudly instead of touching the machine.
#include "framework/File.h"
#include "framework/ProgramFolder.h"

namespace {
[[noreturn]] void NoDiskFiles(const CString& path)
{
    throw CFileException(CFileException::accessDenied, ERROR_ACCESS_DENIED, path);
}
}  // namespace

CFile::CFile(const char* path, UINT) { NoDiskFiles(path); }
CFile::~CFile() = default;
bool CFile::Open(const char*, UINT, DWORD* osError)
{
    if (osError)
        *osError = ERROR_ACCESS_DENIED;
    return false;
}
void CFile::Close() noexcept {}
UINT CFile::Read(void*, UINT) { NoDiskFiles(m_strFilePath); }
void CFile::Write(const void*, UINT) { NoDiskFiles(m_strFilePath); }
ULONGLONG CFile::Seek(LONGLONG, SeekPosition) { NoDiskFiles(m_strFilePath); }
ULONGLONG CFile::GetPosition() const { NoDiskFiles(m_strFilePath); }
ULONGLONG CFile::GetLength() const { NoDiskFiles(m_strFilePath); }
void CFile::SetLength(ULONGLONG) { NoDiskFiles(m_strFilePath); }
void CFile::Flush() { NoDiskFiles(m_strFilePath); }

CString ProgramFolder() { return CString(); }
