#include "framework/Archive.h"
#include "framework/File.h"
#include "label/LabelDim.h"

#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <string>
#include <vector>

namespace
{
std::vector<BYTE> Store(const std::vector<const CLabelDim*>& papers, const char* choices)
{
    CMemFile file;
    {
        CArchive ar(&file, CArchive::store);
        ar.WriteCount(papers.size());
        for (const CLabelDim* paper : papers)
            ar.WriteObject(paper);
        ar.WriteString(choices);
        ar.Close();
    }
    return file.Detach();
}

void ExpectSameFields(const CLabelDim& a, const CLabelDim& b)
{
    EXPECT_EQ(a.m_nType, b.m_nType);
    EXPECT_EQ(std::string(a.m_strName), std::string(b.m_strName));
    const int CLabelDim::*numbers[] = {&CLabelDim::m_nPage1, &CLabelDim::m_nPage2, &CLabelDim::m_nSheetWidth1,
                                       &CLabelDim::m_nSheetHeight1, &CLabelDim::m_nSheetWidth2,
                                       &CLabelDim::m_nSheetHeight2, &CLabelDim::m_nLeft1, &CLabelDim::m_nLeft2,
                                       &CLabelDim::m_nTop1, &CLabelDim::m_nTop2, &CLabelDim::m_nWidth1,
                                       &CLabelDim::m_nWidth2, &CLabelDim::m_nHeight1, &CLabelDim::m_nHeight2,
                                       &CLabelDim::m_nFolded, &CLabelDim::m_nTab};
    for (auto number : numbers)
        EXPECT_EQ(a.*number, b.*number);
    EXPECT_EQ(std::memcmp(a.m_rcReserved, b.m_rcReserved, sizeof a.m_rcReserved), 0);
}

TEST(LabelDimTest, TheBuiltInPapersMakeTheKnownFile)
{
    const CLabelDim generic = CLabelDim::GenericDiscLabels();
    const CLabelDim plain = CLabelDim::PlainPaper();
    const std::vector<BYTE> bytes = Store({&generic, &plain}, "0,1");

    // count 2 + class record 15 + "[Generic]" 174 + class tag 2 + "[Plain Paper]" 178 + "0,1"
    ASSERT_EQ(bytes.size(), 374u);
    const BYTE start[] = {0x02, 0x00, 0xFF, 0xFF, 0x01, 0x00, 0x09, 0x00, 'C', 'L', 'a', 'b', 'e', 'l', 'D', 'i', 'm'};
    EXPECT_EQ(std::memcmp(bytes.data(), start, sizeof start), 0);
    // The first body: the type, then the name with its length byte.
    const BYTE firstBody[] = {0, 0, 0, 0, 9, '[', 'G', 'e', 'n', 'e', 'r', 'i', 'c', ']', 1, 0, 0, 0, 0, 0, 0, 0,
                              0x34, 0x21, 0, 0, 0xF8, 0x2A, 0, 0};  // pages 1, 0; 8500 x 11000
    EXPECT_EQ(std::memcmp(bytes.data() + 17, firstBody, sizeof firstBody), 0);
    // The second record refers to the class by its tag.
    EXPECT_EQ(bytes[17 + 174], 0x01);
    EXPECT_EQ(bytes[17 + 174 + 1], 0x80);
    EXPECT_EQ(std::string(bytes.end() - 3, bytes.end()), "0,1");
}

TEST(LabelDimTest, EveryFieldReadsBackUnchanged)
{
    CLabelDim paper = CLabelDim::PlainPaper();
    paper.m_strName = CString('n', 300);  // long enough for the 16-bit length form
    paper.m_nPage2 = 2;
    paper.m_nSheetWidth2 = -1;
    for (int i = 0; i < 6; ++i)
        paper.m_rcReserved[i] = RECT{i, -i, 1000 * i, -1000 * i};

    std::vector<BYTE> bytes = Store({&paper}, "");
    EXPECT_EQ(bytes[15 + 2 + 4], 0xFF);  // the name's long-length marker after the type
    CMemFile file(std::move(bytes));
    CArchive ar(&file, CArchive::load);
    ASSERT_EQ(ar.ReadCount(), 1u);
    std::unique_ptr<CObject> object = ar.ReadNewObject(RUNTIME_CLASS(CLabelDim));
    const auto* read = dynamic_cast<const CLabelDim*>(object.get());
    ASSERT_NE(read, nullptr);
    ExpectSameFields(*read, paper);
}

TEST(LabelDimTest, ACopyHasEveryField)
{
    CLabelDim paper = CLabelDim::GenericDiscLabels();
    paper.m_rcReserved[5] = RECT{1, 2, 3, 4};
    const CLabelDim copy(paper);
    ExpectSameFields(copy, paper);
    CLabelDim assigned;
    assigned = paper;
    ExpectSameFields(assigned, paper);
}
}  // namespace
