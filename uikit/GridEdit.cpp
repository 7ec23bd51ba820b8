#include "uikit/GridEdit.h"

#include "framework/ErrorReport.h"
#include "framework/Gdi.h"

IMPLEMENT_DYNAMIC(CGridEdit, CEdit)

namespace {

constexpr COLORREF kLightEdge = RGB(192, 192, 192);

}  // namespace

void CGridEdit::OnPaint()
{
    Guarded(250, ErrorSink::Window(this), [&] {
        Default();
        RECT client{};
        GetClientRect(&client);
        CClientDC dc(m_hWnd);
        ::FrameRect(dc, &client, ::GetSysColorBrush(COLOR_WINDOW));
        CPen light;
        light.CreatePen(PS_SOLID, 1, kLightEdge);
        CSelectGuard pen(dc, light);
        ::MoveToEx(dc, client.left, client.bottom, nullptr);
        ::LineTo(dc, client.left, client.top);
        ::LineTo(dc, client.right, client.top);
    });
}
