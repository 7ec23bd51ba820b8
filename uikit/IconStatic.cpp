#include "uikit/IconStatic.h"

#include "framework/ErrorReport.h"
#include "framework/Gdi.h"

IMPLEMENT_DYNAMIC(CIconStatic, CStatic)

void CIconStatic::OnPaint()
{
    Guarded(378, ErrorSink::Window(this), [&] {
        CPaintDC dc(m_hWnd);
        if (HICON icon = GetIcon())
            ::DrawIcon(dc, 0, 0, icon);
    });
}
