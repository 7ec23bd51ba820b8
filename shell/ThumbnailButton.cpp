#include "shell/ThumbnailButton.h"

#include "document/AppSettings.h"
#include "framework/ErrorReport.h"
#include "framework/Gdi.h"
#include "framework/HalftoneTracker.h"
#include "framework/SettingsKey.h"
#include "framework/WinApp.h"
#include "resources/resource.h"
#include "shell/AppMessageDlg.h"
#include "shell/ImagePaneTarget.h"
#include "uikit/PanelBackground.h"
#include "uikit/SizingControlBar.h"
#include "uikit/UserInterfaceFont.h"

#include <commctrl.h>

#include <cstdio>

IMPLEMENT_DYNAMIC(CThumbnailButton, CButton)

namespace {

constexpr int kDragFrameThickness = 3;
constexpr int kTipMaxWidth = 400;
// How far around a floating Images pane a picture is not dropped.
constexpr int kFloatingPaneMargin = 20;

CAppSettings* SharedAppSettings()
{
    auto* owner = dynamic_cast<IAppSettingsOwner*>(GetApp());
    return owner ? &owner->SharedSettings() : nullptr;
}

// An unreadable file's mark: a grey square crossed out.
void DrawUnreadableMark(HDC dc, const RECT& cell)
{
    const int side = 48;
    const int left = (cell.right - cell.left - side) / 2;
    const int top = (CThumbnailButton::kWidth - side) / 2;
    CPen pen;
    pen.CreatePen(PS_SOLID, 1, RGB(96, 96, 96));
    CSelectGuard selectedPen(dc, pen.Get());
    CSelectGuard selectedBrush(dc, ::GetStockObject(LTGRAY_BRUSH));
    ::Rectangle(dc, left, top, left + side, top + side);
    ::MoveToEx(dc, left, top, nullptr);
    ::LineTo(dc, left + side, top + side);
    ::MoveToEx(dc, left + side - 1, top, nullptr);
    ::LineTo(dc, left - 1, top + side);
}

}  // namespace

CString ThumbnailTipText(const CImageListEntry& entry)
{
    CString size;
    const double kilobytes = entry.size * 0.001;
    if (entry.size / 1000 < 11)
        size.Format("%.2f KB", kilobytes);
    else
        size.Format("%.1f KB", kilobytes);
    CString text = entry.name;
    text.AppendFormat("\r\nDimensions: %d x %d\r\nSize: ", entry.width, entry.height);
    text += size + "\r\nFolder: " + entry.path;
    const int lastSeparator = text.ReverseFind('\\');
    if (lastSeparator >= 0)
        text = text.Left(lastSeparator);
    return text;
}

CThumbnailButton::CThumbnailButton(std::shared_ptr<CImageFillState> state, IImagePaneTarget* target, CWnd* pane)
    : m_state(std::move(state)), m_target(target), m_pane(pane)
{
}

CThumbnailButton::~CThumbnailButton()
{
    DestroyTip();
}

BOOL CThumbnailButton::CreateCell(CWnd* parent)
{
    return Create("", WS_CHILD | BS_OWNERDRAW, RECT{0, 0, kWidth, kHeight}, parent, 0);
}

void CThumbnailButton::PreSubclassWindow()
{
    Guarded(483, ErrorSink::Window(this), [&] {
        CButton::PreSubclassWindow();
        ModifyStyle(0x0F, BS_OWNERDRAW);
    });
}

RECT CThumbnailButton::PictureRect(SIZE thumbnail)
{
    const int left = (kWidth - thumbnail.cx) / 2;
    const int top = (kWidth - thumbnail.cy) / 2;
    return RECT{left, top, left + thumbnail.cx, top + thumbnail.cy};
}

void CThumbnailButton::StopHover()
{
    Guarded(485, ErrorSink::Window(this), [&] {
        m_strTipText.Empty();
        if (m_index != -999 && m_hWnd) {
            KillTimer(kPollTimerBase + static_cast<UINT_PTR>(m_index));
            m_bWaiting = false;
        }
    });
}

void CThumbnailButton::DrawItem(LPDRAWITEMSTRUCT item)
{
    Guarded(383, ErrorSink::Window(this), [&] { Paint(item->hDC); });
}

void CThumbnailButton::Paint(HDC dc)
{
    const RECT cell{0, 0, kWidth, kHeight};
    // The tiles line up with those of the whole pane.
    POINT origin{0, 0};
    if (m_pane && m_pane->m_hWnd)
        ::MapWindowPoints(m_pane->m_hWnd, m_hWnd, &origin, 1);

    CImageListEntry entry;
    const bool known = m_index >= 0 && m_state->list.Get(static_cast<std::size_t>(m_index), entry);
    int nameTop = kWidth;
    if (known && entry.thumbnail) {
        if (m_strTipText.IsEmpty() && !entry.IsNoBackground()) {
            m_strTipText = ThumbnailTipText(entry);
            if (m_tip) {
                TOOLINFOA tool{};
                tool.cbSize = sizeof(tool);
                tool.hwnd = m_hWnd;
                tool.uId = 1;
                tool.lpszText = const_cast<char*>(m_strTipText.c_str());
                ::SendMessageA(m_tip, TTM_UPDATETIPTEXTA, 0, reinterpret_cast<LPARAM>(&tool));
            }
        }
        const RECT picture = PictureRect(entry.thumbnail->Size());
        {
            CMemoryDC source(dc);
            CSelectGuard selected(source.m_hDC, entry.thumbnail->Handle());
            ::BitBlt(dc, picture.left, picture.top, picture.right - picture.left, picture.bottom - picture.top,
                     source.m_hDC, 0, 0, SRCCOPY);
        }
        const int saved = ::SaveDC(dc);
        ::ExcludeClipRect(dc, picture.left, picture.top, picture.right, picture.bottom);
        TilePanelTexture(dc, cell, origin);
        ::RestoreDC(dc, saved);
        nameTop = picture.bottom;
    } else {
        TilePanelTexture(dc, cell, origin);
        if (known && entry.unreadable) {
            DrawUnreadableMark(dc, cell);
        } else if (!m_bWaiting && m_index >= 0) {
            SetTimer(kPollTimerBase + static_cast<UINT_PTR>(m_index), kPollPeriod);
            m_bWaiting = true;
        }
    }
    if (!known)
        return;

    CSelectGuard font(dc, UserInterfaceFont(false));
    ::SetTextColor(dc, RGB(0, 0, 0));
    ::SetBkMode(dc, TRANSPARENT);
    SIZE extent{};
    ::GetTextExtentPoint32A(dc, entry.name, entry.name.GetLength(), &extent);
    RECT nameRect{0, nameTop, kWidth, kHeight};
    if (extent.cx <= kWidth)
        ::DrawTextA(dc, entry.name, entry.name.GetLength(), &nameRect, DT_CENTER | DT_TOP | DT_SINGLELINE | DT_NOCLIP);
    else
        ::DrawTextA(dc, entry.name, entry.name.GetLength(), &nameRect, DT_LEFT | DT_TOP | DT_SINGLELINE);
}

BOOL CThumbnailButton::OnEraseBkgnd(HDC)
{
    return TRUE;  // the owner draw covers the whole cell
}

void CThumbnailButton::OnTimer(UINT_PTR id)
{
    Guarded(484, ErrorSink::Window(this), [&] {
        if (m_index < 0 || id != kPollTimerBase + static_cast<UINT_PTR>(m_index)) {
            KillTimer(id);
            return;
        }
        CImageListEntry entry;
        if (!m_state->list.Get(static_cast<std::size_t>(m_index), entry))
            return;
        if (entry.thumbnail || entry.unreadable) {
            KillTimer(id);
            m_bWaiting = false;
            RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
        }
    });
}

void CThumbnailButton::CreateTip()
{
    if (m_tip || m_strTipText.IsEmpty())
        return;
    Guarded(514, ErrorSink::Window(this), [&] {
        m_tip = ::CreateWindowExA(WS_EX_TOPMOST, TOOLTIPS_CLASSA, nullptr, WS_POPUP | TTS_NOPREFIX | TTS_ALWAYSTIP,
                                  CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, m_hWnd, nullptr,
                                  ::GetModuleHandleA(nullptr), nullptr);
        if (!m_tip)
            return;
        ::SendMessageA(m_tip, TTM_SETMAXTIPWIDTH, 0, kTipMaxWidth);
        TOOLINFOA tool{};
        tool.cbSize = sizeof(tool);
        tool.uFlags = TTF_SUBCLASS;
        tool.hwnd = m_hWnd;
        tool.uId = 1;
        GetClientRect(&tool.rect);
        tool.lpszText = const_cast<char*>(m_strTipText.c_str());
        ::SendMessageA(m_tip, TTM_ADDTOOLA, 0, reinterpret_cast<LPARAM>(&tool));
    });
}

void CThumbnailButton::DestroyTip()
{
    if (!m_tip)
        return;
    Guarded(515, ErrorSink::App(), [&] { ::DestroyWindow(m_tip); });
    m_tip = nullptr;
}

void CThumbnailButton::InvertDragFrame() const
{
    HDC screen = ::GetDC(nullptr);
    if (!screen)
        return;
    InvertHalftone(screen, m_dragRect, kDragFrameThickness);
    ::ReleaseDC(nullptr, screen);
}

RECT CThumbnailButton::FloatingPaneArea() const
{
    // A floating pane may lie over the label: a picture still over the pane
    // (or just off its edge) is not dropped through it.
    const auto* bar = dynamic_cast<const CSizingControlBar*>(m_pane);
    if (!bar || !bar->m_hWnd || !bar->IsFloating())
        return RECT{};
    RECT area{};
    bar->GetClientRect(&area);
    ::MapWindowPoints(bar->m_hWnd, nullptr, reinterpret_cast<POINT*>(&area), 2);
    ::InflateRect(&area, kFloatingPaneMargin, kFloatingPaneMargin);
    return area;
}

void CThumbnailButton::OnLButtonDown(UINT, POINT point)
{
    Guarded(489, ErrorSink::Window(this), [&] {
        DestroyTip();
        // Held for the tool tip, the capture also brings presses outside the
        // cell here: those belong to another window.
        RECT client{};
        GetClientRect(&client);
        if (!::PtInRect(&client, point)) {
            if (::GetCapture() == m_hWnd)
                ::ReleaseCapture();
            return;
        }
        CImageListEntry entry;
        if (m_index < 0 || !m_state->list.Get(static_cast<std::size_t>(m_index), entry) || !entry.thumbnail)
            return;
        if (entry.IsNoBackground()) {
            if (m_target)
                m_target->ClearShownBackground();
            return;
        }
        SetFocus();
        m_bDragging = true;
        m_pressPoint = point;
        ::SetCursor(::LoadCursorA(::GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDC_NO_DROP_CURSOR)));
        m_dragRect = PictureRect(entry.thumbnail->Size());
        ::MapWindowPoints(m_hWnd, nullptr, reinterpret_cast<POINT*>(&m_dragRect), 2);
        POINT screenPoint = point;
        ClientToScreen(&screenPoint);
        if (!::PtInRect(&m_dragRect, screenPoint)) {
            // A press beside a small picture (or on its name) takes the
            // picture by its middle.
            screenPoint = POINT{(m_dragRect.left + m_dragRect.right) / 2, (m_dragRect.top + m_dragRect.bottom) / 2};
            ::SetCursorPos(screenPoint.x, screenPoint.y);
        }
        m_dragOffset = POINT{screenPoint.x - m_dragRect.left, screenPoint.y - m_dragRect.top};
        SetCapture();
        InvertDragFrame();
        m_bFrameShown = true;
    });
}

void CThumbnailButton::OnMouseMove(UINT flags, POINT point)
{
    Guarded(491, ErrorSink::Window(this), [&] {
        CImageListEntry entry;
        if (m_index < 0 || !m_state->list.Get(static_cast<std::size_t>(m_index), entry) || !entry.thumbnail ||
            entry.IsNoBackground())
            return;
        const bool dragging = m_bDragging && (flags & MK_LBUTTON) &&
                              (point.x != m_pressPoint.x || point.y != m_pressPoint.y);
        if (!dragging) {
            // Hovering: the tool tip while the pointer is over the visible part.
            RECT visible{};
            GetClientRect(&visible);
            if (CWnd* parent = GetParent()) {
                RECT parentRect{};
                parent->GetClientRect(&parentRect);
                ::MapWindowPoints(parent->m_hWnd, m_hWnd, reinterpret_cast<POINT*>(&parentRect), 2);
                ::IntersectRect(&visible, &visible, &parentRect);
            }
            if (::PtInRect(&visible, point)) {
                if (::GetCapture() != m_hWnd)
                    SetCapture();
                CreateTip();
            } else {
                DestroyTip();
                if (::GetCapture() == m_hWnd && !m_bDragging)
                    ::ReleaseCapture();
            }
            return;
        }
        POINT screenPoint = point;
        ClientToScreen(&screenPoint);
        if (m_bFrameShown)
            InvertDragFrame();
        const int width = m_dragRect.right - m_dragRect.left;
        const int height = m_dragRect.bottom - m_dragRect.top;
        m_dragRect.left = screenPoint.x - m_dragOffset.x;
        m_dragRect.top = screenPoint.y - m_dragOffset.y;
        m_dragRect.right = m_dragRect.left + width;
        m_dragRect.bottom = m_dragRect.top + height;
        InvertDragFrame();
        m_bFrameShown = true;
        const bool overTarget = m_target && m_target->IsImageDropTarget(m_dragRect, FloatingPaneArea());
        ::SetCursor(::LoadCursorA(::GetModuleHandleA(nullptr),
                                  MAKEINTRESOURCEA(overTarget ? IDC_DROP_CURSOR : IDC_NO_DROP_CURSOR)));
    });
}

void CThumbnailButton::OnLButtonUp(UINT, POINT point)
{
    Guarded(490, ErrorSink::Window(this), [&] {
        if (::GetCapture() == m_hWnd)
            ::ReleaseCapture();
        const bool wasDragging = m_bDragging;
        m_bDragging = false;
        if (m_bFrameShown) {
            InvertDragFrame();
            m_bFrameShown = false;
            // Whatever was painted under the frame while it moved (the
            // selection's marching ants, a redrawn label) kept half of it:
            // the windows there paint that place afresh.
            ::RedrawWindow(nullptr, &m_dragRect, nullptr,
                           RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
        }
        CImageListEntry entry;
        if (!wasDragging || m_index < 0 || !m_state->list.Get(static_cast<std::size_t>(m_index), entry) ||
            !entry.thumbnail || entry.IsNoBackground())
            return;
        Invalidate(FALSE);
        const RECT dropRect = m_dragRect;
        if (m_target && m_target->IsImageDropTarget(dropRect, FloatingPaneArea())) {
            if (m_target->DropImageFile(entry.path, dropRect))
                ShowOneTimeTip("A single click of the thumbnail will        \r\nset the image as the background.");
        } else {
            RECT client{};
            GetClientRect(&client);
            if (::PtInRect(&client, point) && m_target) {
                m_target->ApplyBackgroundFile(entry.path);
                ShowOneTimeTip("You can also drag and drop images        \r\nfrom the side bar onto the label.");
            } else if (m_target) {
                m_target->RefuseImageDrop(dropRect);
            }
        }
        if (m_hWnd)
            SetFocus();
    });
}

void CThumbnailButton::ShowOneTimeTip(LPCSTR text)
{
    CAppSettings* settings = SharedAppSettings();
    if (!settings || !settings->m_bHelpImage)
        return;
    settings->m_bHelpImage = 0;
    const int answer = CAppMessageDlg::Show(text, CAppMessageDlg::kIconProgram, "OK`", " Sleevory Tip:", true);
    if (answer == 4)
        SaveTipShown();
}

void CThumbnailButton::SaveTipShown()
{
    Guarded(492, ErrorSink::App(), [&] { StoreSettingValue("Number", "bHelpImage", "1"); });
}

void CThumbnailButton::OnDestroy()
{
    DestroyTip();
    StopHover();
    CButton::OnDestroy();
}
