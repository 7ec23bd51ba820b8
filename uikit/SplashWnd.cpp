#include "uikit/SplashWnd.h"

#include "framework/ErrorReport.h"
#include "framework/Module.h"
#include "resource.h"
#include "uikit/BitmapToRegion.h"

#include <stdexcept>

IMPLEMENT_DYNAMIC(CSplashWnd, CNewDialog)

CSplashWnd::CSplashWnd(CWnd* parent) : CNewDialog(IDD_SPLASH, parent) {}

CSplashWnd::~CSplashWnd()
{
    if (m_hWnd)
        DestroyWindow();
    ReleasePicture();
}

BOOL CSplashWnd::Create(CWnd* parent)
{
    return CDialog::Create(IDD_SPLASH, parent);
}

int CSplashWnd::OnCreate(LPCREATESTRUCTA cs)
{
    if (CNewDialog::OnCreate(cs) == -1)
        return -1;
    Guarded(374, ErrorSink::Window(this), [&] {
        HINSTANCE instance = cs && cs->hInstance ? cs->hInstance : GetResourceHandle();
        m_bitmap.Attach(static_cast<HBITMAP>(
            ::LoadImageA(instance, MAKEINTRESOURCEA(IDB_SPLASH), IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION)));
        if (!m_bitmap.IsValid())
            throw std::runtime_error("splash bitmap missing");

        m_region.Attach(BitmapToRegion(m_bitmap, kKeyColor, true));
        // Once the window has the region, the system owns it.
        if (m_region.IsValid() && ::SetWindowRgn(m_hWnd, m_region, TRUE))
            m_region.Detach();

        BITMAP info{};
        ::GetObjectA(m_bitmap, sizeof info, &info);
        m_bitmapHeader = BITMAPINFOHEADER{};
        m_bitmapHeader.biSize = sizeof(BITMAPINFOHEADER);
        m_bitmapHeader.biWidth = info.bmWidth;
        m_bitmapHeader.biHeight = info.bmHeight;
        m_bitmapHeader.biPlanes = 1;
        m_bitmapHeader.biBitCount = info.bmBitsPixel;

        if (m_dc.CreateCompatibleDC(nullptr))
            m_oldBitmap = ::SelectObject(m_dc.m_hDC, m_bitmap);
        m_timerRunning = SetTimer(kCloseTimer, kShowTime) != 0;
    });
    return 0;
}

BOOL CSplashWnd::OnInitDialog()
{
    const BOOL result = CNewDialog::OnInitDialog();
    // The window takes the picture's size whatever the dialog font makes of
    // the template, the middle of the screen, and the place above every other
    // window (as its system-modal style asks; not every system makes that
    // topmost by itself).
    if (m_bitmapHeader.biWidth > 0 && m_bitmapHeader.biHeight > 0)
        ::SetWindowPos(m_hWnd, nullptr, 0, 0, m_bitmapHeader.biWidth, m_bitmapHeader.biHeight,
                       SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    CenterWindow();
    ::SetWindowPos(m_hWnd, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    return result;
}

BOOL CSplashWnd::OnEraseBkgnd(HDC dc)
{
    if (m_dc.m_hDC && m_oldBitmap)
        ::BitBlt(dc, 0, 0, m_bitmapHeader.biWidth, m_bitmapHeader.biHeight, m_dc.m_hDC, 0, 0, SRCCOPY);
    return FALSE;
}

void CSplashWnd::OnTimer(UINT_PTR id)
{
    if (id != kCloseTimer)
        return;
    Guarded(377, ErrorSink::Window(this), [&] {
        KillTimer(kCloseTimer);
        m_timerRunning = false;
        EndDialog(1);
    });
}

void CSplashWnd::ReleasePicture()
{
    if (m_oldBitmap && m_dc.m_hDC)
        ::SelectObject(m_dc.m_hDC, m_oldBitmap);
    m_oldBitmap = nullptr;
    m_dc.DeleteDC();
    m_bitmap.Reset();
    m_region.Reset();
}

void CSplashWnd::OnDestroy()
{
    Guarded(375, ErrorSink::Window(this), [&] {
        ReleasePicture();
        if (m_timerRunning) {
            KillTimer(kCloseTimer);
            m_timerRunning = false;
        }
    });
    CNewDialog::OnDestroy();
}
