// The swatch button and the image-list button: what each draws, what a click
// reports to the parent, and what the swatch button releases with its window.
#include "ButtonTestSupport.h"

#include "framework/ErrorReport.h"
#include "uikit/ImageListButton.h"
#include "uikit/SwatchButton.h"

#include <gtest/gtest.h>

#include <vector>

using namespace button_test;

namespace {

constexpr COLORREF kMarker = RGB(0, 128, 255);
constexpr COLORREF kFaceColor = RGB(30, 160, 90);
constexpr COLORREF kPreviewColor = RGB(200, 40, 120);

// A parent that keeps the swatch clicks and hears the image-list button's clicks.
class CPictureParent : public CParentWindow, public CImageListButtonOwner {
public:
    std::vector<POINT> m_swatchClicks;
    int m_refreshes = 0;

    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        if (message == WM_SWATCH_CLICKED) {
            m_swatchClicks.push_back(POINT{static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))});
            return 0;
        }
        return CParentWindow::WindowProc(message, wParam, lParam);
    }
    void OnImageListButtonClicked() override { ++m_refreshes; }
};

std::unique_ptr<CBitmap> SolidBitmap(int width, int height, COLORREF color)
{
    const CClientDC screen(nullptr);
    auto bitmap = std::make_unique<CBitmap>();
    bitmap->CreateCompatibleBitmap(screen, width, height);
    CMemoryDC memory(screen);
    CSelectGuard selected(memory, *bitmap);
    memory.FillSolidRect(RECT{0, 0, width, height}, color);
    return bitmap;
}

void Click(HWND window, int x, int y)
{
    ::SendMessageA(window, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(x, y));
    ::SendMessageA(window, WM_LBUTTONUP, 0, MAKELPARAM(x, y));
}

}  // namespace

// ---- swatch button ------------------------------------------------------------------

class SwatchButtonTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_swatch.SubclassWindow(m_parent.AddButton(1, BS_PUSHBUTTON, "", RECT{10, 10, 60, 40})));
    }

    ScopedErrorReportHook m_noBoxes{[this](const ErrorReport& report) { m_reports.push_back(report.number); }};
    std::vector<int> m_reports;
    CPictureParent m_parent;
    CSwatchButton m_swatch;
};

TEST_F(SwatchButtonTest, BecomesOwnerDrawnAndLeavesErasingToItsPainting)
{
    EXPECT_EQ(m_swatch.GetButtonStyle() & BS_TYPEMASK, static_cast<UINT>(BS_OWNERDRAW));
    EXPECT_EQ(m_swatch.m_pFaceDC, nullptr);
    EXPECT_EQ(m_swatch.m_pPreview, nullptr);
    EXPECT_FALSE(m_swatch.m_bShowPreview);
    CCanvas canvas(80, 50, kMarker);
    EXPECT_EQ(m_swatch.SendMessage(WM_ERASEBKGND, reinterpret_cast<WPARAM>(canvas.dc())), 0);
    EXPECT_EQ(canvas.Count(RECT{0, 0, 80, 50}, kMarker), 80 * 50);
}

TEST_F(SwatchButtonTest, DrawsThePreviewAtItsSizeOrTheFacePictureAtTheButtonsSize)
{
    CCanvas face(100, 100, kFaceColor);
    m_swatch.m_pFaceDC = face.dc();

    struct Case {
        const char* what;
        bool withPreview;
        bool showPreview;
        COLORREF inside;  // at (5, 5)
        RECT covered;     // the part of the canvas drawn over
    };
    const Case cases[] = {
        {"no preview: the face", false, true, kFaceColor, RECT{0, 0, 50, 30}},
        {"preview not shown: the face", true, false, kFaceColor, RECT{0, 0, 50, 30}},
        {"preview shown, at its own size", true, true, kPreviewColor, RECT{0, 0, 20, 12}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        m_swatch.m_pPreview = c.withPreview ? SolidBitmap(20, 12, kPreviewColor) : nullptr;
        m_swatch.m_bShowPreview = c.showPreview;
        CCanvas canvas(80, 50, kMarker);
        DrawInto(m_swatch, canvas, 0);
        EXPECT_EQ(canvas.Pixel(5, 5), c.inside);
        const int coveredArea = (c.covered.right - c.covered.left) * (c.covered.bottom - c.covered.top);
        EXPECT_EQ(canvas.Count(c.covered, c.inside), coveredArea);
        EXPECT_EQ(canvas.Count(RECT{0, 0, 80, 50}, kMarker), 80 * 50 - coveredArea) << "nothing else";
    }

    m_swatch.m_pFaceDC = nullptr;
    m_swatch.m_pPreview.reset();
    CCanvas untouched(80, 50, kMarker);
    DrawInto(m_swatch, untouched, 0);
    EXPECT_EQ(untouched.Count(RECT{0, 0, 80, 50}, kMarker), 80 * 50) << "nothing to show";
    EXPECT_TRUE(m_reports.empty());
}

TEST_F(SwatchButtonTest, ClickOnAPreviewReportsThePointToTheParent)
{
    Click(m_swatch, 7, 9);
    PumpPending();
    EXPECT_TRUE(m_parent.m_swatchClicks.empty()) << "without a preview nothing is posted";

    m_swatch.m_pPreview = SolidBitmap(20, 12, kPreviewColor);
    Click(m_swatch, 7, 9);
    Click(m_swatch, 49, 0);
    PumpPending();
    ASSERT_EQ(m_parent.m_swatchClicks.size(), 2u);
    EXPECT_EQ(m_parent.m_swatchClicks[0].x, 7);
    EXPECT_EQ(m_parent.m_swatchClicks[0].y, 9);
    EXPECT_EQ(m_parent.m_swatchClicks[1].x, 49);
    EXPECT_EQ(m_parent.m_swatchClicks[1].y, 0);
    EXPECT_EQ(m_parent.Clicks(1), 3) << "the button still clicks as a button";
}

TEST_F(SwatchButtonTest, PreviewIsReleasedWithTheWindow)
{
    m_swatch.m_pPreview = SolidBitmap(20, 12, kPreviewColor);
    const HBITMAP preview = *m_swatch.m_pPreview;
    ASSERT_EQ(::GetObjectType(preview), static_cast<DWORD>(OBJ_BITMAP));
    ::DestroyWindow(m_swatch.m_hWnd);
    EXPECT_EQ(m_swatch.m_pPreview, nullptr);
    EXPECT_EQ(::GetObjectType(preview), 0u) << "the bitmap is deleted";
}

// ---- image-list button ------------------------------------------------------------------

class ImageListButtonTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_button.SubclassWindow(m_parent.AddButton(2, BS_PUSHBUTTON, "", RECT{20, 30, 100, 50})));
        for (int image = 0; image < 2; ++image) {
            m_pictures.push_back(std::make_unique<CCanvas>(CImageListButton::kWidth, CImageListButton::kHeight, kMarker));
            m_button.Images().Draw(m_pictures.back()->dc(), image, POINT{0, 0}, ILD_NORMAL);
        }
    }

    // Whether the button's face is the picture of that image.
    bool ShowsPicture(int image)
    {
        CCanvas canvas(CImageListButton::kWidth, CImageListButton::kHeight, kMarker);
        DrawInto(m_button, canvas, 0);
        const CCanvas& picture = *m_pictures[static_cast<size_t>(image)];
        for (int y = 0; y < canvas.height(); ++y)
            for (int x = 0; x < canvas.width(); ++x)
                if (canvas.Pixel(x, y) != picture.Pixel(x, y))
                    return false;
        return true;
    }

    ScopedErrorReportHook m_noBoxes{[this](const ErrorReport& report) { m_reports.push_back(report.number); }};
    std::vector<int> m_reports;
    CPictureParent m_parent;
    CImageListButton m_button;
    std::vector<std::unique_ptr<CCanvas>> m_pictures;
};

TEST_F(ImageListButtonTest, HoldsTwoPicturesAndTakesTheirSize)
{
    EXPECT_EQ(m_button.Images().GetImageCount(), 2);
    const SIZE size = m_button.Images().GetImageSize();
    EXPECT_EQ(size.cx, CImageListButton::kWidth);
    EXPECT_EQ(size.cy, CImageListButton::kHeight);
    EXPECT_FALSE(ShowsPicture(0) && ShowsPicture(1)) << "the two pictures differ";

    RECT window{};
    m_button.GetWindowRect(&window);
    m_parent.ScreenToClient(&window);
    EXPECT_EQ(window.left, 20) << "not moved";
    EXPECT_EQ(window.top, 30);
    EXPECT_EQ(window.right - window.left, 145);
    EXPECT_EQ(window.bottom - window.top, 36);
    EXPECT_EQ(m_button.GetButtonStyle() & BS_TYPEMASK, static_cast<UINT>(BS_OWNERDRAW));
    EXPECT_TRUE(ShowsPicture(0)) << "the left part until the owner says otherwise";
    EXPECT_TRUE(m_reports.empty());
}

TEST_F(ImageListButtonTest, ClickChoosesThePartAndTheOwnerFollows)
{
    struct Case {
        int x;
        bool leftPart;
        int picture;
    };
    const Case cases[] = {{64, false, 1}, {63, true, 0}, {0, true, 0}, {144, false, 1}, {100, false, 1}};
    int clicks = 0;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.x);
        Click(m_button, c.x, 10);
        ++clicks;
        EXPECT_EQ(m_button.m_bLeftPart, c.leftPart);
        EXPECT_TRUE(ShowsPicture(c.picture));
        EXPECT_EQ(m_parent.m_refreshes, clicks) << "one refresh of the owner per click";
    }
    EXPECT_TRUE(m_reports.empty());
}
