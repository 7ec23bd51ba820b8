#include "uikit/SizingControlBar.h"

#include "framework/DockBar.h"
#include "framework/FrameWnd.h"
#include "framework/Gdi.h"
#include "framework/HalftoneTracker.h"
#include "framework/MiniDockFrameWnd.h"
#include "framework/WinApp.h"

#include <windowsx.h>

#include <algorithm>
#include <cstdlib>

IMPLEMENT_DYNAMIC(CSizingControlBar, CControlBar)

namespace {

bool ReadsDragFullWindows()
{
    BOOL full = FALSE;
    return ::SystemParametersInfoA(SPI_GETDRAGFULLWINDOWS, 0, &full, 0) && full;
}

bool IsHorzAxis(UINT hitCode)
{
    return hitCode == HTLEFT || hitCode == HTRIGHT;
}

bool IsTrailingEdge(UINT hitCode)
{
    return hitCode == HTRIGHT || hitCode == HTBOTTOM;
}

}  // namespace

CSizingControlBar::CSizingControlBar() = default;

CSizingControlBar::~CSizingControlBar() = default;

std::unique_ptr<CDockContext> CSizingControlBar::MakeDockContext()
{
    return std::make_unique<CSizingDockContext>(*this);
}

BOOL CSizingControlBar::Create(LPCSTR title, CWnd* parent, UINT id, DWORD style)
{
    LPCSTR className = RegisterFrameworkWindowClass(CS_DBLCLKS, ::LoadCursorA(nullptr, IDC_ARROW),
                                                    ::GetSysColorBrush(COLOR_BTNFACE));
    m_dwStyle = style & CBRS_ALL;
    const RECT empty{0, 0, 0, 0};
    return CWnd::Create(className, title, (style & ~CBRS_ALL) | WS_CHILD | WS_CLIPCHILDREN, empty, parent, id);
}

BOOL CSizingControlBar::CreateWithSize(LPCSTR title, CWnd* parent, SIZE defaultSize, UINT id, DWORD style)
{
    sizeHorz = sizeVert = sizeFloat = defaultSize;
    return Create(title, parent, id, style);
}

UINT CSizingControlBar::CurrentDockBarId() const
{
    HWND parent = m_hWnd ? ::GetParent(m_hWnd) : nullptr;
    return parent ? static_cast<UINT>(::GetDlgCtrlID(parent)) : 0u;
}

bool CSizingControlBar::IsHorzDocked() const
{
    const UINT id = CurrentDockBarId();
    return id == FWID_DOCKBAR_TOP || id == FWID_DOCKBAR_BOTTOM;
}

bool CSizingControlBar::IsVertDocked() const
{
    const UINT id = CurrentDockBarId();
    return id == FWID_DOCKBAR_LEFT || id == FWID_DOCKBAR_RIGHT;
}

void CSizingControlBar::DelayLayout()
{
    if (m_pDockSite)
        m_pDockSite->DelayRecalcLayout();
}

void CSizingControlBar::SetCurrentHeight(int height)
{
    if (IsHorzDocked())
        sizeHorz.cy = height;
    else if (IsVertDocked())
        sizeVert.cy = height;
    else
        sizeFloat.cy = height;
    DelayLayout();
}

SIZE* CSizingControlBar::StateSize(LPCSTR state)
{
    const CString name = state ? state : "";
    if (name == "Float")
        return &sizeFloat;
    if (name == "Horz")
        return &sizeHorz;
    if (name == "Vert")
        return &sizeVert;
    return nullptr;
}

void CSizingControlBar::SetStateWidth(int width, LPCSTR state)
{
    if (SIZE* size = StateSize(state))
        size->cx = width;
    DelayLayout();
}

void CSizingControlBar::SetStateHeight(int height, LPCSTR state)
{
    if (SIZE* size = StateSize(state))
        size->cy = height;
    DelayLayout();
}

// ---- saved sizes -----------------------------------------------------------

namespace {

struct SavedSize {
    const char* entry;
    LONG SIZE::*extent;
};
constexpr SavedSize kSavedSizes[] = {{"sizeHorzCX", &SIZE::cx}, {"sizeHorzCY", &SIZE::cy},
                                     {"sizeVertCX", &SIZE::cx}, {"sizeVertCY", &SIZE::cy},
                                     {"sizeFloatCX", &SIZE::cx}, {"sizeFloatCY", &SIZE::cy}};

CString StateSection(LPCSTR profileName, int id)
{
    CString section;
    section.Format("%.200s-SCBar-%d", profileName ? profileName : "", id);
    return section;
}

}  // namespace

void CSizingControlBar::SaveState(LPCSTR profileName)
{
    CWinApp* app = GetApp();
    if (!app)
        return;
    const CString section = StateSection(profileName, GetDlgCtrlID());
    SIZE* sizes[] = {&sizeHorz, &sizeHorz, &sizeVert, &sizeVert, &sizeFloat, &sizeFloat};
    for (int i = 0; i < 6; ++i)
        app->WriteProfileInt(section, kSavedSizes[i].entry, sizes[i]->*kSavedSizes[i].extent);
}

void CSizingControlBar::LoadState(LPCSTR profileName)
{
    CWinApp* app = GetApp();
    if (!app)
        return;
    const CString section = StateSection(profileName, GetDlgCtrlID());
    SIZE* sizes[] = {&sizeHorz, &sizeHorz, &sizeVert, &sizeVert, &sizeFloat, &sizeFloat};
    const SIZE* minimums[] = {&minHorz, &minHorz, &minVert, &minVert, &minFloat, &minFloat};
    // A screen is at most this big; a larger stored size is damage.
    const int largest = std::max(::GetSystemMetrics(SM_CXVIRTUALSCREEN), ::GetSystemMetrics(SM_CYVIRTUALSCREEN));
    for (int i = 0; i < 6; ++i) {
        LONG& field = sizes[i]->*kSavedSizes[i].extent;
        const int stored = static_cast<int>(app->GetProfileInt(section, kSavedSizes[i].entry, field));
        const LONG minimum = minimums[i]->*kSavedSizes[i].extent;
        field = stored > largest ? std::max<LONG>(field, minimum) : std::max<LONG>(stored, minimum);
    }
}

void CSizingControlBar::LoadAllStates(CFrameWnd* frame, LPCSTR profileName)
{
    if (!frame)
        return;
    for (CControlBar* bar : std::vector<CControlBar*>(frame->GetControlBars())) {
        if (auto* sizing = dynamic_cast<CSizingControlBar*>(bar))
            sizing->LoadState(profileName);
    }
}

void CSizingControlBar::SaveAllStates(CFrameWnd* frame, LPCSTR profileName)
{
    if (!frame)
        return;
    for (CControlBar* bar : frame->GetControlBars()) {
        if (auto* sizing = dynamic_cast<CSizingControlBar*>(bar))
            sizing->SaveState(profileName);
    }
}

// ---- rows ------------------------------------------------------------------

bool CSizingControlBar::GetRowInfo(int& first, int& last, int& thisIndex) const
{
    if (!m_pDockBar)
        return false;
    const auto& bars = m_pDockBar->m_arrBars;
    thisIndex = m_pDockBar->FindBar(this);
    if (thisIndex < 0)
        return false;
    first = thisIndex;
    while (first > 0 && bars[first - 1])
        --first;
    last = thisIndex;
    while (last + 1 < static_cast<int>(bars.size()) && bars[last + 1])
        ++last;
    return true;
}

std::vector<CSizingControlBar*> CSizingControlBar::GetRowSizingBars(int* thisIndex) const
{
    std::vector<CSizingControlBar*> row;
    int first = 0, last = -1, self = -1;
    if (thisIndex)
        *thisIndex = -1;
    if (!GetRowInfo(first, last, self))
        return row;
    for (int i = first; i <= last; ++i) {
        auto* sizing = dynamic_cast<CSizingControlBar*>(m_pDockBar->m_arrBars[i]);
        if (!sizing || !sizing->IsVisible())
            continue;
        if (sizing == this && thisIndex)
            *thisIndex = static_cast<int>(row.size());
        row.push_back(sizing);
    }
    return row;
}

SIZE CSizingControlBar::CalcFixedLayout(BOOL stretch, BOOL horz)
{
    if (stretch)
        return horz ? SIZE{32767, sizeHorz.cy} : SIZE{sizeVert.cx, 32767};
    // A dock bar that only measures must not see its bars move.
    if (m_pDockBar && !m_pDockBar->m_bLayoutQuery && !m_pDockBar->IsFloatingDockBar()) {
        const std::vector<CSizingControlBar*> row = GetRowSizingBars();
        RECT layout = m_pDockBar->m_rectLayout;
        if (::IsRectEmpty(&layout) && m_pDockSite)
            m_pDockSite->GetClientRect(&layout);
        const int total = horz ? (layout.right - layout.left) + 2 : (layout.bottom - layout.top) - 2;
        if (IsVisible() && parentSizing && !row.empty() && row.front() == this) {
            if (NegotiateSpace(total, horz != FALSE))
                AlignDockRow();
        }
    }
    parentSizing = false;
    return horz ? SIZE{std::max(sizeHorz.cx, minHorz.cx), std::max(sizeHorz.cy, minHorz.cy)}
                : SIZE{std::max(sizeVert.cx, minVert.cx), std::max(sizeVert.cy, minVert.cy)};
}

SIZE CSizingControlBar::CalcDynamicLayout(int length, DWORD mode)
{
    if (mode & (LM_HORZDOCK | LM_VERTDOCK)) {
        if (length == -1)
            parentSizing = true;
        return CControlBar::CalcDynamicLayout(length, mode);
    }
    if (!(mode & (LM_MRUWIDTH | LM_COMMIT))) {
        if (mode & LM_LENGTHY)
            sizeFloat.cy = length;
        else
            sizeFloat.cx = length;
        sizeFloat.cx = std::max(sizeFloat.cx, minFloat.cx);
        sizeFloat.cy = std::max(sizeFloat.cy, minFloat.cy);
    }
    return sizeFloat;
}

bool CSizingControlBar::NegotiateSpace(int total, bool horz)
{
    int first = 0, last = -1, thisIndex = -1;
    if (!GetRowInfo(first, last, thisIndex))
        return false;
    auto& array = m_pDockBar->m_arrBars;
    int available = total;
    int sum = 0;
    int needed = 2;
    int greatestWidth = 0;
    std::vector<CSizingControlBar*> sizing;
    for (int i = first; i <= last; ++i) {
        CControlBar* bar = array[i];
        if (!bar || !bar->IsVisible())
            continue;
        auto* sizingBar = dynamic_cast<CSizingControlBar*>(bar);
        RECT window;
        bar->GetWindowRect(&window);
        const int length = sizingBar ? sizingBar->MinLengthOf(horz)
                                     : (horz ? window.right - window.left : window.bottom - window.top);
        needed += length - 2;
        if (needed > total) {
            if (i < thisIndex) {
                // Bars before this one fill the row: this one starts the next.
                array.insert(array.begin() + i + 1, nullptr);
                DelayLayout();
                return false;
            }
            if (i == thisIndex) {
                SetLength(horz, MinLengthOf(horz));
                return true;
            }
            array.insert(array.begin() + i, nullptr);
            DelayLayout();
            break;
        }
        if (sizingBar) {
            sum += sizingBar->LengthOf(horz) - 2;
            greatestWidth = std::max(greatestWidth, sizingBar->WidthOf(horz));
            sizing.push_back(sizingBar);
        } else {
            available -= length - 2;
        }
    }
    int difference = available - sum;
    if (sizing.size() == 1) {
        if (difference != 0) {
            keepSize = false;
            SetLength(horz, LengthOf(horz) + difference);
        }
        return true;
    }
    for (CSizingControlBar* bar : sizing)
        bar->SetWidth(horz, greatestWidth);
    const int share = sizing.empty() ? 0 : available / static_cast<int>(sizing.size());
    bool previousWalkChangedNothing = false;
    while (difference != 0) {
        bool changed = false;
        for (CSizingControlBar* bar : sizing) {
            const int length = bar->LengthOf(horz);
            // Never below a bar's minimum: the row was checked to fit them all.
            if (bar->keepSize || (difference < 0 && (length == share || length <= bar->MinLengthOf(horz))))
                continue;
            const int step = difference > 0 ? 1 : -1;
            bar->SetLength(horz, length + step);
            difference -= step;
            changed = true;
            if (difference == 0)
                break;
        }
        if (!changed || difference == 0) {
            for (CSizingControlBar* bar : sizing)
                bar->keepSize = false;
            // Nothing can move even with every bar free: stop.
            if (!changed && previousWalkChangedNothing)
                break;
        }
        previousWalkChangedNothing = !changed;
    }
    return true;
}

void CSizingControlBar::AlignDockRow()
{
    int first = 0, last = -1, thisIndex = -1;
    if (!GetRowInfo(first, last, thisIndex))
        return;
    const bool horz = IsHorzDocked();
    const bool onTopDockBar = m_pDockBar->GetDlgCtrlID() == FWID_DOCKBAR_TOP;
    int position = -2;  // bars hang 2 pixels over the dock bar's end
    bool moved = false;
    for (int i = first; i <= last; ++i) {
        CControlBar* bar = m_pDockBar->m_arrBars[i];
        if (!bar || !bar->IsVisible())
            continue;
        RECT rect;
        bar->GetWindowRect(&rect);
        m_pDockBar->ScreenToClient(&rect);
        if (auto* sizing = dynamic_cast<CSizingControlBar*>(bar)) {
            const SIZE size = horz ? sizing->sizeHorz : sizing->sizeVert;
            rect.right = rect.left + size.cx;
            rect.bottom = rect.top + size.cy;
        }
        const int leading = horz ? rect.left : rect.top;
        if (leading != position) {
            // Along the top the bars also rise by 2 pixels, over the dock
            // bar's upper edge.
            if (horz)
                ::OffsetRect(&rect, position - leading, onTopDockBar ? -2 : 0);
            else
                ::OffsetRect(&rect, 0, position - leading);
            bar->MoveWindow(rect);
            moved = true;
        }
        position += (horz ? rect.right - rect.left : rect.bottom - rect.top) - 2;
    }
    if (moved)
        DelayLayout();
}

// ---- non-client area -------------------------------------------------------

void CSizingControlBar::CalcNcInsets(RECT& client, UINT dockBar)
{
    client.left += 3;
    client.top += 5;
    client.right -= 3;
    client.bottom -= 3;
    if (dockBar != FWID_DOCKBAR_FLOAT) {
        client.left += 2;
        client.right -= 2;
        client.bottom -= 2;
    }
    // The edge that faces the frame's centre sizes the bar's width.
    switch (dockBar) {
    case FWID_DOCKBAR_TOP: edgeFlags |= kEdgeBottom; break;
    case FWID_DOCKBAR_LEFT: edgeFlags |= kEdgeRight; break;
    case FWID_DOCKBAR_RIGHT: edgeFlags |= kEdgeLeft; break;
    case FWID_DOCKBAR_BOTTOM: edgeFlags |= kEdgeTop; break;
    default: break;
    }
}

void CSizingControlBar::PaintNcDecoration(HDC, const RECT&) {}

bool CSizingControlBar::GetEdgeRect(UINT hitCode, RECT& rect) const
{
    GetWindowRect(&rect);
    const bool horz = IsHorzDocked();
    switch (hitCode) {
    case HTLEFT:
        if (!(edgeFlags & kEdgeLeft))
            return false;
        rect.right = rect.left + edgeWidth;
        break;
    case HTRIGHT:
        if (!(edgeFlags & kEdgeRight))
            return false;
        rect.left = rect.right - edgeWidth;
        break;
    case HTTOP:
        if (!(edgeFlags & kEdgeTop))
            return false;
        rect.bottom = rect.top + edgeWidth;
        break;
    case HTBOTTOM:
        if (!(edgeFlags & kEdgeBottom))
            return false;
        rect.top = rect.bottom - edgeWidth;
        break;
    default:
        return true;
    }
    if (IsHorzAxis(hitCode) && horz) {
        rect.top += edgeWidth;
        rect.bottom -= edgeWidth;
    } else if (!IsHorzAxis(hitCode) && !horz) {
        rect.left += edgeWidth;
        rect.right -= edgeWidth;
    }
    return true;
}

void CSizingControlBar::PaintNonClient()
{
    RECT window;
    GetWindowRect(&window);
    RECT client;
    GetClientRect(&client);
    ClientToScreen(&client);
    ::OffsetRect(&client, -window.left, -window.top);
    ::OffsetRect(&window, -window.left, -window.top);

    CWindowDC windowDC(m_hWnd);
    if (!windowDC.m_hDC)
        return;
    CMemoryDC memory(windowDC);
    CBitmap picture(::CreateCompatibleBitmap(windowDC, std::max<LONG>(window.right, 1), std::max<LONG>(window.bottom, 1)));
    if (!memory.m_hDC || !picture.IsValid())
        return;
    CSelectGuard selected(memory, picture);
    RECT inside = window;
    DrawBorders(memory, inside);
    auto background = reinterpret_cast<HBRUSH>(::GetClassLongPtrA(m_hWnd, GCLP_HBRBACKGROUND));
    ::FillRect(memory, &inside, background ? background : ::GetSysColorBrush(COLOR_BTNFACE));
    PaintNcDecoration(memory, client);
    // Only the frame goes to the screen: the client area paints itself.
    ::ExcludeClipRect(windowDC, client.left, client.top, client.right, client.bottom);
    ::BitBlt(windowDC, 0, 0, window.right, window.bottom, memory, 0, 0, SRCCOPY);
}

// ---- edge dragging ---------------------------------------------------------

void CSizingControlBar::BeginTracking(UINT hitCode, POINT screenPoint)
{
    SetCapture();
    if (!dragShowContent && m_pDockSite)
        m_pDockSite->RedrawWindow(nullptr, nullptr, RDW_ALLCHILDREN | RDW_UPDATENOW);
    trackEdge = hitCode;
    tracking = true;
    const bool xAxis = IsHorzAxis(hitCode);
    trackPosOld = xAxis ? screenPoint.x : screenPoint.y;
    RECT edge;
    GetEdgeRect(hitCode, edge);
    trackEdgeOffset = trackPosOld - (xAxis ? (edge.left + edge.right) / 2 : (edge.top + edge.bottom) / 2);
    trackPosMin = trackPosMax = trackPosOld;

    const bool horz = IsHorzDocked();
    int thisIndex = -1;
    const std::vector<CSizingControlBar*> row = GetRowSizingBars(&thisIndex);
    if (xAxis == horz) {
        // Along the row: the bars on each side give up what they have above their minimum.
        for (int i = 0; i < static_cast<int>(row.size()); ++i) {
            const int spare = row[i]->LengthOf(horz) - row[i]->MinLengthOf(horz);
            const bool before = i < thisIndex || (i == thisIndex && IsTrailingEdge(hitCode));
            if (before)
                trackPosMin -= spare;
            else
                trackPosMax += spare;
        }
    } else {
        int minWidth = MinWidthOf(horz);
        for (CSizingControlBar* bar : row)
            minWidth = std::max(minWidth, bar->MinWidthOf(horz));
        const int spareWidth = WidthOf(horz) - minWidth;
        int maxWidth = 0;
        if (m_pDockSite) {
            const RECT free = m_pDockSite->GetFreeClientRect();
            maxWidth = (horz ? free.bottom - free.top : free.right - free.left) - 2;
        }
        if (hitCode == HTTOP || hitCode == HTLEFT) {
            trackPosMin -= maxWidth;
            trackPosMax += spareWidth;
        } else {
            trackPosMin -= spareWidth;
            trackPosMax += maxWidth;
        }
    }
    DrawTracker();
}

void CSizingControlBar::TrackSize(POINT screenPoint)
{
    const bool xAxis = IsHorzAxis(trackEdge);
    const int position = std::clamp(static_cast<int>(xAxis ? screenPoint.x : screenPoint.y), trackPosMin,
                                    std::max(trackPosMin, trackPosMax));
    if (position == trackPosOld)
        return;
    DrawTracker();  // off at the old place
    const int delta = position - trackPosOld;
    trackPosOld = position;

    const bool horz = IsHorzDocked();
    int thisIndex = -1;
    const std::vector<CSizingControlBar*> row = GetRowSizingBars(&thisIndex);
    if (xAxis != horz) {
        const int width = WidthOf(horz) + (trackEdge == HTLEFT || trackEdge == HTTOP ? -delta : delta);
        for (CSizingControlBar* bar : row)
            bar->SetWidth(horz, width);
    } else if (thisIndex >= 0) {
        const bool trailing = IsTrailingEdge(trackEdge);
        // The edge lies between `before` and `before + 1` in the row.
        const int before = trailing ? thisIndex : thisIndex - 1;
        const int growing = delta > 0 ? before : before + 1;
        const int step = delta > 0 ? 1 : -1;  // the side that gives: after the edge when growing before it
        if (growing >= 0 && growing < static_cast<int>(row.size())) {
            int left = std::abs(delta);
            int given = 0;
            for (int i = delta > 0 ? before + 1 : before; left > 0 && i >= 0 && i < static_cast<int>(row.size());
                 i += step) {
                CSizingControlBar* giver = row[i];
                const int take = std::min(left, giver->LengthOf(horz) - giver->MinLengthOf(horz));
                if (take <= 0)
                    continue;
                giver->SetLength(horz, giver->LengthOf(horz) - take);
                left -= take;
                given += take;
            }
            row[growing]->SetLength(horz, row[growing]->LengthOf(horz) + given);
        }
    }
    DrawTracker();
    if (dragShowContent)
        DelayLayout();
}

void CSizingControlBar::DrawTracker()
{
    if (dragShowContent || !m_pDockSite)
        return;
    RECT tracker;
    GetEdgeRect(trackEdge, tracker);
    const bool xAxis = IsHorzAxis(trackEdge);
    if (xAxis != IsHorzDocked() && m_pDockBar) {
        RECT dock;
        m_pDockBar->GetWindowRect(&dock);
        if (xAxis) {
            tracker.top = dock.top + 1;
            tracker.bottom = dock.bottom - 1;
        } else {
            tracker.left = dock.left + 1;
            tracker.right = dock.right - 1;
        }
    }
    const int centre = xAxis ? (tracker.left + tracker.right) / 2 : (tracker.top + tracker.bottom) / 2;
    const int shift = trackPosOld - trackEdgeOffset - centre;
    ::OffsetRect(&tracker, xAxis ? shift : 0, xAxis ? 0 : shift);
    RECT frame;
    m_pDockSite->GetWindowRect(&frame);
    ::OffsetRect(&tracker, -frame.left, -frame.top);
    CWindowDCGuard dc(m_pDockSite->m_hWnd, nullptr, DCX_WINDOW | DCX_CACHE);
    InvertHalftone(dc, tracker);
}

void CSizingControlBar::EndTracking()
{
    DrawTracker();
    tracking = false;
    if (::GetCapture() == m_hWnd)
        ::ReleaseCapture();
    DelayLayout();
}

// ---- messages --------------------------------------------------------------

int CSizingControlBar::OnCreate(LPCREATESTRUCTA cs)
{
    if (CControlBar::OnCreate(cs) == -1)
        return -1;
    dragShowContent = ReadsDragFullWindows();
    return 0;
}

void CSizingControlBar::OnSettingChange(UINT flags, LPCSTR section)
{
    CControlBar::OnSettingChange(flags, section);
    dragShowContent = ReadsDragFullWindows();
}

void CSizingControlBar::OnPaint()
{
    CPaintDC dc(m_hWnd);
}

void CSizingControlBar::OnClose()
{
    // A child control's WM_CLOSE never closes the bar.
}

void CSizingControlBar::OnMouseMove(UINT flags, POINT point)
{
    if (tracking) {
        ClientToScreen(&point);
        TrackSize(point);
    }
    CControlBar::OnMouseMove(flags, point);
}

void CSizingControlBar::OnLButtonUp(UINT flags, POINT point)
{
    if (tracking)
        EndTracking();
    CControlBar::OnLButtonUp(flags, point);
}

void CSizingControlBar::OnRButtonDown(UINT flags, POINT point)
{
    if (tracking)
        EndTracking();
    CControlBar::OnRButtonDown(flags, point);
}

void CSizingControlBar::OnCaptureChanged(HWND newCapture)
{
    if (tracking && newCapture != m_hWnd)
        EndTracking();
    CControlBar::OnCaptureChanged(newCapture);
}

void CSizingControlBar::OnUpdateCmdUI(CFrameWnd*, BOOL) {}

LRESULT CSizingControlBar::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_WINDOWPOSCHANGING: {
        auto* position = reinterpret_cast<WINDOWPOS*>(lParam);
        position->flags |= SWP_FRAMECHANGED;
        const LRESULT result = CControlBar::WindowProc(message, wParam, lParam);
        dockBarId = CurrentDockBarId();
        if (!IsFloating() && (position->flags & SWP_SHOWWINDOW))
            keepSize = true;
        return result;
    }
    case WM_NCCALCSIZE: {
        auto* params = reinterpret_cast<NCCALCSIZE_PARAMS*>(lParam);
        RECT& proposed = params->rgrc[0];
        const POINT origin{proposed.left, proposed.top};
        RECT client{0, 0, proposed.right - proposed.left, proposed.bottom - proposed.top};
        edgeFlags = 0;
        const UINT dockBar = CurrentDockBarId();
        if (m_pDockBar && !m_pDockBar->IsFloatingDockBar()) {
            const bool horz = IsHorzDocked();
            int thisIndex = -1;
            const std::vector<CSizingControlBar*> row = GetRowSizingBars(&thisIndex);
            if (thisIndex > 0)
                edgeFlags |= horz ? kEdgeLeft : kEdgeTop;
            if (thisIndex >= 0 && thisIndex + 1 < static_cast<int>(row.size()))
                edgeFlags |= horz ? kEdgeRight : kEdgeBottom;
        }
        CalcNcInsets(client, dockBar);
        client.right = std::max(client.right, client.left);
        client.bottom = std::max(client.bottom, client.top);
        ::OffsetRect(&client, origin.x, origin.y);
        proposed = client;
        return 0;
    }
    case WM_NCPAINT:
        PaintNonClient();
        return 0;
    case WM_NCHITTEST: {
        if (IsFloating())
            return HTCLIENT;
        const POINT point{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
        for (UINT hit : {HTLEFT, HTTOP, HTRIGHT, HTBOTTOM}) {
            RECT edge;
            if (GetEdgeRect(hit, edge) && ::PtInRect(&edge, point))
                return hit;
        }
        return HTCLIENT;
    }
    case WM_NCLBUTTONDOWN:
        if (!tracking && !IsFloating() && wParam >= HTLEFT && wParam <= HTBOTTOMRIGHT) {
            BeginTracking(static_cast<UINT>(wParam), POINT{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)});
            return 0;
        }
        break;
    case WM_SETTEXT: {
        const LRESULT result = CControlBar::WindowProc(message, wParam, lParam);
        if (IsFloating() && m_pDockBar) {
            HWND frame = ::GetParent(m_pDockBar->m_hWnd);
            if (auto* miniFrame = dynamic_cast<CMiniDockFrameWnd*>(CWnd::FromHandlePermanent(frame))) {
                ::SetWindowTextA(m_pDockBar->m_hWnd, reinterpret_cast<LPCSTR>(lParam));
                ::SetWindowTextA(frame, reinterpret_cast<LPCSTR>(lParam));
                miniFrame->DelayRecalcLayout();
            }
        }
        return result;
    }
    default:
        break;
    }
    return CControlBar::WindowProc(message, wParam, lParam);
}
