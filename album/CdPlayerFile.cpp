#include "album/CdPlayerFile.h"

#include "album/CdToc.h"

#include <cctype>
#include <cstdio>

namespace {

std::string_view TrimRight(std::string_view text)
{
    while (!text.empty() && std::isspace(static_cast<unsigned char>(text.back())))
        text.remove_suffix(1);
    return text;
}

std::string_view TrimLeft(std::string_view text)
{
    while (!text.empty() && std::isspace(static_cast<unsigned char>(text.front())))
        text.remove_prefix(1);
    return text;
}

bool StartsWith(std::string_view text, std::string_view prefix)
{
    return text.substr(0, prefix.size()) == prefix;
}

bool StartsWithNoCase(std::string_view text, std::string_view prefix)
{
    if (text.size() < prefix.size())
        return false;
    for (size_t i = 0; i < prefix.size(); ++i)
        if (std::toupper(static_cast<unsigned char>(text[i])) != std::toupper(static_cast<unsigned char>(prefix[i])))
            return false;
    return true;
}

}  // namespace

std::string CdPlayerSectionKey(const std::uint8_t* toc)
{
    const int count = TocTrackCount(toc);
    std::uint64_t sum = 0;
    for (int track = 0; track < count; ++track) {
        const TocTrackAddress address = TocAddress(toc, track);
        sum += (static_cast<std::uint64_t>(address.minutes) << 16) + (static_cast<std::uint64_t>(address.seconds) << 8) +
               static_cast<std::uint64_t>(address.frames);
    }
    if (count > 0 && count < 3) {
        sum += static_cast<std::uint64_t>(TocAddress(toc, count).TotalFrames() - TocAddress(toc, 0).TotalFrames());
        if (count == 2)
            sum += static_cast<std::uint64_t>(TocAddress(toc, 0).frames);
    }
    char key[32];
    std::snprintf(key, sizeof key, "[%llX]", static_cast<unsigned long long>(sum));
    return key;
}

std::optional<CCddbDiscInfo> FindCdPlayerEntry(std::string_view fileText, const std::string& sectionKey)
{
    std::optional<CCddbDiscInfo> entry;
    bool inSection = false;
    while (!fileText.empty()) {
        // The last line counts even without a line feed.
        const size_t end = fileText.find('\n');
        std::string_view line = TrimRight(fileText.substr(0, end));
        fileText.remove_prefix(end == std::string_view::npos ? fileText.size() : end + 1);
        if (!inSection) {
            if (StartsWith(line, "[") && StartsWithNoCase(line, sectionKey)) {
                inSection = true;
                entry.emplace();
            }
            continue;
        }
        if (StartsWith(line, "["))
            break;
        if (StartsWith(line, "artist=")) {
            entry->m_strArtist = TrimLeft(line.substr(7));
        } else if (StartsWith(line, "title=")) {
            entry->m_strTitle = TrimLeft(line.substr(6));
        } else if (entry->m_trackTitles.size() < static_cast<size_t>(kMaxCddbTracks)) {
            const std::string number = std::to_string(entry->m_trackTitles.size()) + "=";
            if (StartsWith(line, number))
                entry->m_trackTitles.emplace_back(TrimLeft(line.substr(number.size())));
        }
    }
    return entry;
}
