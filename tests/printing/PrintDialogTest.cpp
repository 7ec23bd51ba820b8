// The print dialog on the common print dialog, driven by a timer while it
// runs modally: the parts, copies and offsets chosen reach the job.
#include "PrintDialogDriver.h"
#include "PrintTestSupport.h"

#include "framework/PrintPreview.h"
#include "label/LabelDim.h"
#include "label/LabelRows.h"
#include "printing/SheetPreview.h"
#include "framework/Document.h"
#include "resources/resource.h"
#include "support/MessagePump.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <functional>
#include <string>
#include <vector>

namespace
{
// The colour of a page's sheet preview, drawn afresh, at a point of the
// paper's first sheet (thousandths of an inch from the sheet's corner).
COLORREF PreviewPixel(HWND page, const CLabelDim& paper, int x, int y)
{
    // A page lays itself out for a new preview when it paints.
    ::SendMessageA(page, WM_PAINT, 0, 0);
    HWND preview = ::GetDlgItem(page, IDC_PAPER_PREVIEW);
    RECT box{};
    ::GetClientRect(preview, &box);
    HDC screen = ::GetDC(preview);
    HDC memory = ::CreateCompatibleDC(screen);
    HBITMAP bitmap = ::CreateCompatibleBitmap(screen, box.right, box.bottom);
    HGDIOBJ old = ::SelectObject(memory, bitmap);
    DRAWITEMSTRUCT item{};
    item.CtlType = ODT_BUTTON;
    item.CtlID = IDC_PAPER_PREVIEW;
    item.hwndItem = preview;
    item.hDC = memory;
    item.rcItem = box;
    ::SendMessageA(page, WM_DRAWITEM, IDC_PAPER_PREVIEW, reinterpret_cast<LPARAM>(&item));
    const POINT at = PreviewPoint(preview, paper, x, y);
    const COLORREF color = ::GetPixel(memory, at.x, at.y);
    ::SelectObject(memory, old);
    ::DeleteObject(bitmap);
    ::DeleteDC(memory);
    ::ReleaseDC(preview, screen);
    return color;
}

bool Near(COLORREF a, COLORREF b, int tolerance = 40)
{
    return std::abs(GetRValue(a) - GetRValue(b)) <= tolerance && std::abs(GetGValue(a) - GetGValue(b)) <= tolerance &&
           std::abs(GetBValue(a) - GetBValue(b)) <= tolerance;
}

// The midpoint between a disc place's hole and its rim, left of the centre.
POINT RingPoint(const CLabelDim& paper, int place)
{
    const DiscOnPaper disc = DiscOf(paper, place);
    return POINT{disc.centreX - (disc.outer + disc.hole) / 4, disc.centreY};
}

// The first top-level window of this thread whose caption begins with `caption`.
HWND FindWindowOfThread(const char* caption)
{
    struct Search
    {
        const char* caption;
        HWND found;
    } search{caption, nullptr};
    ::EnumThreadWindows(
        ::GetCurrentThreadId(),
        [](HWND window, LPARAM param) -> BOOL {
            auto* s = reinterpret_cast<Search*>(param);
            char text[160] = {};
            ::GetWindowTextA(window, text, sizeof text);
            if (std::strncmp(text, s->caption, std::strlen(s->caption)) != 0 || !::IsWindowVisible(window))
                return TRUE;
            s->found = window;
            return FALSE;
        },
        reinterpret_cast<LPARAM>(&search));
    return search.found;
}

// Answers the next dialog with the caption that opens on this thread: `act`
// reads it, then it is cancelled.
class NestedDialogAnswer
{
public:
    NestedDialogAnswer(const char* caption, std::function<void(HWND)> act)
    {
        s_caption = caption;
        s_act = std::move(act);
        s_found = false;
        m_timer = ::SetTimer(nullptr, 0, 50, &Tick);
    }
    ~NestedDialogAnswer() { ::KillTimer(nullptr, m_timer); }
    NestedDialogAnswer(const NestedDialogAnswer&) = delete;
    NestedDialogAnswer& operator=(const NestedDialogAnswer&) = delete;
    bool Found() const { return s_found; }

private:
    static void CALLBACK Tick(HWND, UINT, UINT_PTR, DWORD)
    {
        if (s_found)
            return;
        HWND dialog = FindWindowOfThread(s_caption.c_str());
        if (!dialog)
            return;
        s_found = true;
        s_act(dialog);
        ::PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED),
                       reinterpret_cast<LPARAM>(::GetDlgItem(dialog, IDCANCEL)));
    }
    static inline std::string s_caption;
    static inline std::function<void(HWND)> s_act;
    static inline bool s_found = false;
    UINT_PTR m_timer = 0;
};

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
    // The second disc counts for nothing here; the choice for two discs stays.
    EXPECT_EQ(m_settings.m_bPrintDisc2, 1);
    EXPECT_EQ(Setting("PrintDisc2"), "(missing)");
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

// The Disc page offers the disc papers and, for one disc, its place on the
// sheet; Duplicate prints the one disc at both places, for this job only.
TEST_F(PrintDialogTest, DuplicateOnTheDiscPagePrintsTheOneDiscTwiceForThisJobOnly)
{
    MakeLabel("Single");
    OutlineEverySurface();
    PrintParts(false, false, true, false);
    const int discTemplate = m_view.m_nDiscTemplate;
    const CString position = m_view.Model().GetPropertyValue("Disc 1", "Label Position");
    const bool canUndo = m_view.UndoHistory().CanUndo();
    std::vector<std::string> discPapers, tabs;
    int selectedTab = -1, chosenPaper = -2;
    bool positionShown = false, topChecked = false, bottomChecked = false;
    COLORREF upperBefore = 0, lowerBefore = 0, upperAfter = 0, lowerAfter = 0;
    DialogDriver driver(" Print", [&](HWND dialog) {
        HWND tab = ::GetDlgItem(dialog, IDC_PRINT_PAPER_TAB);
        for (int index = 0; index < static_cast<int>(::SendMessageA(tab, TCM_GETITEMCOUNT, 0, 0)); ++index) {
            char text[32] = {};
            TCITEMA item{};
            item.mask = TCIF_TEXT;
            item.pszText = text;
            item.cchTextMax = sizeof text;
            ::SendMessageA(tab, TCM_GETITEMA, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&item));
            tabs.push_back(text);
        }
        selectedTab = static_cast<int>(::SendMessageA(tab, TCM_GETCURSEL, 0, 0));
        HWND page = ShownPaperPage(dialog);
        if (!page)
            return Press(dialog, IDCANCEL);
        discPapers = ListedPapers(page);
        chosenPaper = ChosenPaper(page);
        positionShown = Shown(page, IDC_PAPER_DUPLICATE);
        topChecked = ::IsDlgButtonChecked(page, IDC_PAPER_TOP) == BST_CHECKED;
        bottomChecked = ::IsDlgButtonChecked(page, IDC_PAPER_BOTTOM) == BST_CHECKED;
        // The disc places of the paper: the upper one, then the lower one.
        const DiscOnPaper upper = DiscOf(DiscPaper(), 1), lower = DiscOf(DiscPaper(), 2);
        auto at = [&](const DiscOnPaper& disc) {
            // Halfway between the hole and the rim.
            return PreviewPixel(page, DiscPaper(), disc.centreX + (disc.outer + disc.hole) / 4, disc.centreY);
        };
        upperBefore = at(upper);
        lowerBefore = at(lower);
        ChooseRadio(page, IDC_PAPER_DUPLICATE);
        upperAfter = at(upper);
        lowerAfter = at(lower);
        Press(dialog, IDOK);
    });
    PrintQueue::Clear();
    m_view.OnFilePrintCommand();
    ASSERT_TRUE(driver.Found());
    EXPECT_EQ(tabs, (std::vector<std::string>{"Front", "Back", "Disc"}));
    EXPECT_EQ(selectedTab, 2) << "the Disc page comes first";
    EXPECT_EQ(chosenPaper, discTemplate);
    for (const std::string& name : discPapers) {
        const auto found = std::find_if(m_view.m_labelTemplates.begin(), m_view.m_labelTemplates.end(),
                                        [&](const auto& paper) { return paper->m_strName == name.c_str(); });
        ASSERT_NE(found, m_view.m_labelTemplates.end()) << name;
        EXPECT_EQ((*found)->m_nType, CLabelDim::kDiscLabels) << name;
    }
    EXPECT_FALSE(discPapers.empty());
    EXPECT_TRUE(positionShown) << "one disc may go to either place";
    EXPECT_EQ(topChecked, position == "Top");
    EXPECT_EQ(bottomChecked, position != "Top");
    // The preview fills the places the disc will take.
    EXPECT_NE(upperBefore == upperAfter, lowerBefore == lowerAfter) << "Duplicate fills the place left empty";
    EXPECT_EQ(upperAfter, lowerAfter);
    ASSERT_EQ(m_view.LastPrintResult(), PrintJobResult::Printed);
    const std::string pdf = PrintQueue::WaitForJob();
    ASSERT_FALSE(pdf.empty());
    EXPECT_EQ(PrintQueue::CountPages(pdf), 1);
    ExpectPages(1);
    for (int disc = 1; disc <= 2; ++disc) {
        const DiscOnPaper d = DiscOf(DiscPaper(), disc);
        ExpectCircle(1, d.centreX, d.centreY, d.outer);
        ExpectCircle(1, d.centreX, d.centreY, d.hole);
    }
    PrintQueue::Keep("dialog-duplicate-disc", pdf, m_expect.str());
    // Only this job printed twice.
    EXPECT_EQ(m_view.m_nDuplicateDisc, 0);
    EXPECT_EQ(m_view.m_nDiscTemplate, discTemplate);
    EXPECT_EQ(m_view.UndoHistory().CanUndo(), canUndo);
    EXPECT_TRUE(m_errors.empty());
}

// Moving the one disc to the other place prints it there, and the label keeps
// the place chosen; neither the undo history nor the modified flag learns of it.
TEST_F(PrintDialogTest, OtherLabelPositionPrintsTheDiscThereAndStaysChosen)
{
    MakeLabel("Single");
    OutlineEverySurface();
    PrintParts(false, false, true, false);
    const CString position = m_view.Model().GetPropertyValue("Disc 1", "Label Position");
    const bool wasTop = position != "Bottom";
    const SurfaceGeometry before = m_view.Model().Geometry();
    const bool canUndo = m_view.UndoHistory().CanUndo();
    const BOOL modified = m_view.GetDocument() ? m_view.GetDocument()->IsModified() : FALSE;
    DialogDriver driver(" Print", [&](HWND dialog) {
        if (HWND page = ShownPaperPage(dialog))
            ChooseRadio(page, wasTop ? IDC_PAPER_BOTTOM : IDC_PAPER_TOP);
        Press(dialog, IDOK);
    });
    PrintQueue::Clear();
    m_view.OnFilePrintCommand();
    ASSERT_TRUE(driver.Found());
    ASSERT_EQ(m_view.LastPrintResult(), PrintJobResult::Printed);
    const std::string pdf = PrintQueue::WaitForJob();
    ASSERT_FALSE(pdf.empty());
    ExpectPages(1);
    // The disc lies at the place it was not at before.
    const DiscOnPaper d = DiscOf(DiscPaper(), wasTop ? 2 : 1);
    ExpectCircle(1, d.centreX, d.centreY, d.outer);
    ExpectCircle(1, d.centreX, d.centreY, d.hole);
    PrintQueue::Keep("dialog-label-position", pdf, m_expect.str());
    EXPECT_EQ(m_view.Model().GetPropertyValue("Disc 1", "Label Position"), wasTop ? "Bottom" : "Top");
    // The first disc lies at the other place now, the second at the first one's.
    EXPECT_EQ(m_view.Model().Geometry().disc1.top, before.disc2.top);
    EXPECT_EQ(m_view.Model().Geometry().disc2.top, before.disc1.top);
    EXPECT_EQ(m_view.UndoHistory().CanUndo(), canUndo);
    if (m_view.GetDocument()) {
        EXPECT_EQ(m_view.GetDocument()->IsModified(), modified);
    }
    EXPECT_TRUE(m_errors.empty());
}

// A cover paper chosen on the Back page is chosen on the Front page too, its
// back-cover page decides the pages of the job, and the job prints on it.
TEST_F(PrintDialogTest, CoverPaperChosenOnTheBackPageMakesThePagesOfTheJob)
{
    MakeLabel("Double");
    OutlineEverySurface();
    PrintParts(false, true, false, false);
    const int coverTemplate = m_view.m_nJewelTemplate;
    // The same cover paper with both covers on its first sheet.
    CLabelDim oneSheet = CoverPaper();
    oneSheet.m_strName = "Both Covers On One Sheet";
    oneSheet.m_nPage2 = 2;
    oneSheet.m_nLeft2 = 500;
    oneSheet.m_nTop2 = 600;
    m_view.m_labelTemplates.push_back(std::make_unique<CLabelDim>(oneSheet));
    const int oneSheetIndex = static_cast<int>(m_view.m_labelTemplates.size()) - 1;
    std::string fromBefore, fromAfter, toAfter;
    int frontChosen = -1;
    bool hasOneSheet = false;
    DialogDriver driver(" Print", [&](HWND dialog) {
        fromBefore = Text(dialog, IDC_PRINT_FROM_PAGE);
        HWND back = ShowPaperTab(dialog, 1);
        if (!back)
            return Press(dialog, IDCANCEL);
        const std::vector<std::string> papers = ListedPapers(back);
        hasOneSheet = std::find(papers.begin(), papers.end(), oneSheet.m_strName.c_str()) != papers.end();
        ChoosePaper(back, oneSheetIndex);
        fromAfter = Text(dialog, IDC_PRINT_FROM_PAGE);
        toAfter = Text(dialog, IDC_PRINT_TO_PAGE);
        if (HWND front = ShowPaperTab(dialog, 0))
            frontChosen = ChosenPaper(front);
        Press(dialog, IDOK);
    });
    PrintQueue::Clear();
    m_view.OnFilePrintCommand();
    ASSERT_TRUE(driver.Found());
    EXPECT_TRUE(hasOneSheet);
    EXPECT_EQ(fromBefore, "3") << "the back cover has a sheet of its own";
    EXPECT_EQ(fromAfter, "2");
    EXPECT_EQ(toAfter, "2");
    EXPECT_EQ(frontChosen, oneSheetIndex);
    ASSERT_EQ(m_view.LastPrintResult(), PrintJobResult::Printed);
    const std::string pdf = PrintQueue::WaitForJob();
    ASSERT_FALSE(pdf.empty());
    EXPECT_EQ(PrintQueue::CountPages(pdf), 1);
    ExpectPages(1);
    ExpectSheet(1, SIZE{oneSheet.m_nSheetWidth1, oneSheet.m_nSheetHeight1});
    ExpectRect(1, oneSheet.m_nLeft2, oneSheet.m_nTop2, oneSheet.m_nLeft2 + oneSheet.m_nWidth2,
               oneSheet.m_nTop2 + oneSheet.m_nHeight2);
    PrintQueue::Keep("dialog-cover-paper", pdf, m_expect.str());
    // The paper chosen is the label's paper from now on.
    EXPECT_NE(coverTemplate, oneSheetIndex);
    EXPECT_EQ(m_view.m_nJewelTemplate, oneSheetIndex);
    EXPECT_TRUE(m_errors.empty());
}

namespace
{
// Answers the program's message box when it comes, then cancels the dialog.
struct NothingToPrintCloser
{
    static void CALLBACK Tick(HWND, UINT, UINT_PTR, DWORD)
    {
        HWND box = nullptr;
        ::EnumThreadWindows(
            ::GetCurrentThreadId(),
            [](HWND window, LPARAM param) -> BOOL {
                if (!::GetDlgItem(window, IDC_MESSAGE_TEXT))
                    return TRUE;
                *reinterpret_cast<HWND*>(param) = window;
                return FALSE;
            },
            reinterpret_cast<LPARAM>(&box));
        if (!box || !s_text.empty())
            return;
        char text[256] = {};
        ::GetDlgItemTextA(box, IDC_MESSAGE_TEXT, text, sizeof text);
        s_text = text;
        s_dialogStayed = ::IsWindow(s_dialog) != FALSE;
        ::PostMessageA(::GetDlgItem(box, IDC_MESSAGE_BUTTON1), BM_CLICK, 0, 0);
        Press(s_dialog, IDCANCEL);
    }
    static inline std::string s_text;
    static inline HWND s_dialog = nullptr;
    static inline bool s_dialogStayed = false;
};
}  // namespace

TEST_F(PrintDialogTest, PrintWithNothingChosenSaysSoAndPrintsNothing)
{
    MakeLabel("Double");
    struct Case
    {
        bool calibration;
        const char* caption;
        const char* message;
    };
    const Case cases[] = {{false, " Print", "Please select a label to print."},
                          {true, " Printer Calibration", "Please select a calibration sheet to print."}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.caption);
        PrintParts(false, false, false, false);
        NothingToPrintCloser::s_text.clear();
        NothingToPrintCloser::s_dialogStayed = false;
        UINT_PTR timer = 0;
        DialogDriver driver(c.caption, [&](HWND dialog) {
            NothingToPrintCloser::s_dialog = dialog;
            timer = ::SetTimer(nullptr, 0, 50, &NothingToPrintCloser::Tick);
            Press(dialog, IDOK);
        });
        PrintQueue::Clear();
        if (c.calibration)
            m_view.OnPrinterCalibration();
        else
            m_view.OnFilePrintCommand();
        ::KillTimer(nullptr, timer);
        ASSERT_TRUE(driver.Found());
        EXPECT_EQ(NothingToPrintCloser::s_text, c.message);
        EXPECT_TRUE(NothingToPrintCloser::s_dialogStayed);
        EXPECT_EQ(m_view.LastPrintResult(), PrintJobResult::NotStarted);
    }
}

// Cancel leaves the papers and the disc's place as the label has them.
TEST_F(PrintDialogTest, CancelChangesNoPaperNorDiscPlace)
{
    MakeLabel("Single");
    PrintParts(false, true, true, false);
    const int discTemplate = m_view.m_nDiscTemplate, coverTemplate = m_view.m_nJewelTemplate;
    const CString position = m_view.Model().GetPropertyValue("Disc 1", "Label Position");
    CLabelDim other = CoverPaper();
    other.m_strName = "Another Cover Paper";
    m_view.m_labelTemplates.push_back(std::make_unique<CLabelDim>(other));
    const int otherIndex = static_cast<int>(m_view.m_labelTemplates.size()) - 1;
    bool chosen = false;
    DialogDriver driver(" Print", [&](HWND dialog) {
        if (HWND disc = ShownPaperPage(dialog))
            ChooseRadio(disc, IDC_PAPER_DUPLICATE);
        if (HWND front = ShowPaperTab(dialog, 0)) {
            ChoosePaper(front, otherIndex);
            chosen = ChosenPaper(front) == otherIndex;
        }
        Press(dialog, IDCANCEL);
    });
    m_view.OnFilePrintCommand();
    ASSERT_TRUE(driver.Found());
    EXPECT_TRUE(chosen);
    EXPECT_EQ(m_view.LastPrintResult(), PrintJobResult::NotStarted);
    EXPECT_EQ(m_view.m_nDiscTemplate, discTemplate);
    EXPECT_EQ(m_view.m_nJewelTemplate, coverTemplate);
    EXPECT_EQ(m_view.m_nDuplicateDisc, 0);
    EXPECT_EQ(m_view.Model().GetPropertyValue("Disc 1", "Label Position"), position);
}

TEST_F(PrintDialogTest, PrintingAfterACoverEditRecordsNoChangeOfTheLabel)
{
    MakeLabel("Single");
    ASSERT_EQ(m_view.m_bNoPrinter, 0);
    PrintParts(true, false, true, false);
    // The cover moved away and back: its rows hold the lengths as the setter writes them.
    const int top = m_view.Model().Geometry().front.top;
    m_view.ApplyProperty("Front Cover", "Top", LabelRows::ObjectLengthText(top + 100));
    m_view.ApplyProperty("Front Cover", "Top", LabelRows::ObjectLengthText(top));
    m_view.ApplyProperty("Front Cover", "Color", "200,220,240");
    m_view.CommitUndoStep();
    const int step = m_view.UndoHistory().CurrentStep();
    const size_t entries = m_view.UndoHistory().Entries().size();
    DialogDriver driver(" Print", [&](HWND dialog) { Press(dialog, IDOK); });
    PrintQueue::Clear();
    m_view.OnFilePrintCommand();
    ASSERT_TRUE(driver.Found()) << "the print dialog did not appear";
    ASSERT_EQ(m_view.LastPrintResult(), PrintJobResult::Printed);
    EXPECT_FALSE(PrintQueue::WaitForJob().empty());
    EXPECT_EQ(m_view.UndoHistory().CurrentStep(), step) << "a print is no step of the label's history";
    EXPECT_EQ(m_view.UndoHistory().Entries().size(), entries);
    EXPECT_EQ(m_view.GetPropertyValue("Front Cover", "Color"), "200,220,240");
}

// The sheet previews show the label's design: the discs' colours inside their
// rings at the places they print, the front cover's colour on its sheet; and
// drawing them leaves the view as it was.
TEST_F(PrintDialogTest, SheetPreviewsShowTheLabelsDesign)
{
    MakeLabel("Double");
    const COLORREF disc1 = RGB(40, 60, 200), disc2 = RGB(40, 190, 60), front = RGB(210, 50, 40);
    m_view.ApplyProperty("Disc 1", "Color", "40,60,200");
    m_view.ApplyProperty("Disc 2", "Color", "40,190,60");
    m_view.ApplyProperty("Front Cover", "Color", "210,50,40");
    m_view.CommitUndoStep();
    const bool firstOnTop = m_view.Model().GetPropertyValue("Disc 1", "Label Position") != "Bottom";
    const LabelShown shown = m_view.Model().Shown();
    const BYTE guides = m_view.m_bShowGuides;
    const int step = m_view.UndoHistory().CurrentStep();
    COLORREF upper = 0, lower = 0, cover = 0, outside = 0;
    DialogDriver driver(" Print", [&](HWND dialog) {
        if (HWND disc = ShownPaperPage(dialog)) {
            const POINT top = RingPoint(DiscPaper(), 1), bottom = RingPoint(DiscPaper(), 2);
            upper = PreviewPixel(disc, DiscPaper(), top.x, top.y);
            lower = PreviewPixel(disc, DiscPaper(), bottom.x, bottom.y);
        }
        if (HWND page = ShowPaperTab(dialog, 0)) {
            const CLabelDim& paper = CoverPaper();
            cover = PreviewPixel(page, paper, paper.m_nLeft1 + paper.m_nWidth1 * 3 / 4,
                                 paper.m_nTop1 + paper.m_nHeight1 / 2);
            // Left of the cover the sheet stays the preview's grey.
            outside = PreviewPixel(page, paper, paper.m_nLeft1 / 2, paper.m_nTop1 + paper.m_nHeight1 / 2);
        }
        Press(dialog, IDCANCEL);
    });
    m_view.OnFilePrintCommand();
    ASSERT_TRUE(driver.Found());
    EXPECT_TRUE(Near(upper, firstOnTop ? disc1 : disc2)) << std::hex << upper;
    EXPECT_TRUE(Near(lower, firstOnTop ? disc2 : disc1)) << std::hex << lower;
    EXPECT_TRUE(Near(cover, front)) << std::hex << cover;
    EXPECT_TRUE(Near(outside, RGB(128, 128, 128), 8)) << std::hex << outside;
    // The view shows what it showed, as it showed it, with nothing to undo.
    EXPECT_EQ(m_view.Model().Shown().page, shown.page);
    EXPECT_EQ(m_view.Model().Shown().zoom, shown.zoom);
    EXPECT_EQ(m_view.Model().Shown().surface, shown.surface);
    EXPECT_EQ(m_view.m_bShowGuides, guides);
    EXPECT_EQ(m_view.UndoHistory().CurrentStep(), step);
    EXPECT_TRUE(m_errors.empty());
}

// A click on a disc's place in the Disc page's preview chooses that place for
// the one disc; a click beside both places changes nothing.
TEST_F(PrintDialogTest, ClickOnTheDiscPreviewChoosesThePlace)
{
    MakeLabel("Single");
    m_view.ApplyProperty("Disc 1", "Color", "40,60,200");
    struct Step
    {
        const char* name;
        int place;  // 1 upper, 2 lower, 0 beside both
        int checked;
    };
    std::vector<std::string> failures;
    COLORREF lowerAfter = 0;
    DialogDriver driver(" Print", [&](HWND dialog) {
        HWND page = ShownPaperPage(dialog);
        if (!page)
            return Press(dialog, IDCANCEL);
        // The page lays itself out for its preview when it first paints.
        ::SendMessageA(page, WM_PAINT, 0, 0);
        HWND preview = ::GetDlgItem(page, IDC_PAPER_PREVIEW);
        const CLabelDim& paper = DiscPaper();
        const Step steps[] = {{"lower place", 2, IDC_PAPER_BOTTOM},
                              {"upper place", 1, IDC_PAPER_TOP},
                              {"beside both", 0, IDC_PAPER_TOP},
                              {"lower again", 2, IDC_PAPER_BOTTOM}};
        for (const Step& step : steps) {
            const DiscOnPaper disc = DiscOf(paper, step.place == 0 ? 1 : step.place);
            const POINT at = step.place == 0 ? PreviewPoint(preview, paper, disc.centreX - disc.outer / 2 - 150,
                                                            paper.m_nSheetHeight1 - 100)
                                             : PreviewPoint(preview, paper, disc.centreX, disc.centreY);
            ::SendMessageA(preview, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(at.x, at.y));
            ::SendMessageA(preview, WM_LBUTTONUP, 0, MAKELPARAM(at.x, at.y));
            test_support::PumpUntil([] { return false; }, 100);
            if (::IsDlgButtonChecked(page, step.checked) != BST_CHECKED)
                failures.push_back(step.name);
        }
        const POINT bottom = RingPoint(paper, 2);
        lowerAfter = PreviewPixel(page, paper, bottom.x, bottom.y);
        Press(dialog, IDCANCEL);
    });
    m_view.OnFilePrintCommand();
    ASSERT_TRUE(driver.Found());
    EXPECT_TRUE(failures.empty()) << failures.front();
    EXPECT_TRUE(Near(lowerAfter, RGB(40, 60, 200))) << "the preview shows the disc at the place chosen";
}

// Edit on a paper page opens the alignment wizard on the paper chosen there.
TEST_F(PrintDialogTest, EditOpensTheWizardOnThePaperChosen)
{
    MakeLabel("Double");
    CLabelDim other = DiscPaper();
    other.m_strName = "Another Disc Paper";
    m_view.m_labelTemplates.push_back(std::make_unique<CLabelDim>(other));
    const int otherIndex = static_cast<int>(m_view.m_labelTemplates.size()) - 1;
    std::string wizardName, wizardCaption;
    bool wizardFound = false;
    DialogDriver driver(" Print", [&](HWND dialog) {
        HWND page = ShownPaperPage(dialog);
        if (!page)
            return Press(dialog, IDCANCEL);
        ChoosePaper(page, otherIndex);
        NestedDialogAnswer wizard(" Label Alignment Wizard", [&](HWND window) {
            wizardName = Text(window, IDC_WIZARD_NAME);
            char caption[160] = {};
            ::GetWindowTextA(window, caption, sizeof caption);
            wizardCaption = caption;
        });
        ::SendMessageA(::GetDlgItem(page, IDC_PAPER_EDIT), BM_CLICK, 0, 0);
        wizardFound = wizard.Found();
        Press(dialog, IDCANCEL);
    });
    m_view.OnFilePrintCommand();
    ASSERT_TRUE(driver.Found());
    EXPECT_TRUE(wizardFound) << "Edit opened no wizard";
    EXPECT_EQ(wizardName, "Another Disc Paper");
    EXPECT_EQ(wizardCaption, " Label Alignment Wizard  -  Disc Label");
    EXPECT_TRUE(m_errors.empty());
}

// Select Paper runs Change Label Paper; the print dialog then names the papers in use.
TEST_F(PrintDialogTest, SelectPaperRunsChangeLabelPaper)
{
    MakeLabel("Double");
    bool paperDialog = false;
    std::string discName, coverName;
    DialogDriver driver(" Print", [&](HWND dialog) {
        ::SetDlgItemTextA(dialog, IDC_PRINT_DISC_PAPER_NAME, "");
        NestedDialogAnswer change(" Change Label Paper", [](HWND) {});
        ::SendMessageA(::GetDlgItem(dialog, IDC_PRINT_SELECT_PAPER), BM_CLICK, 0, 0);
        paperDialog = change.Found();
        discName = Text(dialog, IDC_PRINT_DISC_PAPER_NAME);
        coverName = Text(dialog, IDC_PRINT_COVER_PAPER_NAME);
        Press(dialog, IDCANCEL);
    });
    m_view.OnFilePrintCommand();
    ASSERT_TRUE(driver.Found());
    EXPECT_TRUE(paperDialog);
    EXPECT_EQ(discName, DiscPaper().m_strName.c_str());
    EXPECT_EQ(coverName, CoverPaper().m_strName.c_str());
}

// Another printer enables the copies in the common dialog; a calibration
// sheet keeps them disabled.
TEST_F(PrintDialogTest, PrinterChangeKeepsCalibrationCopiesDisabled)
{
    MakeLabel("Double");
    for (const bool calibration : {false, true}) {
        SCOPED_TRACE(calibration ? "calibration" : "print");
        bool enabled = !calibration;
        DialogDriver driver(calibration ? " Printer Calibration" : " Print", [&](HWND dialog) {
            HWND list = ::GetDlgItem(dialog, IDC_PRINT_PRINTER_LIST);
            ::SendMessageA(list, CB_SETCURSEL, 0, 0);
            ::SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(IDC_PRINT_PRINTER_LIST, CBN_SELCHANGE),
                           reinterpret_cast<LPARAM>(list));
            enabled = ::IsWindowEnabled(::GetDlgItem(dialog, IDC_PRINT_COPIES)) != FALSE;
            Press(dialog, IDCANCEL);
        });
        if (calibration)
            m_view.OnPrinterCalibration();
        else
            m_view.OnFilePrintCommand();
        ASSERT_TRUE(driver.Found());
        EXPECT_EQ(enabled, !calibration);
    }
}
