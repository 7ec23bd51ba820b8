#pragma once
// CSplashWnd: the start-up picture, a modeless dialog cut to the outline of
// its bitmap (magenta pixels are left out, so the desktop shows through).
// It hides itself after two and a half seconds; its owner destroys it then.
//
//     m_splash.Create();
//     m_splash.ShowWindow(SW_SHOW);
//     ... later, once !m_splash.IsWindowVisible(): m_splash.DestroyWindow();

#include "framework/Gdi.h"
#include "uikit/NewDialog.h"

class CSplashWnd : public CNewDialog
{
    DECLARE_DYNAMIC(CSplashWnd)

public:
    static constexpr UINT_PTR kCloseTimer = 1079;
    static constexpr UINT kShowTime = 2500;  // milliseconds
    static constexpr COLORREF kKeyColor = RGB(255, 0, 255);

    explicit CSplashWnd(CWnd* parent = nullptr);
    ~CSplashWnd() override;

    // Creates the (hidden) window from its template.
    BOOL Create(CWnd* parent = nullptr);
    using CDialog::Create;

    BOOL OnInitDialog() override;

    SIZE GetBitmapSize() const { return SIZE{m_bitmapHeader.biWidth, m_bitmapHeader.biHeight}; }

protected:
    int OnCreate(LPCREATESTRUCTA cs) override;
    BOOL OnEraseBkgnd(HDC dc) override;
    void OnTimer(UINT_PTR id) override;
    void OnDestroy() override;

private:
    void ReleasePicture();

    CBitmap m_bitmap;
    CRgn m_region;  // held only until the window takes it
    CMemoryDC m_dc;
    HGDIOBJ m_oldBitmap = nullptr;
    BITMAPINFOHEADER m_bitmapHeader{};
    bool m_timerRunning = false;
};

// Whoever shows the splash picture at start: the application.
class ISplashOwner
{
public:
    virtual CSplashWnd& Splash() = 0;

protected:
    ~ISplashOwner() = default;
};
