#include "framework/ControlBar.h"

#include "framework/DockBar.h"
#include "framework/DockContext.h"
#include "framework/FrameDocking.h"
#include "framework/FrameWnd.h"
#include "framework/Gdi.h"
#include "framework/WinApp.h"

#include <algorithm>

IMPLEMENT_DYNAMIC(CControlBar, CWnd)

CControlBar::CControlBar() = default;

CControlBar::~CControlBar()
{
    if (m_pDockBar)
        m_pDockBar->RemoveControlBar(this);
    if (m_pDockSite && m_pDockSite->m_docking) {
        auto& bars = m_pDockSite->m_docking->bars;
        bars.erase(std::remove(bars.begin(), bars.end(), this), bars.end());
    }
}

SIZE CControlBar::CalcFixedLayout(BOOL, BOOL)
{
    return SIZE{0, 0};
}

SIZE CControlBar::CalcDynamicLayout(int, DWORD mode)
{
    return CalcFixedLayout((mode & LM_STRETCH) != 0, (mode & LM_HORZ) != 0);
}

void CControlBar::OnUpdateCmdUI(CFrameWnd*, BOOL) {}

std::unique_ptr<CDockContext> CControlBar::MakeDockContext()
{
    return std::make_unique<CDockContext>(*this);
}

void CControlBar::EnableDocking(DWORD dockStyle)
{
    m_dwDockStyle = dockStyle & CBRS_ALIGN_ANY;
    if (!m_pDockContext)
        m_pDockContext = MakeDockContext();
}

bool CControlBar::IsFloating() const
{
    return m_pDockBar && m_pDockBar->IsFloatingDockBar();
}

CFrameWnd* CControlBar::GetDockingFrame() const
{
    if (m_pDockBar && m_pDockBar->IsFloatingDockBar())
        return dynamic_cast<CFrameWnd*>(CWnd::FromHandlePermanent(::GetParent(m_pDockBar->m_hWnd)));
    return m_pDockSite;
}

void CControlBar::DrawBorders(HDC dc, RECT& rect) const
{
    const DWORD style = m_dwStyle;
    const COLORREF shadow = ::GetSysColor(COLOR_BTNSHADOW);
    const COLORREF light = ::GetSysColor(COLOR_BTNHIGHLIGHT);
    CDC target(dc);
    // Each border is a shadow line with a highlight inside it, the classic etched edge.
    if (style & CBRS_BORDER_LEFT) {
        target.FillSolidRect(RECT{rect.left, rect.top, rect.left + 1, rect.bottom}, shadow);
        target.FillSolidRect(RECT{rect.left + 1, rect.top, rect.left + 2, rect.bottom}, light);
        rect.left += 2;
    }
    if (style & CBRS_BORDER_TOP) {
        target.FillSolidRect(RECT{rect.left, rect.top, rect.right, rect.top + 1}, shadow);
        target.FillSolidRect(RECT{rect.left, rect.top + 1, rect.right, rect.top + 2}, light);
        rect.top += 2;
    }
    if (style & CBRS_BORDER_RIGHT) {
        target.FillSolidRect(RECT{rect.right - 2, rect.top, rect.right - 1, rect.bottom}, shadow);
        target.FillSolidRect(RECT{rect.right - 1, rect.top, rect.right, rect.bottom}, light);
        rect.right -= 2;
    }
    if (style & CBRS_BORDER_BOTTOM) {
        target.FillSolidRect(RECT{rect.left, rect.bottom - 2, rect.right, rect.bottom - 1}, shadow);
        target.FillSolidRect(RECT{rect.left, rect.bottom - 1, rect.right, rect.bottom}, light);
        rect.bottom -= 2;
    }
}

int CControlBar::OnCreate(LPCREATESTRUCTA cs)
{
    if (CWnd::OnCreate(cs) == -1)
        return -1;
    // The frame the bar is made in is where it docks, even when it floats
    // later in a frame of its own.
    if (!m_pDockSite) {
        m_pDockSite = GetParentFrame();
        if (m_pDockSite)
            m_pDockSite->Docking().bars.push_back(this);
    }
    return 0;
}

void CControlBar::OnDestroy()
{
    if (m_pDockBar)
        m_pDockBar->RemoveControlBar(this);
    m_pDockBar = nullptr;
    if (m_pDockSite && m_pDockSite->m_docking) {
        auto& bars = m_pDockSite->m_docking->bars;
        bars.erase(std::remove(bars.begin(), bars.end(), this), bars.end());
    }
    m_pDockSite = nullptr;
    CWnd::OnDestroy();
}

void CControlBar::OnLButtonDown(UINT flags, POINT point)
{
    if (m_pDockContext && m_pDockBar) {
        ClientToScreen(&point);
        m_pDockContext->StartDrag(point);
        return;
    }
    CWnd::OnLButtonDown(flags, point);
}

void CControlBar::OnLButtonDblClk(UINT flags, POINT point)
{
    if (m_pDockContext && m_pDockBar) {
        m_pDockContext->ToggleDocking();
        return;
    }
    CWnd::OnLButtonDblClk(flags, point);
}

LRESULT CControlBar::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == FrameworkIdleUpdateMessage()) {
        if (IsVisible() && m_pDockSite)
            OnUpdateCmdUI(m_pDockSite, static_cast<BOOL>(wParam));
        return 0;
    }
    return CWnd::WindowProc(message, wParam, lParam);
}
