// The codecs' byte streams: over memory (a caller's block or a growing block of
// the file's own) and over a standard-I/O stream on a real file.
#include "ImageTestSupport.h"
#include "imaging/ImageFile.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace {

const BYTE kTen[10] = {0, 1, 2, 3, 4, 5, 6, 7, 8, 9};

TEST(ImageMemFile, ReadsACallersBlock)
{
    CImageMemFile file(kTen, sizeof(kTen));
    EXPECT_EQ(file.Size(), 10);
    EXPECT_EQ(file.Tell(), 0);
    BYTE buffer[8] = {};
    EXPECT_EQ(file.Read(buffer, 2, 3), 3u);
    EXPECT_EQ(buffer[5], 5);
    EXPECT_EQ(file.Tell(), 6);
    // Four bytes are left: one whole item of 3, and the position moves by all four.
    EXPECT_EQ(file.Read(buffer, 3, 2), 1u);
    EXPECT_EQ(buffer[3], 9);
    EXPECT_EQ(file.Tell(), 10);
    EXPECT_TRUE(file.Eof());
    EXPECT_EQ(file.Read(buffer, 1, 1), 0u) << "reading past the end fails cleanly";
    EXPECT_EQ(file.GetC(), -1);
    EXPECT_EQ(file.Read(buffer, 0, 5), 0u);
}

TEST(ImageMemFile, GetCWalksTheBytes)
{
    CImageMemFile file(kTen + 8, 2);
    EXPECT_EQ(file.GetC(), 8);
    EXPECT_FALSE(file.Eof());
    EXPECT_EQ(file.GetC(), 9);
    EXPECT_TRUE(file.Eof());
    EXPECT_EQ(file.GetC(), -1);
    EXPECT_EQ(file.Tell(), 2);
}

struct SeekCase {
    std::int32_t start;
    std::int32_t offset;
    int origin;
    bool ok;
    std::int32_t position;
};

class ImageMemFileSeek : public ::testing::TestWithParam<SeekCase> {};

TEST_P(ImageMemFileSeek, MovesOrStays)
{
    const SeekCase& c = GetParam();
    CImageMemFile file(kTen, sizeof(kTen));
    ASSERT_TRUE(file.Seek(c.start, 0));
    EXPECT_EQ(file.Seek(c.offset, c.origin), c.ok);
    EXPECT_EQ(file.Tell(), c.position);
    EXPECT_EQ(file.Error(), c.position > 10 ? 1 : 0);
}

INSTANTIATE_TEST_SUITE_P(
    Origins, ImageMemFileSeek,
    ::testing::Values(SeekCase{4, 3, 0, true, 3}, SeekCase{4, 3, 1, true, 7}, SeekCase{4, -3, 2, true, 7},
                      SeekCase{4, -1, 0, false, 4}, SeekCase{4, -5, 1, false, 4}, SeekCase{4, -11, 2, false, 4},
                      SeekCase{4, 0, 3, false, 4}, SeekCase{4, 0, -1, false, 4}, SeekCase{4, 5, 2, true, 15},
                      SeekCase{4, INT32_MAX, 2, false, 4}, SeekCase{4, INT32_MIN, 1, false, 4}));

TEST(ImageMemFile, SeekPastTheEndThenReadGivesNothing)
{
    CImageMemFile file(kTen, sizeof(kTen));
    ASSERT_TRUE(file.Seek(20, 0));
    BYTE buffer[4] = {};
    EXPECT_EQ(file.Read(buffer, 1, 4), 0u);
    EXPECT_TRUE(file.Eof());
    EXPECT_EQ(file.GetC(), -1);
}

TEST(ImageMemFile, GrowsInWholeSteps)
{
    CImageMemFile file;
    EXPECT_EQ(file.Size(), 0);
    EXPECT_EQ(file.GetCapacity(), 0u);
    for (int i = 0; i < 4096; ++i)
        ASSERT_TRUE(file.PutC(static_cast<BYTE>(i)));
    EXPECT_EQ(file.GetCapacity(), 4096u);
    ASSERT_TRUE(file.PutC(1));
    EXPECT_EQ(file.GetCapacity(), 8192u);
    EXPECT_EQ(file.Size(), 4097);
    EXPECT_EQ(file.GetBuffer()[4095], 255);
    EXPECT_EQ(file.GetBuffer()[4096], 1);

    // A large write grows by as many steps as it needs.
    std::vector<BYTE> block(10000, 7);
    EXPECT_EQ(file.Write(block.data(), 1, block.size()), block.size());
    EXPECT_EQ(file.GetCapacity(), 16384u);  // 14097 bytes rounded up in steps from 8192
}

TEST(ImageMemFile, WritesOverwriteAndExtend)
{
    CImageMemFile file;
    EXPECT_EQ(file.Write("abcdef", 2, 3), 3u);
    ASSERT_TRUE(file.Seek(2, 0));
    EXPECT_EQ(file.Write("XY", 1, 2), 2u);
    EXPECT_EQ(file.Size(), 6);
    EXPECT_EQ(std::memcmp(file.GetBuffer(), "abXYef", 6), 0);
    EXPECT_EQ(file.Write("x", 0, 1), 0u);
    EXPECT_EQ(file.Write(nullptr, 1, 1), 0u);
    // A product of item size and count that does not fit fails before anything is touched.
    EXPECT_EQ(file.Write("x", SIZE_MAX / 2, 3), 0u);
    EXPECT_EQ(file.Size(), 6);
}

TEST(ImageMemFile, WriteAfterSeekPastTheEndZeroesTheGap)
{
    CImageMemFile file;
    ASSERT_EQ(file.Write("ab", 1, 2), 2u);
    ASSERT_TRUE(file.Seek(3, 1));
    ASSERT_EQ(file.Write("z", 1, 1), 1u);
    EXPECT_EQ(file.Size(), 6);
    EXPECT_EQ(std::memcmp(file.GetBuffer(), "ab\0\0\0z", 6), 0);
}

TEST(ImageMemFile, NeverChangesOrFreesACallersBlock)
{
    BYTE block[4] = {1, 2, 3, 4};
    {
        CImageMemFile file(block, sizeof(block));
        ASSERT_TRUE(file.Seek(1, 0));
        EXPECT_EQ(file.Write("\x09", 1, 1), 1u);
        EXPECT_EQ(file.Size(), 4);
        EXPECT_NE(file.GetBuffer(), block);
        EXPECT_EQ(file.GetBuffer()[1], 9);
        EXPECT_EQ(file.GetBuffer()[3], 4);
        EXPECT_EQ(file.Write("\x05\x06\x07\x08", 1, 4), 4u);
        EXPECT_EQ(file.Size(), 6);
    }
    EXPECT_EQ(block[1], 2);
    EXPECT_EQ(block[3], 4);
}

TEST(ImageMemFile, DetachHandsOverAMallocBlock)
{
    CImageMemFile file;
    ASSERT_EQ(file.Write("image", 1, 5), 5u);
    std::int32_t size = 0;
    BYTE* block = file.Detach(size);
    ASSERT_NE(block, nullptr);
    EXPECT_EQ(size, 5);
    EXPECT_EQ(std::memcmp(block, "image", 5), 0);
    std::free(block);
    // Closed after detaching.
    EXPECT_EQ(file.Size(), -1);
    EXPECT_EQ(file.Detach(size), nullptr);

    CImageMemFile empty;
    block = empty.Detach(size);
    EXPECT_NE(block, nullptr);
    EXPECT_EQ(size, 0);
    std::free(block);

    CImageMemFile reading(kTen, 3);
    block = reading.Detach(size);
    ASSERT_NE(block, nullptr);
    EXPECT_NE(block, kTen);
    EXPECT_EQ(size, 3);
    EXPECT_EQ(block[2], 2);
    std::free(block);
}

TEST(ImageMemFile, ClosedFileDoesNothing)
{
    CImageMemFile nullBlock(nullptr, 10);
    CImageMemFile closed;
    EXPECT_TRUE(closed.Close());
    for (CImageMemFile* file : {&nullBlock, &closed}) {
        BYTE buffer[2] = {};
        EXPECT_EQ(file->Read(buffer, 1, 2), 0u);
        EXPECT_EQ(file->Write("ab", 1, 2), 0u);
        EXPECT_FALSE(file->PutC(1));
        EXPECT_EQ(file->GetC(), -1);
        EXPECT_FALSE(file->Seek(0, 0));
        EXPECT_EQ(file->Tell(), -1);
        EXPECT_EQ(file->Size(), -1);
        EXPECT_FALSE(file->Flush());
        EXPECT_TRUE(file->Eof());
        EXPECT_EQ(file->Error(), -1);
    }
}

TEST(ImageDiskFile, ReadWriteSeekOnARealFile)
{
    ScratchFile scratch("disk.bin");
    std::FILE* stream = std::fopen(scratch.Path(), "w+b");
    ASSERT_NE(stream, nullptr);
    {
        CImageDiskFile file(stream, true);
        EXPECT_EQ(file.Write("header", 1, 6), 6u);
        EXPECT_TRUE(file.PutC('!'));
        EXPECT_TRUE(file.Flush());
        EXPECT_EQ(file.Tell(), 7);
        EXPECT_EQ(file.Size(), 7);
        EXPECT_EQ(file.Tell(), 7) << "Size puts the position back";

        ASSERT_TRUE(file.Seek(-4, 2));
        EXPECT_EQ(file.GetC(), 'd');
        ASSERT_TRUE(file.Seek(-2, 1));
        EXPECT_EQ(file.GetC(), 'a');
        ASSERT_TRUE(file.Seek(0, 0));
        EXPECT_FALSE(file.Seek(0, 7));
        EXPECT_FALSE(file.Seek(-1, 0));

        char buffer[16] = {};
        EXPECT_EQ(file.Read(buffer, 2, 3), 3u);
        EXPECT_EQ(std::memcmp(buffer, "header", 6), 0);
        EXPECT_EQ(file.GetC(), '!');
        EXPECT_FALSE(file.Eof());
        EXPECT_EQ(file.GetC(), -1);
        EXPECT_TRUE(file.Eof());
        EXPECT_EQ(file.Read(buffer, 1, 4), 0u) << "reading past the end fails cleanly";
        EXPECT_EQ(file.Error(), 0);
        EXPECT_TRUE(file.Close());
        EXPECT_TRUE(file.Close()) << "nothing left to close";
    }
    std::FILE* check = std::fopen(scratch.Path(), "rb");
    ASSERT_NE(check, nullptr);
    char content[8] = {};
    EXPECT_EQ(std::fread(content, 1, 8, check), 7u);
    EXPECT_EQ(std::memcmp(content, "header!", 7), 0);
    std::fclose(check);
}

TEST(ImageDiskFile, LeavesAStreamItDoesNotOwnOpen)
{
    ScratchFile scratch("borrowed.bin");
    std::FILE* stream = std::fopen(scratch.Path(), "w+b");
    ASSERT_NE(stream, nullptr);
    {
        CImageDiskFile file(stream, false);
        EXPECT_EQ(file.Write("ab", 1, 2), 2u);
        EXPECT_TRUE(file.Close());
    }
    // Still usable: the owner closes it.
    EXPECT_EQ(std::fputc('c', stream), 'c');
    EXPECT_EQ(std::ftell(stream), 3);
    EXPECT_EQ(std::fclose(stream), 0);
}

TEST(ImageDiskFile, WithoutAStreamEverythingFails)
{
    CImageDiskFile file;
    BYTE buffer[2] = {};
    EXPECT_EQ(file.Read(buffer, 1, 2), 0u);
    EXPECT_EQ(file.Write(buffer, 1, 2), 0u);
    EXPECT_FALSE(file.Seek(0, 0));
    EXPECT_EQ(file.Tell(), -1);
    EXPECT_EQ(file.Size(), -1);
    EXPECT_FALSE(file.Flush());
    EXPECT_TRUE(file.Eof());
    EXPECT_EQ(file.Error(), -1);
    EXPECT_FALSE(file.PutC(1));
    EXPECT_EQ(file.GetC(), -1);
    EXPECT_TRUE(file.Close());
}

}  // namespace
