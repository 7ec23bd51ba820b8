// CFrameWnd: its control bars, dock bars and floating frames, and the bar
// layout kept in the profile.
#include "framework/FrameWnd.h"

#include "framework/DockContext.h"
#include "framework/DockState.h"
#include "framework/FrameDocking.h"
#include "framework/WinApp.h"

#include <algorithm>

namespace {

constexpr struct {
    UINT id;
    DWORD style;
} kDockBarMap[] = {{FWID_DOCKBAR_TOP, CBRS_TOP},
                   {FWID_DOCKBAR_BOTTOM, CBRS_BOTTOM},
                   {FWID_DOCKBAR_LEFT, CBRS_LEFT},
                   {FWID_DOCKBAR_RIGHT, CBRS_RIGHT}};

UINT DelayedLayoutMessage()
{
    static const UINT message = ::RegisterWindowMessageA("Framework.DelayedLayout");
    return message;
}

}  // namespace

CFrameDocking::~CFrameDocking() = default;

void CFrameDocking::DestroyEmptyFloatingFrames()
{
    for (auto it = floatingFrames.begin(); it != floatingFrames.end();) {
        CMiniDockFrameWnd& frame = **it;
        if (frame.m_wndDockBar.GetBarCount() == 0) {
            if (frame.m_hWnd)
                frame.DestroyWindow();
            it = floatingFrames.erase(it);
        } else {
            ++it;
        }
    }
}

CFrameDocking& CFrameWnd::Docking() const
{
    if (!m_docking)
        m_docking = std::make_unique<CFrameDocking>();
    return *m_docking;
}

const std::vector<CControlBar*>& CFrameWnd::GetControlBars() const
{
    return Docking().bars;
}

void CFrameWnd::EnableDocking(DWORD dockStyle)
{
    const CRuntimeClass* dockBarClass = m_pDockBarClass ? m_pDockBarClass : RUNTIME_CLASS(CDockBar);
    for (const auto& side : kDockBarMap) {
        if (!(dockStyle & side.style & CBRS_ALIGN_ANY) || GetDockBar(side.id))
            continue;
        std::unique_ptr<CObject> object = dockBarClass->CreateObject();
        std::unique_ptr<CDockBar> dockBar(dynamic_cast<CDockBar*>(object.get()));
        if (!dockBar)
            continue;
        object.release();
        if (dockBar->Create(this, WS_CLIPSIBLINGS | WS_CLIPCHILDREN | WS_CHILD | WS_VISIBLE | side.style, side.id))
            Docking().dockBars.push_back(std::move(dockBar));
    }
}

CDockBar* CFrameWnd::GetDockBar(UINT dockBarId) const
{
    for (const auto& dockBar : Docking().dockBars) {
        if (dockBar->m_hWnd && static_cast<UINT>(dockBar->GetDlgCtrlID()) == dockBarId)
            return dockBar.get();
    }
    return nullptr;
}

CControlBar* CFrameWnd::GetControlBar(UINT id) const
{
    for (CControlBar* bar : Docking().bars) {
        if (bar->m_hWnd && static_cast<UINT>(bar->GetDlgCtrlID()) == id && !bar->IsDockBar())
            return bar;
    }
    return nullptr;
}

void CFrameWnd::DockControlBar(CControlBar* bar, UINT dockBarId, const RECT* screenRect)
{
    CDockBar* dockBar = nullptr;
    if (dockBarId != 0) {
        dockBar = GetDockBar(dockBarId);
    } else {
        for (const auto& side : kDockBarMap) {
            if ((bar->GetDockStyle() & side.style & CBRS_ALIGN_ANY) && GetDockBar(side.id)) {
                dockBar = GetDockBar(side.id);
                break;
            }
        }
    }
    if (dockBar)
        DockControlBar(bar, dockBar, screenRect);
}

void CFrameWnd::DockControlBar(CControlBar* bar, CDockBar* dockBar, const RECT* screenRect)
{
    if (!bar || !dockBar || !bar->m_hWnd)
        return;
    CFrameWnd* oldFrame = bar->GetDockingFrame();
    dockBar->DockControlBar(bar, screenRect);
    if (oldFrame && oldFrame != this)
        oldFrame->RecalcLayout();
    DelayRecalcLayout();
}

void CFrameWnd::FloatControlBar(CControlBar* bar, POINT screenPoint, DWORD style)
{
    if (!bar || !bar->m_hWnd)
        return;
    CFrameDocking& docking = Docking();
    docking.DestroyEmptyFloatingFrames();
    if (CDockBar* old = bar->GetDockBar(); old && !old->IsFloatingDockBar() && bar->GetDockContext()) {
        // Where to go back to when docked again by a double click.
        CDockContext& context = *bar->GetDockContext();
        context.m_uMRUDockID = static_cast<UINT>(old->GetDlgCtrlID());
        bar->GetWindowRect(&context.m_rectMRUDockPos);
    }
    CMiniDockFrameWnd* frame = nullptr;
    if (bar->IsFloating() && bar->GetDockBar()->GetBarCount() == 1)
        frame = dynamic_cast<CMiniDockFrameWnd*>(CWnd::FromHandlePermanent(::GetParent(bar->GetDockBar()->m_hWnd)));
    if (!frame) {
        const CRuntimeClass* frameClass = m_pFloatingFrameClass ? m_pFloatingFrameClass
                                                                : RUNTIME_CLASS(CMiniDockFrameWnd);
        std::unique_ptr<CObject> object = frameClass->CreateObject();
        std::unique_ptr<CMiniDockFrameWnd> created(dynamic_cast<CMiniDockFrameWnd*>(object.get()));
        if (!created)
            return;
        object.release();
        created->m_bAutoDelete = false;
        if (!created->Create(this, style ? style : bar->GetBarStyle()))
            return;
        frame = created.get();
        docking.floatingFrames.push_back(std::move(created));
        CFrameWnd* oldFrame = bar->GetDockingFrame();
        frame->m_wndDockBar.DockControlBar(bar);
        if (oldFrame && oldFrame != this)
            oldFrame->RecalcLayout();
    }
    frame->SetWindowPos(nullptr, screenPoint.x, screenPoint.y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    frame->RecalcLayout();
    DelayRecalcLayout();
}

void CFrameWnd::ShowControlBar(CControlBar* bar, BOOL show, BOOL delay)
{
    if (!bar || !bar->m_hWnd)
        return;
    bar->SetWindowPos(nullptr, 0, 0, 0, 0,
                      SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE |
                          (show ? SWP_SHOWWINDOW : SWP_HIDEWINDOW));
    if (CFrameWnd* frame = bar->GetDockingFrame(); frame && frame != this)
        frame->RecalcLayout();
    if (delay)
        DelayRecalcLayout();
    else
        RecalcLayout();
}

void CFrameWnd::DelayRecalcLayout(BOOL)
{
    if (m_hWnd && !m_bRecalcPending) {
        m_bRecalcPending = true;
        PostMessage(DelayedLayoutMessage());
    }
}

RECT CFrameWnd::GetFreeClientRect()
{
    SizeParentLayout layout{};
    layout.queryOnly = true;
    GetClientRect(&layout.remaining);
    HWND pane = ::GetDlgItem(m_hWnd, FWID_PANE_FIRST);
    for (HWND child = ::GetTopWindow(m_hWnd); child; child = ::GetNextWindow(child, GW_HWNDNEXT)) {
        if (child != pane)
            ::SendMessageA(child, FrameworkSizeParentMessage(), 0, reinterpret_cast<LPARAM>(&layout));
    }
    return layout.remaining;
}

bool CFrameWnd::HandleDockingMessage(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == DelayedLayoutMessage()) {
        m_bRecalcPending = false;
        RecalcLayout();
        return true;
    }
    if (message == FrameworkIdleUpdateMessage() && m_docking) {
        // Floating bars are not children of the frame; they update too.
        for (const auto& frame : m_docking->floatingFrames) {
            if (frame->m_hWnd)
                frame->SendMessageToDescendants(message, wParam, lParam, TRUE);
        }
    }
    if (message == WM_DESTROY && m_docking)
        m_docking->DestroyEmptyFloatingFrames();
    return false;
}

// ---- the saved state -------------------------------------------------------

void CFrameWnd::GetDockState(CDockState& state) const
{
    state.Clear();
    state.m_sizeScreen = SIZE{::GetSystemMetrics(SM_CXSCREEN), ::GetSystemMetrics(SM_CYSCREEN)};
    std::vector<CDockBar*> dockBars;
    for (const auto& dockBar : Docking().dockBars)
        dockBars.push_back(dockBar.get());
    for (const auto& frame : Docking().floatingFrames) {
        if (frame->m_hWnd && frame->m_wndDockBar.GetBarCount() > 0)
            dockBars.push_back(&frame->m_wndDockBar);
    }
    for (CDockBar* dockBar : dockBars) {
        CControlBarInfo info;
        info.m_bDockBar = true;
        info.m_nBarID = static_cast<UINT>(dockBar->GetDlgCtrlID());
        info.m_bFloating = dockBar->IsFloatingDockBar();
        info.m_bHorz = dockBar->IsHorz();
        info.m_bVisible = true;
        if (info.m_bFloating) {
            RECT frame;
            ::GetWindowRect(::GetParent(dockBar->m_hWnd), &frame);
            info.m_pointPos = POINT{frame.left, frame.top};
        }
        for (size_t i = 1; i < dockBar->m_arrBars.size(); ++i) {
            CControlBar* bar = dockBar->m_arrBars[i];
            info.m_arrBarID.push_back(bar ? static_cast<UINT>(bar->GetDlgCtrlID()) : 0u);
        }
        state.m_arrBarInfo.push_back(std::move(info));
    }
    for (CControlBar* bar : Docking().bars) {
        if (bar->IsDockBar() || !bar->m_hWnd)
            continue;
        CControlBarInfo info;
        info.m_nBarID = static_cast<UINT>(bar->GetDlgCtrlID());
        info.m_bVisible = bar->IsVisible();
        info.m_bFloating = bar->IsFloating();
        info.m_bHorz = bar->IsHorz();
        if (CDockBar* dockBar = bar->GetDockBar()) {
            RECT rect;
            bar->GetWindowRect(&rect);
            dockBar->ScreenToClient(&rect);
            info.m_pointPos = POINT{rect.left, rect.top};
        }
        state.m_arrBarInfo.push_back(std::move(info));
    }
}

void CFrameWnd::SetDockState(const CDockState& state)
{
    CFrameDocking& docking = Docking();
    for (const CControlBarInfo& info : state.m_arrBarInfo) {
        if (!info.m_bDockBar)
            continue;
        std::vector<std::vector<CControlBar*>> rows(1);
        for (UINT id : info.m_arrBarID) {
            if (id == 0)
                rows.emplace_back();
            else if (CControlBar* bar = GetControlBar(id))
                rows.back().push_back(bar);
        }
        if (!info.m_bFloating) {
            if (CDockBar* dockBar = GetDockBar(info.m_nBarID))
                dockBar->SetRows(rows);
            continue;
        }
        CControlBar* first = nullptr;
        for (const auto& row : rows) {
            for (CControlBar* bar : row) {
                if (!first) {
                    first = bar;
                    FloatControlBar(bar, info.m_pointPos);
                } else if (CDockBar* floating = first->GetDockBar()) {
                    floating->DockControlBar(bar);
                }
            }
        }
    }
    for (const CControlBarInfo& info : state.m_arrBarInfo) {
        if (info.m_bDockBar)
            continue;
        if (CControlBar* bar = GetControlBar(info.m_nBarID))
            bar->SetWindowPos(nullptr, 0, 0, 0, 0,
                              SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE |
                                  (info.m_bVisible ? SWP_SHOWWINDOW : SWP_HIDEWINDOW));
    }
    docking.DestroyEmptyFloatingFrames();
    for (const auto& frame : docking.floatingFrames)
        frame->RecalcLayout();
    RecalcLayout();
}

void CFrameWnd::SaveBarState(LPCSTR profileName) const
{
    CDockState state;
    GetDockState(state);
    state.SaveState(profileName);
}

bool CFrameWnd::LoadBarState(LPCSTR profileName)
{
    CDockState state;
    if (!state.LoadState(profileName) || !state.IsUsableBy(*this))
        return false;
    SetDockState(state);
    return true;
}
