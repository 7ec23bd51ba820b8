// A label read from a file lands on the papers in use without losing or
// refolding anything.
#include "document/DocumentTestSupport.h"

#include "label/LabelDim.h"
#include "label/LabelRows.h"
#include "printing/LabelTemplateFile.h"

#include <algorithm>

namespace
{
class PaperOnReadTest : public LabelDocumentTest
{
protected:
    void ChooseFlatJewelCase()
    {
        CLabelDim flat = CLabelDim::PlainPaper();
        flat.m_strName = "Flat";
        flat.m_nFolded = 0;
        flat.m_nWidth1 = 4760;
        flat.m_nLeft2 = 1500;
        m_view.m_labelTemplates.push_back(std::make_unique<CLabelDim>(flat));
        m_view.m_nJewelTemplate = static_cast<int>(m_view.m_labelTemplates.size()) - 1;
    }
    std::vector<std::string> ObjectNames() const
    {
        std::vector<std::string> names;
        const CLabelModel& model = m_view.Model();
        for (int row = 0; row < model.RowCount(); row = model.NextObjectRow(row))
            names.emplace_back(static_cast<LPCSTR>(model.Row(row).m_strObjectName));
        return names;
    }
};

TEST_F(PaperOnReadTest, AFoldedLabelReadOnFlatPaperKeepsEveryObject)
{
    NewLayout("Single");
    ASSERT_EQ(m_view.Model().Placement().folded, 1);
    const std::vector<std::string> objects = ObjectNames();
    ASSERT_NE(std::find(objects.begin(), objects.end(), "Front Cover (Inside)"), objects.end());
    const Bytes saved = SaveAs("folded.slv");

    ChooseFlatJewelCase();
    EXPECT_TRUE(Open(PathOf("folded.slv")).empty());
    EXPECT_EQ(ObjectNames(), objects) << "after the read";
    EXPECT_EQ(m_view.Model().Placement().folded, 1) << "a read never refolds the cover";
    EXPECT_EQ(m_view.Model().Placement().geometry.back.left, LabelRows::ReadLength("1.500")) << "laid out on the paper";
    EXPECT_FALSE(m_doc.IsModified());
    EXPECT_EQ(ReadFileBytes(PathOf("folded.slv")), saved) << "the file read is left as it was";

    SaveAs("again.slv");
    EXPECT_TRUE(Open(PathOf("again.slv")).empty());
    EXPECT_EQ(ObjectNames(), objects) << "after saving and reading again";

    // Changing the paper does fold and unfold, and still loses nothing.
    m_view.LayoutPages();
    EXPECT_EQ(m_view.Model().Placement().folded, 0);
    m_view.m_nJewelTemplate = 1;
    m_view.LayoutPages();
    EXPECT_EQ(m_view.Model().Placement().folded, 1);
    EXPECT_EQ(ObjectNames(), objects) << "after choosing the folding paper again";
    EXPECT_TRUE(m_errors.empty());
}

TEST_F(PaperOnReadTest, ANewLayoutTakesThePaperInUse)
{
    ChooseFlatJewelCase();
    NewLayout("Double");
    EXPECT_EQ(m_view.Model().Placement().folded, 0);
    EXPECT_EQ(m_view.Model().Placement().geometry.back.left, LabelRows::ReadLength("1.500"));
    EXPECT_FALSE(m_doc.IsModified());
}
}  // namespace

namespace
{
TEST_F(PaperOnReadTest, TheFirstStartAfterAnUpdateTurnsAnOlderFilesPaperIntoTemplates)
{
    // A version-5 label whose discs sit where no built-in paper puts them.
    NewLayout("Single");
    m_view.ReplacePropertyValue("Disc 1", "Left", "1.000");
    m_view.ReplacePropertyValue("Disc 2", "Top", "6.000");
    m_view.LoadLayoutGeometry();
    SaveAs("old.slv");
    Bytes old = ReadFileBytes(PathOf("old.slv"));
    ASSERT_GT(old.size(), 4u);
    old[4] = 5;
    const Bytes textClass = {0xFF, 0xFF, 6, 0, 5, 0, 'C', 'T', 'e', 'x', 't'};
    auto at = std::search(old.begin(), old.end(), textClass.begin(), textClass.end());
    ASSERT_NE(at, old.end());
    at[2] = 5;
    WriteFileBytes(PathOf("old.slv"), old);

    m_view.m_bLabelPaperChosen = 0;  // "LabelUpdate" was missing at start
    EXPECT_TRUE(Open(PathOf("old.slv")).empty());
    ASSERT_EQ(m_view.m_labelTemplates.size(), 4u);
    const CLabelDim& disc = *m_view.m_labelTemplates[2];
    EXPECT_EQ(std::string(disc.m_strName), "My Current Disc Label");
    EXPECT_EQ(disc.m_nLeft1, LabelRows::ReadLength("1.000"));
    EXPECT_EQ(disc.m_nTop2, LabelRows::ReadLength("6.000"));
    EXPECT_EQ(std::string(m_view.m_labelTemplates[3]->m_strName), "My Current Jewel Case");
    EXPECT_EQ(m_view.m_nDiscTemplate, 2);
    EXPECT_EQ(m_view.m_nJewelTemplate, 3);
    // Laid out on its own converted paper, the label keeps its discs where they were.
    EXPECT_EQ(m_view.Model().Placement().geometry.disc2.top, LabelRows::ReadLength("6.000"));
    EXPECT_EQ(GetNumberSetting("LabelUpdate").value_or(99), 0u);

    // Saved with the store: the next start reads the same four papers.
    const LabelTemplateFile::ReadResult read = LabelTemplateFile(LabelTemplateFile::DefaultPath()).Read();
    ASSERT_EQ(read.status, LabelTemplateFile::ReadStatus::Read);
    EXPECT_EQ(read.list.templates.size(), 4u);
    EXPECT_EQ(read.list.discTemplate, 2);
    EXPECT_TRUE(m_errors.empty());
}
}  // namespace
