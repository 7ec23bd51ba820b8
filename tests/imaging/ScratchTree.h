#pragma once
// A folder tree made for one test in the temporary folder and removed with
// everything in it when the object goes. Links made through it are removed
// first, so that the removal never walks through them.

#include <windows.h>

#include <string>
#include <vector>

class ScratchTree {
public:
    explicit ScratchTree(const char* name)
    {
        char temp[MAX_PATH] = {};
        ::GetTempPathA(MAX_PATH, temp);
        m_root = std::string(temp) + "SleevoryTree_" + std::to_string(::GetCurrentProcessId()) + "_" + name;
        RemoveAll(Wide(m_root));
        ::CreateDirectoryA(m_root.c_str(), nullptr);
    }
    ~ScratchTree()
    {
        for (auto it = m_links.rbegin(); it != m_links.rend(); ++it)
            ::RemoveDirectoryA(it->c_str());
        RemoveAll(Wide(m_root));
    }
    ScratchTree(const ScratchTree&) = delete;
    ScratchTree& operator=(const ScratchTree&) = delete;

    const std::string& Root() const { return m_root; }
    std::string Path(const std::string& relative) const { return relative.empty() ? m_root : m_root + "\\" + relative; }

    void Folder(const std::string& relative) { ::CreateDirectoryA(Path(relative).c_str(), nullptr); }
    // A file of `size` bytes (or the given bytes).
    void File(const std::string& relative, std::size_t size = 10)
    {
        File(relative, std::string(size, 'x'));
    }
    void File(const std::string& relative, const std::string& bytes)
    {
        HANDLE file = ::CreateFileA(Path(relative).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
        if (file == INVALID_HANDLE_VALUE)
            return;
        DWORD written = 0;
        ::WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
        ::CloseHandle(file);
    }
    // A folder link at `relative` to `target`; false when the system refuses.
    bool FolderLink(const std::string& relative, const std::string& target)
    {
        const std::string link = Path(relative);
        if (!::CreateSymbolicLinkA(link.c_str(), Path(target).c_str(), SYMBOLIC_LINK_FLAG_DIRECTORY))
            return false;
        m_links.push_back(link);
        return true;
    }

    static std::wstring Wide(const std::string& text)
    {
        std::wstring wide(text.size(), L'\0');
        const int length = ::MultiByteToWideChar(CP_ACP, 0, text.c_str(), static_cast<int>(text.size()), wide.data(),
                                                 static_cast<int>(wide.size()));
        wide.resize(length > 0 ? length : 0);
        return wide;
    }

    // Removes a folder with its contents; a long path goes through the "\\?\" form.
    static void RemoveAll(const std::wstring& folder)
    {
        const std::wstring longForm = folder.rfind(L"\\\\?\\", 0) == 0 ? folder : L"\\\\?\\" + folder;
        WIN32_FIND_DATAW entry{};
        HANDLE search = ::FindFirstFileW((longForm + L"\\*").c_str(), &entry);
        if (search != INVALID_HANDLE_VALUE) {
            do {
                const std::wstring name = entry.cFileName;
                if (name == L"." || name == L"..")
                    continue;
                const std::wstring path = longForm + L"\\" + name;
                if (entry.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT)
                    ::RemoveDirectoryW(path.c_str());
                else if (entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
                    RemoveAll(path);
                else {
                    ::SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_NORMAL);
                    ::DeleteFileW(path.c_str());
                }
            } while (::FindNextFileW(search, &entry));
            ::FindClose(search);
        }
        ::RemoveDirectoryW(longForm.c_str());
    }

private:
    std::string m_root;
    std::vector<std::string> m_links;
};
