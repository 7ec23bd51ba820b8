// File > Print Preview: the pages the print hooks draw, each surface of the
// page whatever the print switches say, without the calibration offset.
#include "PrintTestSupport.h"

#include "framework/PrintPreview.h"

#include <cmath>

namespace
{
// Whether a page bitmap has a dark pixel within two pixels of (x, y) along its row.
bool DarkNear(HBITMAP bitmap, int x, int y)
{
    CMemoryDC dc(nullptr);
    CSelectGuard selected(dc.m_hDC, bitmap);
    for (int dx = -2; dx <= 2; ++dx) {
        const COLORREF color = ::GetPixel(dc.m_hDC, x + dx, y);
        if (color != CLR_INVALID && GetRValue(color) < 128 && GetGValue(color) < 128 && GetBValue(color) < 128)
            return true;
    }
    return false;
}

int ScreenPixels(int thousandths)
{
    CClientDC screen(nullptr);
    return static_cast<int>(std::lround(thousandths * ::GetDeviceCaps(screen.m_hDC, LOGPIXELSX) / 1000.0));
}
}  // namespace

TEST_F(PrintedLabelTest, PreviewShowsEveryPageWithItsPartsWhateverTheSwitches)
{
    if (!QueueReady())
        GTEST_SKIP() << m_skipReason;
    MakeLabel("Double");
    OutlineEverySurface();
    PrintParts(false, false, false, false);
    m_view.m_nPrintOffsetX = 10;  // never applied in preview
    m_view.m_nPrintOffsetY = 10;

    m_view.OnFilePrintPreview();
    CPrintPreviewWnd* preview = m_view.PrintPreview();
    ASSERT_NE(preview, nullptr) << "no preview window";
    EXPECT_EQ(preview->PageCount(), 3u);
    EXPECT_EQ(preview->CurrentPage(), 1u);

    // Page 1: the discs' outer edges and holes, the hole's middle blank.
    for (int disc = 1; disc <= 2; ++disc) {
        SCOPED_TRACE(disc);
        const DiscOnPaper d = DiscOf(DiscPaper(), disc);
        const int y = ScreenPixels(d.centreY);
        EXPECT_TRUE(DarkNear(preview->PageBitmap(), ScreenPixels(d.centreX - d.outer / 2), y));
        EXPECT_TRUE(DarkNear(preview->PageBitmap(), ScreenPixels(d.centreX + d.outer / 2), y));
        EXPECT_TRUE(DarkNear(preview->PageBitmap(), ScreenPixels(d.centreX - d.hole / 2), y));
        EXPECT_FALSE(DarkNear(preview->PageBitmap(), ScreenPixels(d.centreX), y));
    }

    // Page 2: a landscape sheet with the front cover's edges.
    preview->ShowPage(2);
    EXPECT_GT(preview->PageSize().cx, preview->PageSize().cy);
    const CLabelDim& cover = CoverPaper();
    const int middleY = ScreenPixels(cover.m_nTop1 + cover.m_nHeight1 / 2);
    EXPECT_TRUE(DarkNear(preview->PageBitmap(), ScreenPixels(cover.m_nLeft1), middleY));
    EXPECT_TRUE(DarkNear(preview->PageBitmap(), ScreenPixels(cover.m_nLeft1 + cover.m_nWidth1), middleY));

    // Page 3: the back cover and its spine tabs.
    preview->ShowPage(3);
    EXPECT_LT(preview->PageSize().cx, preview->PageSize().cy);
    const int backY = ScreenPixels(cover.m_nTop2 + cover.m_nHeight2 / 2);
    for (const int x : {cover.m_nLeft2, cover.m_nLeft2 + cover.m_nTab, cover.m_nLeft2 + cover.m_nWidth2 - cover.m_nTab,
                        cover.m_nLeft2 + cover.m_nWidth2})
        EXPECT_TRUE(DarkNear(preview->PageBitmap(), ScreenPixels(x), backY)) << x;

    preview->SetZoom(200);
    EXPECT_EQ(preview->Zoom(), 200);
    ::SendMessageA(preview->GetSafeHwnd(), WM_CLOSE, 0, 0);
    EXPECT_EQ(m_view.PrintPreview(), nullptr);
    EXPECT_EQ(m_view.Model().Shown().page, CString("2")) << "the label shows its page again";
    EXPECT_TRUE(m_errors.empty());
}
