#include "framework/PrintPreview.h"

#include "framework/CommandIds.h"
#include "framework/View.h"

#include <algorithm>
#include <utility>

namespace
{
struct PreviewButton
{
    int id;
    const char* caption;
};
constexpr PreviewButton kButtons[] = {
    {CPrintPreviewWnd::kPrint, "&Print..."},       {CPrintPreviewWnd::kNext, "&Next Page"},
    {CPrintPreviewWnd::kPrevious, "Pre&v Page"},   {CPrintPreviewWnd::kZoomIn, "Zoom &In"},
    {CPrintPreviewWnd::kZoomOut, "Zoom &Out"},     {CPrintPreviewWnd::kClose, "&Close"},
};
constexpr int kButtonWidth = 80;
constexpr int kMargin = 8;  // grey around the page, pixels
constexpr int kLinePixels = 32;  // one arrow key or wheel line
constexpr COLORREF kSurround = RGB(128, 128, 128);
constexpr COLORREF kPageEdge = RGB(64, 64, 64);
// The zooms above the whole page, in percent of the sheet at screen resolution.
constexpr int kZoomSteps[] = {100, 200};

// A stand-in for the printer while a preview page is drawn: a memory DC that
// answers as a device of the page's size at the zoom's resolution, the sheet's
// corner at its origin.
class CPreviewPageDC : public CMemoryDC
{
public:
    CPreviewPageDC(SIZE dpi, SIZE page) : CMemoryDC(nullptr), m_dpi(dpi), m_page(page) { m_bPrinting = true; }

    int GetDeviceCaps(int index) const override
    {
        switch (index) {
        case LOGPIXELSX: return m_dpi.cx;
        case LOGPIXELSY: return m_dpi.cy;
        case HORZRES:
        case PHYSICALWIDTH: return m_page.cx;
        case VERTRES:
        case PHYSICALHEIGHT: return m_page.cy;
        case PHYSICALOFFSETX:
        case PHYSICALOFFSETY: return 0;
        default: return CMemoryDC::GetDeviceCaps(index);
        }
    }

private:
    SIZE m_dpi;
    SIZE m_page;
};

SIZE ScreenDpi()
{
    CClientDC screen(nullptr);
    return SIZE{std::max(1, screen.GetDeviceCaps(LOGPIXELSX)), std::max(1, screen.GetDeviceCaps(LOGPIXELSY))};
}

// Where a page of `extent` lies along one axis of a pane of `view` pixels:
// centred when it fits with its margins, else scrolled by `scroll`.
int PageStart(int extent, int view, int scroll)
{
    if (extent + 2 * kMargin <= view)
        return (view - extent) / 2;
    return kMargin - scroll;
}
}  // namespace

// The pane below the buttons: it shows the page and hands its messages to the
// preview window.
class CPrintPreviewPane : public CWnd
{
public:
    explicit CPrintPreviewPane(CPrintPreviewWnd& owner) : m_owner(owner) {}

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        switch (message) {
        case WM_ERASEBKGND: return 1;  // the paint covers every pixel
        case WM_PAINT: {
            CPaintDC dc(m_hWnd);
            m_owner.PaintPane(dc.m_hDC);
            return 0;
        }
        case WM_PRINTCLIENT: m_owner.PaintPane(reinterpret_cast<HDC>(wParam)); return 0;
        case WM_SIZE: m_owner.OnPaneSize(); return 0;
        case WM_HSCROLL: m_owner.OnPaneScroll(SB_HORZ, LOWORD(wParam)); return 0;
        case WM_VSCROLL: m_owner.OnPaneScroll(SB_VERT, LOWORD(wParam)); return 0;
        case WM_KEYDOWN: m_owner.OnPaneKey(static_cast<UINT>(wParam)); return 0;
        case WM_MOUSEWHEEL: m_owner.OnPaneWheel(static_cast<short>(HIWORD(wParam))); return 0;
        case WM_GETDLGCODE: return DLGC_WANTARROWS | DLGC_WANTALLKEYS;
        case WM_LBUTTONDOWN: ::SetFocus(m_hWnd); return 0;
        default: return CWnd::WindowProc(message, wParam, lParam);
        }
    }

private:
    CPrintPreviewWnd& m_owner;
};

CPrintPreviewWnd::CPrintPreviewWnd(CView& view) : m_view(view)
{
    m_info.m_bPreview = true;
}

CPrintPreviewWnd::~CPrintPreviewWnd()
{
    if (m_begun)
        m_view.OnEndPrinting(nullptr, &m_info);
    if (m_hWnd)
        DestroyWindow();
}

bool CPrintPreviewWnd::Open(HWND owner)
{
    if (!m_view.OnPreparePrinting(&m_info) || !m_info.m_pPD)
        return false;
    m_printer.Attach(m_info.m_pPD->TakeDC());
    if (!m_printer.m_hDC)
        return false;
    m_printer.m_bPrinting = true;
    RECT area{100, 100, 900, 800};
    if (owner)
        ::GetWindowRect(owner, &area);
    if (!CreateEx(0, nullptr, "Print Preview", WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN, area.left, area.top,
                  area.right - area.left, area.bottom - area.top, owner, nullptr))
        return false;
    int x = kMargin;
    for (const PreviewButton& button : kButtons) {
        ::CreateWindowExA(0, "BUTTON", button.caption, WS_CHILD | WS_VISIBLE | BS_PUSHBUTTON, x, 4, kButtonWidth,
                          kBarHeight - 8, m_hWnd, reinterpret_cast<HMENU>(static_cast<INT_PTR>(button.id)), nullptr,
                          nullptr);
        x += kButtonWidth + 4;
    }
    RECT client{};
    ::GetClientRect(m_hWnd, &client);
    m_pane = std::make_unique<CPrintPreviewPane>(*this);
    if (!m_pane->CreateEx(0, nullptr, "", WS_CHILD | WS_VISIBLE | WS_HSCROLL | WS_VSCROLL | WS_TABSTOP, 0,
                          kBarHeight, client.right, std::max(0, static_cast<int>(client.bottom) - kBarHeight), m_hWnd,
                          nullptr))
        return false;
    // The page pane decides the scroll bars; none until the page needs them.
    ::ShowScrollBar(m_pane->m_hWnd, SB_BOTH, FALSE);
    m_begun = true;
    ShowPage(m_info.GetMinPage());
    ::ShowWindow(m_hWnd, SW_SHOW);
    ::SetFocus(m_pane->m_hWnd);
    return true;
}

HWND CPrintPreviewWnd::PagePane() const
{
    return m_pane ? m_pane->GetSafeHwnd() : nullptr;
}

void CPrintPreviewWnd::ShowPage(UINT page)
{
    m_info.m_nCurPage = std::clamp(page, m_info.GetMinPage(), m_info.GetMaxPage());
    m_scroll = POINT{};
    RenderPage();
    UpdateScrollBars();
    UpdateButtons();
    if (HWND pane = PagePane())
        ::InvalidateRect(pane, nullptr, FALSE);
}

void CPrintPreviewWnd::SetZoom(int percent)
{
    const SIZE view = PaneSize();
    const SIZE before = m_pageSize;
    // The middle of what is shown stays in the middle.
    const POINT middle{m_scroll.x + view.cx / 2, m_scroll.y + view.cy / 2};
    m_wholePage = false;
    m_zoom = std::clamp(percent, kMinZoom, kMaxZoom);
    RenderPage();
    if (before.cx > 0 && before.cy > 0)
        m_scroll = POINT{::MulDiv(middle.x, m_pageSize.cx, before.cx) - view.cx / 2,
                         ::MulDiv(middle.y, m_pageSize.cy, before.cy) - view.cy / 2};
    UpdateScrollBars();
    UpdateButtons();
    if (HWND pane = PagePane())
        ::InvalidateRect(pane, nullptr, FALSE);
}

void CPrintPreviewWnd::ZoomWholePage()
{
    m_wholePage = true;
    m_scroll = POINT{};
    // The whole page needs no scroll bars: measure the pane without them.
    if (HWND pane = PagePane()) {
        m_laying = true;
        ::ShowScrollBar(pane, SB_BOTH, FALSE);
        m_laying = false;
    }
    RenderPage();
    UpdateScrollBars();
    UpdateButtons();
    if (HWND pane = PagePane())
        ::InvalidateRect(pane, nullptr, FALSE);
}

void CPrintPreviewWnd::ZoomIn()
{
    for (const int step : kZoomSteps) {
        if (step > m_zoom) {
            SetZoom(step);
            return;
        }
    }
}

void CPrintPreviewWnd::ZoomOut()
{
    const int whole = WholePageZoom();
    int target = 0;
    for (const int step : kZoomSteps) {
        if (step < m_zoom && step > whole)
            target = step;
    }
    if (target)
        SetZoom(target);
    else
        ZoomWholePage();
}

SIZE CPrintPreviewWnd::PaneSize() const
{
    RECT client{};
    if (HWND pane = PagePane())
        ::GetClientRect(pane, &client);
    return SIZE{client.right, client.bottom};
}

int CPrintPreviewWnd::WholePageZoom() const
{
    const SIZE view = PaneSize();
    if (m_sheetAt100.cx <= 0 || m_sheetAt100.cy <= 0 || view.cx <= 2 * kMargin || view.cy <= 2 * kMargin)
        return kMinZoom;
    const int across = (view.cx - 2 * kMargin) * 100 / m_sheetAt100.cx;
    const int down = (view.cy - 2 * kMargin) * 100 / m_sheetAt100.cy;
    return std::clamp(std::min(across, down), kMinZoom, kMaxZoom);
}

void CPrintPreviewWnd::RenderPage()
{
    // The view sets the page's paper and orientation on the printer.
    m_view.OnPrepareDC(&m_printer, &m_info);
    const SIZE screenDpi = ScreenDpi();
    const int printerDpiX = std::max(1, m_printer.GetDeviceCaps(LOGPIXELSX));
    const int printerDpiY = std::max(1, m_printer.GetDeviceCaps(LOGPIXELSY));
    SIZE paper{m_printer.GetDeviceCaps(PHYSICALWIDTH), m_printer.GetDeviceCaps(PHYSICALHEIGHT)};
    SIZE paperDpi{printerDpiX, printerDpiY};
    if (paper.cx <= 0 || paper.cy <= 0) {
        // No paper size from the driver: a Letter sheet.
        paper = SIZE{85, 110};
        paperDpi = SIZE{10, 10};
    }
    m_sheetAt100 = SIZE{::MulDiv(paper.cx, screenDpi.cx, paperDpi.cx), ::MulDiv(paper.cy, screenDpi.cy, paperDpi.cy)};
    if (m_wholePage)
        m_zoom = WholePageZoom();
    // The page is drawn at the resolution it is shown at.
    const SIZE dpi{std::max<LONG>(1, screenDpi.cx * m_zoom / 100), std::max<LONG>(1, screenDpi.cy * m_zoom / 100)};
    m_pageSize = SIZE{std::max(1, ::MulDiv(paper.cx, dpi.cx, paperDpi.cx)),
                      std::max(1, ::MulDiv(paper.cy, dpi.cy, paperDpi.cy))};
    CPreviewPageDC page(dpi, m_pageSize);
    if (dpi.cx != m_renderDpi) {
        // The view's print state belongs to one resolution: begin again at this one.
        if (m_renderDpi)
            m_view.OnEndPrinting(nullptr, &m_info);
        m_view.OnBeginPrinting(&page, &m_info);
        m_renderDpi = dpi.cx;
    }
    {
        CClientDC screen(nullptr);
        m_page.Reset(::CreateCompatibleBitmap(screen.m_hDC, m_pageSize.cx, m_pageSize.cy));
    }
    CSelectGuard selected(page.m_hDC, m_page.Get());
    page.FillSolidRect(RECT{0, 0, m_pageSize.cx, m_pageSize.cy}, RGB(255, 255, 255));
    CSaveDCGuard saved(page.m_hDC);
    m_info.m_rectDraw = RECT{0, 0, m_pageSize.cx, m_pageSize.cy};
    m_view.OnPrint(&page, &m_info);
}

void CPrintPreviewWnd::UpdateButtons()
{
    if (!m_hWnd)
        return;
    ::EnableWindow(::GetDlgItem(m_hWnd, kNext), m_info.m_nCurPage < m_info.GetMaxPage());
    ::EnableWindow(::GetDlgItem(m_hWnd, kPrevious), m_info.m_nCurPage > m_info.GetMinPage());
    ::EnableWindow(::GetDlgItem(m_hWnd, kZoomIn), m_zoom < kZoomSteps[std::size(kZoomSteps) - 1]);
    ::EnableWindow(::GetDlgItem(m_hWnd, kZoomOut), !m_wholePage);
}

void CPrintPreviewWnd::UpdateScrollBars()
{
    HWND pane = PagePane();
    if (!pane || m_laying)
        return;
    m_laying = true;
    // Showing one bar narrows the pane and may call for the other: twice settles it.
    for (int round = 0; round < 2; ++round) {
        const SIZE view = PaneSize();
        const SIZE content{m_pageSize.cx + 2 * kMargin, m_pageSize.cy + 2 * kMargin};
        m_scroll.x = std::clamp<LONG>(m_scroll.x, 0, std::max<LONG>(0, content.cx - view.cx));
        m_scroll.y = std::clamp<LONG>(m_scroll.y, 0, std::max<LONG>(0, content.cy - view.cy));
        for (const int bar : {SB_HORZ, SB_VERT}) {
            const bool horizontal = bar == SB_HORZ;
            SCROLLINFO info{};
            info.cbSize = sizeof info;
            info.fMask = SIF_RANGE | SIF_PAGE | SIF_POS;
            const int extent = horizontal ? content.cx : content.cy;
            const int shown = horizontal ? view.cx : view.cy;
            const bool needed = extent > shown;
            info.nMax = needed ? extent - 1 : 0;
            info.nPage = needed ? static_cast<UINT>(shown) : 0;
            info.nPos = horizontal ? m_scroll.x : m_scroll.y;
            ::SetScrollInfo(pane, bar, &info, TRUE);
            ::ShowScrollBar(pane, bar, needed);
        }
    }
    m_laying = false;
}

void CPrintPreviewWnd::ScrollTo(POINT position)
{
    const SIZE view = PaneSize();
    const SIZE content{m_pageSize.cx + 2 * kMargin, m_pageSize.cy + 2 * kMargin};
    position.x = std::clamp<LONG>(position.x, 0, std::max<LONG>(0, content.cx - view.cx));
    position.y = std::clamp<LONG>(position.y, 0, std::max<LONG>(0, content.cy - view.cy));
    if (position.x == m_scroll.x && position.y == m_scroll.y)
        return;
    m_scroll = position;
    if (HWND pane = PagePane()) {
        ::SetScrollPos(pane, SB_HORZ, m_scroll.x, TRUE);
        ::SetScrollPos(pane, SB_VERT, m_scroll.y, TRUE);
        ::InvalidateRect(pane, nullptr, FALSE);
    }
}

bool CPrintPreviewWnd::CanScrollDown() const
{
    return m_pageSize.cy + 2 * kMargin > PaneSize().cy;
}

RECT CPrintPreviewWnd::PageRect() const
{
    const SIZE view = PaneSize();
    const int left = PageStart(m_pageSize.cx, view.cx, m_scroll.x);
    const int top = PageStart(m_pageSize.cy, view.cy, m_scroll.y);
    return RECT{left, top, left + m_pageSize.cx, top + m_pageSize.cy};
}

void CPrintPreviewWnd::PaintPane(HDC dc) const
{
    const SIZE view = PaneSize();
    if (view.cx <= 0 || view.cy <= 0)
        return;
    // Drawn off screen first, so scrolling does not flicker.
    CMemoryDC buffer(dc);
    CBitmap bitmap;
    bitmap.CreateCompatibleBitmap(dc, view.cx, view.cy);
    CSelectGuard selectedBuffer(buffer.m_hDC, bitmap.Get());
    buffer.FillSolidRect(RECT{0, 0, view.cx, view.cy}, kSurround);
    if (m_page.Get()) {
        const RECT page = PageRect();
        RECT edge{page.left - 1, page.top - 1, page.right + 1, page.bottom + 1};
        buffer.FillSolidRect(edge, kPageEdge);
        CMemoryDC source(dc);
        CSelectGuard selectedPage(source.m_hDC, m_page.Get());
        ::BitBlt(buffer.m_hDC, page.left, page.top, m_pageSize.cx, m_pageSize.cy, source.m_hDC, 0, 0, SRCCOPY);
    }
    ::BitBlt(dc, 0, 0, view.cx, view.cy, buffer.m_hDC, 0, 0, SRCCOPY);
}

void CPrintPreviewWnd::OnPaneSize()
{
    if (m_laying)
        return;
    if (m_wholePage && m_page.Get() && WholePageZoom() != m_zoom)
        RenderPage();
    UpdateScrollBars();
    UpdateButtons();
    if (HWND pane = PagePane())
        ::InvalidateRect(pane, nullptr, FALSE);
}

void CPrintPreviewWnd::OnPaneScroll(int bar, UINT code)
{
    HWND pane = PagePane();
    if (!pane)
        return;
    const bool horizontal = bar == SB_HORZ;
    const SIZE view = PaneSize();
    const int shown = horizontal ? view.cx : view.cy;
    const int current = horizontal ? m_scroll.x : m_scroll.y;
    int target = current;
    switch (code) {
    case SB_LINEUP: target -= kLinePixels; break;
    case SB_LINEDOWN: target += kLinePixels; break;
    case SB_PAGEUP: target -= std::max(kLinePixels, shown - kLinePixels); break;
    case SB_PAGEDOWN: target += std::max(kLinePixels, shown - kLinePixels); break;
    case SB_TOP: target = 0; break;
    case SB_BOTTOM: target = (horizontal ? m_pageSize.cx : m_pageSize.cy) + 2 * kMargin; break;
    case SB_THUMBTRACK:
    case SB_THUMBPOSITION: {
        SCROLLINFO info{};
        info.cbSize = sizeof info;
        info.fMask = SIF_TRACKPOS;
        ::GetScrollInfo(pane, bar, &info);
        target = info.nTrackPos;
        break;
    }
    default: return;
    }
    ScrollTo(horizontal ? POINT{target, m_scroll.y} : POINT{m_scroll.x, target});
}

void CPrintPreviewWnd::OnPaneKey(UINT key)
{
    const bool control = (::GetKeyState(VK_CONTROL) & 0x8000) != 0;
    const SIZE view = PaneSize();
    const int screenful = std::max(kLinePixels, static_cast<int>(view.cy) - kLinePixels);
    switch (key) {
    case VK_UP: ScrollBy(0, -kLinePixels); break;
    case VK_DOWN: ScrollBy(0, kLinePixels); break;
    case VK_LEFT: ScrollBy(-kLinePixels, 0); break;
    case VK_RIGHT: ScrollBy(kLinePixels, 0); break;
    case VK_PRIOR:
        // A page that fits has nothing to scroll: the keys turn the pages.
        if (CanScrollDown())
            ScrollBy(0, -screenful);
        else if (m_info.m_nCurPage > m_info.GetMinPage())
            ShowPage(m_info.m_nCurPage - 1);
        break;
    case VK_NEXT:
        if (CanScrollDown())
            ScrollBy(0, screenful);
        else if (m_info.m_nCurPage < m_info.GetMaxPage())
            ShowPage(m_info.m_nCurPage + 1);
        break;
    case VK_HOME:
        if (control)
            ShowPage(m_info.GetMinPage());
        else
            ScrollTo(POINT{0, 0});
        break;
    case VK_END:
        if (control)
            ShowPage(m_info.GetMaxPage());
        else
            ScrollTo(POINT{m_scroll.x, m_pageSize.cy + 2 * kMargin});
        break;
    case VK_ADD:
    case VK_OEM_PLUS: ZoomIn(); break;
    case VK_SUBTRACT:
    case VK_OEM_MINUS: ZoomOut(); break;
    case VK_ESCAPE: ::PostMessageA(m_hWnd, WM_CLOSE, 0, 0); break;
    default: break;
    }
}

void CPrintPreviewWnd::OnPaneWheel(short delta)
{
    m_wheelRest += delta;
    const int notches = m_wheelRest / WHEEL_DELTA;
    m_wheelRest -= notches * WHEEL_DELTA;
    if (notches == 0)
        return;
    if (CanScrollDown()) {
        UINT lines = 3;
        ::SystemParametersInfoA(SPI_GETWHEELSCROLLLINES, 0, &lines, 0);
        const int step = lines == WHEEL_PAGESCROLL ? std::max(kLinePixels, static_cast<int>(PaneSize().cy))
                                                   : static_cast<int>(lines) * kLinePixels;
        ScrollBy(0, -notches * step);
        return;
    }
    // A whole page turns to the next one on the wheel.
    const int page = static_cast<int>(m_info.m_nCurPage) - notches;
    if (page >= static_cast<int>(m_info.GetMinPage()) && page <= static_cast<int>(m_info.GetMaxPage()))
        ShowPage(static_cast<UINT>(page));
}

BOOL CPrintPreviewWnd::OnCommand(WPARAM wParam, LPARAM lParam)
{
    BOOL handled = TRUE;
    switch (LOWORD(wParam)) {
    case kNext: ShowPage(m_info.m_nCurPage + 1); break;
    case kPrevious: ShowPage(m_info.m_nCurPage > 1 ? m_info.m_nCurPage - 1 : 1); break;
    case kZoomIn: ZoomIn(); break;
    case kZoomOut: ZoomOut(); break;
    case kClose: ::PostMessageA(m_hWnd, WM_CLOSE, 0, 0); return TRUE;
    case kPrint: {
        // Printing leaves the preview, as the job's own dialog takes over.
        const HWND view = m_view.GetSafeHwnd();
        ::PostMessageA(m_hWnd, WM_CLOSE, 0, 0);
        if (view)
            ::PostMessageA(view, WM_COMMAND, MAKEWPARAM(FWID_FILE_PRINT, 0), 0);
        return TRUE;
    }
    default: handled = CWnd::OnCommand(wParam, lParam); break;
    }
    // The keys scroll the page again once a button has been pressed.
    if (HWND pane = PagePane(); pane && handled)
        ::SetFocus(pane);
    return handled;
}

void CPrintPreviewWnd::OnPaint()
{
    CPaintDC dc(m_hWnd);
    RECT client{};
    ::GetClientRect(m_hWnd, &client);
    client.bottom = std::min<LONG>(client.bottom, kBarHeight);
    dc.FillSolidRect(client, ::GetSysColor(COLOR_BTNFACE));
}

void CPrintPreviewWnd::OnSize(UINT, int cx, int cy)
{
    if (HWND pane = PagePane())
        ::MoveWindow(pane, 0, kBarHeight, cx, std::max(0, cy - kBarHeight), TRUE);
}

BOOL CPrintPreviewWnd::OnMouseWheel(UINT, short delta, POINT)
{
    // The wheel scrolls the page wherever the focus is in the window.
    OnPaneWheel(delta);
    return TRUE;
}

LRESULT CPrintPreviewWnd::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_CLOSE) {
        DestroyWindow();
        return 0;
    }
    if (message == WM_ACTIVATE && LOWORD(wParam) != WA_INACTIVE && PagePane()) {
        ::SetFocus(PagePane());
        return 0;
    }
    return CWnd::WindowProc(message, wParam, lParam);
}

void CPrintPreviewWnd::PostNcDestroy()
{
    CWnd::PostNcDestroy();
    if (m_begun) {
        m_begun = false;
        m_view.OnEndPrinting(nullptr, &m_info);
    }
    m_view.OnEndPrintPreview();
}
