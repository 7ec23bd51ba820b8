// Play times and tags of MP3 files made by lame (and ffmpeg for the large
// picture tags), compared with ffprobe, mp3info and id3v2; and damaged or
// rebuilt copies of them for the frame scanner's limits.

#include "CdSourceFixtures.h"

#include "album/MpegFrameHeader.h"
#include "album/Mp3Tags.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

std::string PlayTimeOfBytes(const std::vector<BYTE>& bytes)
{
    CMpegMemorySource source(bytes.data(), bytes.size());
    CMpegFrameHeader header;
    return header.GetPlayTime(source);
}

long SecondsOf(const std::string& playTime)
{
    const size_t colon = playTime.find(':');
    if (colon == std::string::npos)
        return -1;
    return std::stol(playTime.substr(0, colon)) * 60 + std::stol(playTime.substr(colon + 1));
}

// The first frame of a lame file (after its tags) and its length.
std::vector<BYTE> FirstAudioFrame(const std::string& name)
{
    const std::vector<BYTE> file = ReadFixtureBytes("mp3/" + name);
    CMpegMemorySource source(file.data(), file.size());
    CMpegFrameHeader header;
    header.GetPlayTime(source);
    const size_t at = static_cast<size_t>(header.GetFirstFrameOffset());
    return std::vector<BYTE>(file.begin() + static_cast<long>(at),
                             file.begin() + static_cast<long>(at) + header.GetFrameLength());
}

}  // namespace

TEST(Mp3PlayTime, MatchesFfprobeAndMp3info)
{
    const std::vector<std::string> lines = ReadFixtureLines("mp3/expected.txt");
    ASSERT_GE(lines.size(), 10u) << "mp3/expected.txt missing: run the cdsource_fixtures test first";
    for (const std::string& line : lines) {
        const std::vector<std::string> fields = SplitText(line, '|');
        ASSERT_EQ(fields.size(), 5u) << line;
        SCOPED_TRACE(fields[0]);
        CMpegFrameHeader header;
        const std::string playTime = header.GetPlayTime(CdSourceFixturePath("mp3/" + fields[0]).c_str());
        ASSERT_FALSE(playTime.empty());
        const double probe = std::stod(fields[1]);
        // Whole seconds, cut: lame's padding frames may add a fraction.
        EXPECT_LE(std::fabs(static_cast<double>(SecondsOf(playTime)) - std::floor(probe)), 1.0)
            << playTime << " against ffprobe " << fields[1];
        if (fields[2] != "-") {
            EXPECT_LE(std::labs(SecondsOf(playTime) - std::stol(fields[2])), 1L)
                << playTime << " against mp3info " << fields[2];
        }
    }
}

TEST(Mp3Tags, MatchId3v2Listing)
{
    const std::vector<std::string> lines = ReadFixtureLines("mp3/expected.txt");
    ASSERT_FALSE(lines.empty());
    int tagged = 0;
    for (const std::string& line : lines) {
        const std::vector<std::string> fields = SplitText(line, '|');
        ASSERT_EQ(fields.size(), 5u);
        SCOPED_TRACE(fields[0]);
        const Mp3TagTexts texts = ReadMp3TagTexts(CdSourceFixturePath("mp3/" + fields[0]).c_str());
        EXPECT_EQ(std::string(texts.artist.c_str()), fields[3]);
        EXPECT_EQ(std::string(texts.title.c_str()), fields[4]);
        tagged += fields[4].empty() ? 0 : 1;
    }
    EXPECT_GE(tagged, 4);
}

TEST(Mp3Tags, NameJoinsArtistAndTitle)
{
    EXPECT_EQ(Mp3TagName({"Artist", "Title"}), "Artist-Title");
    EXPECT_EQ(Mp3TagName({"", "Only A Title"}), "Only A Title");
    EXPECT_EQ(Mp3TagName({"Only Artist", ""}), "Only Artist");
    EXPECT_TRUE(ReadMp3TagTexts("cdsource-fixtures/no such file.mp3").title.IsEmpty());
}

TEST(Mp3PlayTime, SampleRatesAndSamplesPerFrameOfEveryVersion)
{
    struct Case {
        const char* file;
        int version;
        int sampleRate;
        int samplesPerFrame;
        bool xing;
    };
    const Case cases[] = {
        {"mpeg1_vbr.mp3", 3, 44100, 1152, true},
        {"mpeg2_vbr.mp3", 2, 24000, 576, true},
        {"mpeg25_vbr.mp3", 0, 12000, 576, true},
        {"mpeg25_cbr32.mp3", 0, 11025, 576, false},
        {"mpeg25_cbr8_mono.mp3", 0, 8000, 576, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.file);
        CMpegFrameHeader header;
        ASSERT_FALSE(header.GetPlayTime(CdSourceFixturePath(std::string("mp3/") + c.file).c_str()).empty());
        EXPECT_EQ(header.GetVersion(), c.version);
        EXPECT_EQ(header.GetSampleRate(), c.sampleRate);
        EXPECT_EQ(header.GetSamplesPerFrame(), c.samplesPerFrame);
        EXPECT_EQ(header.HasXingHeader(), c.xing);
    }
}

// A large tag before the audio: its bytes are no audio, and the sync-like
// bytes of its picture are no frame.
TEST(Mp3PlayTime, LeadingTagIsSkippedAndNotCounted)
{
    for (const char* name : {"mpeg1_vbr_picture.mp3", "mpeg2_cbr_picture.mp3"}) {
        SCOPED_TRACE(name);
        const std::vector<BYTE> file = ReadFixtureBytes(std::string("mp3/") + name);
        ASSERT_GT(file.size(), 500000u);
        CMpegMemorySource source(file.data(), file.size());
        CMpegFrameHeader header;
        const std::string playTime = header.GetPlayTime(source);
        EXPECT_EQ(playTime, "0:21");
        const size_t tagSize = 10 + (file[6] << 21 | file[7] << 14 | file[8] << 7 | file[9]);
        EXPECT_GE(header.GetFirstFrameOffset(), tagSize);
        EXPECT_GT(header.GetFirstFrameOffset(), CMpegFrameHeader::kScanLimit);
        EXPECT_LE(header.GetAudioSize(), file.size() - tagSize - 128) << "neither tag counts as audio";
    }
}

TEST(Mp3PlayTime, FirstFrameIsLookedForInTheFirst100000Bytes)
{
    const std::vector<BYTE> frame = FirstAudioFrame("mpeg1_cbr128.mp3");
    ASSERT_GT(frame.size(), 100u);
    for (size_t offset : {size_t{99996}, size_t{99997}}) {
        std::vector<BYTE> bytes(offset, 0);
        for (int i = 0; i < 50; ++i)
            bytes.insert(bytes.end(), frame.begin(), frame.end());
        EXPECT_EQ(PlayTimeOfBytes(bytes).empty(), offset == 99997) << offset;
    }
}

TEST(Mp3PlayTime, ConstantBitrateFromTheFileSize)
{
    // 128 kbit/s MPEG-1 Layer III: 4,800,000 bytes are 300 seconds.
    const std::vector<BYTE> frame = FirstAudioFrame("mpeg1_cbr128.mp3");
    std::vector<BYTE> bytes;
    while (bytes.size() < 4800000)
        bytes.insert(bytes.end(), frame.begin(), frame.end());
    bytes.resize(4800000);
    EXPECT_EQ(PlayTimeOfBytes(bytes), "5:00");
    bytes.resize(65 * 16000);
    EXPECT_EQ(PlayTimeOfBytes(bytes), "1:05");
}

TEST(Mp3PlayTime, XingHeaderWithoutFrameCountFallsBackToTheBitrate)
{
    std::vector<BYTE> file = ReadFixtureBytes("mp3/mpeg2_vbr.mp3");
    ASSERT_FALSE(file.empty());
    size_t xing = 0;
    for (size_t at = 0; at + 4 < 2000 && !xing; ++at)
        if (std::memcmp(file.data() + at, "Xing", 4) == 0)
            xing = at;
    ASSERT_NE(xing, 0u);
    file[xing + 7] &= static_cast<BYTE>(~1);  // no frame count
    CMpegMemorySource source(file.data(), file.size());
    CMpegFrameHeader header;
    const std::string playTime = header.GetPlayTime(source);
    EXPECT_TRUE(header.HasXingHeader());
    EXPECT_FALSE(playTime.empty());
    EXPECT_GT(SecondsOf(playTime), 0);
}

TEST(Mp3PlayTime, NoTimeWithoutFrames)
{
    struct Case {
        const char* what;
        std::vector<BYTE> bytes;
    };
    std::vector<BYTE> freeFormat = FirstAudioFrame("mpeg1_cbr128.mp3");
    freeFormat[2] &= 0x0F;  // bitrate index 0: free format
    std::vector<BYTE> freeFile;
    for (int i = 0; i < 20; ++i)
        freeFile.insert(freeFile.end(), freeFormat.begin(), freeFormat.end());
    std::vector<BYTE> tagOnly = ReadFixtureBytes("mp3/mpeg1_vbr_picture.mp3");
    tagOnly.resize(10 + (tagOnly[6] << 21 | tagOnly[7] << 14 | tagOnly[8] << 7 | tagOnly[9]));
    const Case cases[] = {
        {"empty", {}},
        {"three bytes", {0xFF, 0xFB, 0x90}},
        {"free-format bitrate", freeFile},
        {"only a tag", tagOnly},
        {"tag size beyond the file", {'I', 'D', '3', 3, 0, 0, 0x7F, 0x7F, 0x7F, 0x7F, 0xFF, 0xFB, 0x90, 0x00}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(PlayTimeOfBytes(c.bytes), "") << c.what;
    CMpegFrameHeader header;
    EXPECT_EQ(header.GetPlayTime("cdsource-fixtures/no such file.mp3"), "");
}
