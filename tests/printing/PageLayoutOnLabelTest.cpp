// The chosen papers laid out on a whole label: every surface lands where the
// template says, and no object is lost on the way.
#include "view/ViewTestSupport.h"

#include "label/LabelDim.h"
#include "label/LabelRows.h"

#include <string>

namespace
{
// A length as the layout holds it after a trip through its row text
// ("1.300" reads back as 1299).
int Stored(int thousandths)
{
    return LabelRows::ReadLength(LabelRows::SurfaceLengthText(thousandths));
}

class PageLayoutOnLabelTest : public ViewWithScratchSettings
{
protected:
    void MakeLabel(const char* layout)
    {
        m_view.LoadLabelTemplates();
        m_view.Model().Shown().layout = layout;
        m_view.CreateSurfaceProperties();
        m_view.LoadLayoutGeometry();
    }

    // Makes the papers the ones in use.
    void Choose(const CLabelDim& disc, const CLabelDim& jewel)
    {
        m_view.m_labelTemplates.push_back(std::make_unique<CLabelDim>(disc));
        m_view.m_nDiscTemplate = static_cast<int>(m_view.m_labelTemplates.size()) - 1;
        m_view.m_labelTemplates.push_back(std::make_unique<CLabelDim>(jewel));
        m_view.m_nJewelTemplate = static_cast<int>(m_view.m_labelTemplates.size()) - 1;
    }

    std::string Value(const char* object, const char* key) const
    {
        return std::string(static_cast<LPCSTR>(m_view.Model().GetPropertyValue(object, key)));
    }

    static CLabelDim FlatOnePage()
    {
        CLabelDim paper = CLabelDim::PlainPaper();
        paper.m_strName = "Flat";
        paper.m_nPage2 = 2;
        paper.m_nSheetWidth1 = 8500;
        paper.m_nSheetHeight1 = 11000;
        paper.m_nFolded = 0;
        paper.m_nLeft1 = 1870;
        paper.m_nTop1 = 600;
        paper.m_nWidth1 = 4760;
        paper.m_nTop2 = 5750;
        return paper;
    }

    static CLabelDim SmallDiscs()
    {
        CLabelDim paper = CLabelDim::GenericDiscLabels();
        paper.m_strName = "Small";
        paper.m_nLeft1 = 1000;
        paper.m_nTop1 = 500;
        paper.m_nLeft2 = 3000;
        paper.m_nTop2 = 6000;
        paper.m_nWidth1 = 4500;
        paper.m_nWidth2 = 4400;
        paper.m_nHeight1 = 1500;
        paper.m_nHeight2 = 1400;
        return paper;
    }
};

TEST_F(PageLayoutOnLabelTest, EverySurfaceLandsWhereThePaperSays)
{
    const struct
    {
        const char* layout;
        bool flatJewel;
        bool smallDiscs;
    } cases[] = {
        {"Single", false, false}, {"Single", true, true}, {"Double", true, false}, {"Double", false, true},
    };
    for (const auto& c : cases)
    {
        SCOPED_TRACE(std::string(c.layout) + (c.flatJewel ? " flat" : " folded") + (c.smallDiscs ? " small" : ""));
        m_view.m_labelTemplates.clear();
        MakeLabel(c.layout);
        const int rowsBefore = m_view.Model().RowCount();
        const CLabelDim jewel = c.flatJewel ? FlatOnePage() : CLabelDim::PlainPaper();
        const CLabelDim disc = c.smallDiscs ? SmallDiscs() : CLabelDim::GenericDiscLabels();
        Choose(disc, jewel);

        m_view.LayoutPages();
        EXPECT_TRUE(m_errors.empty());
        const SurfacePlacement& p = m_view.Model().Placement();
        const SurfaceGeometry& g = p.geometry;
        EXPECT_EQ(g.front.left, Stored(jewel.m_nLeft1));
        EXPECT_EQ(g.front.top, Stored(jewel.m_nTop1));
        EXPECT_EQ(p.folded, jewel.m_nFolded);
        // The new label's cover was folded, 9520 wide; unfolding halves it.
        EXPECT_EQ(g.front.width, jewel.m_nFolded ? Stored(9520) : Stored(9520) / 2);
        EXPECT_EQ(std::string(p.frontCoverPage), "2");
        EXPECT_EQ(g.back.left, Stored(jewel.m_nLeft2));
        EXPECT_EQ(g.back.top, Stored(jewel.m_nTop2));
        EXPECT_EQ(std::string(p.backCoverPage), std::to_string(jewel.m_nPage2));
        EXPECT_EQ(g.disc1.left, Stored(disc.m_nLeft1));
        EXPECT_EQ(g.disc1.top, Stored(disc.m_nTop1));
        EXPECT_EQ(g.disc1.outerDiameter, Stored(disc.m_nWidth1));
        EXPECT_EQ(g.disc1.innerDiameter, Stored(disc.m_nHeight1));
        EXPECT_EQ(g.disc2.left, Stored(disc.m_nLeft2));
        EXPECT_EQ(g.disc2.top, Stored(disc.m_nTop2));
        EXPECT_EQ(g.disc2.outerDiameter, Stored(disc.m_nWidth2));
        EXPECT_EQ(g.disc2.innerDiameter, Stored(disc.m_nHeight2));
        EXPECT_EQ(Value("Page 2", "Orientation"), c.flatJewel ? "Portrait" : "Landscape");
        EXPECT_EQ(Value("Page 2", "Width"), c.flatJewel ? "8.500" : "11.000");
        EXPECT_EQ(Value("Page 3", "Height"), "11.000");
        EXPECT_EQ(Value("Page 1", "Orientation"), "Portrait");
        // Unfolding keeps the inside of the cover and every other object.
        EXPECT_EQ(m_view.Model().RowCount(), rowsBefore);
        EXPECT_GE(m_view.Model().FindObjectRow("Front Cover (Inside)"), 0);
    }
}

TEST_F(PageLayoutOnLabelTest, ADiscAtTheBottomTakesTheSecondLabel)
{
    MakeLabel("Double");
    const CLabelDim disc = SmallDiscs();
    Choose(disc, CLabelDim::PlainPaper());
    const int row = m_view.Model().FindPropertyRow("Disc 1", "Label Position");
    ASSERT_GE(row, 0);
    m_view.Model().SetRowValue(row, "Bottom");
    m_view.LayoutPages();
    const SurfaceGeometry& g = m_view.Model().Placement().geometry;
    EXPECT_EQ(g.disc1.left, Stored(disc.m_nLeft2));
    EXPECT_EQ(g.disc1.top, Stored(disc.m_nTop2));
    EXPECT_EQ(g.disc1.outerDiameter, Stored(disc.m_nWidth2));
    EXPECT_EQ(g.disc1.innerDiameter, Stored(disc.m_nHeight2));
    EXPECT_EQ(g.disc2.left, Stored(disc.m_nLeft1));
    EXPECT_EQ(g.disc2.outerDiameter, Stored(disc.m_nWidth1));
}

TEST_F(PageLayoutOnLabelTest, ChoicesThatNameNoPaperOfTheirKindChangeNothing)
{
    MakeLabel("Single");
    const SurfaceGeometry before = m_view.Model().Placement().geometry;
    const int stepBefore = m_view.UndoHistory().CurrentStep();
    const std::pair<int, int> choices[] = {{5, 1}, {0, 7}, {-1, 1}, {1, 1}, {0, 0}};
    CLabelDim moved = CLabelDim::PlainPaper();
    moved.m_nLeft1 = 100;
    m_view.m_labelTemplates[1] = std::make_unique<CLabelDim>(moved);
    for (const auto& [disc, jewel] : choices)
    {
        m_view.m_nDiscTemplate = disc;
        m_view.m_nJewelTemplate = jewel;
        m_view.LayoutPages();
        EXPECT_EQ(m_view.Model().Placement().geometry.front.left, before.front.left) << disc << "," << jewel;
    }
    EXPECT_EQ(m_view.UndoHistory().CurrentStep(), stepBefore);
}

TEST_F(PageLayoutOnLabelTest, LayingOutTheSamePaperAgainChangesNothing)
{
    MakeLabel("Single");
    m_view.LayoutPages();
    const int step = m_view.UndoHistory().CurrentStep();
    const auto rows = m_view.Model().Rows();
    m_view.LayoutPages();
    EXPECT_EQ(m_view.UndoHistory().CurrentStep(), step) << "no empty undo step";
    ASSERT_EQ(m_view.Model().Rows().size(), rows.size());
    for (size_t i = 0; i < rows.size(); ++i)
        EXPECT_EQ(std::string(m_view.Model().Rows()[i].m_strValue), std::string(rows[i].m_strValue)) << i;
}

TEST_F(PageLayoutOnLabelTest, FoldingBackKeepsTheInsideObjects)
{
    MakeLabel("Single");
    const int rows = m_view.Model().RowCount();
    Choose(CLabelDim::GenericDiscLabels(), FlatOnePage());
    m_view.LayoutPages();
    EXPECT_EQ(m_view.Model().Placement().folded, 0);
    m_view.m_nJewelTemplate = 1;  // "[Plain Paper]" again
    m_view.LayoutPages();
    EXPECT_EQ(m_view.Model().Placement().folded, 1);
    EXPECT_EQ(m_view.Model().Placement().geometry.front.width, 2 * (Stored(9520) / 2));
    EXPECT_EQ(m_view.Model().Placement().geometry.front.left, Stored(800));
    EXPECT_EQ(m_view.Model().RowCount(), rows);
}
}  // namespace
