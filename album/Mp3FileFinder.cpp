#include "album/Mp3FileFinder.h"

#include <windows.h>

#include <algorithm>
#include <memory>
#include <type_traits>

namespace {

// Owns one FindFirstFile search.
using FindHandle = std::unique_ptr<std::remove_pointer_t<HANDLE>, decltype(&::FindClose)>;

FindHandle StartFind(const CString& pattern, WIN32_FIND_DATAA& data)
{
    HANDLE found = ::FindFirstFileA(pattern, &data);
    return FindHandle(found == INVALID_HANDLE_VALUE ? nullptr : found, &::FindClose);
}

CString WithSeparator(CString folder)
{
    if (!folder.IsEmpty() && folder[folder.GetLength() - 1] != '\\' && folder[folder.GetLength() - 1] != '/')
        folder += "\\";
    return folder;
}

bool EndsWithMp3(const char* name)
{
    const size_t length = std::char_traits<char>::length(name);
    return length > 4 && CString(name + length - 4).CompareNoCase(".mp3") == 0;
}

void Walk(const CString& folder, const std::atomic<bool>& keepRunning, std::vector<CString>& files, int depth)
{
    // A loop of links (or a very deep disc) must not run away.
    constexpr int kMaxDepth = 32;
    if (depth > kMaxDepth || !keepRunning.load())
        return;
    WIN32_FIND_DATAA data{};
    std::vector<CString> subFolders;
    std::vector<CString> here;
    if (FindHandle find = StartFind(folder + "*", data)) {
        do {
            const CString name = data.cFileName;
            if (name == "." || name == "..")
                continue;
            if (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
                if (!(data.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT))
                    subFolders.push_back(folder + name + "\\");
            } else if (EndsWithMp3(data.cFileName)) {
                here.push_back(folder + name);
            }
        } while (keepRunning.load() && ::FindNextFileA(find.get(), &data));
    }
    // The system gives no order on every file system: sort, so a disc lists the same way each time.
    const auto byName = [](const CString& a, const CString& b) { return a.CompareNoCase(b) < 0; };
    std::sort(here.begin(), here.end(), byName);
    std::sort(subFolders.begin(), subFolders.end(), byName);
    files.insert(files.end(), here.begin(), here.end());
    for (const CString& sub : subFolders)
        Walk(sub, keepRunning, files, depth + 1);
}

}  // namespace

std::vector<CString> CFolderMp3Finder::FindMp3Files(const CString& folder, const std::atomic<bool>& keepRunning)
{
    std::vector<CString> files;
    Walk(WithSeparator(folder), keepRunning, files, 0);
    return files;
}
