#include "printing/LabelTemplateFile.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <cstring>
#include <string>
#include <vector>

namespace
{
// The byte form written out by hand, independent of the archive code.
class ByteForm
{
public:
    ByteForm& Word(unsigned value)
    {
        m_bytes.push_back(static_cast<BYTE>(value & 0xFF));
        m_bytes.push_back(static_cast<BYTE>((value >> 8) & 0xFF));
        return *this;
    }
    ByteForm& Int(int value)
    {
        const unsigned u = static_cast<unsigned>(value);
        Word(u & 0xFFFF);
        return Word(u >> 16);
    }
    ByteForm& Chars(const std::string& text)
    {
        m_bytes.insert(m_bytes.end(), text.begin(), text.end());
        return *this;
    }
    // The archive's string: a length byte, or 0xFF and a 16-bit length, or 0xFF 0xFFFF and 32 bits.
    ByteForm& String(const std::string& text)
    {
        if (text.size() < 255)
            m_bytes.push_back(static_cast<BYTE>(text.size()));
        else if (text.size() < 0xFFFE)
            m_bytes.push_back(0xFF), Word(static_cast<unsigned>(text.size()));
        else
            m_bytes.push_back(0xFF), Word(0xFFFF), Int(static_cast<int>(text.size()));
        return Chars(text);
    }
    ByteForm& Count(unsigned count)
    {
        if (count < 0xFFFF)
            return Word(count);
        return Word(0xFFFF).Int(static_cast<int>(count));
    }
    ByteForm& ClassRecord() { return Word(0xFFFF).Word(1).Word(9).Chars("CLabelDim"); }
    ByteForm& ClassTag() { return Word(0x8001); }
    ByteForm& Body(int type, const std::string& name, const std::vector<int>& numbers, int reservedBase = 0)
    {
        Int(type).String(name);
        EXPECT_EQ(numbers.size(), 16u);
        for (int n : numbers)
            Int(n);
        for (int i = 0; i < 24; ++i)
            Int(reservedBase == 0 ? 0 : reservedBase + i);
        return *this;
    }
    const std::vector<BYTE>& Bytes() const { return m_bytes; }

private:
    std::vector<BYTE> m_bytes;
};

const std::vector<int> kGenericNumbers = {1, 0, 8500, 11000, 0, 0, 1938, 1938, 688, 5688, 4625, 4625, 1600, 1600, 0, 0};
const std::vector<int> kPlainNumbers = {2, 3, 11000, 8500, 8500, 11000, 800, 1300, 800, 600, 9520, 5910, 4760, 4650, 1, 250};

std::vector<BYTE> BuiltInFileByHand()
{
    ByteForm form;
    form.Count(2).ClassRecord().Body(0, "[Generic]", kGenericNumbers);
    form.ClassTag().Body(1, "[Plain Paper]", kPlainNumbers);
    form.Chars("0,1");
    return form.Bytes();
}

LabelTemplateFile::ReadResult FromBytes(const std::vector<BYTE>& bytes)
{
    return LabelTemplateFile::FromBytes(bytes.data(), bytes.size());
}

std::vector<int> NumbersOf(const CLabelDim& paper)
{
    return {paper.m_nPage1,  paper.m_nPage2,  paper.m_nSheetWidth1, paper.m_nSheetHeight1, paper.m_nSheetWidth2,
            paper.m_nSheetHeight2, paper.m_nLeft1, paper.m_nLeft2, paper.m_nTop1, paper.m_nTop2,
            paper.m_nWidth1, paper.m_nWidth2, paper.m_nHeight1, paper.m_nHeight2, paper.m_nFolded, paper.m_nTab};
}

TEST(LabelTemplateFileTest, TheBuiltInPapersWriteTheKnownBytes)
{
    const std::vector<BYTE> bytes = LabelTemplateFile::ToBytes(LabelTemplateList::BuiltIns());
    ASSERT_EQ(bytes.size(), 374u);
    const BYTE start[] = {0x02, 0x00, 0xFF, 0xFF, 0x01, 0x00, 0x09, 0x00};
    EXPECT_EQ(std::memcmp(bytes.data(), start, sizeof start), 0);
    EXPECT_EQ(std::string(bytes.begin() + 8, bytes.begin() + 17), "CLabelDim");
    EXPECT_EQ(std::string(bytes.end() - 3, bytes.end()), "0,1");
    EXPECT_EQ(bytes, BuiltInFileByHand());
}

TEST(LabelTemplateFileTest, AFileWrittenByHandReadsAndWritesBackIdentically)
{
    // A custom template with a name too long for the length byte, reserved
    // rectangles that are not empty, and more templates than the 16-bit count holds.
    const std::string longName(300, 'L');
    const std::vector<int> custom = {2, 2, 8268, 11693, 8268, 11693, 1870, 1300, 600, 5750, 4760, 5910, 4760, 4650, 0, 250};
    const unsigned count = 0x10001;
    ByteForm form;
    form.Count(count).ClassRecord().Body(1, longName, custom, 7);
    for (unsigned i = 1; i < count; ++i)
        form.ClassTag().Body(static_cast<int>(i % 2), "Paper " + std::to_string(i), kGenericNumbers);
    form.Chars("65536,65535");
    const std::vector<BYTE>& bytes = form.Bytes();
    ASSERT_EQ(bytes[0], 0xFF);
    ASSERT_EQ(bytes[1], 0xFF);

    const LabelTemplateFile::ReadResult read = FromBytes(bytes);
    ASSERT_EQ(read.status, LabelTemplateFile::ReadStatus::Read) << read.problem;
    ASSERT_EQ(read.list.templates.size(), count);
    const CLabelDim& first = *read.list.templates[0];
    EXPECT_EQ(first.m_nType, 1);
    EXPECT_EQ(std::string(first.m_strName), longName);
    EXPECT_EQ(NumbersOf(first), custom);
    EXPECT_EQ(first.m_rcReserved[0].left, 7);
    EXPECT_EQ(first.m_rcReserved[5].bottom, 7 + 23);
    EXPECT_EQ(std::string(read.list.templates[count - 1]->m_strName), "Paper " + std::to_string(count - 1));
    EXPECT_EQ(read.list.discTemplate, 65536);
    EXPECT_EQ(read.list.jewelTemplate, 65535);

    EXPECT_EQ(LabelTemplateFile::ToBytes(read.list), bytes);
}

TEST(LabelTemplateFileTest, TheChoiceTextIsReadAsItStands)
{
    const struct
    {
        const char* text;
        int disc;
        int jewel;
    } cases[] = {
        {"0,1", 0, 1}, {"", 0, 0}, {"1", 1, 0}, {"x,1", 0, 1}, {" 1, 0", 1, 0}, {"7,-2", 7, -2}, {"1,0\r\nrest", 1, 0},
    };
    for (const auto& c : cases)
    {
        ByteForm form;
        form.Count(2).ClassRecord().Body(0, "[Generic]", kGenericNumbers);
        form.ClassTag().Body(1, "[Plain Paper]", kPlainNumbers);
        form.Chars(c.text);
        const LabelTemplateFile::ReadResult read = FromBytes(form.Bytes());
        ASSERT_EQ(read.status, LabelTemplateFile::ReadStatus::Read) << c.text;
        EXPECT_EQ(read.list.discTemplate, c.disc) << c.text;
        EXPECT_EQ(read.list.jewelTemplate, c.jewel) << c.text;
    }
}

TEST(LabelTemplateFileTest, ACutFileIsDamagedUntilOnlyTheChoicesAreMissing)
{
    const std::vector<BYTE> whole = BuiltInFileByHand();
    const size_t listEnd = whole.size() - 3;
    for (size_t length = 0; length < whole.size(); ++length)
    {
        const LabelTemplateFile::ReadResult read = LabelTemplateFile::FromBytes(whole.data(), length);
        if (length < listEnd)
        {
            EXPECT_EQ(read.status, LabelTemplateFile::ReadStatus::Damaged) << length;
            EXPECT_TRUE(read.list.templates.empty()) << length;
            EXPECT_FALSE(read.problem.empty()) << length;
        }
        else
        {
            EXPECT_EQ(read.status, LabelTemplateFile::ReadStatus::Read) << length;
            EXPECT_EQ(read.list.templates.size(), 2u) << length;
        }
    }
}

TEST(LabelTemplateFileTest, DamagedFilesOfEveryKindAreReportedAsDamaged)
{
    const std::vector<BYTE> whole = BuiltInFileByHand();
    std::vector<std::pair<const char*, std::vector<BYTE>>> cases;

    std::vector<BYTE> wrongClass = whole;
    wrongClass[8] = 'X';  // "XLabelDim"
    cases.push_back({"unknown class", wrongClass});

    std::vector<BYTE> bigCount = whole;
    bigCount[0] = 0x30;  // 48 templates announced, two present
    cases.push_back({"count beyond the file", bigCount});

    ByteForm hugeCount;
    hugeCount.Count(0x7FFFFFFF).ClassRecord().Body(0, "[Generic]", kGenericNumbers);
    cases.push_back({"32-bit count beyond the file", hugeCount.Bytes()});

    std::vector<BYTE> longString = whole;
    longString[17 + 4] = 0xFF;  // the name's length: the 16-bit form follows...
    longString[17 + 5] = 0xF0;
    longString[17 + 6] = 0xFF;  // ...and runs far past the end
    cases.push_back({"string past the end", longString});

    ByteForm nullEntry;
    nullEntry.Count(1).Word(0).Chars(std::string(200, '5'));
    cases.push_back({"empty entry", nullEntry.Bytes()});

    ByteForm backReference;  // the second entry names the first record again
    backReference.Count(2).ClassRecord().Body(0, "[Generic]", kGenericNumbers).Word(2).Chars(std::string(200, '0'));
    cases.push_back({"shared record", backReference.Bytes()});

    std::vector<BYTE> badTag = whole;
    badTag[2 + 15 + 174] = 0x05;  // the second record's tag points nowhere
    cases.push_back({"bad tag", badTag});

    for (const auto& c : cases)
    {
        const LabelTemplateFile::ReadResult read = FromBytes(c.second);
        EXPECT_EQ(read.status, LabelTemplateFile::ReadStatus::Damaged) << c.first;
        EXPECT_TRUE(read.list.templates.empty()) << c.first;
    }
}

TEST(LabelTemplateFileTest, OverwrittenBytesNeverCrashTheReader)
{
    const std::vector<BYTE> whole = BuiltInFileByHand();
    for (size_t at = 0; at < whole.size(); ++at)
    {
        for (BYTE value : {BYTE{0x00}, BYTE{0x7F}, BYTE{0x80}, BYTE{0xFF}})
        {
            std::vector<BYTE> bytes = whole;
            bytes[at] = value;
            const LabelTemplateFile::ReadResult read = FromBytes(bytes);
            if (read.status == LabelTemplateFile::ReadStatus::Read)
            {
                for (const auto& paper : read.list.templates)
                    EXPECT_NE(paper, nullptr);
            }
            else
            {
                EXPECT_EQ(read.status, LabelTemplateFile::ReadStatus::Damaged);
                EXPECT_TRUE(read.list.templates.empty());
            }
        }
    }
}

TEST(LabelTemplateFileTest, ChoicesAreMadeToNameAPaperOfTheirKind)
{
    const struct
    {
        std::vector<int> kinds;
        int disc, jewel;
        int wantDisc, wantJewel;
        size_t wantSize;
        bool changed;
    } cases[] = {
        {{0, 1, 0, 1}, 2, 3, 2, 3, 4, false},
        {{0, 1, 0, 1}, 1, 0, 0, 1, 4, true},   // each names the other kind
        {{0, 1, 0, 1}, 9, -3, 0, 1, 4, true},  // outside the list
        {{1, 0}, 0, 0, 1, 0, 2, true},
        {{1}, 0, 0, 1, 0, 2, true},           // no disc paper: the built-in one is added
        {{0}, 0, 0, 0, 1, 2, true},
        {{}, 0, 0, 0, 1, 2, true},
    };
    for (const auto& c : cases)
    {
        LabelTemplateList list;
        for (int kind : c.kinds)
            list.templates.push_back(std::make_unique<CLabelDim>(kind == 0 ? CLabelDim::GenericDiscLabels()
                                                                           : CLabelDim::PlainPaper()));
        list.discTemplate = c.disc;
        list.jewelTemplate = c.jewel;
        EXPECT_EQ(ValidateTemplateChoices(list), c.changed);
        EXPECT_EQ(list.templates.size(), c.wantSize);
        EXPECT_EQ(list.discTemplate, c.wantDisc);
        EXPECT_EQ(list.jewelTemplate, c.wantJewel);
        EXPECT_EQ(list.templates[static_cast<size_t>(list.discTemplate)]->m_nType, 0);
        EXPECT_EQ(list.templates[static_cast<size_t>(list.jewelTemplate)]->m_nType, 1);
    }
}

class LabelTemplateFileOnDisk : public ::testing::Test
{
protected:
    void SetUp() override
    {
        char temp[MAX_PATH] = {};
        ::GetTempPathA(MAX_PATH, temp);
        m_folder = std::string(temp) + "SleevoryPaperTest_" + std::to_string(::GetCurrentProcessId()) + "\\";
        ::CreateDirectoryA(m_folder.c_str(), nullptr);
        m_path = m_folder + "labels.ini";
    }
    void TearDown() override
    {
        ::DeleteFileA(m_path.c_str());
        ::RemoveDirectoryA(m_folder.c_str());
    }
    std::vector<BYTE> FileBytes() const
    {
        CFile file;
        EXPECT_TRUE(file.Open(m_path.c_str(), CFile::modeRead));
        std::vector<BYTE> bytes(static_cast<size_t>(file.GetLength()));
        if (!bytes.empty())
            file.Read(bytes.data(), static_cast<UINT>(bytes.size()));
        return bytes;
    }
    std::string m_folder;
    std::string m_path;
};

TEST_F(LabelTemplateFileOnDisk, WriteThenReadGivesTheSameList)
{
    const LabelTemplateFile file(m_path.c_str());
    EXPECT_EQ(file.Read().status, LabelTemplateFile::ReadStatus::Missing);

    LabelTemplateList list = LabelTemplateList::BuiltIns();
    CLabelDim custom = CLabelDim::PlainPaper();
    custom.m_strName = "Custom Jewel Case 1";
    custom.m_nPage2 = 2;  // both covers on sheet 1; sheet 2 keeps its size all the same
    custom.m_nSheetWidth2 = 1234;
    list.templates.push_back(std::make_unique<CLabelDim>(custom));
    list.jewelTemplate = 2;
    ASSERT_EQ(file.Write(list), LabelTemplateFile::WriteStatus::Written);

    const LabelTemplateFile::ReadResult read = file.Read();
    ASSERT_EQ(read.status, LabelTemplateFile::ReadStatus::Read);
    ASSERT_EQ(read.list.templates.size(), 3u);
    for (size_t i = 0; i < 3; ++i)
    {
        EXPECT_EQ(read.list.templates[i]->m_nType, list.templates[i]->m_nType);
        EXPECT_EQ(std::string(read.list.templates[i]->m_strName), std::string(list.templates[i]->m_strName));
        EXPECT_EQ(NumbersOf(*read.list.templates[i]), NumbersOf(*list.templates[i]));
    }
    EXPECT_EQ(read.list.discTemplate, 0);
    EXPECT_EQ(read.list.jewelTemplate, 2);
    EXPECT_EQ(FileBytes(), LabelTemplateFile::ToBytes(list));

    // A shorter list truncates what was there.
    ASSERT_EQ(file.Write(LabelTemplateList::BuiltIns()), LabelTemplateFile::WriteStatus::Written);
    EXPECT_EQ(FileBytes(), BuiltInFileByHand());
}

TEST_F(LabelTemplateFileOnDisk, AFileThatCannotBeCreatedIsSaidSo)
{
    const LabelTemplateFile file((m_folder + "no such folder\\labels.ini").c_str());
    EXPECT_EQ(file.Write(LabelTemplateList::BuiltIns()), LabelTemplateFile::WriteStatus::CannotCreate);
}
}  // namespace
