// The print dialog on the common print dialog, driven by a timer while it
// runs modally: the parts, copies and offsets chosen reach the job.
#include "PrintTestSupport.h"

#include "framework/PrintPreview.h"
#include "resources/resource.h"

#include <string>

namespace
{
// Finds the dialog of this thread with the caption and runs `act` on it once.
class DialogDriver
{
public:
    DialogDriver(const char* caption, std::function<void(HWND)> act) : m_caption(caption), m_act(std::move(act))
    {
        s_current = this;
        m_timer = ::SetTimer(nullptr, 0, 50, &DialogDriver::Tick);
    }
    ~DialogDriver()
    {
        ::KillTimer(nullptr, m_timer);
        s_current = nullptr;
    }
    bool Found() const { return m_done; }
    std::string Total() const { return m_total; }

private:
    static void CALLBACK Tick(HWND, UINT, UINT_PTR, DWORD)
    {
        DialogDriver* self = s_current;
        if (!self || self->m_done)
            return;
        HWND dialog = nullptr;
        struct Search
        {
            const std::string* caption;
            HWND* found;
        } search{&self->m_caption, &dialog};
        ::EnumThreadWindows(
            ::GetCurrentThreadId(),
            [](HWND window, LPARAM param) -> BOOL {
                auto* s = reinterpret_cast<Search*>(param);
                char text[128] = {};
                ::GetWindowTextA(window, text, sizeof text);
                if (*s->caption == text && ::GetDlgItem(window, IDC_PRINT_PARTS_GROUP)) {
                    *s->found = window;
                    return FALSE;
                }
                return TRUE;
            },
            reinterpret_cast<LPARAM>(&search));
        if (!dialog)
            return;
        self->m_done = true;
        self->m_act(dialog);
    }

    static inline DialogDriver* s_current = nullptr;
    std::string m_caption;
    std::function<void(HWND)> m_act;
    UINT_PTR m_timer = 0;
    bool m_done = false;
    std::string m_total;
};

// Whether a control is shown; the dialog itself may have no screen to be on.
bool Shown(HWND dialog, int id)
{
    return (::GetWindowLongA(::GetDlgItem(dialog, id), GWL_STYLE) & WS_VISIBLE) != 0;
}

std::string Text(HWND dialog, int id)
{
    char text[128] = {};
    ::GetDlgItemTextA(dialog, id, text, sizeof text);
    return text;
}

// Ticks or clears a part button the way a click does.
void Click(HWND dialog, int id)
{
    HWND button = ::GetDlgItem(dialog, id);
    const bool checked = ::SendMessageA(button, BM_GETCHECK, 0, 0) == BST_CHECKED;
    ::SendMessageA(button, BM_SETCHECK, checked ? BST_UNCHECKED : BST_CHECKED, 0);
    ::SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(button));
}

void Press(HWND dialog, int id)
{
    ::PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(::GetDlgItem(dialog, id)));
}
}  // namespace

class PrintDialogTest : public PrintedLabelTest
{
protected:
    void SetUp() override
    {
        PrintedLabelTest::SetUp();
        if (!QueueReady())
            GTEST_SKIP() << m_skipReason;
    }
};

TEST_F(PrintDialogTest, PartsAndCopiesChosenMakeThePagesOfTheJob)
{
    MakeLabel("Double");
    ASSERT_EQ(m_view.m_bNoPrinter, 0);
    PrintParts(true, false, false, false);
    std::string totalBefore, totalAfter, from, to;
    bool disc2Shown = false;
    DialogDriver driver(" Print", [&](HWND dialog) {
        totalBefore = Text(dialog, IDC_PRINT_PAGE_TOTAL);
        disc2Shown = Shown(dialog, IDC_PRINT_DISC2);
        Click(dialog, IDC_PRINT_BACK);
        Click(dialog, IDC_PRINT_DISC1);
        ::SetDlgItemTextA(dialog, IDC_PRINT_COPIES, "2");
        totalAfter = Text(dialog, IDC_PRINT_PAGE_TOTAL);
        from = Text(dialog, IDC_PRINT_FROM_PAGE);
        to = Text(dialog, IDC_PRINT_TO_PAGE);
        Press(dialog, IDOK);
    });
    PrintQueue::Clear();
    m_view.OnFilePrintCommand();
    ASSERT_TRUE(driver.Found()) << "the print dialog did not appear";
    EXPECT_EQ(totalBefore, "Total pages to print: 1");
    EXPECT_TRUE(disc2Shown) << "a double layout offers both discs";
    EXPECT_EQ(totalAfter, "Total pages to print: 6");
    EXPECT_EQ(from, "1");
    EXPECT_EQ(to, "3");
    ASSERT_EQ(m_view.LastPrintResult(), PrintJobResult::Printed);
    const std::string pdf = PrintQueue::WaitForJob();
    ASSERT_FALSE(pdf.empty());
    EXPECT_EQ(PrintQueue::CountPages(pdf), 6) << "two copies of three sheets";
    EXPECT_EQ(m_view.m_pagesPrinted, 6);
    // The choices stay for the next job, in the settings too.
    EXPECT_EQ(m_settings.m_bPrintBack, 1);
    EXPECT_EQ(m_settings.m_bPrintDisc1, 1);
    EXPECT_EQ(Setting("PrintBack"), "1");
    EXPECT_EQ(Setting("PrintDisc1"), "1");
    // Two copies, collated or not, of the sheets 1, 2 and 3.
    ExpectPages(6);
    PrintQueue::Keep("dialog-copies", pdf, m_expect.str());
}

TEST_F(PrintDialogTest, SingleLayoutOffersOneDisc)
{
    MakeLabel("Single");
    PrintParts(false, false, true, true);
    bool disc2Shown = true;
    std::string total;
    DialogDriver driver(" Print", [&](HWND dialog) {
        disc2Shown = Shown(dialog, IDC_PRINT_DISC2);
        total = Text(dialog, IDC_PRINT_PAGE_TOTAL);
        Press(dialog, IDCANCEL);
    });
    m_view.OnFilePrintCommand();
    ASSERT_TRUE(driver.Found());
    EXPECT_FALSE(disc2Shown);
    EXPECT_EQ(total, "Total pages to print: 1");
    EXPECT_EQ(m_settings.m_bPrintDisc2, 0) << "a single layout has no second disc to print";
    EXPECT_EQ(m_view.LastPrintResult(), PrintJobResult::NotStarted);
}

TEST_F(PrintDialogTest, OffsetsTypedAreHeldToTheirRangeEvenWhenConfirmedAtOnce)
{
    MakeLabel("Double");
    PrintParts(true, false, false, false);
    std::string printCaption;
    bool offsetsShown = false;
    DialogDriver driver(" Printer Calibration", [&](HWND dialog) {
        offsetsShown = Shown(dialog, IDC_PRINT_OFFSET_X);
        printCaption = Text(dialog, IDOK);
        // Letters are dropped as they are typed; the numbers stay until OK.
        ::SetDlgItemTextA(dialog, IDC_PRINT_OFFSET_X, "5x5");
        ::SetDlgItemTextA(dialog, IDC_PRINT_OFFSET_Y, "-3");
        Press(dialog, IDOK);
    });
    PrintQueue::Clear();
    m_view.OnPrinterCalibration();
    ASSERT_TRUE(driver.Found());
    EXPECT_TRUE(offsetsShown);
    EXPECT_EQ(printCaption, "Print Calibration Sheet");
    EXPECT_EQ(m_view.m_nPrintOffsetX, 40);
    EXPECT_EQ(m_view.m_nPrintOffsetY, -3);
    EXPECT_EQ(Setting("PrintOffset"), "40,-3");
    EXPECT_EQ(m_view.m_bCalibrationMode, 0) << "the flag lasts only for the command";
    ASSERT_EQ(m_view.LastPrintResult(), PrintJobResult::Printed);
    const std::string pdf = PrintQueue::WaitForJob();
    ASSERT_FALSE(pdf.empty());
    EXPECT_EQ(PrintQueue::CountPages(pdf), 1);
    // The front cover's landscape sheet, its crosshair moved by the offsets.
    const SIZE sheet{CoverPaper().m_nSheetWidth1, CoverPaper().m_nSheetHeight1};
    ExpectPages(1);
    ExpectSheet(1, sheet);
    ExpectCross(1, sheet.cx / 2 + 25 * -3, sheet.cy / 2 - 25 * 40);
    PrintQueue::Keep("dialog-calibration", pdf, m_expect.str());
}

// Print from the preview window: the preview goes and the job is the same as
// the one File > Print makes, outlines at the same places.
TEST_F(PrintDialogTest, PrintFromThePreviewPrintsTheJobOfThePrintCommand)
{
    MakeLabel("Double");
    OutlineEverySurface();
    PrintParts(true, true, true, true);
    m_view.OnFilePrintPreview();
    CPrintPreviewWnd* preview = m_view.PrintPreview();
    ASSERT_NE(preview, nullptr);
    DialogDriver driver(" Print", [&](HWND dialog) { Press(dialog, IDOK); });
    PrintQueue::Clear();
    ::SendMessageA(preview->GetSafeHwnd(), WM_COMMAND, MAKEWPARAM(CPrintPreviewWnd::kPrint, BN_CLICKED), 0);
    // The preview closes and hands the command to the view.
    const DWORD start = ::GetTickCount();
    MSG message{};
    while (m_view.LastPrintResult() != PrintJobResult::Printed && ::GetTickCount() - start < 30000) {
        while (::PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
            ::TranslateMessage(&message);
            ::DispatchMessageA(&message);
        }
        ::Sleep(20);
    }
    EXPECT_TRUE(driver.Found());
    EXPECT_EQ(m_view.PrintPreview(), nullptr);
    ASSERT_EQ(m_view.LastPrintResult(), PrintJobResult::Printed);
    const std::string pdf = PrintQueue::WaitForJob();
    ASSERT_FALSE(pdf.empty());
    EXPECT_EQ(PrintQueue::CountPages(pdf), 3);
    ExpectPages(3);
    ExpectSheet(1, SIZE{DiscPaper().m_nSheetWidth1, DiscPaper().m_nSheetHeight1});
    ExpectSheet(2, SIZE{CoverPaper().m_nSheetWidth1, CoverPaper().m_nSheetHeight1});
    ExpectSheet(3, SIZE{CoverPaper().m_nSheetWidth2, CoverPaper().m_nSheetHeight2});
    for (int disc = 1; disc <= 2; ++disc) {
        const DiscOnPaper d = DiscOf(DiscPaper(), disc);
        ExpectCircle(1, d.centreX, d.centreY, d.outer);
        ExpectCircle(1, d.centreX, d.centreY, d.hole);
    }
    const CLabelDim& cover = CoverPaper();
    ExpectRect(2, cover.m_nLeft1, cover.m_nTop1, cover.m_nLeft1 + cover.m_nWidth1, cover.m_nTop1 + cover.m_nHeight1);
    ExpectRect(3, cover.m_nLeft2, cover.m_nTop2, cover.m_nLeft2 + cover.m_nWidth2, cover.m_nTop2 + cover.m_nHeight2);
    PrintQueue::Keep("from-preview", pdf, m_expect.str());
}
