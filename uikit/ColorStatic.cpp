#include "uikit/ColorStatic.h"

#include "framework/ErrorReport.h"
#include "framework/Gdi.h"
#include "uikit/ControlText.h"
#include "uikit/NoEraseBackground.h"
#include "uikit/PanelBackground.h"

IMPLEMENT_DYNAMIC(CColorStatic, CStatic)

namespace {

constexpr COLORREF kEnabledText = RGB(0, 0, 0);
constexpr COLORREF kDisabledText = RGB(128, 128, 128);

}  // namespace

void CColorStatic::OnPaint()
{
    Guarded(400, ErrorSink::Window(this), [&] {
        CPaintDC dc(m_hWnd);
        RECT client{};
        GetClientRect(&client);
        TileAppBackground(dc, client);
        CControlTextScope textScope(dc, m_hWnd);
        ::SetTextColor(dc, m_bEnabledLook ? kEnabledText : kDisabledText);
        const CString text = WindowTextOf(m_hWnd);
        const bool centred = (GetStyle() & SS_TYPEMASK) == SS_CENTER;
        const UINT format = (centred ? DT_CENTER : DT_LEFT | DT_NOCLIP) | DT_TOP | DT_WORDBREAK;
        ::DrawTextA(dc, text, text.GetLength(), &client, format);
    });
}

BOOL CColorStatic::OnEraseBkgnd(HDC dc)
{
    return NoEraseBackground(dc);
}

HBRUSH CColorStatic::OnCtlColor(HDC, HWND, UINT)
{
    return static_cast<HBRUSH>(::GetStockObject(NULL_BRUSH));
}

BOOL CColorStatic::OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result)
{
    if (message == WM_CTLCOLORSTATIC) {
        *result = reinterpret_cast<LRESULT>(OnCtlColor(reinterpret_cast<HDC>(wParam), m_hWnd, CTLCOLOR_STATIC));
        return TRUE;
    }
    return CStatic::OnChildNotify(message, wParam, lParam, result);
}

void CColorStatic::OnEnable(BOOL enable)
{
    m_bEnabledLook = enable != FALSE;
    RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
}

LRESULT CColorStatic::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_ENABLE) {
        const LRESULT result = CStatic::WindowProc(message, wParam, lParam);
        OnEnable(static_cast<BOOL>(wParam));
        return result;
    }
    return CStatic::WindowProc(message, wParam, lParam);
}
