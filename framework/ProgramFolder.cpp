#include "framework/ProgramFolder.h"

#include <windows.h>

#include <vector>

namespace
{
CString& FolderOverride()
{
    static CString folder;
    return folder;
}

CString ModuleFolder()
{
    // Paths may be longer than MAX_PATH; grow until the name fits.
    std::vector<char> buffer(MAX_PATH);
    for (;;)
    {
        const DWORD length =
            ::GetModuleFileNameA(nullptr, buffer.data(), static_cast<DWORD>(buffer.size()));
        if (length == 0)
            return CString();
        if (length < buffer.size())
            break;
        if (buffer.size() >= 32768)
            return CString();
        buffer.resize(buffer.size() * 2);
    }
    CString path(buffer.data());
    return path.Left(path.ReverseFind('\\') + 1);
}
}  // namespace

CString ProgramFolder()
{
    if (!FolderOverride().IsEmpty())
        return FolderOverride();
    return ModuleFolder();
}

void SetProgramFolder(const CString& folder)
{
    FolderOverride() = folder;
}
