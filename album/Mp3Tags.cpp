#include "album/Mp3Tags.h"

// id3lib's headers leave parameters unused.
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wunused-parameter"
#include <id3/tag.h>
#pragma GCC diagnostic pop

#include <windows.h>

#include <algorithm>
#include <array>
#include <string>

namespace {

// Each text is read into a buffer of this many bytes at most.
constexpr size_t kMaxTagText = 1024;

// Texts in UTF-16 (lame writes them so) in the program's ANSI code page.
// id3lib hands them over in the byte order of the file, which may not be
// this machine's: Latin text then has its zero bytes low.
CString WideFrameText(const ID3_Field& field)
{
    std::array<unicode_t, kMaxTagText / 2 + 1> text{};
    // Get counts what it copies in bytes, not characters: the text ends at
    // half that, and what follows is not the field's.
    const size_t copied = field.Get(text.data(), kMaxTagText / 2);
    const size_t length = std::min(copied, field.Size() / 2);
    std::wstring wide;
    size_t characters = 0;
    size_t swappedLooking = 0;
    for (; characters < length && text[characters] != 0; ++characters)
        swappedLooking += (text[characters] & 0xFF) == 0 ? 1 : 0;
    const bool swap = swappedLooking * 2 > characters;
    for (size_t i = 0; i < length && text[i] != 0; ++i) {
        const unicode_t c = swap ? static_cast<unicode_t>(text[i] << 8 | text[i] >> 8) : text[i];
        if (c != 0xFEFF)
            wide += static_cast<wchar_t>(c);
    }
    if (wide.empty())
        return CString();
    const int bytes =
        ::WideCharToMultiByte(CP_ACP, 0, wide.data(), static_cast<int>(wide.size()), nullptr, 0, nullptr, nullptr);
    std::string ansi(static_cast<size_t>(bytes > 0 ? bytes : 0), '\0');
    if (bytes > 0)
        ::WideCharToMultiByte(CP_ACP, 0, wide.data(), static_cast<int>(wide.size()), ansi.data(), bytes, nullptr,
                              nullptr);
    return CString(ansi);
}

CString FrameText(const ID3_Tag& tag, ID3_FrameID id)
{
    const ID3_Frame* frame = tag.Find(id);
    if (!frame)
        return CString();
    const ID3_Field* field = frame->GetField(ID3FN_TEXT);
    if (!field)
        return CString();
    if (field->GetEncoding() == ID3TE_UTF16 || field->GetEncoding() == ID3TE_UTF16BE)
        return WideFrameText(*field);
    std::array<char, kMaxTagText + 1> text{};
    field->Get(text.data(), kMaxTagText);
    return CString(text.data());
}

}  // namespace

Mp3TagTexts ReadMp3TagTexts(const char* path)
{
    Mp3TagTexts texts;
    if (!path)
        return texts;
    try {
        ID3_Tag tag;
        tag.Link(path, ID3TT_ALL);
        texts.artist = FrameText(tag, ID3FID_LEADARTIST);
        texts.title = FrameText(tag, ID3FID_TITLE);
    } catch (...) {
        // A damaged tag is no tag.
        return Mp3TagTexts();
    }
    return texts;
}

CString Mp3TagName(const Mp3TagTexts& texts)
{
    CString name = texts.artist;
    if (!texts.title.IsEmpty()) {
        if (!name.IsEmpty())
            name += "-";
        name += texts.title;
    }
    return name;
}
