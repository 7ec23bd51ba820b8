#include "framework/DockBar.h"

#include "framework/FrameWnd.h"
#include "framework/Gdi.h"

#include <algorithm>
#include <climits>

IMPLEMENT_DYNCREATE(CDockBar, CControlBar)

namespace {

// Bars overlap their neighbours (and the dock bar's ends) by this much.
constexpr int kOverlap = 2;

}  // namespace

CDockBar::CDockBar(bool floating) : m_bFloating(floating)
{
    m_arrBars.push_back(nullptr);  // begins and ends with a row break
}

CDockBar::~CDockBar()
{
    for (CControlBar* bar : m_arrBars) {
        if (bar && bar->m_pDockBar == this)
            bar->m_pDockBar = nullptr;
    }
}

BOOL CDockBar::Create(CWnd* parent, DWORD style, UINT id)
{
    m_dwStyle = style & CBRS_ALL;
    LPCSTR className = RegisterFrameworkWindowClass(CS_DBLCLKS, ::LoadCursorA(nullptr, IDC_ARROW),
                                                    reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1));
    const RECT empty{0, 0, 0, 0};
    return CWnd::Create(className, nullptr, (style & ~CBRS_ALL) | WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS |
                            WS_CLIPCHILDREN, empty, parent, id);
}

int CDockBar::FindBar(const CControlBar* bar) const
{
    const auto found = std::find(m_arrBars.begin(), m_arrBars.end(), bar);
    return bar && found != m_arrBars.end() ? static_cast<int>(found - m_arrBars.begin()) : -1;
}

int CDockBar::GetBarCount() const
{
    return static_cast<int>(std::count_if(m_arrBars.begin(), m_arrBars.end(), [](CControlBar* b) { return b; }));
}

int CDockBar::GetVisibleBarCount() const
{
    return static_cast<int>(
        std::count_if(m_arrBars.begin(), m_arrBars.end(), [](CControlBar* b) { return b && b->IsVisible(); }));
}

void CDockBar::NormalizeRows()
{
    std::vector<CControlBar*> rows{nullptr};
    for (CControlBar* bar : m_arrBars) {
        if (bar || rows.back())
            rows.push_back(bar);
    }
    if (rows.back())
        rows.push_back(nullptr);
    m_arrBars.swap(rows);
}

void CDockBar::TakeBar(CControlBar* bar)
{
    if (bar->m_pDockBar && bar->m_pDockBar != this)
        bar->m_pDockBar->RemoveControlBar(bar);
    bar->m_pDockBar = this;
    // The bar lies the way its dock bar does.
    bar->m_dwStyle = (bar->m_dwStyle & ~CBRS_ALIGN_ANY) | (m_dwStyle & CBRS_ALIGN_ANY);
    if (::GetParent(bar->m_hWnd) != m_hWnd)
        ::SetParent(bar->m_hWnd, m_hWnd);
}

void CDockBar::DockControlBar(CControlBar* bar, const RECT* screenRect)
{
    if (!bar || !bar->m_hWnd)
        return;
    if (bar->m_pDockBar == this)
        RemoveControlBar(bar);
    TakeBar(bar);

    if (!screenRect || GetBarCount() == 0) {
        m_arrBars.push_back(bar);
        m_arrBars.push_back(nullptr);
        NormalizeRows();
        return;
    }
    RECT rect = *screenRect;
    ScreenToClient(&rect);
    const bool horz = IsHorz() || m_bFloating;
    const int start = horz ? rect.top : rect.left;
    const int thickness = horz ? rect.bottom - rect.top : rect.right - rect.left;
    const int along = horz ? rect.left : rect.top;

    // Rows with their extent across the dock bar, from the bars' windows.
    int insertAt = -1;
    bool newRow = false;
    int rowStart = 0;
    for (int i = 1; i < static_cast<int>(m_arrBars.size()); ++i) {
        if (m_arrBars[i])
            continue;
        int low = INT_MAX, high = INT_MIN;
        for (int j = rowStart + 1; j < i; ++j) {
            RECT barRect;
            m_arrBars[j]->GetWindowRect(&barRect);
            ScreenToClient(&barRect);
            low = std::min<int>(low, horz ? barRect.top : barRect.left);
            high = std::max<int>(high, horz ? barRect.bottom : barRect.right);
        }
        // The middle of the dropped bar, or for a bar thicker than the row
        // the middle of the part of it the row could hold: a tall bar put
        // back into a row of low ones belongs to that row.
        const int across = start + std::min(thickness, high - low) / 2;
        if (low <= high && across < low) {
            insertAt = rowStart + 1;  // a new row before this one
            newRow = true;
            break;
        }
        if (low <= high && across < high) {
            insertAt = i;
            for (int j = rowStart + 1; j < i; ++j) {
                RECT barRect;
                m_arrBars[j]->GetWindowRect(&barRect);
                ScreenToClient(&barRect);
                // Before the first bar whose middle lies beyond the drop: a bar
                // put back at its old place goes before the neighbour that
                // moved up into the gap (by the overlap) while it was away.
                const int middle = horz ? (barRect.left + barRect.right) / 2 : (barRect.top + barRect.bottom) / 2;
                if (along < middle) {
                    insertAt = j;
                    break;
                }
            }
            break;
        }
        rowStart = i;
    }
    if (insertAt < 0) {
        m_arrBars.push_back(bar);
        m_arrBars.push_back(nullptr);
    } else if (newRow) {
        m_arrBars.insert(m_arrBars.begin() + insertAt, {bar, nullptr});
    } else {
        m_arrBars.insert(m_arrBars.begin() + insertAt, bar);
    }
    NormalizeRows();
}

void CDockBar::SetRows(const std::vector<std::vector<CControlBar*>>& rows)
{
    for (const auto& row : rows) {
        for (CControlBar* bar : row) {
            if (bar && bar->m_pDockBar)
                bar->m_pDockBar->RemoveControlBar(bar);
        }
    }
    std::vector<CControlBar*> kept{m_arrBars};
    for (CControlBar* bar : kept) {
        if (bar)
            RemoveControlBar(bar);
    }
    m_arrBars.assign(1, nullptr);
    for (const auto& row : rows) {
        for (CControlBar* bar : row) {
            if (!bar)
                continue;
            TakeBar(bar);
            m_arrBars.push_back(bar);
        }
        m_arrBars.push_back(nullptr);
    }
    NormalizeRows();
}

bool CDockBar::RemoveControlBar(CControlBar* bar)
{
    const int index = FindBar(bar);
    if (index < 0)
        return false;
    m_arrBars.erase(m_arrBars.begin() + index);
    if (bar->m_pDockBar == this)
        bar->m_pDockBar = nullptr;
    NormalizeRows();
    return true;
}

SIZE CDockBar::CalcFixedLayout(BOOL, BOOL horzAsked)
{
    const bool horz = m_bFloating ? true : horzAsked != FALSE;
    const DWORD mode = m_bFloating ? (LM_HORZ | LM_MRUWIDTH) : horz ? (LM_HORZ | LM_HORZDOCK) : LM_VERTDOCK;
    int along = -kOverlap;
    int across = -kOverlap;
    int rowWidth = 0;
    SIZE fixed{0, 0};
    int endAlong = 0;
    struct Placement {
        HWND window;
        RECT rect;
    };
    std::vector<Placement> placements;
    // The room along the dock bar; a bar that would run past it starts a row
    // of its own on screen (the rows kept in the array stay as the user made
    // them, so the bar comes back when the frame grows again).
    const int room = m_bFloating ? 0 : horz ? m_rectLayout.right - m_rectLayout.left
                                            : m_rectLayout.bottom - m_rectLayout.top;
    for (size_t i = 0; i < m_arrBars.size(); ++i) {
        CControlBar* bar = m_arrBars[i];
        if (bar && bar->IsVisible()) {
            const SIZE size = bar->CalcDynamicLayout(-1, mode);
            const int length = horz ? size.cx : size.cy;
            if (room > 0 && along > -kOverlap && along + length > room + kOverlap) {
                across += rowWidth - kOverlap;
                along = -kOverlap;
                rowWidth = 0;
            }
            RECT rect = horz ? RECT{along, across, along + size.cx, across + size.cy}
                             : RECT{across, along, across + size.cx, along + size.cy};
            placements.push_back({bar->m_hWnd, rect});
            along += (horz ? size.cx : size.cy) - kOverlap;
            rowWidth = std::max<int>(rowWidth, horz ? size.cy : size.cx);
            endAlong = std::max(endAlong, along);
        }
        if (!bar && rowWidth > 0) {
            across += rowWidth - kOverlap;
            along = -kOverlap;
            rowWidth = 0;
        }
    }
    if (!placements.empty()) {
        fixed = horz ? SIZE{endAlong, across} : SIZE{across, endAlong};
        fixed.cx = std::max<LONG>(fixed.cx, 0);
        fixed.cy = std::max<LONG>(fixed.cy, 0);
    }
    if (!m_bLayoutQuery) {
        for (const Placement& placement : placements) {
            const RECT& r = placement.rect;
            RECT current;
            ::GetWindowRect(placement.window, &current);
            ScreenToClient(&current);
            if (!::EqualRect(&current, &r)) {
                ::SetWindowPos(placement.window, nullptr, r.left, r.top, r.right - r.left, r.bottom - r.top,
                               SWP_NOZORDER | SWP_NOACTIVATE);
            }
        }
    }
    return fixed;
}

LRESULT CDockBar::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == FrameworkSizeParentMessage() && !m_bFloating) {
        auto* layout = reinterpret_cast<SizeParentLayout*>(lParam);
        RECT& remaining = layout->remaining;
        m_rectLayout = remaining;
        m_bLayoutQuery = layout->queryOnly;
        const bool horz = IsHorz();
        const SIZE size = CalcFixedLayout(TRUE, horz);
        m_bLayoutQuery = false;
        RECT mine = remaining;
        switch (m_dwStyle & CBRS_ALIGN_ANY) {
        case CBRS_ALIGN_TOP:
            mine.bottom = std::min<LONG>(remaining.bottom, remaining.top + size.cy);
            remaining.top = mine.bottom;
            break;
        case CBRS_ALIGN_BOTTOM:
            mine.top = std::max<LONG>(remaining.top, remaining.bottom - size.cy);
            remaining.bottom = mine.top;
            break;
        case CBRS_ALIGN_LEFT:
            mine.right = std::min<LONG>(remaining.right, remaining.left + size.cx);
            remaining.left = mine.right;
            break;
        default:
            mine.left = std::max<LONG>(remaining.left, remaining.right - size.cx);
            remaining.right = mine.left;
            break;
        }
        if (!layout->queryOnly)
            ::SetWindowPos(m_hWnd, nullptr, mine.left, mine.top, mine.right - mine.left, mine.bottom - mine.top,
                           SWP_NOZORDER | SWP_NOACTIVATE);
        return 0;
    }
    return CControlBar::WindowProc(message, wParam, lParam);
}

void CDockBar::OnPaint()
{
    CPaintDC dc(m_hWnd);
}
