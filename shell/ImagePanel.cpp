#include "shell/ImagePanel.h"

#include "framework/ErrorReport.h"
#include "framework/Gdi.h"
#include "imaging/ThumbnailWorkers.h"
#include "shell/ThumbnailButton.h"
#include "uikit/PanelBackground.h"

#include <algorithm>

IMPLEMENT_DYNAMIC(CImagePanel, CWnd)

namespace {

constexpr int kMaxScrollRange = 32700;
constexpr int kThumbnailWidth = CThumbnailButton::kWidth;

}  // namespace

CImagePanel::CImagePanel()
    : m_state(std::make_shared<CImageFillState>()),
      m_fillerProcedure(&ImageListThreadProc),
      m_makerProcedure(&ThumbnailThreadProc)
{
    // A picture's transparent colour shows the panel's tiles, from the same origin.
    m_state->paintBehindTransparent = [](HDC dc, const RECT& rect) { TileAppBackground(dc, rect); };
}

CImagePanel::~CImagePanel()
{
    // The window normally went first; a panel dropped without it stops its
    // workers too, and lets them end on their own.
    StopWorkers();
}

void CImagePanel::SetWorkerProcedures(ThreadProcedure filler, ThreadProcedure maker)
{
    m_fillerProcedure = filler ? filler : &ImageListThreadProc;
    m_makerProcedure = maker ? maker : &ThumbnailThreadProc;
}

void CImagePanel::AttachBar(CWnd* bar, HWND scrollBar)
{
    m_bar = bar;
    m_scrollBar = scrollBar;
}

void CImagePanel::AttachTarget(IImagePaneTarget* target)
{
    m_target = target;
    for (const auto& cell : m_cells)
        cell->SetTarget(target);
}

void CImagePanel::SetTitle(const CString& title)
{
    if (!m_bar || !m_bar->m_hWnd)
        return;
    m_bar->SetWindowText(title);
    ::SetWindowPos(m_bar->m_hWnd, nullptr, 0, 0, 0, 0,
                   SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
}

void CImagePanel::ShowScrollBar(bool show)
{
    if (m_scrollBar)
        ::ShowWindow(m_scrollBar, show ? SW_SHOWNA : SW_HIDE);
}

bool CImagePanel::StopWorkers()
{
    m_state->stopFinder.store(true);
    m_state->stopMaker.store(true);
    // Not waited for: a finder inside a slow network folder sees its flag
    // only when the system hands it the next entry. Each worker holds the
    // fill state itself and touches no window, so it may end after the pane.
    m_filler.Close();
    m_maker.Close();
    return !m_state->fillerRunning.load() && !m_state->makerRunning.load();
}

void CImagePanel::LoadImages(const CString& folder, const CString& patterns, bool subFolders)
{
    Guarded(462, ErrorSink::Window(this), [&] {
        if (m_hWnd)
            KillTimer(kFillTimer);
        m_state->stopFinder.store(true);
        m_state->stopMaker.store(true);
        m_strFolder = folder;
        m_strPatterns = patterns;
        m_bSubFolders = subFolders;
        if (m_state->fillerRunning.load() || m_state->makerRunning.load()) {
            // Polled until both have seen their stop flags.
            if (m_hWnd)
                SetTimer(kReloadTimer, kPollPeriod);
            return;
        }
        if (m_hWnd)
            KillTimer(kReloadTimer);
        StartFill();
    });
}

void CImagePanel::StartFill()
{
    // Both workers have ended: their handles go, and the list is ours alone.
    m_filler.Wait(INFINITE);
    m_maker.Wait(INFINITE);
    m_filler.Close();
    m_maker.Close();

    m_nOffset = 0;
    m_nLastFirst = m_nLastLast = m_nLastOffset = -1;
    SetTitle("Images");
    ShowScrollBar(false);
    if (m_scrollBar)
        ::SetScrollPos(m_scrollBar, SB_CTL, 0, TRUE);
    for (const auto& cell : m_cells) {
        cell->StopHover();
        cell->SetIndex(-999);
        cell->ShowWindow(SW_HIDE);
    }
    m_state->list.Clear();
    m_state->folder = m_strFolder;
    m_state->patterns = m_strPatterns;
    m_state->subFolders = m_bSubFolders;
    m_state->first.store(0);
    m_state->last.store(-1);
    m_nShown = 0;
    m_state->feeding.store(true);
    m_state->stopFinder.store(false);
    m_state->stopMaker.store(false);
    m_state->fillerRunning.store(true);
    if (m_hWnd)
        SetTimer(kFillTimer, kPollPeriod);
    m_filler = BeginThread(m_fillerProcedure, MakeWorkerParameter(m_state));
    if (!m_filler)
        m_state->fillerRunning.store(false);
}

void CImagePanel::StartThumbnailThread()
{
    Guarded(469, ErrorSink::Window(this), [&] {
        bool expected = false;
        if (!m_state->makerRunning.compare_exchange_strong(expected, true))
            return;
        // A maker that lowered its flag is at its very end: let it finish.
        m_maker.Wait(INFINITE);
        m_maker = BeginThread(m_makerProcedure, MakeWorkerParameter(m_state));
        if (!m_maker)
            m_state->makerRunning.store(false);
    });
}

void CImagePanel::OnTimer(UINT_PTR id)
{
    Guarded(463, ErrorSink::Window(this), [&] {
        if (id == kReloadTimer) {
            KillTimer(kReloadTimer);
            LoadImages(m_strFolder, m_strPatterns, m_bSubFolders);
            return;
        }
        if (id != kFillTimer) {
            CWnd::OnTimer(id);
            return;
        }
        const int size = static_cast<int>(m_state->list.Size());
        if (size > m_nShown) {
            m_nShown = size;
            LayOut();
            CString title;
            title.Format("Images (%d)", size - 1);
            SetTitle(title);
        }
        if (!m_state->fillerRunning.load() && static_cast<int>(m_state->list.Size()) == m_nShown) {
            KillTimer(kFillTimer);
            m_state->feeding.store(false);
        }
    });
}

void CImagePanel::OnSize(UINT type, int cx, int cy)
{
    CWnd::OnSize(type, cx, cy);
    LayOut();
}

void CImagePanel::LayOut()
{
    Guarded(464, ErrorSink::Window(this), [&] {
        if (!m_hWnd)
            return;
        RECT client{};
        GetClientRect(&client);
        const int width = client.right;
        const int height = client.bottom;
        const int count = m_nShown;
        if (count <= 0 || width < kThumbnailWidth)
            return;
        const int columns = (width - kThumbnailWidth) / kCellWidth + 1;
        const int rows = (count + columns - 1) / columns;
        const int total = rows * kCellHeight;

        if (height < total) {
            const int unit = total / kMaxScrollRange + 1;
            SCROLLINFO info{};
            info.cbSize = sizeof(info);
            info.fMask = SIF_POS | SIF_RANGE;
            int position = m_nOffset / std::max(m_nScrollUnit, 1);
            if (m_scrollBar && ::GetScrollInfo(m_scrollBar, SB_CTL, &info))
                position = info.nPos;
            if (unit != m_nScrollUnit && info.nMax > 0)
                position = static_cast<int>(static_cast<long long>(position) * (total / unit) / info.nMax);
            m_nScrollUnit = unit;
            const int range = total / unit;
            const int page = height / unit;
            position = std::clamp(position, 0, std::max(range - page + 1, 0));
            if (m_scrollBar) {
                SCROLLINFO set{};
                set.cbSize = sizeof(set);
                set.fMask = SIF_RANGE | SIF_PAGE | SIF_POS;
                set.nMin = 0;
                set.nMax = range;
                set.nPage = static_cast<UINT>(page);
                set.nPos = position;
                ::SetScrollInfo(m_scrollBar, SB_CTL, &set, TRUE);
            }
            m_nOffset = position * unit;
            ShowScrollBar(true);
        } else {
            ShowScrollBar(false);
            m_nOffset = 0;
        }

        const int first = std::max(columns * (m_nOffset / kCellHeight), 0);
        const int last = std::min(columns * ((height + m_nOffset) / kCellHeight + 1) - 1, count - 1);
        m_state->first.store(first);
        m_state->last.store(last);
        if (first == m_nLastFirst && last == m_nLastLast && m_nOffset == m_nLastOffset)
            return;
        m_nLastFirst = first;
        m_nLastLast = last;
        m_nLastOffset = m_nOffset;

        SendMessage(WM_SETREDRAW, FALSE);
        std::size_t used = 0;
        int y = -(m_nOffset % kCellHeight);
        int column = 0;
        for (int index = first; index <= last; ++index) {
            if (used == m_cells.size()) {
                auto cell = std::make_unique<CThumbnailButton>(m_state, m_target, m_bar);
                if (!cell->CreateCell(this))
                    break;
                m_cells.push_back(std::move(cell));
            }
            CThumbnailButton& cell = *m_cells[used++];
            cell.StopHover();
            cell.SetIndex(index);
            ::SetWindowPos(cell.m_hWnd, nullptr, column * kCellWidth, y, CThumbnailButton::kWidth,
                           CThumbnailButton::kHeight, SWP_NOZORDER | SWP_NOACTIVATE | SWP_SHOWWINDOW);
            if (++column == columns) {
                column = 0;
                y += kCellHeight;
            }
        }
        for (std::size_t i = used; i < m_cells.size(); ++i) {
            m_cells[i]->StopHover();
            m_cells[i]->ShowWindow(SW_HIDE);
        }
        SendMessage(WM_SETREDRAW, TRUE);
        Invalidate(TRUE);
        for (std::size_t i = 0; i < used; ++i)
            m_cells[i]->RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
        StartThumbnailThread();
    });
}

void CImagePanel::OnVScroll(UINT code, UINT pos, HWND)
{
    Guarded(467, ErrorSink::Window(this), [&] {
        RECT client{};
        GetClientRect(&client);
        int offset = m_nOffset;
        switch (code) {
        case SB_LINEUP:
            offset -= kCellHeight;
            break;
        case SB_LINEDOWN:
            offset += kCellHeight;
            break;
        case SB_PAGEUP:
            offset -= client.bottom;
            break;
        case SB_PAGEDOWN:
            offset += client.bottom;
            break;
        case SB_THUMBTRACK:
        case SB_THUMBPOSITION: {
            SCROLLINFO info{};
            info.cbSize = sizeof(info);
            info.fMask = SIF_TRACKPOS;
            if (m_scrollBar && ::GetScrollInfo(m_scrollBar, SB_CTL, &info))
                pos = static_cast<UINT>(info.nTrackPos);
            offset = static_cast<int>(pos) * m_nScrollUnit;
            break;
        }
        default:
            return;
        }
        const int position = std::max(offset, 0) / std::max(m_nScrollUnit, 1);
        if (m_scrollBar)
            ::SetScrollPos(m_scrollBar, SB_CTL, position, TRUE);
        LayOut();
    });
}

BOOL CImagePanel::OnMouseWheel(UINT, short delta, POINT)
{
    return Guarded(468, ErrorSink::Window(this), TRUE, [&] {
        const int offset = m_nOffset + (delta < 0 ? kWheelStep : -kWheelStep);
        const int position = std::max(offset, 0) / std::max(m_nScrollUnit, 1);
        if (m_scrollBar)
            ::SetScrollPos(m_scrollBar, SB_CTL, position, TRUE);
        LayOut();
        return TRUE;
    });
}

BOOL CImagePanel::OnEraseBkgnd(HDC)
{
    return TRUE;  // painted whole in OnPaint
}

void CImagePanel::OnPaint()
{
    CPaintDC dc(m_hWnd);
    RECT client{};
    GetClientRect(&client);
    // The tiles line up with the bar's own background.
    POINT origin{0, 0};
    if (m_bar && m_bar->m_hWnd)
        ::MapWindowPoints(m_bar->m_hWnd, m_hWnd, &origin, 1);
    TilePanelTexture(dc.m_hDC, client, origin);
}

void CImagePanel::OnDestroy()
{
    Guarded(466, ErrorSink::Window(this), [&] {
        for (const auto& cell : m_cells) {
            if (cell->m_hWnd)
                cell->DestroyWindow();
        }
        m_cells.clear();
        KillTimer(kFillTimer);
        KillTimer(kReloadTimer);
        m_state->closing.store(true);
        // The list goes now when no worker reads it any more; otherwise with
        // the state, once the last late worker lets it go.
        if (StopWorkers())
            m_state->list.Clear();
    });
    CWnd::OnDestroy();
}
