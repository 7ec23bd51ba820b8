// The small owner-drawn buttons: the track well, the ellipsis button, the
// caption frame, the transparent check box, the icon check box and the image
// check box.
#include "uikit/CaptionFrameButton.h"
#include "uikit/CheckImageButton.h"
#include "uikit/EllipsisButton.h"
#include "uikit/IconButton.h"
#include "uikit/TrackButton.h"
#include "uikit/TransparentButton.h"

#include "ButtonTestSupport.h"
#include "framework/ImageList.h"
#include "resource.h"

#include <gtest/gtest.h>

using namespace button_test;

namespace {

constexpr COLORREF kPanelGrey = RGB(185, 185, 185);

COLORREF Sys(int index)
{
    return ::GetSysColor(index) & 0xFFFFFF;
}

}  // namespace

TEST(TrackButton, WhiteSunkenWellInEveryState)
{
    CParentWindow parent;
    CTrackButton well;
    ASSERT_TRUE(well.SubclassWindow(parent.AddButton(1, BS_OWNERDRAW, "", RECT{10, 10, 110, 60})));
    for (UINT state : {0u, static_cast<UINT>(ODS_SELECTED), static_cast<UINT>(ODS_DISABLED | ODS_FOCUS)}) {
        SCOPED_TRACE(state);
        CCanvas canvas(100, 50);
        DrawInto(well, canvas, state);
        EXPECT_EQ(canvas.Pixel(0, 0), Sys(COLOR_BTNSHADOW));
        EXPECT_EQ(canvas.Pixel(99, 49), Sys(COLOR_BTNHIGHLIGHT));
        EXPECT_EQ(canvas.Pixel(1, 1), Sys(COLOR_3DDKSHADOW));
        EXPECT_EQ(canvas.Pixel(98, 48), Sys(COLOR_3DLIGHT));
        EXPECT_EQ(canvas.Count(RECT{2, 2, 98, 48}, RGB(255, 255, 255)), 96 * 46);
    }
    CCanvas untouched(100, 50, RGB(1, 2, 3));
    EXPECT_EQ(well.SendMessage(WM_ERASEBKGND, reinterpret_cast<WPARAM>(untouched.dc())), 0);
    EXPECT_EQ(untouched.Pixel(50, 25), RGB(1, 2, 3)) << "the background is left to the painting";
}

TEST(EllipsisButton, TakesOverAPushButtonAndDrawsThreeDots)
{
    CParentWindow parent;
    CEllipsisButton ellipsis;
    HWND window = parent.AddButton(1, BS_PUSHBUTTON, "...", RECT{10, 10, 26, 26});
    ASSERT_TRUE(ellipsis.SubclassWindow(window));
    EXPECT_EQ(static_cast<UINT>(::GetWindowLongA(window, GWL_STYLE)) & BS_TYPEMASK, static_cast<UINT>(BS_OWNERDRAW));

    struct Case {
        UINT state;
        int firstDot;
        COLORREF corner;
    };
    for (const Case c : {Case{0, 4, Sys(COLOR_3DLIGHT)}, Case{ODS_SELECTED, 5, Sys(COLOR_BTNSHADOW)}}) {
        SCOPED_TRACE(c.state);
        CCanvas canvas(16, 16);
        DrawInto(ellipsis, canvas, c.state);
        for (int dot = 0; dot < 3; ++dot) {
            const int x = c.firstDot + 3 * dot;
            EXPECT_EQ(canvas.Count(RECT{x, 10, x + 2, 12}, Sys(COLOR_BTNTEXT)), 4) << "dot " << dot;
        }
        EXPECT_EQ(canvas.Count(RECT{2, 2, 14, 14}, Sys(COLOR_BTNTEXT)), 12) << "nothing but the dots";
        EXPECT_EQ(canvas.Pixel(0, 0), c.corner);
        EXPECT_EQ(canvas.Pixel(7, 5), Sys(COLOR_BTNFACE));
    }
    CCanvas raised(16, 16);
    DrawInto(ellipsis, raised, 0);
    EXPECT_EQ(raised.Pixel(15, 15), Sys(COLOR_3DDKSHADOW));
    EXPECT_EQ(raised.Pixel(14, 14), Sys(COLOR_BTNSHADOW));
    EXPECT_EQ(raised.Pixel(1, 1), Sys(COLOR_BTNHIGHLIGHT));
}

namespace {

// The frame's top line: the first row of its left edge in the frame colour.
int FrameTop(HWND window, COLORREF color)
{
    for (int y = 0; y < 40; ++y)
        if (SurfacePixel(window, 0, y) == color)
            return y;
    return -1;
}

}  // namespace

TEST(CaptionFrameButton, FrameLeavesAGapForItsCaptionOnly)
{
    CParentWindow parent;
    const COLORREF shadow = Sys(COLOR_BTNSHADOW);

    CCaptionFrameButton titled;
    HWND window = parent.AddButton(1, BS_GROUPBOX, "Frame", RECT{10, 10, 210, 110});
    ASSERT_TRUE(titled.SubclassWindow(window));
    EXPECT_EQ(static_cast<UINT>(::GetWindowLongA(window, GWL_STYLE)) & BS_TYPEMASK, static_cast<UINT>(BS_TYPEMASK));
    EXPECT_FALSE(::IsWindowEnabled(window)) << "only a frame";
    PaintNow(window);
    const int top = FrameTop(window, shadow);
    ASSERT_GE(top, 1) << "the top line runs through the middle of the caption";
    EXPECT_EQ(SurfacePixel(window, 5, top), shadow);
    EXPECT_NE(SurfacePixel(window, 12, top), shadow) << "the caption's gap";
    EXPECT_EQ(SurfacePixel(window, 190, top), shadow);
    EXPECT_EQ(SurfacePixel(window, 1, top + 1), Sys(COLOR_BTNHIGHLIGHT)) << "etched";
    EXPECT_EQ(SurfacePixel(window, 100, 98), shadow) << "the bottom line";

    CCaptionFrameButton empty;
    HWND emptyWindow = parent.AddButton(2, BS_GROUPBOX, "", RECT{10, 120, 210, 220});
    ASSERT_TRUE(empty.SubclassWindow(emptyWindow));
    PaintNow(emptyWindow);
    const int emptyTop = FrameTop(emptyWindow, shadow);
    ASSERT_GE(emptyTop, 0);
    for (int x = 0; x < 199; ++x)
        ASSERT_EQ(SurfacePixel(emptyWindow, x, emptyTop), shadow) << "closed frame, at x " << x;
}

TEST(CaptionFrameButton, FlatFrameAndTheExtraLineAreBlack)
{
    CParentWindow parent;
    CCaptionFrameButton frame;
    frame.extraLine = true;
    HWND window = parent.AddButton(1, BS_GROUPBOX | BS_FLAT, "Flat", RECT{10, 10, 210, 110});
    ASSERT_TRUE(frame.SubclassWindow(window));
    PaintNow(window);
    const int top = FrameTop(window, RGB(0, 0, 0));
    ASSERT_GE(top, 0);
    EXPECT_EQ(SurfacePixel(window, 5, top), RGB(0, 0, 0));
    EXPECT_EQ(SurfacePixel(window, 1, top + 1), Sys(COLOR_BTNHIGHLIGHT));
    EXPECT_EQ(SurfacePixel(window, 100, 99), RGB(0, 0, 0)) << "the extra line along the bottom";
    EXPECT_EQ(SurfacePixel(window, 199, 50), RGB(0, 0, 0)) << "and up the right side";
}

TEST(TransparentButton, AnswersAHollowBrushAndTilesTheBackgroundWhenAsked)
{
    CParentWindow parent;
    CTransparentButton check;
    HWND window = parent.AddButton(1, BS_AUTOCHECKBOX, "Check", RECT{10, 10, 110, 30});
    ASSERT_TRUE(check.SubclassWindow(window));

    CCanvas canvas(100, 24, RGB(1, 2, 3));
    const LRESULT brush = parent.SendMessage(WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(canvas.dc()),
                                             reinterpret_cast<LPARAM>(window));
    EXPECT_EQ(reinterpret_cast<HGDIOBJ>(brush), ::GetStockObject(NULL_BRUSH));
    EXPECT_EQ(::GetBkMode(canvas.dc()), TRANSPARENT);

    check.paintAppBackground = true;
    EXPECT_EQ(check.SendMessage(WM_ERASEBKGND, reinterpret_cast<WPARAM>(canvas.dc())), 0);
    EXPECT_EQ(canvas.Pixel(50, 10), kPanelGrey);
    EXPECT_EQ(canvas.Pixel(50, 21), kPanelGrey) << "two rows past the bottom as well";
}

TEST(TransparentButton, DisablingRepaintsTheParentBehindItFirst)
{
    CParentWindow parent;
    CTransparentButton radio;
    HWND window = parent.AddButton(1, BS_AUTORADIOBUTTON, "Radio", RECT{10, 10, 110, 30});
    ASSERT_TRUE(radio.SubclassWindow(window));
    PumpPending();
    const int before = parent.m_erasures;
    radio.EnableWindow(FALSE);
    EXPECT_GT(parent.m_erasures, before);
    EXPECT_FALSE(::IsWindowEnabled(window));
}

namespace {

// The 16 x 16 icon as it looks over the panel grey.
void ExpectIconAt(HWND window, int iconId)
{
    CCanvas reference(16, 16, kPanelGrey);
    HICON icon = static_cast<HICON>(
        ::LoadImageA(::GetModuleHandleA(nullptr), MAKEINTRESOURCEA(iconId), IMAGE_ICON, 16, 16, 0));
    ASSERT_NE(icon, nullptr);
    ::DrawIconEx(reference.dc(), 0, 0, icon, 16, 16, 0, nullptr, DI_NORMAL);
    ::DestroyIcon(icon);
    int differing = 0;
    for (int y = 0; y < 16; ++y)
        for (int x = 0; x < 16; ++x)
            differing += SurfacePixel(window, x, y) != reference.Pixel(x, y);
    EXPECT_EQ(differing, 0) << "icon " << iconId;
}

}  // namespace

TEST(IconButton, ShowsTheIconOfItsCheckStateBeforeItsText)
{
    CParentWindow parent;
    CIconButton check;
    check.paintAppBackground = true;
    HWND window = parent.AddButton(1, BS_AUTOCHECKBOX, "Icons", RECT{10, 10, 110, 30});
    ASSERT_TRUE(check.SubclassWindow(window));

    check.SendMessage(BM_SETCHECK, BST_CHECKED);
    PaintNow(window);
    ExpectIconAt(window, IDI_CHECK_SET);
    int ink = 0;
    for (int x = 18; x < 60; ++x)
        for (int y = 0; y < 16; ++y)
            ink += SurfacePixel(window, x, y) == Sys(COLOR_BTNTEXT);
    EXPECT_GT(ink, 0) << "the text from x 18";
    for (int y = 0; y < 16; ++y)
        EXPECT_EQ(SurfacePixel(window, 17, y), kPanelGrey);

    check.SendMessage(BM_SETCHECK, BST_UNCHECKED);
    PaintNow(window);
    ExpectIconAt(window, IDI_CHECK_CLEAR);
}

namespace {

class CheckImageTest : public ::testing::Test {
protected:
    CheckImageTest()
    {
        m_images.Create(13, 13, ILC_COLOR24 | ILC_MASK, 3, 0);
        for (UINT id : {IDB_CHECK_BOX_CLEAR, IDB_CHECK_BOX_SET, IDB_CHECK_BOX_DISABLED}) {
            HBITMAP bitmap = ::LoadBitmapA(::GetModuleHandleA(nullptr), MAKEINTRESOURCEA(id));
            m_images.Add(bitmap, RGB(255, 0, 255));
            ::DeleteObject(bitmap);
        }
    }
    // Which of the three images the canvas shows at (0, 0); -1 for none.
    int ShownImage(const CCanvas& canvas)
    {
        for (int image = 0; image < 3; ++image) {
            CCanvas reference(13, 13, kPanelGrey);
            m_images.Draw(reference.dc(), image, POINT{0, 0}, ILD_TRANSPARENT);
            bool same = true;
            for (int y = 0; y < 13 && same; ++y)
                for (int x = 0; x < 13 && same; ++x)
                    same = canvas.Pixel(x, y) == reference.Pixel(x, y);
            if (same)
                return image;
        }
        return -1;
    }

    CImageList m_images;
    CParentWindow parent;
};

}  // namespace

TEST_F(CheckImageTest, PressFlipsTheStateAndTheImageFollows)
{
    CCheckImageButton box;
    HWND window = parent.AddButton(1, BS_OWNERDRAW, "Print", RECT{10, 10, 110, 26});
    ASSERT_TRUE(box.SubclassWindow(window));
    EXPECT_FALSE(box.IsChecked());

    CCanvas clear(100, 16);
    DrawInto(box, clear, 0);
    EXPECT_EQ(ShownImage(clear), 0);

    box.SendMessage(BM_CLICK);
    EXPECT_TRUE(box.IsChecked());
    CCanvas set(100, 16);
    DrawInto(box, set, 0);
    EXPECT_EQ(ShownImage(set), 1);
    EXPECT_EQ(parent.Clicks(1), 1);

    box.SetChecked(false);
    EXPECT_FALSE(box.IsChecked());
}

TEST_F(CheckImageTest, DisabledShowsTheDisabledImageWhateverTheState)
{
    CCheckImageButton box;
    ASSERT_TRUE(box.SubclassWindow(parent.AddButton(1, BS_OWNERDRAW, "Print", RECT{10, 10, 110, 26})));
    box.EnableWindow(FALSE);
    for (bool checked : {false, true}) {
        box.SetChecked(checked);
        CCanvas canvas(100, 16);
        DrawInto(box, canvas, ODS_DISABLED);
        EXPECT_EQ(ShownImage(canvas), 2) << checked;
    }
}

TEST_F(CheckImageTest, BackgroundLinesUpWithTheParentsTiles)
{
    CCheckImageButton box;
    ASSERT_TRUE(box.SubclassWindow(parent.AddButton(1, BS_OWNERDRAW, "", RECT{10, 10, 110, 26})));
    CCanvas canvas(100, 16, RGB(1, 2, 3));
    DrawInto(box, canvas, 0);
    EXPECT_EQ(canvas.Pixel(50, 8), kPanelGrey) << "the plain panel grey without a background bitmap";
}
