#include "shell/TextEditorTrackList.h"

#include "framework/ErrorReport.h"
#include "framework/Gdi.h"
#include "shell/AppMessageDlg.h"
#include "shell/TextPaneHost.h"
#include "uikit/ControlText.h"
#include "uikit/UserInterfaceFont.h"

#include <commctrl.h>

#include <algorithm>
#include <optional>

IMPLEMENT_DYNAMIC(CTrackListCtrl, CListCtrl)

int CTrackListCtrl::OnCreate(LPCREATESTRUCTA cs)
{
    if (CListCtrl::OnCreate(cs) == -1)
        return -1;
    return Guarded(262, ErrorSink::Window(this), 0, [&] {
        HFONT font = UserInterfaceFont(false);
        SetFont(font, FALSE);
        InsertColumn(0, "", LVCFMT_LEFT, 0);
        InsertColumn(kNumberColumn, "", LVCFMT_RIGHT, 50);
        InsertColumn(kNameColumn, "Track Name", LVCFMT_LEFT, 50);
        InsertColumn(kTimeColumn, "Time", LVCFMT_RIGHT, 50);
        if (HWND header = GetHeaderCtrl()) {
            m_header.SubclassWindow(header);
            // The columns are fixed: no clicking or resizing.
            ::EnableWindow(header, FALSE);
        }
        if (!m_nameEdit.Create(WS_CHILD | WS_BORDER | ES_AUTOHSCROLL, RECT{0, 0, 50, 16}, this, kNameEditId))
            return -1;
        m_nameEdit.SetFont(font, FALSE);
        m_nameEdit.SendMessage(EM_SETMARGINS, EC_LEFTMARGIN, MAKELPARAM(4, 0));
        // Right-aligned single-line: a multi-line box this narrow refuses the
        // characters that do not fit instead of scrolling.
        if (!m_timeEdit.Create(WS_CHILD | WS_BORDER | ES_AUTOHSCROLL | ES_RIGHT, RECT{0, 0, 50, 16}, this,
                               kTimeEditId))
            return -1;
        m_timeEdit.SetFont(font, FALSE);
        m_timeEdit.SendMessage(EM_SETMARGINS, EC_RIGHTMARGIN, MAKELPARAM(0, 1));
        return 0;
    });
}

void CTrackListCtrl::OnDestroy()
{
    Guarded(501, ErrorSink::Window(this), [&] {
        m_nameEdit.DestroyWindow();
        m_timeEdit.DestroyWindow();
    });
    CListCtrl::OnDestroy();
}

void CTrackListCtrl::HideEditors()
{
    for (CCellEdit* editor : {&m_nameEdit, &m_timeEdit}) {
        if (editor->m_hWnd && editor->IsWindowVisible())
            editor->ShowWindow(SW_HIDE);
    }
}

void CTrackListCtrl::ResetCell()
{
    m_nCurrentRow = m_nCurrentColumn = -1;
    m_nSelectionStart = m_nSelectionEnd = -1;
}

void CTrackListCtrl::SetSelection(int start, int end)
{
    m_nSelectionStart = start;
    m_nSelectionEnd = end;
    Invalidate(FALSE);
}

TrackListEdit::Tracks CTrackListCtrl::Tracks() const
{
    TrackListEdit::Tracks tracks;
    const int count = GetItemCount();
    for (int row = 0; row < count; ++row)
        tracks.push_back(TrackListEdit::Track{GetItemText(row, kNameColumn), GetItemText(row, kTimeColumn)});
    return tracks;
}

void CTrackListCtrl::SetTracks(const TrackListEdit::Tracks& tracks)
{
    const int count = static_cast<int>(tracks.size());
    while (GetItemCount() > count)
        DeleteItem(GetItemCount() - 1);
    while (GetItemCount() < count)
        InsertItem(GetItemCount(), "");
    for (int row = 0; row < count; ++row) {
        CString number;
        number.Format("%d", row + 1);
        SetItemText(row, kNumberColumn, number);
        SetItemText(row, kNameColumn, tracks[static_cast<size_t>(row)].name);
        SetItemText(row, kTimeColumn, tracks[static_cast<size_t>(row)].time);
    }
}

CString CTrackListCtrl::BuildTrackListText(int mode)
{
    const CString text = TrackListEdit::Build(Tracks());
    if (mode == kStoreCommitted)
        m_strCommitted = text;
    else if (mode == kStoreBuilt)
        m_strBuilt = text;
    return text;
}

bool CTrackListCtrl::FinishTimeCell()
{
    CCellEdit& editor = m_timeEdit;
    if (m_nCurrentColumn != kTimeColumn || !editor.m_hWnd || editor.m_strObjectName.IsEmpty())
        return true;
    const CString typed = WindowTextOf(editor.m_hWnd);
    // A time the list already held is left as it is, even one it should not hold.
    if (typed == editor.LoadedText())
        return true;
    if (const std::optional<CString> time = TrackListEdit::NormaliseTime(typed)) {
        if (*time != typed)
            editor.Replace(*time);
        return true;
    }
    editor.Replace(editor.LoadedText());
    CAppMessageDlg::Show("A track time is minutes and seconds, as 3:05, or a number of seconds, as 185.",
                         CAppMessageDlg::kIconExclamation, "OK`");
    return false;
}

void CTrackListCtrl::CloseCellEditor()
{
    Guarded(272, ErrorSink::Window(this), [&] {
        m_nCaretStart = m_nCaretEnd = -1;
        // The list takes the focus before the editor goes, so that the focus
        // does not wander off the pane.
        SetFocus();
        HideEditors();
    });
}

void CTrackListCtrl::ApplyChanges()
{
    Guarded(263, ErrorSink::Window(this), [&] {
        FinishTimeCell();
        BuildTrackListText(kStoreBuilt);
        if (m_strBuilt == m_strCommitted || m_strObjectName.IsEmpty())
            return;
        if (m_host)
            m_host->CommitPaneText(m_strObjectName, m_strCommitted, m_strBuilt);
        m_strCommitted = m_strBuilt;
    });
}

void CTrackListCtrl::SizeColumns()
{
    SetColumnWidth(kNumberColumn, LVSCW_AUTOSIZE);
    CClientDC dc(m_hWnd);
    CSelectGuard fontGuard(dc.m_hDC, reinterpret_cast<HGDIOBJ>(SendMessage(WM_GETFONT)));
    SIZE time{};
    ::GetTextExtentPoint32A(dc.m_hDC, "Time", 4, &time);
    SetColumnWidth(kTimeColumn, time.cx + 4);
    RECT client{};
    GetClientRect(&client);
    const int rest = client.right - GetColumnWidth(kNumberColumn) - GetColumnWidth(kTimeColumn);
    SetColumnWidth(kNameColumn, std::max(0, rest));
}

int CTrackListCtrl::HeaderBottom() const
{
    RECT header{};
    if (HWND window = GetHeaderCtrl(); window && ::IsWindowVisible(window)) {
        ::GetWindowRect(window, &header);
        POINT bottom{0, header.bottom};
        ::ScreenToClient(m_hWnd, &bottom);
        return bottom.y;
    }
    return 0;
}

RECT CTrackListCtrl::EditorCell(int row, int column) const
{
    RECT cell{};
    cell.top = column;
    cell.left = LVIR_LABEL;
    SendMessage(LVM_GETSUBITEMRECT, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&cell));
    cell.top -= 2;
    cell.bottom += 3;
    if (column == kTimeColumn)
        cell.right -= 2;
    return cell;
}

void CTrackListCtrl::BeginEdit()
{
    Guarded(264, ErrorSink::Window(this), [&] {
        if ((m_nCurrentColumn != kNameColumn && m_nCurrentColumn != kTimeColumn) || m_nCurrentRow < 0 ||
            m_nCurrentRow >= GetItemCount())
            return;
        CCellEdit& editor = EditorOf(m_nCurrentColumn);
        CCellEdit& other = m_nCurrentColumn == kNameColumn ? m_timeEdit : m_nameEdit;
        other.ShowWindow(SW_HIDE);
        editor.m_strObjectName = m_strObjectName;
        editor.m_nFieldIndex = 2 * m_nCurrentRow + (m_nCurrentColumn == kNameColumn ? 1 : 2);
        // Loading the cell's text is no edit: it must not be written back.
        editor.Load(GetItemText(m_nCurrentRow, m_nCurrentColumn));
        const RECT cell = EditorCell(m_nCurrentRow, m_nCurrentColumn);
        if (cell.top < HeaderBottom() - 2) {
            editor.ShowWindow(SW_HIDE);
            return;
        }
        editor.SetWindowPos(HWND_TOP, cell.left, cell.top, cell.right - cell.left, cell.bottom - cell.top,
                            SWP_SHOWWINDOW);
        editor.SetFocus();
        if (m_nCaretStart < 0)
            editor.SetSel(0, -1);
        else
            editor.SetSel(m_nCaretStart, m_nCaretEnd);
        editor.SendMessage(EM_SCROLLCARET);
    });
}

void CTrackListCtrl::SaveCaret()
{
    CCellEdit& editor = EditorOf(m_nCurrentColumn);
    if (editor.m_hWnd && editor.IsWindowVisible())
        editor.GetSel(m_nCaretStart, m_nCaretEnd);
}

void CTrackListCtrl::ScrollCellIntoView()
{
    m_nCaretStart = m_nCaretEnd = -1;
    if (m_nCurrentRow < 0 || m_nCurrentColumn < 0)
        return;
    const RECT cell = EditorCell(m_nCurrentRow, m_nCurrentColumn);
    RECT client{};
    GetClientRect(&client);
    if (cell.bottom > client.bottom) {
        HideEditors();
        SendMessage(LVM_SCROLL, 0, cell.bottom - client.bottom);
    } else if (HeaderBottom() - cell.top >= 3) {
        HideEditors();
        SendMessage(LVM_SCROLL, 0, -(HeaderBottom() - cell.top));
    }
}

int CTrackListCtrl::RowAt(POINT point, int* column) const
{
    LVHITTESTINFO hit{};
    hit.pt = point;
    SendMessage(LVM_SUBITEMHITTEST, 0, reinterpret_cast<LPARAM>(&hit));
    if (column)
        *column = hit.iItem >= 0 ? hit.iSubItem : -1;
    return hit.iItem;
}

void CTrackListCtrl::OnLButtonDown(UINT, POINT point)
{
    Guarded(265, ErrorSink::Window(this), [&] {
        SetFocus();
        int column = -1;
        const int row = RowAt(point, &column);
        m_nCurrentRow = row;
        m_nCurrentColumn = column;
        if (row >= 0 && column == kNumberColumn) {
            SetCapture();
            HideEditors();
            m_nSelectionStart = m_nSelectionEnd = row;
            m_bDragging = true;
            Invalidate(FALSE);
        } else if (row >= 0 && (column == kNameColumn || column == kTimeColumn)) {
            m_nCaretStart = m_nCaretEnd = -1;
            if (HasSelection()) {
                m_nSelectionStart = m_nSelectionEnd = -1;
                Invalidate(FALSE);
            }
            BeginEdit();
        } else {
            HideEditors();
        }
    });
}

void CTrackListCtrl::OnMouseMove(UINT flags, POINT point)
{
    Guarded(266, ErrorSink::Window(this), [&] {
        if ((flags & (MK_LBUTTON | MK_RBUTTON | MK_MBUTTON)) == MK_LBUTTON && m_bDragging) {
            const int row = RowAt(point, nullptr);
            if (row >= 0 && row != m_nSelectionEnd) {
                m_nSelectionEnd = row;
                Invalidate(FALSE);
            }
        }
        Default();
    });
}

void CTrackListCtrl::OnLButtonUp(UINT, POINT)
{
    Guarded(267, ErrorSink::Window(this), [&] {
        if (::GetCapture() == m_hWnd)
            ::ReleaseCapture();
        m_bDragging = false;
        if (m_nSelectionStart > m_nSelectionEnd)
            std::swap(m_nSelectionStart, m_nSelectionEnd);
    });
}

void CTrackListCtrl::FollowScroll()
{
    SaveCaret();
    HideEditors();
    BeginEdit();
}

void CTrackListCtrl::OnVScroll(UINT, UINT, HWND)
{
    Default();
    Guarded(268, ErrorSink::Window(this), [&] { FollowScroll(); });
}

BOOL CTrackListCtrl::OnMouseWheel(UINT, short, POINT)
{
    const LRESULT result = Default();
    Guarded(269, ErrorSink::Window(this), [&] {
        if (GetStyle() & WS_VSCROLL)
            FollowScroll();
    });
    return result != 0;
}

void CTrackListCtrl::OnShowWindow(BOOL show, UINT status)
{
    CListCtrl::OnShowWindow(show, status);
    if (!show)
        ResetCell();
}

void CTrackListCtrl::OnPaint()
{
    Default();
    Guarded(271, ErrorSink::Window(this), [&] {
        if (!HasSelection())
            return;
        CClientDC dc(m_hWnd);
        PaintSelection(dc.m_hDC);
    });
}

void CTrackListCtrl::PaintSelection(HDC dc)
{
    const int first = std::min(m_nSelectionStart, m_nSelectionEnd);
    const int last = std::max(m_nSelectionStart, m_nSelectionEnd);
    const int headerBottom = HeaderBottom();
    CSelectGuard fontGuard(dc, reinterpret_cast<HGDIOBJ>(SendMessage(WM_GETFONT)));
    ::SetBkMode(dc, TRANSPARENT);
    const int count = GetItemCount();
    for (int row = 0; row < count; ++row) {
        const bool selected = row >= first && row <= last;
        for (int column = kNumberColumn; column <= kTimeColumn; ++column) {
            RECT cell{};
            cell.top = column;
            cell.left = LVIR_BOUNDS;
            SendMessage(LVM_GETSUBITEMRECT, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&cell));
            if (cell.bottom <= headerBottom)
                continue;
            cell.top = std::max(cell.top, static_cast<LONG>(headerBottom));
            ::FillRect(dc, &cell, ::GetSysColorBrush(selected ? COLOR_HIGHLIGHT : COLOR_WINDOW));
            ::SetTextColor(dc, ::GetSysColor(selected ? COLOR_HIGHLIGHTTEXT : COLOR_WINDOWTEXT));
            const CString text = GetItemText(row, column);
            RECT textRect = cell;
            UINT format = DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX | DT_END_ELLIPSIS;
            if (column == kNameColumn) {
                textRect.left += 6;
                format |= DT_LEFT;
            } else {
                textRect.right -= 6;
                format |= DT_RIGHT;
            }
            ::DrawTextA(dc, text, text.GetLength(), &textRect, format);
        }
    }
}

BOOL CTrackListCtrl::OnCommand(WPARAM wParam, LPARAM lParam)
{
    const UINT id = LOWORD(wParam);
    if (HIWORD(wParam) == EN_SETFOCUS && (id == kNameEditId || id == kTimeEditId)) {
        Guarded(424, ErrorSink::Window(this), [&] {
            m_bNameEditorActive = id == kNameEditId;
            m_bTimeEditorActive = id == kTimeEditId;
        });
        return TRUE;
    }
    return CListCtrl::OnCommand(wParam, lParam);
}

BOOL CTrackListCtrl::PreTranslateMessage(MSG* msg)
{
    return Guarded(425, ErrorSink::Window(this), FALSE, [&]() -> BOOL {
        if (msg->message != WM_KEYDOWN)
            return FALSE;
        const bool inList = msg->hwnd == m_hWnd || msg->hwnd == m_nameEdit.m_hWnd || msg->hwnd == m_timeEdit.m_hWnd;
        if (!inList || m_nCurrentRow < 0)
            return FALSE;
        int step = 0;
        switch (msg->wParam) {
        case VK_UP:
            step = -1;
            break;
        case VK_TAB:
        case VK_RETURN:
        case VK_DOWN:
            step = 1;
            break;
        default:
            return FALSE;
        }
        // A time that cannot be taken keeps the editor on its cell.
        if (!FinishTimeCell()) {
            BeginEdit();
            return TRUE;
        }
        const int row = m_nCurrentRow + step;
        if (row < 0 || row >= GetItemCount())
            return TRUE;
        m_nCurrentRow = row;
        ScrollCellIntoView();
        BeginEdit();
        ApplyChanges();
        return TRUE;
    });
}
