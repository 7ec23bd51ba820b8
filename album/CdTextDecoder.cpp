#include "album/CdTextDecoder.h"

namespace {

constexpr std::size_t kHeaderSize = 4;
constexpr std::size_t kPackSize = 18;
constexpr std::size_t kTextBytesPerPack = 12;
constexpr int kMaxPacks = 255;

constexpr std::uint8_t kPackTitle = 0x80;
constexpr std::uint8_t kPackPerformer = 0x81;
constexpr std::uint8_t kPackMessage = 0x85;

// A text of one TAB stands for "the same as the previous track".
constexpr char kSameAsPrevious[] = "\t";

class TrackTexts {
public:
    void Store(int track, const std::string& text)
    {
        if (track < 0 || track > kCdTextMaxTrack)
            return;
        if (static_cast<std::size_t>(track) >= m_texts.size())
            m_texts.resize(static_cast<std::size_t>(track) + 1);
        if (text == kSameAsPrevious)
            m_texts[static_cast<std::size_t>(track)] = track > 1 ? m_texts[static_cast<std::size_t>(track) - 1] : "";
        else
            m_texts[static_cast<std::size_t>(track)] = text;
        m_stored.resize(m_texts.size());
        m_stored[static_cast<std::size_t>(track)] = true;
    }
    std::size_t Size() const { return m_texts.size(); }
    const std::string* Find(std::size_t track) const
    {
        return track < m_texts.size() && m_stored[track] ? &m_texts[track] : nullptr;
    }

private:
    std::vector<std::string> m_texts;
    std::vector<bool> m_stored;
};

}  // namespace

CdTextAlbum DecodeCdTextPacks(const std::uint8_t* reply, std::size_t size)
{
    CdTextAlbum album;
    if (!reply || size < kHeaderSize)
        return album;
    // The header's length counts the bytes after itself; never read past what arrived.
    const std::size_t declared = (static_cast<std::size_t>(reply[0]) << 8 | reply[1]) + 2;
    const std::size_t available = declared < size ? declared : size;
    const std::size_t packCount = available > kHeaderSize ? (available - kHeaderSize) / kPackSize : 0;

    TrackTexts titles;
    TrackTexts performers;
    std::string text;
    for (std::size_t position = 0; position < packCount && position < kMaxPacks; ++position) {
        const std::uint8_t* pack = reply + kHeaderSize + position * kPackSize;
        if (pack[2] != position)
            break;
        const std::uint8_t type = pack[0];
        const int block = (pack[3] >> 4) & 0x07;
        if (type < kPackTitle || type > kPackMessage || block != 0)
            continue;
        int track = pack[1] & 0x7F;  // the top bit flags an extension pack
        for (std::size_t i = 0; i < kTextBytesPerPack; ++i) {
            const char byte = static_cast<char>(pack[4 + i]);
            if (byte != '\0') {
                if (text.size() < kCdTextMaxTextLength)
                    text += byte;
                continue;
            }
            if (type == kPackTitle || type == kPackPerformer) {
                if (track == 0) {
                    if (type == kPackTitle)
                        album.albumTitle = text;
                    else
                        album.albumArtist = text;
                } else {
                    (type == kPackTitle ? titles : performers).Store(track, text);
                }
                ++track;
                album.found = true;
            } else if (type == kPackMessage) {
                if (album.message.size() + text.size() <= kCdTextMaxTextLength * 4)
                    album.message += text;
                ++track;
            }
            text.clear();
        }
    }

    const std::string albumArtist = album.albumArtist.value_or("");
    for (std::size_t track = 1; track < titles.Size(); ++track) {
        const std::string* title = titles.Find(track);
        const std::string* performer = performers.Find(track);
        std::string name = title ? *title : "";
        if (performer && !performer->empty() && *performer != albumArtist)
            name = *performer + " / " + name;
        if (album.trackNames.size() <= track)
            album.trackNames.resize(track + 1);
        album.trackNames[track] = name;
    }
    return album;
}
