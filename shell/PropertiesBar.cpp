#include "shell/PropertiesBar.h"

#include "framework/ErrorReport.h"
#include "shell/PropertyGridHost.h"
#include "uikit/PanelBackground.h"
#include "uikit/UserInterfaceFont.h"

#include <commctrl.h>

IMPLEMENT_DYNAMIC(CObjectListBar, CToolBar)
IMPLEMENT_DYNAMIC(CPropertiesBar, CSizingControlBarCF)

// ---- the object list ------------------------------------------------------------

void CObjectListBar::CreateCombo()
{
    Guarded(385, ErrorSink::Window(this), [&] {
        if (!m_combo.Create(WS_CHILD | WS_VSCROLL | CBS_DROPDOWNLIST | CBS_SORT | CBS_HASSTRINGS,
                            RECT{0, 0, 140, 160}, this, kComboId))
            return;
        m_combo.SetFont(UserInterfaceFont(true), FALSE);
        RECT slot = GetCount() > 0 ? GetItemRect(0) : RECT{0, 0, 140, 22};
        RECT combo{};
        m_combo.GetWindowRect(&combo);
        const int height = combo.bottom - combo.top;
        const int top = slot.top + ((slot.bottom - slot.top) - height) / 2;
        ::SetWindowPos(m_combo.m_hWnd, nullptr, 0, top, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
        m_combo.ShowWindow(SW_SHOW);
    });
}

void CObjectListBar::FillList(const CString& selectedName)
{
    Guarded(386, ErrorSink::Window(this), [&] {
        m_combo.ResetContent();
        m_entries.clear();
        if (!m_host)
            return;
        m_entries = ObjectListNames::EntriesOf(m_host->PropertyTable(), m_host->ShownPage(), m_host->ShownLayout());
        int selected = -1;
        for (size_t i = 0; i < m_entries.size(); ++i) {
            const int item = m_combo.AddString(m_entries[i].display);
            if (item < 0)
                continue;
            m_combo.SendMessage(CB_SETITEMDATA, static_cast<WPARAM>(item), static_cast<LPARAM>(i));
        }
        // Sorting moved the entries: find the selected one by its data.
        for (int item = 0; item < m_combo.GetCount(); ++item) {
            const size_t entry = static_cast<size_t>(m_combo.SendMessage(CB_GETITEMDATA, static_cast<WPARAM>(item)));
            if (entry < m_entries.size() && m_entries[entry].objectName == selectedName)
                selected = item;
        }
        m_combo.SetCurSel(selected);
    });
}

CString CObjectListBar::CurrentObject() const
{
    const int item = m_combo.GetCurSel();
    if (item < 0)
        return CString();
    const size_t entry = static_cast<size_t>(m_combo.SendMessage(CB_GETITEMDATA, static_cast<WPARAM>(item)));
    return entry < m_entries.size() ? m_entries[entry].objectName : CString();
}

void CObjectListBar::OnSelChange()
{
    Guarded(388, ErrorSink::Window(this), [&] {
        const CString name = CurrentObject();
        if (name.IsEmpty() || !m_host)
            return;
        m_host->SelectObject(name);
        if (m_onChoose)
            m_onChoose(name);
        m_host->ShowCurrentSurface();
        m_host->FocusLabel();
    });
}

BOOL CObjectListBar::OnCommand(WPARAM wParam, LPARAM lParam)
{
    if (LOWORD(wParam) == kComboId) {
        if (HIWORD(wParam) == CBN_SELCHANGE) {
            OnSelChange();
            return TRUE;
        }
        if (HIWORD(wParam) == CBN_CLOSEUP) {
            Guarded(387, ErrorSink::Window(this), [&] { SetFocus(); });
            return TRUE;
        }
    }
    return CToolBar::OnCommand(wParam, lParam);
}

BOOL CObjectListBar::OnEraseBkgnd(HDC dc)
{
    return Guarded(389, ErrorSink::Window(this), FALSE, [&] {
        RECT client{};
        GetClientRect(&client);
        client.bottom += 2;
        PaintPanelAlignedWithMainWindow(m_hWnd, dc, client);
        return TRUE;
    });
}

void CObjectListBar::OnDestroy()
{
    Guarded(511, ErrorSink::Window(this), [&] { m_combo.DestroyWindow(); });
    CToolBar::OnDestroy();
}

// ---- the Properties pane -------------------------------------------------------------

int CPropertiesBar::OnCreate(LPCREATESTRUCTA cs)
{
    if (CSizingControlBarCF::OnCreate(cs) == -1)
        return -1;
    return Guarded(225, ErrorSink::Window(this), 0, [&] {
        if (!m_grid.CreateEx(WS_EX_CLIENTEDGE, WC_LISTVIEWA, "",
                             WS_CHILD | WS_VISIBLE | LVS_REPORT | LVS_SINGLESEL | LVS_SHOWSELALWAYS |
                                 LVS_NOCOLUMNHEADER,
                             RECT{0, 0, 100, 100}, this, 0))
            return -1;
        m_grid.SetRelayout([this] { LayOutGrid(); });
        minHorz = SIZE{51, 66};
        minVert = SIZE{51, 89};
        minFloat = SIZE{48, 81};
        return 0;
    });
}

void CPropertiesBar::OnSize(UINT type, int cx, int cy)
{
    CSizingControlBarCF::OnSize(type, cx, cy);
    Guarded(226, ErrorSink::Window(this), [&] { LayOutGrid(); });
}

void CPropertiesBar::LayOutGrid()
{
    if (!m_grid.m_hWnd)
        return;
    RECT window{};
    GetWindowRect(&window);
    const int width = window.right - window.left;
    const int height = window.bottom - window.top;
    RECT place{};
    if (IsHorzDocked())
        place = RECT{6, 2, 6 + width - 35, 2 + height - 13};
    else if (IsVertDocked())
        place = RECT{0, 5, width - 10, 5 + height - 33};
    else
        place = RECT{0, 6, width - 7, 6 + height - 32};
    m_grid.MoveWindow(place.left, place.top, std::max(0, static_cast<int>(place.right - place.left)),
                      std::max(0, static_cast<int>(place.bottom - place.top)));
    RECT client{};
    m_grid.GetClientRect(&client);
    m_grid.SetColumnWidth(2, std::max(0, static_cast<int>(client.right) - m_grid.CaptionWidth()));
    m_grid.BeginEdit();
}

void CPropertiesBar::ShowObject(const CString& objectName)
{
    Guarded(227, ErrorSink::Window(this), [&] {
        CString listed;
        if (m_objectList) {
            m_objectList->FillList(objectName);
            m_objectList->Combo().GetWindowText(listed);
        }
        SetWindowText("Properties - " + listed);
        m_grid.ShowProperties(objectName);
        RedrawWindow(nullptr, nullptr, RDW_UPDATENOW | RDW_ERASE | RDW_INVALIDATE | RDW_FRAME);
        if (m_onObjectShown)
            m_onObjectShown(objectName);
    });
}

BOOL CPropertiesBar::OnEraseBkgnd(HDC dc)
{
    return Guarded(228, ErrorSink::Window(this), FALSE, [&] {
        RECT client{};
        GetClientRect(&client);
        PaintPanelOnActiveView(dc, client);
        return TRUE;
    });
}

void CPropertiesBar::OnDestroy()
{
    Guarded(494, ErrorSink::Window(this), [&] { m_grid.DestroyWindow(); });
    CSizingControlBarCF::OnDestroy();
}
