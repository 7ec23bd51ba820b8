#include "framework/Exceptions.h"

#include <iterator>

namespace {

CString FileMessage(CFileException::Cause cause, LONG osError, const CString& fileName)
{
    static const char* const kTexts[] = {
        "no error",
        "an unspecified error occurred",
        "the file was not found",
        "the path is invalid",
        "too many files are open",
        "access was denied",
        "the file handle is invalid",
        "the file pointer could not be moved",
        "a hardware error occurred",
        "the file is in use",
        "the file is locked",
        "the disk is full",
        "the end of the file was reached",
    };
    const std::size_t index = static_cast<std::size_t>(cause) < std::size(kTexts) ? cause : CFileException::genericException;
    CString message;
    message.Format("%s (%s, system error %ld)", kTexts[index],
                   fileName.IsEmpty() ? "unnamed file" : fileName.c_str(), static_cast<long>(osError));
    return message;
}

CString ArchiveMessage(CArchiveException::Cause cause, const CString& fileName)
{
    static const char* const kTexts[] = {
        "no error",
        "an unspecified archive error occurred",
        "an archive opened for reading was written to",
        "the archive ends too early",
        "an archive opened for writing was read from",
        "the archive holds an invalid object or class index",
        "the archive holds an unknown or unexpected class",
        "the archive holds an object of an unsupported schema",
    };
    const std::size_t index = static_cast<std::size_t>(cause) < std::size(kTexts) ? cause : CArchiveException::genericException;
    CString message = kTexts[index];
    if (!fileName.IsEmpty())
        message += " (" + fileName + ")";
    return message;
}

}  // namespace

CFileException::CFileException(Cause cause, LONG osError, const CString& fileName)
    : CFrameworkException(FileMessage(cause, osError, fileName)),
      m_cause(cause),
      m_lOsError(osError),
      m_strFileName(fileName)
{
}

CFileException::Cause CFileException::OsErrorToCause(LONG osError)
{
    switch (osError) {
    case NO_ERROR:
        return none;
    case ERROR_FILE_NOT_FOUND:
        return fileNotFound;
    case ERROR_PATH_NOT_FOUND:
    case ERROR_INVALID_NAME:
    case ERROR_BAD_PATHNAME:
    case ERROR_INVALID_DRIVE:
    case ERROR_FILENAME_EXCED_RANGE:
        return badPath;
    case ERROR_TOO_MANY_OPEN_FILES:
        return tooManyOpenFiles;
    case ERROR_ACCESS_DENIED:
    case ERROR_WRITE_PROTECT:
        return accessDenied;
    case ERROR_INVALID_HANDLE:
        return invalidFile;
    case ERROR_NEGATIVE_SEEK:
    case ERROR_SEEK:
        return badSeek;
    case ERROR_SHARING_VIOLATION:
        return sharingViolation;
    case ERROR_LOCK_VIOLATION:
        return lockViolation;
    case ERROR_DISK_FULL:
    case ERROR_HANDLE_DISK_FULL:
        return diskFull;
    case ERROR_HANDLE_EOF:
        return endOfFile;
    case ERROR_CRC:
    case ERROR_READ_FAULT:
    case ERROR_WRITE_FAULT:
    case ERROR_GEN_FAILURE:
        return hardIO;
    default:
        return genericException;
    }
}

void CFileException::ThrowOsError(LONG osError, const CString& fileName)
{
    throw CFileException(OsErrorToCause(osError), osError, fileName);
}

CArchiveException::CArchiveException(Cause cause, const CString& fileName)
    : CFrameworkException(ArchiveMessage(cause, fileName)), m_cause(cause), m_strFileName(fileName)
{
}
