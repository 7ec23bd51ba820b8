// The splash window: cut to its picture, painted from it, hidden by its own
// timer after two and a half seconds, and gone when destroyed.
#include "uikit/SplashWnd.h"

#include "ButtonTestSupport.h"
#include "framework/Gdi.h"
#include "resource.h"
#include "uikit/BitmapToRegion.h"

#include <gtest/gtest.h>

using namespace button_test;

namespace {

class SplashTest : public ::testing::Test {
protected:
    SplashTest()
        : picture(static_cast<HBITMAP>(::LoadImageA(::GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDB_SPLASH),
                                                    IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION)))
    {
    }
    COLORREF PicturePixel(int x, int y)
    {
        CMemoryDC dc(nullptr);
        CSelectGuard selected(dc, picture);
        return ::GetPixel(dc, x, y) & 0xFFFFFF;
    }

    CBitmap picture;
};

}  // namespace

TEST_F(SplashTest, WindowIsCutToThePicturesOutline)
{
    CSplashWnd splash;
    ASSERT_TRUE(splash.Create());
    EXPECT_FALSE(splash.IsWindowVisible()) << "shown by its owner";
    EXPECT_TRUE(::GetWindowLongA(splash.m_hWnd, GWL_EXSTYLE) & WS_EX_TOPMOST) << "system-modal: above the others";
    EXPECT_EQ(splash.GetBitmapSize().cx, 300);
    EXPECT_EQ(splash.GetBitmapSize().cy, 300);
    RECT window{};
    splash.GetWindowRect(&window);
    EXPECT_EQ(window.right - window.left, 300) << "the whole picture, whatever the dialog font";
    EXPECT_EQ(window.bottom - window.top, 300);

    CRgn windowRegion;
    windowRegion.CreateRectRgn(0, 0, 0, 0);
    ASSERT_EQ(::GetWindowRgn(splash.m_hWnd, windowRegion), COMPLEXREGION);
    CRgn expected(BitmapToRegion(picture, CSplashWnd::kKeyColor, true));
    EXPECT_TRUE(::EqualRgn(windowRegion, expected));
    EXPECT_FALSE(windowRegion.PtInRegion(POINT{150, 150}));
}

TEST_F(SplashTest, BackgroundIsThePicture)
{
    CSplashWnd splash;
    ASSERT_TRUE(splash.Create());
    CCanvas canvas(300, 300, RGB(1, 2, 3));
    EXPECT_EQ(splash.SendMessage(WM_ERASEBKGND, reinterpret_cast<WPARAM>(canvas.dc())), 0);
    for (POINT p : {POINT{150, 60}, POINT{40, 150}, POINT{0, 0}, POINT{299, 299}})
        EXPECT_EQ(canvas.Pixel(p.x, p.y), PicturePixel(p.x, p.y)) << p.x << "," << p.y;
}

TEST_F(SplashTest, ItsTimerHidesItAfterTwoAndAHalfSecondsAndDestroyingFreesIt)
{
    CSplashWnd splash;
    // The timer starts when the window is made, so the time is taken just after.
    ASSERT_TRUE(splash.Create());
    const DWORD shownAt = ::GetTickCount();
    splash.ShowWindow(SW_SHOW);

    splash.SendMessage(WM_TIMER, 1234);
    EXPECT_TRUE(splash.IsWindowVisible()) << "another timer is ignored";

    ASSERT_TRUE(PumpUntil([&] { return !splash.IsWindowVisible(); }, 6000));
    const DWORD shownFor = ::GetTickCount() - shownAt;
    EXPECT_GE(shownFor, 2400u) << "the tick count moves in steps of about 16 ms";
    EXPECT_TRUE(::IsWindow(splash.m_hWnd)) << "hidden, not destroyed: its owner destroys it";

    HWND window = splash.m_hWnd;
    splash.DestroyWindow();
    EXPECT_FALSE(::IsWindow(window));
    EXPECT_EQ(splash.m_hWnd, nullptr);
}

TEST_F(SplashTest, SitsInTheMiddleOfTheScreen)
{
    CSplashWnd splash;
    ASSERT_TRUE(splash.Create());
    RECT window{};
    splash.GetWindowRect(&window);
    RECT workArea{};
    ::SystemParametersInfoA(SPI_GETWORKAREA, 0, &workArea, 0);
    EXPECT_NEAR((window.left + window.right) / 2, (workArea.left + workArea.right) / 2, 2);
    EXPECT_NEAR((window.top + window.bottom) / 2, (workArea.top + workArea.bottom) / 2, 2);
}

TEST_F(SplashTest, CanBeDestroyedEarlyAndMadeAgain)
{
    CSplashWnd splash;
    ASSERT_TRUE(splash.Create());
    splash.ShowWindow(SW_SHOW);
    splash.DestroyWindow();  // the timer still runs: it goes with the window
    EXPECT_EQ(splash.m_hWnd, nullptr);
    PumpPending();
    ASSERT_TRUE(splash.Create());
    CRgn windowRegion;
    windowRegion.CreateRectRgn(0, 0, 0, 0);
    EXPECT_EQ(::GetWindowRgn(splash.m_hWnd, windowRegion), COMPLEXREGION);
}
