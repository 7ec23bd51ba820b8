#include "shell/TextEditorBar.h"

#include "framework/ErrorReport.h"
#include "framework/ImageList.h"
#include "framework/WinApp.h"
#include "label/TrackListEdit.h"
#include "resource.h"
#include "shell/AppMessageDlg.h"
#include "shell/FrameView.h"
#include "shell/TextPaneHost.h"
#include "uikit/ControlText.h"
#include "uikit/PanelBackground.h"
#include "uikit/UiResources.h"
#include "uikit/UserInterfaceFont.h"

#include <commctrl.h>

#include <algorithm>
#include <cstdlib>
#include <initializer_list>
#include <optional>
#include <stdexcept>

IMPLEMENT_DYNAMIC(CTextEditorBar, CSizingControlBarCF)

namespace
{
constexpr SIZE kButtonSize{22, 21};
constexpr SIZE kCountBox{50, 160};
constexpr SIZE kTracksLabel{40, 14};

// Where the children go for one docking state, from the pane's window size.
struct PaneLayout
{
    RECT edit;  // also the placeholder
    RECT list;
    int buttonsY;
    int x[4];  // Delete, Move Up, Move Down, the count box
    POINT label;
};

RECT Box(int x, int y, int cx, int cy)
{
    return RECT{x, y, x + std::max(0, cx), y + std::max(0, cy)};
}

PaneLayout LayoutFor(FramePanePlace place, int w, int h)
{
    switch (place) {
    case FramePanePlace::HorzDocked:
        return PaneLayout{Box(7, 3, w - 37, h - 15), Box(6, 2, w - 35, h - 35), h - 31, {6, 33, 60, 87}, {139, h - 29}};
    case FramePanePlace::VertDocked:
        return PaneLayout{Box(1, 6, w - 12, h - 35), Box(1, 6, w - 12, h - 57), h - 47, {2, 29, 56, 83}, {135, h - 44}};
    case FramePanePlace::Floating:
    default:
        return PaneLayout{Box(1, 7, w - 9, h - 34), Box(0, 6, w - 7, h - 54), h - 46, {1, 28, 55, 82}, {134, h - 44}};
    }
}

void Place(CWnd& window, const RECT& rect)
{
    if (window.m_hWnd)
        window.SetWindowPos(nullptr, rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top,
                            SWP_NOZORDER | SWP_NOACTIVATE);
}

void Show(CWnd& window, bool show)
{
    if (window.m_hWnd)
        window.ShowWindow(show ? SW_SHOW : SW_HIDE);
}

// Redraw off while the rows change, on again (and repainted) when it goes.
class RedrawPause
{
public:
    explicit RedrawPause(CWnd& window) : m_window(window) { m_window.SendMessage(WM_SETREDRAW, FALSE); }
    ~RedrawPause()
    {
        m_window.SendMessage(WM_SETREDRAW, TRUE);
        m_window.Invalidate();
    }
    RedrawPause(const RedrawPause&) = delete;
    RedrawPause& operator=(const RedrawPause&) = delete;

private:
    CWnd& m_window;
};
}  // namespace

void CTextEditorBar::AttachHost(ITextPaneHost* host)
{
    m_host = host;
    m_edit.AttachHost(host);
    m_trackList.AttachHost(host);
}

CBevelButton& CTextEditorBar::Button(int command)
{
    return command == kDelete ? m_delete : command == kMoveUp ? m_moveUp : m_moveDown;
}

int CTextEditorBar::OnCreate(LPCREATESTRUCTA cs)
{
    if (CSizingControlBarCF::OnCreate(cs) == -1)
        return -1;
    return Guarded(229, ErrorSink::Window(this), 0, [&] {
        if (!m_trackList.CreateEx(WS_EX_CLIENTEDGE, WC_LISTVIEWA, "",
                                  WS_CHILD | LVS_REPORT | LVS_SHOWSELALWAYS | LVS_NOSORTHEADER,
                                  RECT{0, 0, 100, 100}, this, 0))
            return -1;
        if (!m_edit.CreateEx(WS_EX_CLIENTEDGE, "EDIT", "",
                             WS_CHILD | ES_MULTILINE | ES_AUTOVSCROLL | ES_AUTOHSCROLL | ES_WANTRETURN,
                             RECT{0, 0, 100, 100}, this, CTextEditorEdit::kId))
            return -1;
        m_edit.SetFont(UserInterfaceFont(false), FALSE);
        m_edit.SendMessage(EM_SETMARGINS, EC_LEFTMARGIN, MAKELPARAM(3, 0));
        minHorz = SIZE{51, 81};
        minVert = SIZE{51, 93};
        minFloat = SIZE{47, 0};

        HFONT scaled = UserInterfaceFont(true);
        if (!m_tracksLabel.Create("Tracks", WS_CHILD | SS_CENTER, Box(0, 0, kTracksLabel.cx, kTracksLabel.cy), this))
            return -1;
        m_tracksLabel.SetFont(scaled, FALSE);
        if (!m_placeholder.Create("", WS_CHILD | WS_VISIBLE | BS_OWNERDRAW, RECT{0, 0, 100, 100}, this, 0))
            return -1;
        if (!m_trackCount.Create(WS_CHILD | WS_VSCROLL | CBS_DROPDOWN, Box(0, 0, kCountBox.cx, kCountBox.cy), this,
                                 kTrackCountId))
            return -1;
        m_trackCount.SetFont(scaled, FALSE);
        m_trackCount.SetTarget(this);
        for (int count = 0; count <= TrackListEdit::kMaxTracks; ++count) {
            CString item;
            item.Format("%d", count);
            m_trackCount.AddString(item);
        }
        CreateButton(m_delete, kDeleteId, MENU_IMAGE_DELETE, "Delete");
        CreateButton(m_moveUp, kMoveUpId, MENU_IMAGE_MOVE_UP, "Move Up");
        CreateButton(m_moveDown, kMoveDownId, MENU_IMAGE_MOVE_DOWN, "Move Down");
        SetWindowText("Text Editor");
        return 0;
    });
}

void CTextEditorBar::CreateButton(CBevelButton& button, UINT id, int image, LPCSTR tip)
{
    if (!button.Create("", WS_CHILD | BS_PUSHBUTTON, Box(0, 0, kButtonSize.cx, kButtonSize.cy), this, id))
        throw std::runtime_error("track button");
    button.BuildFaces(CBevelButton::kSoftBump, 8, 10, 0, 0);
    button.SetAlign(1, false);
    if (const CUiResources* resources = UiResources()) {
        if (HIMAGELIST images = resources->MenuImages().GetSafeHandle())
            button.SetIconHandles(::ImageList_GetIcon(images, image, ILD_TRANSPARENT), nullptr);
    }
    button.SetTooltipText(tip);
}

void CTextEditorBar::OnSize(UINT type, int cx, int cy)
{
    CSizingControlBarCF::OnSize(type, cx, cy);
    Guarded(230, ErrorSink::Window(this), [&] { LayOut(); });
}

void CTextEditorBar::LayOut()
{
    if (!m_trackList.m_hWnd)
        return;
    RECT window{};
    GetWindowRect(&window);
    const FramePanePlace place = IsHorzDocked()   ? FramePanePlace::HorzDocked
                                 : IsVertDocked() ? FramePanePlace::VertDocked
                                                  : FramePanePlace::Floating;
    const PaneLayout layout = LayoutFor(place, window.right - window.left, window.bottom - window.top);
    m_trackList.HideEditors();
    Place(m_edit, layout.edit);
    Place(m_placeholder, layout.edit);
    Place(m_trackList, layout.list);
    CBevelButton* buttons[] = {&m_delete, &m_moveUp, &m_moveDown};
    for (int i = 0; i < 3; ++i)
        Place(*buttons[i], Box(layout.x[i], layout.buttonsY, kButtonSize.cx, kButtonSize.cy));
    Place(m_trackCount, Box(layout.x[3], layout.buttonsY, kCountBox.cx, kCountBox.cy));
    Place(m_tracksLabel, Box(layout.label.x, layout.label.y, kTracksLabel.cx, kTracksLabel.cy));
    m_trackList.SizeColumns();
    // The editor follows its cell to the list's new place.
    m_trackList.BeginEdit();
    CClientDC dc(m_hWnd);
    PaintBackground(dc.m_hDC);
}

void CTextEditorBar::PaintBackground(HDC dc)
{
    RECT client{};
    GetClientRect(&client);
    PaintPanelOnActiveView(dc, client);
}

BOOL CTextEditorBar::OnEraseBkgnd(HDC dc)
{
    return Guarded(231, ErrorSink::Window(this), FALSE, [&] {
        PaintBackground(dc);
        return TRUE;
    });
}

LRESULT CTextEditorBar::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    const LRESULT result = CSizingControlBarCF::WindowProc(message, wParam, lParam);
    if (message == WM_MOVE)
        Guarded(232, ErrorSink::Window(this), [&] { Invalidate(); });
    return result;
}

void CTextEditorBar::OnDestroy()
{
    Guarded(495, ErrorSink::Window(this), [&] {
        for (CWnd* child : std::initializer_list<CWnd*>{&m_edit, &m_trackList, &m_trackCount, &m_tracksLabel,
                                                        &m_placeholder, &m_delete, &m_moveUp, &m_moveDown})
            child->DestroyWindow();
    });
    CSizingControlBarCF::OnDestroy();
}

BOOL CTextEditorBar::OnCommand(WPARAM wParam, LPARAM lParam)
{
    const UINT id = LOWORD(wParam);
    const UINT code = HIWORD(wParam);
    if (id == kTrackCountId && code == CBN_SELCHANGE) {
        OnTrackCountChange();
        return TRUE;
    }
    if (id == CTextEditorEdit::kId && code == EN_SETFOCUS) {
        OnEditSetFocus();
        return TRUE;
    }
    if (code == BN_CLICKED && (id == kDeleteId || id == kMoveUpId || id == kMoveDownId)) {
        // The button's own handling runs first.
        CSizingControlBarCF::OnCommand(wParam, lParam);
        DoTrackCommand(id == kDeleteId ? kDelete : id == kMoveUpId ? kMoveUp : kMoveDown);
        return TRUE;
    }
    return CSizingControlBarCF::OnCommand(wParam, lParam);
}

void CTextEditorBar::OnEditSetFocus()
{
    Guarded(233, ErrorSink::Window(this), [&] {
        m_bEditFocus = true;
        if (auto* frame = dynamic_cast<IViewFrame*>(GetAppMainWnd()))
            frame->SetPastePossible(::IsClipboardFormatAvailable(CF_TEXT) != FALSE);
    });
}

HWND CTextEditorBar::FocusedField() const
{
    const HWND focus = ::GetFocus();
    if (!focus)
        return nullptr;
    const HWND fields[] = {m_bEditFocus ? m_edit.m_hWnd : nullptr,
                           m_trackList.IsNameEditorActive() ? m_trackList.NameEditorWindow() : nullptr,
                           m_trackList.IsTimeEditorActive() ? m_trackList.TimeEditorWindow() : nullptr};
    for (HWND field : fields) {
        if (field && field == focus)
            return field;
    }
    return nullptr;
}

bool CTextEditorBar::HasFieldFocusFlag() const
{
    return m_bEditFocus || m_trackList.IsNameEditorActive() || m_trackList.IsTimeEditorActive();
}

void CTextEditorBar::ClearFocusFlags()
{
    m_bEditFocus = false;
    m_trackList.ClearEditorFlags();
}

void CTextEditorBar::ShowObject(const CString& objectName)
{
    Guarded(234, ErrorSink::Window(this), [&] {
        if (!m_trackList.m_hWnd)
            return;
        const CString key = TrackListEdit::TextKey(objectName);
        CString type;
        CString value;
        if (!m_host || objectName.IsEmpty() || !m_host->FindPaneText(key, type, value))
            type.Empty();
        CWnd* trackParts[] = {&m_trackList, &m_trackCount, &m_tracksLabel, &m_delete, &m_moveUp, &m_moveDown};
        if (type == "Text") {
            Show(m_placeholder, false);
            for (CWnd* part : trackParts)
                Show(*part, false);
            m_trackList.SetObjectName("");
            m_edit.ShowText(objectName, value);
            Show(m_edit, true);
            SetWindowText("Text Editor - " + key);
        } else if (type == "Track") {
            Show(m_placeholder, false);
            Show(m_edit, false);
            m_edit.ShowText("", "");
            m_trackList.SetObjectName(objectName);
            LoadTrackList();
            for (CWnd* part : trackParts)
                Show(*part, true);
            SetWindowText("Text Editor - " + key);
        } else {
            Show(m_edit, false);
            for (CWnd* part : trackParts)
                Show(*part, false);
            m_edit.ShowText("", "");
            m_trackList.SetObjectName("");
            Show(m_placeholder, true);
            SetWindowText("Text Editor");
        }
        // The caption is drawn in the non-client area.
        SetWindowPos(nullptr, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
    });
}

void CTextEditorBar::ShowTrackCount(int count)
{
    if (count >= 0 && count <= TrackListEdit::kMaxTracks) {
        m_trackCount.SetCurSel(count);
    } else {
        m_trackCount.SetCurSel(-1);
        CString text;
        text.Format("%d", count);
        m_trackCount.SetWindowText(text);
    }
}

void CTextEditorBar::LoadTrackList()
{
    Guarded(235, ErrorSink::Window(this), [&] {
        m_trackList.HideEditors();
        // A cell of the rows before means nothing in the new ones.
        m_trackList.ResetCell();
        m_trackList.DeleteAllItems();
        CString type;
        CString value;
        if (m_host)
            m_host->FindPaneText(TrackListEdit::TextKey(m_trackList.ObjectName()), type, value);
        m_trackList.SetTracks(TrackListEdit::Parse(value));
        ShowTrackCount(TrackListEdit::CountOf(value));
        LayOut();
        m_trackList.SetCommittedText(value);
    });
}

void CTextEditorBar::OnTrackCountChange()
{
    Guarded(236, ErrorSink::Window(this), [&] {
        const int item = m_trackCount.GetCurSel();
        CString text;
        if (item >= 0)
            m_trackCount.GetLBText(item, text);
        else
            text = WindowTextOf(m_trackCount.m_hWnd);
        const std::optional<int> typed = TrackListEdit::ParseCount(text);
        if (!typed || !m_host || m_trackList.ObjectName().IsEmpty())
            return;
        const bool limited = *typed > TrackListEdit::kMaxTracks;
        const int count = std::min(*typed, TrackListEdit::kMaxTracks);
        CString shown;
        shown.Format("%d", count);
        m_trackCount.SetWindowText(shown);

        const CString key = TrackListEdit::TextKey(m_trackList.ObjectName());
        CString type;
        CString before;
        m_host->FindPaneText(key, type, before);
        const CString after = TrackListEdit::WithCount(before, count);
        m_trackList.ResetCell();
        if (after != before) {
            m_host->WritePaneText(key, after);
            m_host->CommitPaneText(m_trackList.ObjectName(), before, after);
            m_host->RefreshTextObjects(key);
        }
        LoadTrackList();
        if (limited) {
            CString message;
            message.Format("A track list holds at most %d tracks: the count was set to %d.",
                           TrackListEdit::kMaxTracks, TrackListEdit::kMaxTracks);
            CAppMessageDlg::Show(message, CAppMessageDlg::kIconExclamation, "OK`");
        }
    });
}

void CTextEditorBar::DoTrackCommand(int command)
{
    Guarded(237, ErrorSink::Window(this), [&] {
        CTrackListCtrl& list = m_trackList;
        if (!m_host || list.ObjectName().IsEmpty())
            return;
        const CString key = TrackListEdit::TextKey(list.ObjectName());
        CString type;
        CString before;
        m_host->FindPaneText(key, type, before);

        using TrackListEdit::Column;
        TrackListEdit::Tracks tracks = list.Tracks();
        const int row = list.GetCurrentRow();
        const int column = list.GetCurrentColumn();
        const bool cellValid = !list.HasSelection() && row >= 0 && row < static_cast<int>(tracks.size());
        const bool editingName = cellValid && list.IsNameEditorActive() && column == CTrackListCtrl::kNameColumn;
        const bool editingTime = cellValid && list.IsTimeEditorActive() && column == CTrackListCtrl::kTimeColumn;
        const Column editedColumn = editingTime ? Column::Time : Column::Name;
        bool changed = false;
        {
            RedrawPause pause(list);
            if (command == kDelete) {
                if (editingName || editingTime) {
                    CCellEdit& editor = editingName ? list.NameEditor() : list.TimeEditor();
                    editor.SetWindowText("");
                    list.SetItemText(row, column, "");
                    editor.SetFocus();
                    changed = true;
                } else if (list.HasSelection()) {
                    changed = TrackListEdit::DeleteRows(tracks, list.SelectionStart(), list.SelectionEnd());
                    list.SetTracks(tracks);
                    ShowTrackCount(static_cast<int>(tracks.size()));
                    list.ResetCell();
                    list.Invalidate();
                }
            } else {
                const int step = command == kMoveUp ? -1 : 1;
                if (editingName || editingTime) {
                    changed = TrackListEdit::SwapWithNeighbour(tracks, row, editedColumn, step);
                    if (changed) {
                        list.SetTracks(tracks);
                        list.SetCurrentCell(row + step, column);
                        list.ScrollCellIntoView();
                    }
                    list.BeginEdit();
                } else if (list.HasSelection()) {
                    const int start = std::min(list.SelectionStart(), list.SelectionEnd());
                    const int end = std::max(list.SelectionStart(), list.SelectionEnd());
                    changed = TrackListEdit::MoveBlock(tracks, start, end, step);
                    if (changed) {
                        list.SetTracks(tracks);
                        list.SetSelection(start + step, end + step);
                    }
                }
            }
        }
        if (!changed)
            return;
        // The rows are the new baseline: leaving the editor later records nothing twice.
        const CString after = list.BuildTrackListText(CTrackListCtrl::kStoreCommitted);
        if (after == before)
            return;
        m_host->WritePaneText(key, after);
        m_host->CommitPaneText(list.ObjectName(), before, after);
        m_host->RefreshTextObjects(key);
    });
}
