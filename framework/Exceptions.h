#pragma once
// The exceptions the framework's files and archives throw. All derive from
// CFrameworkException (itself a std::exception), so one handler catches them.

#include "framework/String.h"

#include <exception>

class CFrameworkException : public std::exception {
public:
    explicit CFrameworkException(CString message) : m_message(std::move(message)) {}

    const char* what() const noexcept override { return m_message.c_str(); }
    const CString& GetErrorMessage() const noexcept { return m_message; }

private:
    CString m_message;
};

class CFileException : public CFrameworkException {
public:
    enum Cause {
        none,
        genericException,
        fileNotFound,
        badPath,
        tooManyOpenFiles,
        accessDenied,
        invalidFile,
        badSeek,
        hardIO,
        sharingViolation,
        lockViolation,
        diskFull,
        endOfFile,
    };

    CFileException(Cause cause, LONG osError, const CString& fileName);

    // The cause that fits a Win32 error code.
    static Cause OsErrorToCause(LONG osError);
    // Throws the exception for a Win32 error code.
    [[noreturn]] static void ThrowOsError(LONG osError, const CString& fileName);

    Cause m_cause;
    LONG m_lOsError;
    CString m_strFileName;
};

class CArchiveException : public CFrameworkException {
public:
    enum Cause {
        none,
        genericException,
        readOnly,     // writing to a loading archive
        endOfFile,    // reading past the end, or a count or length larger than what is left
        writeOnly,    // reading from a storing archive
        badIndex,     // a tag naming no object or class read so far
        badClass,     // an unknown or unexpected class, or one that can't be archived
        badSchema,    // a stored schema a non-versionable class does not accept
        tooLong,      // a string longer than its reader accepts
    };

    CArchiveException(Cause cause, const CString& fileName);

    Cause m_cause;
    CString m_strFileName;
};
