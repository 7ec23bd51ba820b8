#include "label/LabelGeometry.h"
#include "view/Quorbel6View.h"

#include "framework/ErrorReport.h"
#include "view/ViewGeometry.h"

#include <algorithm>

void CQuorbel6View::PrepareBitmaps()
{
    Guarded(19, ErrorSink::Window(this), [&] {
        CClientDC screen(nullptr);
        const int dpi = screen.GetDeviceCaps(LOGPIXELSX);
        m_nScreenDpi = dpi > 0 ? dpi : 96;
        m_surfaceBitmaps.Create(screen.m_hDC);
        // Every panel of the program tiles the same bitmap; it is kept here and lent to the application.
        LendPanelBackground(true);
    });
}

void CQuorbel6View::UpdateScale()
{
    m_renderer.SetModel(Model());
    m_renderer.SetScale(m_nScreenDpi, Model().Shown().zoom);
    m_sizePaperScreen = SIZE{DocToScreenLength(m_sizePaper.cx), DocToScreenLength(m_sizePaper.cy)};
    m_rcGuideScreen = DocToScreenRectScale(m_rcGuide);
}

void CQuorbel6View::UpdateScrollSizes()
{
    Guarded(99, ErrorSink::Window(this), [&] {
        if (!m_hWnd)
            return;
        SetScrollSizes(MM_TEXT, SIZE{m_sizePaperScreen.cx + 2 * ViewGeometry::kPageMargin,
                                     m_sizePaperScreen.cy + 2 * ViewGeometry::kPageMargin});
    });
}

void CQuorbel6View::CenterSurface()
{
    RECT client{};
    if (m_hWnd)
        GetClientRect(&client);
    m_ptPageOrigin =
        ViewGeometry::CenterOrigin(SIZE{client.right - client.left, client.bottom - client.top}, m_sizePaperScreen);
}

int CQuorbel6View::DocToScreenLength(int length) const
{
    return LabelGeometry::LengthToPixels(length, m_nScreenDpi, Model().Shown().zoom);
}

RECT CQuorbel6View::DocToScreenRectScale(const RECT& rect) const
{
    return RECT{DocToScreenLength(rect.left), DocToScreenLength(rect.top), DocToScreenLength(rect.right),
                DocToScreenLength(rect.bottom)};
}

RECT CQuorbel6View::DeviceToDocRect(const RECT& rect) const
{
    auto doc = [&](LONG pixels) { return LabelGeometry::PixelsToLength(pixels, m_nScreenDpi, Model().Shown().zoom); };
    return RECT{doc(rect.left), doc(rect.top), doc(rect.right), doc(rect.bottom)};
}

SIZE CQuorbel6View::DocToScreenSize(SIZE size) const
{
    return SIZE{DocToScreenLength(size.cx), DocToScreenLength(size.cy)};
}

bool CQuorbel6View::ZoomFitsBitmaps() const
{
    // Every surface drawn on the page shown must stay inside its bitmap, and so
    // must the one shown; both discs and both covers are checked on their own.
    unsigned surfaces = 0;
    if (Model().Placement().backCoverPage == Model().Shown().page)
        surfaces |= ViewGeometry::kBackCoverSurface;
    if (Model().Placement().frontCoverPage == Model().Shown().page)
        surfaces |= ViewGeometry::kFrontCoverSurface;
    if (Model().Placement().disc1Page == Model().Shown().page)
        surfaces |= ViewGeometry::kDisc1Surface;
    if (Model().Placement().disc2Page == Model().Shown().page)
        surfaces |= ViewGeometry::kDisc2Surface;
    if (Model().Shown().surface == "Back Cover" || Model().Shown().surface == "Front Cover")
        surfaces |= ViewGeometry::kBackCoverSurface | ViewGeometry::kFrontCoverSurface;
    else if (Model().Shown().surface == "Disc 1" || Model().Shown().surface == "Disc 2")
        surfaces |= ViewGeometry::kDisc1Surface | ViewGeometry::kDisc2Surface;
    return ViewGeometry::SurfacesFitBitmaps(m_renderer.Geometry(), surfaces);
}

namespace
{
// The printable area for a sheet: Letter when one side is 11 inches, else A4;
// turned for a landscape (or square) sheet.
RECT GuideForSheet(SIZE sheet, const RECT& a4, const RECT& letter)
{
    const RECT& portrait = (sheet.cx == 11000 || sheet.cy == 11000) ? letter : a4;
    if (sheet.cx < sheet.cy)
        return portrait;
    return RECT{portrait.top, portrait.left, portrait.bottom, portrait.right};
}
}  // namespace

void CQuorbel6View::ShowSurface(const CString& surfaceName)
{
    Guarded(15, ErrorSink::Window(this), [&] {
        const BYTE drawing = m_bDrawingEnabled;
        m_bDrawingEnabled = 0;
        DrawSurface(kDrawClear);
        if (!surfaceName.IsEmpty())
            Model().Shown().surface = surfaceName;
        // The page the surface lies on; a surface the label does not have keeps the page.
        const CString* surfacePage = Model().Shown().surface == "Back Cover"    ? &Model().Placement().backCoverPage
                                     : Model().Shown().surface == "Front Cover" ? &Model().Placement().frontCoverPage
                                     : Model().Shown().surface == "Disc 1"      ? &Model().Placement().disc1Page
                                     : Model().Shown().surface == "Disc 2"      ? &Model().Placement().disc2Page
                                                                     : nullptr;
        if (surfacePage && !surfacePage->IsEmpty())
            Model().Shown().page = *surfacePage;

        UpdatePaperSize();

        UpdateScale();
        UpdateScrollSizes();
        CenterSurface();
        m_bGeometryReady = 1;

        DrawSurface(kDrawFull);
        m_bDrawingEnabled = drawing;
        DrawNow();
    });
}

void CQuorbel6View::DrawNow()
{
    if (!m_hWnd)
        return;
    // A window context, not prepared for the scroll position: OnDraw applies it.
    m_bRawContext = 1;
    CClientDC dc(m_hWnd);
    OnDraw(&dc);
    m_bRawContext = 0;
}

void CQuorbel6View::OnSize(UINT type, int cx, int cy)
{
    Guarded(86, ErrorSink::Window(this), [&] {
        CScrollView::OnSize(type, cx, cy);
        if (m_bGeometryReady)
            CenterSurface();
    });
}

void CQuorbel6View::OnInitialUpdate()
{
    Guarded(75, ErrorSink::Window(this), [&] {
        m_bDrawingEnabled = 0;
        CScrollView::OnInitialUpdate();
        PrepareBitmaps();
        SetScrollSizes(MM_TEXT, SIZE{0, 0});
        GetDefaultPrinter();
    });
}

void CQuorbel6View::UpdatePaperSize()
{
    auto paper = [&](int index) -> const CLabelDim* {
        return index >= 0 && index < static_cast<int>(m_labelTemplates.size())
                   ? m_labelTemplates[static_cast<size_t>(index)].get()
                   : nullptr;
    };
    if (Model().Shown().page == "1") {
        if (const CLabelDim* disc = paper(m_nDiscTemplate))
            m_sizePaper = SIZE{disc->m_nSheetWidth1, disc->m_nSheetHeight1};
    } else if (const CLabelDim* insert = paper(m_nJewelTemplate)) {
        m_sizePaper = Model().Shown().page == "2" ? SIZE{insert->m_nSheetWidth1, insert->m_nSheetHeight1}
                                       : SIZE{insert->m_nSheetWidth2, insert->m_nSheetHeight2};
    }
    m_rcGuide = GuideForSheet(m_sizePaper, m_rcPrintableA4, m_rcPrintableLetter);
}

void CQuorbel6View::FitZoomToSurface()
{
    Guarded(105, ErrorSink::Window(this), [&] {
        if (Model().Shown().surface != "Back Cover" && Model().Shown().surface != "Front Cover" && Model().Shown().surface != "Disc 1" &&
            Model().Shown().surface != "Disc 2")
            Model().Shown().surface = Model().Shown().page == "1" ? "Disc 1" : Model().Shown().page == "2" ? "Front Cover" : "Back Cover";
        SIZE target{};
        if (Model().Shown().surface == "Back Cover")
            target = SIZE{Model().Placement().geometry.back.width, Model().Placement().geometry.back.height};
        else if (Model().Shown().surface == "Front Cover")
            target = SIZE{Model().Placement().geometry.front.width, Model().Placement().geometry.front.height};
        else {
            const DiscGeometry& disc = Model().Shown().surface == "Disc 1" ? Model().Placement().geometry.disc1 : Model().Placement().geometry.disc2;
            target = SIZE{disc.outerDiameter, disc.outerDiameter};
        }
        RECT client{};
        if (m_hWnd)
            GetClientRect(&client);
        // Without a client area (no window, or not laid out yet) there is
        // nothing to fit: the zoom stays.
        if (client.right <= 0 || client.bottom <= 0) {
            UpdateScale();
            CenterSurface();
            UpdateScrollSizes();
            return;
        }
        const SIZE bars{::GetSystemMetrics(SM_CXVSCROLL), ::GetSystemMetrics(SM_CYHSCROLL)};
        Model().Shown().zoom = ViewGeometry::FitZoom(target, m_sizePaper, SIZE{client.right, client.bottom}, bars, m_nScreenDpi);
        // A fitted zoom never lets a surface of the page outgrow its bitmap.
        KeepZoomInsideBitmaps();
        CenterSurface();
        UpdateScrollSizes();
    });
}
