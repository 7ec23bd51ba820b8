#include "framework/File.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

std::string TempPath()
{
    char folder[MAX_PATH];
    char path[MAX_PATH];
    if (!::GetTempPathA(MAX_PATH, folder) || !::GetTempFileNameA(folder, "fil", 0, path))
        return std::string();
    return path;
}

TEST(MemFile, WriteSeekReadAndGrow)
{
    CMemFile file;
    file.Write("hello", 5);
    EXPECT_EQ(file.GetLength(), 5u);
    EXPECT_EQ(file.Seek(-2, CByteStream::current), 3u);
    file.Write("LOWORLD", 7);
    EXPECT_EQ(file.GetLength(), 10u);
    file.SeekToBegin();
    char buffer[16] = {};
    EXPECT_EQ(file.Read(buffer, sizeof buffer), 10u);
    EXPECT_STREQ(buffer, "helLOWORLD");
    EXPECT_EQ(file.Read(buffer, 4), 0u);  // at the end
}

TEST(MemFile, SeekingPastTheEndLeavesAGapOfZeros)
{
    CMemFile file;
    file.Seek(3, CByteStream::begin);
    char nothing;
    EXPECT_EQ(file.Read(&nothing, 1), 0u);
    file.Write("x", 1);
    const std::vector<BYTE> bytes = file.Detach();
    EXPECT_EQ(bytes, (std::vector<BYTE>{0, 0, 0, 'x'}));
    EXPECT_EQ(file.GetLength(), 0u);
}

TEST(MemFile, SeekBeforeTheStartThrows)
{
    CMemFile file(std::vector<BYTE>{1, 2, 3});
    EXPECT_THROW(file.Seek(-1, CByteStream::begin), CFileException);
    EXPECT_THROW(file.Seek(-4, CByteStream::end), CFileException);
    EXPECT_EQ(file.Seek(-3, CByteStream::end), 0u);
}

TEST(MemFile, AttachedBytesAreReadOnly)
{
    const BYTE data[] = {9, 8, 7};
    CMemFile file(data, sizeof data);
    EXPECT_TRUE(file.IsReadOnly());
    EXPECT_EQ(file.GetLength(), 3u);
    BYTE read[3] = {};
    EXPECT_EQ(file.Read(read, 3), 3u);
    EXPECT_EQ(read[2], 7);
    try {
        file.Write("x", 1);
        FAIL() << "a view was written";
    } catch (const CFileException& e) {
        EXPECT_EQ(e.m_cause, CFileException::accessDenied);
    }
    EXPECT_THROW(file.SetLength(1), CFileException);
    EXPECT_EQ(data[0], 9);
    // Detach copies the view and leaves a writable file.
    EXPECT_EQ(file.Detach(), (std::vector<BYTE>{9, 8, 7}));
    EXPECT_FALSE(file.IsReadOnly());
    EXPECT_NO_THROW(file.Write("x", 1));
}

TEST(File, OpenReportsAMissingFile)
{
    CFile file;
    DWORD error = 0;
    EXPECT_FALSE(file.Open("no such folder\\no such file.slv", CFile::modeRead, &error));
    EXPECT_EQ(error, static_cast<DWORD>(ERROR_PATH_NOT_FOUND));
    EXPECT_FALSE(file.IsOpen());
    EXPECT_THROW(file.Read(&error, 1), CFileException);
    try {
        CFile thrown("no such file.slv", CFile::modeRead);
        FAIL() << "opened a missing file";
    } catch (const CFileException& e) {
        EXPECT_EQ(e.m_cause, CFileException::fileNotFound);
        EXPECT_EQ(e.m_strFileName, "no such file.slv");
    }
}

TEST(File, WritesReadsSeeksAndTruncates)
{
    const std::string path = TempPath();
    ASSERT_FALSE(path.empty());
    {
        CFile file(path.c_str(), CFile::modeCreate | CFile::modeWrite);
        file.Write("0123456789", 10);
        EXPECT_EQ(file.GetLength(), 10u);
        EXPECT_EQ(file.GetPosition(), 10u);
        EXPECT_TRUE(file.GetFileName().Find("fil") == 0);
    }
    {
        CFile file(path.c_str(), CFile::modeReadWrite);
        EXPECT_EQ(file.Seek(-4, CByteStream::end), 6u);
        char tail[8] = {};
        EXPECT_EQ(file.Read(tail, 8), 4u);
        EXPECT_STREQ(tail, "6789");
        file.SetLength(3);
        EXPECT_EQ(file.GetLength(), 3u);
        EXPECT_EQ(file.GetPosition(), 3u);
        CFile moved(std::move(file));
        EXPECT_FALSE(file.IsOpen());
        EXPECT_TRUE(moved.IsOpen());
    }
    {
        // modeCreate alone truncates; with modeNoTruncate it keeps the contents.
        CFile keep(path.c_str(), CFile::modeCreate | CFile::modeNoTruncate | CFile::modeRead);
        EXPECT_EQ(keep.GetLength(), 3u);
    }
    {
        CFile truncate(path.c_str(), CFile::modeCreate | CFile::modeWrite);
        EXPECT_EQ(truncate.GetLength(), 0u);
    }
    EXPECT_TRUE(::DeleteFileA(path.c_str()));
}

TEST(File, ReadOnlyFileRefusesWrites)
{
    const std::string path = TempPath();
    ASSERT_FALSE(path.empty());
    {
        CFile file(path.c_str(), CFile::modeRead);
        EXPECT_THROW(file.Write("x", 1), CFileException);
    }
    EXPECT_TRUE(::DeleteFileA(path.c_str()));
}

}  // namespace
