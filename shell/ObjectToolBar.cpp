#include "shell/ObjectToolBar.h"

#include "framework/ErrorReport.h"
#include "framework/FrameWnd.h"
#include "framework/Gdi.h"
#include "framework/View.h"
#include "framework/WinApp.h"
#include "resource.h"
#include "shell/DiscChoiceDlg.h"
#include "shell/ObjectToolBarHost.h"
#include "uikit/PanelBackground.h"

#include <algorithm>
#include <cstdlib>

IMPLEMENT_DYNAMIC(CObjectToolBar, CToolBar)

using ObjectDrop::DragState;

namespace
{
HCURSOR LoadOwnCursor(UINT id)
{
    return static_cast<HCURSOR>(
        ::LoadImageA(::GetModuleHandleA(nullptr), MAKEINTRESOURCEA(id), IMAGE_CURSOR, 0, 0, LR_DEFAULTCOLOR));
}

// An inverted frame `thickness` pixels wide on the screen.
void InvertFrame(HDC dc, const RECT& rect, int thickness, HBRUSH brush)
{
    CSelectGuard guard(dc, brush);
    const int width = rect.right - rect.left;
    const int height = rect.bottom - rect.top;
    const DWORD rop = brush ? PATINVERT : DSTINVERT;
    ::PatBlt(dc, rect.left, rect.top, width, thickness, rop);
    ::PatBlt(dc, rect.left, rect.bottom - thickness, width, thickness, rop);
    ::PatBlt(dc, rect.left, rect.top + thickness, thickness, height - 2 * thickness, rop);
    ::PatBlt(dc, rect.right - thickness, rect.top + thickness, thickness, height - 2 * thickness, rop);
}

int Width(const RECT& rect)
{
    return rect.right - rect.left;
}
}  // namespace

CObjectToolBar::CObjectToolBar()
    : m_noDropCursor(LoadOwnCursor(IDC_NO_DROP_CURSOR)),
      m_dropCursor(LoadOwnCursor(IDC_DROP_CURSOR)),
      m_hArrow(::LoadCursorA(nullptr, IDC_ARROW))
{
}

POINT CObjectToolBar::ToScreen(POINT client) const
{
    ClientToScreen(&client);
    return client;
}

void CObjectToolBar::DrawOutline() const
{
    if (::IsRectEmpty(&m_outline))
        return;
    HDC screen = ::GetDC(nullptr);
    if (!screen)
        return;
    if (m_bOutlineInverted) {
        InvertFrame(screen, m_outline, 1, nullptr);
    } else {
        // The drag rectangle: a halftone frame three pixels wide.
        static const WORD kHalftone[8] = {0x55, 0xAA, 0x55, 0xAA, 0x55, 0xAA, 0x55, 0xAA};
        HBITMAP pattern = ::CreateBitmap(8, 8, 1, 1, kHalftone);
        HBRUSH brush = pattern ? ::CreatePatternBrush(pattern) : nullptr;
        InvertFrame(screen, m_outline, 3, brush ? brush : static_cast<HBRUSH>(::GetStockObject(GRAY_BRUSH)));
        if (brush)
            ::DeleteObject(brush);
        if (pattern)
            ::DeleteObject(pattern);
    }
    ::ReleaseDC(nullptr, screen);
}

void CObjectToolBar::SetDragCursor(HCURSOR cursor)
{
    m_hCurrentCursor = cursor;
    if (cursor)
        ::SetCursor(cursor);
}

void CObjectToolBar::OnLButtonDown(UINT flags, POINT point)
{
    Guarded(162, ErrorSink::Window(this), [&] {
        SetFocus();
        m_bDragging = true;
        m_lastPoint = point;
        m_nButton = -1;
        const int count = std::min(GetCount(), static_cast<int>(ObjectDrop::kButtonCount));
        for (int i = 0; i < count; ++i) {
            const RECT item = GetItemRect(i);
            if (::PtInRect(&item, point)) {
                m_nButton = i;
                break;
            }
        }
        if (m_nButton < 0) {
            // Not on a button: the bar itself is moved or docked.
            m_bDragging = false;
            CToolBar::OnLButtonDown(flags, point);
            return;
        }
        SetCapture();
        RECT button = GetItemRect(m_nButton);
        button.right -= 1;
        m_buttonSize = SIZE{button.right - button.left, button.bottom - button.top};
        ClientToScreen(&button);
        m_outline = button;
        m_bOutlineInverted = false;
        DrawOutline();
        SetDragCursor(m_noDropCursor.Get());
        m_state = DragState::Outside;
        // The parts follow the page, zoom and scroll the view shows now.
        if (!m_host) {
            auto* frame = dynamic_cast<CFrameWnd*>(GetAppMainWnd());
            m_host = frame ? dynamic_cast<IObjectDropHost*>(frame->GetActiveView()) : nullptr;
        }
        m_parts = m_host ? m_host->DropPartsOnScreen() : ObjectDrop::DropParts{};
    });
}

void CObjectToolBar::OnMouseMove(UINT flags, POINT point)
{
    const bool ours = (flags & (MK_LBUTTON | MK_RBUTTON | MK_MBUTTON)) == MK_LBUTTON && m_nButton >= 0 &&
                      m_bDragging && (point.x != m_lastPoint.x || point.y != m_lastPoint.y);
    if (!ours) {
        CToolBar::OnMouseMove(flags, point);
        return;
    }
    Guarded(163, ErrorSink::Window(this), [&] {
        DrawOutline();  // off
        ::OffsetRect(&m_outline, point.x - m_lastPoint.x, point.y - m_lastPoint.y);
        const POINT screen = ToScreen(point);
        const DragState before = m_state;
        const DragState now = ObjectDrop::StateAt(m_parts, screen, m_nButton);
        if (now == DragState::Tab) {
            const RECT& tab = m_parts.leftTab && ::PtInRect(&*m_parts.leftTab, screen) ? *m_parts.leftTab
                                                                                         : *m_parts.rightTab;
            m_outline = ObjectDrop::TabOutline(m_buttonSize, Width(tab), screen);
        } else if (before == DragState::Tab) {
            m_outline = ObjectDrop::CenteredOutline(m_buttonSize, screen);
        }
        m_state = now;
        SetDragCursor(now == DragState::Outside ? m_noDropCursor.Get() : m_dropCursor.Get());
        m_bOutlineInverted = now != DragState::Outside;
        DrawOutline();  // on, at its new place
        m_lastPoint = point;
    });
}

void CObjectToolBar::OnLButtonDblClk(UINT flags, POINT point)
{
    // The button-up that follows makes nothing.
    m_outline = RECT{};
    CToolBar::OnLButtonDblClk(flags, point);
}

void CObjectToolBar::OnLButtonUp(UINT flags, POINT point)
{
    if (m_bDragging) {
        Guarded(164, ErrorSink::Window(this), [&] {
            if (::GetCapture() == m_hWnd)
                ::ReleaseCapture();
            m_bDragging = false;
            if (m_nButton >= 0 && !::IsRectEmpty(&m_outline))
                Drop(point);
            m_nButton = -1;
            m_outline = RECT{};
            m_state = DragState::Outside;
            Invalidate();
            SetDragCursor(m_hArrow);
        });
    }
    CToolBar::OnLButtonUp(flags, point);
}

void CObjectToolBar::Drop(POINT point)
{
    DrawOutline();  // off for good
    CString part;
    // The disc dropped on, when it was one: the disc question proposes it.
    int droppedOnDisc = 0;
    const POINT screen = ToScreen(point);
    if (m_state != DragState::Outside) {
        const auto target = ObjectDrop::TargetAt(m_parts, screen, m_state);
        if (!target || !m_host)
            return;
        m_host->ShowDropSurface(target->surface);
        part = target->part;
        droppedOnDisc = target->surface == "Disc 1" ? 1 : target->surface == "Disc 2" ? 2 : 0;
    } else {
        RECT client{};
        GetClientRect(&client);
        if (!::PtInRect(&client, point) || !m_host)
            return;  // dropped on nothing
        // A click on the button: near the middle of the view, a little apart
        // from the last object put there.
        POINT place = m_host->ClickDropPoint();
        const DWORD ticks = ::GetTickCount();
        std::srand(static_cast<unsigned>(ticks));
        place.x += ObjectDrop::JitterOffset(static_cast<unsigned>(std::rand()));
        std::srand(static_cast<unsigned>(ticks * 2));
        place.y += ObjectDrop::JitterOffset(static_cast<unsigned>(std::rand()));
        m_outline = ObjectDrop::CenteredOutline(SIZE{Width(m_outline), m_outline.bottom - m_outline.top}, place);
        m_state = DragState::Inside;
        part = "Inside";
    }
    int disc = 0;
    if (m_host->IsDoubleLayout() && ObjectDrop::AsksForDisc(m_nButton)) {
        disc = AskDisc(droppedOnDisc);
        if (disc != 1 && disc != 2)
            return;
    }
    m_host->CreateDroppedObject(m_nButton, ObjectDrop::ObjectName(m_nButton, disc), m_outline, part);
}

int CObjectToolBar::AskDisc(int proposedDisc) const
{
    if (m_askDisc)
        return m_askDisc();
    CDiscChoiceDlg dialog("Which disc do you want this object attached to?", nullptr, proposedDisc);
    return static_cast<int>(dialog.DoModal());
}

BOOL CObjectToolBar::OnEraseBkgnd(HDC dc)
{
    return Guarded(165, ErrorSink::Window(this), FALSE, [&] {
        RECT client{};
        GetClientRect(&client);
        client.bottom += 2;
        PaintPanelAlignedWithMainWindow(m_hWnd, dc, client);
        return TRUE;
    });
}
