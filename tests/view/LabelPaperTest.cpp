#include "ViewTestSupport.h"

#include "framework/Archive.h"
#include "framework/File.h"
#include "label/LabelDim.h"

#include <string>
#include <vector>

namespace
{
class LabelPaperTest : public ViewWithScratchSettings
{
protected:
    std::string TemplateFile() const { return m_folder + "labels.ini"; }

    // Writes a template file the way the program does: the list, then the choices as text.
    void WriteTemplateFile(const std::vector<CLabelDim>& papers, const char* choices) const
    {
        CFile file;
        ASSERT_TRUE(file.Open(TemplateFile().c_str(), CFile::modeCreate | CFile::modeWrite));
        CArchive ar(&file, CArchive::store);
        ar.WriteCount(papers.size());
        for (const CLabelDim& paper : papers)
            ar.WriteObject(&paper);
        ar.WriteString(choices);
        ar.Close();
    }

    std::vector<BYTE> ReadFileBytes() const
    {
        CFile file;
        EXPECT_TRUE(file.Open(TemplateFile().c_str(), CFile::modeRead));
        std::vector<BYTE> bytes(static_cast<size_t>(file.GetLength()));
        if (!bytes.empty())
            file.Read(bytes.data(), static_cast<UINT>(bytes.size()));
        return bytes;
    }

    void WriteFileBytes(const std::vector<BYTE>& bytes) const
    {
        CFile file;
        ASSERT_TRUE(file.Open(TemplateFile().c_str(), CFile::modeCreate | CFile::modeWrite));
        if (!bytes.empty())
            file.Write(bytes.data(), static_cast<UINT>(bytes.size()));
    }

    static CLabelDim Paper(int type, const char* name, int left1)
    {
        CLabelDim paper = type == 0 ? CLabelDim::GenericDiscLabels() : CLabelDim::PlainPaper();
        paper.m_strName = name;
        paper.m_nLeft1 = left1;
        return paper;
    }

    void ExpectBuiltIns() const
    {
        ASSERT_EQ(m_view.m_labelTemplates.size(), 2u);
        EXPECT_EQ(std::string(m_view.m_labelTemplates[0]->m_strName), "[Generic]");
        EXPECT_EQ(std::string(m_view.m_labelTemplates[1]->m_strName), "[Plain Paper]");
        EXPECT_EQ(m_view.m_nDiscTemplate, 0);
        EXPECT_EQ(m_view.m_nJewelTemplate, 1);
    }
};

TEST_F(LabelPaperTest, WithoutATemplateFileTheTwoBuiltInPapersAreUsed)
{
    m_view.LoadSettings();
    EXPECT_TRUE(m_errors.empty());
    ExpectBuiltIns();
    // The missing file is made at once, so the next start reads the same papers.
    const std::vector<BYTE> made = ReadFileBytes();
    ASSERT_EQ(made.size(), 374u);
    EXPECT_EQ(std::string(made.end() - 3, made.end()), "0,1");

    const CLabelDim& disc = *m_view.m_labelTemplates[0];
    EXPECT_EQ(disc.m_nType, 0);
    EXPECT_EQ(disc.m_nPage1, 1);
    EXPECT_EQ(disc.m_nPage2, 0);
    EXPECT_EQ(disc.m_nSheetWidth1, 8500);
    EXPECT_EQ(disc.m_nSheetHeight1, 11000);
    EXPECT_EQ(disc.m_nSheetWidth2, 0);
    EXPECT_EQ(disc.m_nSheetHeight2, 0);
    EXPECT_EQ(disc.m_nLeft1, 1938);
    EXPECT_EQ(disc.m_nTop1, 688);
    EXPECT_EQ(disc.m_nLeft2, 1938);
    EXPECT_EQ(disc.m_nTop2, 5688);
    EXPECT_EQ(disc.m_nWidth1, 4625);
    EXPECT_EQ(disc.m_nWidth2, 4625);
    EXPECT_EQ(disc.m_nHeight1, 1600);
    EXPECT_EQ(disc.m_nHeight2, 1600);
    EXPECT_EQ(disc.m_nFolded, 0);
    EXPECT_EQ(disc.m_nTab, 0);

    const CLabelDim& jewel = *m_view.m_labelTemplates[1];
    EXPECT_EQ(jewel.m_nType, 1);
    EXPECT_EQ(jewel.m_nPage1, 2);
    EXPECT_EQ(jewel.m_nPage2, 3);
    EXPECT_EQ(disc.m_nSheetWidth1, 8500);
    EXPECT_EQ(disc.m_nSheetHeight1, 11000);
    EXPECT_EQ(jewel.m_nSheetWidth1, 11000);
    EXPECT_EQ(jewel.m_nSheetHeight1, 8500);
    EXPECT_EQ(jewel.m_nSheetWidth2, 8500);
    EXPECT_EQ(jewel.m_nSheetHeight2, 11000);
    EXPECT_EQ(jewel.m_nSheetWidth1, 11000);
    EXPECT_EQ(jewel.m_nSheetHeight1, 8500);
    EXPECT_EQ(jewel.m_nSheetWidth2, 8500);
    EXPECT_EQ(jewel.m_nSheetHeight2, 11000);
    EXPECT_EQ(jewel.m_nLeft1, 800);
    EXPECT_EQ(jewel.m_nTop1, 800);
    EXPECT_EQ(jewel.m_nWidth1, 9520);
    EXPECT_EQ(jewel.m_nHeight1, 4760);
    EXPECT_EQ(jewel.m_nLeft2, 1300);
    EXPECT_EQ(jewel.m_nTop2, 600);
    EXPECT_EQ(jewel.m_nWidth2, 5910);
    EXPECT_EQ(jewel.m_nHeight2, 4650);
    EXPECT_EQ(jewel.m_nFolded, 1);
    EXPECT_EQ(jewel.m_nTab, 250);

    for (const auto& paper : m_view.m_labelTemplates)
        for (const RECT& rect : paper->m_rcReserved)
            EXPECT_TRUE(rect.left == 0 && rect.top == 0 && rect.right == 0 && rect.bottom == 0);
}

TEST_F(LabelPaperTest, ATemplateFileIsReadWithItsChoices)
{
    WriteTemplateFile({Paper(0, "Disc A", 1), Paper(1, "Case A", 2), Paper(0, "Disc B", 3), Paper(1, "Case B", 4)},
                      "2,3");
    m_view.LoadLabelTemplates();
    EXPECT_TRUE(m_errors.empty());
    ASSERT_EQ(m_view.m_labelTemplates.size(), 4u);
    const char* names[] = {"Disc A", "Case A", "Disc B", "Case B"};
    for (int i = 0; i < 4; ++i)
    {
        EXPECT_EQ(std::string(m_view.m_labelTemplates[i]->m_strName), names[i]);
        EXPECT_EQ(m_view.m_labelTemplates[i]->m_nLeft1, i + 1);
    }
    EXPECT_EQ(m_view.m_nDiscTemplate, 2);
    EXPECT_EQ(m_view.m_nJewelTemplate, 3);
}

TEST_F(LabelPaperTest, ChoicesThatNameNoPaperOfTheirKindTakeTheFirstOfThatKind)
{
    const struct
    {
        const char* choices;
        int disc;
        int jewel;
    } cases[] = {
        {"1,0", 0, 1},    // each names a paper of the other kind
        {"9,-3", 0, 1},   // outside the list
        {"", 0, 1},       // no choice text at all
        {"abc", 0, 1},
        {"2", 2, 1},      // no jewel-case choice
        {"2,3", 2, 3},
    };
    for (const auto& c : cases)
    {
        WriteTemplateFile({Paper(0, "Disc A", 1), Paper(1, "Case A", 2), Paper(0, "Disc B", 3), Paper(1, "Case B", 4)},
                          c.choices);
        m_view.LoadLabelTemplates();
        EXPECT_EQ(m_view.m_labelTemplates.size(), 4u) << c.choices;
        EXPECT_EQ(m_view.m_nDiscTemplate, c.disc) << '"' << c.choices << '"';
        EXPECT_EQ(m_view.m_nJewelTemplate, c.jewel) << '"' << c.choices << '"';
    }
    EXPECT_TRUE(m_errors.empty());
}

TEST_F(LabelPaperTest, AListWithoutAPaperOfOneKindGetsTheBuiltInOne)
{
    WriteTemplateFile({Paper(1, "Case A", 2)}, "0,0");
    m_view.LoadLabelTemplates();
    ASSERT_EQ(m_view.m_labelTemplates.size(), 2u);
    EXPECT_EQ(m_view.m_nJewelTemplate, 0);
    EXPECT_EQ(m_view.m_nDiscTemplate, 1);
    EXPECT_EQ(std::string(m_view.m_labelTemplates[1]->m_strName), "[Generic]");
}

TEST_F(LabelPaperTest, ADamagedFileIsReportedAndTheBuiltInPapersAreUsed)
{
    WriteTemplateFile({Paper(0, "Disc A", 1), Paper(1, "Case A", 2)}, "0,1");
    const std::vector<BYTE> intact = ReadFileBytes();
    ASSERT_GT(intact.size(), 40u);

    std::vector<std::vector<BYTE>> damaged;
    damaged.push_back(std::vector<BYTE>(intact.begin(), intact.begin() + 40));   // cut inside a record
    damaged.push_back(std::vector<BYTE>(intact.begin(), intact.begin() + 1));    // cut inside the count
    std::vector<BYTE> badClass = intact;
    badClass[8] = 'X';  // "XLabelDim": no such class
    damaged.push_back(badClass);
    std::vector<BYTE> hugeCount = intact;
    hugeCount[0] = 0xFE;  // 254 records announced, two present
    damaged.push_back(hugeCount);
    // One record announced, and it is an empty entry (then enough text to pass the count check).
    std::vector<BYTE> nullEntry = {1, 0, 0, 0};
    nullEntry.insert(nullEntry.end(), 200, '5');
    damaged.push_back(nullEntry);

    for (size_t i = 0; i < damaged.size(); ++i)
    {
        SCOPED_TRACE(i);
        m_errors.clear();
        WriteFileBytes(damaged[i]);
        m_view.LoadLabelTemplates();
        ASSERT_EQ(m_errors.size(), 1u);
        EXPECT_EQ(m_errors[0], 557);
        ExpectBuiltIns();
        EXPECT_EQ(ReadFileBytes(), damaged[i]) << "a damaged file stays until the user saves a change";
    }

    // The user's first saved change replaces it.
    m_view.m_nJewelTemplate = 1;
    EXPECT_TRUE(m_view.SaveLabelTemplates());
    EXPECT_EQ(ReadFileBytes().size(), 374u);
}

TEST_F(LabelPaperTest, ChoicesMendedInMemoryAreNotWrittenBack)
{
    WriteTemplateFile({Paper(0, "Disc A", 1), Paper(1, "Case A", 2)}, "1,0");
    const std::vector<BYTE> before = ReadFileBytes();
    m_view.LoadLabelTemplates();
    EXPECT_EQ(m_view.m_nDiscTemplate, 0);
    EXPECT_EQ(m_view.m_nJewelTemplate, 1);
    EXPECT_EQ(ReadFileBytes(), before);
}

TEST_F(LabelPaperTest, AnOlderDocumentsGeometryBecomesTwoTemplatesOfTheUsersOwn)
{
    SetString("Front", "1");
    SetString("Jewel Type", "2");
    SetNumber("ResetDefault2", 1);
    SetString("Units", "Inches");
    m_view.LoadLabelTemplates();
    m_view.CreateSurfaceProperties();
    m_view.LoadLayoutGeometry();
    const SurfacePlacement placement = m_view.Model().Placement();

    m_view.ResetDefaultTemplates();
    EXPECT_TRUE(m_errors.empty());
    EXPECT_FALSE(ValueExists("Front"));
    EXPECT_FALSE(ValueExists("Jewel Type"));
    EXPECT_FALSE(ValueExists("ResetDefault2"));
    EXPECT_TRUE(ValueExists("Units")) << "other settings stay";

    ASSERT_EQ(m_view.m_labelTemplates.size(), 4u);
    EXPECT_EQ(m_view.m_nDiscTemplate, 2);
    EXPECT_EQ(m_view.m_nJewelTemplate, 3);
    const CLabelDim& disc = *m_view.m_labelTemplates[2];
    const CLabelDim& jewel = *m_view.m_labelTemplates[3];
    EXPECT_EQ(std::string(disc.m_strName), "My Current Disc Label");
    EXPECT_EQ(std::string(jewel.m_strName), "My Current Jewel Case");
    EXPECT_EQ(disc.m_nType, 0);
    EXPECT_EQ(jewel.m_nType, 1);
    EXPECT_EQ(disc.m_nLeft1, placement.geometry.disc1.left);
    EXPECT_EQ(disc.m_nTop2, placement.geometry.disc2.top);
    EXPECT_EQ(disc.m_nWidth1, placement.geometry.disc1.outerDiameter);
    EXPECT_EQ(disc.m_nHeight2, placement.geometry.disc2.innerDiameter);
    EXPECT_EQ(jewel.m_nWidth1, placement.geometry.front.width);
    EXPECT_EQ(jewel.m_nTab, placement.geometry.back.tab);
    EXPECT_EQ(jewel.m_nFolded, placement.folded);
    EXPECT_EQ(jewel.m_nPage2, 3);
    EXPECT_EQ(disc.m_nSheetWidth1, 8500);
    EXPECT_EQ(disc.m_nSheetHeight1, 11000);
    EXPECT_EQ(jewel.m_nSheetWidth1, 11000);
    EXPECT_EQ(jewel.m_nSheetHeight1, 8500);
    EXPECT_EQ(jewel.m_nSheetWidth2, 8500);
    EXPECT_EQ(jewel.m_nSheetHeight2, 11000);

    // Saved: a restart reads the four papers and the new choices.
    CQuorbel6View restarted;
    restarted.AttachAppSettings(&m_app);
    restarted.LoadLabelTemplates();
    ASSERT_EQ(restarted.m_labelTemplates.size(), 4u);
    EXPECT_EQ(restarted.m_nDiscTemplate, 2);
    EXPECT_EQ(restarted.m_nJewelTemplate, 3);
}

TEST_F(LabelPaperTest, AnEmptyFileHoldsNoPapers)
{
    WriteFileBytes({});
    m_view.LoadLabelTemplates();
    // Nothing to read is damage too; the program still gets papers of both kinds.
    ASSERT_EQ(m_errors.size(), 1u);
    EXPECT_EQ(m_errors[0], 557);
    ExpectBuiltIns();
}
}  // namespace
