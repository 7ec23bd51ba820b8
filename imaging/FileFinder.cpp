#include "imaging/FileFinder.h"

#include "framework/ErrorReport.h"

namespace {

constexpr const char* kBrowserCacheFolder = "Temporary Internet Files";

// Closes a directory search at every way out.
class FindHandle {
public:
    explicit FindHandle(HANDLE handle) : m_handle(handle) {}
    ~FindHandle()
    {
        if (IsValid())
            ::FindClose(m_handle);
    }
    FindHandle(const FindHandle&) = delete;
    FindHandle& operator=(const FindHandle&) = delete;
    bool IsValid() const { return m_handle != INVALID_HANDLE_VALUE; }
    HANDLE Get() const { return m_handle; }

private:
    HANDLE m_handle;
};

bool IsDotEntry(const char* name)
{
    return name[0] == '.' && (name[1] == 0 || (name[1] == '.' && name[2] == 0));
}

// A name the system's ANSI calls can't take whole: it is skipped, never cut
// into the name of some other file.
bool FitsSystemLimit(const CString& path, int reserve)
{
    return path.GetLength() + reserve < MAX_PATH;
}

FILETIME ToLocal(const FILETIME& time)
{
    FILETIME local{};
    if (!::FileTimeToLocalFileTime(&time, &local))
        return time;
    return local;
}

}  // namespace

CString CFileFinder::TrimFolder(const CString& folder)
{
    return Guarded(482, ErrorSink::App(), folder, [&] {
        CString trimmed = folder;
        trimmed.TrimRight(" ");
        const char separator = trimmed.Find('\\') >= 0 ? '\\' : '/';
        while (!trimmed.IsEmpty() && trimmed[trimmed.GetLength() - 1] == separator) {
            trimmed.Delete(trimmed.GetLength() - 1);
            trimmed.TrimRight(" ");
        }
        return trimmed;
    });
}

std::vector<CString> CFileFinder::SplitPatterns(const CString& patternList)
{
    std::vector<CString> parts;
    int start = 0;
    for (;;) {
        const int separator = patternList.Find(';', start);
        if (separator < 0) {
            parts.push_back(patternList.Mid(start));
            return parts;
        }
        parts.push_back(patternList.Mid(start, separator - start));
        start = separator + 1;
    }
}

bool CFileFinder::Search(const CString& folder, const CString& patternList)
{
    m_strFolder = folder;
    m_bStartedInCache = folder.Find(kBrowserCacheFolder) >= 0;
    m_visited.clear();
    const CString start = TrimFolder(folder);
    if (!patternList.IsEmpty())
        m_patterns = SplitPatterns(patternList);
    for (const CString& pattern : m_patterns) {
        if (!FindInFolder(start, pattern))
            return false;
    }
    if (m_bRecursive) {
        MarkVisited(start);
        Walk(start);
    }
    m_folderList.push_back(start);
    return true;
}

bool CFileFinder::MarkVisited(const CString& folder)
{
    HANDLE handle = ::CreateFileA(folder, 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                  OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
    if (handle == INVALID_HANDLE_VALUE)
        return true;  // nothing known of it: its own search finds what it holds
    BY_HANDLE_FILE_INFORMATION info{};
    const BOOL known = ::GetFileInformationByHandle(handle, &info);
    ::CloseHandle(handle);
    if (!known)
        return true;
    const ULONGLONG index = (static_cast<ULONGLONG>(info.nFileIndexHigh) << 32) | info.nFileIndexLow;
    return m_visited.emplace(info.dwVolumeSerialNumber, index).second;
}

bool CFileFinder::IsSkippedCache(const CString& folder) const
{
    // The browser's cache holds copies of every picture of every web page seen.
    return m_feed && !m_bStartedInCache && folder.Find(kBrowserCacheFolder) >= 0;
}

bool CFileFinder::Walk(const CString& folder)
{
    if (IsSkippedCache(folder))
        return true;
    if (!FitsSystemLimit(folder, 4))  // "\*.*"
        return true;
    WIN32_FIND_DATAA entry{};
    FindHandle search(::FindFirstFileA(folder + "\\*.*", &entry));
    if (!search.IsValid())
        return true;
    do {
        if (IsStopped())
            return false;
        if (!(entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) || IsDotEntry(entry.cFileName))
            continue;
        // Junctions and links are not followed: they may lead back up the tree.
        if (entry.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT)
            continue;
        const CString sub = folder + "\\" + entry.cFileName;
        if (!FitsSystemLimit(sub, 4) || IsSkippedCache(sub) || !MarkVisited(sub))
            continue;
        for (const CString& pattern : m_patterns) {
            if (!FindInFolder(sub, pattern))
                return false;
        }
        Walk(sub);
        m_folderList.push_back(sub);
    } while (::FindNextFileA(search.Get(), &entry));
    return true;
}

bool CFileFinder::FindInFolder(const CString& folder, const CString& pattern)
{
    try {
        const CString prefix = TrimFolder(folder) + "\\";
        const CString searchText = prefix + pattern;
        if (!FitsSystemLimit(searchText, 0))
            return true;
        WIN32_FIND_DATAA entry{};
        FindHandle search(::FindFirstFileA(searchText, &entry));
        if (!search.IsValid())
            return true;
        do {
            if (entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
                continue;
            const CString path = prefix + entry.cFileName;
            if (!FitsSystemLimit(path, 0))
                continue;
            if (m_feed)
                m_feed->FileFound(entry.cFileName, path, entry.nFileSizeLow);
            if (IsStopped())
                return false;
            CFoundFile found;
            found.path = path;
            found.creationTime = ToLocal(entry.ftCreationTime);
            found.accessTime = ToLocal(entry.ftLastAccessTime);
            found.writeTime = ToLocal(entry.ftLastWriteTime);
            found.size = (static_cast<ULONGLONG>(entry.nFileSizeHigh) << 32) + entry.nFileSizeLow;
            m_results.push_back(found);
        } while (::FindNextFileA(search.Get(), &entry));
        return true;
    } catch (...) {
        return false;
    }
}

bool CFileFinder::SearchFolders(const CString& patternList)
{
    return Guarded(480, ErrorSink::App(), false, [&] {
        const std::vector<CString> patterns = SplitPatterns(patternList);
        for (const CString& folder : m_folderList) {
            if (folder.IsEmpty())
                continue;
            for (const CString& pattern : patterns) {
                if (!FindInFolder(folder, pattern))
                    return false;
            }
        }
        return true;
    });
}

bool CFileFinder::ClearResults()
{
    m_results.clear();
    return true;
}

bool CFileFinder::ClearFolders()
{
    m_folderList.clear();
    return true;
}
