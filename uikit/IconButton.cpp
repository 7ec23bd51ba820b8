#include "uikit/IconButton.h"

#include "framework/ErrorReport.h"
#include "framework/Gdi.h"
#include "framework/Module.h"
#include "resource.h"
#include "uikit/ControlText.h"
#include "uikit/PanelBackground.h"

IMPLEMENT_DYNAMIC(CIconButton, CButton)

namespace {

constexpr int kIconSize = 16;
constexpr int kTextLeft = 18;

HICON LoadSmallIcon(int id)
{
    return static_cast<HICON>(
        ::LoadImageA(GetResourceHandle(), MAKEINTRESOURCEA(id), IMAGE_ICON, kIconSize, kIconSize, 0));
}

}  // namespace

CIconButton::CIconButton()
{
    Guarded(397, ErrorSink::Window(static_cast<HWND>(nullptr)), [&] {
        m_setIcon.Reset(LoadSmallIcon(IDI_CHECK_SET));
        m_clearIcon.Reset(LoadSmallIcon(IDI_CHECK_CLEAR));
    });
}

LRESULT CIconButton::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    const LRESULT result = CButton::WindowProc(message, wParam, lParam);
    // The system's check box paints state changes at once, not through
    // WM_PAINT; the icon look is painted over again.
    switch (message) {
    case BM_SETCHECK:
    case BM_SETSTATE:
    case BM_CLICK:
    case WM_SETTEXT:
    case WM_ENABLE:
    case WM_LBUTTONDOWN:
    case WM_LBUTTONUP:
    case WM_KEYUP:
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
        if (m_hWnd && ::IsWindow(m_hWnd))
            RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
        break;
    default:
        break;
    }
    return result;
}

void CIconButton::OnPaint()
{
    CPaintDC paint(m_hWnd);
    Guarded(398, ErrorSink::Window(this), [&] {
        HDC dc = paint.m_hDC;
        RECT client{};
        GetClientRect(&client);
        if (paintAppBackground)
            TileAppBackground(dc, client);
        const bool checked = SendMessage(BM_GETCHECK) != 0;
        ::DrawIconEx(dc, 0, 0, checked ? m_setIcon.Get() : m_clearIcon.Get(), kIconSize, kIconSize, 0, nullptr,
                     DI_NORMAL);
        CControlTextScope textScope(dc, m_hWnd);
        ::SetTextColor(dc, ::GetSysColor(COLOR_BTNTEXT));
        const CString text = WindowTextOf(m_hWnd);
        RECT textRect = client;
        textRect.left = kTextLeft;
        ::DrawTextA(dc, text, -1, &textRect, DT_NOCLIP);
    });
}

void CIconButton::OnDestroy()
{
    Guarded(512, ErrorSink::Window(this), [&] {
        m_setIcon.Reset();
        m_clearIcon.Reset();
    });
    CButton::OnDestroy();
}
