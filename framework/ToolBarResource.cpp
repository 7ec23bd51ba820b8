#include "framework/ToolBarResource.h"

namespace {

constexpr WORD kVersion = 1;
constexpr size_t kHeaderWords = 4;
// Larger images than this are no tool-bar strip.
constexpr WORD kMaxImageSide = 1024;

}  // namespace

bool ParseToolBarResource(const void* data, DWORD size, ToolBarResource& out)
{
    out = ToolBarResource{};
    if (!data || size < kHeaderWords * sizeof(WORD))
        return false;
    const auto* words = static_cast<const WORD*>(data);
    const WORD count = words[3];
    if (words[0] != kVersion || words[1] == 0 || words[2] == 0 || words[1] > kMaxImageSide ||
        words[2] > kMaxImageSide || size < (kHeaderWords + count) * sizeof(WORD))
        return false;
    out.imageWidth = words[1];
    out.imageHeight = words[2];
    out.commands.assign(words + kHeaderWords, words + kHeaderWords + count);
    return true;
}

bool LoadToolBarResource(HMODULE module, LPCSTR name, ToolBarResource& out)
{
    out = ToolBarResource{};
    HRSRC found = ::FindResourceA(module, name, MAKEINTRESOURCEA(kToolBarResourceType));
    HGLOBAL loaded = found ? ::LoadResource(module, found) : nullptr;
    const void* data = loaded ? ::LockResource(loaded) : nullptr;
    return data && ParseToolBarResource(data, ::SizeofResource(module, found), out);
}
