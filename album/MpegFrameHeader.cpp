#include "album/MpegFrameHeader.h"

#include <cstdio>
#include <cstring>
#include <vector>

namespace {

constexpr int kBitrates[5][16] = {
    {0, 32, 64, 96, 128, 160, 192, 224, 256, 288, 320, 352, 384, 416, 448, 0},  // MPEG-1 Layer I
    {0, 32, 48, 56, 64, 80, 96, 112, 128, 160, 192, 224, 256, 320, 384, 0},     // MPEG-1 Layer II
    {0, 32, 40, 48, 56, 64, 80, 96, 112, 128, 160, 192, 224, 256, 320, 0},      // MPEG-1 Layer III
    {0, 32, 48, 56, 64, 80, 96, 112, 128, 144, 160, 176, 192, 224, 256, 0},     // MPEG-2 and 2.5 Layer I
    {0, 8, 16, 24, 32, 40, 48, 56, 64, 80, 96, 112, 128, 144, 160, 0},          // MPEG-2 and 2.5 Layers II, III
};

constexpr int kSampleRates[4][3] = {
    {11025, 12000, 8000},   // MPEG-2.5
    {0, 0, 0},              // reserved
    {22050, 24000, 16000},  // MPEG-2
    {44100, 48000, 32000},  // MPEG-1
};

constexpr std::size_t kId3v2HeaderSize = 10;
constexpr std::size_t kId3v1Size = 128;

std::uint32_t BigEndian32(const std::uint8_t* bytes)
{
    return static_cast<std::uint32_t>(bytes[0]) << 24 | static_cast<std::uint32_t>(bytes[1]) << 16 |
           static_cast<std::uint32_t>(bytes[2]) << 8 | bytes[3];
}

// Where the audio starts: after every ID3v2 tag at the start of the file.
std::uint64_t SkipId3v2Tags(IMpegByteSource& source)
{
    std::uint64_t at = 0;
    std::uint8_t header[kId3v2HeaderSize];
    while (source.ReadAt(at, header, sizeof header) == sizeof header && std::memcmp(header, "ID3", 3) == 0 &&
           header[3] != 0xFF && header[4] != 0xFF && (header[6] | header[7] | header[8] | header[9]) < 0x80) {
        const std::uint64_t size = static_cast<std::uint64_t>(header[6]) << 21 | header[7] << 14 | header[8] << 7 |
                                   header[9];
        const bool footer = (header[5] & 0x10) != 0;
        at += kId3v2HeaderSize + size + (footer ? kId3v2HeaderSize : 0);
    }
    return at;
}

// Where the audio ends: before an ID3v1 tag at the end of the file.
std::uint64_t AudioEnd(IMpegByteSource& source)
{
    const std::uint64_t size = source.Size();
    char tag[3];
    if (size >= kId3v1Size && source.ReadAt(size - kId3v1Size, tag, sizeof tag) == sizeof tag &&
        std::memcmp(tag, "TAG", 3) == 0)
        return size - kId3v1Size;
    return size;
}

}  // namespace

void CMpegFrameHeader::SetHeaderBytes(const std::uint8_t bytes[4])
{
    m_header = BigEndian32(bytes);
}

bool CMpegFrameHeader::IsValid() const
{
    return (m_header & 0xFFE00000u) == 0xFFE00000u && GetVersion() != 1 && GetLayer() != 0 &&
           (m_header >> 12 & 15) != 0 && (m_header >> 12 & 15) != 15 && (m_header >> 10 & 3) != 3 &&
           (m_header & 3) != 2;
}

int CMpegFrameHeader::GetSampleRate() const
{
    const unsigned index = m_header >> 10 & 3;
    return index < 3 ? kSampleRates[GetVersion()][index] : 0;
}

int CMpegFrameHeader::GetSamplesPerFrame() const
{
    switch (GetLayer()) {
    case 3:
        return 384;
    case 2:
        return 1152;
    case 1:
        return GetVersion() == 3 ? 1152 : 576;
    default:
        return 0;
    }
}

int CMpegFrameHeader::GetSideInfoLength() const
{
    if (GetVersion() == 3)
        return IsMono() ? 17 : 32;
    return IsMono() ? 9 : 17;
}

int CMpegFrameHeader::GetFrameLength() const
{
    if (!IsValid())
        return 0;
    const int layer = GetLayer();
    const int bitrate = TableBitrate() * 1000;
    const int sampleRate = GetSampleRate();
    const int padding = static_cast<int>(m_header >> 9 & 1);
    if (sampleRate == 0)
        return 0;
    if (layer == 3)
        return (12 * bitrate / sampleRate + padding) * 4;
    return GetSamplesPerFrame() / 8 * bitrate / sampleRate + padding;
}

int CMpegFrameHeader::GetBitrate() const
{
    const int layer = GetLayer();
    if (layer == 0)
        return 0;
    const int sampleRate = GetSampleRate();
    if (m_bXing && m_xingFrameCount > 0) {
        // The average over the audio: bytes per frame times frames per second.
        const double bytesPerFrame = static_cast<double>(m_audioSize) / static_cast<double>(m_xingFrameCount);
        const double framesPerSecond = static_cast<double>(sampleRate) / GetSamplesPerFrame();
        return static_cast<int>(bytesPerFrame * framesPerSecond * 8 / 1000);
    }
    return TableBitrate();
}

int CMpegFrameHeader::TableBitrate() const
{
    const int layer = GetLayer();
    if (layer == 0)
        return 0;
    const bool mpeg1 = (m_header >> 19 & 1) != 0;
    return kBitrates[mpeg1 ? 3 - layer : (layer == 3 ? 3 : 4)][m_header >> 12 & 15];
}

bool CMpegFrameHeader::ReadXingHeader(const std::uint8_t bytes[12])
{
    m_bXing = std::memcmp(bytes, "Xing", 4) == 0;
    m_xingFrameCount = -1;
    if (m_bXing && (bytes[7] & 1) != 0)
        m_xingFrameCount = BigEndian32(bytes + 8);
    return m_bXing;
}

std::int64_t CMpegFrameHeader::GetFrameCount() const
{
    if (m_bXing && m_xingFrameCount > 0)
        return m_xingFrameCount;
    const int frameLength = GetFrameLength();
    return frameLength > 0 ? static_cast<std::int64_t>(m_audioSize / static_cast<std::uint64_t>(frameLength)) : 0;
}

std::int64_t CMpegFrameHeader::GetSeconds() const
{
    const int sampleRate = GetSampleRate();
    if (sampleRate <= 0)
        return 0;
    if (m_bXing && m_xingFrameCount > 0)
        return m_xingFrameCount * GetSamplesPerFrame() / sampleRate;
    // Without a frame count (constant bitrate, or a Xing header that has
    // none) the header's bitrate tells the time.
    const std::int64_t bitsPerSecond = static_cast<std::int64_t>(TableBitrate()) * 1000;
    if (bitsPerSecond <= 0)
        return 0;
    return static_cast<std::int64_t>(m_audioSize * 8 / static_cast<std::uint64_t>(bitsPerSecond));
}

bool CMpegFrameHeader::FindFirstFrame(IMpegByteSource& source)
{
    const std::uint64_t start = SkipId3v2Tags(source);
    const std::uint64_t end = AudioEnd(source);
    if (start >= end)
        return false;
    const std::uint64_t left = end - start;
    std::vector<std::uint8_t> window(static_cast<std::size_t>(left < kScanLimit ? left : kScanLimit));
    const std::size_t got = source.ReadAt(start, window.data(), window.size());
    for (std::size_t at = 0; at + 4 <= got; ++at) {
        if (window[at] != 0xFF)
            continue;
        SetHeaderBytes(window.data() + at);
        if (!IsValid() || GetFrameLength() <= 0)
            continue;
        // A sync pattern inside a picture or junk is no frame unless another
        // header of the same stream follows it (or the audio ends there).
        const std::uint64_t position = start + at;
        const std::uint64_t next = position + static_cast<std::uint64_t>(GetFrameLength());
        bool confirmed = next == end;
        std::uint8_t nextBytes[4];
        if (!confirmed && next + 4 <= end && source.ReadAt(next, nextBytes, 4) == 4) {
            CMpegFrameHeader following;
            following.SetHeaderBytes(nextBytes);
            confirmed = following.IsValid() && following.GetVersion() == GetVersion() &&
                        following.GetLayer() == GetLayer() && following.GetSampleRate() == GetSampleRate();
        }
        if (confirmed) {
            m_firstFrame = position;
            m_audioSize = end - position;
            return true;
        }
    }
    return false;
}

std::string CMpegFrameHeader::GetPlayTime(const char* path)
{
    CMpegFileSource file(path);
    if (!file.IsOpen())
        return std::string();
    return GetPlayTime(file);
}

std::string CMpegFrameHeader::GetPlayTime(IMpegByteSource& source)
{
    m_bXing = false;
    m_xingFrameCount = -1;
    if (!FindFirstFrame(source))
        return std::string();
    std::uint8_t xing[12] = {};
    const std::uint64_t xingAt =
        m_firstFrame + 4 + (HasChecksum() ? 2 : 0) + static_cast<std::uint64_t>(GetSideInfoLength());
    if (source.ReadAt(xingAt, xing, sizeof xing) == sizeof xing)
        ReadXingHeader(xing);
    const std::int64_t seconds = GetSeconds();
    if (seconds <= 0)
        return std::string();
    char text[32];
    std::snprintf(text, sizeof text, "%lld:%02d", static_cast<long long>(seconds / 60), static_cast<int>(seconds % 60));
    return text;
}
