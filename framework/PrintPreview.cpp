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
constexpr int kMargin = 8;
constexpr COLORREF kSurround = RGB(128, 128, 128);
}  // namespace

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
    {
        // The page hooks draw on a screen-compatible context.
        CMemoryDC screen(nullptr);
        screen.m_bPrinting = true;
        m_view.OnBeginPrinting(&screen, &m_info);
        m_begun = true;
    }
    ShowPage(m_info.GetMinPage());
    ::ShowWindow(m_hWnd, SW_SHOW);
    return true;
}

void CPrintPreviewWnd::ShowPage(UINT page)
{
    m_info.m_nCurPage = std::clamp(page, m_info.GetMinPage(), m_info.GetMaxPage());
    RenderPage();
    UpdateButtons();
    if (m_hWnd)
        ::InvalidateRect(m_hWnd, nullptr, TRUE);
}

void CPrintPreviewWnd::SetZoom(int percent)
{
    m_zoom = std::clamp(percent, 50, 200);
    UpdateButtons();
    if (m_hWnd)
        ::InvalidateRect(m_hWnd, nullptr, TRUE);
}

void CPrintPreviewWnd::RenderPage()
{
    // The view sets the page's paper and orientation on the printer; the sheet
    // is that paper at screen resolution.
    m_view.OnPrepareDC(&m_printer, &m_info);
    CMemoryDC page(nullptr);
    const int screenDpiX = page.GetDeviceCaps(LOGPIXELSX);
    const int screenDpiY = page.GetDeviceCaps(LOGPIXELSY);
    const int printerDpiX = std::max(1, m_printer.GetDeviceCaps(LOGPIXELSX));
    const int printerDpiY = std::max(1, m_printer.GetDeviceCaps(LOGPIXELSY));
    m_pageSize = SIZE{::MulDiv(m_printer.GetDeviceCaps(PHYSICALWIDTH), screenDpiX, printerDpiX),
                      ::MulDiv(m_printer.GetDeviceCaps(PHYSICALHEIGHT), screenDpiY, printerDpiY)};
    if (m_pageSize.cx <= 0 || m_pageSize.cy <= 0)
        m_pageSize = SIZE{::MulDiv(85, screenDpiX, 10), 11 * screenDpiY};
    {
        CClientDC screen(nullptr);
        m_page.Reset(::CreateCompatibleBitmap(screen.m_hDC, m_pageSize.cx, m_pageSize.cy));
    }
    CSelectGuard selected(page.m_hDC, m_page.Get());
    page.FillSolidRect(RECT{0, 0, m_pageSize.cx, m_pageSize.cy}, RGB(255, 255, 255));
    page.m_bPrinting = true;
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
    ::EnableWindow(::GetDlgItem(m_hWnd, kZoomIn), m_zoom < 200);
    ::EnableWindow(::GetDlgItem(m_hWnd, kZoomOut), m_zoom > 50);
}

BOOL CPrintPreviewWnd::OnCommand(WPARAM wParam, LPARAM lParam)
{
    switch (LOWORD(wParam)) {
    case kNext: ShowPage(m_info.m_nCurPage + 1); return TRUE;
    case kPrevious: ShowPage(m_info.m_nCurPage > 1 ? m_info.m_nCurPage - 1 : 1); return TRUE;
    case kZoomIn: SetZoom(m_zoom * 2); return TRUE;
    case kZoomOut: SetZoom(m_zoom / 2); return TRUE;
    case kClose: ::PostMessageA(m_hWnd, WM_CLOSE, 0, 0); return TRUE;
    case kPrint: {
        // Printing leaves the preview, as the job's own dialog takes over.
        const HWND view = m_view.GetSafeHwnd();
        ::PostMessageA(m_hWnd, WM_CLOSE, 0, 0);
        if (view)
            ::PostMessageA(view, WM_COMMAND, MAKEWPARAM(FWID_FILE_PRINT, 0), 0);
        return TRUE;
    }
    default: return CWnd::OnCommand(wParam, lParam);
    }
}

void CPrintPreviewWnd::OnPaint()
{
    CPaintDC dc(m_hWnd);
    RECT client{};
    ::GetClientRect(m_hWnd, &client);
    RECT below = client;
    below.top = kBarHeight;
    dc.FillSolidRect(below, kSurround);
    if (!m_page.Get())
        return;
    const int width = m_pageSize.cx * m_zoom / 100;
    const int height = m_pageSize.cy * m_zoom / 100;
    const int left = std::max(kMargin, (static_cast<int>(client.right) - width) / 2);
    const int top = kBarHeight + kMargin;
    CMemoryDC source(dc.m_hDC);
    CSelectGuard selected(source.m_hDC, m_page.Get());
    ::SetStretchBltMode(dc.m_hDC, HALFTONE);
    ::StretchBlt(dc.m_hDC, left, top, width, height, source.m_hDC, 0, 0, m_pageSize.cx, m_pageSize.cy, SRCCOPY);
}

LRESULT CPrintPreviewWnd::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_CLOSE) {
        DestroyWindow();
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
