#include "album/Mp3Names.h"

#include <algorithm>
#include <cctype>
#include <string>

namespace {

void SqueezeDashes(CString& name, bool tripleBlanks)
{
    if (tripleBlanks)
        name.Replace("   ", "-");
    for (const char* separator : {"  ", " - ", " -", "- "})
        name.Replace(separator, "-");
}

}  // namespace

CString Mp3DisplayName(const CString& path)
{
    CString name = path.Left(std::max(0, path.GetLength() - 4));
    const int slash = std::max(name.ReverseFind('\\'), name.ReverseFind('/'));
    name = name.Mid(slash + 1);
    name.Replace('_', ' ');
    name.Trim();
    SqueezeDashes(name, true);
    std::string text(name.c_str());
    bool wordStart = true;
    for (char& ch : text) {
        const unsigned char byte = static_cast<unsigned char>(ch);
        ch = static_cast<char>(wordStart ? std::toupper(byte) : std::tolower(byte));
        wordStart = ch == ' ';
    }
    return CString(text);
}

CString CleanMp3TagName(const CString& tagName)
{
    CString name = tagName;
    name.Replace('_', ' ');
    name.Trim();
    SqueezeDashes(name, false);
    return name;
}
