#pragma once
// CFileFinder: the files of a folder, and optionally of its whole tree, that
// match a ";"-separated list of wildcard patterns. It runs on worker threads:
// the caller hands it a stop flag it polls, and, for the Images pane, a feed
// that receives every file the moment it is found.

#include "framework/String.h"

#include <windows.h>

#include <atomic>
#include <set>
#include <utility>
#include <vector>

// One file found; copied by value.
struct CFoundFile {
    CString path;  // folder, "\" and file name
    FILETIME creationTime{};  // the three times in local time
    FILETIME accessTime{};
    FILETIME writeTime{};
    ULONGLONG size = 0;  // bytes
};

// Receives each file as the finder meets it, before the stop flag is read.
class IFoundFileFeed {
public:
    virtual void FileFound(const CString& name, const CString& path, DWORD sizeLow) = 0;

protected:
    ~IFoundFileFeed() = default;
};

class CFileFinder {
public:
    CFileFinder() = default;
    CFileFinder(const CFileFinder&) = delete;
    CFileFinder& operator=(const CFileFinder&) = delete;

    // Also search the sub-folders (off after construction).
    void SetRecursive(bool recursive) { m_bRecursive = recursive; }
    bool IsRecursive() const { return m_bRecursive; }
    // Polled before every further file and folder; null never stops.
    void SetStopFlag(const std::atomic<bool>* stop) { m_stop = stop; }
    // Null: nothing is fed. A feeding search also skips browser cache folders
    // below its start, which only hold copies of web pictures.
    void SetFeed(IFoundFileFeed* feed) { m_feed = feed; }

    // Searches a folder (and with recursion its tree) for the patterns. An
    // empty pattern list keeps the patterns of the last search, so a new finder
    // given none only collects the folder tree. False when stopped or failed.
    bool Search(const CString& folder, const CString& patternList);
    // Searches every folder of the folder list; the finder's patterns stay.
    bool SearchFolders(const CString& patternList);
    // Adds the files of one folder that match one pattern.
    bool FindInFolder(const CString& folder, const CString& pattern);
    bool ClearResults();
    bool ClearFolders();

    const CString& Folder() const { return m_strFolder; }
    const std::vector<CString>& Patterns() const { return m_patterns; }
    // Every sub-folder after its own sub-folders, the start folder last.
    const std::vector<CString>& FolderList() const { return m_folderList; }
    const std::vector<CFoundFile>& Results() const { return m_results; }
    bool StartedInCache() const { return m_bStartedInCache; }

    // Removes the trailing separators of a folder (a slash counts only when
    // the folder holds no backslash); trailing blanks are ignored on the way.
    static CString TrimFolder(const CString& folder);
    // The parts between ";", the part after the last one included.
    static std::vector<CString> SplitPatterns(const CString& patternList);

private:
    bool IsStopped() const { return m_stop && m_stop->load(std::memory_order_relaxed); }
    bool Walk(const CString& folder);
    bool IsSkippedCache(const CString& folder) const;
    // False when the folder was already walked: a link or junction back into
    // the tree would otherwise walk it forever.
    bool MarkVisited(const CString& folder);

    bool m_bRecursive = false;
    CString m_strFolder;
    std::vector<CString> m_patterns;
    std::vector<CString> m_folderList;
    std::vector<CFoundFile> m_results;
    bool m_bStartedInCache = false;
    const std::atomic<bool>* m_stop = nullptr;
    IFoundFileFeed* m_feed = nullptr;
    // Volume serial number and file index of each folder walked in this search.
    std::set<std::pair<DWORD, ULONGLONG>> m_visited;
};
