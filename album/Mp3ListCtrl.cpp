#include "album/Mp3ListCtrl.h"

#include "framework/ErrorReport.h"
#include "framework/Gdi.h"
#include "resource.h"

#include <windowsx.h>

#include <algorithm>
#include <array>
#include <cstdlib>
#include <utility>

IMPLEMENT_DYNAMIC(CMp3ListCtrl, CListCtrl)

namespace {

constexpr COLORREF kMarkerMask = RGB(255, 0, 255);
constexpr int kMarkerSize = 11;
// The column's header, alignment; all start 0 wide and are sized once filled.
struct ColumnSpec {
    const char* heading;
    int format;
};
constexpr std::array<ColumnSpec, 7> kColumns = {{
    {"", LVCFMT_LEFT},
    {"", LVCFMT_CENTER},
    {"Use Tag", LVCFMT_LEFT},
    {"Time", LVCFMT_CENTER},
    {"Track Name", LVCFMT_LEFT},
    {"", LVCFMT_LEFT},
    {"", LVCFMT_LEFT},
}};
// The columns that move with a row's file when rows are reordered.
constexpr std::array<int, 4> kFileColumns = {CMp3ListCtrl::kTimeColumn, CMp3ListCtrl::kNameColumn,
                                             CMp3ListCtrl::kTagStateColumn, CMp3ListCtrl::kOtherNameColumn};

// Stops a list from painting while many cells change, and repaints it after.
class RedrawOff {
public:
    explicit RedrawOff(CWnd& list) : m_list(list) { m_list.SendMessage(WM_SETREDRAW, FALSE); }
    ~RedrawOff()
    {
        m_list.SendMessage(WM_SETREDRAW, TRUE);
        m_list.Invalidate();
    }
    RedrawOff(const RedrawOff&) = delete;
    RedrawOff& operator=(const RedrawOff&) = delete;

private:
    CWnd& m_list;
};

int TextWidth(HDC dc, const CString& text)
{
    SIZE size{};
    ::GetTextExtentPoint32A(dc, text, text.GetLength(), &size);
    return size.cx;
}

}  // namespace

CMp3ListCtrl::~CMp3ListCtrl() = default;

void CMp3ListCtrl::Init(const std::vector<CString>& names, HFONT font)
{
    Guarded(420, ErrorSink::Window(this), [&] {
        m_markers.DeleteImageList();
        m_markers.Create(kMarkerSize, kMarkerSize, ILC_COLOR24 | ILC_MASK, 3, 0);
        const HINSTANCE module = ::GetModuleHandleA(nullptr);
        for (UINT id : {IDB_MARKER_NO, IDB_MARKER_YES, IDB_MARKER_NO_CHOICE}) {
            CBitmap bitmap(static_cast<HBITMAP>(
                ::LoadImageA(module, MAKEINTRESOURCEA(id), IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION)));
            m_markers.Add(bitmap.Get(), kMarkerMask);
        }
        if (font)
            SetFont(font, FALSE);
        if (!m_editor.GetSafeHwnd()) {
            m_editor.Create(WS_BORDER | ES_AUTOHSCROLL, RECT{0, 0, 10, 10}, this, kEditorId);
            m_editor.SetFont(GetFont(), FALSE);
            m_editor.SendMessage(EM_SETMARGINS, EC_LEFTMARGIN | EC_RIGHTMARGIN, MAKELPARAM(4, 0));
        }

        DeleteAllItems();
        while (SendMessage(LVM_DELETECOLUMN, 0))
            ;
        for (size_t i = 0; i < kColumns.size(); ++i)
            InsertColumn(static_cast<int>(i), kColumns[i].heading, kColumns[i].format, 0);
        ::EnableWindow(GetHeaderCtrl(), FALSE);

        const int count = static_cast<int>(names.size());
        for (int row = 0; row < count; ++row)
            InsertItem(row, "");
        for (int row = 0; row < count; ++row) {
            CString number;
            number.Format("%d", row + 1);
            SetItemText(row, kNumberColumn, number);
            SetItemText(row, kNameColumn, names[static_cast<size_t>(row)]);
            SetItemData(row, static_cast<DWORD_PTR>(row));
            SetItemText(row, kTagStateColumn, "2");
        }

        SetColumnWidth(kNumberColumn, LVSCW_AUTOSIZE);
        SetColumnWidth(kTagColumn, LVSCW_AUTOSIZE_USEHEADER);
        SetColumnWidth(kTimeColumn, LVSCW_AUTOSIZE_USEHEADER);
        SetColumnWidth(kTimeColumn, GetColumnWidth(kTimeColumn) + 7);
        RECT client{};
        GetClientRect(&client);
        const int used = GetColumnWidth(kNumberColumn) + GetColumnWidth(kTagColumn) + GetColumnWidth(kTimeColumn);
        SetColumnWidth(kNameColumn, std::max(0, static_cast<int>(client.right - client.left) - used - 16));
        ShowWindow(SW_HIDE);
        ShowWindow(SW_SHOW);
    });
}

void CMp3ListCtrl::OfferTagName(int row, const CString& tagName, bool useTag)
{
    if (tagName.IsEmpty() || row < 0 || row >= GetItemCount())
        return;
    if (useTag) {
        SetItemText(row, kOtherNameColumn, GetItemText(row, kNameColumn));
        SetItemText(row, kNameColumn, tagName);
        SetItemText(row, kTagStateColumn, "1");
    } else {
        SetItemText(row, kOtherNameColumn, tagName);
        SetItemText(row, kTagStateColumn, "0");
    }
}

void CMp3ListCtrl::FitColumnsToContent()
{
    SetColumnWidth(kTimeColumn, LVSCW_AUTOSIZE_USEHEADER);
    SetColumnWidth(kNameColumn, LVSCW_AUTOSIZE_USEHEADER);
    SetColumnWidth(kOtherNameColumn, LVSCW_AUTOSIZE);
    if (GetColumnWidth(kNameColumn) < GetColumnWidth(kOtherNameColumn))
        SetColumnWidth(kNameColumn, GetColumnWidth(kOtherNameColumn));
    SetColumnWidth(kOtherNameColumn, 0);
}

RECT CMp3ListCtrl::CellRect(int row, int column) const
{
    RECT rect{};
    rect.top = column;
    rect.left = LVIR_LABEL;
    SendMessage(LVM_GETSUBITEMRECT, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&rect));
    return rect;
}

int CMp3ListCtrl::HeaderBottom() const
{
    RECT header{};
    const HWND headerWindow = GetHeaderCtrl();
    if (!headerWindow || !::IsWindowVisible(headerWindow))
        return 0;
    ::GetWindowRect(headerWindow, &header);
    ::MapWindowPoints(nullptr, m_hWnd, reinterpret_cast<POINT*>(&header), 2);
    return header.bottom;
}

bool CMp3ListCtrl::IsSelected(int row) const
{
    if (!HasSelection())
        return false;
    const auto [first, last] = std::minmax(m_nSelectionFirst, m_nSelectionLast);
    return row >= first && row <= last;
}

LRESULT CMp3ListCtrl::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    // The list view's own double-click handling would select rows.
    if (message == WM_LBUTTONDBLCLK) {
        OnLButtonDown(static_cast<UINT>(wParam), POINT{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)});
        return 0;
    }
    return CListCtrl::WindowProc(message, wParam, lParam);
}

void CMp3ListCtrl::OnPaint()
{
    Guarded(428, ErrorSink::Window(this), [&] {
        Default();
        if (!m_markers.GetSafeHandle())
            return;
        CClientDC dc(m_hWnd);
        const int count = GetItemCount();
        const int last = std::min(TopIndex() + RowsPerPage() + 1, count);
        for (int row = TopIndex(); row < last; ++row) {
            const int image = atoi(GetItemText(row, kTagStateColumn));
            const RECT cell = CellRect(row, kTagColumn);
            if (cell.top < HeaderBottom())
                continue;
            m_markers.Draw(dc, image, POINT{cell.left + (cell.right - cell.left) / 2 - 5, cell.top + 2});
        }
        DrawList(dc);
    });
}

void CMp3ListCtrl::DrawList(HDC dc)
{
    Guarded(431, ErrorSink::App(), [&] {
        if (!HasSelection())
            return;
        CSelectGuard font(dc, GetFont());
        const int oldMode = ::SetBkMode(dc, TRANSPARENT);
        const int headerBottom = HeaderBottom();
        const int count = GetItemCount();
        const int last = std::min(TopIndex() + RowsPerPage() + 1, count);
        for (int row = TopIndex(); row < last; ++row) {
            const bool selected = IsSelected(row);
            CBrush fill(::CreateSolidBrush(::GetSysColor(selected ? COLOR_HIGHLIGHT : COLOR_WINDOW)));
            ::SetTextColor(dc, ::GetSysColor(selected ? COLOR_HIGHLIGHTTEXT : COLOR_WINDOWTEXT));
            for (int column : {kNumberColumn, kTimeColumn, kNameColumn}) {
                RECT cell = CellRect(row, column);
                if (cell.top < headerBottom)
                    continue;
                cell.top += 1;
                ::FillRect(dc, &cell, fill.Get());
                const CString text = GetItemText(row, column);
                RECT textRect = cell;
                UINT format = DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX | DT_END_ELLIPSIS;
                if (column == kNameColumn) {
                    textRect.left += 6;
                    format |= DT_LEFT;
                } else {
                    format |= DT_CENTER;
                }
                ::DrawTextA(dc, text, text.GetLength(), &textRect, format);
            }
            const RECT tag = CellRect(row, kTagColumn);
            if (tag.top < headerBottom)
                continue;
            const int middle = tag.left + (tag.right - tag.left) / 2;
            const RECT beside[2] = {{tag.left, tag.top + 1, middle - 6, tag.bottom},
                                    {middle + 7, tag.top + 1, tag.right, tag.bottom}};
            for (const RECT& part : beside)
                if (part.right > part.left)
                    ::FillRect(dc, &part, fill.Get());
        }
        ::SetBkMode(dc, oldMode);
    });
}

void CMp3ListCtrl::OnLButtonDown(UINT, POINT point)
{
    Guarded(430, ErrorSink::Window(this), [&] {
        if (!m_bClicksEnabled)
            return;
        SetFocus();
        LVHITTESTINFO hit{};
        hit.pt = point;
        SendMessage(LVM_SUBITEMHITTEST, 0, reinterpret_cast<LPARAM>(&hit));
        m_nCurrentRow = hit.iItem;
        m_nCurrentColumn = hit.iSubItem;
        if (hit.iItem < 0)
            return;
        switch (hit.iSubItem) {
        case kNumberColumn:
        case kTimeColumn:
            SetCapture();
            HideEditor();
            m_nSelectionFirst = m_nSelectionLast = hit.iItem;
            m_bDragging = true;
            Invalidate(FALSE);
            break;
        case kTagColumn: {
            HideEditor();
            const CString state = GetItemText(hit.iItem, kTagStateColumn);
            if (state != "2") {
                const CString shown = GetItemText(hit.iItem, kNameColumn);
                SetItemText(hit.iItem, kNameColumn, GetItemText(hit.iItem, kOtherNameColumn));
                SetItemText(hit.iItem, kOtherNameColumn, shown);
                SetItemText(hit.iItem, kTagStateColumn, state == "1" ? "0" : "1");
            }
            Invalidate(FALSE);
            break;
        }
        case kNameColumn:
            Invalidate(FALSE);
            PlaceEditor(0, -1);
            break;
        default:
            HideEditor();
            break;
        }
    });
}

void CMp3ListCtrl::OnMouseMove(UINT flags, POINT point)
{
    Guarded(432, ErrorSink::App(), [&] {
        if (!m_bDragging || !(flags & MK_LBUTTON))
            return;
        LVHITTESTINFO hit{};
        hit.pt = point;
        SendMessage(LVM_SUBITEMHITTEST, 0, reinterpret_cast<LPARAM>(&hit));
        if (hit.iItem >= 0 && hit.iItem != m_nSelectionLast) {
            m_nSelectionLast = hit.iItem;
            Invalidate(FALSE);
        }
    });
}

void CMp3ListCtrl::OnLButtonUp(UINT, POINT)
{
    if (::GetCapture() == m_hWnd)
        ::ReleaseCapture();
    m_bDragging = false;
    if (m_nSelectionFirst > m_nSelectionLast)
        std::swap(m_nSelectionFirst, m_nSelectionLast);
}

void CMp3ListCtrl::HideEditor()
{
    if (m_editor.GetSafeHwnd())
        m_editor.ShowWindow(SW_HIDE);
}

void CMp3ListCtrl::PlaceEditor(int selectionStart, int selectionEnd)
{
    Guarded(429, ErrorSink::Window(this), [&] {
        if (m_nCurrentRow < 0 || m_nCurrentRow >= GetItemCount() || !m_editor.GetSafeHwnd())
            return;
        RECT client{};
        GetClientRect(&client);
        RECT cell = CellRect(m_nCurrentRow, kNameColumn);
        cell.top -= 2;
        cell.bottom += 3;
        cell.left = std::max(cell.left, client.left);
        cell.right = client.right;
        if (cell.top > HeaderBottom() - 3) {
            m_editor.SetWindowText(GetItemText(m_nCurrentRow, kNameColumn));
            m_editor.SetWindowPos(HWND_TOP, cell.left, cell.top, cell.right - cell.left, cell.bottom - cell.top,
                                  SWP_SHOWWINDOW);
            m_editor.SetFocus();
            m_editor.SetSel(selectionStart, selectionEnd);
            m_editor.SendMessage(EM_SCROLLCARET);
        } else {
            HideEditor();
        }
    });
}

void CMp3ListCtrl::EnsureEditVisible(int row)
{
    Guarded(438, ErrorSink::App(), [&] {
        RECT rect{};
        rect.left = LVIR_BOUNDS;
        if (!SendMessage(LVM_GETITEMRECT, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&rect)))
            return;
        rect.top -= 2;
        rect.bottom += 3;
        RECT client{};
        GetClientRect(&client);
        if (rect.bottom > client.bottom) {
            HideEditor();
            ScrollBy(rect.bottom - client.bottom);
        }
        const int headerBottom = HeaderBottom();
        if (rect.top < headerBottom - 2) {
            HideEditor();
            ScrollBy(rect.top - headerBottom - 12);
        }
    });
}

BOOL CMp3ListCtrl::OnCommand(WPARAM wParam, LPARAM lParam)
{
    if (LOWORD(wParam) == kEditorId && HIWORD(wParam) == EN_UPDATE) {
        OnEditUpdate();
        return TRUE;
    }
    return CListCtrl::OnCommand(wParam, lParam);
}

void CMp3ListCtrl::OnEditUpdate()
{
    Guarded(436, ErrorSink::App(), [&] {
        if (m_nCurrentRow < 0 || m_nCurrentRow >= GetItemCount())
            return;
        CString text;
        m_editor.GetWindowText(text);
        SetItemText(m_nCurrentRow, kNameColumn, text);
    });
}

BOOL CMp3ListCtrl::PreTranslateMessage(MSG* msg)
{
    return Guarded(437, ErrorSink::App(), FALSE, [&]() -> BOOL {
        if (msg->message != WM_KEYDOWN)
            return CListCtrl::PreTranslateMessage(msg);
        int step = 0;
        switch (msg->wParam) {
        case VK_UP:
            step = -1;
            break;
        case VK_DOWN:
        case VK_TAB:
        case VK_RETURN:
            step = 1;
            break;
        default:
            return CListCtrl::PreTranslateMessage(msg);
        }
        const int target = m_nCurrentRow + step;
        if (m_nCurrentRow >= 0 && target >= 0 && target < GetItemCount()) {
            m_nCurrentRow = target;
            m_nCurrentColumn = kNameColumn;
            EnsureEditVisible(target);
            PlaceEditor(0, -1);
        }
        return TRUE;
    });
}

template <typename Scroll>
void CMp3ListCtrl::ScrollKeepingEditor(Scroll scroll)
{
    int start = 0;
    int end = -1;
    const bool editing = m_editor.GetSafeHwnd() && m_editor.IsWindowVisible();
    if (editing)
        m_editor.GetSel(start, end);
    HideEditor();
    scroll();
    if (editing)
        PlaceEditor(start, end);
}

void CMp3ListCtrl::OnVScroll(UINT, UINT, HWND)
{
    Guarded(433, ErrorSink::App(), [&] { ScrollKeepingEditor([&] { Default(); }); });
}

void CMp3ListCtrl::OnHScroll(UINT, UINT, HWND)
{
    Guarded(434, ErrorSink::App(), [&] { ScrollKeepingEditor([&] { Default(); }); });
}

BOOL CMp3ListCtrl::OnMouseWheel(UINT, short, POINT)
{
    return Guarded(435, ErrorSink::App(), FALSE, [&] {
        BOOL handled = FALSE;
        ScrollKeepingEditor([&] { handled = Default() != 0; });
        return handled;
    });
}

void CMp3ListCtrl::MoveSelectedRows(bool up)
{
    Guarded(439, ErrorSink::App(), [&] {
        if (m_nCurrentRow < 0)
            return;
        if (!HasSelection()) {
            if (m_nCurrentColumn != kNameColumn)
                return;
            m_nSelectionFirst = m_nSelectionLast = m_nCurrentRow;
        }
        HideEditor();
        const auto [first, last] = std::minmax(m_nSelectionFirst, m_nSelectionLast);
        const int count = GetItemCount();
        const int neighbour = up ? first - 1 : last + 1;
        if (neighbour < 0 || neighbour >= count)
            return;
        RedrawOff quiet(*this);
        std::array<CString, kFileColumns.size()> held;
        for (size_t i = 0; i < kFileColumns.size(); ++i)
            held[i] = GetItemText(neighbour, kFileColumns[i]);
        // The block slides one place; the neighbour's file takes the freed end.
        if (up) {
            for (int row = first; row <= last; ++row)
                for (int column : kFileColumns)
                    SetItemText(row - 1, column, GetItemText(row, column));
        } else {
            for (int row = last; row >= first; --row)
                for (int column : kFileColumns)
                    SetItemText(row + 1, column, GetItemText(row, column));
        }
        const int freed = up ? last : first;
        for (size_t i = 0; i < kFileColumns.size(); ++i)
            SetItemText(freed, kFileColumns[i], held[i]);
        const int shift = up ? -1 : 1;
        m_nSelectionFirst = first + shift;
        m_nSelectionLast = last + shift;
        if (m_nCurrentRow >= first && m_nCurrentRow <= last)
            m_nCurrentRow += shift;
        EnsureVisible(up ? m_nSelectionFirst : m_nSelectionLast, FALSE);
    });
}

void CMp3ListCtrl::SortByName()
{
    HideEditor();
    m_nCurrentRow = m_nCurrentColumn = -1;
    m_nSelectionFirst = m_nSelectionLast = -1;
    const int count = GetItemCount();
    struct Row {
        std::array<CString, kFileColumns.size()> cells;
        CString key;
    };
    std::vector<Row> rows(static_cast<size_t>(count));
    for (int row = 0; row < count; ++row) {
        Row& entry = rows[static_cast<size_t>(row)];
        for (size_t i = 0; i < kFileColumns.size(); ++i)
            entry.cells[i] = GetItemText(row, kFileColumns[i]);
        entry.key = entry.cells[1];
        entry.key.MakeUpper();
    }
    std::stable_sort(rows.begin(), rows.end(), [](const Row& a, const Row& b) { return a.key.Compare(b.key) < 0; });
    RedrawOff quiet(*this);
    for (int row = 0; row < count; ++row) {
        const Row& entry = rows[static_cast<size_t>(row)];
        for (size_t i = 0; i < kFileColumns.size(); ++i)
            SetItemText(row, kFileColumns[i], entry.cells[i]);
        CString number;
        number.Format("%d", row + 1);
        SetItemText(row, kNumberColumn, number);
        SetItemData(row, static_cast<DWORD_PTR>(row));
    }
}
