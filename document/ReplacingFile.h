#pragma once

#include "framework/File.h"
#include "framework/String.h"

// A file written under a temporary name in the folder of its target and put in
// the target's place only once everything was written, so a failed save never
// destroys the file it was meant to replace. A temporary file that was not
// committed is deleted.
class CReplacingFile
{
public:
    explicit CReplacingFile(const CString& targetPath);
    ~CReplacingFile();
    CReplacingFile(const CReplacingFile&) = delete;
    CReplacingFile& operator=(const CReplacingFile&) = delete;

    // Creates the temporary file; false when the folder can't take it.
    bool Open();
    CFile& File() { return m_file; }
    // Writes the file out and moves it over the target; false (the target as
    // it was) when that failed.
    bool Commit();

private:
    CString m_strTarget;
    CString m_strTemporary;
    CFile m_file;
    bool m_bCommitted = false;
};
