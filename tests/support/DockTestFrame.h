#pragma once
// A frame for the docking tests: a top-level frame (not self-deleting) with a
// plain child as its view, dock bars on all sides, and helpers that drive bars
// with real mouse messages and read back their places.

#include "framework/ControlBar.h"
#include "framework/DockBar.h"
#include "framework/FrameWnd.h"
#include "support/MessagePump.h"

#include <windows.h>
#include <windowsx.h>

#include <memory>

namespace dock_test {

constexpr RECT kFrameRect{100, 100, 740, 580};

class CViewStandIn : public CWnd {};

class CTestDockFrame : public CFrameWnd {
public:
    CTestDockFrame() { m_bAutoDelete = false; }

    bool Make(const CRuntimeClass* floatingFrameClass = nullptr, const CRuntimeClass* dockBarClass = nullptr)
    {
        m_pFloatingFrameClass = floatingFrameClass;
        m_pDockBarClass = dockBarClass;
        if (!Create(nullptr, "Dock test", WS_OVERLAPPEDWINDOW, kFrameRect, nullptr, nullptr, 0, nullptr))
            return false;
        const RECT empty{0, 0, 0, 0};
        if (!m_view.Create(nullptr, "", WS_CHILD | WS_VISIBLE, empty, this, FWID_PANE_FIRST))
            return false;
        EnableDocking(CBRS_ALIGN_ANY);
        ::ShowWindow(m_hWnd, SW_SHOWNOACTIVATE);
        return true;
    }
    // Runs the delayed layouts and what else is queued.
    void Settle()
    {
        for (int i = 0; i < 4; ++i)
            test_support::PumpPending();
    }
    RECT ViewRect() const { return WindowRectOf(m_view.m_hWnd); }
    static RECT WindowRectOf(HWND window)
    {
        RECT rect{};
        ::GetWindowRect(window, &rect);
        return rect;
    }

    CViewStandIn m_view;
};

// A bar of one size lying either way: long along its dock bar, short across.
class CFixedBar : public CControlBar {
public:
    explicit CFixedBar(SIZE horz) : m_horz(horz) {}

    bool Make(CFrameWnd& frame, UINT id)
    {
        const RECT empty{0, 0, 0, 0};
        if (!Create(nullptr, "Fixed", WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS, empty, &frame, id))
            return false;
        SetBarStyle(CBRS_TOP);
        EnableDocking(CBRS_ALIGN_ANY);
        return true;
    }
    SIZE CalcFixedLayout(BOOL, BOOL horz) override { return horz ? m_horz : SIZE{m_horz.cy, m_horz.cx}; }

private:
    SIZE m_horz;
};

inline bool SameRect(const RECT& a, const RECT& b) { return ::EqualRect(&a, &b) != FALSE; }
inline int Width(const RECT& r) { return r.right - r.left; }
inline int Height(const RECT& r) { return r.bottom - r.top; }
inline POINT Center(const RECT& r) { return POINT{(r.left + r.right) / 2, (r.top + r.bottom) / 2}; }

inline LPARAM ClientPoint(HWND window, POINT screen)
{
    ::ScreenToClient(window, &screen);
    return MAKELPARAM(static_cast<short>(screen.x), static_cast<short>(screen.y));
}

// Presses the left button at `from` on the window (screen coordinates), moves
// to `to` in a few steps and releases it there: the moves and the release are
// queued first, so the drag loop the press starts finds them.
inline void DragWithMouse(HWND window, POINT from, POINT to, bool escapeInstead = false)
{
    constexpr int kSteps = 4;
    for (int step = 1; step <= kSteps; ++step) {
        const POINT at{from.x + (to.x - from.x) * step / kSteps, from.y + (to.y - from.y) * step / kSteps};
        ::PostMessageA(window, WM_MOUSEMOVE, MK_LBUTTON, ClientPoint(window, at));
    }
    if (escapeInstead)
        ::PostMessageA(window, WM_KEYDOWN, VK_ESCAPE, 0);
    else
        ::PostMessageA(window, WM_LBUTTONUP, 0, ClientPoint(window, to));
    ::SendMessageA(window, WM_LBUTTONDOWN, MK_LBUTTON, ClientPoint(window, from));
}

inline void DoubleClick(HWND window, POINT at)
{
    ::SendMessageA(window, WM_LBUTTONDBLCLK, MK_LBUTTON, ClientPoint(window, at));
}

}  // namespace dock_test
