#include "uikit/PaintListCtrl.h"

#include "framework/ErrorReport.h"
#include "framework/Gdi.h"
#include "uikit/PanelBackground.h"

IMPLEMENT_DYNAMIC(CPaintListCtrl, CListCtrl)

void CPaintListCtrl::OnPaint()
{
    Guarded(440, ErrorSink::Window(this), [&] {
        if (IsWindowEnabled()) {
            Default();
            return;
        }
        CPaintDC dc(m_hWnd);
        RECT client{};
        GetClientRect(&client);
        PaintPanelOnActiveView(dc, client);
    });
}
