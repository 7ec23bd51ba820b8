// Change Label Paper, worked through its controls under Wine.
#include "PaperDialogTestSupport.h"

#include "printing/LabelPaperDlg.h"
#include "framework/ErrorReport.h"
#include "resource.h"

namespace
{
const std::string kCaption = " Change Label Paper";

class LabelPaperDlgTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        host.Add(0, "Disc A");
        host.Add(1, "Case A");
        host.Add(0, "Disc B");
        host.Add(1, "Case B");
        host.store.discTemplate = 0;
        host.store.jewelTemplate = 3;
    }

    INT_PTR Run(std::vector<PaperDialogDriver::Step> steps)
    {
        PaperDialogDriver driver(std::move(steps));
        const INT_PTR result = driver.Run([&] {
            CLabelPaperDlg dialog(host);
            return dialog.DoModal();
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

TEST_F(LabelPaperDlgTest, ListsShowEachKindAndOkTakesTheSelections)
{
    const INT_PTR result = Run({{kCaption, [&](HWND dialog) {
                                     EXPECT_FALSE(host.newAndOpenEnabled) << "no New or Open meanwhile";
                                     ASSERT_EQ(ListCount(dialog, IDC_PAPER_DISC_LIST), 2);
                                     ASSERT_EQ(ListCount(dialog, IDC_PAPER_JEWEL_LIST), 2);
                                     EXPECT_EQ(ListText(dialog, IDC_PAPER_DISC_LIST, 1), "Disc B");
                                     EXPECT_EQ(ListText(dialog, IDC_PAPER_JEWEL_LIST, 0), "Case A");
                                     EXPECT_EQ(ListSelection(dialog, IDC_PAPER_DISC_LIST), 0);
                                     EXPECT_EQ(ListSelection(dialog, IDC_PAPER_JEWEL_LIST), 1);
                                     EXPECT_TRUE(::IsWindowEnabled(::GetDlgItem(dialog, IDC_PAPER_DISC_DELETE)));
                                     EXPECT_EQ(ControlText(dialog, IDC_PAPER_PAGE2_CAPTION), "Front Cover");
                                     EXPECT_EQ(ControlText(dialog, IDC_PAPER_PAGE3_CAPTION), "Back Cover");
                                     ChooseListEntry(dialog, IDC_PAPER_DISC_LIST, 1);
                                     ChooseListEntry(dialog, IDC_PAPER_JEWEL_LIST, 0);
                                     ClickButton(dialog, IDOK);
                                 }}});
    EXPECT_EQ(result, 1);
    EXPECT_EQ(host.store.discTemplate, 2);
    EXPECT_EQ(host.store.jewelTemplate, 1);
    EXPECT_EQ(host.saves, 1);
    EXPECT_TRUE(host.newAndOpenEnabled);
}

TEST_F(LabelPaperDlgTest, CancelAfterMovesLeavesTheStoreAsItWas)
{
    const std::vector<std::string> before = host.Names();
    const INT_PTR result = Run({{kCaption, [&](HWND dialog) {
                                     ClickButton(dialog, IDC_PAPER_DISC_DOWN);
                                     EXPECT_EQ(ListText(dialog, IDC_PAPER_DISC_LIST, 1), "Disc A");
                                     EXPECT_EQ(ListSelection(dialog, IDC_PAPER_DISC_LIST), 1) << "the moved one";
                                     ClickButton(dialog, IDC_PAPER_JEWEL_UP);
                                     EXPECT_EQ(ListText(dialog, IDC_PAPER_JEWEL_LIST, 0), "Case B");
                                     ClickButton(dialog, IDC_PAPER_JEWEL_UP);  // already first: nothing
                                     EXPECT_EQ(ListText(dialog, IDC_PAPER_JEWEL_LIST, 0), "Case B");
                                     ClickButton(dialog, IDCANCEL);
                                 }}});
    EXPECT_EQ(result, -1);
    EXPECT_EQ(host.Names(), before);
    EXPECT_EQ(host.store.discTemplate, 0);
    EXPECT_EQ(host.store.jewelTemplate, 3);
    EXPECT_EQ(host.saves, 0) << "moves alone are never written";
}

TEST_F(LabelPaperDlgTest, OkAfterAMoveKeepsThePapersChosen)
{
    const INT_PTR result = Run({{kCaption, [&](HWND dialog) {
                                     ClickButton(dialog, IDC_PAPER_DISC_DOWN);
                                     ClickButton(dialog, IDOK);
                                 }}});
    EXPECT_EQ(result, 1);
    EXPECT_EQ(host.Names(), (std::vector<std::string>{"Disc B", "Case A", "Disc A", "Case B"}));
    EXPECT_EQ(host.store.discTemplate, 2) << "still Disc A";
    EXPECT_EQ(host.store.jewelTemplate, 3);
    EXPECT_EQ(host.saves, 1);
    const LabelTemplateFile::ReadResult read = LabelTemplateFile::FromBytes(host.written.data(), host.written.size());
    ASSERT_EQ(read.status, LabelTemplateFile::ReadStatus::Read);
    EXPECT_EQ(std::string(read.list.templates[0]->m_strName), "Disc B");
}

TEST_F(LabelPaperDlgTest, DeletingTheCurrentPaperChoosesTheFirstOfItsKind)
{
    host.answer = 2;  // "No" first
    const INT_PTR result = Run({{kCaption, [&](HWND dialog) {
                                     ClickButton(dialog, IDC_PAPER_DISC_DELETE);
                                     EXPECT_EQ(ListCount(dialog, IDC_PAPER_DISC_LIST), 2);
                                     host.answer = 1;
                                     ClickButton(dialog, IDC_PAPER_DISC_DELETE);
                                     EXPECT_EQ(ListCount(dialog, IDC_PAPER_DISC_LIST), 1);
                                     EXPECT_EQ(ListText(dialog, IDC_PAPER_DISC_LIST, 0), "Disc B");
                                     EXPECT_FALSE(::IsWindowEnabled(::GetDlgItem(dialog, IDC_PAPER_DISC_DELETE)))
                                         << "the last paper of a kind stays";
                                     EXPECT_EQ(ListSelection(dialog, IDC_PAPER_JEWEL_LIST), 1) << "Case B still";
                                     ClickButton(dialog, IDCANCEL);
                                 }}});
    EXPECT_EQ(result, -1);
    ASSERT_EQ(host.questions.size(), 2u);
    EXPECT_EQ(host.questions[0], "Are you sure you want to delete the ''Disc A'' template?");
    EXPECT_EQ(host.Names(), (std::vector<std::string>{"Case A", "Disc B", "Case B"})) << "a deletion is written at once";
    EXPECT_EQ(host.store.discTemplate, 1);
    EXPECT_EQ(host.store.jewelTemplate, 2) << "Case B, one place down";
    EXPECT_EQ(host.saves, 1);
}

TEST_F(LabelPaperDlgTest, OneSheetCoversShowBothOnPage2)
{
    host.store.templates[1]->m_nPage2 = 2;
    Run({{kCaption, [&](HWND dialog) {
              ChooseListEntry(dialog, IDC_PAPER_JEWEL_LIST, 0);
              EXPECT_EQ(ControlText(dialog, IDC_PAPER_PAGE2_CAPTION), "Front && Back Cover");
              EXPECT_EQ(ControlText(dialog, IDC_PAPER_PAGE3_CAPTION), "");
              ChooseListEntry(dialog, IDC_PAPER_JEWEL_LIST, 1);
              EXPECT_EQ(ControlText(dialog, IDC_PAPER_PAGE2_CAPTION), "Front Cover");
              ClickButton(dialog, IDCANCEL);
          }}});
}

TEST_F(LabelPaperDlgTest, CreateNewAddsTheWizardsTemplateAndSelectsIt)
{
    const INT_PTR result =
        Run({{kCaption, [&](HWND dialog) { PostClick(dialog, IDC_PAPER_JEWEL_CREATE); }},
             {" Label Alignment Wizard  -  Front Cover",
              [&](HWND wizard) {
                  EXPECT_EQ(ControlText(wizard, IDC_WIZARD_NAME), "Custom Jewel Case 1");
                  ClickButton(wizard, IDOK);
              }},
             {kCaption, [&](HWND dialog) {
                  ASSERT_EQ(ListCount(dialog, IDC_PAPER_JEWEL_LIST), 3);
                  EXPECT_EQ(ListText(dialog, IDC_PAPER_JEWEL_LIST, 2), "Custom Jewel Case 1");
                  EXPECT_EQ(ListSelection(dialog, IDC_PAPER_JEWEL_LIST), 2);
                  EXPECT_EQ(ListSelection(dialog, IDC_PAPER_DISC_LIST), 0);
                  ClickButton(dialog, IDCANCEL);
              }}});
    EXPECT_EQ(result, -1);
    EXPECT_EQ(host.Names().back(), "Custom Jewel Case 1") << "the wizard's save stays after Cancel";
    EXPECT_EQ(host.saves, 1);
    EXPECT_EQ(host.store.jewelTemplate, 3);
}
}  // namespace
