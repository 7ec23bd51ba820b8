// Damaged copies of the image fixtures: every truncation and many corrupted
// header bytes give a clear failure (or a picture, where the damage left
// everything that is read), never a crash or a read outside the data.
#include "ImageFixtures.h"
#include "imaging/ImageFile.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

namespace {

struct DamageCase {
    const char* file;
    int format;
    // Trailing bytes the decoder does not need: the padding of the last row, a
    // palette the picture does not use, or the AND mask of a true-colour icon.
    std::size_t unread;
};

class DamagedImages : public ::testing::TestWithParam<DamageCase> {};

TEST_P(DamagedImages, EveryTruncationFailsWithAReason)
{
    const DamageCase& c = GetParam();
    const std::vector<BYTE> bytes = ReadFixture(c.file);
    ASSERT_FALSE(bytes.empty()) << "missing fixture " << c.file;
    {
        CxImage whole;
        ASSERT_TRUE(whole.DecodeMemory(bytes.data(), bytes.size(), c.format)) << whole.GetLastError();
    }
    for (std::size_t length = 0; length < bytes.size(); ++length) {
        // A copy of exactly that length, so a read past it would be a read
        // past the block.
        const std::vector<BYTE> cut(bytes.begin(), bytes.begin() + static_cast<std::ptrdiff_t>(length));
        CxImage image;
        const bool decoded = image.DecodeMemory(cut.data(), cut.size(), c.format);
        if (length + c.unread < bytes.size()) {
            EXPECT_FALSE(decoded) << c.file << " cut to " << length << " bytes";
        }
        if (!decoded) {
            EXPECT_STRNE(image.GetLastError(), "") << c.file << " cut to " << length << " bytes";
            EXPECT_FALSE(image.IsValid());
        }
    }
}

TEST_P(DamagedImages, CorruptedHeaderBytesNeverCrash)
{
    const DamageCase& c = GetParam();
    const std::vector<BYTE> bytes = ReadFixture(c.file);
    ASSERT_FALSE(bytes.empty());
    const std::size_t headerBytes = std::min<std::size_t>(bytes.size(), 160);
    for (std::size_t at = 0; at < headerBytes; ++at) {
        for (const BYTE value : {BYTE{0x00}, BYTE{0x01}, BYTE{0x7F}, BYTE{0x80}, BYTE{0xFF}}) {
            std::vector<BYTE> damaged = bytes;
            damaged[at] = value;
            CxImage image;
            if (!image.DecodeMemory(damaged.data(), damaged.size(), c.format)) {
                EXPECT_STRNE(image.GetLastError(), "") << c.file << " byte " << at << " = " << int{value};
            } else {
                EXPECT_GT(image.GetWidth(), 0);
                EXPECT_GT(image.GetHeight(), 0);
            }
        }
    }
}

TEST_P(DamagedImages, ScrambledDataNeverCrashes)
{
    const DamageCase& c = GetParam();
    const std::vector<BYTE> bytes = ReadFixture(c.file);
    ASSERT_FALSE(bytes.empty());
    // A fixed pseudo-random sequence: the same damage on every run.
    unsigned state = 12345;
    const auto next = [&state]() {
        state = state * 1103515245u + 12345u;
        return state >> 16;
    };
    for (int round = 0; round < 300; ++round) {
        std::vector<BYTE> damaged = bytes;
        for (int flips = 1 + static_cast<int>(next() % 8); flips > 0; --flips)
            damaged[next() % damaged.size()] = static_cast<BYTE>(next());
        CxImage image;
        if (!image.DecodeMemory(damaged.data(), damaged.size(), c.format)) {
            EXPECT_STRNE(image.GetLastError(), "") << c.file << " round " << round;
        }
    }
}

INSTANTIATE_TEST_SUITE_P(
    Fixtures, DamagedImages,
    ::testing::Values(DamageCase{"bmp1.bmp", kImageFormatBmp, 1}, DamageCase{"bmp4.bmp", kImageFormatBmp, 0},
                      DamageCase{"bmp8.bmp", kImageFormatBmp, 1}, DamageCase{"bmp24.bmp", kImageFormatBmp, 3},
                      DamageCase{"bmp8_rle.bmp", kImageFormatBmp, 0}, DamageCase{"bmp4_rle.bmp", kImageFormatBmp, 0},
                      DamageCase{"bmp24_topdown.bmp", kImageFormatBmp, 3},
                      DamageCase{"bmp8_v5.bmp", kImageFormatBmp, 1}, DamageCase{"bmp8_core.bmp", kImageFormatBmp, 1},
                      DamageCase{"bmp24_core.bmp", kImageFormatBmp, 3},
                      DamageCase{"bmp16_565.bmp", kImageFormatBmp, 2},
                      DamageCase{"bmp16_plain.bmp", kImageFormatBmp, 2}, DamageCase{"bmp32.bmp", kImageFormatBmp, 0},
                      DamageCase{"ico4.ico", kImageFormatIco, 0}, DamageCase{"ico8.ico", kImageFormatIco, 0},
                      DamageCase{"ico32.ico", kImageFormatIco, 44}, DamageCase{"ico_two.ico", kImageFormatIco, 280},
                      DamageCase{"ico256_png.ico", kImageFormatIco, 0},
                      DamageCase{"pcx24.pcx", kImageFormatPcx, 0}, DamageCase{"pcx8.pcx", kImageFormatPcx, 0},
                      DamageCase{"pcx1.pcx", kImageFormatPcx, 769}, DamageCase{"pcx32.pcx", kImageFormatPcx, 0},
                      DamageCase{"pcx4_planes.pcx", kImageFormatPcx, 0}),
    [](const ::testing::TestParamInfo<DamageCase>& info) {
        std::string name = info.param.file;
        for (char& ch : name) {
            if (ch == '.')
                ch = '_';
        }
        return name;
    });

}  // namespace
