// Labels printed through the program's own print path to the private queue.
// Under wine the jobs end as PDF files; the host renders them at 300 dpi and
// measures where the ink landed (measure_printed_pages.py). Here the tests
// print, count the pages, and write down where each outline must be.
#include "PrintTestSupport.h"

#include "support/InsertionPoint.h"
#include "label/LabelRows.h"
#include "resources/resource.h"

#include <algorithm>
#include <climits>

namespace
{
// A paper of disc labels of the test's own, the discs not where the built-in
// paper has them. Letter: the test queue puts every sheet on Letter paper.
CLabelDim CustomDiscPaper()
{
    CLabelDim paper;
    paper.m_nType = CLabelDim::kDiscLabels;
    paper.m_strName = "Test Discs";
    paper.m_nPage1 = 1;
    paper.m_nSheetWidth1 = 8500;
    paper.m_nSheetHeight1 = 11000;
    paper.m_nSheetWidth2 = 8500;
    paper.m_nSheetHeight2 = 11000;
    paper.m_nLeft1 = 1500;
    paper.m_nTop1 = 900;
    paper.m_nWidth1 = 4724;
    paper.m_nHeight1 = 1535;
    paper.m_nLeft2 = 2100;
    paper.m_nTop2 = 6200;
    paper.m_nWidth2 = 4600;
    paper.m_nHeight2 = 1600;
    return paper;
}

// Cover paper with the back cover on the front cover's sheet.
CLabelDim CustomCoverPaper()
{
    CLabelDim paper;
    paper.m_nType = CLabelDim::kJewelCase;
    paper.m_strName = "Test Covers";
    paper.m_nPage1 = 2;
    paper.m_nPage2 = 2;
    paper.m_nSheetWidth1 = 8500;
    paper.m_nSheetHeight1 = 11000;
    paper.m_nSheetWidth2 = 8500;
    paper.m_nSheetHeight2 = 11000;
    paper.m_nLeft1 = 1900;
    paper.m_nTop1 = 700;
    paper.m_nWidth1 = 4724;
    paper.m_nHeight1 = 4724;
    paper.m_nLeft2 = 1300;
    paper.m_nTop2 = 5900;
    paper.m_nWidth2 = 6000;
    paper.m_nHeight2 = 4650;
    paper.m_nFolded = 0;
    paper.m_nTab = 240;
    return paper;
}
}  // namespace

// Writes down the outlines of the parts on one printed page, moved by `shift`.
class PrintedOutlinesTest : public PrintedLabelTest
{
protected:
    void ExpectDiscs(int page, POINT shift, bool both)
    {
        for (int disc = 1; disc <= (both ? 2 : 1); ++disc) {
            const DiscOnPaper d = DiscOf(DiscPaper(), disc);
            ExpectCircle(page, d.centreX + shift.x, d.centreY + shift.y, d.outer);
            ExpectCircle(page, d.centreX + shift.x, d.centreY + shift.y, d.hole);
        }
    }
    void ExpectFront(int page, POINT shift)
    {
        const CLabelDim& paper = CoverPaper();
        const int left = paper.m_nLeft1 + shift.x, top = paper.m_nTop1 + shift.y;
        ExpectRect(page, left, top, left + paper.m_nWidth1, top + paper.m_nHeight1);
        if (paper.m_nFolded)
            ExpectVerticalLine(page, left + paper.m_nWidth1 / 2, top, top + paper.m_nHeight1);
    }
    void ExpectBack(int page, POINT shift)
    {
        const CLabelDim& paper = CoverPaper();
        const int left = paper.m_nLeft2 + shift.x, top = paper.m_nTop2 + shift.y;
        ExpectRect(page, left, top, left + paper.m_nWidth2, top + paper.m_nHeight2);
        ExpectRect(page, left + paper.m_nTab, top, left + paper.m_nWidth2 - paper.m_nTab, top + paper.m_nHeight2);
    }
};

TEST_F(PrintedOutlinesTest, BuiltInPapersPutEveryPartWhereThePaperHasIt)
{
    if (!QueueReady())
        GTEST_SKIP() << m_skipReason;
    MakeLabel("Double");
    ASSERT_EQ(m_view.m_bNoPrinter, 0) << "the private queue is not the default printer";
    ASSERT_EQ(DiscPaper().m_strName, CString("[Generic]"));
    ASSERT_EQ(CoverPaper().m_strName, CString("[Plain Paper]"));
    OutlineEverySurface();
    PrintParts(true, true, true, true);

    const std::string pdf = PrintDirect();
    ASSERT_FALSE(pdf.empty()) << "the job did not reach the queue";
    EXPECT_EQ(PrintQueue::CountPages(pdf), 3);
    ExpectPages(3);
    ExpectSheet(1, SIZE{DiscPaper().m_nSheetWidth1, DiscPaper().m_nSheetHeight1});
    ExpectSheet(2, SIZE{CoverPaper().m_nSheetWidth1, CoverPaper().m_nSheetHeight1});
    ExpectSheet(3, SIZE{CoverPaper().m_nSheetWidth2, CoverPaper().m_nSheetHeight2});
    ExpectDiscs(1, POINT{}, true);
    ExpectFront(2, POINT{});
    ExpectBack(3, POINT{});
    PrintQueue::Keep("builtin-papers", pdf, m_expect.str());
    EXPECT_TRUE(m_errors.empty());
}

TEST_F(PrintedOutlinesTest, OwnPapersTakeTheCalibrationOffset)
{
    if (!QueueReady())
        GTEST_SKIP() << m_skipReason;
    const CLabelDim discs = CustomDiscPaper();
    const CLabelDim covers = CustomCoverPaper();
    MakeLabel("Double", &discs, &covers);
    ASSERT_EQ(m_view.m_bNoPrinter, 0);
    OutlineEverySurface();
    PrintParts(true, true, true, true);
    // 4 steps right and 2 up: 0.1 inch right, 0.05 inch up on a portrait sheet.
    m_view.m_nPrintOffsetX = 4;
    m_view.m_nPrintOffsetY = -2;

    const std::string pdf = PrintDirect();
    ASSERT_FALSE(pdf.empty());
    EXPECT_EQ(PrintQueue::CountPages(pdf), 2) << "the back cover shares the front cover's sheet";
    ExpectPages(2);
    ExpectSheet(1, SIZE{discs.m_nSheetWidth1, discs.m_nSheetHeight1});
    ExpectSheet(2, SIZE{covers.m_nSheetWidth1, covers.m_nSheetHeight1});
    const POINT shift{100, -50};
    ExpectDiscs(1, shift, true);
    ExpectFront(2, shift);
    ExpectBack(2, shift);
    PrintQueue::Keep("own-papers-offset", pdf, m_expect.str());
    EXPECT_TRUE(m_errors.empty());
}

TEST_F(PrintedOutlinesTest, LandscapeSheetTakesTheOffsetTurnedWithIt)
{
    if (!QueueReady())
        GTEST_SKIP() << m_skipReason;
    MakeLabel("Single");
    OutlineEverySurface();
    PrintParts(true, false, false, false);
    m_view.m_nPrintOffsetX = 4;
    m_view.m_nPrintOffsetY = -2;

    const std::string pdf = PrintDirect();
    ASSERT_FALSE(pdf.empty());
    EXPECT_EQ(PrintQueue::CountPages(pdf), 1);
    ExpectPages(1);
    ExpectSheet(1, SIZE{CoverPaper().m_nSheetWidth1, CoverPaper().m_nSheetHeight1});
    // On a landscape sheet the vertical offset moves across and the
    // horizontal one up the sheet.
    ExpectFront(1, POINT{-50, -100});
    PrintQueue::Keep("landscape-offset", pdf, m_expect.str());
}

TEST_F(PrintedOutlinesTest, DiscsAndBackCoverSkipTheFrontCoverSheet)
{
    if (!QueueReady())
        GTEST_SKIP() << m_skipReason;
    MakeLabel("Double");
    OutlineEverySurface();
    PrintParts(false, true, true, true);
    ASSERT_EQ(CoverPaper().m_nPage2, 3);

    const std::string pdf = PrintDirect();
    ASSERT_FALSE(pdf.empty());
    EXPECT_EQ(PrintQueue::CountPages(pdf), 2) << "pages 1 and 3, without the front cover's sheet";
    ExpectPages(2);
    ExpectSheet(1, SIZE{DiscPaper().m_nSheetWidth1, DiscPaper().m_nSheetHeight1});
    ExpectSheet(2, SIZE{CoverPaper().m_nSheetWidth2, CoverPaper().m_nSheetHeight2});
    ExpectDiscs(1, POINT{}, true);
    ExpectBack(2, POINT{});
    PrintQueue::Keep("skip-front-sheet", pdf, m_expect.str());
    EXPECT_EQ(m_settings.m_bPrintPage2AsPage3, 0) << "the job's flag outlives the job";
}

TEST_F(PrintedOutlinesTest, SwitchedOffPartsLeaveTheirSheetUnprinted)
{
    if (!QueueReady())
        GTEST_SKIP() << m_skipReason;
    MakeLabel("Double");
    OutlineEverySurface();
    // Disc 1 only: disc 2's place stays blank.
    PrintParts(false, false, true, false);

    const std::string pdf = PrintDirect();
    ASSERT_FALSE(pdf.empty());
    EXPECT_EQ(PrintQueue::CountPages(pdf), 1);
    ExpectPages(1);
    ExpectSheet(1, SIZE{DiscPaper().m_nSheetWidth1, DiscPaper().m_nSheetHeight1});
    ExpectDiscs(1, POINT{}, false);
    ExpectInkInside(1, RECT{DiscPaper().m_nLeft1 - 100, DiscPaper().m_nTop1 - 100,
                            DiscPaper().m_nLeft1 + DiscPaper().m_nWidth1 + 100,
                            DiscPaper().m_nTop1 + DiscPaper().m_nWidth1 + 100});
    PrintQueue::Keep("disc1-only", pdf, m_expect.str());
}

TEST_F(PrintedOutlinesTest, SingleDiscPrintedOnBothLabelsInDiscCopyMode)
{
    if (!QueueReady())
        GTEST_SKIP() << m_skipReason;
    MakeLabel("Single");
    OutlineEverySurface();
    PrintParts(false, false, true, false);
    m_view.m_nDuplicateDisc = 1;

    const std::string pdf = PrintDirect();
    ASSERT_FALSE(pdf.empty());
    ExpectPages(1);
    ExpectSheet(1, SIZE{DiscPaper().m_nSheetWidth1, DiscPaper().m_nSheetHeight1});
    ExpectDiscs(1, POINT{}, true);
    PrintQueue::Keep("disc-copy", pdf, m_expect.str());
    EXPECT_EQ(m_view.m_nDuplicateDisc, 1) << "the mode was set before the job, so it stays";
}

// The texts and track lists of the default label on paper: each inside the
// union of the boxes of its surface's objects.
TEST_F(PrintedLabelTest, TextsAndTrackListsStayInsideTheirBoxes)
{
    if (!QueueReady())
        GTEST_SKIP() << m_skipReason;
    MakeLabel("Single");
    PrintParts(true, true, false, false);
    // A text and a track list on the front cover, a track list on the back cover.
    const auto insert = [&](const char* surface, POINT at, UINT command) {
        m_view.ShowSurface(surface);
        PointInsertionAt(m_view, at, "Inside");
        ::SendMessageA(m_view.m_hWnd, WM_COMMAND, MAKEWPARAM(command, 0), 0);
    };
    insert("Front Cover", POINT{7000, 2000}, ID_INSERT_TEXT);
    insert("Front Cover", POINT{8000, 4000}, ID_INSERT_TRACK_LIST);
    insert("Back Cover", POINT{4000, 3000}, ID_INSERT_TRACK_LIST);
    // No outlines: every mark on the sheets is text.
    m_view.Model().Placement().frontCoverBorder = 0;
    m_view.Model().Placement().backCoverBorder = 0;
    const CLabelModel& model = m_view.Model();
    RECT front{INT_MAX, INT_MAX, INT_MIN, INT_MIN};
    RECT back = front;
    int textObjects = 0;
    for (int row = 0; row < model.RowCount(); row = model.NextObjectRow(row)) {
        const CString& name = model.Row(row).m_strObjectName;
        const CString& type = model.Row(row).m_strValue;
        if (type != "Text" && type != "Track")
            continue;
        const int left = model.LengthOf(name, "Left"), top = model.LengthOf(name, "Top");
        const RECT box{left, top, left + model.LengthOf(name, "Width"), top + model.LengthOf(name, "Height")};
        RECT& united = model.SurfaceOf(name) == Surface::FrontCover ? front : back;
        if (model.SurfaceOf(name) != Surface::FrontCover && model.SurfaceOf(name) != Surface::BackCover)
            continue;
        united = RECT{std::min(united.left, box.left), std::min(united.top, box.top),
                      std::max(united.right, box.right), std::max(united.bottom, box.bottom)};
        ++textObjects;
    }
    ASSERT_GE(textObjects, 3);

    const std::string pdf = PrintDirect();
    ASSERT_FALSE(pdf.empty());
    ExpectPages(2);
    ExpectSheet(1, SIZE{CoverPaper().m_nSheetWidth1, CoverPaper().m_nSheetHeight1});
    ExpectSheet(2, SIZE{CoverPaper().m_nSheetWidth2, CoverPaper().m_nSheetHeight2});
    if (front.left < front.right)
        ExpectInkInside(1, front);
    else
        ExpectBlank(1);
    if (back.left < back.right)
        ExpectInkInside(2, back);
    else
        ExpectBlank(2);
    PrintQueue::Keep("texts-in-boxes", pdf, m_expect.str());
}

// The calibration sheet's crosshair sits at the centre of the sheet it is
// printed on, moved by the calibration offset.
TEST_F(PrintedLabelTest, CalibrationCrosshairsAtTheCentreOfEachSheet)
{
    if (!QueueReady())
        GTEST_SKIP() << m_skipReason;
    MakeLabel("Double");
    struct Case
    {
        const char* name;
        bool front;
        int offsetX, offsetY;
        int pages;
    };
    // Without the front cover the job's second page is the back cover's sheet.
    const Case cases[] = {{"calibration-all", true, 0, 0, 3}, {"calibration-skip", false, 4, -2, 2}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        m_expect.str("");
        PrintParts(c.front, true, true, true);
        m_view.m_nPrintOffsetX = c.offsetX;
        m_view.m_nPrintOffsetY = c.offsetY;
        m_view.m_bCalibrationMode = 1;
        const std::string pdf = PrintDirect();
        m_view.m_bCalibrationMode = 0;
        ASSERT_FALSE(pdf.empty());
        EXPECT_EQ(PrintQueue::CountPages(pdf), c.pages);
        ExpectPages(c.pages);
        std::vector<SIZE> sheets{SIZE{DiscPaper().m_nSheetWidth1, DiscPaper().m_nSheetHeight1}};
        if (c.front)
            sheets.push_back(SIZE{CoverPaper().m_nSheetWidth1, CoverPaper().m_nSheetHeight1});
        sheets.push_back(SIZE{CoverPaper().m_nSheetWidth2, CoverPaper().m_nSheetHeight2});
        for (size_t page = 0; page < sheets.size(); ++page) {
            const SIZE sheet = sheets[page];
            const bool landscape = sheet.cy < sheet.cx;
            const POINT shift = landscape ? POINT{25 * c.offsetY, -25 * c.offsetX}
                                          : POINT{25 * c.offsetX, 25 * c.offsetY};
            ExpectSheet(static_cast<int>(page) + 1, sheet);
            ExpectCross(static_cast<int>(page) + 1, sheet.cx / 2 + shift.x, sheet.cy / 2 + shift.y);
        }
        PrintQueue::Keep(c.name, pdf, m_expect.str());
    }
}

namespace
{
// The files of an earlier run must not be measured as this run's.
class ForgetEarlierPrints : public ::testing::Environment
{
public:
    void SetUp() override
    {
        const std::string folder = PrintQueue::KeptFolder();
        WIN32_FIND_DATAA found{};
        HANDLE search = ::FindFirstFileA((folder + "*.*").c_str(), &found);
        if (search == INVALID_HANDLE_VALUE)
            return;
        do {
            if (!(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY))
                ::DeleteFileA((folder + found.cFileName).c_str());
        } while (::FindNextFileA(search, &found));
        ::FindClose(search);
    }
};
const ::testing::Environment* const kForgetEarlierPrints =
    ::testing::AddGlobalTestEnvironment(new ForgetEarlierPrints);
}  // namespace
