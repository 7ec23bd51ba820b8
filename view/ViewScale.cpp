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
        m_selectionPatterns.Create(screen.m_hDC);
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

void CQuorbel6View::HideScrollBars()
{
    // The bars a new zoom needs are decided afresh against the whole client
    // area, not the one the old bars left.
    if (m_hWnd)
        ShowScrollBar(SB_BOTH, FALSE);
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
    const CLabelModel& model = Model();
    const CString& page = model.Shown().page;
    unsigned surfaces = 0;
    if (model.Placement().backCoverPage == page)
        surfaces |= ViewGeometry::kBackCoverSurface;
    if (model.Placement().frontCoverPage == page)
        surfaces |= ViewGeometry::kFrontCoverSurface;
    if (model.Placement().disc1Page == page)
        surfaces |= ViewGeometry::kDisc1Surface;
    if (model.Placement().disc2Page == page)
        surfaces |= ViewGeometry::kDisc2Surface;
    const Surface shown = SurfaceFromName(model.Shown().surface);
    if (shown == Surface::BackCover || shown == Surface::FrontCover)
        surfaces |= ViewGeometry::kBackCoverSurface | ViewGeometry::kFrontCoverSurface;
    else if (IsDisc(shown))
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
        LabelShown& shown = Model().Shown();
        if (!surfaceName.IsEmpty())
            shown.surface = surfaceName;
        // The page the surface lies on; a surface the label does not have keeps the page.
        if (const CString& page = Model().Placement().PageOf(SurfaceFromName(shown.surface)); !page.IsEmpty())
            shown.page = page;

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
    const CString& page = Model().Shown().page;
    if (page == "1") {
        if (const CLabelDim* disc = paper(m_nDiscTemplate))
            m_sizePaper = SIZE{disc->m_nSheetWidth1, disc->m_nSheetHeight1};
    } else if (const CLabelDim* insert = paper(m_nJewelTemplate)) {
        m_sizePaper = page == "2" ? SIZE{insert->m_nSheetWidth1, insert->m_nSheetHeight1}
                                       : SIZE{insert->m_nSheetWidth2, insert->m_nSheetHeight2};
    }
    m_rcGuide = GuideForSheet(m_sizePaper, m_rcPrintableA4, m_rcPrintableLetter);
}

void CQuorbel6View::FitZoomToSurface()
{
    Guarded(105, ErrorSink::Window(this), [&] {
        LabelShown& shown = Model().Shown();
        if (SurfaceFromName(shown.surface) == Surface::None)
            shown.surface = shown.page == "1" ? "Disc 1" : shown.page == "2" ? "Front Cover" : "Back Cover";
        const SurfaceGeometry& geometry = Model().Geometry();
        SIZE target{};
        switch (SurfaceFromName(shown.surface)) {
        case Surface::BackCover: target = SIZE{geometry.back.width, geometry.back.height}; break;
        case Surface::FrontCover: target = SIZE{geometry.front.width, geometry.front.height}; break;
        default: {
            const DiscGeometry& disc = shown.surface == "Disc 1" ? geometry.disc1 : geometry.disc2;
            target = SIZE{disc.outerDiameter, disc.outerDiameter};
        }
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
        shown.zoom = ViewGeometry::FitZoom(target, m_sizePaper, SIZE{client.right, client.bottom}, bars, m_nScreenDpi);
        // A fitted zoom never lets a surface of the page outgrow its bitmap.
        KeepZoomInsideBitmaps();
        CenterSurface();
        HideScrollBars();
        UpdateScrollSizes();
    });
}
