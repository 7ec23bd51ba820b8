// The label alignment wizard's Print Test, pressed in the wizard that Change
// Label Paper opens, printed to the private queue.
#include "PaperDialogTestSupport.h"
#include "PrintTestSupport.h"

#include "resource.h"

namespace
{
// Presses OK in the printer's own dialog.
void PrintFromThePrinterDialog(HWND dialog)
{
    ::PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), reinterpret_cast<LPARAM>(::GetDlgItem(dialog, IDOK)));
}
}  // namespace

TEST_F(PrintedLabelTest, WizardPrintTestPrintsTheShownSheetWithThePartsWhereTheWizardPutsThem)
{
    if (!QueueReady())
        GTEST_SKIP() << m_skipReason;
    MakeLabel("Single");
    m_view.m_nPrintOffsetX = 4;  // labels are printed with the calibration offset: so is the test
    PrintParts(false, false, false, false);
    const CLabelDim before = CoverPaper();

    // Each side of the two-sheet paper: what is typed, and what its sheet shows.
    const CLabelDim paper = CoverPaper();  // the dialogs read the store anew
    const int step = 25 * 4;  // the offset: four steps right turn into four steps up on a landscape sheet
    struct Case
    {
        const char* name;
        bool back;               // the side switch clicked to the back cover's sheet
        int leftEdit, topEdit;   // the wizard's edits of that side's cover
        int left, top;           // typed, thousandths of an inch
        std::function<void()> expect;
    };
    const Case cases[] = {
        {"wizard-test-front", false, IDC_WIZARD_LEFT1, IDC_WIZARD_TOP1, 1000, 900,
         [&] {
             const int left = 1000, top = 900 - step;
             ExpectSheet(1, SIZE{paper.m_nSheetWidth1, paper.m_nSheetHeight1});
             ExpectRect(1, left, top, left + paper.m_nWidth1, top + paper.m_nHeight1);
             ExpectVerticalLine(1, left + paper.m_nWidth1 / 2, top, top + paper.m_nHeight1);
         }},
        {"wizard-test-back", true, IDC_WIZARD_LEFT2, IDC_WIZARD_TOP2, 1200, 700,
         [&] {
             const int left = 1200 + step, top = 700;
             ExpectSheet(1, SIZE{paper.m_nSheetWidth2, paper.m_nSheetHeight2});
             ExpectRect(1, left, top, left + paper.m_nWidth2, top + paper.m_nHeight2);
             ExpectVerticalLine(1, left + paper.m_nTab, top, top + paper.m_nHeight2);
             ExpectVerticalLine(1, left + paper.m_nWidth2 - paper.m_nTab, top, top + paper.m_nHeight2);
         }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const std::string wizard =
            std::string(" Label Alignment Wizard  -  ") + (c.back ? "Back Cover" : "Front Cover");
        PrintQueue::Clear();
        PaperDialogDriver driver({
            {" Change Label Paper",
             [](HWND dialog) {
                 ChooseListEntry(dialog, IDC_PAPER_JEWEL_LIST, 0);  // "[Plain Paper]"
                 PostClick(dialog, IDC_PAPER_JEWEL_EDIT);
             }},
            {" Label Alignment Wizard  -  Front Cover",
             [&](HWND dialog) {
                 if (c.back) {
                     // A click on the right half of the side switch shows the back cover's sheet.
                     HWND side = ::GetDlgItem(dialog, IDC_WIZARD_SIDE);
                     ::SendMessageA(side, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(100, 10));
                     ::SendMessageA(side, WM_LBUTTONUP, 0, MAKELPARAM(100, 10));
                 }
                 EXPECT_EQ(WindowCaption(dialog), wizard);
                 TypeAndLeave(dialog, c.leftEdit, std::to_string(c.left / 1000.0).c_str());
                 TypeAndLeave(dialog, c.topEdit, std::to_string(c.top / 1000.0).c_str());
                 PostClick(dialog, IDC_WIZARD_PRINT_TEST);
             }},
            {"Print", &PrintFromThePrinterDialog},
            {wizard, [](HWND dialog) { ClickButton(dialog, IDCANCEL); }},
            {" Change Label Paper", [](HWND dialog) { ClickButton(dialog, IDCANCEL); }},
        });
        driver.Run([&] {
            ::SendMessageA(m_view.m_hWnd, WM_COMMAND, MAKEWPARAM(ID_FILE_CHANGE_LABEL_PAPER, 0), 0);
            return 0;
        });
        EXPECT_TRUE(driver.AllStepsRun());
        EXPECT_FALSE(driver.ClosedByDriver());
        const std::string pdf = PrintQueue::WaitForJob(driver.AllStepsRun() ? 60000 : 2000);
        ASSERT_FALSE(pdf.empty()) << "Print Test gave no job";
        EXPECT_EQ(PrintQueue::CountPages(pdf), 1);
        m_expect.str("");
        ExpectPages(1);
        c.expect();
        PrintQueue::Keep(c.name, pdf, m_expect.str());
    }

    // Cancel left the paper as it was; the test printed nothing of the label.
    const CLabelDim& after = CoverPaper();
    EXPECT_EQ(after.m_nLeft1, before.m_nLeft1);
    EXPECT_EQ(after.m_nTop1, before.m_nTop1);
    EXPECT_EQ(after.m_nLeft2, before.m_nLeft2);
    EXPECT_EQ(after.m_nTop2, before.m_nTop2);
    EXPECT_EQ(m_view.m_paperTest, nullptr);
    EXPECT_EQ(m_view.m_bCalibrationMode, 0);
    EXPECT_TRUE(m_errors.empty());
}
