// The label as the running program paints it: the whole start-up, the first
// document, then the view's paint routine rendered into a bitmap of the
// client area's size, the way WM_PAINT prepares its context.
#include "app/Quorbel6App.h"
#include "document/Quorbel6Doc.h"
#include "framework/ErrorReport.h"
#include "framework/Gdi.h"
#include "view/Quorbel6View.h"

#include "RunningApp.h"
#include "support/DibPicture.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <functional>
#include <utility>
#include <vector>

namespace {

constexpr COLORREF kOutline = RGB(60, 119, 119);

// What the view paints into its client area.
class ClientPicture
{
public:
    explicit ClientPicture(CQuorbel6View& view) : m_picture(ClientSize(view.m_hWnd))
    {
        const SIZE size = m_picture.Size();
        ::PatBlt(m_picture.Dc().m_hDC, 0, 0, size.cx, size.cy, BLACKNESS);
        view.OnPrepareDC(&m_picture.Dc());
        view.OnDraw(&m_picture.Dc());
        ::GdiFlush();
        if (const char* folder = std::getenv("SLEEVORY_TEST_PICTURES"))
            Save(std::string(folder) + "\\view-" + std::to_string(++Serial()) + ".bmp");
    }

    // For a look at what the test saw: SLEEVORY_TEST_PICTURES names a folder.
    void Save(const std::string& path) const
    {
        const SIZE m_size = m_picture.Size();
        const uint32_t* m_bits = m_picture.Bits();
        BITMAPFILEHEADER file{};
        BITMAPINFOHEADER info{};
        info.biSize = sizeof info;
        info.biWidth = m_size.cx;
        info.biHeight = -m_size.cy;
        info.biPlanes = 1;
        info.biBitCount = 32;
        const DWORD bytes = static_cast<DWORD>(m_size.cx) * static_cast<DWORD>(m_size.cy) * 4;
        file.bfType = 0x4D42;
        file.bfOffBits = sizeof file + sizeof info;
        file.bfSize = file.bfOffBits + bytes;
        if (FILE* out = std::fopen(path.c_str(), "wb")) {
            std::fwrite(&file, sizeof file, 1, out);
            std::fwrite(&info, sizeof info, 1, out);
            // Opaque pixels: some viewers read the fourth byte as alpha.
            std::vector<uint32_t> opaque(m_bits, m_bits + bytes / 4);
            for (uint32_t& pixel : opaque)
                pixel |= 0xFF000000u;
            std::fwrite(opaque.data(), 1, bytes, out);
            std::fclose(out);
        }
    }

    SIZE Size() const { return m_picture.Size(); }
    COLORREF Pixel(int x, int y) const { return m_picture.Pixel(x, y); }
    int Count(const RECT& area, const std::function<bool(COLORREF)>& test) const
    {
        int count = 0;
        for (int y = area.top; y < area.bottom; ++y)
            for (int x = area.left; x < area.right; ++x)
                if (const COLORREF pixel = Pixel(x, y); pixel != CLR_INVALID && test(pixel))
                    ++count;
        return count;
    }

private:
    static int& Serial()
    {
        static int serial = 0;
        return serial;
    }
    static SIZE ClientSize(HWND window)
    {
        RECT client{};
        ::GetClientRect(window, &client);
        return SIZE{client.right, client.bottom};
    }
    DibPicture m_picture;
};

bool IsDark(COLORREF c)
{
    return GetRValue(c) < 90 && GetGValue(c) < 90 && GetBValue(c) < 90;
}
bool IsBlack(COLORREF c)
{
    return c == RGB(0, 0, 0);
}
bool IsWhite(COLORREF c)
{
    return c == RGB(255, 255, 255);
}

// Where a page rectangle in pixels lies in the client area.
RECT ToClient(const CQuorbel6View& view, RECT rect)
{
    const POINT scroll = view.GetDeviceScrollPosition();
    ::OffsetRect(&rect, -scroll.x - view.m_ptPageOrigin.x, -scroll.y - view.m_ptPageOrigin.y);
    return rect;
}

RECT DiscSquare(const CQuorbel6View& view, const ScreenDisc& disc)
{
    return ToClient(view, RECT{disc.left, disc.top, disc.left + disc.outerDiameter, disc.top + disc.outerDiameter});
}

// A disc as the user must see it: white on its ring and in its hole, the album
// texts in dark letters, edge and hole drawn in the outline colour.
void ExpectDiscDrawn(const ClientPicture& picture, const CQuorbel6View& view, const ScreenDisc& disc,
                     const char* which, bool withTexts)
{
    const RECT square = DiscSquare(view, disc);
    const int area = (square.right - square.left) * (square.bottom - square.top);
    ASSERT_GT(area, 100 * 100) << which;
    EXPECT_LT(picture.Count(square, IsBlack), area / 20) << which << ": not a black disc";
    EXPECT_GT(picture.Count(square, IsWhite), area / 2) << which;
    if (withTexts) {
        EXPECT_GT(picture.Count(square, IsDark), 40) << which << ": the album texts";
    }
    EXPECT_GT(picture.Count(square, [](COLORREF c) { return c == kOutline; }), disc.outerDiameter) << which;
    const int centre = disc.outerDiameter / 2;
    EXPECT_TRUE(IsWhite(picture.Pixel(square.left + centre, square.top + centre))) << which << ": the hole";
}

CString Inches(int thousandths)
{
    char text[32];
    std::snprintf(text, sizeof text, "%d.%03d ''", thousandths / 1000, thousandths % 1000);
    return text;
}

// A text or track-list object over a box of a surface, showing the named text row.
void AddTextObject(CQuorbel6View& view, const char* name, const char* type, const char* surface, const char* page,
                   RECT box)
{
    const std::vector<std::pair<const char*, CString>> rows = {
        {"Page", page}, {"View", surface}, {"Left", Inches(box.left)}, {"Top", Inches(box.top)},
        {"Width", Inches(box.right - box.left)}, {"Height", Inches(box.bottom - box.top)},
        {"Font", "Arial,20,700,0"}, {"Color", "0,0,0"}, {"Alignment", "Center"}, {"MultiLine", "No"},
        {"Angle", "0 degrees"}, {"Track Numbers", "Yes"}, {"Track Times", "Yes"}, {"Offset Numbers", "No"},
        {"Skip Center", "Yes"}, {"Wrap Tracks", "No"}, {"Vector Data", ""}};
    int after = static_cast<int>(rows.size());
    view.Model().AppendRow(PropertyEntry{name, "Item Type", type, 1, "", "", after});
    for (const auto& [key, value] : rows)
        view.Model().AppendRow(PropertyEntry{name, key, value, 1, "EDIT", "", --after});
}

// Album texts on the disc, the front cover and the back cover of a single label.
void AddAlbumObjects(CQuorbel6View& view)
{
    const int artist = view.FindTextRow("Artist");
    const int title = view.FindTextRow("Title");
    ASSERT_GE(artist, 0);
    ASSERT_GE(title, 0);
    view.SetTextRowValue(artist, "THE BAND");
    view.SetTextRowValue(title, "FIRST ALBUM");
    const DiscGeometry& disc = view.Model().Placement().geometry.disc1;
    const int d = disc.outerDiameter;
    AddTextObject(view, "Artist(1)", "Text", "Disc 1", "1",
                  RECT{disc.left + d / 5, disc.top + d / 20, disc.left + 4 * d / 5, disc.top + d / 5});
    const FrontCoverGeometry& front = view.Model().Placement().geometry.front;
    AddTextObject(view, "Title(1)", "Text", "Front Cover", view.Model().Placement().frontCoverPage,
                  RECT{front.left + front.width / 4, front.top + front.height / 3, front.left + 3 * front.width / 4,
                       front.top + front.height / 2});
    const BackCoverGeometry& back = view.Model().Placement().geometry.back;
    AddTextObject(view, "Track List(1)", "Track", "Back Cover", view.Model().Placement().backCoverPage,
                  RECT{back.left + back.tab + 200, back.top + 200, back.left + back.width - back.tab - 200,
                       back.top + back.height - 200});
}

}  // namespace

TEST(LabelOnScreen, DefaultLabelIsDrawnWhenTheProgramStartsAndFollowsTheViewCommands)
{
    const DWORD single = 1;  // the layout the program starts with
    ::RegSetKeyValueA(HKEY_LOCAL_MACHINE, "SOFTWARE\\Sleevory", "Template", REG_DWORD, &single, sizeof single);
    std::vector<std::string> errors;
    ScopedErrorReportHook hook([&](const ErrorReport& report) { errors.push_back(report.Text()); });
    struct NoErrors
    {
        const std::vector<std::string>& errors;
        ~NoErrors()
        {
            for (const std::string& error : errors)
                ADD_FAILURE() << error;
        }
    } noErrors{errors};
    RunningApp program;
    CQuorbel6View* view = program.RunToLabel();
    ASSERT_NE(view, nullptr);
    ASSERT_TRUE(view->m_bGeometryReady) << "the first label is shown without any command";
    ASSERT_TRUE(view->m_bDrawingEnabled);
    EXPECT_EQ(view->Renderer().Options().placeholderFace, App().m_strFontFace)
        << "the second disc's placeholder is captioned in the interface face";
    ASSERT_EQ(view->Model().Shown().layout, "Single");
    ASSERT_EQ(view->Model().Shown().page, "1");
    {
        // The empty label: white surfaces in their outlines, nothing black.
        const ClientPicture picture(*view);
        ExpectDiscDrawn(picture, *view, view->Renderer().Geometry().disc1, "empty disc 1", false);
    }

    AddAlbumObjects(*view);
    view->ShowSurface("");
    {
        const ClientPicture picture(*view);
        ExpectDiscDrawn(picture, *view, view->Renderer().Geometry().disc1, "disc 1", true);
        // The textured surround shows around the page where the window is wider.
        const RECT page = ToClient(*view, RECT{0, 0, view->m_sizePaperScreen.cx, view->m_sizePaperScreen.cy});
        if (page.left > 4) {
            EXPECT_LT(picture.Count(RECT{0, 0, page.left - 4, picture.Size().cy}, IsWhite),
                      (page.left - 4) * picture.Size().cy / 2);
        }
    }

    // The second disc of a single label is a placeholder: dotted, no solid outline, its words in grey.
    view->OnViewDisc2();
    {
        const ClientPicture picture(*view);
        const RECT second = DiscSquare(*view, view->Renderer().Geometry().disc2);
        EXPECT_EQ(picture.Count(second, [](COLORREF c) { return c == kOutline; }), 0);
        EXPECT_GT(picture.Count(second, [](COLORREF c) { return c == RGB(100, 100, 100); }), 100);
    }

    // The front cover: its page, a fitted zoom, the album title on it.
    view->OnViewFrontCover();
    ASSERT_EQ(view->Model().Shown().page, "2");
    const int fittedZoom = view->Model().Shown().zoom;
    {
        const ClientPicture picture(*view);
        const ScreenFrontCover& front = view->Renderer().Geometry().front;
        const RECT cover = ToClient(*view, RECT{front.left, front.top, front.left + front.width, front.top + front.height});
        RECT client{0, 0, picture.Size().cx, picture.Size().cy};
        RECT visible{};
        ASSERT_TRUE(::IntersectRect(&visible, &cover, &client)) << "the shown cover is in view";
        EXPECT_EQ(visible.right - visible.left, cover.right - cover.left) << "fitted: the whole width shows";
        EXPECT_GT(picture.Count(visible, IsDark), 40);
        EXPECT_LT(picture.Count(visible, IsBlack), (visible.right - visible.left) * (visible.bottom - visible.top) / 20);
    }

    // Zooming in and out redraws at the new size and back.
    view->OnZoomOut();
    EXPECT_EQ(view->Model().Shown().zoom, std::max(6, fittedZoom - 2));
    {
        const ClientPicture picture(*view);
        const ScreenFrontCover& front = view->Renderer().Geometry().front;
        const RECT cover = ToClient(*view, RECT{front.left, front.top, front.left + front.width, front.top + front.height});
        EXPECT_GT(picture.Count(cover, [](COLORREF c) { return c == kOutline; }), front.width);
    }

    // Zoomed out until the whole page shows inside the window: the surround on
    // every side of it is the texture, with no white from the page.
    RECT client{};
    ::GetClientRect(view->m_hWnd, &client);
    auto wholePage = [&] { return ToClient(*view, RECT{0, 0, view->m_sizePaperScreen.cx, view->m_sizePaperScreen.cy}); };
    for (int step = 0; step < 10; ++step) {
        const RECT page = wholePage();
        if (page.left > 10 && page.top > 10 && page.right < client.right - 10 && page.bottom < client.bottom - 10)
            break;
        view->OnZoomOut();
    }
    {
        const ClientPicture picture(*view);
        const RECT page = wholePage();
        ASSERT_GT(page.left, 10) << "zoomed out far enough";
        ASSERT_GT(page.top, 10);
        const RECT sides[] = {{0, 0, page.left - 1, client.bottom},
                              {0, 0, client.right, page.top - 1},
                              {page.right + 6, 0, client.right, client.bottom},
                              {0, page.bottom + 6, client.right, client.bottom}};
        for (const RECT& side : sides)
            EXPECT_EQ(picture.Count(side, IsWhite), 0)
                << side.left << "," << side.top << "-" << side.right << "," << side.bottom;
        EXPECT_GT(picture.Count(RECT{page.left + 1, page.top + 1, page.right - 1, page.bottom - 1}, IsWhite),
                  (page.right - page.left) * (page.bottom - page.top) / 2)
            << "the page itself is white";
    }

    view->OnViewBackCover();
    EXPECT_EQ(view->Model().Shown().page, "3");
    {
        const ClientPicture picture(*view);
        const ScreenBackCover& back = view->Renderer().Geometry().back;
        const RECT cover = ToClient(*view, RECT{back.left, back.top, back.left + back.width, back.top + back.height});
        EXPECT_GT(picture.Count(cover, [](COLORREF c) { return c == kOutline; }), back.width);
        EXPECT_GT(picture.Count(cover, IsDark), 40) << "the track list";
    }
}

TEST(LabelOnScreen, DoubleLabelAfterFileNewShowsBothDiscs)
{
    RunningApp program;
    CQuorbel6View* view = program.RunToLabel();
    ASSERT_NE(view, nullptr);
    auto* doc = dynamic_cast<CQuorbel6Doc*>(view->GetDocument());
    ASSERT_NE(doc, nullptr);

    view->m_nStartPreset = 2;  // a double label from its default template, without the dialog
    doc->OnFileNew();
    ASSERT_EQ(view->Model().Shown().layout, "Double");
    ASSERT_TRUE(view->m_bGeometryReady);
    view->OnViewDisc2();
    ASSERT_EQ(view->Model().Shown().page, view->Model().Placement().disc2Page);

    const ClientPicture picture(*view);
    ExpectDiscDrawn(picture, *view, view->Renderer().Geometry().disc2, "disc 2", false);
}

TEST(LabelOnScreen, ScreenPointsAndDocumentUnitsConvertBothWaysAndTheShownPartScrollsIntoView)
{
    RunningApp program;
    CQuorbel6View* view = program.RunToLabel();
    ASSERT_NE(view, nullptr);
    view->OnViewBackCover();
    const BackCoverGeometry& back = view->Model().Placement().geometry.back;
    const POINT centre{back.left + back.width / 2, back.top + back.height / 2};
    // Whether the cover's centre lies at least half the view below the page's
    // top, so that scrolling can bring it to the middle: the bars and panes
    // around the view leave it smaller than the screen.
    const auto centreCanComeToTheMiddle = [&] {
        view->ScrollToDevicePosition(POINT{0, 0});
        POINT at = view->DocToScreenPoint(centre);
        ::ScreenToClient(view->m_hWnd, &at);
        RECT client;
        view->GetClientRect(&client);
        return at.y >= client.bottom / 2;
    };
    // Large enough for the page to scroll both ways.
    for (int i = 0; i < 12 && (view->m_ptPageOrigin.y != -17 || !centreCanComeToTheMiddle()); ++i)
        view->OnZoomIn();
    ASSERT_EQ(view->m_ptPageOrigin.y, -17);
    // One pixel at this zoom, in thousandths of an inch, plus rounding.
    const int pixel = 1000 * 10 / (view->m_nScreenDpi * view->Model().Shown().zoom) + 1;

    const POINT screen = view->DocToScreenPoint(centre);
    const POINT back1 = view->ScreenToDocPoint(screen);
    EXPECT_NEAR(back1.x, centre.x, pixel);
    EXPECT_NEAR(back1.y, centre.y, pixel);
    const RECT docRect{back.left, back.top, back.left + back.width, back.top + back.height};
    const RECT screenRect = view->DocToScreenRect(docRect);
    EXPECT_EQ(screenRect.left, view->DocToScreenPoint(POINT{docRect.left, docRect.top}).x);
    const RECT back2 = view->ScreenToDocRect(screenRect);
    EXPECT_NEAR(back2.right, docRect.right, pixel);
    EXPECT_NEAR(back2.bottom, docRect.bottom, pixel);

    // Scrolled away to the top-left corner, the view comes back to the cover's centre.
    view->ScrollToDevicePosition(POINT{0, 0});
    view->ScrollToCurrentPart(false);
    const POINT shown = view->GetClientCentreDoc();
    EXPECT_NEAR(shown.y, centre.y, 2 * pixel);
    if (view->m_ptPageOrigin.x == -17) {
        EXPECT_NEAR(shown.x, centre.x, 2 * pixel);
    }
}

TEST(LabelOnScreen, PaintDrawsGridPointsPrintableAreaAndPageShadowOverTheSurfaces)
{
    RunningApp program;
    CQuorbel6View* view = program.RunToLabel();
    ASSERT_NE(view, nullptr);
    view->OnViewFrontCover();
    while (view->Model().Shown().zoom > 6)  // the whole page in the window
        view->OnZoomOut();
    view->m_bShowGrid = 1;
    view->m_nGridSpacingX = 500;
    view->m_nGridSpacingY = 500;
    view->m_rcPrintableA4 = RECT{250, 250, 8000, 11400};
    view->m_rcPrintableLetter = RECT{250, 250, 8250, 10750};
    view->m_bShowGuides = 0;
    view->OnViewShowGuides();  // on
    ASSERT_TRUE(view->m_bShowGuides);
    ASSERT_FALSE(::IsRectEmpty(&view->m_rcGuideScreen));

    const ClientPicture picture(*view);
    auto toClient = [&](POINT page) {
        const POINT scroll = view->GetDeviceScrollPosition();
        return POINT{page.x - scroll.x - view->m_ptPageOrigin.x, page.y - scroll.y - view->m_ptPageOrigin.y};
    };
    // A grid point is one inverted pixel: black where the page is white.
    int gridPoints = 0, checked = 0;
    for (int y = 500; y < 3000; y += 500)
        for (int x = 500; x < 3000; x += 500) {
            const SIZE at = view->DocToScreenSize(SIZE{x, y});
            const POINT client = toClient(POINT{at.cx, at.cy});
            const COLORREF left = picture.Pixel(client.x - 1, client.y);
            if (left != RGB(255, 255, 255))
                continue;  // on a surface or its outline: not a plain page pixel to judge by
            ++checked;
            gridPoints += picture.Pixel(client.x, client.y) == RGB(0, 0, 0);
        }
    ASSERT_GT(checked, 0);
    EXPECT_EQ(gridPoints, checked);

    // The printable area's dash-dot-dot rectangle: black pixels along its top edge.
    const POINT guideTopLeft = toClient(POINT{view->m_rcGuideScreen.left, view->m_rcGuideScreen.top});
    const POINT guideRight = toClient(POINT{view->m_rcGuideScreen.right, view->m_rcGuideScreen.top});
    int dashes = 0, span = 0;
    for (int x = std::max<LONG>(guideTopLeft.x, 0); x < std::min<LONG>(guideRight.x, picture.Size().cx); ++x, ++span)
        dashes += picture.Pixel(x, guideTopLeft.y) == RGB(0, 0, 0);
    ASSERT_GT(span, 40);
    EXPECT_GT(dashes, span / 3);
    EXPECT_LT(dashes, span) << "dashed, not solid";

    // The shadow: 4 pixels of black along the page's right and bottom edges.
    const SIZE page = view->m_sizePaperScreen;
    const POINT right = toClient(POINT{page.cx + 1, page.cy / 2});
    const POINT bottom = toClient(POINT{page.cx / 2, page.cy + 1});
    ASSERT_LT(right.x, picture.Size().cx) << "the page fits the window at zoom 6";
    ASSERT_LT(bottom.y, picture.Size().cy);
    EXPECT_EQ(picture.Pixel(right.x, right.y), RGB(0, 0, 0));
    EXPECT_EQ(picture.Pixel(bottom.x, bottom.y), RGB(0, 0, 0));
    EXPECT_NE(picture.Pixel(right.x + 6, right.y), RGB(0, 0, 0)) << "the surround past the shadow";

    view->OnViewShowGuides();  // off again
    EXPECT_FALSE(view->m_bShowGuides);
}
