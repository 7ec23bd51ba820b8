#include "document/ReplacingFile.h"

#include <windows.h>

#include <algorithm>

namespace {

// The folder part of a path, without its trailing separator; "." for a bare name.
CString FolderOf(const CString& path)
{
    const int separator = std::max(path.ReverseFind('\\'), path.ReverseFind('/'));
    if (separator < 0)
        return ".";
    if (separator == 0 || (separator == 2 && path.GetLength() > 1 && path[1] == ':'))
        return path.Left(separator + 1);  // a root folder keeps its separator
    return path.Left(separator);
}

}  // namespace

CReplacingFile::CReplacingFile(const CString& targetPath) : m_strTarget(targetPath) {}

CReplacingFile::~CReplacingFile()
{
    m_file.Close();
    if (!m_bCommitted && !m_strTemporary.IsEmpty())
        ::DeleteFileA(m_strTemporary);
}

bool CReplacingFile::Open()
{
    char temporary[MAX_PATH] = {};
    if (::GetTempFileNameA(FolderOf(m_strTarget), "slv", 0, temporary) == 0)
        return false;
    m_strTemporary = temporary;  // created empty by the call: ours to delete from here on
    return m_file.Open(m_strTemporary, CFile::modeCreate | CFile::modeWrite | CFile::shareExclusive);
}

bool CReplacingFile::Commit()
{
    if (!m_file.IsOpen())
        return false;
    try {
        m_file.Flush();
    } catch (const CFileException&) {
        return false;
    }
    m_file.Close();
    if (!::MoveFileExA(m_strTemporary, m_strTarget, MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
        return false;
    m_bCommitted = true;
    return true;
}
