// A label read from a file lands on the papers in use without losing or
// refolding anything.
#include "document/DocumentTestSupport.h"

#include "label/LabelDim.h"
#include "label/LabelRows.h"

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
