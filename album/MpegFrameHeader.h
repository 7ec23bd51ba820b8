#pragma once
// CMpegFrameHeader: one MPEG audio frame header and the play time of an MP3
// file found from it (the frame count of a Xing header for VBR files, else
// the header's bitrate). Builds without <windows.h>, so the frame scanner can
// be fuzzed on any host.

#include "album/MpegByteSource.h"

#include <cstdint>
#include <string>

class CMpegFrameHeader
{
public:
    CMpegFrameHeader() = default;
    virtual ~CMpegFrameHeader() = default;

    // "m:ss", or an empty text when the file holds no time.
    std::string GetPlayTime(const char* path);
    std::string GetPlayTime(IMpegByteSource& source);

    void SetHeaderBytes(const std::uint8_t bytes[4]);
    bool IsValid() const;
    // 0 MPEG-2.5, 2 MPEG-2, 3 MPEG-1 (1 reserved).
    int GetVersion() const { return static_cast<int>(m_header >> 19 & 3); }
    // 1 Layer III, 2 Layer II, 3 Layer I (0 reserved).
    int GetLayer() const { return static_cast<int>(m_header >> 17 & 3); }
    bool IsMono() const { return (m_header >> 6 & 3) == 3; }
    bool HasChecksum() const { return (m_header >> 16 & 1) == 0; }
    // kbit/s: the header's own, or the average over the audio when a Xing
    // header gave the frame count; 0 for a free or bad index.
    int GetBitrate() const;
    int GetSampleRate() const;
    int GetSamplesPerFrame() const;
    // Bytes from this header to the next one, 0 when the header names none.
    int GetFrameLength() const;
    int GetSideInfoLength() const;
    bool ReadXingHeader(const std::uint8_t bytes[12]);
    std::int64_t GetFrameCount() const;
    // Whole seconds of audio, 0 when none can be told.
    std::int64_t GetSeconds() const;

    bool HasXingHeader() const { return m_bXing; }
    std::uint64_t GetAudioSize() const { return m_audioSize; }
    std::uint64_t GetFirstFrameOffset() const { return m_firstFrame; }

    // Bytes searched for the first frame after any ID3v2 tag at the start.
    static constexpr std::uint64_t kScanLimit = 100000;

private:
    bool FindFirstFrame(IMpegByteSource& source);
    // The bitrate the header names, kbit/s.
    int TableBitrate() const;

    std::uint32_t m_header = 0;
    std::int64_t m_xingFrameCount = -1;
    bool m_bXing = false;
    std::uint64_t m_firstFrame = 0;
    // The bytes from the first frame to the end of the audio, without the tags.
    std::uint64_t m_audioSize = 0;
};
