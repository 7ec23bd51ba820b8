#include "uikit/PaneToolBar.h"

#include "framework/ErrorReport.h"
#include "framework/Gdi.h"
#include "uikit/PanelBackground.h"

IMPLEMENT_DYNAMIC(CPaneToolBar, CToolBar)

namespace {

constexpr int kBottomOverhang = 2;  // pixels

}  // namespace

CPaneToolBar::CPaneToolBar() = default;

CPaneToolBar::~CPaneToolBar() = default;

bool CPaneToolBar::PaintBackground(HDC dc) const
{
    const CPanelTextureHolder* holder = PanelTextureHolder();
    if (!dc || !holder || !holder->IsLabelViewActive())
        return false;
    RECT client;
    ::GetClientRect(m_hWnd, &client);
    client.bottom += kBottomOverhang;
    PaintPanelOnActiveView(dc, client);
    return true;
}

BOOL CPaneToolBar::OnEraseBkgnd(HDC dc)
{
    const bool painted = Guarded(390, ErrorSink::App(), false, [&] { return PaintBackground(dc); });
    return painted ? TRUE : CToolBar::OnEraseBkgnd(dc);
}

LRESULT CPaneToolBar::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message != WM_WINDOWPOSCHANGED)
        return CToolBar::WindowProc(message, wParam, lParam);
    const LRESULT result = CToolBar::WindowProc(message, wParam, lParam);
    // A bar moved to another row or dock bar shows the tiles of its new place at once.
    Guarded(391, ErrorSink::App(), [&] {
        CClientDC dc(m_hWnd);
        PaintBackground(dc);
    });
    return result;
}
