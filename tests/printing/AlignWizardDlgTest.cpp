// The label alignment wizard, worked through its controls under Wine.
#include "PaperDialogTestSupport.h"

#include "printing/AlignWizardDlg.h"
#include "printing/PartPreviewButton.h"
#include "framework/ErrorReport.h"
#include "resource.h"

namespace
{
class AlignWizardDlgTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        host.Add(0, "[Generic]");
        host.Add(1, "[Plain Paper]");
        host.store.discTemplate = 0;
        host.store.jewelTemplate = 1;
    }

    INT_PTR Run(int index, int mode, int side, std::vector<PaperDialogDriver::Step> steps)
    {
        PaperDialogDriver driver(std::move(steps));
        const INT_PTR result = driver.Run([&] {
            CAlignWizardDlg wizard(index, mode, side, host);
            return wizard.DoModal();
        });
        EXPECT_TRUE(driver.AllStepsRun());
        EXPECT_FALSE(driver.ClosedByDriver());
        return result;
    }

    void TearDown() override
    {
        for (const std::string& error : errors)
            ADD_FAILURE() << error;
    }

    FakePaperHost host;
    std::vector<std::string> errors;
    ScopedErrorReportHook hook{[this](const ErrorReport& report) { errors.push_back(report.Text()); }};
};

TEST_F(AlignWizardDlgTest, DiscDiametersAreBoundedWhenTypedAndSaved)
{
    const INT_PTR result =
        Run(0, CAlignWizardDlg::kEdit, 1,
            {{" Label Alignment Wizard  -  Disc Label", [&](HWND wizard) {
                  EXPECT_EQ(ControlText(wizard, IDC_WIZARD_LEFT1_CAPTION), "Left - Disc 1");
                  EXPECT_EQ(ControlText(wizard, IDC_WIZARD_WIDTH1), "4.625 ''");
                  EXPECT_FALSE(::IsWindowVisible(::GetDlgItem(wizard, IDC_WIZARD_SIDE)));
                  const struct
                  {
                      int edit;
                      const char* typed;
                      const char* shown;
                  } cases[] = {
                      {IDC_WIZARD_WIDTH1, "6", "5.000 ''"},   {IDC_WIZARD_WIDTH1, "2.5", "3.000 ''"},
                      {IDC_WIZARD_HEIGHT1, "0.5", "0.600 ''"}, {IDC_WIZARD_HEIGHT1, "2.5", "2.000 ''"},
                      {IDC_WIZARD_LEFT1, "-1", "0.000 ''"},
                  };
                  for (const auto& c : cases)
                  {
                      TypeAndLeave(wizard, c.edit, c.typed);
                      EXPECT_EQ(ControlText(wizard, c.edit), c.shown) << c.typed;
                  }
                  EXPECT_EQ(host.saves, 0) << "nothing is written before Save";
                  ClickButton(wizard, IDOK);
              }}});
    EXPECT_EQ(result, IDOK);
    const CLabelDim& disc = *host.store.templates[0];
    EXPECT_EQ(disc.m_nWidth1, 3000);
    EXPECT_EQ(disc.m_nWidth2, 3000);
    EXPECT_EQ(disc.m_nHeight1, 2000);
    EXPECT_EQ(disc.m_nHeight2, 2000);
    EXPECT_EQ(disc.m_nLeft1, 0);
    EXPECT_EQ(host.saves, 1);
    EXPECT_EQ(host.refreshes, 1) << "the paper in use changed";
}

TEST_F(AlignWizardDlgTest, SpinsMoveAndCancelKeepsTheStore)
{
    const std::vector<BYTE> before = LabelTemplateFile::ToBytes(host.store);
    const INT_PTR result = Run(1, CAlignWizardDlg::kEdit, 1,
                               {{" Label Alignment Wizard  -  Front Cover", [&](HWND wizard) {
                                     EXPECT_EQ(ControlText(wizard, IDC_WIZARD_LEFT1_CAPTION), "Left - Front");
                                     EXPECT_FALSE(::IsWindowVisible(::GetDlgItem(wizard, IDC_WIZARD_WIDTH1)));
                                     EXPECT_TRUE(::IsWindowVisible(::GetDlgItem(wizard, IDC_WIZARD_SIDE)));
                                     Spin(wizard, IDC_WIZARD_LEFT1_SPIN, -1);
                                     EXPECT_EQ(ControlText(wizard, IDC_WIZARD_LEFT1), "0.810 ''");
                                     Spin(wizard, IDC_WIZARD_TOP1_SPIN, 1);
                                     EXPECT_EQ(ControlText(wizard, IDC_WIZARD_TOP1), "0.790 ''");
                                     // Past the right edge of the 11 in sheet: the cover's right edge stops on it.
                                     TypeAndLeave(wizard, IDC_WIZARD_LEFT1, "5");
                                     EXPECT_EQ(ControlText(wizard, IDC_WIZARD_LEFT1), "1.480 ''");
                                     ClickButton(wizard, IDCANCEL);
                                 }}});
    EXPECT_EQ(result, IDCANCEL);
    EXPECT_EQ(LabelTemplateFile::ToBytes(host.store), before);
    EXPECT_EQ(host.saves, 0);
    EXPECT_EQ(host.refreshes, 0);
}

TEST_F(AlignWizardDlgTest, PagesUnitsAndNameReachTheSavedTemplate)
{
    const INT_PTR result = Run(
        1, CAlignWizardDlg::kEdit, 1,
        {{" Label Alignment Wizard  -  Front Cover",
          [&](HWND wizard) {
              ChooseComboEntry(wizard, IDC_WIZARD_PAGES, 0);  // "1 Page"
          }},
         {" Label Alignment Wizard  -  Front & Back Cover",
          [&](HWND wizard) {
              EXPECT_EQ(ControlText(wizard, IDC_WIZARD_TOP1), "0.600 ''");
              EXPECT_EQ(ControlText(wizard, IDC_WIZARD_LEFT2), "1.300 ''");
              EXPECT_FALSE(::IsWindowVisible(::GetDlgItem(wizard, IDC_WIZARD_SIDE)));
              ChooseComboEntry(wizard, IDC_WIZARD_UNITS, 1);  // millimetres
              EXPECT_EQ(ControlText(wizard, IDC_WIZARD_TOP1), "15.2 mm");
              EXPECT_EQ(ControlText(wizard, IDC_WIZARD_PAPER_SIZE), "Letter - (216mm x 279mm)");
              ChooseComboEntry(wizard, IDC_WIZARD_PAGES, 1);  // "2 Pages"
          }},
         {" Label Alignment Wizard  -  Front Cover", [&](HWND wizard) {
              EXPECT_EQ(ControlText(wizard, IDC_WIZARD_ORIENTATION), "Landscape");
              TypeAndLeave(wizard, IDC_WIZARD_NAME, "My Case");
              ClickButton(wizard, IDOK);
          }}});
    EXPECT_EQ(result, IDOK);
    EXPECT_EQ(host.units, "Millimeters");
    const CLabelDim& saved = *host.store.templates[1];
    EXPECT_EQ(std::string(saved.m_strName), "My Case");
    EXPECT_EQ(saved.m_nType, 1);
    EXPECT_EQ(saved.m_nPage2, 3);
    EXPECT_EQ(saved.m_nSheetWidth2, 8268) << "an A4 sheet in millimetres";
    EXPECT_EQ(saved.m_nSheetHeight2, 11693);
    EXPECT_EQ(saved.m_nTop1, 800);
    EXPECT_EQ(host.saves, 1);
    EXPECT_EQ(host.refreshes, 1);
}

TEST_F(AlignWizardDlgTest, ANewTemplateIsAppendedUnderANewName)
{
    host.Add(1, "Custom Jewel Case 2");
    const INT_PTR result = Run(1, CAlignWizardDlg::kNew, 1,
                               {{" Label Alignment Wizard  -  Front Cover", [&](HWND wizard) {
                                     EXPECT_EQ(ControlText(wizard, IDC_WIZARD_NAME), "Custom Jewel Case 3");
                                     ClickButton(wizard, IDOK);
                                 }}});
    EXPECT_EQ(result, IDOK);
    EXPECT_EQ(host.Names(), (std::vector<std::string>{"[Generic]", "[Plain Paper]", "Custom Jewel Case 2",
                                                      "Custom Jewel Case 3"}));
    EXPECT_EQ(std::string(host.store.templates[1]->m_strName), "[Plain Paper]") << "the source is untouched";
    EXPECT_EQ(host.store.jewelTemplate, 1);
}

TEST_F(AlignWizardDlgTest, TheBackSideShowsTheBackCoversSheet)
{
    Run(1, CAlignWizardDlg::kEdit, 0,
        {{" Label Alignment Wizard  -  Back Cover", [&](HWND wizard) {
              EXPECT_FALSE(::IsWindowVisible(::GetDlgItem(wizard, IDC_WIZARD_LEFT1)));
              EXPECT_TRUE(::IsWindowVisible(::GetDlgItem(wizard, IDC_WIZARD_LEFT2)));
              EXPECT_EQ(ControlText(wizard, IDC_WIZARD_ORIENTATION), "Portrait");
              TypeAndLeave(wizard, IDC_WIZARD_TOP2, "9");
              EXPECT_EQ(ControlText(wizard, IDC_WIZARD_TOP2), "6.350 ''") << "11 in less the 4.65 in cover";
              ClickButton(wizard, IDCANCEL);
          }}});
}
}  // namespace

namespace
{
// Both covers of a jewel-case template lie wholly on the sheets they are printed on.
void ExpectCoversOnTheirSheets(const CLabelDim& paper)
{
    const bool shared = paper.m_nPage2 == paper.m_nPage1;
    const int backWidth = shared ? paper.m_nSheetWidth1 : paper.m_nSheetWidth2;
    const int backHeight = shared ? paper.m_nSheetHeight1 : paper.m_nSheetHeight2;
    EXPECT_GE(paper.m_nLeft1, 0);
    EXPECT_GE(paper.m_nTop1, 0);
    EXPECT_LE(paper.m_nLeft1 + paper.m_nWidth1, paper.m_nSheetWidth1) << "the front cover runs off the right edge";
    EXPECT_LE(paper.m_nTop1 + paper.m_nHeight1, paper.m_nSheetHeight1) << "the front cover runs off the bottom";
    EXPECT_LE(paper.m_nLeft2 + paper.m_nWidth2, backWidth) << "the back cover runs off the right edge";
    EXPECT_LE(paper.m_nTop2 + paper.m_nHeight2, backHeight) << "the back cover runs off the bottom";
}

TEST_F(AlignWizardDlgTest, CreateNewOnOnePageProposesAFlatFrontCoverThatFitsThePage)
{
    const struct
    {
        const char* paper;
        int paperEntry;  // 0 Letter, 1 A4
    } cases[] = {{"Letter", 0}, {"A4", 1}};
    for (const auto& c : cases)
    {
        SCOPED_TRACE(c.paper);
        host.store.templates.resize(2);
        const INT_PTR result = Run(1, CAlignWizardDlg::kNew, 1,
                                   {{" Label Alignment Wizard  -  Front Cover",
                                     [&](HWND wizard) {
                                         EXPECT_EQ(ControlText(wizard, IDC_WIZARD_FOLDED), "Yes");
                                         ChooseComboEntry(wizard, IDC_WIZARD_PAPER_SIZE, c.paperEntry);
                                         ChooseComboEntry(wizard, IDC_WIZARD_PAGES, 0);  // "1 Page"
                                     }},
                                    {" Label Alignment Wizard  -  Front & Back Cover", [&](HWND wizard) {
                                         EXPECT_EQ(ControlText(wizard, IDC_WIZARD_ORIENTATION), "Portrait");
                                         EXPECT_EQ(ControlText(wizard, IDC_WIZARD_FOLDED), "No")
                                             << "a folded cover does not fit beside the back cover";
                                         ClickButton(wizard, IDOK);
                                     }}});
        EXPECT_EQ(result, IDOK);
        ASSERT_EQ(host.store.templates.size(), 3u);
        const CLabelDim& made = *host.store.templates[2];
        EXPECT_EQ(made.m_nPage2, 2);
        EXPECT_EQ(made.m_nFolded, 0);
        EXPECT_EQ(made.m_nWidth1, 4760) << "the flat cover is half the folded one";
        EXPECT_LT(made.m_nSheetWidth1, made.m_nSheetHeight1);
        ExpectCoversOnTheirSheets(made);
    }
}

TEST_F(AlignWizardDlgTest, FoldingTheCoverKeepsItOnTheSheetWhereThereIsRoom)
{
    // The flat cover moved to the right edge of the landscape sheet, then folded.
    host.store.templates[1]->m_nFolded = 0;
    host.store.templates[1]->m_nWidth1 = 4760;
    Run(1, CAlignWizardDlg::kEdit, 1,
        {{" Label Alignment Wizard  -  Front Cover", [&](HWND wizard) {
              TypeAndLeave(wizard, IDC_WIZARD_LEFT1, "6");
              EXPECT_EQ(ControlText(wizard, IDC_WIZARD_LEFT1), "6.000 ''");
              ChooseComboEntry(wizard, IDC_WIZARD_FOLDED, 1);  // "Yes"
              EXPECT_EQ(ControlText(wizard, IDC_WIZARD_LEFT1), "1.480 ''") << "11 in less the 9.52 in cover";
              ClickButton(wizard, IDOK);
          }}});
    ExpectCoversOnTheirSheets(*host.store.templates[1]);
}
}  // namespace

// The wizard stands 25 pixels below the work area's top, as high as the area
// less 35, between 761 and 915 pixels wide but never wider than the area, centred.
TEST(AlignWizardPlacementTest, WindowFollowsTheWorkArea)
{
    const struct
    {
        const char* name;
        RECT work;
        SIZE templateSize;
        RECT expected;
    } cases[] = {
        {"tall screen: at its widest", {0, 0, 1280, 1024}, {800, 700}, {182, 25, 1097, 1014}},
        {"the template's proportions", {0, 0, 1024, 738}, {800, 700}, {110, 25, 913, 728}},
        {"short screen: at its narrowest", {0, 0, 800, 570}, {800, 700}, {19, 25, 780, 560}},
        {"narrow screen: as wide as the area", {0, 0, 640, 450}, {800, 700}, {0, 25, 640, 440}},
        {"an area away from the corner", {100, 50, 1380, 1074}, {900, 600}, {282, 75, 1197, 1064}},
    };
    for (const auto& c : cases) {
        const RECT placed = CAlignWizardDlg::WizardPlacement(c.work, c.templateSize);
        EXPECT_EQ(placed.left, c.expected.left) << c.name;
        EXPECT_EQ(placed.top, c.expected.top) << c.name;
        EXPECT_EQ(placed.right, c.expected.right) << c.name;
        EXPECT_EQ(placed.bottom, c.expected.bottom) << c.name;
    }
}

// The opened wizard takes the work area's height, and the sheet miniature
// its four arrow heads from the program's pictures.
TEST_F(AlignWizardDlgTest, OpensToTheWorkAreaWithPicturedArrowHeads)
{
    RECT work{};
    ::SystemParametersInfoA(SPI_GETWORKAREA, 0, &work, 0);
    RECT window{};
    int arrowHeads = 0;
    Run(0, CAlignWizardDlg::kEdit, 1, {{" Label Alignment Wizard  -  Disc Label", [&](HWND wizard) {
                                            ::GetWindowRect(wizard, &window);
                                            if (auto* preview = dynamic_cast<CPartPreviewButton*>(
                                                    CWnd::FromHandlePermanent(::GetDlgItem(wizard, IDC_WIZARD_PREVIEW))))
                                                arrowHeads = preview->ArrowHeads().GetImageCount();
                                            ClickButton(wizard, IDCANCEL);
                                        }}});
    EXPECT_EQ(window.top, work.top + 25);
    EXPECT_EQ(window.bottom - window.top, work.bottom - work.top - 35);
    EXPECT_GE(window.right - window.left, std::min<LONG>(761, work.right - work.left));
    EXPECT_LE(window.right - window.left, 915);
    EXPECT_EQ(arrowHeads, 4);
}
