#include "uikit/DisplayEdit.h"

#include "framework/ErrorReport.h"
#include "framework/TileBackground.h"
#include "uikit/ControlText.h"

IMPLEMENT_DYNAMIC(CDisplayEdit, CEdit)

namespace {

void FillGrey(HDC dc, const RECT& rect, HBRUSH grey)
{
    ::FillRect(dc, &rect, grey);
}

void Line(HDC dc, COLORREF color, int x1, int y1, int x2, int y2)
{
    CPen pen;
    pen.CreatePen(PS_SOLID, 1, color);
    CSelectGuard selected(dc, pen);
    ::MoveToEx(dc, x1, y1, nullptr);
    ::LineTo(dc, x2, y2);
}

}  // namespace

CDisplayEdit::CDisplayEdit()
{
    m_greyBrush.CreateSolidBrush(kPanelGrey);
}

BOOL CDisplayEdit::OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result)
{
    if (message == WM_CTLCOLOREDIT || message == WM_CTLCOLORSTATIC) {
        HBRUSH brush = CtlColor(reinterpret_cast<HDC>(wParam), message - WM_CTLCOLORMSGBOX);
        if (!brush)
            return FALSE;
        *result = reinterpret_cast<LRESULT>(brush);
        return TRUE;
    }
    return CEdit::OnChildNotify(message, wParam, lParam, result);
}

HBRUSH CDisplayEdit::CtlColor(HDC dc, UINT)
{
    return Guarded(423, ErrorSink::Window(this), static_cast<HBRUSH>(nullptr), [&]() -> HBRUSH {
        ::SetBkMode(dc, TRANSPARENT);
        switch (m_nDisplayMode) {
        case 0:
        case 5:
            return static_cast<HBRUSH>(::GetStockObject(NULL_BRUSH));
        case 3:
            return IsWindowEnabled() ? nullptr : m_greyBrush.Get();
        default:
            return m_greyBrush.Get();
        }
    });
}

BOOL CDisplayEdit::OnEraseBkgnd(HDC dc)
{
    return Guarded(422, ErrorSink::Window(this), FALSE, [&]() -> BOOL {
        if (m_nDisplayMode == 5)
            return FALSE;
        const BOOL erased = CEdit::OnEraseBkgnd(dc);
        if (m_nDisplayMode == 3 && !IsWindowEnabled()) {
            RECT client{};
            GetClientRect(&client);
            FillGrey(dc, client, m_greyBrush);
            return TRUE;
        }
        return erased;
    });
}

void CDisplayEdit::OnPaint()
{
    Guarded(421, ErrorSink::Window(this), [&] {
        if (m_nDisplayMode != 4 && m_nDisplayMode != 5) {
            Default();
            return;
        }
        CPaintDC dc(m_hWnd);
        RECT client{};
        GetClientRect(&client);
        if (m_nDisplayMode == 4)
            PaintCentredText(dc, client);
        else
            PaintFramedText(dc, client);
    });
}

void CDisplayEdit::PaintCentredText(HDC dc, const RECT& client)
{
    FillGrey(dc, client, m_greyBrush);
    CControlTextScope textScope(dc, m_hWnd);
    const CString text = WindowTextOf(m_hWnd);
    SIZE extent{};
    ::GetTextExtentPoint32A(dc, text, text.GetLength(), &extent);
    RECT textRect = client;
    textRect.right -= 4;
    UINT format = DT_VCENTER | DT_SINGLELINE;
    if (extent.cx > (client.right - client.left) - 4) {
        textRect.left += 2;
        format |= DT_LEFT;
    } else {
        format |= DT_CENTER;
    }
    ::DrawTextA(dc, text, text.GetLength(), &textRect, format);
}

void CDisplayEdit::PaintFramedText(HDC dc, const RECT& client)
{
    FillGrey(dc, client, m_greyBrush);

    // The sunken frame lies 2 pixels outside the client area, over the
    // control's client edge: draw it through the window's DC.
    RECT frame = client;
    ::InflateRect(&frame, 2, 2);
    {
        CWindowDC windowDC(m_hWnd);
        POINT offset{0, 0};
        ::ClientToScreen(m_hWnd, &offset);
        RECT window{};
        GetWindowRect(&window);
        ::OffsetRect(&frame, offset.x - window.left, offset.y - window.top);
        const int l = frame.left, t = frame.top, r = frame.right - 1, b = frame.bottom - 1;
        Line(windowDC, ::GetSysColor(COLOR_BTNSHADOW), l, b, l, t);
        Line(windowDC, ::GetSysColor(COLOR_BTNSHADOW), l, t, r, t);
        Line(windowDC, ::GetSysColor(COLOR_BTNHIGHLIGHT), r, t, r, b);
        Line(windowDC, ::GetSysColor(COLOR_BTNHIGHLIGHT), r, b, l - 1, b);
        Line(windowDC, ::GetSysColor(COLOR_3DDKSHADOW), l + 1, b - 1, l + 1, t + 1);
        Line(windowDC, ::GetSysColor(COLOR_3DDKSHADOW), l + 1, t + 1, r - 1, t + 1);
        Line(windowDC, ::GetSysColor(COLOR_3DLIGHT), r - 1, t + 1, r - 1, b - 1);
        Line(windowDC, ::GetSysColor(COLOR_3DLIGHT), r - 1, b - 1, l, b - 1);
    }

    CControlTextScope textScope(dc, m_hWnd);
    const CString text = WindowTextOf(m_hWnd);
    RECT textRect = client;
    ::InflateRect(&textRect, 2, 2);
    textRect.left += 4;
    textRect.right -= 4;
    ::DrawTextA(dc, text, text.GetLength(), &textRect, DT_LEFT | DT_VCENTER | DT_SINGLELINE);
}

void CDisplayEdit::OnLButtonDown(UINT, POINT)
{
    // Swallowed: the field never takes the focus by the mouse.
}
