#include "uikit/TrackHeaderCtrl.h"

#include "framework/ErrorReport.h"
#include "framework/Gdi.h"

IMPLEMENT_DYNAMIC(CTrackHeaderCtrl, CHeaderCtrl)

void CTrackHeaderCtrl::OnPaint()
{
    Guarded(273, ErrorSink::Window(this), [&] {
        Default();
        RECT client{};
        GetClientRect(&client);
        const int width = client.right - client.left;
        const int height = client.bottom - client.top;
        CClientDC dc(m_hWnd);
        {
            CPen face;
            face.CreatePen(PS_SOLID, 1, ::GetSysColor(COLOR_BTNFACE));
            CSelectGuard pen(dc, face);
            for (int x = width - 2; x < width; ++x) {
                ::MoveToEx(dc, x, 0, nullptr);
                ::LineTo(dc, x, height - 2);
            }
        }
        CPen shadow;
        shadow.CreatePen(PS_SOLID, 1, ::GetSysColor(COLOR_BTNSHADOW));
        CSelectGuard pen(dc, shadow);
        ::MoveToEx(dc, width - 2, height - 2, nullptr);
        ::LineTo(dc, width, height - 2);
    });
}
