// File > Print Preview: the pages the print hooks draw, each surface of the
// page whatever the print switches say, without the calibration offset.
#include "PrintTestSupport.h"
#include "ScratchSettings.h"

#include "framework/PrintPreview.h"

#include "app/RunningApp.h"
#include "support/DibPicture.h"
#include "document/Quorbel6Doc.h"

#include <cmath>
#include <optional>

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
    // The page bitmap at the sheet's size on screen, where the positions below are measured.
    preview->SetZoom(100);

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

namespace
{
// What a window paints into its client area, read back pixel by pixel.
class PaintedClient
{
public:
    explicit PaintedClient(HWND window) : m_picture(ClientSize(window))
    {
        ::SendMessageA(window, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(m_picture.Dc().m_hDC), PRF_CLIENT);
        ::GdiFlush();
    }
    bool White(int x, int y) const { return m_picture.Pixel(x, y) == RGB(255, 255, 255); }
    // A dark pixel within two pixels of (x, y) along the row (or the column).
    bool DarkNear(int x, int y, bool alongRow = true) const
    {
        for (int d = -2; d <= 2; ++d) {
            const COLORREF color = alongRow ? m_picture.Pixel(x + d, y) : m_picture.Pixel(x, y + d);
            if (color != CLR_INVALID && GetRValue(color) < 128 && GetGValue(color) < 128 && GetBValue(color) < 128)
                return true;
        }
        return false;
    }

private:
    static SIZE ClientSize(HWND window)
    {
        RECT client{};
        ::GetClientRect(window, &client);
        return SIZE{client.right, client.bottom};
    }
    DibPicture m_picture;
};

bool HasStyle(HWND window, DWORD style)
{
    return (::GetWindowLongA(window, GWL_STYLE) & style) == style;
}

void PressButton(CPrintPreviewWnd& preview, int id)
{
    ::SendMessageA(::GetDlgItem(preview.GetSafeHwnd(), id), BM_CLICK, 0, 0);
}

// A key pressed where the keyboard's focus is.
void PressKey(UINT key)
{
    HWND focus = ::GetFocus();
    ASSERT_NE(focus, nullptr) << "nothing has the keyboard";
    ::SendMessageA(focus, WM_KEYDOWN, key, 1);
    ::SendMessageA(focus, WM_KEYUP, key, 0xC0000001);
}

void TurnWheel(HWND window, int notches)
{
    RECT box{};
    ::GetWindowRect(window, &box);
    ::SendMessageA(window, WM_MOUSEWHEEL, MAKEWPARAM(0, -notches * WHEEL_DELTA),
                   MAKELPARAM((box.left + box.right) / 2, (box.top + box.bottom) / 2));
}

// The whole program started with its settings and files in scratch places,
// the private print queue its default printer.
class PreviewInProgramTest : public ScratchSettingsTest
{
protected:
    void SetUp() override
    {
        ScratchSettingsTest::SetUp();
        // Not a first start: the label paper was chosen and the help shown.
        PutNumberSetting("LabelUpdate", 0);
        PutNumberSetting("HelpScreen", 0);
    }
    void TearDown() override
    {
        m_program.reset();
        // The main window's end asked the message loop to stop; no later test's loop may see that.
        MSG quit;
        while (::PeekMessageA(&quit, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE)) {
        }
        ScratchSettingsTest::TearDown();
    }

    std::vector<int> m_errors;
    ScopedErrorReportHook m_hook{[this](const ErrorReport& report) { m_errors.push_back(report.number); }};
    std::optional<RunningApp> m_program;
};
}  // namespace

TEST_F(PreviewInProgramTest, ThePageFitsAtOpenScrollsWhenZoomedAndKeepsItsEdgesAtTheSmallestZoom)
{
    if (PrintQueue::Status() != "ready")
        GTEST_SKIP() << "no private print queue: " << PrintQueue::Status();
    m_program.emplace();
    CQuorbel6View* view = m_program->RunToLabel();
    ASSERT_NE(view, nullptr);
    const HWND main = m_program->MainWindow();

    ::SendMessageA(main, WM_COMMAND, MAKEWPARAM(ID_FILE_PRINT_PREVIEW, 0), 0);
    CPrintPreviewWnd* preview = view->PrintPreview();
    ASSERT_NE(preview, nullptr) << "File > Print Preview opened nothing";
    const HWND pane = preview->PagePane();
    ASSERT_NE(pane, nullptr);
    RECT client{};
    ::GetClientRect(pane, &client);

    {
        SCOPED_TRACE("at open: the Letter page of the discs, whole");
        EXPECT_EQ(preview->CurrentPage(), 1u);
        const RECT page = preview->PageRect();
        EXPECT_GE(page.left, 0);
        EXPECT_GE(page.top, 0);
        EXPECT_LE(page.right, client.right);
        EXPECT_LE(page.bottom, client.bottom) << "the bottom of the page is cut off";
        EXPECT_NEAR(static_cast<double>(page.bottom - page.top) / (page.right - page.left), 11.0 / 8.5, 0.02);
        const PaintedClient shown(pane);
        const int middle = (page.left + page.right) / 2;
        EXPECT_TRUE(shown.White(middle, page.bottom - 2)) << "the page's foot is painted";
        EXPECT_FALSE(shown.White(middle, page.bottom + 2)) << "the grey below the page is painted";
        EXPECT_FALSE(HasStyle(pane, WS_VSCROLL)) << "a whole page needs no scroll bar";
        EXPECT_FALSE(::IsWindowEnabled(::GetDlgItem(preview->GetSafeHwnd(), CPrintPreviewWnd::kZoomOut)));
    }

    PressButton(*preview, CPrintPreviewWnd::kZoomIn);
    ::GetClientRect(pane, &client);
    EXPECT_EQ(preview->Zoom(), 100);
    EXPECT_TRUE(HasStyle(pane, WS_VSCROLL)) << "no scroll bar for a page taller than the window";
    EXPECT_GT(preview->PageRect().bottom, client.bottom);
    EXPECT_EQ(::GetFocus(), pane) << "the keys go to the page after a button";

    {
        SCOPED_TRACE("scrolling by keys and wheel moves the shown part");
        const struct
        {
            const char* what;
            std::function<void()> act;
            std::function<bool(POINT before, POINT after)> moved;
        } cases[] = {
            {"Down", [] { PressKey(VK_DOWN); }, [](POINT b, POINT a) { return a.y > b.y; }},
            {"Up", [] { PressKey(VK_UP); }, [](POINT b, POINT a) { return a.y < b.y; }},
            {"wheel towards the user", [&] { TurnWheel(pane, 1); }, [](POINT b, POINT a) { return a.y > b.y; }},
            {"wheel away", [&] { TurnWheel(pane, -1); }, [](POINT b, POINT a) { return a.y < b.y; }},
            {"Page Down", [] { PressKey(VK_NEXT); }, [](POINT b, POINT a) { return a.y > b.y + 100; }},
            {"Page Up", [] { PressKey(VK_PRIOR); }, [](POINT b, POINT a) { return a.y < b.y; }},
            {"End", [] { PressKey(VK_END); }, [](POINT b, POINT a) { return a.y > b.y; }},
            {"Home", [] { PressKey(VK_HOME); }, [](POINT, POINT a) { return a.x == 0 && a.y == 0; }},
        };
        for (const auto& c : cases) {
            SCOPED_TRACE(c.what);
            const RECT pageBefore = preview->PageRect();
            const POINT before = preview->ScrollPosition();
            c.act();
            const POINT after = preview->ScrollPosition();
            EXPECT_TRUE(c.moved(before, after)) << before.y << " -> " << after.y;
            EXPECT_EQ(preview->PageRect().top - pageBefore.top, before.y - after.y) << "the page is shown where it is scrolled to";
            SCROLLINFO bar{};
            bar.cbSize = sizeof bar;
            bar.fMask = SIF_POS;
            ::GetScrollInfo(pane, SB_VERT, &bar);
            EXPECT_EQ(bar.nPos, after.y) << "the scroll bar follows";
        }
        PressKey(VK_END);
        const RECT page = preview->PageRect();
        EXPECT_LE(page.bottom, client.bottom) << "End shows the foot of the page";
        EXPECT_GT(page.bottom, client.bottom - 40);
    }

    {
        SCOPED_TRACE("the smallest zoom: the front cover's outline and fold on page 2");
        PressButton(*preview, CPrintPreviewWnd::kNext);
        PressButton(*preview, CPrintPreviewWnd::kZoomOut);
        EXPECT_TRUE(preview->ShowsWholePage());
        EXPECT_FALSE(::IsWindowEnabled(::GetDlgItem(preview->GetSafeHwnd(), CPrintPreviewWnd::kZoomOut)))
            << "there is no smaller zoom";
        EXPECT_LT(preview->Zoom(), 100);
        ASSERT_EQ(preview->CurrentPage(), 2u);
        const FrontCoverGeometry& front = view->Model().Geometry().front;
        ASSERT_TRUE(view->Model().Placement().frontCoverBorder);
        CClientDC screen(nullptr);
        const double dpi = screen.GetDeviceCaps(LOGPIXELSX) * preview->Zoom() / 100;
        const RECT page = preview->PageRect();
        auto x = [&](double thousandths) { return page.left + static_cast<int>(std::lround(thousandths * dpi / 1000.0)); };
        auto y = [&](double thousandths) { return page.top + static_cast<int>(std::lround(thousandths * dpi / 1000.0)); };
        const PaintedClient shown(pane);
        const int middleY = y(front.top + front.height / 2.0);
        const int middleX = x(front.left + front.width / 4.0);
        EXPECT_TRUE(shown.DarkNear(x(front.left), middleY)) << "left edge";
        EXPECT_TRUE(shown.DarkNear(x(front.left + front.width), middleY)) << "right edge";
        EXPECT_TRUE(shown.DarkNear(x(front.left + front.width / 2.0), middleY)) << "fold";
        EXPECT_TRUE(shown.DarkNear(middleX, y(front.top), false)) << "top edge";
        EXPECT_TRUE(shown.DarkNear(middleX, y(front.top + front.height), false)) << "bottom edge";
    }

    ::SendMessageA(preview->GetSafeHwnd(), WM_CLOSE, 0, 0);
    EXPECT_EQ(view->PrintPreview(), nullptr);
    EXPECT_TRUE(m_errors.empty());
}
