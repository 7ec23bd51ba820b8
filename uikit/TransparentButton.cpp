#include "uikit/TransparentButton.h"

#include "framework/ErrorReport.h"
#include "framework/Gdi.h"
#include "uikit/PanelBackground.h"

IMPLEMENT_DYNAMIC(CTransparentButton, CButton)

BOOL CTransparentButton::OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result)
{
    if (message != WM_CTLCOLORBTN && message != WM_CTLCOLORSTATIC)
        return CButton::OnChildNotify(message, wParam, lParam, result);
    *result = 0;
    Guarded(395, ErrorSink::Window(this), [&] {
        ::SetBkMode(reinterpret_cast<HDC>(wParam), TRANSPARENT);
        *result = reinterpret_cast<LRESULT>(::GetStockObject(NULL_BRUSH));
    });
    return TRUE;
}

LRESULT CTransparentButton::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_ENABLE) {
        OnEnable(wParam, lParam);
        return 0;
    }
    return CButton::WindowProc(message, wParam, lParam);
}

void CTransparentButton::OnEnable(WPARAM enable, LPARAM lParam)
{
    Guarded(396, ErrorSink::Window(this), [&] {
        // The greyed text is drawn without erasing: the parent's background
        // under the button goes back first.
        HWND parent = ::GetParent(m_hWnd);
        if (parent) {
            RECT rect{};
            GetWindowRect(&rect);
            ::MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&rect), 2);
            CClientDC parentDC(parent);
            CSaveDCGuard saved(parentDC);
            ::IntersectClipRect(parentDC, rect.left, rect.top, rect.right, rect.bottom);
            ::SendMessageA(parent, WM_ERASEBKGND, reinterpret_cast<WPARAM>(parentDC.m_hDC), 0);
        }
        DefWindowProc(WM_ENABLE, enable, lParam);
    });
}

BOOL CTransparentButton::OnEraseBkgnd(HDC dc)
{
    if (!paintAppBackground)
        return CButton::OnEraseBkgnd(dc);
    RECT client{};
    GetClientRect(&client);
    client.bottom += 2;
    TileAppBackground(dc, client);
    return FALSE;
}
