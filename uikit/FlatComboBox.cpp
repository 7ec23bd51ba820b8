#include "uikit/FlatComboBox.h"

#include "framework/ErrorReport.h"
#include "framework/Gdi.h"

IMPLEMENT_DYNAMIC(CFlatComboBox, CComboBox)

namespace {

constexpr COLORREF kWhite = RGB(255, 255, 255);
constexpr COLORREF kLightGrey = RGB(192, 192, 192);

void Row(HDC dc, const RECT& client, int y)
{
    ::MoveToEx(dc, client.left, y, nullptr);
    ::LineTo(dc, client.right, y);
}

void Column(HDC dc, const RECT& client, int x)
{
    ::MoveToEx(dc, x, client.top, nullptr);
    ::LineTo(dc, x, client.bottom);
}

}  // namespace

void CFlatComboBox::OnPaint()
{
    Default();
    DrawFrame();
}

void CFlatComboBox::DrawFrame()
{
    Guarded(255, ErrorSink::Window(this), [&] {
        RECT client{};
        GetClientRect(&client);
        CClientDC dc(m_hWnd);
        {
            CPen white;
            white.CreatePen(PS_SOLID, 1, kWhite);
            CSelectGuard pen(dc, white);
            Row(dc, client, client.top);
            Row(dc, client, client.top + 1);
            Column(dc, client, client.left);
            Column(dc, client, client.left + 1);
            Row(dc, client, client.bottom - 2);
        }
        CPen grey;
        grey.CreatePen(PS_SOLID, 1, kLightGrey);
        CSelectGuard pen(dc, grey);
        Row(dc, client, client.top + 2);
        Row(dc, client, client.bottom - 2);
    });
}
