#include "album/CdToc.h"

#include <cstdio>

namespace {

constexpr std::size_t kTocHeaderSize = 4;
constexpr std::size_t kDescriptorSize = 8;
constexpr int kMaxTrackNumber = 99;

}  // namespace

bool IsUsableToc(const std::uint8_t* toc, std::size_t delivered)
{
    if (!toc || delivered < kTocHeaderSize)
        return false;
    const int first = toc[2];
    const int last = toc[3];
    if (first < 1 || first > last || last > kMaxTrackNumber)
        return false;
    const std::size_t needed = kTocHeaderSize + kDescriptorSize * static_cast<std::size_t>(last - first + 2);
    const std::size_t dataLength = (static_cast<std::size_t>(toc[0]) << 8 | toc[1]) + 2;
    if (dataLength < needed || delivered < needed || needed > kTocBufferSize)
        return false;
    // The lead-out cannot lie before the first track, or the disc length would be negative.
    return TocAddress(toc, last - first + 1).TotalFrames() >= TocAddress(toc, 0).TotalFrames();
}

int TocTrackCount(const std::uint8_t* toc)
{
    return toc[3] - toc[2] + 1;
}

TocTrackAddress TocAddress(const std::uint8_t* toc, int index)
{
    const std::uint8_t* descriptor = toc + kTocHeaderSize + kDescriptorSize * static_cast<std::size_t>(index);
    return TocTrackAddress{descriptor[5], descriptor[6], descriptor[7]};
}

bool TocIsDataTrack(const std::uint8_t* toc, int index)
{
    return (toc[kTocHeaderSize + kDescriptorSize * static_cast<std::size_t>(index) + 1] & kControlDataTrack) != 0;
}

int DigitSum(unsigned value)
{
    int sum = 0;
    for (; value > 0; value /= 10)
        sum += static_cast<int>(value % 10);
    return sum;
}

std::uint32_t CddbDiscId(const std::uint8_t* toc)
{
    const int count = TocTrackCount(toc);
    unsigned digitSums = 0;
    for (int track = 0; track < count; ++track)
        digitSums += static_cast<unsigned>(DigitSum(static_cast<unsigned>(TocAddress(toc, track).TotalSeconds())));
    const std::uint32_t length =
        static_cast<std::uint32_t>(TocAddress(toc, count).TotalSeconds() - TocAddress(toc, 0).TotalSeconds());
    return (digitSums % 255) << 24 | length << 8 | static_cast<std::uint32_t>(count);
}

std::string CddbQuery(const std::uint8_t* toc)
{
    const int count = TocTrackCount(toc);
    char number[32];
    std::snprintf(number, sizeof number, "%08x+%d", static_cast<unsigned>(CddbDiscId(toc)), count);
    std::string query = std::string("cddb+query+") + number;
    for (int track = 0; track < count; ++track) {
        std::snprintf(number, sizeof number, "+%ld", TocAddress(toc, track).TotalFrames());
        query += number;
    }
    std::snprintf(number, sizeof number, "+%d", TocAddress(toc, count).TotalSeconds());
    return query + number;
}
