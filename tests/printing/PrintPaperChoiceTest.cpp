// Each page's paper and orientation follow its sheet: Letter when a side is
// exactly 11 inches, else A4; landscape when the sheet is wider than high.
#include "PrintTestSupport.h"

TEST_F(PrintedLabelTest, EachPageTakesThePaperAndOrientationOfItsSheet)
{
    if (!QueueReady())
        GTEST_SKIP() << m_skipReason;
    MakeLabel("Double");
    ASSERT_EQ(m_view.m_bNoPrinter, 0);
    struct Case
    {
        int width, height;
        short paper, orientation;
    };
    const Case cases[] = {
        {8500, 11000, DMPAPER_LETTER, DMORIENT_PORTRAIT},
        {11000, 8500, DMPAPER_LETTER, DMORIENT_LANDSCAPE},
        {8500, 11001, DMPAPER_A4, DMORIENT_PORTRAIT},
        {11001, 8500, DMPAPER_A4, DMORIENT_LANDSCAPE},
        {8268, 11693, DMPAPER_A4, DMORIENT_PORTRAIT},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.width << " x " << c.height);
        CLabelDim paper = DiscPaper();
        paper.m_nSheetWidth1 = c.width;
        paper.m_nSheetHeight1 = c.height;
        m_view.m_labelTemplates.push_back(std::make_unique<CLabelDim>(paper));
        m_view.m_nDiscTemplate = static_cast<int>(m_view.m_labelTemplates.size()) - 1;

        CPrintInfo info;
        info.m_bDirect = true;
        ASSERT_TRUE(m_view.DoPreparePrinting(&info));
        COwnedDC printer;
        printer.Attach(info.m_pPD->TakeDC());
        printer.m_bPrinting = true;
        info.m_nCurPage = 1;
        m_view.OnPrepareDC(&printer, &info);
        const DEVMODEA* mode = info.m_pPD->LockDevMode();
        ASSERT_NE(mode, nullptr);
        EXPECT_EQ(mode->dmPaperSize, c.paper);
        EXPECT_EQ(mode->dmOrientation, c.orientation);
        info.m_pPD->UnlockDevMode();
        // The printer context was reset to it.
        const bool wide = printer.GetDeviceCaps(PHYSICALWIDTH) > printer.GetDeviceCaps(PHYSICALHEIGHT);
        EXPECT_EQ(wide, c.orientation == DMORIENT_LANDSCAPE);
    }
    EXPECT_TRUE(m_errors.empty());
}
