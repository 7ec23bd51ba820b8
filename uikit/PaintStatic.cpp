#include "uikit/PaintStatic.h"

#include "framework/Gdi.h"
#include "uikit/ControlText.h"
#include "uikit/NoEraseBackground.h"

IMPLEMENT_DYNAMIC(CPaintStatic, CStatic)

void CPaintStatic::OnPaint()
{
    CPaintDC dc(m_hWnd);
    RECT client{};
    GetClientRect(&client);
    CControlTextScope textScope(dc, m_hWnd);
    const CString text = WindowTextOf(m_hWnd);
    const bool centred = (GetStyle() & SS_TYPEMASK) == SS_CENTER;
    const UINT format = (centred ? DT_CENTER : DT_LEFT) | DT_TOP | DT_NOCLIP | DT_WORDBREAK;
    ::DrawTextA(dc, text, text.GetLength(), &client, format);
}

BOOL CPaintStatic::OnEraseBkgnd(HDC dc)
{
    return NoEraseBackground(dc);
}
