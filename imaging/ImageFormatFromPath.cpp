// GetImageFormatFromPath: the extension of a file name to its format code.
#include "imaging/ImageFormatFromPath.h"

#include "framework/ErrorReport.h"
#include "imaging/ImageTypes.h"

#include <algorithm>
#include <cctype>
#include <string>
#include <string_view>

namespace {

struct ExtensionFormat {
    std::string_view extension;
    int format;
};

constexpr ExtensionFormat kExtensions[] = {
    {"bmp", kImageFormatBmp}, {"dib", kImageFormatBmp}, {"jpg", kImageFormatJpeg}, {"jpeg", kImageFormatJpeg},
    {"png", kImageFormatPng}, {"ico", kImageFormatIco}, {"pcx", kImageFormatPcx}, {"wmf", kImageFormatWmf},
    {"emf", kImageFormatWmf},
};

bool IsBlank(char ch)
{
    return std::isspace(static_cast<unsigned char>(ch)) != 0;
}

}  // namespace

int GetImageFormatFromPath(const char* path)
{
    return Guarded(470, ErrorSink::App(), kImageFormatUnknown, [&]() -> int {
        if (!path)
            return kImageFormatUnknown;
        const std::string_view whole(path);
        const std::size_t dot = whole.rfind('.');
        std::string extension(dot == std::string_view::npos ? whole : whole.substr(dot + 1));
        std::transform(extension.begin(), extension.end(), extension.begin(),
                       [](char ch) { return static_cast<char>(std::tolower(static_cast<unsigned char>(ch))); });
        const auto first = std::find_if_not(extension.begin(), extension.end(), IsBlank);
        const auto last = std::find_if_not(extension.rbegin(), extension.rend(), IsBlank).base();
        const std::string_view trimmed = first < last ? std::string_view(&*first, last - first) : std::string_view();
        for (const ExtensionFormat& entry : kExtensions) {
            if (trimmed == entry.extension)
                return entry.format;
        }
        return kImageFormatUnknown;
    });
}
