// The Change Label Paper command of a label view window, worked under Wine.
#include "PaperDialogTestSupport.h"
#include "view/ViewTestSupport.h"

#include "label/LabelRows.h"
#include "resource.h"

namespace
{
class ChangeLabelPaperTest : public ViewWithScratchSettings
{
protected:
    void SetUp() override
    {
        ViewWithScratchSettings::SetUp();
        ASSERT_TRUE(m_parent.CreateEx(0, nullptr, "Label", WS_OVERLAPPEDWINDOW, 0, 0, 1000, 800, nullptr, nullptr));
        m_view.m_bAutoDelete = false;
        ASSERT_TRUE(m_view.Create(nullptr, nullptr, WS_CHILD | WS_VISIBLE, RECT{0, 0, 960, 740}, &m_parent, 1));
        m_view.PrepareBitmaps();
        m_view.LoadLabelTemplates();
        m_view.Model().Shown().layout = "Single";
        m_view.CreateSurfaceProperties();
        m_view.LoadLayoutGeometry();
        m_view.ShowSurface("Front Cover");

        CLabelDim flat = CLabelDim::PlainPaper();
        flat.m_strName = "Flat";
        flat.m_nFolded = 0;
        flat.m_nLeft2 = 1500;
        m_view.m_labelTemplates.push_back(std::make_unique<CLabelDim>(flat));
    }
    void TearDown() override
    {
        if (m_view.m_hWnd)
            m_view.DestroyWindow();
        if (m_parent.m_hWnd)
            m_parent.DestroyWindow();
        ViewWithScratchSettings::TearDown();
    }

    void RunCommand(std::vector<PaperDialogDriver::Step> steps)
    {
        PaperDialogDriver driver(std::move(steps));
        driver.Run([&] {
            m_view.OnChangeLabelPaper();
            return 0;
        });
        EXPECT_TRUE(driver.AllStepsRun());
        EXPECT_FALSE(driver.ClosedByDriver());
    }

    CWnd m_parent;
};

TEST_F(ChangeLabelPaperTest, OkLaysTheLabelOutOnTheChosenPaper)
{
    RunCommand({{" Change Label Paper", [](HWND dialog) {
                     ChooseListEntry(dialog, IDC_PAPER_JEWEL_LIST, 1);  // "Flat"
                     ClickButton(dialog, IDOK);
                 }}});
    EXPECT_EQ(m_view.m_nJewelTemplate, 2);
    EXPECT_EQ(m_view.Model().Placement().folded, 0);
    EXPECT_EQ(m_view.Model().Placement().geometry.back.left, LabelRows::ReadLength("1.500"));
    // Saved: a restart reads the choice back.
    const LabelTemplateFile::ReadResult read = LabelTemplateFile(LabelTemplateFile::DefaultPath()).Read();
    ASSERT_EQ(read.status, LabelTemplateFile::ReadStatus::Read);
    EXPECT_EQ(read.list.jewelTemplate, 2);
    EXPECT_TRUE(m_errors.empty());
}

TEST_F(ChangeLabelPaperTest, CancelKeepsThePaperButStillLaysThePagesOut)
{
    // The store changed behind the label (as the print dialog's choice does).
    m_view.m_labelTemplates[1]->m_nLeft2 = 1400;
    RunCommand({{" Change Label Paper", [](HWND dialog) {
                     ChooseListEntry(dialog, IDC_PAPER_JEWEL_LIST, 1);
                     ClickButton(dialog, IDCANCEL);
                 }}});
    EXPECT_EQ(m_view.m_nJewelTemplate, 1);
    EXPECT_EQ(m_view.Model().Placement().folded, 1);
    EXPECT_EQ(m_view.Model().Placement().geometry.back.left, LabelRows::ReadLength("1.400"));
    EXPECT_TRUE(m_errors.empty());
}

TEST_F(ChangeLabelPaperTest, RefreshingAllPartsFollowsAnEditedPaper)
{
    m_view.m_labelTemplates[1]->m_nTop1 = 900;
    m_view.RefreshAllParts();
    EXPECT_EQ(m_view.Model().Placement().geometry.front.top, LabelRows::ReadLength("0.900"));
    EXPECT_TRUE(m_errors.empty());
}
}  // namespace
