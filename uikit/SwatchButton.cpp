#include "uikit/SwatchButton.h"

#include "framework/ErrorReport.h"
#include "uikit/NoEraseBackground.h"

IMPLEMENT_DYNAMIC(CSwatchButton, CButton)

void CSwatchButton::PreSubclassWindow()
{
    ModifyStyle(BS_TYPEMASK, BS_OWNERDRAW);
    Invalidate();
}

void CSwatchButton::DrawItem(LPDRAWITEMSTRUCT item)
{
    Guarded(319, ErrorSink::Window(this), [&] {
        HDC dc = item->hDC;
        if (m_bShowPreview && m_pPreview && m_pPreview->IsValid()) {
            const SIZE size = m_pPreview->GetSize();
            CMemoryDC memory(dc);
            CSelectGuard selected(memory, *m_pPreview);
            ::BitBlt(dc, 0, 0, size.cx, size.cy, memory, 0, 0, SRCCOPY);
            return;
        }
        if (!m_pFaceDC)
            return;
        const RECT& rect = item->rcItem;
        ::BitBlt(dc, 0, 0, rect.right - rect.left, rect.bottom - rect.top, m_pFaceDC, 0, 0, SRCCOPY);
    });
}

void CSwatchButton::OnLButtonDown(UINT flags, POINT point)
{
    if (m_pPreview && m_pPreview->IsValid()) {
        CWnd* parent = GetParent();
        if (parent)
            parent->PostMessage(WM_SWATCH_CLICKED, 0, MAKELPARAM(point.x, point.y));
    }
    CButton::OnLButtonDown(flags, point);
}

void CSwatchButton::OnDestroy()
{
    m_pPreview.reset();
    CButton::OnDestroy();
}

BOOL CSwatchButton::OnEraseBkgnd(HDC dc)
{
    return NoEraseBackground(dc);
}
