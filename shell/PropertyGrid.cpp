#include "shell/PropertyGrid.h"

#include "framework/Conversions.h"
#include "framework/ErrorReport.h"
#include "framework/Gdi.h"
#include "shell/AppMessageDlg.h"
#include "resource.h"
#include "shell/PropertyGridHost.h"
#include "uikit/UserInterfaceFont.h"

#include <commctrl.h>

#include <cstdlib>

IMPLEMENT_DYNAMIC(CPropertyGrid, CListCtrl)

namespace {

constexpr int kCaptionColumn = 1;
constexpr int kValueColumn = 2;
// The Yes/No markers: their size, the colour their pictures treat as clear,
// and the picture of each value.
constexpr int kMarkerSize = 11;
constexpr COLORREF kMarkerMaskColor = RGB(255, 0, 255);
constexpr int kMarkerNo = 0;
constexpr int kMarkerYes = 1;
constexpr int kMarkerDisabledOn = 2;

bool IsBoxCaption(const CString& caption)
{
    return caption == "Left" || caption == "Top" || caption == "Width" || caption == "Height";
}

// The fields of a comma-separated value.
std::vector<CString> SplitFields(const CString& value)
{
    std::vector<CString> parts;
    int start = 0;
    for (int comma = value.Find(','); comma >= 0; comma = value.Find(',', start)) {
        parts.push_back(value.Mid(start, comma - start));
        start = comma + 1;
    }
    parts.push_back(value.Mid(start));
    return parts;
}

// "r,g,b" as a colour.
COLORREF ParseColor(const CString& value)
{
    const std::vector<CString> fields = SplitFields(value);
    auto field = [&](size_t i) { return i < fields.size() ? ParseLeadingInt(fields[i]) & 0xFF : 0; };
    return RGB(field(0), field(1), field(2));
}

// Marks a commit as running for as long as it runs.
class CommitScope
{
public:
    explicit CommitScope(bool& running) : m_running(running) { m_running = true; }
    ~CommitScope() { m_running = false; }
    CommitScope(const CommitScope&) = delete;
    CommitScope& operator=(const CommitScope&) = delete;

private:
    bool& m_running;
};

}  // namespace

CPropertyGrid::CPropertyGrid()
{
    CClientDC screen(nullptr);
    if (screen.m_hDC)
        m_nDpiY = ::GetDeviceCaps(screen.m_hDC, LOGPIXELSY);
}

CPropertyGrid::~CPropertyGrid() = default;

int CPropertyGrid::OnCreate(LPCREATESTRUCTA cs)
{
    if (CListCtrl::OnCreate(cs) == -1)
        return -1;
    return Guarded(342, ErrorSink::Window(this), 0, [&] {
        HFONT font = UserInterfaceFont(false);
        SetFont(font, FALSE);
        InsertColumn(0, "", LVCFMT_LEFT, 0);
        InsertColumn(kCaptionColumn, "", LVCFMT_LEFT, 100);
        InsertColumn(kValueColumn, "", LVCFMT_LEFT, 100);

        if (!m_combo.Create(WS_CHILD | WS_VISIBLE | WS_VSCROLL | CBS_DROPDOWNLIST, RECT{0, 0, 100, 200}, this,
                            kComboId))
            return -1;
        m_combo.SetFont(font, FALSE);
        RECT comboRect{};
        m_combo.GetWindowRect(&comboRect);
        m_nRowHeight = std::max(8, static_cast<int>(comboRect.bottom - comboRect.top) - 4);
        m_combo.ShowWindow(SW_HIDE);
        // A small-image list as tall as a row is what sets the list view's row height.
        if (m_rowHeightImages.Create(1, m_nRowHeight - 1, ILC_COLOR24, 1, 1))
            SetImageList(m_rowHeightImages, LVSIL_SMALL);
        LoadMarkers();

        if (!m_edit.Create(WS_CHILD | WS_BORDER | ES_AUTOHSCROLL, RECT{0, 0, 100, m_nRowHeight}, this, kEditId))
            return -1;
        m_edit.SetFont(font, FALSE);
        m_edit.SendMessage(EM_SETMARGINS, EC_LEFTMARGIN | EC_RIGHTMARGIN, MAKELPARAM(4, 0));
        if (!m_ellipsis.Create("", WS_CHILD | BS_PUSHBUTTON, RECT{0, 0, 16, m_nRowHeight - 1}, this, kEllipsisId))
            return -1;
        return 0;
    });
}

void CPropertyGrid::OnDestroy()
{
    Guarded(509, ErrorSink::Window(this), [&] {
        m_edit.DestroyWindow();
        m_combo.DestroyWindow();
        m_ellipsis.DestroyWindow();
    });
    CListCtrl::OnDestroy();
}

void CPropertyGrid::HideEditors()
{
    for (CWnd* editor : std::initializer_list<CWnd*>{&m_combo, &m_edit, &m_ellipsis}) {
        if (editor->m_hWnd)
            editor->ShowWindow(SW_HIDE);
    }
}

void CPropertyGrid::ShowProperties(const CString& objectName)
{
    Guarded(341, ErrorSink::Window(this), [&] {
        HideEditors();
        m_nSelectedRow = m_nPreviousRow = m_nColorRow = -1;
        DeleteAllItems();
        m_rows = m_host ? PropertyGridRows::RowsOf(m_host->PropertyTable(), objectName, m_host->GridContext())
                        : std::vector<GridRow>{};

        CClientDC dc(m_hWnd);
        CSelectGuard fontGuard(dc.m_hDC, reinterpret_cast<HGDIOBJ>(SendMessage(WM_GETFONT)));
        TEXTMETRICA metrics{};
        ::GetTextMetricsA(dc.m_hDC, &metrics);
        int widest = 0;
        for (size_t i = 0; i < m_rows.size(); ++i) {
            const GridRow& row = m_rows[i];
            SIZE extent{};
            ::GetTextExtentPoint32A(dc.m_hDC, row.caption, row.caption.GetLength(), &extent);
            widest = std::max(widest, static_cast<int>(extent.cx));
            const int item = InsertItem(static_cast<int>(i), "");
            SetItemText(item, kCaptionColumn, row.caption);
            SetItemText(item, kValueColumn, row.display);
            if (row.caption == "Color")
                m_nColorRow = item;
        }
        m_nCaptionWidth = widest + 3 * metrics.tmAveCharWidth;
        SetColumnWidth(kCaptionColumn, m_nCaptionWidth);
        RECT client{};
        GetClientRect(&client);
        SetColumnWidth(kValueColumn, std::max(0, static_cast<int>(client.right) - m_nCaptionWidth - 4));
        if (m_relayout)
            m_relayout();
    });
}

RECT CPropertyGrid::ValueCell(int row) const
{
    RECT cell{};
    cell.top = kValueColumn;
    cell.left = LVIR_BOUNDS;
    SendMessage(LVM_GETSUBITEMRECT, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&cell));
    return cell;
}

void CPropertyGrid::BeginEdit()
{
    Guarded(344, ErrorSink::Window(this), [&] {
        if (m_nSelectedRow < 0 || m_nSelectedRow >= static_cast<int>(m_rows.size()))
            return;
        HideEditors();
        const GridRow& row = m_rows[static_cast<size_t>(m_nSelectedRow)];
        const RECT cell = ValueCell(m_nSelectedRow);
        const int width = cell.right - cell.left;
        const int height = cell.bottom - cell.top;
        if (row.kind == "COMBO" && PropertyGridRows::IsYesNo(row)) {
            Invalidate(FALSE);
        } else if (row.kind == "COMBO") {
            m_combo.ResetContent();
            for (const CString& item : PropertyGridRows::SplitChoices(row.choices))
                m_combo.AddString(item);
            const int match = m_combo.FindStringExact(-1, row.value);
            m_combo.SetCurSel(match >= 0 ? match : 0);
            m_combo.MoveWindow(cell.left + 2, cell.top - 2, width, height + 302);
            m_combo.ShowWindow(SW_SHOW);
        } else if (row.kind == "EDIT") {
            const bool millimetres = row.caption == "Text Margin" && m_host && m_host->GridContext().millimeters;
            m_edit.SetWindowText(millimetres ? PropertyGridRows::MillimetreDisplay(row.value) : row.value);
            m_edit.MoveWindow(cell.left, cell.top, width, height);
            m_edit.ShowWindow(SW_SHOW);
            m_edit.SetFocus();
        } else if (row.kind == "FONT" || row.kind == "COLOR" || row.kind == "PAPER") {
            RECT button{};
            m_ellipsis.GetWindowRect(&button);
            m_ellipsis.MoveWindow(cell.right - 16, cell.top + 1, button.right - button.left,
                                  button.bottom - button.top);
            m_ellipsis.ShowWindow(SW_SHOW);
            m_ellipsis.SetFocus();
        }
    });
}

void CPropertyGrid::EndEdit(bool commit)
{
    Guarded(352, ErrorSink::Window(this), [&] {
        if (m_nSelectedRow < 0)
            return;
        if (commit && m_edit.IsWindowVisible()) {
            CString text;
            m_edit.GetWindowText(text);
            CommitValue(text, true);
        }
        if (m_combo.SendMessage(CB_GETDROPPEDSTATE))
            m_combo.SendMessage(CB_SHOWDROPDOWN, FALSE);
    });
}

void CPropertyGrid::CommitValue(const CString& typed, bool refresh)
{
    Guarded(349, ErrorSink::Window(this), [&] {
        // The refresh and the message box below take the focus from the edit
        // box, whose focus loss commits: that is this commit, not another.
        if (m_bCommitting || !m_host || m_nSelectedRow < 0 || m_nSelectedRow >= static_cast<int>(m_rows.size()))
            return;
        // Copies: the refill below replaces the rows.
        const GridRow row = m_rows[static_cast<size_t>(m_nSelectedRow)];
        const CString text = PropertyGridRows::CleanEditorText(typed);
        if (text.IsEmpty() || text == row.value)
            return;
        const CommitScope scope(m_bCommitting);
        // A message an earlier change left behind is not this edit's.
        CAppMessageDlg::TakePendingText();
        m_host->ClearSurfaces();
        CString shown;
        if (m_host->SelectedItemType() != "Cover" && IsBoxCaption(row.caption)) {
            shown = m_host->ApplyBoxEdit(row.objectName, row.caption, text);
        } else {
            shown = m_host->ApplyGridProperty(row.objectName, row.caption, text);
            m_host->CommitUndoStep();
        }
        if (refresh)
            ShowCommitted(row, shown);
        // What the view limited, and why.
        const CString message = CAppMessageDlg::TakePendingText();
        if (!message.IsEmpty())
            CAppMessageDlg::Show(message, CAppMessageDlg::kIconStop, "OK`");
    });
}

void CPropertyGrid::ShowCommitted(const GridRow& row, const CString& shown)
{
    m_host->ShowCurrentSurface();
    if (m_host->IsUndoRecording()) {
        const int keep = m_nSelectedRow;
        ShowProperties(m_host->SelectedObjectName());
        m_nSelectedRow = keep < static_cast<int>(m_rows.size()) ? keep : -1;
    }
    if (row.kind == "EDIT" && m_nSelectedRow >= 0) {
        const GridRow& now = m_rows[static_cast<size_t>(m_nSelectedRow)];
        const CString cellText = now.caption == row.caption ? now.display : shown;
        m_edit.SetWindowText(cellText);
        m_edit.SendMessage(EM_SETSEL, static_cast<WPARAM>(cellText.GetLength()),
                           static_cast<LPARAM>(cellText.GetLength()));
        SetItemText(m_nSelectedRow, kValueColumn, cellText);
    }
}

void CPropertyGrid::OnEllipsis()
{
    Guarded(353, ErrorSink::Window(this), [&] {
        if (!m_host || m_nSelectedRow < 0 || m_nSelectedRow >= static_cast<int>(m_rows.size()))
            return;
        const GridRow row = m_rows[static_cast<size_t>(m_nSelectedRow)];
        if (row.kind == "COLOR") {
            m_host->ChooseObjectColor(row.objectName, ParseColor(row.value));
            SetFocus();
        } else if (row.kind == "FONT") {
            const std::vector<CString> parts = SplitFields(row.value);
            LOGFONTA font{};
            auto part = [&](size_t i) { return i < parts.size() ? parts[i] : CString(); };
            ::lstrcpynA(font.lfFaceName, part(0), LF_FACESIZE);
            font.lfHeight = -(ParseLeadingInt(part(1)) * m_nDpiY / 72);
            font.lfWeight = ParseLeadingInt(part(2));
            font.lfItalic = static_cast<BYTE>(ParseLeadingInt(part(3)) != 0);
            const int fontRow = m_nSelectedRow;
            m_host->ChooseObjectFont(row.objectName, font);
            SetFocus();
            // OK refills the grid with the object's rows, which forgets the
            // row: the Font row is selected again with its editor.
            if (m_nSelectedRow < 0 && fontRow < static_cast<int>(m_rows.size())) {
                m_nSelectedRow = fontRow;
                BeginEdit();
            }
        } else if (row.kind == "COMBO" && PropertyGridRows::IsYesNo(row)) {
            if (row.value != "Disabled On") {
                CommitValue(row.value == "No" ? "Yes" : "No", true);
            } else {
                if (row.caption == "Set as Background")
                    CommitValue("Yes", true);
                m_nFlashTicks = 0;
                SetTimer(kFlashTimer, 100);
            }
            SetFocus();
        } else if (row.kind == "COMBO") {
            m_combo.SendMessage(CB_SHOWDROPDOWN, TRUE);
        } else if (row.kind == "PAPER") {
            m_host->ChangeLabelPaper();
            SetFocus();
        }
    });
}

void CPropertyGrid::OnCloseUpCombo()
{
    Guarded(346, ErrorSink::Window(this), [&] {
        m_combo.ShowWindow(SW_HIDE);
        SetFocus();
        const int chosen = m_combo.GetCurSel();
        if (chosen < 0)
            return;
        CString text;
        m_combo.GetLBText(chosen, text);
        m_combo.SendMessage(WM_SETREDRAW, FALSE);
        CommitValue(text, true);
        if (m_nSelectedRow >= 0)
            SetItemText(m_nSelectedRow, kValueColumn, text);
        SetTimer(kComboRedrawTimer, 0);
    });
}

BOOL CPropertyGrid::OnCommand(WPARAM wParam, LPARAM lParam)
{
    const UINT id = LOWORD(wParam);
    const UINT code = HIWORD(wParam);
    if (id == kComboId && code == CBN_CLOSEUP) {
        OnCloseUpCombo();
        return TRUE;
    }
    if (id == kEllipsisId && code == BN_CLICKED) {
        OnEllipsis();
        return TRUE;
    }
    if (id == kEditId && code == EN_KILLFOCUS) {
        Guarded(356, ErrorSink::Window(this), [&] { EndEdit(true); });
        return TRUE;
    }
    return CListCtrl::OnCommand(wParam, lParam);
}

void CPropertyGrid::OnLButtonDown(UINT, POINT point)
{
    Guarded(343, ErrorSink::Window(this), [&] {
        KillTimer(kFlashTimer);
        LVHITTESTINFO hit{};
        hit.pt = point;
        SendMessage(LVM_SUBITEMHITTEST, 0, reinterpret_cast<LPARAM>(&hit));
        m_nPreviousRow = m_nSelectedRow;
        m_nSelectedRow = hit.iItem;
        if (m_nSelectedRow < 0 || m_nSelectedRow >= static_cast<int>(m_rows.size())) {
            m_nSelectedRow = -1;
            Invalidate(FALSE);
            return;
        }
        const CString& kind = m_rows[static_cast<size_t>(m_nSelectedRow)].kind;
        const bool dialogRow = kind == "FONT" || kind == "COLOR" || kind == "PAPER";
        if (!(m_nSelectedRow == m_nPreviousRow && dialogRow))
            BeginEdit();
        Invalidate(FALSE);
        OnEllipsis();
    });
}

void CPropertyGrid::MoveSelection(int step)
{
    EndEdit(true);
    const int count = static_cast<int>(m_rows.size());
    if (count == 0)
        return;
    m_nPreviousRow = m_nSelectedRow;
    if (m_nSelectedRow < 0)
        m_nSelectedRow = step > 0 ? 0 : count - 1;
    else
        m_nSelectedRow = (m_nSelectedRow + step + count) % count;
    Invalidate(FALSE);
    BeginEdit();
}

BOOL CPropertyGrid::PreTranslateMessage(MSG* msg)
{
    return Guarded(351, ErrorSink::Window(this), FALSE, [&]() -> BOOL {
        if (msg->message != WM_KEYDOWN)
            return CListCtrl::PreTranslateMessage(msg);
        switch (msg->wParam) {
        case VK_RETURN:
            EndEdit(true);
            m_edit.SendMessage(WM_SETREDRAW, FALSE);
            SetTimer(kEditRedrawTimer, 10);
            return TRUE;
        case VK_UP:
            MoveSelection(-1);
            return TRUE;
        case VK_DOWN:
        case VK_TAB:
            MoveSelection(1);
            return TRUE;
        default:
            return CListCtrl::PreTranslateMessage(msg);
        }
    });
}

void CPropertyGrid::OnVScroll(UINT code, UINT pos, HWND scrollBar)
{
    Guarded(348, ErrorSink::Window(this), [&] {
        HideEditors();
        CListCtrl::OnVScroll(code, pos, scrollBar);
        BeginEdit();
    });
}

void CPropertyGrid::OnTimer(UINT_PTR id)
{
    Guarded(350, ErrorSink::Window(this), [&] {
        if (id == kComboRedrawTimer) {
            KillTimer(id);
            m_combo.SendMessage(WM_SETREDRAW, TRUE);
            m_combo.RedrawWindow(nullptr, nullptr, RDW_UPDATENOW | RDW_ERASE | RDW_INVALIDATE);
        } else if (id == kEditRedrawTimer) {
            KillTimer(id);
            m_edit.SendMessage(WM_SETREDRAW, TRUE);
            m_edit.Invalidate();
        } else if (id == kFlashTimer) {
            ++m_nFlashTicks;
            if (m_nFlashTicks >= 10)
                KillTimer(id);
            Invalidate(FALSE);
        } else {
            CListCtrl::OnTimer(id);
        }
    });
}

void CPropertyGrid::OnPaint()
{
    Guarded(345, ErrorSink::Window(this), [&] {
        Default();
        CClientDC dc(m_hWnd);
        if (!dc.m_hDC)
            return;
        PaintColorSwatch(dc.m_hDC);
        PaintYesNoCells(dc.m_hDC);
        PaintGridLines(dc.m_hDC);
        PaintCaptions(dc.m_hDC);
    });
}

void CPropertyGrid::PaintColorSwatch(HDC dc)
{
    Guarded(355, ErrorSink::Window(this), [&] {
        if (m_nColorRow < 0 || m_nColorRow >= static_cast<int>(m_rows.size()))
            return;
        const RECT cell = ValueCell(m_nColorRow);
        RECT swatch{cell.left + 5, cell.top + 4, cell.left + 55, cell.bottom - 3};
        if (m_nColorRow == m_nSelectedRow)
            swatch.right = std::min(swatch.right, cell.right - 18);
        CBrush fill;
        fill.CreateSolidBrush(ParseColor(m_rows[static_cast<size_t>(m_nColorRow)].value));
        CSelectGuard brush(dc, fill.Get());
        CSelectGuard pen(dc, ::GetStockObject(BLACK_PEN));
        ::Rectangle(dc, swatch.left, swatch.top, swatch.right, swatch.bottom);
    });
}

void CPropertyGrid::LoadMarkers()
{
    if (!m_markers.Create(kMarkerSize, kMarkerSize, ILC_COLOR24, 3, 0))
        return;
    const HINSTANCE module = ::GetModuleHandleA(nullptr);
    for (const UINT id : {IDB_MARKER_NO, IDB_MARKER_YES, IDB_MARKER_DISABLED_ON}) {
        CBitmap bitmap(static_cast<HBITMAP>(
            ::LoadImageA(module, MAKEINTRESOURCEA(id), IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION)));
        if (bitmap.Get())
            m_markers.Add(bitmap.Get(), kMarkerMaskColor);
    }
}

void CPropertyGrid::PaintYesNoCells(HDC dc)
{
    for (size_t i = 0; i < m_rows.size(); ++i) {
        const GridRow& row = m_rows[i];
        if (!PropertyGridRows::IsYesNo(row))
            continue;
        const RECT cell = ValueCell(static_cast<int>(i));
        const int top = cell.top + (cell.bottom - cell.top) / 2 - 4;
        RECT box{cell.left + 6, top, cell.left + 17, top + 11};
        const bool flashing = static_cast<int>(i) == m_nSelectedRow && m_nFlashTicks > 0 && m_nFlashTicks < 10;
        if (m_markers.GetImageCount() == 3) {
            int image = -1;
            if (row.value == "Yes")
                image = kMarkerYes;
            else if (row.value == "No")
                image = kMarkerNo;
            else if (row.value == "Disabled On")
                image = flashing && m_nFlashTicks % 2 == 1 ? kMarkerYes : kMarkerDisabledOn;
            if (image >= 0)
                m_markers.Draw(dc, image, POINT{box.left, box.top});
            continue;
        }
        // Without the program's pictures the system's check box stands in.
        UINT state = DFCS_BUTTONCHECK | DFCS_FLAT;
        if (row.value == "Yes")
            state |= DFCS_CHECKED;
        else if (row.value == "Disabled On")
            state |= (flashing && m_nFlashTicks % 2 == 1) ? DFCS_CHECKED : (DFCS_CHECKED | DFCS_INACTIVE);
        else if (row.value != "No")
            continue;
        ::DrawFrameControl(dc, &box, DFC_BUTTON, state);
    }
}

void CPropertyGrid::PaintGridLines(HDC dc)
{
    Guarded(347, ErrorSink::Window(this), [&] {
        RECT client{};
        GetClientRect(&client);
        CPen pen;
        pen.CreatePen(PS_SOLID, 1, RGB(0xC0, 0xC0, 0xC0));
        CSelectGuard guard(dc, pen.Get());
        const int top = static_cast<int>(SendMessage(LVM_GETTOPINDEX));
        const int lines = static_cast<int>(m_rows.size()) - top + 1;
        for (int i = 0; i <= lines; ++i) {
            ::MoveToEx(dc, 0, i * m_nRowHeight, nullptr);
            ::LineTo(dc, client.right, i * m_nRowHeight);
        }
        ::MoveToEx(dc, m_nCaptionWidth, 0, nullptr);
        ::LineTo(dc, m_nCaptionWidth, lines * m_nRowHeight);
    });
}

void CPropertyGrid::PaintCaptions(HDC dc)
{
    Guarded(354, ErrorSink::Window(this), [&] {
        CSelectGuard font(dc, reinterpret_cast<HGDIOBJ>(SendMessage(WM_GETFONT)));
        ::SetBkMode(dc, TRANSPARENT);
        for (size_t i = 0; i < m_rows.size(); ++i) {
            RECT cell{};
            cell.top = kCaptionColumn;
            cell.left = LVIR_LABEL;
            SendMessage(LVM_GETSUBITEMRECT, i, reinterpret_cast<LPARAM>(&cell));
            cell.top += 1;
            const bool selected = static_cast<int>(i) == m_nSelectedRow;
            CBrush fill;
            fill.CreateSolidBrush(::GetSysColor(selected ? COLOR_HIGHLIGHT : COLOR_WINDOW));
            ::FillRect(dc, &cell, fill.Get());
            ::SetTextColor(dc, ::GetSysColor(selected ? COLOR_HIGHLIGHTTEXT : COLOR_WINDOWTEXT));
            ::TextOutA(dc, cell.left + 6, cell.top + 2, m_rows[i].caption, m_rows[i].caption.GetLength());
        }
    });
}
