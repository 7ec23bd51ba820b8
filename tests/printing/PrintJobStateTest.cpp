// Whatever way a print job ends, the view is as it was before it: the page,
// zoom and surface shown, the guides, the label papers, the undo history and
// the job's own flags.
#include "PrintTestSupport.h"

#include "resources/resource.h"

#include <string>

namespace
{
struct ViewState
{
    LabelShown shown;
    BYTE guides;
    int discTemplate, jewelTemplate;
    int duplicateDisc;
    BYTE calibration;
    bool canUndo, canRedo;
    int rowCount;
    SurfaceGeometry geometry;
};

ViewState StateOf(CQuorbel6View& view)
{
    return ViewState{view.Model().Shown(),         view.m_bShowGuides,     view.m_nDiscTemplate,
                     view.m_nJewelTemplate,        view.m_nDuplicateDisc,  view.m_bCalibrationMode,
                     view.UndoHistory().CanUndo(), view.UndoHistory().CanRedo(), view.Model().RowCount(),
                     view.Model().Geometry()};
}

void ExpectSame(const ViewState& before, const ViewState& after)
{
    EXPECT_EQ(after.shown.page, before.shown.page);
    EXPECT_EQ(after.shown.zoom, before.shown.zoom);
    EXPECT_EQ(after.shown.surface, before.shown.surface);
    EXPECT_EQ(after.shown.layout, before.shown.layout);
    EXPECT_EQ(after.guides, before.guides);
    EXPECT_EQ(after.discTemplate, before.discTemplate);
    EXPECT_EQ(after.jewelTemplate, before.jewelTemplate);
    EXPECT_EQ(after.duplicateDisc, before.duplicateDisc);
    EXPECT_EQ(after.calibration, before.calibration);
    EXPECT_EQ(after.canUndo, before.canUndo);
    EXPECT_EQ(after.canRedo, before.canRedo);
    EXPECT_EQ(after.rowCount, before.rowCount);
    EXPECT_EQ(after.geometry.disc1.left, before.geometry.disc1.left);
    EXPECT_EQ(after.geometry.disc2.top, before.geometry.disc2.top);
}
// The message box is the program's own: note its text and press its button.
struct Closer
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
        if (!box)
            return;
        char text[256] = {};
        ::GetDlgItemTextA(box, IDC_MESSAGE_TEXT, text, sizeof text);
        s_text = text;
        ::PostMessageA(::GetDlgItem(box, IDC_MESSAGE_BUTTON1), BM_CLICK, 0, 0);
    }
    static inline std::string s_text;
};
}  // namespace

TEST_F(PrintedLabelTest, JobEndedHalfwayLeavesTheViewAsItWas)
{
    if (!QueueReady())
        GTEST_SKIP() << m_skipReason;
    MakeLabel("Single");
    m_view.ShowSurface("Back Cover");
    PrintParts(true, true, true, false);
    const int pages[] = {1, 2};
    for (const bool calibration : {false, true}) {
        for (const int stopAfter : pages) {
            SCOPED_TRACE(testing::Message() << "calibration " << calibration << ", ended after page " << stopAfter);
            m_view.m_bCalibrationMode = calibration;
            m_view.m_nDuplicateDisc = 1;
            const ViewState before = StateOf(m_view);
            m_view.m_pagesPrinted = 0;
            m_view.m_afterPage = [&](CPrintInfo& info) {
                // What the job may change meanwhile must come back too.
                m_view.Model().Shown().zoom = 4;
                m_view.m_bShowGuides = !before.guides;
                if (m_view.m_pagesPrinted >= stopAfter)
                    info.m_bContinuePrinting = false;
            };
            m_view.OnFilePrintDirectCommand();
            m_view.m_afterPage = nullptr;
            EXPECT_EQ(m_view.LastPrintResult(), PrintJobResult::Cancelled);
            EXPECT_EQ(m_view.m_pagesPrinted, stopAfter);
            ExpectSame(before, StateOf(m_view));
            EXPECT_EQ(m_settings.m_bPrintPage2AsPage3, 0);
            m_view.m_bCalibrationMode = 0;
        }
    }
    EXPECT_TRUE(m_errors.empty());
}

TEST_F(PrintedLabelTest, NoPrinterStopsAtTheMessageAndLeavesTheLabel)
{
    MakeLabel("Double");
    m_view.m_bNoPrinter = 1;
    const ViewState before = StateOf(m_view);
    Closer::s_text.clear();
    const UINT_PTR timer = ::SetTimer(nullptr, 0, 50, &Closer::Tick);
    m_view.OnFilePrintCommand();
    ::KillTimer(nullptr, timer);
    EXPECT_EQ(Closer::s_text, "The are no printers attached to your system.");
    EXPECT_EQ(m_view.LastPrintResult(), PrintJobResult::NotStarted);
    ExpectSame(before, StateOf(m_view));
}
